#pragma once
// Tilesets: the tile sheet a map is drawn with, and for every tile kind of the sheet its terrain
// and passability, with the speed and order of the water animation.

#include "core/Catalog.h"

namespace tess {

inline constexpr int kLowerChipKinds = 162;
inline constexpr int kUpperChips = 144;

// Passability flag bits.
enum TChipFlag : uint8_t {
  kPassDown = 1,
  kPassLeft = 2,
  kPassRight = 4,
  kPassUp = 8,
  kChipStar = 16,
  kChipSquare = 32,
  kChipCounter = 64,
};
inline constexpr uint8_t kDefaultChipFlags = 15;
inline constexpr uint8_t kEmptyUpperChipFlags = 31;

class TLcfChipSetItem : public TCatalogItem {
 public:
  TLcfChipSetItem() { Reset(); }
  explicit TLcfChipSetItem(TUnreset) {}

  std::string chipSetFile;
  uint16_t terrain[kLowerChipKinds] = {};
  uint8_t lowerFlags[kLowerChipKinds] = {};
  uint8_t upperFlags[kUpperChips] = {};
  int32_t waterSequence{};  // 0 frames 1-2-3-2, 1 frames 1-2-3
  int32_t waterSpeed{};     // 0 slow, 1 fast

  // The three arrays are written only when they differ from their defaults (the empty upper tile's
  // flags are not compared).
  void DescribeChunks(TCatalogVarData& v) override;

  int GetTerrain(int index) const;
  void SetTerrain(int index, int value);
  int GetLowerFlags(int index) const;
  void SetLowerFlags(int index, int value);
  int GetUpperFlags(int index) const;
  void SetUpperFlags(int index, int value);
};

class TLcfChipSet : public TCatalogOf<TLcfChipSetItem> {
 public:
  TLcfChipSet() : TCatalogOf("Event script referenced a tileset that does not exist.", "tileset") {}
};

}  // namespace tess
