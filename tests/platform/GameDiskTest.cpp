#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

#include "core/Errors.h"
#include "core/MaterialFiles.h"
#include "core/MessagePort.h"
#include "core/Unlha.h"
#include "platform/GameDisk.h"
#include "project/ProfileFile.h"
#include "tests/TempDir.h"

using namespace tess;
using namespace tess::test;
namespace fs = std::filesystem;

namespace {

std::string Noise(size_t size, uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& b : bytes) {
    seed = seed * 1103515245u + 12345u;
    b = static_cast<char>(seed >> 24);
  }
  return bytes;
}

// Every regular file below folder, by path relative to it, with its bytes.
std::map<std::string, std::string> FilesBelow(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file()) files[fs::relative(e.path(), folder).string()] = ReadText(e.path().string());
  return files;
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (!fs::exists(folder)) return names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The archive path of a game disk command line: the first quoted word.
std::string ArchiveOf(const std::string& commandLine) {
  const size_t open = commandLine.find('"');
  return commandLine.substr(open + 1, commandLine.find('"', open + 1) - open - 1);
}

int Shell(const std::string& command) { return std::system(command.c_str()); }

const char kProjectIni[] = "; kept as it is\r\n[TESS_RT]\r\nGameTitle=Hero's Tale\r\nMapEditMode=2\r\n";

// A small project folder with a runtime package, the installer files beside the "editor", a
// destination and a work folder.
struct TFixture {
  TTempDir dir;
  std::string project, rtp, app, dest, work;
  std::map<std::string, std::string> projectFiles, rtpFiles;

  explicit TFixture(const std::string& tag) : dir("gamedisk-" + tag) {
    project = dir / "games/My Game/";
    rtp = dir / "rtp/";
    app = dir / "tessaly/";
    dest = dir / "dest/";
    work = dir / "scratch/TESS_TEMP/GameDisk/";
    for (const std::string& folder : MaterialFolderNames()) fs::create_directories(project + folder);
    projectFiles = {
        {"TESS_RT.exe", "runtime"},
        {"TESS_RT.ldb", "LcfDataBase" + Noise(3000, 1)},
        {"TESS_RT.lmt", "LcfMapTree" + std::string(2000, 'x')},
        {"TESS_RT.ini", kProjectIni},
        {"Map0001.lmu", "LcfMapUnit" + Noise(70000, 2)},
        {"Map0002.lmu", "LcfMapUnit" + std::string(50000, '\0')},
        {"CharSet/Hero.png", Noise(5000, 3)},
        {"Music/Theme.mid", "MThd" + Noise(100, 4)},
        {"Picture/Sub Folder/deep.bmp", "BM" + std::string(900, 'b')},
    };
    for (const auto& [name, bytes] : projectFiles) WriteText(project + name, bytes);
    // Not named by the game disk: stays out of the archive.
    WriteText(project + "notes.txt", "private");
    WriteText(project + "Map0001.bak", "old");
    rtpFiles = {
        {"CharSet/Hero.png", "the package's own hero"},
        {"CharSet/Villain.png", Noise(4000, 5)},
        {"Sound/Hit.wav", "RIFF" + Noise(800, 6)},
        {"Title/Title.png", Noise(20000, 7)},
    };
    for (const auto& [name, bytes] : rtpFiles) WriteText(rtp + name, bytes);
    WriteText(app + "Setup.exe.dat", "installer");
    WriteText(app + "UNLHA32.DLL", "archiver library");
    WriteText(app + "UNLHA32.TXT", "archiver notes");
    fs::create_directories(dest);
  }

  TGameDiskJob Job(bool withRuntimePackage) const {
    TGameDiskJob job;
    job.projectFolder = project;
    job.destination = dest;
    job.includeRuntimePackage = withRuntimePackage;
    job.runtimePackageFolder = rtp;
    job.applicationFolder = app;
    job.workFolder = work;
    return job;
  }

  std::string ProjectIni() const { return ReadText(project + "TESS_RT.ini"); }
};

}  // namespace

TEST(GameDisk, SplitsIntoDiskPieces) {
  TTempDir dir("gamedisk-split");
  const struct {
    size_t size;
    std::vector<size_t> pieces;
  } cases[] = {
      {3000000, {480000, 1440000, 1080000}}, {400000, {400000}}, {480000, {480000}}, {480001, {480000, 1}},
      {1920000, {480000, 1440000}},          {0, {0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    fs::remove_all(dir / "pieces");
    fs::create_directories(dir / "pieces");
    const std::string data = Noise(c.size, 9);
    WriteText(dir / "Game.lzh", data);
    ASSERT_EQ(SplitFile(dir / "Game.lzh", dir / "pieces", kFirstDiskPieceSize, kDiskPieceSize),
              static_cast<int>(c.pieces.size()));
    std::string joined;
    std::vector<std::string> expectedNames;
    for (size_t k = 1; k <= c.pieces.size(); ++k) {
      const std::string name = DiskPieceName("Game.lzh", static_cast<int>(k));
      expectedNames.push_back(name);
      const std::string piece = ReadText(dir / ("pieces/" + name));
      EXPECT_EQ(piece.size(), c.pieces[k - 1]) << name;
      joined += piece;
    }
    EXPECT_EQ(NamesIn(dir / "pieces"), expectedNames);
    EXPECT_TRUE(joined == data);
  }
  EXPECT_EQ(DiskPieceName("Game.lzh", 1), "Game.001");
  EXPECT_EQ(DiskPieceName("My.Game.lzh", 12), "My.Game.012");
  EXPECT_EQ(DiskPieceName("Game", 3), "Game.003");
  EXPECT_THROW(SplitFile(dir / "missing.lzh", dir / "pieces", 10, 10), EFileError);
}

TEST(GameDisk, ResponseFileLists) {
  const std::string folders =
      "Backdrop\r\nBattle\r\nCharSet\r\nChipSet\r\nFaceSet\r\nGameOver\r\nMonster\r\nMovie\r\nMusic\r\nPanorama\r\n"
      "Picture\r\nSound\r\nSystem\r\nTitle\r\nBattle2\r\nBattleCharSet\r\nBattleWeapon\r\nFrame\r\nSystem2\r\n";
  const std::string files = "TESS_RT.exe\r\nTESS_RT.ldb\r\nTESS_RT.ini\r\nTESS_RT.lmt\r\nMap????.lmu\r\n";
  const struct {
    bool rtp;
    std::string iniCopy;
    std::string expected;
  } cases[] = {
      {false, "", "\"/games/My Game/\"\r\n" + folders + files},
      {true, "", "\"/opt/rtp/\"\r\n" + folders + "\"/games/My Game/\"\r\n" + folders + files + "\"/opt/rtp/\"\r\n"},
      {false, "/tmp/GameDisk/", "\"/games/My Game/\"\r\n" + folders + files + "\"/tmp/GameDisk/\"\r\nTESS_RT.ini\r\n"},
      {true, "/tmp/GameDisk",
       "\"/opt/rtp/\"\r\n" + folders + "\"/games/My Game/\"\r\n" + folders + files +
           "\"/tmp/GameDisk/\"\r\nTESS_RT.ini\r\n\"/opt/rtp/\"\r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GameDiskResponseText("/games/My Game", "/opt/rtp/", c.rtp, c.iniCopy), c.expected) << c.rtp << c.iniCopy;
  EXPECT_EQ(GameDiskCommandLine("/tmp/G D/My Game.lzh", "/tmp/G D/Response.lst"),
            "a -+ -r2 -d \"/tmp/G D/My Game.lzh\" @\"/tmp/G D/Response.lst\"");
  EXPECT_EQ(SetupIniText("My Game", "Hero's Tale", 3),
            "[Setup]\r\nProjectName=My Game\r\nGameTitle=Hero's Tale\r\nDiskNumber=3\r\n");
}

// A whole game disk into a folder, checked with lhasa: the archive tests clean and unpacks to the
// project's files over the runtime package's, with the settings copy carrying the flag.
TEST(GameDisk, PacksProjectIntoFolder) {
  const struct { bool rtp; } cases[] = {{true}, {false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rtp);
    TFixture f(c.rtp ? "pack-rtp" : "pack");
    // The files of an earlier disk are replaced without asking, read-only ones too.
    WriteText(f.dest + "Setup.ini", "from an earlier disk");
    fs::permissions(f.dest + "Setup.ini", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    std::vector<std::string> steps;
    int lastTotal = 0;
    TGameDiskServices services;
    services.progress = [&](int done, int total, const std::string& text) {
      EXPECT_EQ(done, static_cast<int>(steps.size()));
      steps.push_back(text);
      lastTotal = total;
      return true;
    };
    services.drives.isFloppyDrive = [](const std::string&) { return false; };
    const TGameDiskResult result = CreateGameDisk(f.Job(c.rtp), services);
    ASSERT_EQ(result.outcome, TGameDiskOutcome::Created) << result.detail;
    EXPECT_TRUE(result.notes.empty());
    EXPECT_EQ(result.diskCount, 0);
    EXPECT_EQ(lastTotal, static_cast<int>(steps.size()));

    EXPECT_EQ(NamesIn(f.dest),
              (std::vector<std::string>{"My Game.lzh", "Setup.exe", "Setup.ini", "UNLHA32.DLL", "UNLHA32.TXT"}));
    EXPECT_EQ(ReadText(f.dest + "Setup.ini"),
              "[Setup]\r\nProjectName=My Game\r\nGameTitle=Hero's Tale\r\nDiskNumber=0\r\n");
    EXPECT_EQ(ReadText(f.dest + "Setup.exe"), "installer");
    EXPECT_EQ(f.ProjectIni(), kProjectIni);
    EXPECT_FALSE(fs::exists(f.work));

    if (Shell("command -v lha > /dev/null 2>&1") != 0) GTEST_SKIP() << "lhasa is not installed";
    const std::string archive = f.dest + "My Game.lzh";
    EXPECT_EQ(Shell("lha t '" + archive + "' > /dev/null"), 0);
    const std::string out = f.dir / "unpacked";
    fs::create_directories(out);
    ASSERT_EQ(Shell("cd '" + out + "' && lha xq '" + archive + "'"), 0);
    std::map<std::string, std::string> expected;
    if (c.rtp) expected = f.rtpFiles;
    for (const auto& [name, bytes] : f.projectFiles) expected[name] = bytes;
    expected["TESS_RT.ini"] = std::string(kProjectIni) + (c.rtp ? "FullPackageFlag=1\r\n" : "");
    EXPECT_EQ(FilesBelow(out), expected);
    for (const std::string& folder : MaterialFolderNames()) EXPECT_TRUE(fs::is_directory(out + "/" + folder));
  }
}

TEST(GameDisk, FlagNeverReachesTheProjectSettings) {
  const struct {
    const char* name;
    bool rtp;
    int archiverResult;  // -1: the archiver raises after writing the archive
    TGameDiskOutcome outcome;
  } cases[] = {
      {"archiver fails", true, kUnlhaReadError, TGameDiskOutcome::Failed},
      {"archiver dies", true, -1, TGameDiskOutcome::Failed},
      {"archiver succeeds", true, kUnlhaOk, TGameDiskOutcome::Created},
      {"without package", false, kUnlhaOk, TGameDiskOutcome::Created},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFixture f("flag");
    // A flag left behind earlier is removed, every other line kept.
    WriteText(f.project + "TESS_RT.ini", std::string(kProjectIni) + "FullPackageFlag=1\r\n");
    TGameDiskServices services;
    services.drives.isFloppyDrive = [](const std::string&) { return false; };
    int calls = 0;
    services.archiver = [&](const std::string& command, char* output, size_t size) {
      ++calls;
      EXPECT_EQ(f.ProjectIni(), kProjectIni);
      TProfileFile copy(f.work + "TESS_RT.ini");
      EXPECT_EQ(copy.ReadString("TESS_RT", "FullPackageFlag", "absent"), c.rtp ? "1" : "absent");
      EXPECT_EQ(copy.ReadString("TESS_RT", "GameTitle", ""), "Hero's Tale");
      if (c.archiverResult != kUnlhaOk && c.archiverResult != -1) return c.archiverResult;
      const int result = Unlha(command, output, size);
      if (c.archiverResult == -1) throw std::runtime_error("access violation");
      return result;
    };
    const TGameDiskResult result = CreateGameDisk(f.Job(c.rtp), services);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(result.outcome, c.outcome) << result.detail;
    EXPECT_EQ(f.ProjectIni(), kProjectIni);
    EXPECT_FALSE(fs::exists(f.work));
    if (c.outcome != TGameDiskOutcome::Created) {
      EXPECT_FALSE(result.detail.empty());
      EXPECT_TRUE(NamesIn(f.dest).empty());
    }
  }
}

// Cancelling before any step leaves the destination as it was, files of an earlier disk included.
TEST(GameDisk, CancelAtAnyStepLeavesNothingBehind) {
  int steps = 0;
  for (int cancelAt = 0;; ++cancelAt) {
    SCOPED_TRACE(cancelAt);
    TFixture f("cancel");
    WriteText(f.dest + "Setup.ini", "from an earlier disk");
    TGameDiskServices services;
    services.drives.isFloppyDrive = [](const std::string&) { return false; };
    services.progress = [&](int done, int total, const std::string&) {
      steps = total;
      return done != cancelAt;
    };
    const TGameDiskResult result = CreateGameDisk(f.Job(true), services);
    if (cancelAt >= steps) {
      EXPECT_EQ(result.outcome, TGameDiskOutcome::Created);
      break;
    }
    EXPECT_EQ(result.outcome, TGameDiskOutcome::Cancelled);
    EXPECT_TRUE(result.detail.empty());
    EXPECT_EQ(NamesIn(f.dest), std::vector<std::string>{"Setup.ini"});
    EXPECT_EQ(ReadText(f.dest + "Setup.ini"), "from an earlier disk");
    EXPECT_EQ(f.ProjectIni(), kProjectIni);
    EXPECT_FALSE(fs::exists(f.work));
  }
  EXPECT_EQ(steps, 9);
}

TEST(GameDisk, RefusesWhatCannotBePacked) {
  const struct {
    const char* name;
    std::function<void(TFixture&, TGameDiskJob&)> change;
  } cases[] = {
      {"no scratch folder", [](TFixture&, TGameDiskJob& j) { j.workFolder = ""; }},
      {"relative work folder", [](TFixture&, TGameDiskJob& j) { j.workFolder = "GameDisk/"; }},
      {"work folder of another name", [](TFixture& f, TGameDiskJob& j) { j.workFolder = f.dir / "scratch/"; }},
      {"project in the work folder",
       [](TFixture& f, TGameDiskJob& j) {
         fs::rename(f.project, f.work + "My Game");
         j.projectFolder = f.work + "My Game/";
       }},
      {"work folder in the project", [](TFixture& f, TGameDiskJob& j) { j.workFolder = f.project + "GameDisk/"; }},
      {"missing destination", [](TFixture& f, TGameDiskJob& j) { j.destination = f.dir / "nowhere/"; }},
      {"destination in the work folder", [](TFixture& f, TGameDiskJob& j) { j.destination = f.work + "out/"; }},
      {"missing package", [](TFixture& f, TGameDiskJob& j) { j.runtimePackageFolder = f.dir / "no-rtp/"; }},
      {"no package registered", [](TFixture&, TGameDiskJob& j) { j.runtimePackageFolder = ""; }},
      {"quote in the project path",
       [](TFixture& f, TGameDiskJob& j) {
         fs::rename(f.project, f.dir / "games/My \"Game\"");
         j.projectFolder = f.dir / "games/My \"Game\"/";
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFixture f("refuse");
    TGameDiskJob job = f.Job(true);
    fs::create_directories(f.work + "out");
    WriteText(f.work + "left.txt", "left by an earlier run");
    c.change(f, job);
    TGameDiskServices services;
    services.drives.isFloppyDrive = [](const std::string&) { return false; };
    const TGameDiskResult result = CreateGameDisk(job, services);
    EXPECT_EQ(result.outcome, TGameDiskOutcome::Failed);
    EXPECT_FALSE(result.detail.empty());
    EXPECT_TRUE(NamesIn(f.dest).empty());
    // A refused run touches no folder, not even its work folder.
    EXPECT_TRUE(fs::exists(f.work + "left.txt"));
    EXPECT_EQ(ReadText(job.projectFolder + "TESS_RT.exe"), "runtime");
  }
}

TEST(GameDisk, MissingInstallerFilesAreLeftOutWithoutANote) {
  TFixture f("installer");
  fs::remove(f.app + "UNLHA32.DLL");
  fs::remove(f.app + "Setup.exe.dat");
  TGameDiskServices services;
  services.drives.isFloppyDrive = [](const std::string&) { return false; };
  const TGameDiskResult result = CreateGameDisk(f.Job(false), services);
  ASSERT_EQ(result.outcome, TGameDiskOutcome::Created) << result.detail;
  // Our package ships no installer: its absence is nothing the user can act on.
  EXPECT_TRUE(result.notes.empty());
  EXPECT_EQ(result.leftOut, (std::vector<std::string>{"Setup.exe", "UNLHA32.DLL"}));
  EXPECT_EQ(NamesIn(f.dest), (std::vector<std::string>{"My Game.lzh", "Setup.ini", "UNLHA32.TXT"}));
}

// A floppy drive played by the tests: the archive of 3,000,000 bytes goes onto three disks; each
// "disk change" moves the drive's files into a folder of their own.
TEST(GameDisk, SpreadsOverFloppyDisks) {
  TFixture f("floppy");
  const std::string archiveBytes = Noise(3000000, 11);
  TScriptedMessages messages;
  TGameDiskServices services;
  services.messages = &messages;
  services.archiver = [&](const std::string& command, char*, size_t) {
    WriteText(ArchiveOf(command), archiveBytes);
    return 0;
  };
  int checks = 0, disksTaken = 0;
  services.drives.isFloppyDrive = [&](const std::string& path) {
    EXPECT_EQ(path, f.dest);
    ++checks;
    if (!NamesIn(f.dest).empty()) fs::rename(f.dest, f.dir / ("disk" + std::to_string(++disksTaken)));
    fs::create_directories(f.dest);
    // The third check: the disk was taken out before the prompt was confirmed.
    return checks != 3;
  };
  messages.answers.assign(5, TMessageResult::Ok);
  const TGameDiskResult result = CreateGameDisk(f.Job(false), services);
  ASSERT_EQ(result.outcome, TGameDiskOutcome::Created) << result.detail;
  EXPECT_EQ(result.diskCount, 3);
  std::vector<std::string> shown;
  for (const auto& s : messages.shown) shown.push_back(s.text);
  EXPECT_EQ(shown, (std::vector<std::string>{"3 1.44MB floppy disks are necessary to continue.",
                                             "Please insert disk number 1.", "Please insert disk number 2.",
                                             "Please insert disk number 2.", "Please insert disk number 3."}));
  EXPECT_EQ(messages.shown[1].style, (TMessageStyle{TMessageIcon::Information, TMessageButtons::OkCancel}));
  const std::string disk1 = f.dir / "disk1/", disk2 = f.dir / "disk2/";
  EXPECT_EQ(NamesIn(disk1),
            (std::vector<std::string>{"My Game.001", "Setup.exe", "Setup.ini", "UNLHA32.DLL", "UNLHA32.TXT"}));
  EXPECT_EQ(NamesIn(disk2), std::vector<std::string>{"My Game.002"});
  EXPECT_EQ(NamesIn(f.dest), std::vector<std::string>{"My Game.003"});
  EXPECT_EQ(ReadText(disk1 + "Setup.ini"),
            "[Setup]\r\nProjectName=My Game\r\nGameTitle=Hero's Tale\r\nDiskNumber=3\r\n");
  const std::string joined =
      ReadText(disk1 + "My Game.001") + ReadText(disk2 + "My Game.002") + ReadText(f.dest + "My Game.003");
  EXPECT_EQ(ReadText(disk1 + "My Game.001").size(), 480000u);
  EXPECT_EQ(ReadText(disk2 + "My Game.002").size(), 1440000u);
  EXPECT_TRUE(joined == archiveBytes);
}

TEST(GameDisk, DiskPromptsEnd) {
  const struct {
    const char* name;
    int answers;        // OK answers before the port says Cancel
    bool diskInserted;  // whether the drive ever holds a usable disk after the first check
    TGameDiskOutcome outcome;
  } cases[] = {
      {"cancelled at the first disk", 1, true, TGameDiskOutcome::Cancelled},
      {"no usable disk, user keeps saying OK", 100, false, TGameDiskOutcome::Failed},
      {"no usable disk, then cancel", 4, false, TGameDiskOutcome::Cancelled},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFixture f("prompts");
    TScriptedMessages messages;
    messages.answers.assign(c.answers, TMessageResult::Ok);
    TGameDiskServices services;
    services.messages = &messages;
    int checks = 0;
    services.drives.isFloppyDrive = [&](const std::string&) { return ++checks == 1 || c.diskInserted; };
    const TGameDiskResult result = CreateGameDisk(f.Job(true), services);
    EXPECT_EQ(result.outcome, c.outcome) << result.detail;
    EXPECT_LE(messages.shown.size(), static_cast<size_t>(1 + kDiskPromptLimit));
    EXPECT_TRUE(NamesIn(f.dest).empty());
    EXPECT_EQ(f.ProjectIni(), kProjectIni);
    EXPECT_FALSE(fs::exists(f.work));
  }
}

TEST(GameDisk, ChecksTheChosenPath) {
  TTempDir dir("gamedisk-path");
  fs::create_directories(dir / "there");
  const std::string floppyRoot = "/media/floppy/";
  TDriveQueries drives;
  drives.isFloppyDrive = [&](const std::string& p) { return p.rfind(floppyRoot, 0) == 0; };
  drives.isDriveRoot = [&](const std::string& p) { return p == floppyRoot; };
  drives.isCdRomDrive = [](const std::string& p) { return p.rfind("/media/cdrom/", 0) == 0; };
  drives.driveExists = [](const std::string& p) { return p.rfind("/media/gone/", 0) != 0; };
  const struct {
    std::string path;
    TDiskPathCheck expected;
  } cases[] = {
      {floppyRoot, TDiskPathCheck::Accept},           {floppyRoot + "games/", TDiskPathCheck::NotSettable},
      {"/media/cdrom/", TDiskPathCheck::NotSettable}, {"/media/gone/games/", TDiskPathCheck::NoDevice},
      {dir / "there/", TDiskPathCheck::Accept},       {dir / "not yet/", TDiskPathCheck::AskCreate},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckDiskPath(c.path, drives), c.expected) << c.path;

  const struct {
    const char* text;
    bool valid;
  } texts[] = {{"/", true}, {"/home/games", true}, {"", false}, {"games", false}, {"//server/share", false}};
  for (const auto& t : texts) EXPECT_EQ(DiskPathLooksValid(t.text), t.valid) << t.text;
}
