// The dungeon tileset: caves and built vaults with rock ceilings, wall faces, floors in three
// variants and obstacles, everything the dungeon generator of a map needs.

#include <cmath>

#include "tools/rtpgen/Art.h"
#include "tools/rtpgen/DrawKit.h"
#include "tools/rtpgen/Props.h"
#include "tools/rtpgen/TilesetParts.h"

namespace tess::rtp {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr uint32_t kFloor = 11, kTiles = 14;

void LavaFlow(TIndexedCanvas& c, uint32_t seed) {
  c = TIndexedCanvas(16, 64);
  TIndexedCanvas lava = MakeTexture(TTex::Lava, seed);
  for (int f = 0; f < 4; ++f)
    for (int v = 0; v < 16; ++v)
      for (int u = 0; u < 16; ++u) {
        uint8_t col = lava.At((u + 4 * f) % 16, v);
        // The bright cracks pulse: brighter on the middle frames.
        if (f % 2 == 1) col = Shade(col, 1);
        c.Set(u, 16 * f + v, col);
      }
}

void RuneTile(TIndexedCanvas& c, int x, int y, int glow) {
  PutTexture(c, x, y, TTex::StoneTiles, kTiles);
  for (int v = 0; v < 16; ++v)
    for (int u = 0; u < 16; ++u) {
      double r = std::hypot(u + 0.5 - 8, v + 0.5 - 8);
      double a = std::atan2(v + 0.5 - 8, u + 0.5 - 8);
      bool ring = std::abs(r - 6) < 0.7;
      bool star = r < 5.6 && std::abs(std::sin(a * 2.5)) * r < 0.8;
      if (ring || star) c.Set(x + u, y + v, Sh(rMagic, 3 + glow));
    }
  c.Set(x + 8, y + 8, Sh(rMagic, 5 + glow));
}

void MagicGlow(TIndexedCanvas& c) {
  c = TIndexedCanvas(16, 64);
  static constexpr int kGlow[4] = {0, 1, 2, 1};
  for (int f = 0; f < 4; ++f) RuneTile(c, 0, 16 * f, kGlow[f]);
}

void PoisonBubbles(TIndexedCanvas& c, uint32_t seed) {
  c = TIndexedCanvas(16, 64);
  TIndexedCanvas base = MakeTexture(TTex::Poison, seed);
  for (int f = 0; f < 4; ++f) {
    c.Blit(base, 0, 16 * f);
    for (int b = 0; b < 3; ++b) {
      int bx = 3 + b * 5, by = (12 - f * 3 + b * 5) % 16;
      int r = (f + b) % 4 == 3 ? 2 : 1;
      for (int v = -r; v <= r; ++v)
        for (int u = -r; u <= r; ++u)
          if (u * u + v * v <= r * r) c.Set(bx + u, 16 * f + ((by + v + 16) % 16), Sh(rPurple, 6));
      c.Set(bx - 1 + (r > 1 ? 0 : 1), 16 * f + ((by - r + 16) % 16), Sh(rPink, 7));
    }
  }
}

void DrawLower(TIndexedCanvas& p) {
  auto at = [](int col, int row) { return std::pair{col * 16, row * 16}; };
  auto tex = [&](int col, int row, TTex t, uint32_t seed) {
    auto [x, y] = at(col, row);
    PutTexture(p, x, y, t, seed);
  };
  TIndexedCanvas floor = MakeTexture(TTex::CaveFloor, kFloor);
  TIndexedCanvas tiles = MakeTexture(TTex::StoneTiles, kTiles);
  // Row 0: floors A, B and C of a cave and of a vault.
  p.Blit(floor, 0, 0);
  {
    auto [x, y] = at(1, 0);
    p.Blit(floor, x, y);
    p.Line(x + 2, y + 4, x + 7, y + 7, Sh(rCave, 1));
    p.Line(x + 7, y + 7, x + 6, y + 12, Sh(rCave, 1));
    p.Line(x + 7, y + 7, x + 13, y + 9, Sh(rCave, 1));
    p.Line(x + 3, y + 5, x + 7, y + 8, Sh(rCave, 5));
    auto [x2, y2] = at(2, 0);
    p.Blit(floor, x2, y2);
    TIndexedCanvas rub(16, 16);
    props::Rubble(rub, 0, 0, 7);
    rub.Replace({0, 0, 16, 16}, kInk, Sh(rCave, 1));
    p.Blit(rub, x2, y2, true);
  }
  p.Blit(tiles, 48, 0);
  {
    auto [x, y] = at(4, 0);
    p.Blit(tiles, x, y);
    p.Line(x + 9, y + 1, x + 11, y + 6, Sh(rStone, 1));
    p.Line(x + 11, y + 6, x + 9, y + 14, Sh(rStone, 1));
    p.Line(x + 2, y + 10, x + 6, y + 9, Sh(rStone, 1));
    auto [x2, y2] = at(5, 0);
    p.Blit(tiles, x2, y2);
    for (int v = 0; v < 16; ++v)
      for (int u = 0; u < 16; ++u)
        if ((u % 8 == 7 || v % 8 == 7 || Noise(u / 3.0, v / 3.0, 9, 16) > 0.72) && (Hash(u, v, 3) & 1))
          p.Set(x2 + u, y2 + v, Sh(rMoss, 3 + int(Hash(u, v, 4) % 2)));
  }
  // Row 1: other floors.
  tex(0, 1, TTex::Bricks, 21);
  tex(1, 1, TTex::Dirt, 22);
  tex(2, 1, TTex::Planks, 23);
  tex(3, 1, TTex::Carpet, 24);
  {
    auto [x, y] = at(4, 1);
    p.FillRect(x, y, 16, 16, Sh(rNight, 0));
    for (int i = 0; i < 16; i += 4) {
      p.FillRect(x + i, y, 2, 16, Sh(rSteel, 3));
      p.VLine(x + i, y, y + 15, Sh(rSteel, 5));
      p.FillRect(x, y + i, 16, 2, Sh(rSteel, 3));
      p.HLine(x, x + 15, y + i, Sh(rSteel, 5));
    }
    auto [rx, ry] = at(5, 1);
    RuneTile(p, rx, ry, 1);
  }
  // Rows 2-3: wall faces, upper (row 2) above lower (row 3), in six styles that tile sideways.
  struct TStyle {
    TWall wall;
    uint32_t seed;
    int detail;
  };
  const TStyle styles[6] = {{TWall::Rock, 31, 0},  {TWall::Rock, 32, 1},  {TWall::Rock, 33, 2},
                            {TWall::Brick, 34, 0}, {TWall::Brick, 35, 3}, {TWall::Brick, 36, 2}};
  for (int k = 0; k < 6; ++k)
    for (int r = 0; r < 2; ++r) {
      auto [x, y] = at(k, 2 + r);
      WallCell(p, x, y, styles[k].wall, {r == 0, r == 1, false, false}, styles[k].seed);
      switch (styles[k].detail) {
        case 1:  // cracks
          p.Line(x + 4, y + (r ? 0 : 6), x + 8, y + (r ? 9 : 15), Sh(rCave, 0));
          p.Line(x + 8, y + (r ? 9 : 15), x + 12, y + (r ? 12 : 15), Sh(rCave, 0));
          break;
        case 2:  // moss creeping up from the floor or down from the ledge
          for (int u = 0; u < 16; ++u) {
            int len = r ? 2 + int(Hash(u, 1, k) % 5) : 1 + int(Hash(u, 2, k) % 3);
            for (int v = 0; v < len; ++v) p.Set(x + u, r ? y + 15 - v : y + v, Sh(rMoss, 2 + (v == 0 ? 1 : 2)));
          }
          break;
        case 3:  // a barred window slit in the upper half
          if (r == 0) {
            p.FillRect(x + 5, y + 4, 6, 10, Sh(rNight, 0));
            p.VLine(x + 7, y + 4, y + 13, Sh(rSteel, 4));
            p.VLine(x + 9, y + 4, y + 13, Sh(rSteel, 3));
            p.HLine(x + 5, x + 10, y + 3, Sh(rCave, 5));
          }
          break;
      }
    }
  // Rows 4-5: an arch into the rock, an iron door, stairs down and up, a ladder.
  for (int r = 0; r < 2; ++r) {
    for (int side = 0; side < 2; ++side) {
      auto [x, y] = at(side, 4 + r);
      WallCell(p, x, y, TWall::Rock, {r == 0, r == 1, false, false}, 31);
      for (int v = 0; v < 16; ++v)
        for (int u = 0; u < 16; ++u) {
          double gx = side * 16 + u + 0.5 - 16, gy = r * 16 + v + 0.5 - 32;
          double d = std::hypot(gx / 11.0, gy / 26.0);
          if (d < 1) p.Set(x + u, y + v, d > 0.88 ? Sh(rCave, 5) : Dither(rNight, 0.3 + (1 - d) * 0.4, u, v));
        }
    }
    auto [dx, dy] = at(2, 4 + r);
    WallCell(p, dx, dy, TWall::Brick, {r == 0, r == 1, false, false}, 34);
    p.FillRect(dx + 2, dy + (r ? 0 : 3), 12, r ? 16 : 13, Sh(rSteel, 2));
    for (int u = 3; u < 14; u += 3) p.VLine(dx + u, dy + (r ? 0 : 4), dy + 15, Sh(rSteel, 4));
    p.HLine(dx + 2, dx + 13, dy + (r ? 6 : 8), Sh(rSteel, 1));
    if (r == 0) p.HLine(dx + 2, dx + 13, dy + 3, Sh(rSteel, 5));
    if (r == 1) p.FillRect(dx + 10, dy + 0, 2, 2, Sh(rGold, 6));
    for (int stair = 0; stair < 2; ++stair) {
      auto [sx, sy] = at(3 + stair, 4 + r);
      if (r == 0) {
        WallCell(p, sx, sy, TWall::Brick, {true, false, false, false}, 34);
        continue;
      }
      for (int v = 0; v < 16; ++v)
        for (int u = 0; u < 16; ++u) {
          int step = v / 4;
          double s = stair == 0 ? 4.6 - step * 1.1 - (v % 4) * 0.2 : 2 + step * 0.8 + (v % 4 == 0 ? 1 : 0);
          if (u < 2 || u > 13) s = 1;
          p.Set(sx + u, sy + v, Dither(rCave, s, u, v));
        }
    }
    auto [lx, ly] = at(5, 4 + r);
    WallCell(p, lx, ly, TWall::Rock, {r == 0, r == 1, false, false}, 32);
    for (int v = 0; v < 16; ++v) {
      p.Set(lx + 4, ly + v, Sh(rWood, 4));
      p.Set(lx + 11, ly + v, Sh(rWood, 2));
      if (v % 4 == 1) p.HLine(lx + 4, lx + 11, ly + v, Sh(rWood, 5));
    }
  }
  // Row 6: floor details.
  for (int k = 0; k < 6; ++k) {
    auto [x, y] = at(k, 6);
    p.Blit(k < 3 ? floor : tiles, x, y);
    switch (k) {
      case 0:
        p.FillEllipse(x + 2, y + 5, 12, 7, Sh(rDeep, 3));
        p.FillEllipse(x + 4, y + 6, 6, 2, Sh(rDeep, 5));
        break;
      case 1: {
        TIndexedCanvas b(16, 16);
        props::Bones(b, 0, 0, true);
        b.Replace({0, 0, 16, 16}, kInk, Sh(rCave, 1));
        p.Blit(b, x, y, true);
        break;
      }
      case 2:
        p.FillEllipse(x + 3, y + 4, 10, 8, Sh(rNight, 0));
        p.HLine(x + 5, x + 10, y + 4, Sh(rCave, 1));
        break;
      case 3:
        p.FillRect(x + 3, y + 3, 10, 10, Sh(rStone, 2));
        p.FillRect(x + 4, y + 4, 8, 8, Sh(rStone, 4));
        p.HLine(x + 4, x + 11, y + 4, Sh(rStone, 6));
        break;
      case 4:
        p.FillRect(x + 5, y + 5, 6, 6, Sh(rRed, 3));
        p.FillRect(x + 6, y + 5, 4, 3, Sh(rRed, 5));
        p.FrameRect(x + 4, y + 4, 8, 8, Sh(rStone, 1));
        break;
      default:
        for (int v = 2; v < 14; ++v)
          for (int u = 2; u < 14; ++u)
            if ((Hash(u, v, 99) % 3) == 0) p.Set(x + u, y + v, Sh(rBrick, 2));
        break;
    }
  }
  // Row 7: bridges over a pit, lava and ice floors.
  {
    TIndexedCanvas pit = MakeTexture(TTex::Pit, 41);
    for (int k = 0; k < 2; ++k) {
      auto [x, y] = at(k, 7);
      p.Blit(pit, x, y);
      for (int v = 0; v < 16; ++v)
        for (int u = 0; u < 16; ++u) {
          int along = k == 0 ? u : v, across = k == 0 ? v : u;
          if (across < 3 || across > 12) continue;
          double s = along % 4 == 3 ? 1.4 : 4 + (across == 3 ? 1 : 0) - (across == 12 ? 1.5 : 0);
          p.Set(x + u, y + v, Dither(rWood, s, u, v));
        }
    }
  }
  tex(2, 7, TTex::Lava, 42);
  tex(3, 7, TTex::Rock, 43);
  tex(4, 7, TTex::Ice, 44);
  tex(5, 7, TTex::Pit, 41);
  // Rows 8-9: ice walls and earth walls.
  for (int k = 0; k < 6; ++k)
    for (int r = 0; r < 2; ++r) {
      auto [x, y] = at(k, 8 + r);
      if (k < 3)
        WallCell(p, x, y, TWall::Ice, {r == 0, r == 1, false, false}, 51 + k);
      else
        CliffCell(p, x, y, rDirt, {false, r == 1, false, false}, floor, 54 + k);
    }
  // Rows 10-11: a magic circle, a raised dais, a grate over water, each 2 x 2.
  for (int v = 0; v < 32; ++v)
    for (int u = 0; u < 32; ++u) {
      int x = u, y = 160 + v;
      p.Set(x, y, tiles.At(u % 16, v % 16));
      double r = std::hypot(u + 0.5 - 16, v + 0.5 - 16), a = std::atan2(v + 0.5 - 16, u + 0.5 - 16);
      if (std::abs(r - 14) < 0.8 || std::abs(r - 11) < 0.6) p.Set(x, y, Sh(rMagic, 4));
      if (r < 10.5 && std::abs(std::sin(a * 2.5 + 0.3)) * r < 1.0) p.Set(x, y, Sh(rMagic, 3));
      if (r > 11.5 && r < 13.5 && std::abs(std::sin(a * 8)) < 0.25) p.Set(x, y, Sh(rMagic, 6));
    }
  for (int v = 0; v < 32; ++v)
    for (int u = 0; u < 32; ++u) {
      int x = 32 + u, y = 160 + v;
      double s = 4.2 + (Noise(u / 4.0, v / 4.0, 61, 8) - 0.5) * 0.8;
      if (u < 2 || v < 2) s = 5.6;
      if (u > 29 || v > 29) s = 1.4;
      if ((u - 2) % 14 == 13 || (v - 2) % 14 == 13) s = 2;
      p.Set(x, y, Dither(rStone, s, u, v));
    }
  {
    TIndexedCanvas water = MakeTexture(TTex::Water, 62);
    for (int v = 0; v < 32; ++v)
      for (int u = 0; u < 32; ++u) {
        int x = 64 + u, y = 160 + v;
        uint8_t col = Shade(water.At(u % 16, v % 16), -1);
        if (u % 6 < 2 || v % 6 < 2) col = (u % 6 == 0 || v % 6 == 0) ? Sh(rSteel, 5) : Sh(rSteel, 2);
        if (u < 2 || v < 2 || u > 29 || v > 29) col = Sh(rStone, u < 2 || v < 2 ? 5 : 2);
        p.Set(x, y, col);
      }
  }
  // Row 12: more floors; row 13: vault tiles with details.
  const TTex more[6] = {TTex::Rubble, TTex::Moss, TTex::Sand, TTex::Snow, TTex::Swamp, TTex::Poison};
  for (int k = 0; k < 6; ++k) tex(k, 12, more[k], 70 + k);
  for (int k = 0; k < 6; ++k) {
    auto [x, y] = at(k, 13);
    PutTexture(p, x, y, TTex::StoneTiles, 80 + k);
    for (int v = 0; v < 16; ++v)
      for (int u = 0; u < 16; ++u) {
        uint8_t c = p.At(x + u, y + v);
        if (k == 1) c = Shade(c, -1);
        if (k == 2 && (u % 8 == 7 || v % 8 == 7)) c = Sh(rMoss, 3);
        if (k == 3 && ((u / 8 + v / 8) % 2)) c = Shade(c, -1);
        if (k == 4 && u % 8 > 1 && u % 8 < 6 && v % 8 > 1 && v % 8 < 6) c = Sh(rGold, 3 + ((u + v) % 2));
        if (k == 5 && std::hypot(u - 7.5, v - 7.5) < 4) c = Sh(rDeep, 2 + (v < 7 ? 1 : 0));
        p.Set(x + u, y + v, c);
      }
  }
  // Rows 14-23: further wall faces, upper above lower, three styles per pair of rows.
  struct TFace {
    int ramp;
    TWall wall;
    bool cliff;
    uint32_t seed;
  };
  const TFace faces[5][2] = {
      {{rPurple, TWall::Rock, true, 91}, {rLava, TWall::Rock, true, 92}},
      {{0, TWall::Brick, false, 93}, {0, TWall::Stone, false, 94}},
      {{0, TWall::Wood, false, 95}, {0, TWall::Plaster, false, 96}},
      {{rStone, TWall::Rock, true, 97}, {rIce, TWall::Rock, true, 98}},
      {{0, TWall::Panel, false, 99}, {rCave, TWall::Rock, true, 100}},
  };
  for (int pair = 0; pair < 5; ++pair)
    for (int half = 0; half < 2; ++half) {
      const TFace& f = faces[pair][half];
      for (int k = 0; k < 3; ++k)
        for (int r = 0; r < 2; ++r) {
          auto [x, y] = at(half * 3 + k, 14 + pair * 2 + r);
          TFaceCell where{r == 0, r == 1, k == 0, k == 2};
          if (f.cliff)
            CliffCell(p, x, y, f.ramp, {false, r == 1, k == 0, k == 2}, floor, f.seed);
          else
            WallCell(p, x, y, f.wall, where, f.seed);
        }
    }
  // The third style pair gets a torch on its upper middle.
  {
    TIndexedCanvas torch(16, 16);
    props::WallTorch(torch, 0, 0);
    p.Blit(torch, 16, 16 * 16, true);
  }
}

void DrawUpper(TIndexedCanvas& p) {
  auto X = [](int col) { return col * 16; };
  auto Y = [](int row) { return row * 16; };
  props::Stalagmite(p, X(1), Y(0), 16, 16, rCave);
  props::Rubble(p, X(2), Y(0), 301);
  props::Bones(p, X(3), Y(0), false);
  props::Skeleton(p, X(4), Y(0));
  props::Mushrooms(p, X(5), Y(0), rTeal);
  props::Boulder(p, X(0), Y(1), 32, 32, rCave, 311);
  props::Crystals(p, X(2), Y(1), 32, 32, rMagic, 312);
  props::Pillar(p, X(4), Y(1), 32, rStone, false);
  props::Pillar(p, X(5), Y(1), 32, rStone, true);
  props::Crate(p, X(0), Y(3), 32, 32);
  props::Stalagmite(p, X(2), Y(3), 32, 32, rCave);
  props::TorchStand(p, X(4), Y(3));
  props::Statue(p, X(5), Y(3), rCave);
  props::Barrel(p, X(0), Y(5));
  props::Crate(p, X(1), Y(5), 16, 16);
  props::Pot(p, X(2), Y(5), rCave);
  props::Chest(p, X(3), Y(5), false, rRed);
  props::Chest(p, X(4), Y(5), true, rRed);
  props::Brazier(p, X(5), Y(5));
  props::WallTorch(p, X(0), Y(6));
  props::Cobweb(p, X(1), Y(6), true);
  props::Cobweb(p, X(2), Y(6), false);
  props::Chains(p, X(3), Y(6));
  props::Bones(p, X(4), Y(6), true);
  props::Sack(p, X(5), Y(6));
  props::Coffin(p, X(0), Y(7));
  props::Banner(p, X(1), Y(7), rRed);
  props::Banner(p, X(2), Y(7), rPurple);
  props::Door(p, X(3), Y(7), 32, rSteel);
  props::Door(p, X(4), Y(7), 32, rWood);
  props::Shelf(p, X(5), Y(7), true);
  props::Altar(p, X(0), Y(9));
  props::Table(p, X(2), Y(9), 32);
  props::Chair(p, X(4), Y(9));
  props::Grave(p, X(5), Y(9), false);
  props::Crystals(p, X(0), Y(10), 32, 32, rPurple, 321);
  props::Boulder(p, X(2), Y(10), 32, 32, rStone, 322);
  // A giant mushroom.
  Cylinder(p, X(4) + 12, Y(10) + 14, 8, 16, rBone, 4.5, 2);
  Ball(p, X(4) + 2, Y(10) + 2, 28, 16, rTeal, 4.2, 3.2);
  for (auto [sx, sy] : {std::pair{8, 6}, {18, 5}, {24, 10}, {12, 11}})
    p.FillCircle(X(4) + sx, Y(10) + sy, 1, Sh(rMagic, 7));
  Ink(p, {X(4), Y(10), 32, 32});
  static constexpr int kCrystal[] = {rMagic, rPurple, rRed, rGold, rTeal, rIce};
  for (int k = 0; k < 6; ++k) props::Crystals(p, X(k), Y(12), 16, 16, kCrystal[k], 330 + k);
  static constexpr int kRock[] = {rCave, rStone, rDirt, rMoss, rIce, rLava};
  for (int k = 0; k < 6; ++k) props::Stalagmite(p, X(k), Y(13), 16, 16, kRock[k]);
  for (int k = 0; k < 6; ++k) props::Boulder(p, X(k), Y(14), 16, 16, kRock[k], 340 + k);
  for (int k = 0; k < 3; ++k) props::Pillar(p, X(k), Y(15), 32, kRock[k], false);
  for (int k = 3; k < 6; ++k) props::Stalagmite(p, X(k), Y(15), 16, 32, kRock[k - 3]);
  props::Boulder(p, X(0), Y(17), 32, 32, rDirt, 351);
  props::Crystals(p, X(2), Y(17), 32, 32, rRed, 352);
  props::Crystals(p, X(4), Y(17), 32, 32, rGold, 353);
  static constexpr int kPots[] = {rCave, rBrick, rNavy, rTeal, rGold, rPurple};
  for (int k = 0; k < 6; ++k) props::Pot(p, X(k), Y(19), kPots[k]);
  for (int k = 0; k < 6; ++k) props::Chest(p, X(k), Y(20), k % 2 == 1, k < 2 ? rWood : k < 4 ? rNavy : rPurple);
  for (int k = 0; k < 6; ++k) props::Rubble(p, X(k), Y(21), 360 + k);
  static constexpr int kBanners[] = {rNavy, rOlive, rGold};
  for (int k = 0; k < 3; ++k) props::Banner(p, X(k), Y(22), kBanners[k]);
  props::TorchStand(p, X(3), Y(22));
  props::Coffin(p, X(4), Y(22));
  props::Shelf(p, X(5), Y(22), false);
}

}  // namespace

TTilesetArt DrawDungeonTileset() {
  TTilesetArt art;
  art.name = "Dungeon";
  DrawWater(art, TTex::Water, TTex::DeepWater, TTex::CaveFloor, kFloor, TTex::StoneTiles, kTiles, 9);
  LavaFlow(art.animated[0], 211);
  MagicGlow(art.animated[1]);
  PoisonBubbles(art.animated[2], 213);

  auto style = [](TTex inner, TTex outer, uint32_t outerSeed, TEdge edge, int margin = 3, int radius = 4) {
    TAutotileStyle s;
    s.inner = inner;
    s.outer = outer;
    s.outerSeed = outerSeed;
    s.innerSeed = 5;
    s.edge = edge;
    s.margin = margin;
    s.radius = radius;
    return s;
  };
  const TAutotileStyle styles[12] = {
      style(TTex::CaveTop, TTex::Ledge, 1, TEdge::Ledge, 2, 2),
      style(TTex::BrickTop, TTex::Ledge, 1, TEdge::Ledge, 2, 2),
      style(TTex::Pit, TTex::CaveFloor, kFloor, TEdge::Sunken),
      style(TTex::Lava, TTex::CaveFloor, kFloor, TEdge::Sunken),
      style(TTex::Moss, TTex::CaveFloor, kFloor, TEdge::Flat),
      style(TTex::Rubble, TTex::CaveFloor, kFloor, TEdge::Flat),
      style(TTex::Dirt, TTex::CaveFloor, kFloor, TEdge::Flat),
      style(TTex::Carpet, TTex::StoneTiles, kTiles, TEdge::Flat, 2, 2),
      style(TTex::Ice, TTex::CaveFloor, kFloor, TEdge::Flat),
      style(TTex::Poison, TTex::CaveFloor, kFloor, TEdge::Sunken),
      style(TTex::Pit, TTex::StoneTiles, kTiles, TEdge::Sunken),
      style(TTex::Sand, TTex::CaveFloor, kFloor, TEdge::Flat),
  };
  for (int b = 0; b < 12; ++b) art.blocks[b] = DrawAutotileBlock(styles[b], nullptr);
  // A pit in a vault floor links to the cave pit: the two chasms run into each other.
  TIndexedCanvas pitPreview = art.blocks[2].Crop({0, 0, 16, 16});
  art.blocks[10] = DrawAutotileBlock(styles[10], &pitPreview);

  art.lowerPalette = TIndexedCanvas(96, 384);
  DrawLower(art.lowerPalette);
  art.upperPalette = TIndexedCanvas(96, 384);
  DrawUpper(art.upperPalette);

  art.dungeon.ceiling = 4000;         // rock ceiling
  art.dungeon.upperWall = 5000 + 12;  // rock wall, upper half
  art.dungeon.lowerWall = 5000 + 18;  // rock wall, lower half
  art.dungeon.floorA = 5000;
  art.dungeon.floorB = 5001;
  art.dungeon.floorC = 5002;
  art.dungeon.obstacles = {6, 8, 18};  // boulder, crystals, stacked crates
  return art;
}

}  // namespace tess::rtp
