#include "tools/rtpgen/Art.h"

#include <cmath>

namespace tess::rtp {

namespace {
// Dark, middle and light key colours of each ramp; the eight shades run through them.
struct TRampKeys {
  TRgb dark, mid, light;
};
constexpr TRampKeys kRamps[kRampCount] = {
    {{28, 28, 38}, {120, 122, 132}, {238, 238, 242}},   // grey
    {{38, 34, 42}, {128, 118, 108}, {228, 220, 200}},   // stone
    {{96, 46, 42}, {224, 158, 118}, {255, 232, 204}},   // skin
    {{40, 22, 22}, {124, 72, 42}, {224, 172, 112}},     // hair
    {{18, 44, 40}, {72, 146, 60}, {200, 234, 122}},     // grass
    {{10, 28, 34}, {38, 98, 66}, {132, 190, 98}},       // foliage
    {{20, 42, 96}, {50, 122, 196}, {196, 240, 252}},    // water
    {{8, 14, 46}, {22, 52, 124}, {90, 152, 212}},       // deep water
    {{112, 78, 50}, {220, 188, 122}, {255, 246, 204}},  // sand
    {{44, 28, 28}, {132, 90, 58}, {216, 172, 122}},     // dirt
    {{50, 26, 24}, {150, 94, 54}, {234, 184, 116}},     // wood
    {{58, 12, 30}, {194, 48, 50}, {255, 164, 134}},     // red
    {{82, 30, 22}, {228, 120, 42}, {255, 216, 134}},    // orange
    {{84, 52, 22}, {222, 172, 42}, {255, 248, 174}},    // gold
    {{30, 16, 50}, {114, 64, 152}, {216, 174, 238}},    // purple
    {{82, 26, 62}, {222, 112, 152}, {255, 212, 228}},   // pink
    {{56, 86, 168}, {118, 170, 232}, {228, 244, 255}},  // sky
    {{10, 42, 52}, {40, 152, 150}, {182, 246, 228}},    // teal
    {{62, 10, 12}, {222, 72, 22}, {255, 242, 144}},     // lava
    {{68, 88, 140}, {170, 200, 232}, {250, 252, 255}},  // ice
    {{14, 14, 26}, {66, 64, 88}, {170, 166, 188}},      // cave stone
    {{30, 40, 22}, {106, 124, 52}, {202, 212, 132}},    // moss
    {{52, 20, 26}, {154, 72, 58}, {232, 164, 134}},     // brick
    {{20, 24, 62}, {62, 82, 164}, {172, 192, 242}},     // roof blue
    {{14, 16, 42}, {46, 58, 124}, {144, 164, 222}},     // navy cloth
    {{22, 36, 26}, {88, 122, 62}, {192, 212, 142}},     // olive
    {{26, 30, 42}, {122, 136, 152}, {242, 248, 255}},   // steel
    {{72, 58, 52}, {198, 186, 162}, {255, 252, 238}},   // bone
    {{8, 8, 22}, {42, 38, 84}, {112, 102, 172}},        // night
    {{20, 42, 84}, {62, 172, 232}, {222, 255, 255}},    // magic
    {{102, 62, 22}, {232, 192, 82}, {255, 250, 204}},   // blond
};

uint8_t Lerp(uint8_t a, uint8_t b, double t) { return uint8_t(std::lround(a + (b - a) * t)); }
TRgb Lerp(TRgb a, TRgb b, double t) { return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t)}; }
}  // namespace

TRgb PaletteColor(int index) {
  if (index == 0) return {40, 52, 60};
  if (index >= 1 && index < 1 + kRampCount * kShades) {
    const TRampKeys& k = kRamps[(index - 1) / kShades];
    double t = ((index - 1) % kShades) / double(kShades - 1);
    return t <= 0.5 ? Lerp(k.dark, k.mid, t * 2) : Lerp(k.mid, k.light, (t - 0.5) * 2);
  }
  switch (index) {
    case kInk:
      return {24, 20, 34};
    case kWhite:
      return {255, 255, 255};
    case kBlack:
      return {0, 0, 0};
    case kShadow:
      return {16, 22, 38};
    default:
      return {0, 0, 0};
  }
}

void ApplyPalette(TIndexedCanvas& canvas) {
  for (int i = 0; i < 256; ++i) canvas.Palette()[i] = PaletteColor(i);
}

uint32_t TRng::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return uint32_t((z ^ (z >> 31)) >> 16);
}

uint32_t Hash(int x, int y, uint32_t seed) {
  uint32_t h = seed * 0x27D4EB2Du ^ uint32_t(x) * 0x85EBCA6Bu ^ uint32_t(y) * 0xC2B2AE35u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

namespace {
int Wrap(int v, int n) { return ((v % n) + n) % n; }
double Smooth(double t) { return t * t * (3 - 2 * t); }
}  // namespace

double Noise(double x, double y, uint32_t seed, int period) {
  int x0 = int(std::floor(x)), y0 = int(std::floor(y));
  double fx = Smooth(x - x0), fy = Smooth(y - y0);
  auto v = [&](int ix, int iy) { return (Hash(Wrap(ix, period), Wrap(iy, period), seed) & 0xFFFF) / 65535.0; };
  double a = v(x0, y0) + (v(x0 + 1, y0) - v(x0, y0)) * fx;
  double b = v(x0, y0 + 1) + (v(x0 + 1, y0 + 1) - v(x0, y0 + 1)) * fx;
  return a + (b - a) * fy;
}

double Fractal(double x, double y, uint32_t seed, int period) {
  return (Noise(x, y, seed, period) * 2 + Noise(x * 2, y * 2, seed + 77, period * 2)) / 3;
}

double Bayer(int x, int y) {
  static constexpr int kMatrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (kMatrix[Wrap(y, 4)][Wrap(x, 4)] + 0.5) / 16.0;
}

uint8_t Dither(int ramp, double shade, int x, int y) {
  int base = int(std::floor(shade));
  double frac = shade - base;
  return Sh(ramp, frac > Bayer(x, y) ? base + 1 : base);
}

}  // namespace tess::rtp
