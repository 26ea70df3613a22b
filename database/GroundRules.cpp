#include "database/GroundRules.h"

#include <algorithm>
#include <cmath>

namespace tess {

int32_t& SpecialRate(TLcfGroundItem& terrain, int32_t opening) {
  switch (opening) {
    case kBackAttack:
      return terrain.backAttackRate;
    case kSurroundAttack:
      return terrain.surroundRate;
    case kPincersAttack:
      return terrain.pincersRate;
    default:
      return terrain.initiativeRate;
  }
}

int32_t SpecialRateLimit(const TLcfGroundItem& terrain, int32_t opening) {
  auto& t = const_cast<TLcfGroundItem&>(terrain);
  int64_t others = 0;
  for (int32_t bit : kSpecialBattleBits)
    if (bit != opening && (terrain.specialBattles & bit)) others += SpecialRate(t, bit);
  return 100 - static_cast<int32_t>(std::clamp<int64_t>(others, 0, 100));
}

bool LimitSpecialRates(TLcfGroundItem& terrain, int32_t changed) {
  bool any = false;
  auto limit = [&](int32_t bit) {
    if (!(terrain.specialBattles & bit)) return;
    int32_t& rate = SpecialRate(terrain, bit);
    const int32_t most = SpecialRateLimit(terrain, bit);
    if (rate > most) {
      rate = most;
      any = true;
    }
  };
  limit(changed);
  for (int32_t bit : kSpecialBattleBits)
    if (bit != changed) limit(bit);
  return any;
}

int32_t GridAngleFor(int distance) {
  const double s = std::clamp(distance / 120.0, -1.0, 1.0);
  return static_cast<int32_t>(std::trunc(std::asin(s) * 1000));
}

int GridNearEdge(const TLcfGroundItem& terrain) { return terrain.gridTop + terrain.NearEdgeOffset(); }

TGridPart TGridDrag::Press(const TLcfGroundItem& terrain, int x, int y) {
  const int farY = terrain.gridTop, nearY = GridNearEdge(terrain);
  pressX_ = x;
  pressY_ = y;
  startFar_ = farY;
  startNear_ = nearY;
  startSlant_ = terrain.gridSlant;
  moved_ = false;
  if (std::abs(y - nearY) <= kGridEdgeBand)
    part_ = TGridPart::NearEdge;
  else if (std::abs(y - farY) <= kGridEdgeBand)
    part_ = TGridPart::FarEdge;
  else if (y > std::min(farY, nearY) && y < std::max(farY, nearY))
    part_ = TGridPart::Slant;
  else
    part_ = TGridPart::None;
  return part_;
}

bool TGridDrag::Move(TLcfGroundItem& terrain, int x, int y, bool fine) {
  const int step = fine ? 1 : 4;
  const int dy = (y - pressY_) / step * step;
  // Until the pointer has moved a step, nothing is written: a click keeps even stored values
  // outside the limits.
  const bool still = part_ == TGridPart::Slant ? x == pressX_ : dy == 0;
  if (!moved_ && still) return false;
  moved_ = true;
  const TBattleGrid before = terrain.Grid();
  auto nearWithin = [](int farY, int nearY) {
    return std::clamp(nearY, farY + kGridGapMin, std::min(farY + kGridGapMax, kGridNearEdgeMax));
  };
  switch (part_) {
    case TGridPart::FarEdge: {
      const int farY = std::min(startFar_ + dy, kGridFarEdgeMax);
      const int nearY = nearWithin(farY, startNear_);
      terrain.gridTop = farY;
      terrain.gridAngle = GridAngleFor(nearY - farY);
      break;
    }
    case TGridPart::NearEdge: {
      const int nearY = nearWithin(startFar_, startNear_ + dy);
      terrain.gridTop = startFar_;
      terrain.gridAngle = GridAngleFor(nearY - startFar_);
      break;
    }
    case TGridPart::Slant: {
      const int64_t slant = static_cast<int64_t>(startSlant_) + static_cast<int64_t>(x - pressX_) * kGridSlantPerPixel;
      terrain.gridSlant = static_cast<int32_t>(std::clamp<int64_t>(slant, 0, kGridSlantMax));
      break;
    }
    case TGridPart::None:
      return false;
  }
  const TBattleGrid after = terrain.Grid();
  if (after.top == before.top && after.angle == before.angle && after.slant == before.slant) return false;
  terrain.gridDepth = 0;
  return true;
}

}  // namespace tess
