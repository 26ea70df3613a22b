// tessaly-cli events: the scripts of a project as the editor shows them, each under its header.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliCommands.h"
#include "core/AtomicFile.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "tests/TestFolder.h"

using namespace tess;

namespace {

struct TRun {
  int status;
  std::string out, err;
};

TRun Events(std::vector<std::string> words) {
  words.insert(words.begin(), "events");
  std::ostringstream out, err;
  const int status = cli::RunCli(words, out, err);
  return {status, out.str(), err.str()};
}

// A database with a hero named in the project's code page, a common event and a troop page; a map
// tree with two maps, the first with an event of two pages, the second's file damaged.
struct TProject {
  test::TTestFolder folder;
  TProject() {
    TLcfDataBase db;
    db.ResetDatabase();
    db.system.formatVersion = 2003;
    db.heroes.ItemAt(0)->name = "Ren\xE9";  // windows-1252
    TLcfCommonEventItem* common = db.commonEvents.ItemAt(0);
    common->name = "Heal";
    common->lines.InsertLine(0, std::make_unique<TLcfEventScriptLine>(10490, 0, "", std::vector<int32_t>{1, 1}));
    db.troops.ItemAt(0)->name = "Slimes";
    db.troops.ItemAt(0)->members.Append()->monsterId = 1;
    db.monsters.ItemAt(0)->name = "Slime";
    db.troops.ItemAt(0)->pages.ItemAt(0)->lines.InsertLine(
        0, std::make_unique<TLcfEventScriptLine>(13150, 0, "", std::vector<int32_t>{0}));
    db.SaveToFile(folder / "TESS_RT.ldb");

    TLcfMapTree tree;
    tree.AddNode(0, 0)->name = "Game";
    for (int id : {1, 2}) {
      TLcfMapTreeItem* node = tree.AddNode(0, id);
      node->nodeType = TLcfMapTreeItem::kMap;
      node->name = id == 1 ? "Town" : "Cave";
    }
    WriteFileAtomic(folder / "TESS_RT.lmt", tree.SaveToBytes());

    TLcfMap map;
    TLcfEventItem* event = map.events.Obtain(3);
    event->name = "Guard";
    event->x = 12;
    event->y = 5;
    // One line inside a loop, at depth 1.
    TLcfEventScriptList& lines = event->pages.ItemAt(0)->lines;
    lines.InsertLine(0, std::make_unique<TLcfEventScriptLine>(12210, 0));
    lines.InsertLine(1, std::make_unique<TLcfEventScriptLine>(10860, 1, "", std::vector<int32_t>{10005, 0, 1, 2, 0}));
    lines.InsertLine(2, std::make_unique<TLcfEventScriptLine>(22210, 0));
    event->pages.Obtain(2);
    map.SaveToProject(folder.Path(), 1);
    WriteFileAtomic(folder / "Map0002.lmu", std::string("LcfMapUnit broken"));
  }
};

}  // namespace

TEST(CliEvents, PrintsEveryScriptUnderItsHeader) {
  TProject p;
  const TRun all = Events({p.folder.Path()});
  EXPECT_EQ(all.out,
            "Map 0001:Town, Event 0003:Guard (012,005), Page 1\n"
            "<>Loop\n"
            "  <>Change Event Location: This Event, (001,002)\n"
            ": End Loop\n"
            "<>\n\n"
            "Map 0001:Town, Event 0003:Guard (012,005), Page 2\n"
            "<>\n\n"
            "Common Event 0001:Heal\n"
            "<>Full Heal: Ren\xC3\xA9\n"
            "<>\n\n"
            "Troop 0001:Slimes, Page 1\n"
            "<>Show Hidden Monster: 1:Slime\n"
            "<>\n\n");
  // The damaged map is named, and the status says something failed.
  EXPECT_EQ(all.status, 1);
  EXPECT_NE(all.err.find("Map0002.lmu"), std::string::npos);

  const TRun common = Events({p.folder.Path(), "--common"});
  EXPECT_EQ(common.status, 0);
  EXPECT_EQ(common.out, "Common Event 0001:Heal\n<>Full Heal: Ren\xC3\xA9\n<>\n\n");
  const TRun town = Events({p.folder.Path(), "--map", "1"});
  EXPECT_EQ(town.status, 0);
  EXPECT_EQ(town.out.rfind("Map 0001:Town", 0), 0u);
  EXPECT_EQ(town.out.find("Common Event"), std::string::npos);
}

TEST(CliEvents, RefusesWhatItCannotRead) {
  TProject p;
  struct {
    std::vector<std::string> words;
    int status;
  } cases[] = {
      {{}, 2},
      {{p.folder.Path(), "--map"}, 2},
      {{p.folder.Path(), "--map", "x"}, 2},
      {{p.folder.Path(), "--map", "0"}, 2},
      {{p.folder.Path(), "--map", "7"}, 1},  // no such map
      {{p.folder / "missing"}, 1},
      {{p.folder.Path(), "--map", "2"}, 1},  // its file is damaged
  };
  for (const auto& c : cases) EXPECT_EQ(Events(c.words).status, c.status) << ::testing::PrintToString(c.words);
}

// One --encoding option, anywhere on the command line, for every command that reads or writes text.
TEST(CliEvents, ReadsTextInTheEncodingNamed) {
  TProject p;
  // 0xE9 is "é" in windows-1252 and "й" in windows-1251.
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"events", p.folder.Path(), "--common", "--encoding", "windows-1251"},
        std::vector<std::string>{"--encoding=Windows-1251", "events", p.folder.Path(), "--common"}}) {
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCli(words, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), "Common Event 0001:Heal\n<>Full Heal: Ren\xD0\xB9\n<>\n\n");
  }
  // The next run without the option reads the default again.
  EXPECT_EQ(Events({p.folder.Path(), "--common"}).out, "Common Event 0001:Heal\n<>Full Heal: Ren\xC3\xA9\n<>\n\n");

  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"events", p.folder.Path(), "--encoding", "utf-8"},
        std::vector<std::string>{"events", p.folder.Path(), "--encoding"}}) {
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCli(words, out, err), 2);
    EXPECT_NE(err.str().find("encoding"), std::string::npos) << err.str();
    EXPECT_TRUE(out.str().empty());
  }
}
