// The demo's maps: what lies where, and the events standing on them.

#include <set>
#include <utility>

#include "tools/rtpgen/DemoKit.h"
#include "tools/rtpgen/DemoProject.h"

namespace tess::rtp {

namespace {

using namespace demo;
using TCells = std::set<std::pair<int, int>>;

std::unique_ptr<TLcfMap> NewMap(int32_t id, int32_t tileset, int width, int height) {
  auto map = std::make_unique<TLcfMap>();
  map->SetId(id);
  map->tilesetId = tileset;
  map->SetWidth(width);
  map->SetHeight(height);
  return map;
}

// The cells events stand on, so scattered objects keep clear of them and of the cells in front.
TCells EventCells(const TLcfMap& map) {
  TCells cells;
  for (int i = 0; i < map.events.Count(); ++i) {
    const TLcfEventItem* e = map.events.ItemAt(i);
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) cells.insert({e->x + dx, e->y + dy});
  }
  return cells;
}

// Places an upper-layer object of w x h chips when every cell under it is open ground (one of
// ground), holds no object yet and is not kept clear. Returns whether it was placed.
bool PlaceOnGround(TPainter& p, const TLcfMap& map, const TCells& keepClear, const std::set<int>& ground, int x, int y,
                   int first, int w, int h) {
  for (int row = y; row < y + h; ++row)
    for (int col = x; col < x + w; ++col) {
      if (!map.lower.Contains(col, row) || !ground.count(map.lower.GetCell(col, row))) return false;
      if (map.upper.GetCell(col, row) != Upper(0) || keepClear.count({col, row})) return false;
    }
  p.Object(x, y, first, w, h);
  return true;
}

// Scatters objects over open ground: at about one cell in `every` an object is tried.
void Scatter(TPainter& p, const TLcfMap& map, const std::set<int>& ground, const std::vector<int>& kinds, int w, int h,
             int every, uint32_t salt) {
  const TCells keepClear = EventCells(map);
  for (int y = 0; y < map.height; ++y)
    for (int x = 0; x < map.width; ++x) {
      uint32_t hash = CellHash(x, y, salt);
      if (hash % uint32_t(every) != 0) continue;
      PlaceOnGround(p, map, keepClear, ground, x, y, kinds[(hash / uint32_t(every)) % kinds.size()], w, h);
    }
}

TPageLook Person(const std::string& sheet, int index, uint8_t facing = kDown, TMove move = TMove::Stationary) {
  TPageLook look;
  look.sheet = sheet;
  look.index = index;
  look.facing = facing;
  look.move = move;
  return look;
}

// A door of the Creatures sheet that the hero walks into.
TPageLook DoorLook() {
  TPageLook look = Person("Creatures", 6);
  look.trigger = TTrigger::Touched;
  look.fixedGraphic = true;
  return look;
}

// A chest of the Creatures sheet; the opened chest faces up.
TPageLook ChestLook(bool open, int switchCondition = 0) {
  TPageLook look = Person("Creatures", 5, open ? kUp : kDown);
  look.fixedGraphic = true;
  look.switchCondition = switchCondition;
  return look;
}

// A monster that wanders and starts a battle when it touches the hero, then vanishes.
void AddWanderingMonster(TLcfMap& map, const std::string& name, int x, int y, int index, int32_t troop) {
  TPageLook look = Person("Creatures", index, kDown, TMove::Random);
  look.trigger = TTrigger::Collision;
  look.speed = 3;
  AddPage(AddEvent(map, name, x, y), look, TScript().Battle(troop, true).EraseEvent());
}

void AddSign(TLcfMap& map, TPainter& p, const std::string& name, int x, int y,
             std::initializer_list<std::string> text) {
  p.Object(x, y, field::kSign);
  TPageLook look;
  look.layer = TLayer::Below;
  AddPage(AddEvent(map, name, x, y), look, TScript().Message(text));
}

// ---------------------------------------------------------------------------------------------
// Eastbrook, the village: forest all around, houses and an inn about a cobbled square with a
// well, a pond in the south-west, a fenced field in the south-east, the road out to the east.

std::unique_ptr<TLcfMap> BuildVillage() {
  using namespace field;
  auto map = NewMap(kDemoVillage, 1, 40, 30);
  TPainter p(*map);
  p.FillLower(0, 0, 40, 30, Lower(kGrass));
  p.Sprinkle(0, 0, 40, 30, Lower(kGrass), Lower(kGrass2), 7, 1);
  p.Sprinkle(0, 0, 40, 30, Lower(kGrass), Lower(kGrassLeaves), 23, 2);
  p.Sprinkle(0, 0, 40, 30, Lower(kGrass), Lower(kGrassMushrooms), 61, 3);

  // Forest around the village, thicker in the corners; the road leaves through the east side.
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      if (x < 2 || x > 37 || y < 2 || y > 27) p.SetLower(x, y, Auto(kAutoForest));
  p.FillLower(2, 2, 3, 2, Auto(kAutoForest));
  p.FillLower(35, 2, 3, 3, Auto(kAutoForest));
  p.FillLower(2, 24, 2, 4, Auto(kAutoForest));

  // The square, the road east and the paths to the doors.
  p.FillLower(15, 11, 10, 8, Auto(kAutoCobble));
  p.FillLower(25, 14, 15, 2, Auto(kAutoPath));
  p.FillLower(17, 7, 3, 4, Auto(kAutoPath));
  p.FillLower(6, 14, 1, 1, Auto(kAutoPath));
  p.FillLower(6, 15, 9, 1, Auto(kAutoPath));
  p.FillLower(30, 9, 1, 5, Auto(kAutoPath));
  p.FillLower(30, 16, 2, 2, Auto(kAutoPath));

  // The inn (red roof, plaster walls) and two houses.
  p.Face(14, 3, 9, kRedRoofTop);
  p.Face(14, 5, 9, kPlasterTop);
  for (int x : {15, 16, 20, 21}) p.Object(x, 6, kWindow);
  p.Face(4, 10, 6, kBlueRoofTop);
  p.Face(4, 12, 6, kWoodWallTop);
  p.Object(8, 13, kWindow);
  p.Face(28, 5, 6, kBlueRoofTop);
  p.Face(28, 7, 6, kBrickTop);
  p.Object(32, 8, kWindow);

  // The pond.
  p.FillLower(4, 20, 6, 5, Water(0));
  for (auto [x, y] : {std::pair{4, 20}, {9, 20}, {4, 24}, {9, 24}}) p.SetLower(x, y, Lower(kGrass));
  p.Object(3, 21, kTallGrass);
  p.Object(10, 22, kTallGrass);

  // The fenced field with three rows of crops, its gate toward the road.
  p.FillLower(27, 19, 9, 7, Lower(kFarmland));
  for (int x = 28; x <= 34; ++x) {
    p.SetLower(x, 20, Lower(kCrops));
    p.SetLower(x, 22, Lower(kCrops + 1));
    p.SetLower(x, 24, Lower(kCrops + 3));
  }
  for (int x = 26; x <= 36; ++x) {
    int chip = x == 26 ? kFenceLeft : x == 36 ? kFenceRight : kFence;
    if (x != 30 && x != 31) p.Object(x, 18, chip);
    p.Object(x, 26, chip);
  }
  for (int y = 19; y <= 25; ++y) {
    p.Object(26, y, kFencePost);
    p.Object(36, y, kFencePost);
  }
  p.Object(35, 25, kHay);

  // Furnishing of the square and the gardens.
  p.Object(19, 13, kWell, 2, 2);
  for (auto [x, y] : {std::pair{15, 11}, {24, 11}, {15, 17}, {24, 17}}) p.Object(x, y, kLampPost, 1, 2);
  for (auto [x, y] : {std::pair{13, 6}, {23, 6}}) p.Object(x, y, kBarrel);
  p.Object(23, 5, kCrate);
  p.Object(33, 11, kLogs);
  p.Object(34, 11, kStump);
  for (auto [x, y] : {std::pair{15, 8}, {16, 8}, {20, 8}, {21, 8}}) p.Object(x, y, kRedFlowers);
  for (auto [x, y] : {std::pair{4, 14}, {5, 14}, {8, 14}, {9, 14}}) p.Object(x, y, kGoldFlowers);
  for (auto [x, y] : {std::pair{28, 9}, {29, 9}, {32, 9}, {33, 9}}) p.Object(x, y, kPinkFlowers);
  p.Object(11, 4, kTree, 2, 2);
  p.Object(35, 9, kAutumnTree, 2, 2);
  p.Object(12, 21, kTree, 2, 2);
  p.Object(16, 24, kAppleTree, 2, 2);
  p.Object(22, 22, kAutumnTree, 2, 2);
  p.Object(13, 9, kBush);
  p.Object(23, 9, kBush);
  p.Object(26, 12, kBerryBush, 2, 2);

  // People.
  TLcfMap& m = *map;
  TLcfEventItem& elder = AddEvent(m, "Elder", 22, 16);
  AddPage(elder, Person("People", 0),
          TScript()
              .Face("People", 0)
              .Message({"Welcome to Eastbrook, traveller.", "The crystal cave beyond the river",
                        "has grown restless of late."})
              .Choices({{"Tell me more",
                         [](TScript& s) {
                           s.Message({"A skeleton guards the crystal deep", "inside. Take these potions, and rest",
                                      "at the inn before you go."})
                               .AddItem(kItemPotion, 2)
                               .Sound("Item")
                               .Message({"You received 2 Potions!"});
                         }},
                        {"Goodbye", [](TScript& s) { s.Message({"Safe travels, then."}); }}})
              .EraseFace()
              .SwitchOn(kSwitchElderTalked));
  TPageLook elderAfter = Person("People", 0);
  elderAfter.switchCondition = kSwitchElderTalked;
  AddPage(elder, elderAfter,
          TScript()
              .Face("People", 1)
              .Message({"Take care out there. Rest at the", "inn whenever you are hurt."})
              .EraseFace());

  AddPage(AddEvent(m, "Villager", 11, 17), Person("People", 1, kDown, TMove::Random),
          TScript().Face("People", 2).Message({"Lovely weather today, isn't it?"}).EraseFace());
  TPageLook boy = Person("People", 2, kDown, TMove::Random);
  boy.speed = 4;
  AddPage(AddEvent(m, "Boy", 8, 18), boy, TScript().Message({"I saw a slime by the river!", "It was THIS big!"}));
  AddPage(AddEvent(m, "Farmer", 31, 21), Person("People", 5, kDown, TMove::Random),
          TScript().Message({"These cabbages won't pick", "themselves, you know."}));
  AddPage(AddEvent(m, "Guard", 37, 13), Person("People", 4, kLeft),
          TScript()
              .Face("People", 8)
              .Message({"The road east leads to the river", "fields. Mind the woods south of",
                        "the road: goblins lurk there."})
              .EraseFace());

  // Doors and signs.
  AddPage(AddEvent(m, "Inn Door", 18, 6), DoorLook(), TScript().Sound("Door").Teleport(kDemoInn, 9, 11, kArriveUp));
  AddPage(AddEvent(m, "House Door", 6, 13), DoorLook(), TScript().Message({"The door is locked."}));
  AddPage(AddEvent(m, "Elder's Door", 30, 8), DoorLook(), TScript().Message({"Nobody answers the knock."}));
  AddSign(m, p, "Inn Sign", 20, 7, {"The Sleepy Boar Inn", "Warm beds, hot soup."});
  AddSign(m, p, "Road Sign", 36, 12, {"East: River Fields", "Beyond: Crystal Cave"});

  AddExit(m, "To the Fields", 39, 14, kDemoField, 1, 21, kArriveRight);
  AddExit(m, "To the Fields", 39, 15, kDemoField, 1, 22, kArriveRight);
  return map;
}

// ---------------------------------------------------------------------------------------------
// The Sleepy Boar Inn: one room with the innkeeper behind a counter, beds along the east wall,
// tables on a rug, the doorway in the south wall.

std::unique_ptr<TLcfMap> BuildInn() {
  using namespace field;
  auto map = NewMap(kDemoInn, 1, 20, 15);
  TPainter p(*map);
  p.FillLower(0, 0, 20, 15, Lower(kPit));
  p.Face(3, 1, 14, kWoodWallTop);
  p.FillLower(3, 3, 14, 10, Lower(kPlanks));
  p.FillLower(9, 13, 2, 1, Lower(kPlanks));
  p.FillLower(8, 7, 4, 3, Lower(kCarpet));
  p.SetLower(9, 12, Lower(kMat));
  p.SetLower(10, 12, Lower(kMat));

  // The counter closes the innkeeper's corner; shelves and windows on the wall.
  p.Object(3, 5, kTable, 2, 1);
  p.Object(5, 5, kTable, 2, 1);
  p.Object(7, 5, kCrate);
  p.Object(8, 3, kBarrel);
  p.Object(8, 4, kBarrel);
  p.Object(4, 1, kBookShelf, 1, 2);
  p.Object(6, 1, kShelf, 1, 2);
  p.Object(9, 2, kPainting);
  for (int x : {11, 13, 15}) p.Object(x, 2, kWindow);
  for (int x : {12, 14, 16}) p.Object(x, 3, kBed, 1, 2);
  p.Object(13, 9, kTable, 2, 1);
  p.Object(12, 9, kChair);
  p.Object(15, 9, kChair);
  p.Object(4, 9, kTable, 2, 1);
  p.Object(3, 9, kChair);
  p.Object(6, 9, kChair);
  p.Object(3, 12, kPlantPot);
  p.Object(16, 12, kPlantPot);
  p.Object(16, 6, kSack);

  TLcfMap& m = *map;
  AddPage(AddEvent(m, "Innkeeper", 5, 4), Person("People", 3),
          TScript()
              .Face("People", 7)
              .Message({"Welcome to the Sleepy Boar!"})
              .Inn(
                  20,
                  [](TScript& s) {
                    s.Face("People", 7).Message({"Good morning! Breakfast is on the", "house. Safe travels!"});
                  },
                  [](TScript& s) { s.Face("People", 6).Message({"Come back any time."}); })
              .EraseFace());
  AddPage(
      AddEvent(m, "Sister", 14, 10), Person("People", 6, kUp),
      TScript()
          .Face("People", 12)
          .Message({"I came to pray at the crystal, but", "a skeleton bars the way.", "If you go, take an antidote."})
          .AddItem(kItemAntidote, 1)
          .Message({"You received an Antidote!"})
          .EraseFace());
  AddPage(AddEvent(m, "Girl", 10, 8), Person("People", 7, kDown, TMove::Random),
          TScript().Message({"Mum says I must never go near", "the river on my own."}));
  AddExit(m, "To the Village", 9, 13, kDemoVillage, 18, 7, kArriveDown);
  AddExit(m, "To the Village", 10, 13, kDemoVillage, 18, 7, kArriveDown);
  return map;
}

// ---------------------------------------------------------------------------------------------
// The river fields: the road from the village crosses a river on a bridge and climbs north to a
// cave in the cliffs; a lake with a sandy shore in the south-west, flower meadows in the
// north-west, the Dark Woods in the south-east with a clearing.

std::unique_ptr<TLcfMap> BuildField() {
  using namespace field;
  auto map = NewMap(kDemoField, 1, 60, 45);
  TPainter p(*map);
  p.FillLower(0, 0, 60, 45, Lower(kGrass));
  p.Sprinkle(0, 0, 60, 45, Lower(kGrass), Lower(kGrass2), 7, 11);
  p.Sprinkle(0, 0, 60, 45, Lower(kGrass), Lower(kGrassLeaves), 31, 12);
  p.Sprinkle(0, 0, 60, 45, Lower(kGrass), Lower(kGrassRubble), 53, 13);
  p.Sprinkle(0, 0, 60, 45, Lower(kGrass), Lower(kPebbles), 97, 14);

  // Meadows.
  p.FillLower(4, 4, 9, 6, Auto(kAutoFlowers));
  p.FillLower(15, 8, 6, 4, Auto(kAutoMeadow));
  p.FillLower(33, 34, 4, 5, Auto(kAutoMeadow));
  p.FillLower(19, 31, 5, 3, Auto(kAutoFlowers));

  // The river, deep in the middle, with the bridge.
  p.FillLower(26, 0, 4, 45, Water(0));
  p.FillLower(27, 0, 2, 45, Water(2));
  p.FillLower(26, 21, 4, 2, Lower(kWoodBridgeH));

  // Mountains in the north-east, their cliffs stepping down, the cave mouth in the first cliff.
  p.FillLower(36, 0, 24, 7, Auto(kAutoRock));
  p.FillLower(48, 7, 12, 4, Auto(kAutoRock));
  p.Face(36, 7, 12, kCliffTop);
  p.Face(48, 11, 12, kCliffTop);
  p.SetLower(43, 7, Lower(kCaveTop));
  p.SetLower(44, 7, Lower(kCaveTop + 1));
  p.SetLower(43, 8, Lower(kCaveBottom));
  p.SetLower(44, 8, Lower(kCaveBottom + 1));

  // The lake: sand shore, shallow water, deep water.
  p.FillLower(3, 29, 15, 13, Auto(kAutoSand));
  p.FillLower(4, 30, 13, 11, Water(1));
  p.FillLower(7, 33, 7, 5, Water(2));
  for (auto [x, y] : {std::pair{4, 30}, {16, 30}, {4, 40}, {16, 40}}) p.SetLower(x, y, Auto(kAutoSand));
  for (auto [x, y] : {std::pair{3, 29}, {17, 29}, {3, 41}, {17, 41}}) p.SetLower(x, y, Lower(kGrass));

  // The Dark Woods with pines in the north-east corner and a clearing.
  p.FillLower(38, 28, 20, 15, Auto(kAutoForest));
  p.FillLower(50, 28, 8, 7, Auto(kAutoPines));
  p.FillLower(42, 32, 9, 7, Auto(kAutoMeadow));

  // The road: from the village in the west over the bridge, north to the cave, south into the
  // woods.
  p.FillLower(0, 21, 26, 2, Auto(kAutoPath));
  p.FillLower(30, 21, 15, 2, Auto(kAutoPath));
  p.FillLower(43, 9, 2, 12, Auto(kAutoPath));
  p.FillLower(43, 23, 2, 9, Auto(kAutoPath));

  TLcfMap& m = *map;
  AddPage(AddEvent(m, "Merchant", 20, 20), Person("People", 3),
          TScript()
              .Face("People", 6)
              .Message({"Potions! Blades! Get them while", "they last!"})
              .EraseFace()
              .Shop({1, 2, 3, 4, 5, 6, 7, 8, 9}));
  AddSign(m, p, "Bridge Sign", 24, 20, {"North-east: Crystal Cave", "South-east: Dark Woods", "West: Eastbrook"});
  AddWanderingMonster(m, "Slime", 14, 25, 0, kTroopSlimes);
  AddWanderingMonster(m, "Slime", 36, 17, 0, kTroopSlimes);
  TLcfEventItem& chest = AddEvent(m, "Woods Chest", 46, 35);
  AddPage(chest, ChestLook(false),
          TScript().Sound("Item").AddMoney(150).Message({"You found 150 gold!"}).SwitchOn(kSwitchWoodsChest));
  AddPage(chest, ChestLook(true, kSwitchWoodsChest), TScript().Message({"The chest is empty."}));
  AddExit(m, "To Eastbrook", 0, 21, kDemoVillage, 38, 14, kArriveLeft);
  AddExit(m, "To Eastbrook", 0, 22, kDemoVillage, 38, 15, kArriveLeft);
  AddExit(m, "Crystal Cave", 43, 8, kDemoDungeon, 14, 28, kArriveUp);
  AddExit(m, "Crystal Cave", 44, 8, kDemoDungeon, 15, 28, kArriveUp);

  // Trees and shrubs on the open grass, pines at the foot of the mountains.
  const std::set<int> grass = {Lower(kGrass), Lower(kGrass2), Lower(kGrassLeaves), Lower(kGrassRubble),
                               Lower(kPebbles)};
  Scatter(p, m, grass, {kTree, kAutumnTree, kDarkTree, kOliveTree, kAppleTree, kBlossomTree}, 2, 2, 37, 21);
  Scatter(p, m, grass, {kBush, kRedFlowers, kGoldFlowers, kTallGrass, kStone, kPurpleFlowers}, 1, 1, 19, 22);
  for (int x = 30; x < 60; x += 3)
    PlaceOnGround(p, m, EventCells(m), grass, x, 9 + int(CellHash(x, 0, 23) % 3) + (x >= 48 ? 4 : 0), kPine, 1, 2);
  return map;
}

// ---------------------------------------------------------------------------------------------
// The Crystal Cave: a corridor from the entrance in the south to a hall; west of it, over a
// bridged chasm, the treasure room; east, a room with a lava pool and a spring; north, past the
// skeleton guard, the crystal shrine with a magic circle.

std::unique_ptr<TLcfMap> BuildDungeon() {
  using namespace dungeon;
  constexpr int W = 30, H = 30;
  auto map = NewMap(kDemoDungeon, 2, W, H);
  TPainter p(*map);
  p.FillLower(0, 0, W, H, Auto(kAutoCeiling));

  struct TRoom {
    int x, y, w, h;
  };
  const TRoom rooms[] = {
      {14, 22, 2, 8},   // entrance corridor
      {10, 15, 10, 7},  // hall
      {14, 9, 1, 6},    // north corridor
      {10, 3, 10, 6},   // shrine
      {3, 18, 7, 2},    // west corridor
      {6, 18, 2, 4},    // the chasm under its bridge
      {3, 16, 2, 2},    // up to the treasure room
      {2, 8, 7, 8},     // treasure room
      {20, 18, 4, 2},   // east corridor
      {22, 9, 6, 9},    // east room
  };
  bool floor[H][W] = {};
  for (const TRoom& r : rooms)
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x) floor[y][x] = true;
  auto isFloor = [&](int x, int y) { return x >= 0 && y >= 0 && x < W && y < H && floor[y][x]; };

  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      if (floor[y][x]) p.SetLower(x, y, Lower(kFloorA));
  p.Sprinkle(0, 0, W, H, Lower(kFloorA), Lower(kFloorB), 5, 31);
  p.Sprinkle(0, 0, W, H, Lower(kFloorA), Lower(kFloorC), 11, 32);

  // Wall faces above every floor edge that has rock above it: brick in the shrine, rock with
  // cracks and moss elsewhere.
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      if (!floor[y][x] || isFloor(x, y - 1) || y < 1) continue;
      const bool shrine = x >= 10 && x < 20 && y < 9;
      const int style =
          shrine ? (x % 3 == 1 ? kBrickWindowTop : kBrickWallTop) : kRockWallTop + int(CellHash(x, y, 33) % 3);
      p.SetLower(x, y - 1, Lower(style + kPaletteRow));
      if (y >= 2 && !isFloor(x, y - 2)) p.SetLower(x, y - 2, Lower(style));
      if (!shrine && x % 4 == 2 && y >= 2) p.Object(x, y - 2, kWallTorch);
    }

  // The shrine: vault floor, a carpet up to the magic circle, pillars and braziers.
  for (int y = 3; y < 9; ++y)
    for (int x = 10; x < 20; ++x) p.SetLower(x, y, Lower(CellHash(x, y, 34) % 6 == 0 ? kVaultCracked : kVault));
  p.FillLower(14, 6, 2, 3, Auto(kAutoCarpet));
  p.SetLower(14, 4, Lower(kMagicCircle));
  p.SetLower(15, 4, Lower(kMagicCircle + 1));
  p.SetLower(14, 5, Lower(kMagicCircle + kPaletteRow));
  p.SetLower(15, 5, Lower(kMagicCircle + kPaletteRow + 1));
  for (int x : {11, 18}) {
    p.Object(x, 3, kPillar, 1, 2);
    p.Object(x, 6, kPillar, 1, 2);
  }
  p.Object(13, 4, kBrazier);
  p.Object(16, 4, kBrazier);
  p.Object(12, 1, kRedBanner, 1, 2);
  p.Object(17, 1, kRedBanner, 1, 2);

  // The chasm with its bridge, the lava pool and the spring, rubble in the treasure room.
  p.FillLower(6, 18, 2, 2, Lower(kBridgeH));
  p.FillLower(6, 20, 2, 2, Auto(kAutoPit));
  p.FillLower(24, 11, 3, 3, Auto(kAutoLava));
  p.FillLower(22, 15, 2, 2, Water(0));
  p.FillLower(2, 13, 3, 3, Lower(kFloorC));
  p.SetLower(11, 20, Lower(kBonesFloor));
  p.SetLower(17, 17, Lower(kPuddle));

  // Things lying about.
  p.Object(18, 15, kBoulder, 2, 2);
  p.Object(26, 9, kCrystals, 2, 2);
  p.Object(2, 8, kCobwebLeft);
  p.Object(8, 8, kCobwebRight);
  p.Object(22, 9, kCobwebLeft);
  p.Object(7, 9, kCrate);
  p.Object(8, 10, kBarrel);
  p.Object(2, 11, kSkeleton);
  for (auto [x, y] : {std::pair{10, 16}, {12, 21}, {25, 16}, {3, 9}}) p.Object(x, y, kStalagmite);
  for (auto [x, y] : {std::pair{16, 20}, {21, 18}, {27, 14}}) p.Object(x, y, kRubble);
  for (auto [x, y] : {std::pair{19, 20}, {23, 10}}) p.Object(x, y, kBones);

  TLcfMap& m = *map;
  TLcfEventItem& chest = AddEvent(m, "Chest", 5, 9);
  AddPage(chest, ChestLook(false),
          TScript()
              .Sound("Item")
              .AddItem(kItemEther, 1)
              .AddItem(kItemPotion, 2)
              .Message({"You found an Ether and 2 Potions!"})
              .SwitchOn(kSwitchCaveChest));
  AddPage(chest, ChestLook(true, kSwitchCaveChest), TScript().Message({"The chest is empty."}));

  TLcfEventItem& guard = AddEvent(m, "Skeleton Guard", 14, 10);
  AddPage(guard, Person("Creatures", 3),
          TScript()
              .Message({"None shall pass!"})
              .Battle(kTroopGuard, false)
              .SwitchOn(kSwitchGuardDefeated)
              .Message({"The skeleton crumbles to dust."}));
  TPageLook gone;
  gone.layer = TLayer::Below;
  gone.switchCondition = kSwitchGuardDefeated;
  AddPage(guard, gone, TScript());

  TPageLook crystal = Person("Creatures", 7);
  AddPage(AddEvent(m, "Crystal", 14, 4), crystal,
          TScript()
              .Message({"The crystal glows warmly. You feel", "your strength return."})
              .CallCommonEvent(kCommonEventRecovery));

  AddWanderingMonster(m, "Bat", 12, 18, 1, kTroopBats);
  AddWanderingMonster(m, "Ghost", 25, 15, 2, kTroopSpirits);
  AddExit(m, "Out to the Fields", 14, 29, kDemoField, 43, 9, kArriveDown);
  AddExit(m, "Out to the Fields", 15, 29, kDemoField, 44, 9, kArriveDown);
  return map;
}

}  // namespace

std::vector<std::unique_ptr<TLcfMap>> BuildDemoMaps() {
  std::vector<std::unique_ptr<TLcfMap>> maps;
  maps.push_back(BuildVillage());
  maps.push_back(BuildInn());
  maps.push_back(BuildField());
  maps.push_back(BuildDungeon());
  return maps;
}

}  // namespace tess::rtp
