#pragma once
// Terrain: what stepping and fighting on a kind of ground does, and how battles fought there look.

#include "core/Catalog.h"
#include "media/LD_Sound.h"

namespace tess {

enum TSpecialBattle : int32_t { kInitiative = 1, kBackAttack = 2, kSurroundAttack = 4, kPincersAttack = 8 };

// The battle grid: its far edge, viewing angle (thousandths of a radian) and slant (thousandths of a
// pixel).
struct TBattleGrid {
  int32_t top = 112;
  int32_t angle = 392;
  int32_t slant = 16000;
};
// The "Shallow" preset, also the grid of battles without a terrain.
inline constexpr TBattleGrid kShallowGrid{112, 392, 16000};
inline constexpr TBattleGrid kDeepGrid{132, 196, 24000};

class TLcfGroundItem : public TCatalogItem {
 public:
  TLcfGroundItem() { Reset(); }

  int32_t damage = 0;
  int32_t encounterRate = 100;
  std::string backdropFile;
  uint8_t skiffPass = 0;
  uint8_t shipPass = 0;
  uint8_t airshipPass = 1;
  uint8_t airshipLand = 1;
  uint8_t spriteDisplay = 0;
  TLcfSound footstepSound;
  uint8_t soundOnlyOnDamage = 0;
  int32_t backgroundType = 0;  // 0 a backdrop picture, 1 frame layers
  std::string backFrameFile;
  uint8_t backScrollH = 0;
  uint8_t backScrollV = 0;
  int32_t backSpeedH = 0;
  int32_t backSpeedV = 0;
  uint8_t foregroundUse = 0;
  std::string foreFrameFile;
  uint8_t foreScrollH = 0;
  uint8_t foreScrollV = 0;
  int32_t foreSpeedH = 0;
  int32_t foreSpeedV = 0;
  int32_t specialBattles = 0;
  int32_t initiativeRate = 15;
  int32_t backAttackRate = 10;
  int32_t surroundRate = 10;
  int32_t pincersRate = 5;
  int32_t gridDepth = 0;  // 1 shallow, 2 deep, 0 custom
  int32_t gridTop = 120;
  int32_t gridAngle = 392;
  int32_t gridSlant = 16000;

  void DescribeChunks(TCatalogVarData& v) override;

  TBattleGrid Grid() const { return {gridTop, gridAngle, gridSlant}; }
  // Chooses a preset (1 shallow, 2 deep); any other value leaves the grid as it is.
  void SetGridPreset(int depth);
  // How far the near edge of the grid lies below the far edge, in pixels.
  int NearEdgeOffset() const;
};

class TLcfGround : public TCatalogOf<TLcfGroundItem> {
 public:
  TLcfGround() : TCatalogOf("Event script referenced a terrain ID that does not exist.") {}
};

}  // namespace tess
