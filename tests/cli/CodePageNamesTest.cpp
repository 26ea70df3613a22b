#include <gtest/gtest.h>

#include <filesystem>

#include "core/AtomicFile.h"
#include "core/NameEncoding.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "media/PictureFile.h"
#include "platform/TextCodec.h"
#include "project/ProfileFile.h"
#include "tests/TestFolder.h"
#include "tests/cli/CliRun.h"

using namespace tess;
using namespace tess::test;
namespace fs = std::filesystem;

namespace {

TBitmap Picture(int width, int height) {
  TBitmap b(width, height, TPixelFormat::Indexed8);
  for (int i = 0; i < 256; ++i)
    b.Palette().push_back(TRgb{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i / 2)});
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.Row(y)[x] = static_cast<uint8_t>(1 + (x / 16 + y / 16) % 200);
  return b;
}

struct TCodePageCase {
  const char* codePage;
  std::string folderUtf8;    // the project folder, and the title in UTF-8
  std::string tilesetBytes;  // the tileset picture's stored name; its file is named in UTF-8
  std::string tilesetUtf8;
  std::string spriteBytes;  // the hero's sprite; its file is named with the raw bytes
};

const TCodePageCase kCases[] = {
    {"windows-1252", "M\xC3\xBChle", "M\xFChle", "M\xC3\xBChle",
     "Br\xFC"
     "cke"},
    // The second byte of the first character is 0x5C, a backslash in ASCII.
    {"Shift_JIS", "\xE8\xA1\xA8\xE7\xB4\x99", "\x95\x5C\x8E\x86", "\xE8\xA1\xA8\xE7\xB4\x99", "\x8A\x58"},
    {"GBK", "\xE6\xA3\xAE\xE6\x9E\x97", "\xC9\xAD\xC1\xD6", "\xE6\xA3\xAE\xE6\x9E\x97", "\xBD\xD6"},
};

// A project whose folder, title, tileset and sprite are named in the code page's characters.
std::string MakeProject(const TTestFolder& folder, const TCodePageCase& c) {
  const std::string project = folder.Sub(c.folderUtf8);
  fs::create_directories(project + "ChipSet");
  fs::create_directories(project + "CharSet");
  SavePictureFile(Picture(480, 256), project + "ChipSet/" + c.tilesetUtf8 + ".png");
  SavePictureFile(Picture(288, 256), project + "CharSet/" + c.spriteBytes + ".png");
  TLcfDataBase db;
  db.ResetDatabase();
  db.system.formatVersion = 2003;
  db.tilesets.Obtain(1)->chipSetFile = c.tilesetBytes;
  db.heroes.Obtain(1)->charSetFile = c.spriteBytes;
  db.SaveToFile(project + kDataBaseFileName);
  TLcfMapTree tree;
  tree.projectFolder = project;
  tree.AddNode(0, 0)->name = c.tilesetBytes;
  TLcfMapTreeItem* first = tree.AddNode(0, 1);
  first->nodeType = TLcfMapTreeItem::kMap;
  first->name = c.tilesetBytes;
  WriteFileAtomic(project + "TESS_RT.lmt", tree.SaveToBytes());
  TLcfMap map;
  map.SetWidth(20);
  map.SetHeight(15);
  map.tilesetId = 1;
  for (size_t i = 0; i < map.lower.cells.size(); ++i) map.lower.cells[i] = static_cast<uint16_t>(5000 + i % 144);
  map.SaveToProject(project, 1);
  WriteFileAtomic(project + "TESS_RT.ini", "[TESS_RT]\r\nGameTitle=" + c.tilesetBytes + "\r\n");
  WriteFileAtomic(project + "TESS_RT.exe", std::string("runtime"));
  return project;
}

}  // namespace

TEST(CodePageNames, ProjectsInEachCodePageCheckRenderAndPack) {
  for (const TCodePageCase& c : kCases) {
    SCOPED_TRACE(c.codePage);
    TTestFolder folder;
    const std::string project = MakeProject(folder, c);
    const std::vector<std::string> encoding{"--encoding", c.codePage, "--rtp-folder", ""};
    auto words = [&](std::vector<std::string> w) {
      w.insert(w.end(), encoding.begin(), encoding.end());
      return w;
    };

    const TCliRun check = RunCliWords(words({"check", project}));
    EXPECT_EQ(check.status, 0) << check.out << check.err;
    EXPECT_EQ(check.out, "ok\n");
    const TCliRun render = RunCliWords(words({"render-map", project, "1", folder / "map.png"}));
    EXPECT_EQ(render.status, 0) << render.err;
    TBitmap drawn;
    LoadPictureFile(drawn, folder / "map.png");
    EXPECT_EQ(drawn.Width(), 20 * 32);

    // The archive names the tileset in the code page, as the game's system unpacks it; the
    // installer's settings hold every value in the code page too.
    const TCliRun pack = RunCliWords(words({"pack", project, folder / "disk", "--force"}));
    ASSERT_EQ(pack.status, 0) << pack.err;
    EXPECT_TRUE(IsValidUtf8(pack.out)) << pack.out;
    const std::string archive = folder / ("disk/" + c.folderUtf8 + ".lzh");
    // lhasa unpacks the entries under those bytes.
    const std::string unpacked = folder.Sub("unpacked");
    const TCliRun lhasa = RunShell("cd '" + unpacked + "' && lhasa xq '" + archive + "'");
    ASSERT_EQ(lhasa.status, 0) << lhasa.out;
    EXPECT_TRUE(fs::is_regular_file(unpacked + "ChipSet/" + c.tilesetBytes + ".png"));
    EXPECT_TRUE(fs::is_regular_file(unpacked + "CharSet/" + c.spriteBytes + ".png"));
    const TProfileFile setup(folder / "disk/Setup.ini");
    EXPECT_EQ(setup.ReadString("Setup", "ProjectName", ""), c.tilesetBytes);
    EXPECT_EQ(setup.ReadString("Setup", "GameTitle", ""), c.tilesetBytes);
  }
}

TEST(CodePageNames, AMissingPictureIsNamedInBothForms) {
  TTestFolder folder;
  const std::string project = MakeProject(folder, kCases[0]);
  fs::remove(project + "ChipSet/" + kCases[0].tilesetUtf8 + ".png");
  const TCliRun check = RunCliWords({"check", project, "--rtp-folder", ""});
  EXPECT_EQ(check.status, 1);
  EXPECT_NE(check.out.find("ChipSet/M\xC3\xBChle (bytes 4D FC 68 6C 65)"), std::string::npos) << check.out;
  EXPECT_TRUE(IsValidUtf8(check.out + check.err));
}
