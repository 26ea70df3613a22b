// The outdoor tileset: meadows, forests, water, villages with their houses and furniture.

#include <cmath>

#include "tools/rtpgen/Art.h"
#include "tools/rtpgen/DrawKit.h"
#include "tools/rtpgen/Props.h"
#include "tools/rtpgen/TilesetParts.h"

namespace tess::rtp {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Texture seeds shared by chips, water banks and autotile surroundings, so they join seamlessly.
constexpr uint32_t kGrass = 11, kSand = 16;

void Waterfall(TIndexedCanvas& c, uint32_t seed) {
  c = TIndexedCanvas(16, 64);
  for (int f = 0; f < 4; ++f)
    for (int v = 0; v < 16; ++v)
      for (int u = 0; u < 16; ++u) {
        double n = Noise(u / 2.0, (v - 4 * f + 64) / 2.0, seed, 8);
        double s = 3.0 + n * 3.2;
        if (u == 0 || u == 15) s -= 1;
        c.Set(u, 16 * f + v, Dither(rWater, s, u, v));
      }
}

void Whirlpool(TIndexedCanvas& c, uint32_t seed) {
  c = TIndexedCanvas(16, 64);
  TIndexedCanvas base = MakeTexture(TTex::Water, seed);
  for (int f = 0; f < 4; ++f)
    for (int v = 0; v < 16; ++v)
      for (int u = 0; u < 16; ++u) {
        double dx = u + 0.5 - 8, dy = v + 0.5 - 8, r = std::hypot(dx, dy);
        uint8_t col = base.At(u, v);
        if (r < 7.5) {
          double a = std::atan2(dy, dx) + f * kPi / 4 + r * 0.55;
          double arm = std::cos(2 * a);
          double s = 3.4 - (7.5 - r) * 0.25 + arm * 1.4;
          if (r < 1.6) s = 1;
          col = Dither(rWater, s, u, v);
        }
        c.Set(u, 16 * f + v, col);
      }
}

void Sparkles(TIndexedCanvas& c, uint32_t seed) {
  c = TIndexedCanvas(16, 64);
  for (int f = 0; f < 4; ++f) {
    TIndexedCanvas t = MakeTexture(TTex::Shallows, seed, f % 3);
    c.Blit(t, 0, 16 * f);
    TRng rng(seed + f);
    for (int i = 0; i < 3; ++i) {
      int x = 2 + rng.Below(12), y = 2 + rng.Below(12);
      c.Set(x, 16 * f + y, kWhite);
      if (f % 2 == 0) {
        c.Set(x - 1, 16 * f + y, Sh(rWater, 7));
        c.Set(x + 1, 16 * f + y, Sh(rWater, 7));
        c.Set(x, 16 * f + y - 1, Sh(rWater, 7));
        c.Set(x, 16 * f + y + 1, Sh(rWater, 7));
      }
    }
  }
}

// Lower chips; the palette is drawn as the 6-wide grid the chip selector shows.
void DrawLower(TIndexedCanvas& p) {
  auto at = [](int col, int row) { return std::pair{col * 16, row * 16}; };
  auto tex = [&](int col, int row, TTex t, uint32_t seed) {
    auto [x, y] = at(col, row);
    PutTexture(p, x, y, t, seed);
  };
  TIndexedCanvas grass = MakeTexture(TTex::Grass, kGrass);
  TIndexedCanvas sandTex = MakeTexture(TTex::Sand, kSand);
  TIndexedCanvas snowTex = MakeTexture(TTex::Snow, 19);
  // Row 0-1: grounds.
  tex(0, 0, TTex::Grass, kGrass);
  tex(1, 0, TTex::Grass, 12);
  tex(2, 0, TTex::Meadow, 13);
  tex(3, 0, TTex::Flowers, 14);
  tex(4, 0, TTex::Dirt, 15);
  tex(5, 0, TTex::Sand, kSand);
  tex(0, 1, TTex::Path, 17);
  tex(1, 1, TTex::Cobble, 18);
  tex(2, 1, TTex::Snow, 19);
  tex(3, 1, TTex::Farmland, 20);
  tex(4, 1, TTex::Swamp, 21);
  tex(5, 1, TTex::StoneTiles, 22);
  // Cliffs and walls: 3 x 2 faces (left, middle, right; top row, bottom row).
  auto face = [&](int col0, int row0, auto&& cell) {
    for (int r = 0; r < 2; ++r)
      for (int k = 0; k < 3; ++k) {
        auto [x, y] = at(col0 + k, row0 + r);
        cell(x, y, TFaceCell{r == 0, r == 1, k == 0, k == 2});
      }
  };
  face(0, 2, [&](int x, int y, TFaceCell w) { CliffCell(p, x, y, rStone, w, grass, 31); });
  face(3, 2, [&](int x, int y, TFaceCell w) { CliffCell(p, x, y, rDirt, w, grass, 32); });
  face(0, 4, [&](int x, int y, TFaceCell w) { WallCell(p, x, y, TWall::Wood, w, 33); });
  face(3, 4, [&](int x, int y, TFaceCell w) { WallCell(p, x, y, TWall::Stone, w, 34); });
  face(0, 6, [&](int x, int y, TFaceCell w) { WallCell(p, x, y, TWall::Plaster, w, 35); });
  face(3, 6, [&](int x, int y, TFaceCell w) { WallCell(p, x, y, TWall::Brick, w, 36); });
  face(0, 8, [&](int x, int y, TFaceCell w) { RoofCell(p, x, y, rRed, w); });
  face(3, 8, [&](int x, int y, TFaceCell w) { RoofCell(p, x, y, rRoof, w); });
  // Row 10: bridges, stairs and a ladder.
  {
    TIndexedCanvas water = MakeTexture(TTex::Water, 5);
    for (int k = 0; k < 4; ++k) {
      auto [x, y] = at(k, 10);
      p.Blit(water, x, y);
      bool horizontal = k % 2 == 0;
      bool stone = k >= 2;
      for (int v = 0; v < 16; ++v)
        for (int u = 0; u < 16; ++u) {
          int along = horizontal ? u : v, across = horizontal ? v : u;
          if (across < 2 || across > 13) continue;
          double s;
          if (stone)
            s = (along % 8 == 7 ? 1.6 : along % 8 == 0 ? 5 : 3.9) + (across == 2 ? 1 : across == 13 ? -1.4 : 0);
          else
            s = (along % 4 == 3 ? 1.4 : 4 + (Hash(along / 4, across, 9) % 3) * 0.3) + (across == 2 ? 1 : 0) -
                (across == 13 ? 1.6 : 0);
          p.Set(x + u, y + v, Dither(stone ? rStone : rWood, s, u, v));
        }
      // Railing shadows along the long sides.
      for (int i = 0; i < 16; ++i) {
        if (horizontal) {
          p.Set(x + i, y + 2, kInk);
          p.Set(x + i, y + 14, Sh(rDeep, 1));
        } else {
          p.Set(x + 2, y + i, kInk);
          p.Set(x + 14, y + i, Sh(rDeep, 1));
        }
      }
    }
    auto [sx, sy] = at(4, 10);
    for (int v = 0; v < 16; ++v)
      for (int u = 0; u < 16; ++u) {
        double s = v % 4 == 0 ? 5.4 : v % 4 == 3 ? 1.6 : 3.8;
        if (u < 2) s = 2;
        if (u > 13) s = 1;
        p.Set(sx + u, sy + v, Dither(rStone, s, u, v));
      }
    auto [lx, ly] = at(5, 10);
    CliffCell(p, lx, ly, rStone, {}, grass, 31);
    for (int v = 0; v < 16; ++v) {
      p.Set(lx + 4, ly + v, Sh(rWood, 4));
      p.Set(lx + 11, ly + v, Sh(rWood, 2));
      if (v % 4 == 1) p.HLine(lx + 4, lx + 11, ly + v, Sh(rWood, 5));
    }
  }
  // Row 11: interior floors.
  tex(0, 11, TTex::Planks, 41);
  tex(1, 11, TTex::StoneTiles, 42);
  tex(2, 11, TTex::Carpet, 43);
  {
    auto [x, y] = at(3, 11);
    for (int v = 0; v < 16; ++v)
      for (int u = 0; u < 16; ++u) {
        bool dark = ((u / 8) + (v / 8)) % 2;
        p.Set(x + u, y + v, dark ? Dither(rNavy, 2.6, u, v) : Dither(rBone, 5.6, u, v));
      }
    auto [mx, my] = at(4, 11);
    for (int v = 0; v < 16; ++v)
      for (int u = 0; u < 16; ++u) {
        double s = 4.6 + ((u + v * 3) % 5 == 0 ? 0.8 : 0) - (v % 8 == 7 || u == 0 ? 2.4 : 0);
        p.Set(mx + u, my + v, Dither(rOlive, s, u, v));
      }
  }
  tex(5, 11, TTex::Dirt, 45);
  face(0, 12, [&](int x, int y, TFaceCell w) { WallCell(p, x, y, TWall::Panel, w, 46); });
  face(3, 12, [&](int x, int y, TFaceCell w) {
    WallCell(p, x, y, TWall::Plaster, w, 47);
    for (int v = 0; v < (w.bottom ? 12 : 16); ++v)
      for (int u = 2; u < 16; u += 4) p.Set(x + u, y + v, Sh(rSky, 6));
  });
  // Row 14: grounds with details.
  {
    auto [x, y] = at(0, 14);
    p.Blit(grass, x, y);
    props::Rubble(p, x, y, 51);
    p.Replace({x, y, 16, 16}, kInk, Sh(rGrass, 1));
    auto [x1, y1] = at(1, 14);
    p.Blit(grass, x1, y1);
    TRng rng(52);
    for (int i = 0; i < 6; ++i) {
      int lx = x1 + 1 + rng.Below(13), ly = y1 + 1 + rng.Below(13);
      p.Set(lx, ly, Sh(rOrange, 5));
      p.Set(lx + 1, ly, Sh(rOrange, 3));
      p.Set(lx, ly + 1, Sh(rRed, 3));
    }
    auto [x2, y2] = at(2, 14);
    p.Blit(grass, x2, y2);
    TIndexedCanvas m(16, 16);
    props::Mushrooms(m, 0, 0, rRed);
    p.Blit(m, x2, y2, true);
    auto [x3, y3] = at(3, 14);
    PutTexture(p, x3, y3, TTex::Dirt, 15);
    TIndexedCanvas tufts(16, 16);
    props::TallGrass(tufts, 0, 0, rGrass, 53);
    p.Blit(tufts, x3, y3, true);
    auto [x4, y4] = at(4, 14);
    p.Blit(sandTex, x4, y4);
    for (auto [sx, sy] : {std::pair{4, 5}, {11, 10}}) {
      p.FillEllipse(x4 + sx, y4 + sy, 3, 2, Sh(rPink, 6));
      p.Set(x4 + sx + 1, y4 + sy + 1, Sh(rPink, 3));
    }
    auto [x5, y5] = at(5, 14);
    p.Blit(snowTex, x5, y5);
    for (int i = 0; i < 4; ++i) {
      int fx = x5 + 4 + (i % 2) * 5, fy = y5 + 1 + i * 4;
      p.FillRect(fx, fy, 2, 3, Sh(rIce, 3));
    }
  }
  // Row 15: crops and flower beds on farmland.
  {
    TIndexedCanvas soil = MakeTexture(TTex::Farmland, 20);
    for (int k = 0; k < 6; ++k) {
      auto [x, y] = at(k, 15);
      p.Blit(soil, x, y);
      for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
          int px = x + 2 + col * 4, py = y + row * 4;
          switch (k) {
            case 0:
              p.Set(px, py, Sh(rGrass, 5));
              p.Set(px + 1, py - 1 + 16 * (py == y), Sh(rGrass, 4));
              break;
            case 1:
              p.VLine(px, py - 2 + (py == y ? 2 : 0), py + 1, Sh(rGold, 5));
              p.Set(px, py - 2 + (py == y ? 2 : 0), Sh(rGold, 7));
              break;
            case 2:
              if (row % 2 == 0) Ball(p, px - 1, py, 4, 4, rOlive, 4.6, 2.4);
              break;
            case 3:
              if (row % 2 == 0 && col % 2 == 0) Ball(p, px, py + 1, 5, 4, rOrange, 4.2, 2.4);
              break;
            default:
              p.Set(px, py + 1, k == 4 ? Sh(rRed, 5) : Sh(rGold, 6));
              p.Set(px + 1, py + 1, k == 4 ? Sh(rRed, 3) : Sh(rGold, 4));
              p.Set(px, py + 2, Sh(rGrass, 3));
              break;
          }
        }
    }
  }
  face(0, 16, [&](int x, int y, TFaceCell w) { CliffCell(p, x, y, rIce, w, snowTex, 61); });
  face(3, 16, [&](int x, int y, TFaceCell w) { CliffCell(p, x, y, rSand, w, sandTex, 62); });
  // Rows 18-19: cave mouths in the cliffs, and a cliff with vines.
  for (int k = 0; k < 3; ++k) {
    int ramp = k == 1 ? rDirt : rStone;
    for (int r = 0; r < 2; ++r)
      for (int side = 0; side < 2; ++side) {
        auto [x, y] = at(2 * k + side, 18 + r);
        CliffCell(p, x, y, ramp, {r == 0, r == 1, side == 0, side == 1}, grass, 31 + k);
        if (k < 2) {
          // A dark arch across the pair of cells.
          for (int v = 0; v < 16; ++v)
            for (int u = 0; u < 16; ++u) {
              double gx = side * 16 + u + 0.5 - 16, gy = r * 16 + v + 0.5 - 32;
              double d = std::hypot(gx / 11.0, gy / 22.0);
              if (d < 1) p.Set(x + u, y + v, d > 0.86 ? Sh(ramp, 1) : Dither(rNight, 0.4 + (1 - d) * 0.5, u, v));
            }
        } else {
          TRng rng(70 + r * 2 + side);
          for (int i = 0; i < 3; ++i) {
            int vx = x + 2 + rng.Below(12);
            for (int v = (r == 0 ? 4 : 0); v < 16 - rng.Below(4); ++v)
              p.Set(vx + ((v / 3) % 2), y + v, Sh(rFoliage, 3 + (v % 3 == 0 ? 2 : 0)));
          }
        }
      }
  }
  // Row 20-21: more grounds with details.
  {
    TIndexedCanvas cob = MakeTexture(TTex::Cobble, 18);
    auto [x0, y0] = at(0, 20);
    p.Blit(cob, x0, y0);
    p.FillRect(x0 + 4, y0 + 4, 8, 8, Sh(rSteel, 2));
    for (int i = 0; i < 4; ++i) p.HLine(x0 + 5, x0 + 10, y0 + 5 + i * 2, kInk);
    auto [x1, y1] = at(1, 20);
    p.Blit(grass, x1, y1);
    for (auto [sx, sy] : {std::pair{1, 2}, {8, 6}, {3, 10}}) Ball(p, x1 + sx, y1 + sy, 6, 5, rStone, 4.4, 2.6);
    auto [x2, y2] = at(2, 20);
    PutTexture(p, x2, y2, TTex::Dirt, 15);
    p.FillEllipse(x2 + 3, y2 + 5, 10, 6, Sh(rWater, 3));
    p.FillEllipse(x2 + 5, y2 + 6, 5, 2, Sh(rWater, 5));
    tex(3, 20, TTex::Meadow, 71);
    tex(4, 20, TTex::Ice, 72);
    tex(5, 20, TTex::Lava, 73);
    auto [x3, y3] = at(0, 21);
    p.Blit(sandTex, x3, y3);
    Ball(p, x3 + 2, y3 + 3, 11, 9, rStone, 4, 3);
    tex(1, 21, TTex::Rock, 74);
    tex(2, 21, TTex::Moss, 75);
    auto [x4, y4] = at(3, 21);
    PutTexture(p, x4, y4, TTex::Swamp, 21);
    TIndexedCanvas reeds(16, 16);
    props::TallGrass(reeds, 0, 0, rOlive, 76);
    p.Blit(reeds, x4, y4, true);
    tex(4, 21, TTex::Pit, 77);
    tex(5, 21, TTex::Poison, 78);
  }
  face(0, 22, [&](int x, int y, TFaceCell w) {
    WallCell(p, x, y, TWall::Stone, {false, w.bottom, w.left, w.right}, 81);
    if (w.top)
      for (int u = 0; u < 16; ++u)
        if (u % 8 < 4) p.FillRect(x + u, y, 1, 3, Sh(rStone, 0)), p.Set(x + u, y + 3, Sh(rStone, 5));
  });
  face(3, 22, [&](int x, int y, TFaceCell w) {
    for (int v = 0; v < 16; ++v)
      for (int u = 0; u < 16; ++u) {
        double s = 3.4 + (Noise(u / 3.0, v / 3.0, 83, 16) - 0.5) * 3 - (w.bottom ? v / 10.0 : 0);
        if (w.left && u < 2) s += 1;
        if (w.right && u > 13) s -= 1.5;
        p.Set(x + u, y + v, Dither(rFoliage, s, u, v));
      }
    if (w.top) p.HLine(x, x + 15, y, Sh(rFoliage, 6));
    if (w.bottom) p.HLine(x, x + 15, y + 15, Sh(rFoliage, 0));
  });
}

void DrawUpper(TIndexedCanvas& p) {
  auto X = [](int col) { return col * 16; };
  auto Y = [](int row) { return row * 16; };
  // Row 0: chip 0 stays empty: it is the blank of the upper layer.
  props::Bush(p, X(1), Y(0), 16, 16, rGrass, 101);
  props::FlowerClump(p, X(2), Y(0), rRed, 102);
  props::FlowerClump(p, X(3), Y(0), rGold, 103);
  props::TallGrass(p, X(4), Y(0), rGrass, 104);
  props::Boulder(p, X(5), Y(0), 16, 16, rStone, 105);
  props::Tree(p, X(0), Y(1), 32, 32, rGrass, 111);
  props::Tree(p, X(2), Y(1), 32, 32, rOrange, 112);
  props::Pine(p, X(4), Y(1), 16, 32, false, 113);
  props::Pine(p, X(5), Y(1), 16, 32, true, 114);
  props::Boulder(p, X(0), Y(3), 32, 32, rStone, 121);
  props::Bush(p, X(2), Y(3), 32, 32, rGrass, 122, true);
  props::Well(p, X(4), Y(3));
  props::FenceH(p, X(0), Y(5), true, false);
  props::FenceH(p, X(1), Y(5), false, false);
  props::FenceH(p, X(2), Y(5), false, true);
  props::FenceV(p, X(3), Y(5));
  props::Sign(p, X(4), Y(5));
  props::Stump(p, X(5), Y(5));
  props::Barrel(p, X(0), Y(6));
  props::Crate(p, X(1), Y(6), 16, 16);
  props::Pot(p, X(2), Y(6), rBrick);
  props::Sack(p, X(3), Y(6));
  props::Chest(p, X(4), Y(6), false, rWood);
  props::Chest(p, X(5), Y(6), true, rWood);
  props::LampPost(p, X(0), Y(7));
  props::Statue(p, X(1), Y(7), rStone);
  props::Bed(p, X(2), Y(7), rNavy);
  props::Shelf(p, X(3), Y(7), true);
  props::Shelf(p, X(4), Y(7), false);
  props::Banner(p, X(5), Y(7), rRed);
  props::Grave(p, X(0), Y(9), false);
  props::Grave(p, X(1), Y(9), true);
  props::Mushrooms(p, X(2), Y(9), rRed);
  props::Logs(p, X(3), Y(9));
  props::Hay(p, X(4), Y(9), 16, 16);
  props::PlantPot(p, X(5), Y(9));
  props::Table(p, X(0), Y(10), 32);
  props::Chair(p, X(2), Y(10));
  props::Window(p, X(3), Y(10));
  props::Painting(p, X(4), Y(10));
  props::Door(p, X(5), Y(10), 16, rWood);
  props::Tree(p, X(0), Y(11), 16, 16, rGrass, 131);
  props::Tree(p, X(1), Y(11), 16, 16, rOrange, 132);
  props::Bush(p, X(2), Y(11), 16, 16, rFoliage, 133, true);
  props::FlowerClump(p, X(3), Y(11), rPink, 134);
  props::FlowerClump(p, X(4), Y(11), rPurple, 135);
  props::TallGrass(p, X(5), Y(11), rOlive, 136);
  props::Hay(p, X(0), Y(12), 32, 32);
  props::Crate(p, X(2), Y(12), 32, 32);
  props::Tree(p, X(4), Y(12), 32, 32, rGrass, 141);
  {
    TRng rng(142);
    for (int i = 0; i < 9; ++i) {
      int px = X(4) + 6 + rng.Below(20), py = Y(12) + 4 + rng.Below(14);
      if (p.At(px, py) != 0 && p.At(px, py) != kInk) {
        p.Set(px, py, Sh(rRed, 5));
        p.Set(px, py - 1, Sh(rRed, 7));
      }
    }
  }
  props::Boulder(p, X(0), Y(14), 16, 16, rMoss, 151);
  props::Boulder(p, X(1), Y(14), 16, 16, rSand, 152);
  props::Bones(p, X(2), Y(14), false);
  props::Rubble(p, X(3), Y(14), 153);
  props::Bones(p, X(4), Y(14), true);
  props::Mushrooms(p, X(5), Y(14), rPurple);
  props::Door(p, X(0), Y(15), 32, rWood);
  props::Door(p, X(1), Y(15), 32, rSteel);
  props::Boulder(p, X(2), Y(15), 32, 32, rDirt, 161);
  props::Boulder(p, X(4), Y(15), 32, 32, rIce, 162);
  props::Tree(p, X(0), Y(17), 32, 32, rPink, 171);
  props::Tree(p, X(2), Y(17), 32, 32, rFoliage, 172);
  props::Tree(p, X(4), Y(17), 32, 32, rOlive, 173);
  props::Bush(p, X(0), Y(19), 32, 32, rFoliage, 181, false);
  props::Bush(p, X(2), Y(19), 32, 32, rOlive, 182, true);
  props::Pine(p, X(4), Y(19), 16, 32, false, 183);
  props::Pine(p, X(5), Y(19), 16, 32, false, 184);
  static constexpr int kPots[] = {rBrick, rNavy, rTeal, rGold, rPurple, rStone};
  for (int k = 0; k < 6; ++k) props::Pot(p, X(k), Y(21), kPots[k]);
  static constexpr int kPetals[] = {rRed, rGold, rBone, rPink, rPurple, rSky};
  for (int k = 0; k < 6; ++k) props::FlowerClump(p, X(k), Y(22), kPetals[k], 190 + k);
  static constexpr int kCaps[] = {rRed, rGold, rPurple, rTeal, rBone, rOrange};
  for (int k = 0; k < 6; ++k) props::Mushrooms(p, X(k), Y(23), kCaps[k]);
}

}  // namespace

TTilesetArt DrawFieldTileset() {
  TTilesetArt art;
  art.name = "Field";
  DrawWater(art, TTex::Water, TTex::DeepWater, TTex::Grass, kGrass, TTex::Sand, kSand, 3);
  Waterfall(art.animated[0], 201);
  Whirlpool(art.animated[1], 202);
  Sparkles(art.animated[2], 203);

  // Autotile surroundings are the plain grass of lower chip 0, so patches sit on grass chips
  // without a seam.
  auto style = [](TTex inner, TEdge edge, int margin = 3, int radius = 4) {
    TAutotileStyle s;
    s.inner = inner;
    s.outer = TTex::Grass;
    s.edge = edge;
    s.margin = margin;
    s.radius = radius;
    s.innerSeed = 1;
    s.outerSeed = kGrass;
    return s;
  };
  const TAutotileStyle styles[12] = {
      style(TTex::Meadow, TEdge::Flat),  style(TTex::Path, TEdge::Flat),         style(TTex::Sand, TEdge::Flat),
      style(TTex::Flowers, TEdge::Flat), style(TTex::Canopy, TEdge::Raised),     style(TTex::Rock, TEdge::Raised),
      style(TTex::Snow, TEdge::Flat),    style(TTex::Cobble, TEdge::Flat),       style(TTex::Farmland, TEdge::Flat),
      style(TTex::Swamp, TEdge::Sunken), style(TTex::PineCanopy, TEdge::Raised), style(TTex::Poison, TEdge::Sunken),
  };
  for (int b = 0; b < 12; ++b) art.blocks[b] = DrawAutotileBlock(styles[b], nullptr);
  // The pine forest's link cell repeats the forest's preview: a forest drawn next to pines
  // treats them as its own ground and shows no border toward them.
  TIndexedCanvas forestPreview = art.blocks[4].Crop({0, 0, 16, 16});
  art.blocks[10] = DrawAutotileBlock(styles[10], &forestPreview);

  art.lowerPalette = TIndexedCanvas(96, 384);
  DrawLower(art.lowerPalette);
  art.upperPalette = TIndexedCanvas(96, 384);
  DrawUpper(art.upperPalette);

  art.dungeon.ceiling = 4000 + 4 * 50;  // forest
  art.dungeon.upperWall = 5000 + 13;    // rock cliff, top middle
  art.dungeon.lowerWall = 5000 + 19;    // rock cliff, bottom middle
  art.dungeon.floorA = 5000;
  art.dungeon.floorB = 5001;
  art.dungeon.floorC = 5003;
  art.dungeon.obstacles = {18, 20, 6};  // boulder, berry bushes, big tree
  return art;
}

}  // namespace tess::rtp
