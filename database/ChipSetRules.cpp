#include "database/ChipSetRules.h"

#include <cstdlib>

namespace tess {

namespace {

constexpr uint8_t kStateBits = kPassDirections | kChipStar | kChipSquare;

bool InRange(TChipSetTool tool, int index) { return index >= 0 && index < ToolEntryCount(tool); }

uint8_t FlagsAt(const TLcfChipSetItem& tileset, bool upper, int index) {
  return static_cast<uint8_t>(upper ? tileset.GetUpperFlags(index) : tileset.GetLowerFlags(index));
}

void SetFlagsAt(TLcfChipSetItem& tileset, bool upper, int index, uint8_t flags) {
  if (upper)
    tileset.SetUpperFlags(index, flags);
  else
    tileset.SetLowerFlags(index, flags);
}

}  // namespace

TPassState PassStateOf(uint8_t flags) {
  if (flags & kChipStar) return flags & kChipSquare ? TPassState::Square : TPassState::Star;
  return flags & kPassDirections ? TPassState::Circle : TPassState::Cross;
}

bool SquareAllowed(bool upper, int index) { return !upper && index >= 6 && index <= 17; }

uint8_t WithPassState(uint8_t flags, TPassState state) {
  static constexpr uint8_t kBits[] = {kPassDirections, 0, kPassDirections | kChipStar, kChipStar | kChipSquare};
  return static_cast<uint8_t>((flags & ~kStateBits) | kBits[static_cast<int>(state)]);
}

uint8_t CyclePassability(uint8_t flags, bool forward, bool squareAllowed) {
  using S = TPassState;
  S next;
  switch (PassStateOf(flags)) {
    case S::Circle:
      next = forward ? S::Cross : (squareAllowed ? S::Square : S::Star);
      break;
    case S::Cross:
      next = forward ? S::Star : S::Circle;
      break;
    case S::Star:
      next = forward ? (squareAllowed ? S::Square : S::Circle) : S::Cross;
      break;
    default:  // square
      next = forward ? S::Circle : S::Star;
      break;
  }
  return WithPassState(flags, next);
}

uint8_t DirectionAt(int x, int y, int size) {
  // Twice the offsets from the centre, so odd sizes split evenly.
  const int dx = 2 * x + 1 - size, dy = 2 * y + 1 - size;
  if (std::abs(dy) >= std::abs(dx)) return dy < 0 ? kPassUp : kPassDown;
  return dx < 0 ? kPassLeft : kPassRight;
}

bool SetUniformTerrain(TLcfChipSetItem& tileset, int terrain) {
  bool changed = false;
  for (int i = 0; i < kLowerChipKinds; ++i) {
    changed = changed || tileset.GetTerrain(i) != terrain;
    tileset.SetTerrain(i, terrain);
  }
  return changed;
}

bool TChipSetToolEdit::Press(TLcfChipSetItem& tileset, int index, bool left, int x, int y, int size) {
  painting_ = false;
  last_ = index;
  if (!InRange(tool, index) || (IsUpperTool(tool) && index == 0)) return false;
  const bool upper = IsUpperTool(tool);
  const uint8_t flags = FlagsAt(tileset, upper, index);
  switch (tool) {
    case TChipSetTool::Terrain:
      if (!left) {
        terrain = tileset.GetTerrain(index);
        return false;
      }
      break;
    case TChipSetTool::LowerPassability:
    case TChipSetTool::UpperPassability:
      state_ = PassStateOf(CyclePassability(flags, left, SquareAllowed(upper, index)));
      break;
    case TChipSetTool::LowerDirections:
    case TChipSetTool::UpperDirections:
      bit_ = DirectionAt(x, y, size);
      on_ = !(flags & bit_);
      break;
    case TChipSetTool::Counter:
      bit_ = kChipCounter;
      on_ = !(flags & bit_);
      break;
  }
  painting_ = true;
  return Paint(tileset, index);
}

bool TChipSetToolEdit::Drag(TLcfChipSetItem& tileset, int index) {
  if (!painting_ || index == last_) return false;
  last_ = index;
  if (!InRange(tool, index) || (IsUpperTool(tool) && index == 0)) return false;
  return Paint(tileset, index);
}

bool TChipSetToolEdit::Paint(TLcfChipSetItem& tileset, int index) {
  const bool upper = IsUpperTool(tool);
  if (tool == TChipSetTool::Terrain) {
    if (tileset.GetTerrain(index) == terrain) return false;
    tileset.SetTerrain(index, terrain);
    return true;
  }
  const uint8_t flags = FlagsAt(tileset, upper, index);
  uint8_t after = flags;
  if (tool == TChipSetTool::LowerPassability || tool == TChipSetTool::UpperPassability) {
    // A square dragged over entries that cannot hold it leaves them as they are.
    if (state_ == TPassState::Square && !SquareAllowed(upper, index)) return false;
    if (PassStateOf(flags) != state_) after = WithPassState(flags, state_);
  } else {
    after = static_cast<uint8_t>(on_ ? flags | bit_ : flags & ~bit_);
  }
  if (after == flags) return false;
  SetFlagsAt(tileset, upper, index, after);
  return true;
}

}  // namespace tess
