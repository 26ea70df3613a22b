// Battle graphics: monsters, battle animation sheets, battler poses and weapon swings.

#include <algorithm>
#include <cmath>

#include "tools/rtpgen/Art.h"
#include "tools/rtpgen/CharacterArt.h"
#include "tools/rtpgen/DrawKit.h"
#include "tools/rtpgen/SceneArt.h"
#include "tools/rtpgen/TileArt.h"

namespace tess::rtp {

namespace {

constexpr double kPi = 3.14159265358979323846;

TIndexedCanvas New(int w, int h) {
  TIndexedCanvas c(w, h);
  ApplyPalette(c);
  return c;
}

void Eye(TIndexedCanvas& c, int x, int y, int r, uint8_t iris) {
  c.FillCircle(x, y, r, kWhite);
  c.FillCircle(x + r / 3, y, std::max(1, r / 2), iris);
  c.Set(x, y - r / 2, kWhite);
}

TIndexedCanvas SlimeMonster() {
  TIndexedCanvas c = New(64, 56);
  Ball(c, 4, 10, 56, 44, rTeal, 4.4, 3.2);
  c.FillPolygon({{28, 12}, {34, 2}, {38, 14}}, Sh(rTeal, 5));
  c.FillEllipse(12, 16, 12, 8, Sh(rTeal, 7));
  Eye(c, 22, 32, 4, kInk);
  Eye(c, 40, 32, 4, kInk);
  c.HLine(26, 36, 43, kInk);
  c.Outline({0, 0, 64, 56}, kInk);
  return c;
}

TIndexedCanvas BatMonster() {
  TIndexedCanvas c = New(96, 64);
  for (int side = -1; side <= 1; side += 2) {
    std::vector<std::pair<int, int>> wing = {{48 + side * 8, 22},  {48 + side * 46, 6},  {48 + side * 40, 30},
                                             {48 + side * 30, 26}, {48 + side * 22, 40}, {48 + side * 8, 34}};
    c.FillPolygon(wing, Sh(rPurple, side < 0 ? 3 : 2));
    c.Line(48 + side * 8, 22, 48 + side * 46, 6, Sh(rPurple, 5));
    c.Line(48 + side * 46, 6, 48 + side * 30, 26, Sh(rPurple, 4));
  }
  Ball(c, 34, 16, 28, 30, rPurple, 4, 3);
  c.FillPolygon({{36, 20}, {38, 6}, {44, 18}}, Sh(rPurple, 4));
  c.FillPolygon({{52, 18}, {58, 6}, {60, 20}}, Sh(rPurple, 3));
  c.FillCircle(42, 28, 2, Sh(rRed, 6));
  c.FillCircle(54, 28, 2, Sh(rRed, 6));
  c.FillPolygon({{44, 36}, {46, 41}, {48, 36}}, kWhite);
  c.FillPolygon({{50, 36}, {52, 41}, {54, 36}}, kWhite);
  c.Outline({0, 0, 96, 64}, kInk);
  return c;
}

TIndexedCanvas GoblinMonster() {
  TIndexedCanvas c = New(64, 88);
  Cylinder(c, 20, 50, 10, 30, rDirt, 3.4, 2);
  Cylinder(c, 34, 50, 10, 30, rDirt, 3, 2);
  c.FillRect(18, 80, 12, 5, Sh(rWood, 2));
  c.FillRect(34, 80, 12, 5, Sh(rWood, 2));
  Block(c, 16, 36, 32, 20, 2, rWood, 3.8);
  Ball(c, 8, 38, 10, 22, rMoss, 4, 2.4);
  Ball(c, 46, 38, 10, 22, rMoss, 3.6, 2.4);
  Ball(c, 14, 6, 36, 34, rMoss, 4.4, 3);
  c.FillPolygon({{14, 18}, {0, 10}, {14, 26}}, Sh(rMoss, 4));
  c.FillPolygon({{50, 18}, {63, 10}, {50, 26}}, Sh(rMoss, 3));
  Eye(c, 24, 20, 4, Sh(rRed, 4));
  Eye(c, 40, 20, 4, Sh(rRed, 4));
  c.HLine(24, 40, 31, kInk);
  c.Set(27, 32, kWhite);
  c.Set(37, 32, kWhite);
  // A club.
  c.FillRect(54, 20, 4, 40, Sh(rWood, 3));
  Ball(c, 50, 8, 12, 16, rWood, 4, 2.6);
  c.Outline({0, 0, 64, 88}, kInk);
  return c;
}

TIndexedCanvas SkeletonMonster() {
  TIndexedCanvas c = New(72, 112);
  auto bone = [&](int x0, int y0, int x1, int y1) {
    c.Line(x0, y0, x1, y1, Sh(rBone, 6));
    c.Line(x0 + 1, y0, x1 + 1, y1, Sh(rBone, 4));
    c.FillCircle(x0, y0, 2, Sh(rBone, 6));
    c.FillCircle(x1, y1, 2, Sh(rBone, 5));
  };
  bone(28, 70, 24, 106);
  bone(42, 70, 46, 106);
  for (int k = 0; k < 4; ++k) c.FillEllipse(24, 40 + k * 6, 24, 4, Sh(rBone, 5 - (k % 2)));
  c.VLine(36, 36, 70, Sh(rBone, 6));
  c.FillEllipse(26, 66, 20, 8, Sh(rBone, 5));
  bone(22, 40, 12, 66);
  bone(50, 40, 58, 62);
  Ball(c, 22, 8, 28, 28, rBone, 4.8, 2.4);
  c.FillRect(28, 30, 16, 6, Sh(rBone, 5));
  c.FillCircle(30, 20, 4, kInk);
  c.FillCircle(42, 20, 4, kInk);
  c.Set(30, 20, Sh(rRed, 6));
  c.Set(42, 20, Sh(rRed, 6));
  for (int k = 0; k < 4; ++k) c.VLine(30 + k * 4, 30, 34, kInk);
  // A rusty sword.
  c.Line(58, 62, 68, 14, Sh(rSteel, 5));
  c.Line(59, 62, 69, 14, Sh(rSteel, 3));
  c.Line(53, 58, 64, 62, Sh(rBrick, 3));
  c.Outline({0, 0, 72, 112}, kInk);
  return c;
}

TIndexedCanvas GhostMonster() {
  TIndexedCanvas c = New(80, 96);
  Ball(c, 10, 4, 60, 56, rIce, 5.2, 2.6);
  for (int y = 40; y < 94; ++y) {
    double t = (y - 40) / 54.0;
    int half = int(30 - t * 14), sway = int(std::sin(t * 7) * 6 * t);
    for (int x = 40 - half + sway; x < 40 + half + sway; ++x)
      if (y < 84 || (x / 5) % 2 == 0) c.Set(x, y, Dither(rIce, 5 - t * 1.6 - (x > 40 + sway ? 0.8 : 0), x, y));
  }
  c.FillEllipse(22, 22, 12, 16, kInk);
  c.FillEllipse(46, 22, 12, 16, kInk);
  c.FillEllipse(32, 44, 14, 12, kInk);
  c.FillCircle(28, 28, 2, Sh(rMagic, 6));
  c.FillCircle(52, 28, 2, Sh(rMagic, 6));
  Ball(c, 2, 44, 16, 12, rIce, 5, 2);
  Ball(c, 62, 40, 16, 12, rIce, 4.6, 2);
  c.Outline({0, 0, 80, 96}, kInk);
  return c;
}

TIndexedCanvas DragonMonster() {
  TIndexedCanvas c = New(200, 180);
  // Wings behind.
  c.FillPolygon({{90, 60}, {20, 8}, {30, 50}, {4, 60}, {40, 80}, {20, 100}, {80, 96}}, Sh(rRed, 2));
  c.FillPolygon({{120, 60}, {196, 4}, {184, 48}, {198, 62}, {162, 80}, {180, 100}, {120, 96}}, Sh(rRed, 1));
  c.Line(90, 60, 20, 8, Sh(rRed, 4));
  c.Line(120, 60, 196, 4, Sh(rRed, 3));
  // Tail, body, legs.
  c.FillPolygon({{140, 140}, {196, 150}, {190, 162}, {130, 160}}, Sh(rRed, 3));
  Ball(c, 60, 70, 90, 90, rRed, 4, 3);
  Ball(c, 76, 100, 50, 56, rOrange, 4.6, 2.4);
  for (int k = 0; k < 5; ++k) c.HLine(84, 118, 108 + k * 9, Sh(rOrange, 3));
  Cylinder(c, 62, 140, 24, 34, rRed, 3.4, 2.4);
  Cylinder(c, 120, 140, 24, 34, rRed, 3, 2.4);
  for (int k = 0; k < 3; ++k) {
    c.FillPolygon({{62 + k * 8, 174}, {65 + k * 8, 179}, {68 + k * 8, 174}}, kWhite);
    c.FillPolygon({{120 + k * 8, 174}, {123 + k * 8, 179}, {126 + k * 8, 174}}, kWhite);
  }
  // Neck and head.
  c.FillPolygon({{86, 80}, {72, 40}, {96, 36}, {112, 80}}, Sh(rRed, 4));
  Ball(c, 56, 10, 56, 40, rRed, 4.4, 3);
  c.FillPolygon({{56, 30}, {30, 36}, {34, 48}, {66, 46}}, Sh(rRed, 4));
  c.FillPolygon({{70, 14}, {62, 0}, {78, 12}}, Sh(rBone, 6));
  c.FillPolygon({{92, 14}, {100, 0}, {98, 16}}, Sh(rBone, 5));
  Eye(c, 76, 26, 4, Sh(rGold, 6));
  c.FillCircle(38, 38, 2, kInk);
  c.HLine(34, 62, 45, kInk);
  for (int k = 0; k < 5; ++k) c.FillPolygon({{36 + k * 5, 45}, {38 + k * 5, 50}, {40 + k * 5, 45}}, kWhite);
  // Spines along the back.
  for (int k = 0; k < 6; ++k) {
    int x = 104 + k * 8, y = 64 + k * 6;
    c.FillPolygon({{x, y}, {x + 6, y - 10}, {x + 8, y + 2}}, Sh(rGold, 5));
  }
  c.Outline({0, 0, 200, 180}, kInk);
  return c;
}

// One cell of a battle animation sheet; t runs from 0 to 1 over the animation.
using TCellPainter = void (*)(TIndexedCanvas& c, int x, int y, int size, double t, uint32_t seed);

void SlashCell(TIndexedCanvas& c, int x, int y, int s, double t, uint32_t) {
  double cx = x + s / 2.0, cy = y + s / 2.0, r = s * 0.38;
  double end = std::min(1.0, t * 2) * kPi, start = std::max(0.0, t * 2 - 0.8) * kPi;
  for (double a = start; a <= end; a += 0.01) {
    double ang = -kPi * 0.75 + a;
    for (int w = -2; w <= 2; ++w) {
      double rr = r + w * (1.5 - t);
      int px = int(cx + std::cos(ang) * rr), py = int(cy + std::sin(ang) * rr);
      c.Set(px, py, w == 0 ? kWhite : Sh(rSky, 6 - std::abs(w)));
    }
  }
  if (t > 0.5) {
    TRng rng(int(t * 100));
    for (int i = 0; i < 8; ++i) c.Set(x + 20 + rng.Below(s - 40), y + 20 + rng.Below(s - 40), Sh(rGold, 7));
  }
}

void FireCell(TIndexedCanvas& c, int x, int y, int s, double t, uint32_t seed) {
  double grow = t < 0.6 ? t / 0.6 : 1 - (t - 0.6) / 0.4 * 0.7;
  for (int py = 0; py < s; ++py)
    for (int px = 0; px < s; ++px) {
      double nx = (px - s / 2.0) / (s * 0.3 * grow + 1), ny = (py - s * 0.85) / (s * 0.7 * grow + 1);
      double n = Noise(px / 8.0, (py + t * 60) / 8.0, seed, 64);
      double d = nx * nx + ny * ny * 0.6 + (n - 0.5) * 0.9;
      if (py < s * 0.85 && ny < 0 && d < 1) {
        double heat = 1 - d;
        c.Set(x + px, y + py, heat > 0.6 ? Sh(rGold, 7) : heat > 0.3 ? Sh(rOrange, 5) : Sh(rLava, 3));
      }
    }
}

void IceCell(TIndexedCanvas& c, int x, int y, int s, double t, uint32_t seed) {
  TRng rng(seed);
  int shards = 7;
  for (int i = 0; i < shards; ++i) {
    double a = i * 2 * kPi / shards + rng.Unit();
    double len = s * 0.4 * std::min(1.0, t * 1.8), out = t > 0.7 ? (t - 0.7) * s : 0;
    int cx = x + s / 2 + int(std::cos(a) * out), cy = y + s / 2 + int(std::sin(a) * out);
    int tx = cx + int(std::cos(a) * len), ty = cy + int(std::sin(a) * len);
    int nx = int(-std::sin(a) * 4), ny = int(std::cos(a) * 4);
    c.FillPolygon({{cx + nx, cy + ny}, {tx, ty}, {cx - nx, cy - ny}}, Sh(rIce, 5));
    c.Line(cx, cy, tx, ty, kWhite);
  }
}

void HealCell(TIndexedCanvas& c, int x, int y, int s, double t, uint32_t seed) {
  TRng rng(seed);
  for (int i = 0; i < 14; ++i) {
    int px = x + 12 + rng.Below(s - 24), base = y + s - 10 - rng.Below(20);
    int py = base - int(t * (s - 20)) - rng.Below(10);
    if (py < y + 4) continue;
    int r = (i + int(t * 10)) % 3;
    c.Set(px, py, kWhite);
    for (int k = 1; k <= r + 1; ++k) {
      c.Set(px - k, py, Sh(rGrass, 7 - k));
      c.Set(px + k, py, Sh(rGrass, 7 - k));
      c.Set(px, py - k, Sh(rGrass, 7 - k));
      c.Set(px, py + k, Sh(rGrass, 7 - k));
    }
  }
  int ry = y + s - 12 - int(t * 30);
  c.FrameEllipse(x + 14, ry - 6, s - 28, 12, Sh(rGrass, 6));
}

void ThunderCell(TIndexedCanvas& c, int x, int y, int s, double t, uint32_t seed) {
  if (t > 0.8) return;
  TRng rng(seed + int(t * 10) / 3);
  int px = x + s / 2, py = y;
  int reach = y + int(s * std::min(1.0, t * 3));
  while (py < reach) {
    int nx = px + rng.Range(-8, 8), ny = std::min(reach, py + rng.Range(6, 14));
    for (int w = -1; w <= 1; ++w) c.Line(px + w, py, nx + w, ny, w == 0 ? kWhite : Sh(rGold, 6));
    px = std::clamp(nx, x + 4, x + s - 5);
    py = ny;
  }
  if (t > 0.3) c.FillEllipse(px - 10, py - 5, 20, 10, Sh(rGold, 7));
}

void ExplosionCell(TIndexedCanvas& c, int x, int y, int s, double t, uint32_t seed) {
  double r = s * 0.45 * std::min(1.0, t * 1.6);
  for (int py = 0; py < s; ++py)
    for (int px = 0; px < s; ++px) {
      double d = std::hypot(px - s / 2.0, py - s / 2.0);
      double n = Noise(px / 10.0, py / 10.0, seed, 64);
      double edge = r * (0.8 + n * 0.4);
      if (d > edge) continue;
      double core = 1 - d / edge - t * 0.6;
      uint8_t col = core > 0.35   ? kWhite
                    : core > 0.15 ? Sh(rGold, 6)
                    : core > 0    ? Sh(rOrange, 5)
                                  : Sh(rGrey, 2 + int(n * 3));
      if (t > 0.7 && (Hash(px, py, seed) % 10) < (t - 0.7) * 30) continue;
      c.Set(x + px, y + py, col);
    }
}

TIndexedCanvas AnimationSheet(TCellPainter paint, int cell, int frames, uint32_t seed) {
  int rows = (frames + 4) / 5;
  TIndexedCanvas c = New(cell * 5, cell * rows);
  for (int f = 0; f < frames; ++f) {
    TIndexedCanvas cellCanvas(cell, cell);
    paint(cellCanvas, 0, 0, cell, f / double(frames - 1), seed);
    c.Blit(cellCanvas, (f % 5) * cell, (f / 5) * cell, true);
  }
  return c;
}

// Nearest-neighbour scaling of a sprite.
TIndexedCanvas Scale(const TIndexedCanvas& src, int w, int h) {
  TIndexedCanvas out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.Set(x, y, src.At(x * src.Width() / w, y * src.Height() / h));
  return out;
}

}  // namespace

std::vector<TNamedPicture> DrawMonsters() {
  std::vector<TNamedPicture> out;
  out.push_back({"Slime", SlimeMonster()});
  out.push_back({"Bat", BatMonster()});
  out.push_back({"Goblin", GoblinMonster()});
  out.push_back({"Skeleton", SkeletonMonster()});
  out.push_back({"Ghost", GhostMonster()});
  out.push_back({"Dragon", DragonMonster()});
  return out;
}

std::vector<TNamedPicture> DrawBattleAnimations() {
  std::vector<TNamedPicture> out;
  out.push_back({"Slash", AnimationSheet(SlashCell, 96, 10, 1)});
  out.push_back({"Fire", AnimationSheet(FireCell, 96, 10, 2)});
  out.push_back({"Ice", AnimationSheet(IceCell, 96, 10, 3)});
  out.push_back({"Heal", AnimationSheet(HealCell, 96, 10, 4)});
  out.push_back({"Thunder", AnimationSheet(ThunderCell, 96, 10, 5)});
  return out;
}

std::vector<TNamedPicture> DrawLargeBattleAnimations() {
  std::vector<TNamedPicture> out;
  out.push_back({"Explosion", AnimationSheet(ExplosionCell, 128, 10, 6)});
  return out;
}

std::vector<TNamedPicture> DrawBattleCharSets() {
  std::vector<TNamedPicture> out;
  auto looks = HeroLooks();
  for (int hero : {0, 1}) {
    TIndexedCanvas sheet = New(144, 384);
    // The battler faces left, toward the monsters, drawn from the walking sprite at 1.5 times.
    for (int pose = 0; pose < 8; ++pose)
      for (int f = 0; f < 3; ++f) {
        TIndexedCanvas frame(24, 32);
        int pattern = pose == 0 || pose == 7 ? f : 1;
        DrawCharacterFrame(frame, 0, 0, looks[hero], 3, pattern);
        TIndexedCanvas big = Scale(frame, 36, 48);
        TIndexedCanvas cell(48, 48);
        int dx = 6, dy = 0;
        switch (pose) {
          case 1:  // attack: lunge forward
            dx -= f * 4;
            break;
          case 2:  // skill: a glowing ring behind
            cell.FrameEllipse(4, 26, 40, 20, Sh(rMagic, 4 + f));
            break;
          case 3:  // defend: crouch
            big = Scale(frame, 36, 42);
            dy = 6;
            break;
          case 4:  // hit: knocked back and flashing
            dx += 2 + f * 2;
            if (f == 1)
              for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 36; ++x)
                  if (big.At(x, y)) big.Set(x, y, Shade(big.At(x, y), 3));
            break;
          case 5: {  // fallen: lying on the ground
            TIndexedCanvas lying(48, 36);
            for (int y = 0; y < 48; ++y)
              for (int x = 0; x < 36; ++x) lying.Set(47 - y, x, big.At(x, y));
            big = lying;
            dx = 0;
            dy = 12;
            break;
          }
          case 6:  // victory: a hop
            dy -= f == 1 ? 4 : 0;
            break;
          default:
            break;
        }
        cell.Blit(big, dx, dy, true);
        sheet.Blit(cell, f * 48, pose * 48, true);
      }
    out.push_back({hero == 0 ? "Swordsman" : "Mage", std::move(sheet)});
  }
  return out;
}

std::vector<TNamedPicture> DrawBattleWeapons() {
  TIndexedCanvas sheet = New(192, 512);
  struct TWeapon {
    int length, width, bladeRamp;
    bool head;  // a heavy head at the tip (axe, hammer, mace)
  };
  static constexpr TWeapon kWeapons[8] = {{26, 3, rSteel, false}, {30, 2, rSteel, false}, {20, 3, rSteel, true},
                                          {28, 2, rWood, false},  {14, 2, rSteel, false}, {22, 3, rStone, true},
                                          {26, 2, rGold, false},  {24, 4, rMagic, false}};
  for (int w = 0; w < 8; ++w)
    for (int f = 0; f < 3; ++f) {
      const TWeapon& wp = kWeapons[w];
      double a = (-110 + f * 70) * kPi / 180;  // raised, level, lowered
      double cx = 32, cy = 40, dx = std::cos(a), dy = std::sin(a), nx = -dy, ny = dx;
      auto P = [&](double along, double across) {
        return std::pair{int(std::lround(cx + dx * along + nx * across)),
                         int(std::lround(cy + dy * along + ny * across))};
      };
      int x0 = 0, y0 = w * 64;
      TIndexedCanvas cell(64, 64);
      // Grip and guard.
      cell.Line(P(-6, 0).first, P(-6, 0).second, P(2, 0).first, P(2, 0).second, Sh(rWood, 3));
      cell.Line(P(2, -5).first, P(2, -5).second, P(2, 5).first, P(2, 5).second, Sh(rGold, 5));
      // Blade or shaft.
      cell.FillPolygon(
          {P(3, -wp.width), P(wp.length, -wp.width), P(wp.length + 5, 0), P(wp.length, wp.width), P(3, wp.width)},
          Sh(wp.bladeRamp, 4));
      cell.Line(P(3, -wp.width + 1).first, P(3, -wp.width + 1).second, P(wp.length, -wp.width + 1).first,
                P(wp.length, -wp.width + 1).second, Sh(wp.bladeRamp, 6));
      if (wp.head)
        cell.FillPolygon({P(wp.length - 6, -10), P(wp.length + 4, -10), P(wp.length + 4, 6), P(wp.length - 6, 2)},
                         Sh(wp.bladeRamp, 5));
      cell.Outline({0, 0, 64, 64}, kInk);
      sheet.Blit(cell, x0 + f * 64, y0, true);
    }
  std::vector<TNamedPicture> out;
  out.push_back({"Weapons", std::move(sheet)});
  return out;
}

}  // namespace tess::rtp
