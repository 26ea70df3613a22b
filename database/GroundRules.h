#pragma once
// The terrain page's rules without its widgets: the special battle rates kept within 100 together,
// and the battle grid dragged in its preview of the 320 x 240 battle screen.

#include <cstdint>

#include "database/LD_Ground.h"

namespace tess {

// The four openings in their page order.
inline constexpr int32_t kSpecialBattleBits[] = {kInitiative, kBackAttack, kSurroundAttack, kPincersAttack};

// The rate field of an opening (one of the TSpecialBattle bits); the initiative rate for any other
// value.
int32_t& SpecialRate(TLcfGroundItem& terrain, int32_t opening);
// What an opening's rate may be: 100 minus the sum of the other enabled openings' rates, that sum
// capped at 100.
int32_t SpecialRateLimit(const TLcfGroundItem& terrain, int32_t opening);
// After the author changed the rate or the enable box of opening changed: that opening's rate is
// limited first, so the value just chosen wins over the others, then every other enabled opening
// in page order. Afterwards the enabled rates add up to at most 100. Disabled openings keep their
// rates. Returns whether a rate changed.
bool LimitSpecialRates(TLcfGroundItem& terrain, int32_t changed);

// The grid's limits in preview pixels.
inline constexpr int kGridFarEdgeMax = 214;
inline constexpr int kGridNearEdgeMax = 219;
inline constexpr int kGridGapMin = 4;
inline constexpr int kGridGapMax = 120;
inline constexpr int kGridEdgeBand = 4;  // a press this close to an edge line grabs it
inline constexpr int kGridSlantPerPixel = 200;
inline constexpr int kGridSlantMax = 64000;

// Trunc(arcsin(distance / 120) * 1000), the argument clamped to [-1, 1]: never NaN.
int32_t GridAngleFor(int distance);
// The y of the near edge on the preview.
int GridNearEdge(const TLcfGroundItem& terrain);

enum class TGridPart { None, FarEdge, NearEdge, Slant };

// One drag in the battle grid preview. An edge moves vertically in steps of 4 pixels (1 with
// Shift) from where it was when pressed: the far edge up to y 214, the near edge 4 to 120 pixels
// below the far edge and at most at y 219; the far edge's move keeps the near edge where it is as
// far as those limits allow. The angle follows the distance. A horizontal move inside the grid
// changes the slant by 200 per pixel within 0..64000. Each change makes the grid custom
// (gridDepth 0).
class TGridDrag {
 public:
  // What a press at (x, y) grabs: an edge within its band (the near edge first, so a grid of no
  // height can still be opened), else the slant when inside the grid, else nothing.
  TGridPart Press(const TLcfGroundItem& terrain, int x, int y);
  // The pointer at (x, y); fine: Shift is held. True when the terrain changed.
  bool Move(TLcfGroundItem& terrain, int x, int y, bool fine);
  void Release() { part_ = TGridPart::None; }
  TGridPart Part() const { return part_; }

 private:
  TGridPart part_ = TGridPart::None;
  int pressX_ = 0, pressY_ = 0;
  int startFar_ = 0, startNear_ = 0, startSlant_ = 0;
  bool moved_ = false;
};

}  // namespace tess
