#pragma once
// The tools the demo project is built with: tile ids of the two package tilesets by what they
// show, a painter that lays tiles and multi-cell objects on a map, and a script writer that
// produces event command lines with their block structure.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "events/LD_Event.h"
#include "maps/LD_Map.h"

namespace tess::rtp::demo {

// Tile ids. Water and autotiles are placed in their centre shape (no neighbour differs); the
// editor's fix-up gives them their edges once a map is edited.
constexpr int Water(int kind) { return kind * 1000; }
constexpr int Auto(int block) { return 4000 + 50 * block; }
constexpr int Lower(int chip) { return 5000 + chip; }
constexpr int Upper(int chip) { return 10000 + chip; }
// Chips sit six to a palette row; the chip below chip k is k + 6.
constexpr int kPaletteRow = 6;

// Where things are in the Field tileset (tileset 1). Faces of cliffs, walls and roofs are two rows
// of three chips (left, middle, right): the named top-left chip and the row below it.
namespace field {
// Lower chips.
constexpr int kGrass = 0, kGrass2 = 1, kMeadow = 2, kFlowers = 3, kDirt = 4, kSand = 5, kPath = 6, kCobble = 7;
constexpr int kFarmland = 9, kStoneTiles = 11;
constexpr int kCliffTop = 12, kWoodWallTop = 24, kPlasterTop = 36, kBrickTop = 39;
constexpr int kRedRoofTop = 48, kBlueRoofTop = 51, kBlueRoofBottom = 57;
constexpr int kWoodBridgeH = 60;  // then the bridge north to south, two of stone, stairs, ladder
constexpr int kPlanks = 66, kCarpet = 68, kMat = 70;
constexpr int kGrassRubble = 84, kGrassLeaves = 85, kGrassMushrooms = 86, kSandShells = 88;
constexpr int kCrops = 90;                        // six kinds of crop
constexpr int kCaveTop = 108, kCaveBottom = 114;  // a cave mouth, two cells wide
constexpr int kPebbles = 121, kPuddle = 122, kLava = 125, kPit = 130;
// Autotile blocks.
constexpr int kAutoMeadow = 0, kAutoPath = 1, kAutoSand = 2, kAutoFlowers = 3, kAutoForest = 4, kAutoRock = 5;
constexpr int kAutoCobble = 7, kAutoPines = 10;
// Upper chips; objects larger than one chip are named by their top-left chip.
constexpr int kBush = 1, kRedFlowers = 2, kGoldFlowers = 3, kTallGrass = 4, kStone = 5;
constexpr int kTree = 6, kAutumnTree = 8, kBoulder = 18, kBerryBush = 20, kWell = 22;  // 2 x 2
constexpr int kPine = 10, kSnowPine = 11;                                              // 1 x 2
constexpr int kFenceLeft = 30, kFence = 31, kFenceRight = 32, kFencePost = 33, kSign = 34, kStump = 35;
constexpr int kBarrel = 36, kCrate = 37, kPot = 38, kSack = 39;
constexpr int kLampPost = 42, kStatue = 43, kBed = 44, kBookShelf = 45, kShelf = 46, kBanner = 47;  // 1 x 2
constexpr int kGrave = 54, kLogs = 57, kHay = 58, kPlantPot = 59;
constexpr int kTable = 60, kChair = 62, kWindow = 63, kPainting = 64;  // the table is 2 x 1
constexpr int kPinkFlowers = 69, kPurpleFlowers = 70;
constexpr int kAppleTree = 76, kBlossomTree = 102, kDarkTree = 104, kOliveTree = 106;  // 2 x 2
}  // namespace field

// Where things are in the Dungeon tileset (tileset 2). Wall faces are an upper row of six styles
// side by side with the lower row below it.
namespace dungeon {
// Lower chips.
constexpr int kFloorA = 0, kFloorB = 1, kFloorC = 2, kVault = 3, kVaultCracked = 4, kVaultMossy = 5;
constexpr int kRockWallTop = 12, kBrickWallTop = 15, kBrickWindowTop = 16;
constexpr int kPuddle = 36, kBonesFloor = 37, kPressurePlate = 39;
constexpr int kBridgeH = 42;  // planks over a pit; the next chip runs north to south
constexpr int kLava = 44, kRock = 45, kPit = 47;
constexpr int kMagicCircle = 60;  // 2 x 2
// Autotile blocks.
constexpr int kAutoCeiling = 0, kAutoBrickTop = 1, kAutoPit = 2, kAutoLava = 3, kAutoMoss = 4, kAutoRubble = 5;
constexpr int kAutoCarpet = 7, kAutoVaultPit = 10;
// Upper chips.
constexpr int kStalagmite = 1, kRubble = 2, kBones = 3, kSkeleton = 4, kMushrooms = 5;
constexpr int kBoulder = 6, kCrystals = 8;       // 2 x 2
constexpr int kPillar = 10, kBrokenPillar = 11;  // 1 x 2
constexpr int kBarrel = 30, kCrate = 31, kPot = 32, kBrazier = 35;
constexpr int kWallTorch = 36, kCobwebLeft = 37, kCobwebRight = 38, kChains = 39, kBoneHeap = 40;
constexpr int kRedBanner = 43, kPurpleBanner = 44;  // 1 x 2
}  // namespace dungeon

// Database entries the maps' events refer to.
enum TDemoItem : int32_t {
  kItemPotion = 1,
  kItemEther,
  kItemAntidote,
  kItemBronzeSword,
  kItemOakStaff,
  kItemShortBow,
  kItemLeatherShield,
  kItemLeatherArmor,
  kItemLeatherCap,
  kItemLuckyCharm,
  kItemOldKey,
};
enum TDemoTroop : int32_t { kTroopSlimes = 1, kTroopBats, kTroopGoblins, kTroopSpirits, kTroopGuard, kTroopDragon };
enum : int32_t { kCommonEventRecovery = 1 };

// Lays tiles on a map. Writes outside the map are ignored.
class TPainter {
 public:
  explicit TPainter(TLcfMap& map) : map_(map) {}

  int Width() const { return map_.width; }
  int Height() const { return map_.height; }
  int LowerAt(int x, int y) const { return map_.lower.GetCell(x, y); }

  void SetLower(int x, int y, int id) { map_.lower.SetCell(x, y, id); }
  void SetUpper(int x, int y, int id) { map_.upper.SetCell(x, y, id); }
  // Every cell of the rectangle (w x h from x, y).
  void FillLower(int x, int y, int w, int h, int id);
  // An object of w x h upper chips whose top-left chip is first.
  void Object(int x, int y, int first, int w = 1, int h = 1);
  // A row of a face w cells wide: left, then middle repeated, then right chip (lower layer).
  void FaceRow(int x, int y, int w, int left, int middle, int right);
  // A two-row face whose top row starts at chip top (left, middle, right) and whose bottom row is
  // the palette row below.
  void Face(int x, int y, int w, int top);
  // Replaces, at about one cell in every `every`, the lower tile `where` by `what`; the choice is
  // a fixed function of the cell and salt, so every build paints the same map.
  void Sprinkle(int x, int y, int w, int h, int where, int what, int every, uint32_t salt);

 private:
  TLcfMap& map_;
};

// A fixed pseudo-random number of a cell.
uint32_t CellHash(int x, int y, uint32_t salt);

// Writes script lines at the current depth. Block commands take their branches as functions; each
// branch ends with the empty line the script editor inserts new commands before.
class TScript {
 public:
  using TBranch = std::function<void(TScript&)>;

  TScript& Line(int32_t code, std::string text = {}, std::vector<int32_t> params = {});
  // One message box of up to four lines.
  TScript& Message(std::initializer_list<std::string> lines);
  TScript& Face(const std::string& sheet, int index, bool right = false);
  TScript& EraseFace();
  // facing as the Teleport command codes it: 0 kept, 1 up, 2 right, 3 down, 4 left.
  TScript& Teleport(int32_t mapId, int x, int y, int facing);
  TScript& SwitchOn(int32_t switchId);
  TScript& AddItem(int32_t itemId, int count);
  TScript& AddMoney(int amount);
  TScript& Sound(const std::string& name);
  TScript& Battle(int32_t troopId, bool canEscape);
  // Show Choices with one branch per choice; cancelling picks the last choice.
  TScript& Choices(const std::vector<std::pair<std::string, TBranch>>& choices);
  TScript& Inn(int price, const TBranch& stayed, const TBranch& left);
  TScript& Shop(const std::vector<int32_t>& goods);
  TScript& CallCommonEvent(int32_t id);
  TScript& EraseEvent();

  // Replaces the lines of a script by those written, closed by the end line.
  void WriteTo(TLcfEventScriptList& script) const;

 private:
  // The branch's lines one level deeper, then the empty line.
  void Branch(const TBranch& body);

  int indent_ = 0;
  std::vector<TLcfEventScriptLine> lines_;
};

// Event page settings for the common kinds of event.
enum class TTrigger : uint8_t { ActionKey = 0, Touched = 1, Collision = 2, AutoStart = 3, Parallel = 4 };
enum class TLayer : uint8_t { Below = 0, Same = 1, Above = 2 };
enum class TMove : uint8_t { Stationary = 0, Random = 1 };
enum TFacing : uint8_t { kUp = 0, kRight = 1, kDown = 2, kLeft = 3 };

struct TPageLook {
  std::string sheet;  // empty: the page shows the upper chip `index`
  int index = 0;
  uint8_t facing = kDown;
  TTrigger trigger = TTrigger::ActionKey;
  TLayer layer = TLayer::Same;
  TMove move = TMove::Stationary;
  int speed = 3;
  int switchCondition = 0;  // the page needs this switch ON; 0 for none
  bool fixedGraphic = false;
};

// Adds an event with the next free id at (x, y); its pages are added with AddPage.
TLcfEventItem& AddEvent(TLcfMap& map, const std::string& name, int x, int y);
TLcfEventPageItem& AddPage(TLcfEventItem& event, const TPageLook& look, const TScript& script);

// The facing after a teleport.
enum TArrival : int { kKeepFacing = 0, kArriveUp = 1, kArriveRight = 2, kArriveDown = 3, kArriveLeft = 4 };

// A touch-triggered event below the hero without a graphic that teleports the party: the exits at
// map edges and doorways.
void AddExit(TLcfMap& map, const std::string& name, int x, int y, int32_t toMap, int toX, int toY, int facing);

}  // namespace tess::rtp::demo
