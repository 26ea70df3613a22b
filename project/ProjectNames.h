#pragma once
// Project folders under the base folder: which sub-folders are projects, the name a new project is
// offered, which folder names are allowed, and making, renaming and deleting project folders. The
// project dialogs only show what these decide; the rules and their messages live here so they can
// be checked without windows.

#include <optional>
#include <string>
#include <vector>

namespace tess {

// The dialogs' input limit of folder names and game titles.
inline constexpr int kMaxProjectNameLength = 40;

// A folder is a project when it holds this file (found in any case).
inline constexpr const char* kRuntimeFileName = "TESS_RT.exe";
inline constexpr const char* kNewProjectPrefix = "Project";
inline constexpr const char* kDefaultGameTitle = "Untitled";
// The project's settings file and its section: the game title, the editor's mode and zoom.
inline constexpr const char* kProjectIniName = "TESS_RT.ini";
inline constexpr const char* kProjectIniSection = "TESS_RT";

inline constexpr const char* kIllegalNewNameMessage =
    "Directory name contains illegal characters.  Directory creation failed.";
inline constexpr const char* kIllegalRenameMessage = "Directory name contains illegal characters.";
inline constexpr const char* kCannotCreateProjectFolderMessage = "The project directory could not be created.";
inline constexpr const char* kCannotRenameMessage = "Failed to change project directory name.";

// One of \ / : ? * < > | and the double quote.
bool HasForbiddenCharacters(const std::string& name);
// A name a project folder may take: no forbidden character, and not beginning with "." (such a
// folder would never be listed as a project again, and "." and ".." name other folders).
bool IsAllowedFolderName(const std::string& name);

// "Project" followed by the smallest n >= 1 for which the base folder has no entry of that name
// in any case.
std::string ProposeNewProjectName(const std::string& baseFolder);

struct TProjectEntry {
  std::string folderName;
  std::string gameTitle;  // "Untitled" when the project's settings do not name one
};

// GameTitle in section TESS_RT of the project's TESS_RT.ini; "Untitled" when missing.
std::string ReadGameTitle(const std::string& projectFolder);
// Writes it at once; raises EFileError when the file cannot be written.
void WriteGameTitle(const std::string& projectFolder, const std::string& title);

// A folder holding a TESS_RT.exe file.
bool IsProjectFolder(const std::string& folder);
// Every direct sub-folder of the base folder that is a project and whose name does not begin
// with ".", by name without regard to case.
std::vector<TProjectEntry> ListProjects(const std::string& baseFolder);

// Makes base folder + name, only the last level. False for an empty name, a name that an entry
// already has in any case, or a folder that cannot be made.
bool CreateProjectFolder(const std::string& baseFolder, const std::string& name);
// Renames base folder + oldName to base folder + newName. Never replaces anything: false when
// another entry already has the new name in any case (a change of case alone is allowed), or the
// rename fails.
bool RenameProjectFolder(const std::string& baseFolder, const std::string& oldName, const std::string& newName);

// What the project dialogs do on OK, with their messages through the message port (owner is the
// dialog). Each returns whether the dialog may close.

// New project: checks the name and makes the folder.
bool AcceptNewProjectFolder(const std::string& baseFolder, const std::string& folderName, void* owner = nullptr);
// Rename project: checks the new name, renames the folder when the name changed, and writes the
// game title into the project's settings under its new name.
bool AcceptRenameProject(const std::string& baseFolder, const std::string& oldName, const std::string& newName,
                         const std::string& gameTitle, void* owner = nullptr);

}  // namespace tess
