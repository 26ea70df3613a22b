#pragma once
// Material files: the pictures, music, sounds and movies a project carries in its material folders
// or takes from the runtime package. Lists name materials by their base names; entries that come
// from the runtime package carry the mark " <RTP>", which stored names never do.

#include <string>
#include <vector>

namespace tess {

// Extensions in lookup order, lower case, without the dot.
const std::vector<std::string>& PictureExtensions();  // bmp, png, xyz
const std::vector<std::string>& MusicExtensions();    // mid, wav, mp3
const std::vector<std::string>& SoundExtensions();    // wav
const std::vector<std::string>& MovieExtensions();    // avi, mpg

// The nineteen material folders of a project and of the runtime package, in the order a new project
// creates them and a game disk archives them.
const std::vector<std::string>& MaterialFolderNames();

inline constexpr const char kRuntimePackageMark[] = " <RTP>";

bool IsRuntimePackageEntry(const std::string& entry);
// entry without its trailing " <RTP>", or unchanged.
std::string StripRuntimePackageMark(const std::string& entry);

// Sorts names the way material lists show them: each name splits into a prefix (up to and
// including its last character that is not a digit) and the number after it; the prefix compares
// without regard to case, then the number by value, so Monster2 comes before Monster10. A name
// made only of digits is all prefix. Numbers of any length compare correctly.
void SortNatural(std::vector<std::string>& names);

// The materials of one kind: the project folder's entries in natural order, then every runtime
// package entry the project does not have, marked. Files count when their lower-cased extension is
// one of extensions; Hero.bmp and Hero.png give one entry. Entries are stored names: a file named
// in UTF-8 is listed in the project's code page (StoredNameOf). Either root may be empty (none).
std::vector<std::string> ListMaterials(const std::string& projectFolder, const std::string& runtimePackageFolder,
                                       const std::string& folderName, const std::vector<std::string>& extensions);
// The same from ProjectFolder() and CurrentRuntimePackageFolder().
std::vector<std::string> ListMaterials(const std::string& folderName, const std::vector<std::string>& extensions);

// The full path of a material: the project's file with the first extension that exists, else the
// runtime package's; else baseName unchanged (the caller then fails to open it and says so). An
// empty name gives the empty string. Folder and file are found case-insensitively, and in each
// folder the file is looked for under the name's UTF-8 form first, then under its raw bytes
// (DiskNameCandidates).
std::string FindMaterialFile(const std::string& projectFolder, const std::string& runtimePackageFolder,
                             const std::string& baseName, const std::string& folderName,
                             const std::vector<std::string>& extensions);
std::string FindMaterialFile(const std::string& baseName, const std::string& folderName,
                             const std::vector<std::string>& extensions);

// The file of a material for a reader to open: what FindMaterialFile finds in the project's or the
// runtime package's folder, or empty when neither holds it. A name that is not a plain file name
// (a path separator of either system, "." or "..") gives empty too, so a name stored in a project
// never leads a reader outside the material folders, nor to a file relative to the current
// directory.
std::string FindExistingMaterialFile(const std::string& baseName, const std::string& folderName,
                                     const std::vector<std::string>& extensions);

}  // namespace tess
