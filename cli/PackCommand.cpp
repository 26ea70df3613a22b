#include "cli/PackCommand.h"

#include <stdlib.h>

#include <filesystem>
#include <ostream>

#include "cli/ProgramFolder.h"
#include "core/CountText.h"
#include "core/PathUtils.h"
#include "platform/GameDisk.h"
#include "platform/RuntimePackage.h"
#include "platform/Settings.h"
#include "platform/ShellServices.h"
#include "project/ProjectCheck.h"

namespace tess::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: tessaly-cli pack PROJECT_DIR DEST_DIR [--with-rtp] [--rtp-folder PATH] [--force]\n";

}  // namespace

int Pack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> folders;
  bool withRuntimePackage = false;
  bool force = false;
  std::string runtimePackage;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--with-rtp") {
      withRuntimePackage = true;
    } else if (args[i] == "--rtp-folder" && i + 1 < args.size()) {
      runtimePackage = args[++i];
      withRuntimePackage = true;
    } else if (args[i] == "--force") {
      force = true;
    } else if (args[i].rfind("--", 0) == 0) {
      err << kUsage;
      return 2;
    } else {
      folders.push_back(args[i]);
    }
  }
  if (folders.size() != 2) {
    err << kUsage;
    return 2;
  }

  TGameDiskJob job;
  job.projectFolder = AbsoluteFolder(folders[0]);
  job.destination = AbsoluteFolder(folders[1]);
  job.includeRuntimePackage = withRuntimePackage;
  job.applicationFolder = EditorFolder();
  if (withRuntimePackage) {
    if (runtimePackage.empty()) {
      TSettings settings;
      runtimePackage = RuntimePackageFolder(settings, job.applicationFolder);
    }
    if (runtimePackage.empty()) {
      err << "tessaly-cli: no runtime package is registered; name one with --rtp-folder\n";
      return 1;
    }
    job.runtimePackageFolder = AbsoluteFolder(runtimePackage);
  }
  if (!IsFolder(job.projectFolder)) {
    err << "tessaly-cli: " << folders[0] << " is not a folder\n";
    return 1;
  }
  // A game disk of a damaged project would hand the damage to every player.
  if (const std::vector<TProjectProblem> problems = CheckProject(job.projectFolder); !problems.empty()) {
    err << ProblemLines(problems);
    if (!force) {
      err << "tessaly-cli: " << folders[0] << " has "
          << CountText(static_cast<long long>(problems.size()), "problem", "problems")
          << "; it is not packed (--force packs it anyway)\n";
      return 1;
    }
    err << "tessaly-cli: packing it anyway (--force)\n";
  }

  // The destination is made when missing and removed again when the disk cannot be made.
  std::error_code ec;
  const bool madeDestination = !fs::exists(job.destination) && fs::create_directories(job.destination, ec);
  if (ec) {
    // The reason the system gives (a read-only file system, a file in the way), not "does not exist".
    err << "tessaly-cli: cannot make the folder " << folders[1] << ": " << ec.message() << "\n";
    return 1;
  }
  // A work folder of our own, so an editor running beside us keeps its TESS_TEMP.
  const std::string scratch = MakeOwnedTempFolder("tessaly-pack");
  if (scratch.empty()) {
    err << "tessaly-cli: cannot make a work folder in " << TempFolder() << "\n";
    return 1;
  }
  job.workFolder = WithTrailingBackslash(scratch) + kGameDiskFolderName + "/";

  TGameDiskServices services;
  services.progress = [&out](int done, int total, const std::string& text) {
    out << "[" << done + 1 << "/" << total << "] " << text << "\n" << std::flush;
    return true;
  };
  // A folder, never a series of floppy disks: there is nobody to change them.
  services.drives.isFloppyDrive = [](const std::string&) { return false; };
  const TGameDiskResult result = CreateGameDisk(job, services);
  DeleteFolderTree(scratch);

  for (const std::string& note : result.notes) out << "note: " << note << "\n";
  for (const std::string& name : result.leftOut) out << "left out: " << name << " (not beside the program)\n";
  if (result.outcome == TGameDiskOutcome::Created) {
    out << kGameDiskCreatedText << "\n";
    return 0;
  }
  if (madeDestination) fs::remove(job.destination, ec);  // only when still empty
  err << "tessaly-cli: " << kGameDiskCancelledText;
  if (!result.detail.empty()) err << " " << result.detail;
  err << "\n";
  return 1;
}

}  // namespace tess::cli
