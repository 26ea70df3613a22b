// The demo project: it passes the project check, every cell holds a tile id its layer may hold,
// every picture, song and sound it names is in the runtime package, and every way from map to
// map ends on open ground.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/Stream.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "tests/TestFolder.h"
#include "tools/rtpgen/DemoProject.h"
#include "tools/rtpgen/RuntimePackage.h"

using namespace tess;
using namespace tess::rtp;
namespace fs = std::filesystem;

namespace {

std::pair<std::string, int> RunCommand(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return {"", -1};
  std::array<char, 4096> buf;
  while (size_t n = fread(buf.data(), 1, buf.size(), pipe)) out.append(buf.data(), n);
  return {out, pclose(pipe)};
}

// The ids a layer may hold: water with its corner bits, the three animated tiles (with the shape
// the pen gives them), the autotile blocks and the chips on the lower layer; the upper chips on the
// upper layer.
bool IsLowerTile(int id) {
  return (id >= 0 && id < 3000 && id % 1000 < 800) || (id >= 3000 && id < 3150) || (id >= 4000 && id < 4600) ||
         (id >= 5000 && id <= 5143);
}
bool IsUpperTile(int id) { return id >= 10000 && id <= 10143; }

int ChipIndex(int lowerId) {
  if (lowerId < 3000) return lowerId / 1000;
  if (lowerId < 4000) return (lowerId - 3000) / 50 + 3;
  if (lowerId < 5000) return (lowerId - 4000) / 50 + 6;
  return lowerId - 4982;
}

class Demo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new test::TTestFolder;
    project_ = folder_->Path() + "DemoGame/";
    WriteDemoProject(project_, TESS_BINARY_DIR "/app");
    db_ = new TLcfDataBase;
    ASSERT_TRUE(db_->LoadDatabase(project_));
    tree_ = new TLcfMapTree;
    tree_->projectFolder = project_;
    tree_->LoadTree();
    for (int i = 0; i < tree_->Count(); ++i) {
      const TLcfMapTreeItem* node = tree_->ItemAt(i);
      if (!node->IsMap()) continue;
      auto map = std::make_unique<TLcfMap>();
      map->LoadFromProject(project_, node->Id());
      maps_[node->Id()] = std::move(map);
    }
  }
  static void TearDownTestSuite() {
    maps_.clear();
    delete tree_;
    delete db_;
    delete folder_;
  }

  // Whether the party can stand on (x, y) of a map: its ground and any object on it let it pass.
  static bool Walkable(const TLcfMap& map, int x, int y) {
    if (!map.lower.Contains(x, y)) return false;
    const TLcfChipSetItem* tileset = db_->tilesets.FindById(map.tilesetId);
    if (!tileset) return false;
    if ((tileset->GetLowerFlags(ChipIndex(map.lower.GetCell(x, y))) & 15) == 0) return false;
    const int upper = map.upper.GetCell(x, y) - 10000;
    return upper == 0 || (tileset->GetUpperFlags(upper) & 15) != 0;
  }

  static test::TTestFolder* folder_;
  static std::string project_;
  static TLcfDataBase* db_;
  static TLcfMapTree* tree_;
  static std::map<int32_t, std::unique_ptr<TLcfMap>> maps_;
};
test::TTestFolder* Demo::folder_ = nullptr;
std::string Demo::project_;
TLcfDataBase* Demo::db_ = nullptr;
TLcfMapTree* Demo::tree_ = nullptr;
std::map<int32_t, std::unique_ptr<TLcfMap>> Demo::maps_;

// Every script line of a page, common event or troop page, with the place it was found.
template <class TVisit>
void ForEachScript(const TLcfDataBase& db, const std::map<int32_t, std::unique_ptr<TLcfMap>>& maps, TVisit visit) {
  for (const auto& [id, map] : maps)
    for (int e = 0; e < map->events.Count(); ++e) {
      const TLcfEventItem* event = map->events.ItemAt(e);
      for (int p = 0; p < event->pages.Count(); ++p)
        visit(event->pages.ItemAt(p)->lines, MapFileName(id) + " " + event->name, event->pages.ItemAt(p));
    }
  for (int i = 0; i < db.commonEvents.Count(); ++i) visit(db.commonEvents.ItemAt(i)->lines, "common event", nullptr);
  for (int i = 0; i < db.troops.Count(); ++i)
    for (int p = 0; p < db.troops.ItemAt(i)->pages.Count(); ++p)
      visit(db.troops.ItemAt(i)->pages.ItemAt(p)->lines, "troop page", nullptr);
}

}  // namespace

TEST_F(Demo, PassesTheProjectCheckFreshAndAsBuilt) {
  for (const std::string& project : {project_, std::string(TESS_BINARY_DIR "/demo/DemoGame")}) {
    SCOPED_TRACE(project);
    ASSERT_TRUE(fs::exists(fs::path(project) / "TESS_RT.exe"));
    auto [out, status] = RunCommand(TESS_BINARY_DIR "/cli/tessaly-cli check '" + project + "'");
    EXPECT_EQ(status, 0) << out;
  }
}

TEST_F(Demo, TheRuntimeFindsItSoundForPlayAndBattleTest) {
  for (const char* words : {"TestPlay HideTitle Window", "BattleTest HideTitle Window 5 0 0 6"}) {
    auto [out, status] = RunCommand("cd '" + project_ + "' && ./TESS_RT.exe " + words);
    EXPECT_EQ(status, 0) << words << "\n" << out;
    EXPECT_NE(out.find("result: sound"), std::string::npos) << out;
  }
  fs::remove(project_ + "tess-rt.log");  // the runtime's report, which the other tests do not expect
}

TEST_F(Demo, MapsHaveTheirSizesTilesetsAndPlaceInTheTree) {
  struct TExpect {
    int32_t id, parent, width, height, tileset;
  };
  for (const TExpect& e : {TExpect{kDemoVillage, 0, 40, 30, 1}, TExpect{kDemoInn, kDemoVillage, 20, 15, 1},
                           TExpect{kDemoField, 0, 60, 45, 1}, TExpect{kDemoDungeon, kDemoField, 30, 30, 2}}) {
    SCOPED_TRACE(e.id);
    ASSERT_TRUE(maps_.count(e.id));
    const TLcfMap& map = *maps_[e.id];
    EXPECT_EQ(tree_->FindById(e.id)->parentId, e.parent);
    EXPECT_EQ(map.width, e.width);
    EXPECT_EQ(map.height, e.height);
    EXPECT_EQ(map.tilesetId, e.tileset);
    EXPECT_GT(map.events.Count(), 2);
  }
  const TLcfMapTreeItem* woods = tree_->FindById(kDemoWoods);
  ASSERT_TRUE(woods && woods->IsArea());
  EXPECT_EQ(woods->parentId, kDemoField);
  EXPECT_LT(woods->areaRect[0], woods->areaRect[2]);
  EXPECT_LE(woods->areaRect[2], maps_[kDemoField]->width);
  EXPECT_LE(woods->areaRect[3], maps_[kDemoField]->height);
}

TEST_F(Demo, EveryCellIsATileOfItsLayer) {
  for (const auto& [id, map] : maps_) {
    SCOPED_TRACE(MapFileName(id));
    for (int y = 0; y < map->height; ++y)
      for (int x = 0; x < map->width; ++x) {
        EXPECT_TRUE(IsLowerTile(map->lower.GetCell(x, y))) << x << "," << y << ": " << map->lower.GetCell(x, y);
        EXPECT_TRUE(IsUpperTile(map->upper.GetCell(x, y))) << x << "," << y << ": " << map->upper.GetCell(x, y);
      }
  }
}

// The maps are drawn as the editor's tools draw them: repairing their shapes changes nothing, and
// their water and autotiles do carry shapes.
TEST_F(Demo, FixupChangesNoCell) {
  for (const auto& [id, map] : maps_) {
    const auto [out, status] = RunCommand("'" TESS_BINARY_DIR "/cli/tessaly-cli' fixup '" + project_ + "' " +
                                          std::to_string(id) + " --rtp-folder '" TESS_BINARY_DIR "/app/RTP'");
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(out, "0 cells changed\n") << MapFileName(id);
    const auto& cells = map->lower.cells;
    const bool hasShapedKinds = std::any_of(cells.begin(), cells.end(), [](uint16_t c) { return c < 4600; });
    const bool shaped = std::any_of(cells.begin(), cells.end(), [](uint16_t c) { return c < 4600 && c % 50 != 0; });
    EXPECT_EQ(shaped, hasShapedKinds) << MapFileName(id);
  }
}

TEST_F(Demo, EveryMaterialItNamesIsInTheRuntimePackage) {
  std::set<std::pair<std::string, std::string>> package;
  for (const auto& p : DrawPackagePictures()) package.insert({p.folder, p.name});
  for (const auto& s : MakePackageSounds()) package.insert({s.folder, fs::path(s.name).stem().string()});

  std::vector<std::tuple<std::string, std::string, std::string>> named;  // folder, name, where
  auto need = [&](const std::string& folder, const std::string& name, const std::string& where) {
    if (!name.empty() && name != kNoSoundName) named.emplace_back(folder, name, where);
  };
  const TLcfSystem& s = db_->system;
  need("Title", s.titleName, "title");
  need("GameOver", s.gameOverName, "game over");
  need("System", s.systemGraphic, "system graphic");
  need("System2", s.battleGraphic, "battle graphic");
  need("Frame", s.frameName, "frame");
  need("Backdrop", s.troopPreviewBackdrop, "troop preview");
  for (const TLcfMusic* m : {&s.titleMusic, &s.battleMusic, &s.victoryMusic, &s.innMusic, &s.skiffMusic, &s.shipMusic,
                             &s.airshipMusic, &s.gameOverMusic})
    need("Music", m->name, "system music");
  for (const TLcfSound* m : {&s.cursorSound, &s.decisionSound, &s.cancelSound, &s.buzzerSound, &s.battleStartSound,
                             &s.escapeSound, &s.enemyAttackSound, &s.enemyDamagedSound, &s.allyDamagedSound,
                             &s.evasionSound, &s.enemyDefeatedSound, &s.itemSound})
    need("Sound", m->name, "system sound");
  for (int i = 0; i < db_->heroes.Count(); ++i) {
    need("CharSet", db_->heroes.ItemAt(i)->charSetFile, "hero");
    need("FaceSet", db_->heroes.ItemAt(i)->faceSetFile, "hero");
  }
  for (int i = 0; i < db_->monsters.Count(); ++i) need("Monster", db_->monsters.ItemAt(i)->monsterFile, "monster");
  for (int i = 0; i < db_->skills.Count(); ++i) need("Sound", db_->skills.ItemAt(i)->sound.name, "skill");
  for (int i = 0; i < db_->animations.Count(); ++i) {
    const TLcfAnimationItem* a = db_->animations.ItemAt(i);
    need(a->largeCells ? "Battle2" : "Battle", a->animationFile, "animation " + a->name);
    for (int t = 0; t < a->timings.Count(); ++t) need("Sound", a->timings.ItemAt(t)->sound.name, "animation");
  }
  for (int i = 0; i < db_->battlerAnimations.Count(); ++i) {
    const TLcfAnimation2Item* b = db_->battlerAnimations.ItemAt(i);
    for (int p = 0; p < b->poses.Count(); ++p) need("BattleCharSet", b->poses.ItemAt(p)->sheetFile, "battler");
    for (int w = 0; w < b->weapons.Count(); ++w) need("BattleWeapon", b->weapons.ItemAt(w)->sheetFile, "battler");
  }
  for (int i = 0; i < db_->terrain.Count(); ++i) {
    need("Backdrop", db_->terrain.ItemAt(i)->backdropFile, "terrain");
    need("Sound", db_->terrain.ItemAt(i)->footstepSound.name, "terrain");
  }
  for (int i = 0; i < db_->tilesets.Count(); ++i) need("ChipSet", db_->tilesets.ItemAt(i)->chipSetFile, "tileset");
  for (int i = 0; i < tree_->Count(); ++i) {
    need("Music", tree_->ItemAt(i)->music.name, "map tree");
    need("Backdrop", tree_->ItemAt(i)->backdropName, "map tree");
  }
  ForEachScript(*db_, maps_,
                [&](const TLcfEventScriptList& script, const std::string& where, const TLcfEventPageItem* page) {
                  if (page) need("CharSet", page->graphicName, where);
                  for (int l = 0; l < script.Count(); ++l) {
                    const TLcfEventScriptLine& line = *script.LineAt(l);
                    if (line.code == 10130) need("FaceSet", line.text, where);
                    if (line.code == 11510) need("Music", line.text, where);
                    if (line.code == 11550) need("Sound", line.text, where);
                  }
                });

  EXPECT_GT(named.size(), 60u);
  std::set<std::string> folders;
  for (const auto& [folder, name, where] : named) {
    EXPECT_TRUE(package.count({folder, name})) << folder << "/" << name << " named by " << where;
    folders.insert(folder);
  }
  // The demo shows off nearly every kind of material.
  EXPECT_GE(folders.size(), 15u);
}

TEST_F(Demo, EveryWayInEndsOnOpenGroundInsideItsMap) {
  const TLcfMapStartPosition& start = tree_->startPositions;
  ASSERT_TRUE(maps_.count(start.partyMapId));
  EXPECT_TRUE(Walkable(*maps_[start.partyMapId], start.partyX, start.partyY));
  int teleports = 0;
  std::set<int32_t> reached;
  ForEachScript(*db_, maps_,
                [&](const TLcfEventScriptList& script, const std::string& where, const TLcfEventPageItem*) {
                  for (int l = 0; l < script.Count(); ++l) {
                    const TLcfEventScriptLine& line = *script.LineAt(l);
                    if (line.code != 10810) continue;
                    ++teleports;
                    auto target = maps_.find(line.Param(0));
                    ASSERT_NE(target, maps_.end()) << where;
                    EXPECT_TRUE(Walkable(*target->second, line.Param(1), line.Param(2)))
                        << where << " -> " << line.Param(0) << " (" << line.Param(1) << "," << line.Param(2) << ")";
                    reached.insert(line.Param(0));
                  }
                });
  EXPECT_GE(teleports, 8);
  EXPECT_EQ(reached.size(), maps_.size());  // every map can be entered
  for (const auto& [id, map] : maps_)
    for (int e = 0; e < map->events.Count(); ++e)
      EXPECT_TRUE(map->lower.Contains(map->events.ItemAt(e)->x, map->events.ItemAt(e)->y))
          << MapFileName(id) << " " << map->events.ItemAt(e)->name;
}

TEST_F(Demo, ReferencesToDatabaseEntriesResolve) {
  // An id of 0 names nothing and is allowed.
  auto check = [](const TCatalog& list, int32_t id, const std::string& where) {
    EXPECT_TRUE(id == 0 || list.FindById(id)) << where << " names " << id;
  };
  for (int i = 0; i < db_->heroes.Count(); ++i) {
    const TLcfPlayerItem* hero = db_->heroes.ItemAt(i);
    for (int slot = 0; slot < kEquipmentSlots; ++slot) check(db_->items, hero->GetEquipment(slot), hero->name);
    for (int k = 0; k < hero->skills.Count(); ++k) check(db_->skills, hero->skills.ItemAt(k)->skillId, hero->name);
    check(db_->battlerAnimations, hero->battlerAnimation, hero->name);
    for (int slot = 0; slot < kBattleCommandSlots; ++slot)
      check(db_->battle.commands, std::max(0, hero->GetBattleCommand(slot)), hero->name);
  }
  for (int i = 0; i < db_->troops.Count(); ++i)
    for (int m = 0; m < db_->troops.ItemAt(i)->members.Count(); ++m)
      check(db_->monsters, db_->troops.ItemAt(i)->members.ItemAt(m)->monsterId, db_->troops.ItemAt(i)->name);
  for (int i = 0; i < db_->skills.Count(); ++i)
    check(db_->animations, db_->skills.ItemAt(i)->animationId, db_->skills.ItemAt(i)->name);
  for (int i = 0; i < db_->items.Count(); ++i)
    check(db_->animations, db_->items.ItemAt(i)->attackAnimation, db_->items.ItemAt(i)->name);
  for (int i = 0; i < db_->monsters.Count(); ++i)
    check(db_->items, db_->monsters.ItemAt(i)->dropItemId, db_->monsters.ItemAt(i)->name);

  // Event commands: the parameter that names a troop, an item, a switch or a common event.
  struct TRef {
    int32_t code;
    int param;
    const TCatalog& list;
  };
  const TRef refs[] = {
      {10710, 1, db_->troops}, {10320, 2, db_->items}, {10210, 1, db_->switches}, {12330, 1, db_->commonEvents}};
  ForEachScript(*db_, maps_,
                [&](const TLcfEventScriptList& script, const std::string& where, const TLcfEventPageItem* page) {
                  if (page) check(db_->switches, page->condition.switchAId, where);
                  for (int l = 0; l < script.Count(); ++l) {
                    const TLcfEventScriptLine& line = *script.LineAt(l);
                    for (const TRef& ref : refs)
                      if (line.code == ref.code) check(ref.list, line.Param(ref.param), where);
                    for (int g = 4; line.code == 10720 && g < line.ParamCount(); ++g)
                      check(db_->items, line.Param(g), where + " shop");
                  }
                });
}

TEST_F(Demo, RunsAgainToTheSameBytesButLeavesOtherFoldersAlone) {
  test::TTestFolder other;
  const std::string again = other.Path() + "Again";
  WriteDemoProject(again, TESS_BINARY_DIR "/app");
  WriteDemoProject(again, TESS_BINARY_DIR "/app");  // replaces its own earlier demo
  int compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(project_)) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = fs::relative(entry.path(), project_);
    EXPECT_EQ(ReadWholeFile(entry.path().string()), ReadWholeFile((fs::path(again) / relative).string())) << relative;
    ++compared;
  }
  EXPECT_GE(compared, 9);

  // A folder the demo did not write is refused and keeps what it holds.
  const std::string mine = other.Sub("Mine");
  WriteFileAtomic(mine + "notes.txt", std::string("keep me"));
  EXPECT_THROW(WriteDemoProject(mine, TESS_BINARY_DIR "/app"), ETessError);
  EXPECT_EQ(ReadWholeFile(mine + "notes.txt"), Bytes({'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
}
