#include <gtest/gtest.h>

#include <random>

#include "ProjectRunFixture.h"
#include "core/AtomicFile.h"
#include "project/EventSearch.h"
#include "project/ProjectDocument.h"
#include "script/EventCommandLines.h"
#include "script/EventCommands.h"
#include "tests/SampleProject.h"

using namespace tess;
using namespace tess::test;

namespace {

using Lines = std::vector<std::string>;
using K = TSearchKind;
using S = TSearchScope;

void Script(TLcfEventScriptList& script, const std::vector<TLcfEventScriptLine>& lines) {
  script.ClearLines();
  for (const TLcfEventScriptLine& line : lines) script.AppendLine(line);
  script.AppendLine(TLcfEventScriptLine());
}

TLcfEventItem* AddEvent(TLcfMap& map, int32_t id, const std::string& name, int x, int y) {
  TLcfEventItem* event = map.events.Obtain(id);
  event->name = name;
  event->x = x;
  event->y = y;
  return event;
}

// The root "Test"; map 1 "Village" (current) with area 2 in it; map 3 "Cave". Two common events.
struct Search : TProjectRun {
  TLcfDataBase db;
  TLcfMapTree tree;

  void SetUp() override {
    WriteSampleProject(folder);
    db.LoadDatabase(folder);
    db.commonEvents.Resize(2);
    db.commonEvents.ItemAt(0)->name = "Wake";
    Script(db.commonEvents.ItemAt(0)->lines, {{10210, 0, "", {0, 7, 7, 0}}, {10110, 0, "The chest creaks."}});
    Script(db.commonEvents.ItemAt(1)->lines, {{10220, 0, "", {0, 4, 4, 0, 0, 1, 0}}});
    db.SaveToFile(folder + "TESS_RT.ldb");

    tree.projectFolder = folder;
    tree.LoadTree();
    tree.FindById(1)->name = "Village";
    TLcfMapTreeItem* area = tree.AddNode(1, 2);
    area->nodeType = TLcfMapTreeItem::kArea;
    area->name = "Square";
    TLcfMapTreeItem* cave = tree.AddNode(0, 3);
    cave->nodeType = TLcfMapTreeItem::kMap;
    cave->name = "Cave";
    WriteFileAtomic(folder + "TESS_RT.lmt", tree.SaveToBytes());

    TLcfMap village;
    village.LoadFromProject(folder, 1);
    TLcfEventItem* chest = AddEvent(village, 1, "Chest", 3, 4);
    Script(chest->pages.Obtain(1)->lines, {{10210, 0, "", {1, 3, 5, 0}}, {10220, 0, "", {1, 3, 5, 0, 0, 0, 0}}});
    Script(chest->pages.Obtain(2)->lines,
           {{12010, 0, "", {0, 7, 0, 0, 0, 0}}, {10110, 1, "Open the CHEST?"}, {10, 1}, {22011, 0}});
    TLcfEventItem* guarded = AddEvent(village, 2, "CHEST", 12, 7);
    guarded->pages.ItemAt(0)->condition.flags = 1;
    guarded->pages.ItemAt(0)->condition.switchAId = 7;
    AddEvent(village, 3, "Chest2", 13, 7);
    village.SaveToProject(folder, 1);

    TLcfMap cave3;
    cave3.SetWidth(20);
    TLcfEventItem* guard = AddEvent(cave3, 1, "", 0, 0);
    Script(guard->pages.ItemAt(0)->lines, {{10210, 0, "", {0, 7, 7, 1}}, {10610, 0, "Chester", {1}}});
    cave3.SaveToProject(folder, 3);
  }

  TSearchResult Run(K kind, int32_t id, S scope, const std::string& text = {}, int32_t current = 1,
                    const TSearchProgress& progress = {}) {
    TSearchSource source{&db, &tree, folder, scratch, {}};
    return RunEventSearch(source, {kind, id, text, scope, current}, progress);
  }
  static Lines Texts(const TSearchResult& result) {
    Lines texts;
    for (const TSearchHit& hit : result.Lines()) texts.push_back(hit.text);
    return texts;
  }
};

}  // namespace

TEST_F(Search, ResultLinesOfEachScopeWithCommonEventsFirst) {
  EXPECT_EQ(Texts(Run(K::Switch, 7, S::AllMaps)),
            (Lines{"Common Event Name:0001:Wake", "Map Name: Village Event Name: 0001:Chest Page:   2",
                   "Map Name: Cave Event Name: 0001 Page:   1"}));
  EXPECT_EQ(Texts(Run(K::Switch, 7, S::CommonEvents)), (Lines{"Common Event Name:0001:Wake"}));
  EXPECT_EQ(Texts(Run(K::Variable, 4, S::CommonEvents)), (Lines{"Common Event Name:0002"}));
  // The branch is found; the page whose precondition is switch 7 is not.
  const TSearchResult current = Run(K::Switch, 7, S::CurrentMap);
  EXPECT_EQ(Texts(current), (Lines{"Event Name: Chest Page:   2"}));
  EXPECT_EQ(current.hits[0].place, (TSearchPlace{TSearchPlace::TKind::MapEvent, 1, 1, 2, 0, 3, 4}));
  EXPECT_EQ(Texts(Run(K::Switch, 7, S::CurrentMap, "", 3)), (Lines{"Event Name:  Page:   1"}));
}

TEST_F(Search, RangesAndTheEmptyResult) {
  for (int32_t id : {3, 4, 5}) EXPECT_EQ(Texts(Run(K::Variable, id, S::CurrentMap)), Lines{kNoMatchesFound}) << id;
  EXPECT_EQ(Texts(Run(K::Switch, 3, S::CurrentMap)), (Lines{"Event Name: Chest Page:   1"}));
  EXPECT_EQ(Texts(Run(K::Switch, 4, S::CurrentMap)), Lines{kNoMatchesFound});
  EXPECT_EQ(Texts(Run(K::Switch, 5, S::CurrentMap)), (Lines{"Event Name: Chest Page:   1"}));
}

TEST_F(Search, AreasAndTheRootHoldNoEvents) {
  for (int32_t node : {2, 0, 99}) EXPECT_EQ(Texts(Run(K::Switch, 7, S::CurrentMap, "", node)), Lines{kNoMatchesFound});
}

TEST_F(Search, EventNamesMatchWholeWithoutCaseAndOnlyOnMaps) {
  EXPECT_EQ(Texts(Run(K::EventName, 0, S::CurrentMap, "chest")), (Lines{"Loc:  (  3,  4)", "Loc:  ( 12,  7)"}));
  EXPECT_EQ(Texts(Run(K::EventName, 0, S::AllMaps, "CHEST2")), (Lines{"Map Name: Village Loc:  ( 13,  7)"}));
  EXPECT_EQ(Texts(Run(K::EventName, 0, S::CommonEvents, "Wake")), Lines{kNoMatchesFound});
  EXPECT_EQ(Texts(Run(K::EventName, 0, S::AllMaps, "Wake")), Lines{kNoMatchesFound});
}

TEST_F(Search, TextIsFoundInWordsAndNamesWithItsPlace) {
  const TSearchResult result = Run(K::Text, 0, S::AllMaps, "cHeSt");
  EXPECT_EQ(Texts(result), (Lines{"Common Event Name:0001:Wake Text: The chest creaks.",
                                  "Map Name: Village Event Name: 0001:Chest Loc:  (  3,  4)",
                                  "Map Name: Village Event Name: 0001:Chest Page:   2 Text: Open the CHEST?",
                                  "Map Name: Village Event Name: 0002:CHEST Loc:  ( 12,  7)",
                                  "Map Name: Village Event Name: 0003:Chest2 Loc:  ( 13,  7)",
                                  "Map Name: Cave Event Name: 0001 Page:   1 Text: Chester"}));
  EXPECT_EQ(result.hits[0].place, (TSearchPlace{TSearchPlace::TKind::CommonEvent, 0, 1, 0, 1}));
  EXPECT_EQ(result.hits[2].place, (TSearchPlace{TSearchPlace::TKind::MapEvent, 1, 1, 2, 1, 3, 4}));
  EXPECT_EQ(result.hits[3].place.page, 0);
  // Only the author's words: the branch's and the switch operation's parameters are not text.
  EXPECT_EQ(Texts(Run(K::Text, 0, S::CurrentMap, "7")), Lines{kNoMatchesFound});
}

TEST_F(Search, AMapThatCannotBeReadIsNamedAndTheSearchGoesOn) {
  WriteFileAtomic(folder + "Map0001.lmu", std::string("\x0aLcfMapUnit\x51\x05\x01", 15));
  std::filesystem::remove(folder + "Map0003.lmu");
  const TSearchResult result = Run(K::Switch, 7, S::AllMaps);
  const Lines texts = Texts(result);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], "Common Event Name:0001:Wake");
  EXPECT_EQ(texts[1].rfind("Map Name: Village Not searched: ", 0), 0u) << texts[1];
  EXPECT_EQ(texts[2].rfind("Map Name: Cave Not searched: ", 0), 0u) << texts[2];
  EXPECT_EQ(result.unreadMaps, 2);
  EXPECT_EQ(result.matches, 1);
  EXPECT_EQ(result.hits[2].place, (TSearchPlace{TSearchPlace::TKind::Map, 3}));
  // With nothing found, the summary still says so below the maps that were not read.
  EXPECT_EQ(Texts(Run(K::Switch, 5, S::CurrentMap)).back(), kNoMatchesFound);

  // A script whose lines decode but whose depths break its blocks is damage too: the matching
  // line before the break is not reported as found.
  TLcfMap cave;
  cave.SetWidth(20);
  Script(AddEvent(cave, 1, "Guard", 0, 0)->pages.ItemAt(0)->lines, {{10210, 0, "", {0, 7, 7, 1}}, {10110, 2, "x"}});
  cave.SaveToProject(folder, 3);
  const Lines cave3 = Texts(Run(K::Switch, 7, S::CurrentMap, "", 3));
  ASSERT_EQ(cave3.size(), 2u);
  EXPECT_EQ(cave3[0].rfind("Map Name: Cave Not searched: ", 0), 0u) << cave3[0];
  EXPECT_EQ(cave3[1], kNoMatchesFound);
}

TEST_F(Search, ACancelledSearchKeepsWhatItFound) {
  std::vector<std::pair<int, int>> steps;
  const TSearchResult result = Run(K::Switch, 7, S::AllMaps, "", 1, [&](int done, int total) {
    steps.emplace_back(done, total);
    return done < 1;
  });
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}}));
  EXPECT_EQ(Texts(result), (Lines{"Common Event Name:0001:Wake", "Map Name: Village Event Name: 0001:Chest Page:   2",
                                  "Search cancelled after 1 of 2 maps."}));
}

TEST_F(Search, PendingMapsAreReadFromTheirWorkCopies) {
  TProjectDocument document(base.Path());
  ASSERT_TRUE(document.Open(folder, scratch));
  ASSERT_TRUE(document.EditMap([](TLcfMap& map) {
    Script(AddEvent(map, 4, "Lever", 1, 1)->pages.ItemAt(0)->lines, {{10210, 0, "", {0, 9, 9, 0}}});
  }));
  document.StoreCurrentMap();
  TSearchSource source{&document.DataBase(), &document.MapTree(), folder, scratch, {}};
  const TSearchQuery query{K::Switch, 9, "", S::CurrentMap, document.MapTree().currentId};
  EXPECT_EQ(Texts(RunEventSearch(source, query)), (Lines{"Event Name: Lever Page:   1"}));
  EXPECT_EQ(Texts(Run(K::Switch, 9, S::CurrentMap)), Lines{kNoMatchesFound});  // the project's file
}

// The scan reads the files' scripts without loading the maps: it finds what matching the lines
// of the loaded maps finds, for every id, on maps of every command of the chooser.
TEST_F(Search, TheScanAgreesWithTheLoadedMaps) {
  std::mt19937 random(31);
  TLcfMap map;
  map.SetWidth(20);
  const auto codes = MapChooserCodes();
  for (int e = 1; e <= 12; ++e) {
    TLcfEventItem* event = AddEvent(map, e, "E" + std::to_string(e), e, e);
    for (int p = 1; p <= 2; ++p) {
      TLcfEventScriptList& lines = event->pages.Obtain(p)->lines;
      for (int j = 0; j < 10; ++j) {
        TLcfEventScriptLine opener = *NewCommandLines(codes[random() % codes.size()]).LineAt(0);
        for (int32_t& param : opener.params) param = static_cast<int32_t>(random() % 6);
        // The branches follow the parameters, as the command's window writes them.
        lines.InsertLinesFrom(lines.Count() - 1, BuildCommand(opener), 0);
      }
    }
  }
  map.SaveToProject(folder, 3);
  TLcfMap loaded;
  loaded.LoadFromProject(folder, 3);
  ASSERT_FALSE(loaded.LoadDamage()) << loaded.LoadDamage().Message();
  for (K kind : {K::Variable, K::Switch})
    for (int32_t id = 0; id < 6; ++id) {
      std::vector<TSearchPlace> expected;
      for (int e = 0; e < loaded.events.Count(); ++e)
        for (int p = 0; p < loaded.events.ItemAt(e)->pages.Count(); ++p) {
          const TLcfEventScriptList& lines = loaded.events.ItemAt(e)->pages.ItemAt(p)->lines;
          for (int i = 0; i < lines.Count(); ++i)
            if (kind == K::Variable ? IsFindVariable(*lines.LineAt(i), id) : IsFindSwitch(*lines.LineAt(i), id))
              expected.push_back({TSearchPlace::TKind::MapEvent, 3, e + 1, p + 1, i, e + 1, e + 1});
        }
      std::vector<TSearchPlace> found;
      for (const TSearchHit& hit : Run(kind, id, S::CurrentMap, "", 3).hits) found.push_back(hit.place);
      EXPECT_EQ(found, expected) << static_cast<int>(kind) << " " << id;
    }
}
