#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "core/AtomicFile.h"
#include "core/Stream.h"
#include "media/PictureFile.h"
#include "tools/rtpgen/RuntimePackage.h"
#include "tools/rtpgen/TilesetArt.h"

using namespace tess;
using namespace tess::rtp;
namespace fs = std::filesystem;

namespace {

fs::path ScratchFolder(const std::string& leaf) {
  fs::path p = fs::temp_directory_path() / ("tessaly-rtpgen-test-" + std::to_string(getpid())) / leaf;
  fs::remove_all(p);
  return p;
}

// Output of a command line and its exit status.
std::pair<std::string, int> RunCommand(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return {"", -1};
  std::array<char, 4096> buf;
  while (size_t n = fread(buf.data(), 1, buf.size(), pipe)) out.append(buf.data(), n);
  int status = pclose(pipe);
  return {out, status};
}

int Occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// What an import into each picture folder accepts: width and height ranges, 8 bits per pixel.
struct TRule {
  int minW, maxW, minH, maxH;
};
const std::map<std::string, TRule> kRules = {
    {"Backdrop", {320, 320, 160, 1 << 30}},  {"Battle", {1, 480, 1, 480}},           {"Battle2", {1, 960, 1, 960}},
    {"BattleCharSet", {144, 144, 384, 384}}, {"BattleWeapon", {192, 192, 512, 512}}, {"CharSet", {288, 288, 256, 256}},
    {"ChipSet", {480, 480, 256, 256}},       {"FaceSet", {192, 192, 192, 192}},      {"Frame", {320, 320, 240, 240}},
    {"GameOver", {320, 320, 240, 240}},      {"Monster", {16, 200, 16, 240}},        {"Panorama", {80, 640, 80, 480}},
    {"Picture", {1, 640, 1, 480}},           {"System", {160, 160, 80, 80}},         {"System2", {80, 80, 96, 96}},
    {"Title", {320, 320, 240, 240}},
};

class Package : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new fs::path(ScratchFolder("rtp"));
    files_ = WriteRuntimePackage(root_->string());
  }
  static void TearDownTestSuite() {
    fs::remove_all(root_->parent_path());
    delete root_;
  }
  static std::vector<fs::path> FilesIn(const std::string& folder) {
    std::vector<fs::path> v;
    for (auto& e : fs::directory_iterator(*root_ / folder)) v.push_back(e.path());
    std::sort(v.begin(), v.end());
    return v;
  }
  static fs::path* root_;
  static int files_;
};
fs::path* Package::root_ = nullptr;
int Package::files_ = 0;

}  // namespace

TEST_F(Package, EveryPictureLoadsAndPassesItsFolderRule) {
  ASSERT_EQ(MaterialFolders().size(), 19u);
  int pictures = 0;
  for (const auto& folder : MaterialFolders()) {
    ASSERT_TRUE(fs::is_directory(*root_ / folder)) << folder;
    auto rule = kRules.find(folder);
    if (rule == kRules.end()) continue;  // Movie, Music and Sound
    auto files = FilesIn(folder);
    EXPECT_FALSE(files.empty()) << folder;
    for (const auto& f : files) {
      SCOPED_TRACE(f.string());
      EXPECT_EQ(f.extension(), ".png");
      TBitmap b;
      ASSERT_NO_THROW(LoadPictureFile(b, f.string()));
      EXPECT_EQ(b.BitsPerPixel(), 8);
      const TRule& r = rule->second;
      EXPECT_GE(b.Width(), r.minW);
      EXPECT_LE(b.Width(), r.maxW);
      EXPECT_GE(b.Height(), r.minH);
      EXPECT_LE(b.Height(), r.maxH);
      ++pictures;
    }
  }
  EXPECT_TRUE(FilesIn("Movie").empty());
  EXPECT_EQ(pictures + int(FilesIn("Music").size() + FilesIn("Sound").size()), files_);
  EXPECT_GE(FilesIn("ChipSet").size(), 2u);
}

TEST_F(Package, TilesetFilesHoldExactlyTheDrawnPixels) {
  for (auto [name, draw] : {std::pair{"Field", &DrawFieldTileset}, std::pair{"Dungeon", &DrawDungeonTileset}}) {
    TBitmap loaded;
    LoadPictureFile(loaded, (*root_ / "ChipSet" / (std::string(name) + ".png")).string());
    EXPECT_TRUE(loaded == ToBitmap(AssembleTileset(draw()))) << name;
  }
}

TEST_F(Package, SongsParseAsGeneralMidi) {
  auto songs = FilesIn("Music");
  EXPECT_GE(songs.size(), 5u);
  for (const auto& f : songs) {
    SCOPED_TRACE(f.string());
    EXPECT_EQ(f.extension(), ".mid");
    auto [csv, status] = RunCommand("midicsv '" + f.string() + "'");
    ASSERT_EQ(status, 0) << csv;
    EXPECT_NE(csv.find("0, 0, Header, 1, 5, 480"), std::string::npos);
    EXPECT_EQ(Occurrences(csv, "Program_c"), 3);
    EXPECT_NE(csv.find("Control_c, 0, 111, 0"), std::string::npos);  // the loop point
    EXPECT_GT(Occurrences(csv, "Note_on_c"), 40);
    EXPECT_EQ(Occurrences(csv, "End_track"), 5);
  }
}

TEST_F(Package, SoundsAreSixteenBitMonoWaves) {
  auto sounds = FilesIn("Sound");
  EXPECT_GE(sounds.size(), 8u);
  for (const auto& f : sounds) {
    SCOPED_TRACE(f.string());
    EXPECT_EQ(f.extension(), ".wav");
    auto [info, status] = RunCommand("sox --i '" + f.string() + "'");
    ASSERT_EQ(status, 0) << info;
    EXPECT_NE(info.find("Channels       : 1"), std::string::npos) << info;
    EXPECT_NE(info.find("Sample Rate    : 22050"), std::string::npos) << info;
    EXPECT_NE(info.find("16-bit Signed Integer PCM"), std::string::npos) << info;
    auto [stat, ok] = RunCommand("sox '" + f.string() + "' -n stat");
    ASSERT_EQ(ok, 0) << stat;
    EXPECT_EQ(stat.find("clipped"), std::string::npos) << stat;
  }
}

TEST_F(Package, WritingAgainGivesTheSameBytesAndDropsStaleFilesOnlyInItsOwnFolder) {
  fs::path again = ScratchFolder("again");
  fs::create_directories(again / "Music");
  WriteFileAtomic((again / "Music" / "Old.mid").string(), std::string("x"));
  WriteRuntimePackage(again.string());
  // Without the package mark the folder is somebody else's: nothing of theirs is removed.
  EXPECT_TRUE(fs::exists(again / "Music" / "Old.mid"));
  WriteRuntimePackage(again.string());
  EXPECT_FALSE(fs::exists(again / "Music" / "Old.mid"));
  int compared = 0;
  for (const auto& folder : MaterialFolders())
    for (const auto& f : FilesIn(folder)) {
      EXPECT_EQ(ReadWholeFile(f.string()), ReadWholeFile((again / folder / f.filename()).string())) << f;
      ++compared;
    }
  EXPECT_EQ(compared, files_);
}
