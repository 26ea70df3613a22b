#pragma once
// What the resource manager does with material files, without its window: the nineteen folders
// with their size and colour-depth rules, importing a file into a project's folder (pictures
// checked, optionally converted from true colour, given a transparent colour and stored as PNG or
// XYZ; music, sounds and movies copied as they are), exporting a material out again, and deleting
// a project's material. Every file is written through a temporary file and renamed into place, so
// a failed import or export leaves what was there; paths are absolute throughout.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "media/Bitmap.h"

namespace tess {

enum class TMaterialKind { Picture, Movie, Music, Sound };

struct TMaterialFolder {
  const char* name;
  TMaterialKind kind;
  // Picture folders: the sizes an imported picture may have, in pixels.
  int minWidth = 0, maxWidth = 0, minHeight = 0, maxHeight = 0;
  // The import lets the author choose the picture's transparent colour.
  bool choosesTransparent = false;
};

// The folders in the order the resource manager lists them.
const std::vector<TMaterialFolder>& ResourceFolders();
// The position of a folder of that name in the list; -1 when there is none.
int ResourceFolderIndex(const std::string& name);
// The file extensions a folder's materials have.
const std::vector<std::string>& MaterialExtensions(const TMaterialFolder& folder);
bool FitsFolder(const TMaterialFolder& folder, int width, int height);
// The picture folder of that name (as the resource manager lists it); null for a media folder or
// another name.
const TMaterialFolder* FindPictureFolder(const std::string& name);
// The folder's size rule in words: "480 x 256", "at most 640 x 480", "a width of 320 and a height of
// at least 160".
std::string SizeRuleText(const TMaterialFolder& folder);
// Why a picture cannot serve in a picture folder, in words that name what it has and what the folder
// takes ("the picture is 240 x 128 pixels; ChipSet takes 480 x 256", "the picture has 24 bits per
// pixel; ChipSet takes 8-bit palette pictures"); empty when it fits. These are the rules an import
// applies, so every reader that checks a picture (the editor's drawing, the project check) uses them.
std::string PictureRuleProblem(const TMaterialFolder& folder, const TBitmap& picture);

enum class TImportFormat { Png = 0, Xyz = 1 };

// A picture as read for import: any picture file, and also PNGs with an alpha channel, whose alpha
// samples come with it (empty for every other picture).
struct TImportPicture {
  TBitmap bitmap;
  Bytes alpha;
};
// Raises the codecs' errors ("Invalid PNG Image", "Invalid bitmap image.", ...).
void LoadImportPicture(const std::string& path, TImportPicture& picture);

// Makes palette index k the transparent one, index 0: entries 0 and k trade places, and so do the
// pixels of both indices. Indices outside 1..255 change nothing.
void SwapTransparentIndex(TBitmap& bitmap, int k);
// The colour a chosen palette entry blinks to: each channel c becomes max(0, c - 100) + 80.
TRgb BlinkColour(TRgb colour);

extern const char* const kInvalidColorDepth;   // "Invalid color depth."
extern const char* const kInvalidImageSize;    // "Invalid image size."
extern const char* const kCouldNotDeleteFile;  // "Could not delete file."

class TMaterialManager {
 public:
  // Both folders absolute; the runtime package's may be empty (none).
  TMaterialManager(std::string projectFolder, std::string runtimePackageFolder);

  const std::string& ProjectFolder() const { return project_; }
  const std::string& RuntimePackageFolder() const { return rtp_; }

  // The folder's materials: the project's, then the runtime package's marked " <RTP>".
  std::vector<std::string> Entries(int folder) const;
  // The file of an entry (mark or not): the project's first, then the runtime package's; empty when
  // neither has it.
  std::string Locate(int folder, const std::string& entry) const;
  // True when the file lies in the runtime package's folder of that kind.
  bool InRuntimePackage(int folder, const std::string& file) const;

  struct TImportChoices {
    // Asked when a true-colour picture can become a palette picture; true converts it.
    std::function<bool(int colours)> convertToPalette;
    // Shows the picture and returns the palette index chosen as transparent, or nothing to cancel.
    std::function<std::optional<int>(const TBitmap& picture)> chooseTransparent;
  };
  // Imports source into the folder and returns the imported material's name, or nothing when the
  // author cancelled. Nothing is written before every check has passed. Raises EInvalidGraphic
  // with "Invalid color depth." or "Invalid image size.", the codecs' errors, and EFileError when a
  // file cannot be read or written or the source is the destination itself.
  std::optional<std::string> Import(int folder, const std::string& source, TImportFormat format,
                                    const TImportChoices& choices);
  // Writes the entry's material to destination: media files copied, pictures stored in the format
  // of destination's extension (BMP unless .png or .xyz). Raises as Import does.
  void Export(int folder, const std::string& entry, const std::string& destination);

  enum class TDeleteResult { NotFound, RuntimePackage, Cancelled, Deleted, Failed };
  // Deletes a project's material after confirm (given the file's name) agreed; a runtime package
  // material is never deleted.
  TDeleteResult Delete(int folder, const std::string& entry, const std::function<bool(const std::string&)>& confirm);

 private:
  // The project's sub-folder of that name as it is on disk, made when missing.
  std::string ProjectSubFolder(int folder) const;

  std::string project_;
  std::string rtp_;
};

}  // namespace tess
