#pragma once
// The game disk: the open project (and on request the runtime package) packed into one LHA archive
// that is copied, with the installer and its settings, to a destination folder or split over a
// series of 1.44 MB floppy disks.
//
// A run works in its own work folder (TESS_TEMP/GameDisk), which it deletes and re-creates at the
// start and deletes at the end. The TESS_RT.ini that goes into the archive is a copy in the work
// folder that carries FullPackageFlag when the runtime package is included; the project's own file
// never gets the flag (a flag found there is removed), so a run that dies half-way leaves none
// behind. Files
// reach the destination under temporary names and are renamed into place only when every file of
// the destination (or of the disk) has been copied; a failed or cancelled run removes what it
// wrote and leaves files that were there before unchanged.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tess {

class MessagePort;

// Piece sizes on floppy disks: the first disk also carries the installer.
inline constexpr int64_t kFirstDiskPieceSize = 480000;
inline constexpr int64_t kDiskPieceSize = 1440000;
// How often one disk prompt is repeated while the drive holds no usable disk before the run gives
// up (the user can always cancel the prompt earlier).
inline constexpr int kDiskPromptLimit = 10;

// Names inside the work folder and the destination.
inline constexpr const char kGameDiskFolderName[] = "GameDisk";
inline constexpr const char kResponseFileName[] = "Response.lst";
inline constexpr const char kSetupIniName[] = "Setup.ini";
inline constexpr const char kInstallerSource[] = "Setup.exe.dat";
inline constexpr const char kInstallerName[] = "Setup.exe";
inline constexpr const char kArchiverLibraryName[] = "UNLHA32.DLL";
inline constexpr const char kArchiverNotesName[] = "UNLHA32.TXT";

// Messages.
inline constexpr const char kGameDiskCreatedText[] = "Gamedisk was successfully created.";
inline constexpr const char kGameDiskCancelledText[] = "Gamedisk creation was cancelled.";
inline constexpr const char kDisksNeededText[] = "%d 1.44MB floppy disks are necessary to continue.";
inline constexpr const char kInsertDiskText[] = "Please insert disk number %d.";
inline constexpr const char kValueNotSetText[] = "The value could not be set.";
inline constexpr const char kNoDeviceText[] = "Device could not be initialized.";
inline constexpr const char kAskCreateFolderText[] = "Directory does not exist.  Would you like to create it?";
inline constexpr const char kFolderNotCreatedText[] = "Directory could not be created.";

// The drive queries a run and the path check use; each defaults to the shell service of the same
// name. Tests replace them to play a floppy drive.
struct TDriveQueries {
  std::function<bool(const std::string& path)> isFloppyDrive;
  std::function<bool(const std::string& path)> isCdRomDrive;
  std::function<bool(const std::string& path)> driveExists;
  // The path is the root of its volume (where a floppy is mounted).
  std::function<bool(const std::string& path)> isDriveRoot;
  // The drive can take the next disk's files: still a floppy, ready and writable. An empty
  // (blank) disk counts as ready.
  std::function<bool(const std::string& path)> diskReady;
};
// The shell services, filled in.
TDriveQueries SystemDriveQueries();

// What to pack and where.
struct TGameDiskJob {
  std::string projectFolder;  // the project, with a trailing '/'
  std::string destination;    // the destination folder or floppy root, with a trailing '/'
  bool includeRuntimePackage = false;
  std::string runtimePackageFolder;  // with a trailing '/'; needed when it is included
  // The folder of Setup.exe.dat, UNLHA32.DLL and UNLHA32.TXT; the ones missing there are left out
  // of the disk and named in the result's leftOut.
  std::string applicationFolder;
  // Deleted and re-created at the start, deleted at the end; must be an absolute path.
  std::string workFolder;
};

// The work folder of the editor: ScratchFolder() + "GameDisk/", or empty while there is no
// scratch folder.
std::string DefaultGameDiskWorkFolder();

// The surroundings of a run; every part has a default.
struct TGameDiskServices {
  // Called before each step with the steps done, the steps in all (which grows once the number of
  // disks is known) and what comes next. Returning false cancels the run there.
  std::function<bool(int done, int total, const std::string& text)> progress;
  // Where the floppy messages and disk prompts go (null: Messages()), and their owner window.
  MessagePort* messages = nullptr;
  void* owner = nullptr;
  // The archiver entry (default Unlha): command line, log buffer and its size; 0 is success.
  std::function<int(const std::string& commandLine, char* output, size_t outputSize)> archiver;
  // Empty members take the shell services.
  TDriveQueries drives;
};

enum class TGameDiskOutcome { Created, Cancelled, Failed };

struct TGameDiskResult {
  TGameDiskOutcome outcome = TGameDiskOutcome::Failed;
  // Why the run failed (empty when it was created or the user cancelled it).
  std::string detail;
  // Things the user can act on about a disk that was created (a settings file that could not be
  // cleaned, say).
  std::vector<std::string> notes;
  // The installer files that were not beside the editor and so are not on the disk, by their names
  // on the disk. Our package ships none of them; they are not a fault of the disk.
  std::vector<std::string> leftOut;
  // The number of floppy disks, 0 for a folder; what Setup.ini says as DiskNumber.
  int diskCount = 0;
};

// Runs the whole game disk creation. Never raises for file or archiver failures: they end in a
// Failed result whose detail says what went wrong.
TGameDiskResult CreateGameDisk(const TGameDiskJob& job, const TGameDiskServices& services = {});

// The parts of a run, for the command-line tool and tests.

// The archiver's list of what to pack, one entry a line (CRLF): with the runtime package, its
// quoted folder and the material folders first; then the quoted project folder, the material
// folders, the runtime, database, settings and map tree files and "Map????.lmu"; with the runtime
// package, its quoted folder once more. iniCopyFolder, when not empty, is the folder of the
// TESS_RT.ini copy that replaces the project's own in the archive (the entry keeps its place).
std::string GameDiskResponseText(const std::string& projectFolder, const std::string& runtimePackageFolder,
                                 bool includeRuntimePackage, const std::string& iniCopyFolder);

// The archiver command: a -+ -r2 -d "ARCHIVE" @"RESPONSE".
std::string GameDiskCommandLine(const std::string& archivePath, const std::string& responsePath);

// Setup.ini for the installer: section Setup with ProjectName, GameTitle and DiskNumber, every value
// in the project's code page (projectName is the folder's name on disk, gameTitle stored bytes).
std::string SetupIniText(const std::string& projectName, const std::string& gameTitle, int diskNumber);

// The name of piece k of fileName: its extension replaced by "." and k with three digits.
std::string DiskPieceName(const std::string& fileName, int k);

// Splits file into pieces in targetFolder: the first piece takes first bytes, every further piece
// rest bytes, the last what remains; an empty file gives one empty piece. Returns the number of
// pieces. Raises EFileError when the file cannot be read or a piece cannot be written (pieces
// already written are removed).
int SplitFile(const std::string& file, const std::string& targetFolder, int64_t first, int64_t rest);

// The last name of a folder path ("/games/Hero/" -> "Hero").
std::string FolderName(const std::string& folder);

// The destination chosen in the path dialog.
enum class TDiskPathCheck {
  Accept,       // an existing folder, or a floppy drive's root
  NotSettable,  // a folder on a floppy other than its root, or a CD-ROM: "The value could not be set."
  NoDevice,     // the drive does not exist: "Device could not be initialized."
  AskCreate,    // the folder does not exist: ask whether to create it
};
// The path dialog's OK button is enabled for an absolute path that is not a network path.
bool DiskPathLooksValid(const std::string& text);
// fullPath is absolute with a trailing '/'.
TDiskPathCheck CheckDiskPath(const std::string& fullPath, const TDriveQueries& drives = {});

}  // namespace tess
