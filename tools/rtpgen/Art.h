#pragma once
// The shared palette of the runtime package and the small helpers every drawing uses: a
// deterministic random source, hashed and smooth noise, and ordered dithering between shades.
//
// Every picture of the package uses the same palette: 31 colour ramps of eight shades each (dark
// to light, the darks leaning blue and the lights leaning warm), so tiles, sprites and screens
// sit together. Index 0 is the transparent colour.

#include <cstdint>

#include "tools/rtpgen/IndexedCanvas.h"

namespace tess::rtp {

enum TRamp : int {
  rGrey,
  rStone,
  rSkin,
  rHair,
  rGrass,
  rFoliage,
  rWater,
  rDeep,
  rSand,
  rDirt,
  rWood,
  rRed,
  rOrange,
  rGold,
  rPurple,
  rPink,
  rSky,
  rTeal,
  rLava,
  rIce,
  rCave,
  rMoss,
  rBrick,
  rRoof,
  rNavy,
  rOlive,
  rSteel,
  rBone,
  rNight,
  rMagic,
  rBlond,
  kRampCount
};

constexpr int kShades = 8;
// Index of a shade (0 darkest .. 7 lightest, clamped) of a ramp.
constexpr uint8_t Sh(int ramp, int shade) {
  return uint8_t(1 + ramp * kShades + (shade < 0 ? 0 : shade > 7 ? 7 : shade));
}
constexpr uint8_t kInk = 249;  // the dark rim of sprites and the lines of drawings
constexpr uint8_t kWhite = 250;
constexpr uint8_t kBlack = 251;
constexpr uint8_t kShadow = 252;  // a dark, cool shade for cast shadows

TRgb PaletteColor(int index);
void ApplyPalette(TIndexedCanvas& canvas);

// splitmix-style generator: the same seed gives the same art on every machine.
class TRng {
 public:
  explicit TRng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
  uint32_t Next();
  int Below(int n) { return n <= 0 ? 0 : int(Next() % uint32_t(n)); }
  int Range(int lo, int hi) { return lo + Below(hi - lo + 1); }
  double Unit() { return Next() / 4294967296.0; }
  bool Chance(int percent) { return Below(100) < percent; }

 private:
  uint64_t state_;
};

uint32_t Hash(int x, int y, uint32_t seed);
// Smooth value noise in 0..1. The lattice repeats every `period` lattice cells, so with a cell
// size dividing 16 a tile texture joins itself seamlessly.
double Noise(double x, double y, uint32_t seed, int period);
// Two octaves of Noise for larger pictures.
double Fractal(double x, double y, uint32_t seed, int period);
// 4 x 4 ordered-dither threshold in 0..1.
double Bayer(int x, int y);
// A shade between two ramp shades: shade 3.25 gives shade 3 with a quarter of the pixels at 4.
uint8_t Dither(int ramp, double shade, int x, int y);

}  // namespace tess::rtp
