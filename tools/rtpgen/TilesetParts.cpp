#include "tools/rtpgen/TilesetParts.h"

#include <cmath>

#include "tools/rtpgen/Art.h"

namespace tess::rtp {

namespace {
constexpr double kPi = 3.14159265358979323846;

// Rounds off the corners of a cell of one water with another (where shallow and deep meet).
void RoundedCorners(TIndexedCanvas& c, int dx, int dy, const TIndexedCanvas& inner, const TIndexedCanvas& outer,
                    double r) {
  auto in = [&](int x, int y) {
    double px = x + 0.5, py = y + 0.5;
    double cx = px < 8 ? r : 16 - r, cy = py < 8 ? r : 16 - r;
    bool zoneX = px < 8 ? px < r : px > 16 - r, zoneY = py < 8 ? py < r : py > 16 - r;
    return !(zoneX && zoneY && std::hypot(px - cx, py - cy) > r);
  };
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint8_t col = in(x, y) ? inner.At(x, y) : outer.At(x, y);
      if (in(x, y) && x > 0 && x < 15 && y > 0 && y < 15 &&
          (!in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1)))
        col = Shade(inner.At(x, y), 1);
      c.Set(dx + x, dy + y, col);
    }
}

// The four side pieces (all sides, W+E, N+S, inner corners) of a water kind, 16 x 64.
void WaterEdges(TIndexedCanvas& c, int dx, int dy, const TIndexedCanvas& water, const TIndexedCanvas& bank,
                uint32_t seed, int frame) {
  TCellShape base;
  base.margin = 3;
  base.radius = 4;
  base.wobble = 0.7;
  base.seed = seed;
  TCellShape all = base, we = base, ns = base, corners = base;
  all.n = all.e = all.s = all.w = true;
  we.w = we.e = true;
  ns.n = ns.s = true;
  corners.nw = corners.ne = corners.sw = corners.se = true;
  PaintShapedCell(c, dx, dy, all, water, bank, TEdge::Water, frame);
  PaintShapedCell(c, dx, dy + 16, we, water, bank, TEdge::Water, frame);
  PaintShapedCell(c, dx, dy + 32, ns, water, bank, TEdge::Water, frame);
  PaintShapedCell(c, dx, dy + 48, corners, water, bank, TEdge::Water, frame);
}
}  // namespace

void PutTexture(TIndexedCanvas& c, int x, int y, TTex tex, uint32_t seed) { c.Blit(MakeTexture(tex, seed), x, y); }

void DrawWater(TTilesetArt& art, TTex shallow, TTex deep, TTex bank0, uint32_t bank0Seed, TTex bank1,
               uint32_t bank1Seed, uint32_t seed) {
  TIndexedCanvas b0 = MakeTexture(bank0, bank0Seed), b1 = MakeTexture(bank1, bank1Seed);
  for (int f = 0; f < 3; ++f) {
    TIndexedCanvas w = MakeTexture(shallow, seed, f), d = MakeTexture(deep, seed + 1, f);
    TIndexedCanvas& col = art.waterFrames[f];
    col = TIndexedCanvas(16, 128);
    WaterEdges(col, 0, 0, w, b0, seed, f);
    col.Blit(w, 0, 64);
    RoundedCorners(col, 0, 80, w, d, 5);
    RoundedCorners(col, 0, 96, d, w, 5);
    col.Blit(d, 0, 112);
    art.kind1Edges[f] = TIndexedCanvas(16, 64);
    WaterEdges(art.kind1Edges[f], 0, 0, w, b1, seed + 7, f);
  }
}

void CliffCell(TIndexedCanvas& c, int x, int y, int ramp, TFaceCell where, const TIndexedCanvas& lip, uint32_t seed) {
  for (int v = 0; v < 16; ++v)
    for (int u = 0; u < 16; ++u) {
      // Vertical ribs of rock with a few ledges across them.
      double rib = std::sin(2 * kPi * (u + 0.5) / 8.0 + (Hash(u / 8, 0, seed) % 3));
      double s = 3.4 + rib * 0.9 + (Noise(u / 4.0, v / 4.0, seed, 4) - 0.5) * 1.0;
      if ((v + (u / 8) * 5) % 8 == 7) s = 1.4;
      if ((v + (u / 8) * 5) % 8 == 0) s += 1.0;
      if (u % 8 == 0) s -= 1.2;
      if (where.left && u < 2) s += u == 0 ? 1.6 : 0.8;
      if (where.right && u > 13) s -= u == 15 ? 2 : 1;
      if (where.bottom && v > 12) s -= (v - 12) * 0.6;
      c.Set(x + u, y + v, Dither(ramp, s, u, v));
    }
  if (where.top) {
    for (int u = 0; u < 16; ++u) {
      int lipH = 3 + int(Hash(u / 3, 1, seed) % 2);
      for (int v = 0; v < lipH; ++v) c.Set(x + u, y + v, lip.At(u, v));
      c.Set(x + u, y + lipH, Shade(lip.At(u, lipH), -3));
      c.Set(x + u, y + lipH + 1, Sh(ramp, 1));
    }
  }
  if (where.left) c.VLine(x, y + (where.top ? 4 : 0), y + 15, Sh(ramp, 6));
  if (where.right) c.VLine(x + 15, y + (where.top ? 4 : 0), y + 15, Sh(ramp, 0));
}

void WallCell(TIndexedCanvas& c, int x, int y, TWall kind, TFaceCell where, uint32_t seed) {
  for (int v = 0; v < 16; ++v)
    for (int u = 0; u < 16; ++u) {
      uint8_t col = 0;
      switch (kind) {
        case TWall::Wood: {
          double s = 4.0 + (Noise(u * 1.0, v / 6.0, seed + u / 4, 16) - 0.5) * 1.2;
          if (u % 4 == 3) s = 1.6;
          if (u % 4 == 0) s += 0.8;
          col = Dither(rWood, s, u, v);
          break;
        }
        case TWall::Stone: {
          int row = v / 8, bx = (u + row * 6) % 16;
          double s = 4.2 + ((Hash((u + row * 6) / 8, row, seed) % 100) / 100.0 - 0.5);
          if (v % 8 == 7 || bx % 8 == 7) s = 1.8;
          if (v % 8 == 0) s += 1;
          col = Dither(rStone, s, u, v);
          break;
        }
        case TWall::Plaster: {
          double s = 5.5 + (Noise(u / 4.0, v / 4.0, seed, 4) - 0.5) * 0.8;
          col = Dither(rBone, s, u, v);
          if (u % 8 == 0 && !where.bottom) col = Sh(rBone, 4);
          break;
        }
        case TWall::Brick: {
          int row = v / 4, bx = (u + (row % 2) * 4) % 8;
          double s = 3.6 + ((Hash((u + (row % 2) * 4) / 8, row, seed) % 100) / 100.0 - 0.5);
          col = v % 4 == 3 || bx == 7 ? Sh(rStone, 2) : Dither(rBrick, v % 4 == 0 ? s + 1 : s, u, v);
          break;
        }
        case TWall::Rock: {
          double rib = std::sin(2 * kPi * (u + 0.5) / 16.0 * 2 + 1.3);
          double s = 2.8 + rib * 0.7 + (Noise(u / 4.0, v / 4.0, seed, 4) - 0.5) * 1.4;
          if ((v + (u / 5) * 3) % 8 == 5) s -= 1.2;
          col = Dither(rCave, s, u, v);
          break;
        }
        case TWall::Panel: {
          double s = 3.4 + (Noise(u / 8.0, v * 1.0, seed, 16) - 0.5) * 0.8;
          if (u % 8 == 0 || v % 8 == 0) s = 2;
          if (u % 8 == 1 || v % 8 == 1) s = 4.6;
          col = Dither(rWood, s, u, v);
          break;
        }
        case TWall::Ice: {
          double s = 4.4 + (Noise(u / 4.0, v / 4.0, seed, 4) - 0.5) * 1.6;
          if ((u + 2 * v) % 16 < 2) s = 6.5;
          col = Dither(rIce, s, u, v);
          break;
        }
      }
      c.Set(x + u, y + v, col);
    }
  if (where.top) {
    if (kind == TWall::Wood || kind == TWall::Plaster || kind == TWall::Panel) {
      c.FillRect(x, y, 16, 3, Sh(rWood, 3));
      c.HLine(x, x + 15, y, Sh(rWood, 5));
      c.HLine(x, x + 15, y + 3, Sh(rWood, 1));
    } else {
      c.HLine(x, x + 15, y, Shade(c.At(x, y + 1), 2));
    }
  }
  if (where.bottom) {
    if (kind == TWall::Wood || kind == TWall::Plaster || kind == TWall::Panel || kind == TWall::Stone) {
      for (int u = 0; u < 16; ++u)
        for (int v = 12; v < 16; ++v) {
          double s = v == 12 ? 5 : 3.4 - (v - 13) * 0.5;
          if ((u + (v > 13 ? 4 : 0)) % 8 == 7) s = 1.6;
          c.Set(x + u, y + v, Dither(rStone, s, u, v));
        }
    } else {
      for (int u = 0; u < 16; ++u) {
        c.Set(x + u, y + 14, Shade(c.At(x + u, y + 14), -1));
        c.Set(x + u, y + 15, Shade(c.At(x + u, y + 15), -2));
      }
    }
  }
  if (where.left) c.VLine(x, y, y + 15, Shade(c.At(x + 1, y + 8), 2));
  if (where.right) c.VLine(x + 15, y, y + 15, Shade(c.At(x + 14, y + 8), -2));
}

void RoofCell(TIndexedCanvas& c, int x, int y, int ramp, TFaceCell where) {
  for (int v = 0; v < 16; ++v)
    for (int u = 0; u < 16; ++u) {
      int row = v / 4, tx = (u + (row % 2) * 4) % 8;
      double s = 4.2 - (v % 4) * 0.5 - (where.bottom ? v / 16.0 : 0) + (where.top ? 0.4 : 0);
      if (v % 4 == 3) s = 1.6;
      if (tx == 7) s -= 1.2;
      if (tx == 0) s += 0.6;
      c.Set(x + u, y + v, Dither(ramp, s, u, v));
    }
  if (where.top) {
    c.FillRect(x, y, 16, 4, Sh(ramp, 2));
    c.HLine(x, x + 15, y, Sh(ramp, 5));
    c.HLine(x, x + 15, y + 1, Sh(ramp, 4));
    for (int u = 3; u < 16; u += 4) c.Set(x + u, y + 2, Sh(ramp, 1));
    c.HLine(x, x + 15, y + 4, Sh(ramp, 1));
  }
  if (where.bottom) {
    c.HLine(x, x + 15, y + 14, Sh(ramp, 1));
    c.HLine(x, x + 15, y + 15, kInk);
  }
  if (where.left) {
    c.VLine(x, y, y + 15, kInk);
    c.VLine(x + 1, y, y + 15, Sh(rWood, 4));
  }
  if (where.right) {
    c.VLine(x + 15, y, y + 15, kInk);
    c.VLine(x + 14, y, y + 15, Sh(rWood, 2));
  }
}

}  // namespace tess::rtp
