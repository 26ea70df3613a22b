#include "tools/rtpgen/TileArt.h"

#include <algorithm>
#include <cmath>

namespace tess::rtp {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kTile = 16;

int Wrap16(int v) { return ((v % kTile) + kTile) % kTile; }
double WrapDiff(double d) {
  while (d < -8) d += 16;
  while (d >= 8) d -= 16;
  return d;
}

// Distance to the nearest and second-nearest of `count` feature points spread over a tile that
// repeats every 16 pixels (cellular noise), with the offset to the nearest point.
struct TCell {
  int nearest = 0;
  double d1 = 99, d2 = 99, dx = 0, dy = 0;
};
TCell Cellular(int u, int v, uint32_t seed, int count) {
  TCell c;
  for (int i = 0; i < count; ++i) {
    double px = (Hash(i, 1, seed) % 1600) / 100.0, py = (Hash(i, 2, seed) % 1600) / 100.0;
    double dx = WrapDiff(u + 0.5 - px), dy = WrapDiff(v + 0.5 - py);
    double d = std::sqrt(dx * dx + dy * dy);
    if (d < c.d1) {
      c.d2 = c.d1;
      c.d1 = d;
      c.nearest = i;
      c.dx = dx;
      c.dy = dy;
    } else if (d < c.d2) {
      c.d2 = d;
    }
  }
  return c;
}

void SetW(TIndexedCanvas& t, int x, int y, uint8_t c) { t.Set(Wrap16(x), Wrap16(y), c); }

// Ground shaded by smooth noise between two shades of a ramp.
void Base(TIndexedCanvas& t, int ramp, double shade, double spread, uint32_t seed, int cell = 4) {
  for (int v = 0; v < kTile; ++v)
    for (int u = 0; u < kTile; ++u) {
      double n = Noise(u / double(cell), v / double(cell), seed, kTile / cell);
      t.Set(u, v, Dither(ramp, shade + (n - 0.5) * spread, u, v));
    }
}

void Tufts(TIndexedCanvas& t, int ramp, int count, uint32_t seed, int dark = 2, int light = 5) {
  TRng rng(seed);
  for (int i = 0; i < count; ++i) {
    int x = rng.Below(16), y = rng.Below(16);
    SetW(t, x, y, Sh(ramp, dark));
    SetW(t, x + 1, y + 1, Sh(ramp, dark));
    SetW(t, x + 2, y, Sh(ramp, dark));
    SetW(t, x + 1, y, Sh(ramp, light));
  }
}

void Blades(TIndexedCanvas& t, int ramp, int count, uint32_t seed) {
  TRng rng(seed);
  for (int i = 0; i < count; ++i) {
    int x = rng.Below(16), y = rng.Below(16);
    SetW(t, x, y, Sh(ramp, 5));
    SetW(t, x, y + 1, Sh(ramp, 3));
    SetW(t, x, y + 2, Sh(ramp, 1));
    SetW(t, x + 1, y + 2, Sh(ramp, 1));
  }
}

void Pebbles(TIndexedCanvas& t, int ramp, int count, uint32_t seed, int base = 5) {
  TRng rng(seed);
  for (int i = 0; i < count; ++i) {
    int x = rng.Below(16), y = rng.Below(16);
    SetW(t, x, y, Sh(ramp, base));
    SetW(t, x + 1, y, Sh(ramp, base - 1));
    SetW(t, x, y + 1, Sh(ramp, base - 2));
    SetW(t, x + 1, y + 1, Sh(ramp, base - 3));
  }
}

void Flowers(TIndexedCanvas& t, int count, uint32_t seed) {
  static constexpr uint8_t kPetals[] = {Sh(rRed, 5), Sh(rPink, 6), Sh(rBone, 7), Sh(rPurple, 5), Sh(rGold, 6)};
  TRng rng(seed);
  for (int i = 0; i < count; ++i) {
    int x = rng.Below(16), y = rng.Below(16);
    uint8_t p = kPetals[rng.Below(5)];
    SetW(t, x, y - 1, p);
    SetW(t, x - 1, y, p);
    SetW(t, x + 1, y, p);
    SetW(t, x, y + 1, Sh(rGrass, 1));
    SetW(t, x, y, Sh(rGold, 6));
  }
}

// Rounded masses lit from the upper left, dark where two masses meet (leaves, boulders, cobbles).
void Masses(TIndexedCanvas& t, int ramp, int count, uint32_t seed, double base, double contrast, double crease) {
  for (int v = 0; v < kTile; ++v)
    for (int u = 0; u < kTile; ++u) {
      TCell c = Cellular(u, v, seed, count);
      double lit = base + contrast * (-(c.dx + c.dy) / 8.0) + (Hash(c.nearest, 9, seed) % 100) / 100.0 * 0.8 - 0.4;
      lit -= c.d1 * 0.12;
      if (c.d2 - c.d1 < crease) lit = 1;
      t.Set(u, v, Dither(ramp, lit, u, v));
    }
}

void Water(TIndexedCanvas& t, int ramp, int frame, uint32_t seed, double shade) {
  Base(t, ramp, shade, 1.2, seed, 8);
  TRng rng(seed + 5);
  for (int i = 0; i < 5; ++i) {
    int x = rng.Below(16), y = rng.Below(16);
    int shift = (i % 2 ? -frame : frame);
    int len = 3 + rng.Below(2);
    for (int k = 0; k < len; ++k) SetW(t, x + shift + k, y, Sh(ramp, k == 0 || k == len - 1 ? 5 : 6));
    SetW(t, x + shift + 1, y + 1, Sh(ramp, 2));
    SetW(t, x + shift + len - 2, y + 1, Sh(ramp, 2));
  }
}

}  // namespace

uint8_t Shade(uint8_t index, int delta) {
  if (index < 1 || index > kRampCount * kShades) return index;
  int ramp = (index - 1) / kShades, shade = (index - 1) % kShades;
  return Sh(ramp, shade + delta);
}

TIndexedCanvas MakeTexture(TTex tex, uint32_t seed, int frame) {
  TIndexedCanvas t(kTile, kTile, Sh(rGrey, 4));
  switch (tex) {
    case TTex::Grass:
      Base(t, rGrass, 3.4, 1.4, seed);
      Tufts(t, rGrass, 6, seed + 1);
      break;
    case TTex::Meadow:
      Base(t, rGrass, 2.5, 1.2, seed);
      Blades(t, rGrass, 9, seed + 1);
      break;
    case TTex::Flowers:
      Base(t, rGrass, 3.4, 1.4, seed);
      Tufts(t, rGrass, 3, seed + 1);
      Flowers(t, 5, seed + 2);
      break;
    case TTex::Dirt:
      Base(t, rDirt, 3.6, 1.4, seed);
      Pebbles(t, rDirt, 4, seed + 1, 5);
      break;
    case TTex::Path:
      Base(t, rDirt, 4.6, 1.0, seed);
      Pebbles(t, rDirt, 3, seed + 1, 6);
      break;
    case TTex::Sand:
      for (int v = 0; v < kTile; ++v)
        for (int u = 0; u < kTile; ++u) {
          int wave = v + int(std::lround(1.5 * std::sin(2 * kPi * u / 16)));
          double s = 3.6 + (Noise(u / 4.0, v / 4.0, seed, 4) - 0.5);
          if (Wrap16(wave) % 8 == 0) s = 5;
          if (Wrap16(wave) % 8 == 1) s = 2.7;
          t.Set(u, v, Dither(rSand, s, u, v));
        }
      Pebbles(t, rSand, 1, seed + 1, 6);
      break;
    case TTex::Snow:
      Base(t, rIce, 5.4, 1.4, seed);
      {
        TRng rng(seed + 1);
        for (int i = 0; i < 4; ++i) SetW(t, rng.Below(16), rng.Below(16), Sh(rIce, 7));
        for (int i = 0; i < 2; ++i) {
          int x = rng.Below(16), y = rng.Below(16);
          for (int k = 0; k < 4; ++k) SetW(t, x + k, y + (k == 0 || k == 3 ? 0 : 1), Sh(rIce, 4));
        }
      }
      break;
    case TTex::Rock:
      Masses(t, rStone, 5, seed, 4.0, 1.6, 0.9);
      break;
    case TTex::Canopy:
      Masses(t, rFoliage, 6, seed, 4.2, 2.2, 0.7);
      {
        TRng rng(seed + 3);
        for (int i = 0; i < 5; ++i) SetW(t, rng.Below(16), rng.Below(16), Sh(rFoliage, 7));
      }
      break;
    case TTex::PineCanopy:
      Masses(t, rFoliage, 7, seed, 3.0, 2.0, 0.9);
      for (int v = 0; v < kTile; ++v)
        for (int u = 0; u < kTile; ++u)
          if ((Hash(u, v, seed + 4) & 15) == 0) t.Set(u, v, Sh(rTeal, 3));
      break;
    case TTex::Cobble:
      Masses(t, rStone, 7, seed, 4.3, 1.6, 1.0);
      break;
    case TTex::Farmland:
      for (int v = 0; v < kTile; ++v)
        for (int u = 0; u < kTile; ++u) {
          static constexpr double kRow[4] = {5.0, 4.0, 3.2, 1.4};
          double s = kRow[v % 4] + (Noise(u / 4.0, v / 4.0, seed, 4) - 0.5) * 0.8;
          t.Set(u, v, Dither(rDirt, s, u, v));
        }
      break;
    case TTex::Swamp:
      for (int v = 0; v < kTile; ++v)
        for (int u = 0; u < kTile; ++u) {
          TCell c = Cellular(u, v, seed, 4);
          double n = Noise(u / 4.0, v / 4.0, seed, 4);
          if (c.d1 < 2.6)
            t.Set(u, v, Dither(rTeal, c.d1 < 1.2 && c.dy < 0 ? 4 : 2.6, u, v));
          else
            t.Set(u, v, Dither(rMoss, 2.6 + n * 1.2, u, v));
        }
      break;
    case TTex::Water:
      Water(t, rWater, frame, seed, 3.3);
      break;
    case TTex::DeepWater:
      Water(t, rDeep, frame, seed, 3.2);
      break;
    case TTex::Shallows:
      Water(t, rWater, frame, seed, 4.6);
      break;
    case TTex::CaveFloor:
      Base(t, rCave, 3.5, 1.2, seed);
      Pebbles(t, rCave, 3, seed + 1, 5);
      break;
    case TTex::CaveTop:
      Masses(t, rCave, 4, seed, 2.4, 1.0, 0.6);
      break;
    case TTex::Bricks:
      for (int v = 0; v < kTile; ++v)
        for (int u = 0; u < kTile; ++u) {
          int row = v / 4, bx = (u + (row % 2) * 4) % 8, brick = (u + (row % 2) * 4) / 8;
          double s = 3.5 + (Hash(brick, row, seed) % 100) / 100.0 - 0.5;
          if (v % 4 == 3 || bx == 7)
            t.Set(u, v, Sh(rCave, 1));
          else
            t.Set(u, v, Dither(rBrick, v % 4 == 0 ? s + 1 : s, u, v));
        }
      break;
    case TTex::BrickTop:
      for (int v = 0; v < kTile; ++v)
        for (int u = 0; u < kTile; ++u) {
          int row = v / 8, bx = (u + (row % 2) * 8) % 16;
          double s = v % 8 == 0 ? 4.5 : 3.3;
          if (v % 8 == 7 || bx == 15) s = 1;
          t.Set(u, v, Dither(rCave, s + (Noise(u / 4.0, v / 4.0, seed, 4) - 0.5) * 0.6, u, v));
        }
      break;
    case TTex::StoneTiles:
      for (int v = 0; v < kTile; ++v)
        for (int u = 0; u < kTile; ++u) {
          double s = 3.9 + ((Hash(u / 8, v / 8, seed) % 100) / 100.0 - 0.5) * 0.8;
          if (u % 8 == 7 || v % 8 == 7)
            s = 1.6;
          else if (u % 8 == 0 || v % 8 == 0)
            s = 5;
          t.Set(u, v, Dither(rStone, s, u, v));
        }
      break;
    case TTex::Planks:
      for (int v = 0; v < kTile; ++v)
        for (int u = 0; u < kTile; ++u) {
          int plank = v / 4;
          int joint = int(Hash(plank, 0, seed) % 16);
          double grain = Noise(u / 8.0, v * 1.0, seed + plank, 16);
          double s = 4.0 + (grain - 0.5) * 1.4;
          if (v % 4 == 3 || u == joint) s = 1.2;
          if (v % 4 == 0) s += 0.8;
          t.Set(u, v, Dither(rWood, s, u, v));
        }
      break;
    case TTex::Carpet:
      for (int v = 0; v < kTile; ++v)
        for (int u = 0; u < kTile; ++u) {
          int a = (u + v) % 8, b = ((u - v) % 8 + 8) % 8;
          uint8_t c = Dither(rRed, 3.2 + (Noise(u / 4.0, v / 4.0, seed, 4) - 0.5) * 0.6, u, v);
          if (a == 0 || b == 0) c = Sh(rGold, 4);
          if ((u % 8 == 4 && v % 8 == 0) || (u % 8 == 0 && v % 8 == 4)) c = Sh(rGold, 6);
          t.Set(u, v, c);
        }
      break;
    case TTex::Lava:
      for (int v = 0; v < kTile; ++v)
        for (int u = 0; u < kTile; ++u) {
          TCell c = Cellular(u, v, seed, 5);
          double gap = c.d2 - c.d1;
          double s = gap < 1.0 ? 6.5 : gap < 2.2 ? 4.6 : 1.6 + (-(c.dx + c.dy) / 8.0) * 0.8;
          t.Set(u, v, Dither(rLava, s, u, v));
        }
      break;
    case TTex::Ice:
      for (int v = 0; v < kTile; ++v)
        for (int u = 0; u < kTile; ++u) {
          int d = (u + v) % 16;
          double s = 4.6 + (Noise(u / 8.0, v / 8.0, seed, 2) - 0.5) * 1.0;
          if (d == 0 || d == 1) s = 7;
          if (d == 2 || d == 9) s = 6;
          t.Set(u, v, Dither(rIce, s, u, v));
        }
      break;
    case TTex::Pit:
      for (int v = 0; v < kTile; ++v)
        for (int u = 0; u < kTile; ++u) t.Set(u, v, Dither(rNight, 0.3 + Noise(u / 4.0, v / 4.0, seed, 4) * 0.6, u, v));
      break;
    case TTex::Moss:
      Base(t, rMoss, 3.2, 1.4, seed);
      Tufts(t, rMoss, 5, seed + 1);
      break;
    case TTex::Rubble:
      Base(t, rCave, 3.3, 1.0, seed);
      Pebbles(t, rStone, 7, seed + 1, 5);
      break;
    case TTex::Ledge:
      Base(t, rCave, 5.2, 0.8, seed);
      break;
    case TTex::Poison:
      for (int v = 0; v < kTile; ++v)
        for (int u = 0; u < kTile; ++u) {
          TCell c = Cellular(u, v, seed, 6);
          double s = 3.0 + (Noise(u / 4.0, v / 4.0, seed, 4) - 0.5);
          if (c.d1 < 1.6) s = c.dy < 0 ? 6 : 4.5;
          t.Set(u, v, Dither(rPurple, s, u, v));
        }
      break;
  }
  return t;
}

bool InsideCell(const TCellShape& sh, double x, double y) {
  double m = sh.margin, r = std::min<double>(sh.radius, 6);
  double wob =
      sh.wobble * 0.5 * (std::sin(2 * kPi * x / 16 + (sh.seed % 7)) + std::sin(2 * kPi * y / 16 + (sh.seed % 5) * 1.3));
  auto roundedBox = [&](double lx, double hx, double ly, double hy) {
    double cx = (lx + hx) / 2, cy = (ly + hy) / 2;
    double qx = std::abs(x - cx) - ((hx - lx) / 2 - r), qy = std::abs(y - cy) - ((hy - ly) / 2 - r);
    double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - r;
  };
  constexpr double kFar = 1000;
  double d = roundedBox(sh.w ? m : -kFar, sh.e ? 16 - m : 16 + kFar, sh.n ? m : -kFar, sh.s ? 16 - m : 16 + kFar);
  if (d + wob > 0) return false;
  auto notch = [&](bool on, double lx, double hx, double ly, double hy) {
    return on && roundedBox(lx, hx, ly, hy) - wob < 0;
  };
  if (notch(sh.nw, -kFar, m, -kFar, m) || notch(sh.ne, 16 - m, 16 + kFar, -kFar, m) ||
      notch(sh.sw, -kFar, m, 16 - m, 16 + kFar) || notch(sh.se, 16 - m, 16 + kFar, 16 - m, 16 + kFar))
    return false;
  return true;
}

void PaintShapedCell(TIndexedCanvas& canvas, int dx, int dy, const TCellShape& shape, const TIndexedCanvas& inner,
                     const TIndexedCanvas& outer, TEdge edge, int frame) {
  auto in = [&](int x, int y) { return InsideCell(shape, x + 0.5, y + 0.5); };
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x) {
      bool here = in(x, y);
      bool up1 = in(x, y - 1), up2 = in(x, y - 2), up3 = in(x, y - 3);
      bool dn1 = in(x, y + 1), dn2 = in(x, y + 2);
      bool lf = in(x - 1, y), rt = in(x + 1, y);
      uint8_t c;
      if (here) {
        c = inner.At(x, y);
        bool rim = !up1 || !dn1 || !lf || !rt;
        switch (edge) {
          case TEdge::Flat:
            if (rim) c = Shade(c, -1);
            break;
          case TEdge::Raised:
            if (!up1)
              c = Shade(c, 2);
            else if (!up2)
              c = Shade(c, 1);
            if (!dn1)
              c = Shade(c, -2);
            else if (!dn2)
              c = Shade(c, -1);
            if (!lf) c = Shade(c, 1);
            if (!rt) c = Shade(c, -1);
            break;
          case TEdge::Sunken:
            if (!up1 || !up2)
              c = Shade(c, -3);
            else if (!up3)
              c = Shade(c, -2);
            else if (!lf || !rt)
              c = Shade(c, -1);
            if (!dn1) c = Shade(inner.At(x, y), 1);
            break;
          case TEdge::Water: {
            bool near2 = !in(x, y - 2) || !in(x, y + 2) || !in(x - 2, y) || !in(x + 2, y);
            if (rim)
              c = Sh(rWater, 7);
            else if (near2)
              c = frame == 1 ? Sh(rWater, 6) : Shade(c, 1);
            break;
          }
          case TEdge::Ledge:
            if (rim) c = Shade(c, -1);
            break;
        }
      } else {
        c = outer.At(x, y);
        bool touches = up1 || dn1 || lf || rt;
        switch (edge) {
          case TEdge::Flat:
            if (touches) c = Shade(c, -1);
            break;
          case TEdge::Raised:
            if (touches)
              c = Shade(c, -4);
            else if (up2 || up3)
              c = Shade(c, -2);
            break;
          case TEdge::Sunken:
            if (touches) c = dn1 || rt ? Shade(c, 1) : Shade(c, -1);
            break;
          case TEdge::Water:
            if (touches) c = Shade(c, -2);
            break;
          case TEdge::Ledge:
            if (touches) c = Shade(c, 2);
            break;
        }
      }
      canvas.Set(dx + x, dy + y, c);
    }
}

TIndexedCanvas DrawAutotileBlock(const TAutotileStyle& st, const TIndexedCanvas* linkTo) {
  TIndexedCanvas block(48, 64);
  TIndexedCanvas inner = MakeTexture(st.inner, st.innerSeed), outer = MakeTexture(st.outer, st.outerSeed);
  TCellShape base;
  base.margin = st.margin;
  base.radius = st.radius;
  base.wobble = st.wobble;
  base.seed = st.innerSeed;

  TCellShape preview = base;
  preview.n = preview.e = preview.s = preview.w = true;
  preview.margin = std::max(1, st.margin - 1);
  PaintShapedCell(block, 0, 0, preview, inner, outer, st.edge);

  if (linkTo)
    block.Blit(*linkTo, {0, 0, 16, 16}, 16, 0);
  else
    block.Blit(inner, 16, 0);

  TCellShape corners = base;
  corners.nw = corners.ne = corners.sw = corners.se = true;
  PaintShapedCell(block, 32, 0, corners, inner, outer, st.edge);

  for (int cy = 0; cy < 3; ++cy)
    for (int cx = 0; cx < 3; ++cx) {
      TCellShape s = base;
      s.n = cy == 0;
      s.s = cy == 2;
      s.w = cx == 0;
      s.e = cx == 2;
      PaintShapedCell(block, 16 * cx, 16 + 16 * cy, s, inner, outer, st.edge);
    }
  return block;
}

}  // namespace tess::rtp
