#include "database/LD_Ground.h"

#include <cmath>

namespace tess {

void TLcfGroundItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.Integer(2, damage, 0);
  v.Integer(3, encounterRate, 100);
  v.String(4, backdropFile);
  v.Flag(5, skiffPass, 0);
  v.Flag(6, shipPass, 0);
  v.Flag(7, airshipPass, 1);
  v.Flag(9, airshipLand, 1);
  v.Byte(11, spriteDisplay);
  v.Record(15, footstepSound);
  v.Flag(16, soundOnlyOnDamage, 0);
  v.Integer(17, backgroundType, 0);
  v.String(21, backFrameFile);
  v.Flag(22, backScrollH, 0);
  v.Flag(23, backScrollV, 0);
  v.Integer(24, backSpeedH, 0);
  v.Integer(25, backSpeedV, 0);
  v.Flag(30, foregroundUse, 0);
  v.String(31, foreFrameFile);
  v.Flag(32, foreScrollH, 0);
  v.Flag(33, foreScrollV, 0);
  v.Integer(34, foreSpeedH, 0);
  v.Integer(35, foreSpeedV, 0);
  v.Integer(40, specialBattles, 0);
  v.Integer(41, initiativeRate, 15);
  v.Integer(42, backAttackRate, 10);
  v.Integer(43, surroundRate, 10);
  v.Integer(44, pincersRate, 5);
  v.Integer(45, gridDepth, 0);
  v.Integer(46, gridTop, 120);
  v.Integer(47, gridAngle, 392);
  v.Integer(48, gridSlant, 16000);
}

void TLcfGroundItem::SetGridPreset(int depth) {
  const TBattleGrid* grid = depth == 1 ? &kShallowGrid : depth == 2 ? &kDeepGrid : nullptr;
  if (!grid) return;
  gridDepth = depth;
  gridTop = grid->top;
  gridAngle = grid->angle;
  gridSlant = grid->slant;
}

int TLcfGroundItem::NearEdgeOffset() const { return static_cast<int>(std::trunc(120 * std::sin(gridAngle / 1000.0))); }

}  // namespace tess
