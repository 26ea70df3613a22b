#include "maps/ChipSetPicture.h"

#include <sys/stat.h>

#include <algorithm>
#include <exception>

#include "media/MaterialManager.h"
#include "media/PictureFile.h"

namespace tess {

namespace {

// The origin of autotile block b in units: blocks 0..3 in the two columns below the water,
// blocks 4..11 in the two columns beside them.
TQuarter BlockOrigin(int b) {
  if (b < 4) return {static_cast<int8_t>(6 * (b % 2)), static_cast<int8_t>(16 + 8 * (b / 2))};
  const int c = b - 4;
  return {static_cast<int8_t>(12 + 6 * (c % 2)), static_cast<int8_t>(8 * (c / 2))};
}

// The top-left pixel of lower chip k and of upper chip k. Both palettes run six chips a row, top to
// bottom, then on in the next 96-pixel column; the upper one starts half-way down the column at
// x 288, as if 48 chips came before it.
TPoint LowerChipPixel(int k) { return {192 + (k / 96) * 96 + (k % 6) * 16, ((k % 96) / 6) * 16}; }
TPoint UpperChipPixel(int k) {
  const int j = k + 48;
  return {288 + (j / 96) * 96 + (k % 6) * 16, ((j % 96) / 6) * 16};
}

TRect Cell16(int unitX, int unitY) { return Bounds(unitX * 8, unitY * 8, 16, 16); }

struct TFileStamp {
  int64_t size = -1;
  int64_t modified = 0;  // nanoseconds
  friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
};

bool StampOf(const std::string& path, TFileStamp& stamp) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  stamp.size = st.st_size;
  stamp.modified = int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
  return true;
}

struct TCacheEntry {
  std::string path;
  TFileStamp stamp;
  std::shared_ptr<TChipSetPicture> picture;
  uint64_t lastUse = 0;
};

// A project has a few dozen tilesets at most; the most recently used pictures stay loaded.
constexpr size_t kCachedPictures = 16;
std::vector<TCacheEntry>& Cache() {
  static std::vector<TCacheEntry> cache;
  return cache;
}
uint64_t useClock = 0;
int loadCount = 0;

}  // namespace

TChipSetPicture::TChipSetPicture(const std::string& path) : path_(path) {
  sheet_.SetSize(kChipSetWidth, kChipSetHeight);
  if (!path.empty()) {
    ++loadCount;
    try {
      TBitmap bitmap;
      LoadPictureFile(bitmap, path);
      // The rule the resource manager imports by, so that what it lets in is what is drawn.
      error_ = PictureRuleProblem(*FindPictureFolder("ChipSet"), bitmap);
      if (error_.empty()) sheet_.LoadFromBitmap(bitmap);
    } catch (const std::bad_alloc&) {
      error_ = "Insufficient memory.";
    } catch (const std::exception& e) {
      error_ = e.what();
    }
    if (!error_.empty()) DrawPlaceholder();
  }
  Analyse();
}

TChipSetPicture::TChipSetPicture(const std::string& path, const std::string& error) : path_(path), error_(error) {
  sheet_.SetSize(kChipSetWidth, kChipSetHeight);
  DrawPlaceholder();
  Analyse();
}

std::shared_ptr<TChipSetPicture> TChipSetPicture::Placeholder() {
  static const auto placeholder = std::make_shared<TChipSetPicture>("", "no picture");
  return placeholder;
}

void TChipSetPicture::DrawPlaceholder() {
  // Diagonal stripes in two colours that no tileset is drawn in, so a picture that did not load
  // never passes for a dark map. The first upper chip stays blank: it is the empty upper cell.
  sheet_.ClearAll();
  sheet_.palette[1] = TPaletteEntry{64, 64, 72, 0};
  sheet_.palette[2] = TPaletteEntry{240, 150, 20, 0};
  sheet_.UpdatePalette16();
  for (int y = 0; y < kChipSetHeight; ++y)
    for (int x = 0; x < kChipSetWidth; ++x) sheet_.Row(y)[x] = static_cast<uint8_t>(((x + y) / 4) % 2 ? 1 : 2);
  const TPoint empty = UpperChipPixel(0);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) sheet_.Row(empty.y + y)[empty.x + x] = 0;
}

void TChipSetPicture::Analyse() {
  for (int kind = 0; kind < 3; ++kind) chips_[kind] = TChipEntry{};
  for (int t = 0; t < 3; ++t) chips_[3 + t] = TChipEntry{static_cast<uint8_t>(6 + 2 * t), 8, -1, false};
  // An autotile block links to the first block whose preview cell its link cell repeats (itself
  // included).
  for (int i = 0; i < 12; ++i) {
    TChipEntry& chip = chips_[kAutotileIndexFirst + i];
    const TQuarter o = BlockOrigin(i);
    chip = TChipEntry{static_cast<uint8_t>(o.x), static_cast<uint8_t>(o.y), -1, false};
    for (int j = 0; j < 12; ++j) {
      const TQuarter p = BlockOrigin(j);
      if (sheet_.SameBlock(Cell16(o.x + 2, o.y), Cell16(p.x, p.y))) {
        chip.link = kAutotileIndexFirst + j;
        break;
      }
    }
  }
  for (int k = 0; k < kUpperChipCount; ++k) {
    const TPoint lower = LowerChipPixel(k), upper = UpperChipPixel(k);
    chips_[kLowerChipIndexFirst + k] = TChipEntry{static_cast<uint8_t>(lower.x / 8), static_cast<uint8_t>(lower.y / 8),
                                                  -1, sheet_.IsBlank(Bounds(lower.x, lower.y, 16, 16))};
    upperChips_[k] = TUpperChipEntry{static_cast<uint8_t>(upper.x / 8), static_cast<uint8_t>(upper.y / 8),
                                     sheet_.IsBlank(Bounds(upper.x, upper.y, 16, 16))};
  }
}

std::shared_ptr<TChipSetPicture> TChipSetPicture::Obtain(const std::string& path) {
  TFileStamp stamp;
  if (!path.empty() && !StampOf(path, stamp)) return std::make_shared<TChipSetPicture>(path);
  std::vector<TCacheEntry>& cache = Cache();
  auto it = std::find_if(cache.begin(), cache.end(), [&](const TCacheEntry& e) { return e.path == path; });
  if (it != cache.end() && it->stamp == stamp) {
    it->lastUse = ++useClock;
    return it->picture;
  }
  auto picture = std::make_shared<TChipSetPicture>(path);
  if (it != cache.end()) {
    *it = TCacheEntry{path, stamp, picture, ++useClock};
    return picture;
  }
  if (cache.size() >= kCachedPictures)
    cache.erase(std::min_element(cache.begin(), cache.end(),
                                 [](const TCacheEntry& a, const TCacheEntry& b) { return a.lastUse < b.lastUse; }));
  cache.push_back(TCacheEntry{path, stamp, picture, ++useClock});
  return picture;
}

void TChipSetPicture::ClearCache() { Cache().clear(); }
int TChipSetPicture::LoadCount() { return loadCount; }

TShapeQuarters TChipSetPicture::QuartersOf(int key, bool& whole) const {
  auto cell = [](int x, int y) {
    return TShapeQuarters{{{static_cast<int8_t>(x), static_cast<int8_t>(y)},
                           {static_cast<int8_t>(x + 1), static_cast<int8_t>(y)},
                           {static_cast<int8_t>(x), static_cast<int8_t>(y + 1)},
                           {static_cast<int8_t>(x + 1), static_cast<int8_t>(y + 1)}}};
  };
  auto moved = [](TShapeQuarters q, TQuarter origin) {
    for (TQuarter& p : q) p = {static_cast<int8_t>(p.x + origin.x), static_cast<int8_t>(p.y + origin.y)};
    return q;
  };
  whole = key < tile_key::kAutotile;
  if (key < tile_key::kUpperChip) {
    const TChipEntry& c = chips_[kLowerChipIndexFirst + key - tile_key::kLowerChip];
    return cell(c.x, c.y);
  }
  if (key < tile_key::kAnimated) {
    const TUpperChipEntry& c = upperChips_[key - tile_key::kUpperChip];
    return cell(c.x, c.y);
  }
  if (key < tile_key::kAutotile) {
    const int k = key - tile_key::kAnimated;
    return cell(6 + 2 * (k / 4), 8 + 2 * (k % 4));
  }
  if (key < tile_key::kWater) {
    const int k = key - tile_key::kAutotile;
    return moved(kShapeTable[k % kShapeCount].autotile, BlockOrigin(k / kShapeCount));
  }
  const int k = key - tile_key::kWater;
  const int frame = k % 3, corners = (k / 3) % 16, shape = (k / 48) % kShapeCount, kind = k / (48 * kShapeCount);
  return WaterQuarters(kind, shape, corners, frame);  // water kinds have their origin at (0, 0)
}

void TChipSetPicture::MakeTile(TSizedTiles& tiles, int key) {
  bool whole = false;
  const TShapeQuarters q = QuartersOf(key, whole);
  const int s = tiles.size;
  const int half = s / 2;
  const int side = whole ? s : 2 * half;
  tiles.offsets[key] = static_cast<int32_t>(tiles.pool.size());
  tiles.pool.resize(tiles.pool.size() + static_cast<size_t>(side) * side);
  uint8_t* out = tiles.pool.data() + tiles.offsets[key];
  auto pixel = [this](int x, int y) -> uint8_t {
    return x >= 0 && y >= 0 && x < sheet_.Width() && y < sheet_.Height() ? sheet_.Row(y)[x] : 0;
  };
  if (whole) {
    // Nearest neighbour, as a stretched block copy picks its source pixels.
    for (int Y = 0; Y < s; ++Y)
      for (int X = 0; X < s; ++X) out[Y * s + X] = pixel(q[0].x * 8 + X * 16 / s, q[0].y * 8 + Y * 16 / s);
    return;
  }
  // Each quarter stretched to half the size; for four quarters of one cell this picks exactly the
  // pixels the whole cell stretched to twice the half would.
  for (int i = 0; i < 4; ++i) {
    const int ox = (i & 1) * half, oy = (i >> 1) * half;
    for (int Y = 0; Y < half; ++Y)
      for (int X = 0; X < half; ++X)
        out[(oy + Y) * side + ox + X] = pixel(q[i].x * 8 + X * 8 / half, q[i].y * 8 + Y * 8 / half);
  }
}

TScaledTile TChipSetPicture::Tile(int key, int size) {
  if (key < 0 || key >= tile_key::kCount || size < 1 || size > kMaxTileSize) return {};
  auto it = std::find_if(sized_.begin(), sized_.end(), [size](const TSizedTiles& t) { return t.size == size; });
  if (it == sized_.end()) {
    // A view zooms between a few sizes; a picture drawn at many sizes starts over now and then.
    if (sized_.size() >= 8) sized_.clear();
    sized_.push_back(TSizedTiles{size, std::vector<int32_t>(tile_key::kCount, -1), {}});
    it = sized_.end() - 1;
  }
  if (it->offsets[key] < 0) MakeTile(*it, key);
  const int side = key < tile_key::kAutotile ? size : 2 * (size / 2);
  return {it->pool.data() + it->offsets[key], side, side};
}

}  // namespace tess
