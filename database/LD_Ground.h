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
  explicit TLcfGroundItem(TUnreset) {}

  int32_t damage{};
  int32_t encounterRate{};
  std::string backdropFile;
  uint8_t skiffPass{};
  uint8_t shipPass{};
  uint8_t airshipPass{};
  uint8_t airshipLand{};
  uint8_t spriteDisplay{};
  TLcfSound footstepSound;
  uint8_t soundOnlyOnDamage{};
  int32_t backgroundType{};  // 0 a backdrop picture, 1 frame layers
  std::string backFrameFile;
  uint8_t backScrollH{};
  uint8_t backScrollV{};
  int32_t backSpeedH{};
  int32_t backSpeedV{};
  uint8_t foregroundUse{};
  std::string foreFrameFile;
  uint8_t foreScrollH{};
  uint8_t foreScrollV{};
  int32_t foreSpeedH{};
  int32_t foreSpeedV{};
  int32_t specialBattles{};
  int32_t initiativeRate{};
  int32_t backAttackRate{};
  int32_t surroundRate{};
  int32_t pincersRate{};
  int32_t gridDepth{};  // 1 shallow, 2 deep, 0 custom
  int32_t gridTop{};
  int32_t gridAngle{};
  int32_t gridSlant{};

  void DescribeChunks(TCatalogVarData& v) override;

  TBattleGrid Grid() const { return {gridTop, gridAngle, gridSlant}; }
  // Chooses a preset (1 shallow, 2 deep); any other value leaves the grid as it is.
  void SetGridPreset(int depth);
  // How far the near edge of the grid lies below the far edge, in pixels.
  int NearEdgeOffset() const;
};

class TLcfGround : public TCatalogOf<TLcfGroundItem> {
 public:
  TLcfGround() : TCatalogOf("Event script referenced a terrain ID that does not exist.", "terrain") {}
};

}  // namespace tess
