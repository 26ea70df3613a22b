#pragma once
// A tileset picture as loaded and analysed once: its pixels and palette, where every palette entry
// lies, which chips are blank, how autotile blocks link, and the tiles scaled to each cell size
// they are drawn at. Every tileset graphic that shows the same file shares one of these.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "maps/ChipComposition.h"
#include "maps/TileId.h"
#include "media/CorvidSheet.h"

namespace tess {

constexpr int kChipSetWidth = 480, kChipSetHeight = 256;

// One entry of the lower palette: its position in 8-pixel units (the kind's or block's origin for
// water and autotiles), for autotile blocks the chip index of the block its link cell repeats (-1
// none), and for lower chips whether the 16 x 16 square is all index 0.
struct TChipEntry {
  uint8_t x = 0, y = 0;
  int32_t link = -1;
  bool blank = false;
};
struct TUpperChipEntry {
  uint8_t x = 0, y = 0;
  bool blank = false;
};

// Every drawable picture of a tileset has a number, its tile key: the 144 lower and 144 upper
// chips, the three animated tiles in four frames, the twelve autotile blocks in 50 shapes, and the
// three water kinds in 50 shapes with 16 corner combinations in 3 frames.
namespace tile_key {
constexpr int kLowerChip = 0;
constexpr int kUpperChip = kLowerChip + kUpperChipCount;
constexpr int kAnimated = kUpperChip + kUpperChipCount;
constexpr int kAutotile = kAnimated + 3 * 4;
constexpr int kWater = kAutotile + 12 * kShapeCount;
constexpr int kCount = kWater + 3 * kShapeCount * 16 * 3;

constexpr int LowerChip(int chip) { return kLowerChip + chip; }
constexpr int UpperChip(int chip) { return kUpperChip + chip; }
constexpr int Animated(int tile, int frame) { return kAnimated + 4 * tile + frame; }
constexpr int Autotile(int block, int shape) { return kAutotile + kShapeCount * block + shape; }
constexpr int Water(int kind, int shape, int cornerBits, int frame) {
  return kWater + ((kind * kShapeCount + shape) * 16 + cornerBits) * 3 + frame;
}
}  // namespace tile_key

// A tile ready to draw: width x height palette indices, rows one after another.
struct TScaledTile {
  const uint8_t* pixels = nullptr;
  int width = 0, height = 0;
};

class TChipSetPicture {
 public:
  // Reads the picture file and analyses it. A missing, unreadable or not 8-bit picture, or one that
  // is not 480 x 256, gives a striped placeholder sheet (the first upper chip blank), and Error()
  // says why. An empty path is no picture and no error: every pixel and palette entry 0.
  explicit TChipSetPicture(const std::string& path);
  // The placeholder alone, with error as its reason.
  TChipSetPicture(const std::string& path, const std::string& error);
  TChipSetPicture(const TChipSetPicture&) = delete;
  TChipSetPicture& operator=(const TChipSetPicture&) = delete;

  // The picture of a file, shared: a file read before and unchanged since (the same size and
  // modification time) is neither read nor analysed again.
  static std::shared_ptr<TChipSetPicture> Obtain(const std::string& path);
  // The striped sheet of a picture that cannot be drawn, shared.
  static std::shared_ptr<TChipSetPicture> Placeholder();
  // Forgets every shared picture (tests).
  static void ClearCache();
  // How many files were read and analysed so far (tests).
  static int LoadCount();

  const std::string& Path() const { return path_; }
  const std::string& Error() const { return error_; }
  // 480 x 256 pixels with the picture's palette.
  const TCorvidSheet& Sheet() const { return sheet_; }
  const std::array<TChipEntry, kLowerChipCount>& Chips() const { return chips_; }
  const std::array<TUpperChipEntry, kUpperChipCount>& UpperChips() const { return upperChips_; }

  // The tile of a key at size pixels per cell, made the first time it is asked for. Chips and
  // animated tiles are 16 x 16 squares stretched to size x size; water and autotile shapes are
  // four 8 x 8 quarters, each stretched to half the size. Sizes outside 1..kMaxTileSize and keys
  // outside 0..kCount-1 give an empty tile.
  TScaledTile Tile(int key, int size);
  static constexpr int kMaxTileSize = 1024;

 private:
  struct TSizedTiles {
    int size = 0;
    std::vector<int32_t> offsets;  // per key into pool, -1 until made
    std::vector<uint8_t> pool;
  };
  void Analyse();
  void DrawPlaceholder();
  // The four quarters of a key in units from the picture's top-left, and whether it is a whole
  // chip.
  TShapeQuarters QuartersOf(int key, bool& whole) const;
  void MakeTile(TSizedTiles& tiles, int key);

  std::string path_;
  std::string error_;
  TCorvidSheet sheet_;
  std::array<TChipEntry, kLowerChipCount> chips_{};
  std::array<TUpperChipEntry, kUpperChipCount> upperChips_{};
  std::vector<TSizedTiles> sized_;
};

}  // namespace tess
