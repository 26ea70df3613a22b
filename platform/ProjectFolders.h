#pragma once
// Where projects live on this machine: the base folder from the settings, the project path
// dialog's checks of a folder (drives and volumes), and deleting a project with the wait cursor.
// The naming rules themselves are in project/ProjectNames.

#include <optional>
#include <string>

namespace tess {

class TSettings;

// The project path dialog's input limit.
inline constexpr int kMaxProjectPathLength = 250;

inline constexpr const char* kDeleteProjectQuestion =
    "The project '%s' is about to be deleted.  This cannot be reversed.  Really proceed?";
inline constexpr const char* kNoDataOnDriveMessage = "The data could not be created.";
inline constexpr const char* kMissingDriveMessage = "The device could not be initialized.";
inline constexpr const char* kCreatePathQuestion = "Directory does not exist.  Would you like to create it?";
inline constexpr const char* kCannotCreatePathMessage = "Directory could not be created.";

// The folder that holds the projects (the setting, else the application folder), with a trailing
// '/'.
std::string ProjectBaseFolder(const TSettings& settings, const std::string& applicationFolder);

// Asks before deleting; on Yes makes the base folder the current directory and deletes the
// project's folder tree. Returns whether it was deleted.
bool AskDeleteProject(const std::string& baseFolder, const std::string& folderName, void* owner = nullptr);

// The project path dialog's OK button is enabled for an existing folder named by an absolute path
// of at least 3 characters.
bool ProjectPathAcceptable(const std::string& text);
// The project path dialog's OK: the text as a full path with a trailing '/', refused on a floppy
// or CD-ROM drive or a missing drive, and offered to be made when it does not exist. Nothing when
// the dialog stays open.
std::optional<std::string> AcceptProjectPath(const std::string& text, void* owner = nullptr);

}  // namespace tess
