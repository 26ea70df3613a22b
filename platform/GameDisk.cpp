#include "platform/GameDisk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/MaterialFiles.h"
#include "core/MessagePort.h"
#include "core/NameEncoding.h"
#include "core/PathUtils.h"
#include "core/ProjectFolder.h"
#include "core/Unlha.h"
#include "platform/RuntimePackage.h"
#include "platform/ShellServices.h"
#include "project/ProfileFile.h"
#include "project/ProjectNames.h"

namespace tess {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kIniName = "TESS_RT.ini";
constexpr const char* kIniSection = "TESS_RT";
constexpr const char* kFullPackageFlag = "FullPackageFlag";
// The disk's files replace those of an earlier disk without asking, read-only ones included.
constexpr TWriteOptions kReplaceAtDestination{.replaceReadOnly = true};

// The user cancelled a prompt or the progress.
struct TCancelled {};
// A step failed; detail says why.
struct TFailure {
  std::string detail;
};

std::string Reason() { return std::strerror(errno); }

std::string Format(const char* format, int n) {
  char text[160];
  std::snprintf(text, sizeof text, format, n);
  return text;
}

// Whether one path is the other or lies below it, by name.
bool IsSameOrBelow(const std::string& path, const std::string& folder) {
  const std::string p = WithTrailingBackslash(StripTrailingSlashes(path));
  const std::string f = WithTrailingBackslash(StripTrailingSlashes(folder));
  return p.compare(0, f.size(), f) == 0;
}

// The archiver reads its command line and response file word by word and line by line: a quote or
// a line break inside a name would split it or end it early.
void CheckArchiverName(const std::string& path) {
  if (path.find_first_of("\"\r\n") != std::string::npos)
    throw TFailure{"The path \"" + path + "\" contains a quote or a line break and cannot be packed."};
}

bool VolumeWritable(const std::string& path) {
  QStorageInfo info(QString::fromStdString(path));
  // Where the mount table cannot place the folder (a chroot, some containers), the folder's own
  // state decides.
  if (info.isValid() && (!info.isReady() || info.isReadOnly())) return false;
  return IsFolder(path) && ::access(path.c_str(), W_OK) == 0;
}

bool IsVolumeRoot(const std::string& path) {
  if (!IsFolder(path)) return false;
  QStorageInfo info(QString::fromStdString(path));
  return info.isValid() && StripTrailingSlashes(info.rootPath().toStdString()) == StripTrailingSlashes(path);
}

TDriveQueries Complete(TDriveQueries d) {
  if (!d.isFloppyDrive) d.isFloppyDrive = IsFloppyDrive;
  if (!d.isCdRomDrive) d.isCdRomDrive = IsCdRomDrive;
  if (!d.driveExists) d.driveExists = DriveExists;
  if (!d.isDriveRoot) d.isDriveRoot = IsVolumeRoot;
  if (!d.diskReady) {
    // A disk is ready when the drive still holds a floppy that takes files; whether its root is
    // empty does not matter, so a blank disk is accepted at once.
    d.diskReady = [isFloppy = d.isFloppyDrive](const std::string& path) {
      return isFloppy(path) && VolumeWritable(path);
    };
  }
  return d;
}

// The last non-empty line of the archiver's log: the one that says what went wrong.
std::string LastLogLine(const char* log) {
  std::string text = log;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  const size_t nl = text.find_last_of('\n');
  return nl == std::string::npos ? text : text.substr(nl + 1);
}

class TGameDiskRun {
 public:
  TGameDiskRun(const TGameDiskJob& job, const TGameDiskServices& services)
      : job_(job),
        services_(services),
        drives_(Complete(services.drives)),
        messages_(services.messages ? *services.messages : Messages()) {}

  TGameDiskResult Run() {
    TGameDiskResult result;
    try {
      Execute(result);
      result.outcome = TGameDiskOutcome::Created;
    } catch (const TCancelled&) {
      result.outcome = TGameDiskOutcome::Cancelled;
    } catch (const TFailure& f) {
      result.outcome = TGameDiskOutcome::Failed;
      result.detail = f.detail;
    } catch (const std::bad_alloc&) {
      result.outcome = TGameDiskOutcome::Failed;
      result.detail = "Insufficient memory.";
    } catch (const std::exception& e) {
      result.outcome = TGameDiskOutcome::Failed;
      result.detail = e.what();
    }
    // Nothing of the run stays in the scratch folder.
    if (workCreated_) DeleteFolderTree(job_.workFolder);
    return result;
  }

 private:
  void Step(const std::string& text) {
    if (services_.progress && !services_.progress(done_, total_, text)) throw TCancelled{};
    ++done_;
  }

  void Validate() {
    const std::string& work = job_.workFolder;
    // The work folder is deleted as a whole: it must be a folder of its own name, never one that
    // holds anything the run reads or writes.
    if (work.empty() || work[0] != '/' || FolderName(work) != kGameDiskFolderName)
      throw TFailure{"The scratch folder is not available."};
    for (const std::string* folder : {&job_.projectFolder, &job_.runtimePackageFolder, &job_.applicationFolder})
      if (!folder->empty() && (IsSameOrBelow(*folder, work) || IsSameOrBelow(work, *folder)))
        throw TFailure{"The work folder \"" + work + "\" overlaps \"" + *folder + "\"."};
    if (job_.projectFolder.empty() || !IsFolder(job_.projectFolder))
      throw TFailure{"The project folder \"" + job_.projectFolder + "\" does not exist."};
    if (FolderName(job_.projectFolder).empty()) throw TFailure{"The project folder has no name."};
    if (job_.destination.empty() || !IsFolder(job_.destination))
      throw TFailure{"The destination folder \"" + job_.destination + "\" does not exist."};
    if (IsSameOrBelow(job_.destination, work))
      throw TFailure{"The destination folder lies inside the work folder \"" + work + "\"."};
    if (job_.includeRuntimePackage) {
      if (job_.runtimePackageFolder.empty()) throw TFailure{"No runtime package folder is registered."};
      // The archiver passes over names it cannot find, so a missing package would leave the disk
      // without it unnoticed.
      if (!IsFolder(job_.runtimePackageFolder))
        throw TFailure{"The runtime package folder \"" + job_.runtimePackageFolder + "\" does not exist."};
      CheckArchiverName(job_.runtimePackageFolder);
    }
    CheckArchiverName(job_.projectFolder);
    CheckArchiverName(work);
  }

  void PrepareWorkFolder() {
    DeleteFolderTree(job_.workFolder);
    std::error_code ec;
    std::filesystem::create_directories(job_.workFolder, ec);
    workCreated_ = true;
    if (!IsFolder(job_.workFolder)) throw TFailure{"The work folder \"" + job_.workFolder + "\" could not be created."};
  }

  // The TESS_RT.ini that goes into the archive: the project's own with FullPackageFlag set when the
  // runtime package is included and removed otherwise. Returns false when there is nothing to
  // pack (no settings file and no flag).
  bool WriteSettingsCopy(TGameDiskResult& result) {
    TProfileFile ini(job_.projectFolder + kIniName);
    const bool exists = IsFile(ini.Path());
    if (ini.KeyExists(kIniSection, kFullPackageFlag)) {
      // A flag left in the project by an earlier run that died would make test play skip the
      // runtime package; the project never keeps it.
      TProfileFile clean = ini;
      clean.DeleteKey(kIniSection, kFullPackageFlag);
      try {
        clean.Save();
      } catch (const ETessError& e) {
        result.notes.push_back(e.what());
      }
    }
    if (!exists && !job_.includeRuntimePackage) return false;
    if (job_.includeRuntimePackage)
      ini.WriteString(kIniSection, kFullPackageFlag, "1");
    else
      ini.DeleteKey(kIniSection, kFullPackageFlag);
    WriteFileAtomic(job_.workFolder + kIniName, ini.Text());
    return true;
  }

  void Archive(const std::string& archive, const std::string& response) {
    const std::string command = GameDiskCommandLine(archive, response);
    std::vector<char> log(size_t{1} << 16, '\0');
    int code;
    try {
      code = services_.archiver ? services_.archiver(command, log.data(), log.size())
                                : Unlha(command, log.data(), log.size());
    } catch (const std::exception& e) {
      throw TFailure{std::string("The archiver failed: ") + e.what()};
    } catch (...) {
      throw TFailure{"The archiver failed."};
    }
    log.back() = '\0';
    if (code != 0) {
      const std::string line = LastLogLine(log.data());
      throw TFailure{"The archiver reported error " + std::to_string(code) + (line.empty() ? "." : ": " + line)};
    }
    if (!IsFile(archive)) throw TFailure{"The archiver wrote no archive."};
  }

  // The installer files found beside the editor, as (source, name on the disk).
  std::vector<std::pair<std::string, std::string>> InstallerFiles(TGameDiskResult& result) {
    std::vector<std::pair<std::string, std::string>> files;
    files.push_back({job_.workFolder + kSetupIniName, kSetupIniName});
    const std::pair<const char*, const char*> shipped[] = {{kInstallerSource, kInstallerName},
                                                           {kArchiverLibraryName, kArchiverLibraryName},
                                                           {kArchiverNotesName, kArchiverNotesName}};
    for (const auto& [source, name] : shipped) {
      auto found = job_.applicationFolder.empty() ? std::nullopt : FindNameNoCase(job_.applicationFolder, source);
      if (found && IsFile(*found))
        files.push_back({*found, name});
      else
        result.leftOut.push_back(name);
    }
    return files;
  }

  void Copy(const std::vector<std::pair<std::string, std::string>>& files) {
    TStagedCommit copy;
    for (const auto& [source, name] : files) copy.AddCopy(source, job_.destination + name, kReplaceAtDestination);
    copy.Commit();
  }

  void WaitForDisk(int disk) {
    for (int prompt = 1;; ++prompt) {
      if (prompt > kDiskPromptLimit) throw TFailure{"No usable disk was found in the drive."};
      const TMessageResult answer = messages_.ShowMessageBox(
          Format(kInsertDiskText, disk), {TMessageIcon::Information, TMessageButtons::OkCancel}, services_.owner);
      if (answer != TMessageResult::Ok) throw TCancelled{};
      if (drives_.diskReady(job_.destination)) return;
    }
  }

  void Execute(TGameDiskResult& result) {
    Validate();
    const bool floppy = drives_.isFloppyDrive(job_.destination);
    // Said before anything is packed, with the system's reason: a read-only file system is not a
    // missing permission. A floppy is looked at when its disk is in.
    if (!floppy && ::access(job_.destination.c_str(), W_OK) != 0)
      throw TFailure{"The destination folder \"" + job_.destination + "\" cannot be written: " + Reason() + "."};
    const std::string projectName = FolderName(job_.projectFolder);
    const std::string work = WithTrailingBackslash(job_.workFolder);
    const std::string archiveName = projectName + ".lzh";
    const std::string archive = work + archiveName;
    const std::string response = work + kResponseFileName;
    std::vector<std::pair<std::string, std::string>> installer = InstallerFiles(result);
    // Floppies: one step per disk, counted once the archive is split.
    total_ = floppy ? 6 : 4 + static_cast<int>(installer.size()) + 1;

    Step("Preparing the work folder");
    PrepareWorkFolder();

    Step("Writing the list of files to pack");
    const bool iniCopy = WriteSettingsCopy(result);
    WriteFileAtomic(response, GameDiskResponseText(job_.projectFolder, job_.runtimePackageFolder,
                                                   job_.includeRuntimePackage, iniCopy ? work : std::string()));

    Step(job_.includeRuntimePackage ? "Packing the project and the runtime package" : "Packing the project");
    Archive(archive, response);

    int disks = 0;
    if (floppy) {
      Step("Splitting the archive over floppy disks");
      disks = SplitFile(archive, work, kFirstDiskPieceSize, kDiskPieceSize);
      total_ = 5 + disks;
      messages_.ShowMessageBox(Format(kDisksNeededText, disks), {TMessageIcon::Information, TMessageButtons::Ok},
                               services_.owner);
    }
    result.diskCount = disks;

    Step("Writing Setup.ini");
    WriteFileAtomic(work + kSetupIniName, SetupIniText(projectName, ReadGameTitle(job_.projectFolder), disks));

    if (!floppy) {
      // One staged copy, so the destination gets every file or none of them.
      TStagedCommit copy;
      installer.push_back({archive, archiveName});
      for (const auto& [source, name] : installer) {
        Step("Copying " + name);
        copy.AddCopy(source, job_.destination + name, kReplaceAtDestination);
      }
      copy.Commit();
      return;
    }
    for (int disk = 1; disk <= disks; ++disk) {
      WaitForDisk(disk);
      Step("Copying disk " + std::to_string(disk) + " of " + std::to_string(disks));
      std::vector<std::pair<std::string, std::string>> files;
      if (disk == 1) files = installer;
      const std::string piece = DiskPieceName(archiveName, disk);
      files.push_back({work + piece, piece});
      Copy(files);
    }
  }

  const TGameDiskJob& job_;
  const TGameDiskServices& services_;
  TDriveQueries drives_;
  MessagePort& messages_;
  bool workCreated_ = false;
  int done_ = 0;
  int total_ = 0;
};

}  // namespace

TDriveQueries SystemDriveQueries() { return Complete({}); }

std::string DefaultGameDiskWorkFolder() {
  if (ScratchFolder().empty()) return {};
  return WithTrailingBackslash(ScratchFolder()) + kGameDiskFolderName + "/";
}

TGameDiskResult CreateGameDisk(const TGameDiskJob& job, const TGameDiskServices& services) {
  TGameDiskJob normalised = job;
  for (std::string* folder : {&normalised.projectFolder, &normalised.destination, &normalised.runtimePackageFolder,
                              &normalised.applicationFolder, &normalised.workFolder})
    *folder = WithTrailingBackslash(*folder);
  return TGameDiskRun(normalised, services).Run();
}

std::string GameDiskResponseText(const std::string& projectFolder, const std::string& runtimePackageFolder,
                                 bool includeRuntimePackage, const std::string& iniCopyFolder) {
  std::string text;
  auto line = [&](const std::string& entry) { text += entry + kCrLf; };
  auto folderLine = [&](const std::string& folder) { line("\"" + WithTrailingBackslash(folder) + "\""); };
  if (includeRuntimePackage) {
    folderLine(runtimePackageFolder);
    for (const std::string& name : MaterialFolderNames()) line(name);
  }
  folderLine(projectFolder);
  for (const std::string& name : MaterialFolderNames()) line(name);
  for (const char* name : {"TESS_RT.exe", "TESS_RT.ldb", "TESS_RT.ini", "TESS_RT.lmt", "Map????.lmu"}) line(name);
  if (!iniCopyFolder.empty()) {
    // The settings copy replaces the project's file of the same name where that one was named.
    folderLine(iniCopyFolder);
    line(kIniName);
  }
  if (includeRuntimePackage) folderLine(runtimePackageFolder);
  return text;
}

std::string GameDiskCommandLine(const std::string& archivePath, const std::string& responsePath) {
  return "a -+ -r2 -d \"" + archivePath + "\" @\"" + responsePath + "\"";
}

std::string SetupIniText(const std::string& projectName, const std::string& gameTitle, int diskNumber) {
  // The installer reads the file in the game's code page, the one the title is stored in; the
  // folder's name on this disk is usually UTF-8.
  return std::string("[Setup]") + kCrLf + "ProjectName=" + StoredNameOf(projectName) + kCrLf +
         "GameTitle=" + gameTitle + kCrLf + "DiskNumber=" + std::to_string(diskNumber) + kCrLf;
}

std::string DiskPieceName(const std::string& fileName, int k) {
  const size_t dot = fileName.find_last_of('.');
  const std::string stem = dot == std::string::npos ? fileName : fileName.substr(0, dot);
  char number[16];
  std::snprintf(number, sizeof number, ".%.3d", k);
  return stem + number;
}

int SplitFile(const std::string& file, const std::string& targetFolder, int64_t first, int64_t rest) {
  if (first <= 0 || rest <= 0) throw EFileError("Cannot split \"" + file + "\": a piece size is not positive.");
  const int in = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) throw EFileError("Cannot read file \"" + file + "\". " + Reason());
  const size_t slash = file.find_last_of('/');
  const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
  const std::string folder = WithTrailingBackslash(targetFolder);
  std::vector<std::string> written;
  std::vector<uint8_t> buffer(static_cast<size_t>(std::max(first, rest)));
  try {
    for (int k = 1;; ++k) {
      const size_t want = static_cast<size_t>(k == 1 ? first : rest);
      size_t got = 0;
      while (got < want) {
        const ssize_t n = ::read(in, buffer.data() + got, want - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw EFileError("Cannot read file \"" + file + "\". " + Reason());
        if (n == 0) break;
        got += static_cast<size_t>(n);
      }
      if (got == 0 && k > 1) break;  // the previous piece ended exactly at the end
      const std::string piece = folder + DiskPieceName(name, k);
      written.push_back(piece);
      WriteFileAtomic(piece, Bytes(buffer.begin(), buffer.begin() + static_cast<ptrdiff_t>(got)));
      if (got < want) break;
    }
  } catch (...) {
    ::close(in);
    for (const std::string& piece : written) ::unlink(piece.c_str());
    throw;
  }
  ::close(in);
  return static_cast<int>(written.size());
}

std::string FolderName(const std::string& folder) {
  const std::string path = StripTrailingSlashes(folder);
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool DiskPathLooksValid(const std::string& text) {
  return !text.empty() && text[0] == '/' && text.compare(0, 2, "//") != 0;
}

TDiskPathCheck CheckDiskPath(const std::string& fullPath, const TDriveQueries& queries) {
  const TDriveQueries drives = Complete(queries);
  if (drives.isFloppyDrive(fullPath))
    return drives.isDriveRoot(fullPath) ? TDiskPathCheck::Accept : TDiskPathCheck::NotSettable;
  if (drives.isCdRomDrive(fullPath)) return TDiskPathCheck::NotSettable;
  if (!drives.driveExists(fullPath)) return TDiskPathCheck::NoDevice;
  if (IsFolder(fullPath)) return TDiskPathCheck::Accept;
  return TDiskPathCheck::AskCreate;
}

}  // namespace tess
