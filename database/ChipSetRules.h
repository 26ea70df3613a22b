#pragma once
// The tileset page's tools without its widgets: what a click, a drag and "Set Uniform Terrain" do
// to a tileset's terrain numbers and passability flags.
//
// Passability shows as four states: circle (passable), cross (impassable), star and square. The
// left button steps circle -> cross -> star -> square -> circle, the right button the other way;
// the square exists only on the lower layer's autotile entries (6 to 17), elsewhere the cycle
// skips it. The directional tool toggles the direction of the clicked quarter of the cell: the
// triangles toward the top, right, left and bottom edges stand for up, right, left and down. The
// counter tool toggles the counter flag. Upper entry 0 is the empty tile and ignores every tool.

#include <cstdint>

#include "database/LD_ChipSet.h"

namespace tess {

enum class TChipSetTool : uint8_t {
  Terrain,
  LowerPassability,
  LowerDirections,
  UpperPassability,
  UpperDirections,
  Counter,
};
inline constexpr int kChipSetToolCount = 6;

constexpr bool IsUpperTool(TChipSetTool tool) { return tool >= TChipSetTool::UpperPassability; }
// How many entries the tool's layer has.
constexpr int ToolEntryCount(TChipSetTool tool) { return IsUpperTool(tool) ? kUpperChips : kLowerChipKinds; }

enum class TPassState : uint8_t { Circle, Cross, Star, Square };

inline constexpr uint8_t kPassDirections = kPassDown | kPassLeft | kPassRight | kPassUp;

TPassState PassStateOf(uint8_t flags);
// Whether the square state exists for an entry of a layer.
bool SquareAllowed(bool upper, int index);
// The flags after one step of the cycle. The state's bits are set as the state defines them
// (circle and star open in all four directions); bits above the square flag are kept.
uint8_t CyclePassability(uint8_t flags, bool forward, bool squareAllowed);
// The passability state flags takes in: the state's bits from state, the others from flags.
uint8_t WithPassState(uint8_t flags, TPassState state);
// The direction bit of the quarter of a size x size cell holding the point (x, y) in it.
uint8_t DirectionAt(int x, int y, int size);

// Sets every lower-layer entry to one terrain; returns whether one changed.
bool SetUniformTerrain(TLcfChipSetItem& tileset, int terrain);

// One tool at work on one tileset: a press applies it to one entry, and entering further entries
// with the button held paints what the press did.
class TChipSetToolEdit {
 public:
  TChipSetTool tool = TChipSetTool::Terrain;
  // The terrain the terrain tool paints; a right click with that tool picks it from the entry.
  int terrain = 1;

  // A press of the left (right: false) button on entry index at (x, y) in its size x size cell.
  // True when the tileset changed.
  bool Press(TLcfChipSetItem& tileset, int index, bool left, int x, int y, int size);
  // The pointer entered entry index with the button still held.
  bool Drag(TLcfChipSetItem& tileset, int index);
  void Release() { painting_ = false; }
  bool Painting() const { return painting_; }

 private:
  bool Paint(TLcfChipSetItem& tileset, int index);

  bool painting_ = false;
  int last_ = -1;
  // What the press made: the state, direction bit or counter value to paint.
  TPassState state_ = TPassState::Circle;
  uint8_t bit_ = 0;
  bool on_ = false;
};

}  // namespace tess
