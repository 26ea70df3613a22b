#include "tools/rtpgen/CharacterArt.h"

#include <cmath>

#include "tools/rtpgen/Art.h"
#include "tools/rtpgen/DrawKit.h"

namespace tess::rtp {

TRect CharacterFrameRect(int character, int facing, int pattern) {
  return {(character % 4) * 72 + pattern * 24, (character / 4) * 128 + facing * 32, 24, 32};
}

namespace {

// A flat part with a lit left column and a shaded right column and bottom row.
void Part(TIndexedCanvas& c, int x, int y, int w, int h, int ramp, int shade) {
  if (w <= 0 || h <= 0) return;
  c.FillRect(x, y, w, h, Sh(ramp, shade));
  if (w > 2) c.VLine(x, y, y + h - 1, Sh(ramp, shade + 1));
  if (w > 1) c.VLine(x + w - 1, y, y + h - 1, Sh(ramp, shade - 1));
  if (h > 2) c.HLine(x + 1, x + w - 2, y + h - 1, Sh(ramp, shade - 1));
}

// An ellipse in two shades: lit upper left, shaded lower right.
void Egg(TIndexedCanvas& c, int x, int y, int w, int h, int ramp, int shade) {
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px) {
      double nx = (px + 0.5 - x - w / 2.0) / (w / 2.0), ny = (py + 0.5 - y - h / 2.0) / (h / 2.0);
      if (nx * nx + ny * ny > 1) continue;
      int s = shade;
      if (nx + ny > 0.9) s -= 1;
      if (nx + ny < -0.9) s += 1;
      c.Set(px, py, Sh(ramp, s));
    }
}

struct TFigure {
  int headTop, torsoTop, torsoH, legTop, legH, feet;
};

TFigure Measure(const TLook& look) {
  TFigure f;
  f.headTop = look.small ? 9 : 5;
  f.torsoTop = f.headTop + 11;
  f.torsoH = look.small ? 6 : 8;
  f.legTop = f.torsoTop + f.torsoH;
  f.legH = look.small ? 4 : 6;
  f.feet = f.legTop + f.legH;
  return f;
}

void Held(TIndexedCanvas& c, int x, const TFigure& f, THeld held) {
  switch (held) {
    case THeld::None:
      break;
    case THeld::Sword:
      c.VLine(x, f.torsoTop - 3, f.torsoTop + 5, Sh(rSteel, 6));
      c.VLine(x + 1, f.torsoTop - 2, f.torsoTop + 5, Sh(rSteel, 3));
      c.HLine(x - 1, x + 2, f.torsoTop + 6, Sh(rGold, 5));
      c.VLine(x, f.torsoTop + 7, f.torsoTop + 8, Sh(rWood, 2));
      break;
    case THeld::Staff:
      c.VLine(x, f.headTop + 1, f.feet - 1, Sh(rWood, 4));
      c.FillRect(x - 1, f.headTop - 2, 3, 3, Sh(rMagic, 5));
      c.Set(x - 1, f.headTop - 2, Sh(rMagic, 7));
      break;
    case THeld::Bow:
      for (int i = 0; i < 11; ++i) {
        int dy = i - 5;
        c.Set(x + (std::abs(dy) < 3 ? 1 : 0), f.torsoTop - 2 + i, Sh(rWood, 4));
      }
      c.VLine(x - 1, f.torsoTop - 2, f.torsoTop + 8, Sh(rBone, 6));
      break;
    case THeld::Spear:
      c.VLine(x, 1, f.feet - 1, Sh(rWood, 3));
      c.FillRect(x - 1, 1, 3, 3, Sh(rSteel, 5));
      c.Set(x, 0, Sh(rSteel, 6));
      break;
  }
}

// Hair seen from the front (facing down): a cap over the forehead with side locks.
void HairFront(TIndexedCanvas& c, int ox, const TFigure& f, const TLook& l) {
  int ht = f.headTop;
  if (l.hairStyle == THair::Bald) {
    c.FillRect(ox + 6, ht + 5, 1, 3, Sh(l.hair, 3));
    c.FillRect(ox + 17, ht + 5, 1, 3, Sh(l.hair, 2));
    return;
  }
  for (int py = ht - 1; py < ht + 6; ++py)
    for (int px = ox + 5; px < ox + 19; ++px) {
      double nx = (px + 0.5 - ox - 12) / 6.5, ny = (py + 0.5 - ht - 5.5) / 6.5;
      if (nx * nx + ny * ny > 1) continue;
      bool fringe = py >= ht + 4 && ((px - ox) % 3 == 0);
      if (py == ht + 5 && !fringe) continue;
      c.Set(px, py, Sh(l.hair, py < ht + 1 ? 5 : nx > 0.4 ? 3 : 4));
    }
  int locks = l.hairStyle == THair::Long ? ht + 11 : ht + 8;
  c.FillRect(ox + 5, ht + 3, 2, locks - ht - 3, Sh(l.hair, 4));
  c.FillRect(ox + 17, ht + 3, 2, locks - ht - 3, Sh(l.hair, 3));
  if (l.hairStyle == THair::Spiky)
    for (int k = 0; k < 4; ++k) {
      int sx = ox + 7 + k * 3;
      c.Set(sx, ht - 2, Sh(l.hair, 5));
      c.Set(sx + 1, ht - 2, Sh(l.hair, 4));
      c.Set(sx, ht - 3, Sh(l.hair, 5));
    }
  if (l.hairStyle == THair::Bun) Egg(c, ox + 9, ht - 4, 6, 5, l.hair, 4);
}

// view: 0 front, 1 back, 2 side (facing left).
void Headgear(TIndexedCanvas& c, int ox, const TFigure& f, const TLook& l, int view) {
  bool back = view == 1;
  int ht = f.headTop, g = l.gearRamp;
  switch (l.headgear) {
    case THeadgear::None:
      break;
    case THeadgear::Hood:
      for (int py = ht - 1; py < ht + 13; ++py)
        for (int px = ox + 4; px < ox + 20; ++px) {
          double nx = (px + 0.5 - ox - 12) / 8.0, ny = (py + 0.5 - ht - 6) / 7.5;
          if (nx * nx + ny * ny > 1) continue;
          int faceX = view == 2 ? ox + 5 : ox + 8, faceW = view == 2 ? 6 : 8;
          bool face = !back && px >= faceX && px < faceX + faceW && py >= ht + 4 && py < ht + 11;
          if (!face) c.Set(px, py, Sh(g, nx > 0.3 ? 3 : 4));
        }
      break;
    case THeadgear::Helmet:
      for (int py = ht - 1; py < ht + 5; ++py)
        for (int px = ox + 5; px < ox + 19; ++px) {
          double nx = (px + 0.5 - ox - 12) / 7.0, ny = (py + 0.5 - ht - 5) / 6.0;
          if (nx * nx + ny * ny <= 1) c.Set(px, py, Sh(g, nx < -0.2 ? 6 : nx > 0.4 ? 3 : 5));
        }
      c.HLine(ox + 5, ox + 18, ht + 4, Sh(g, 2));
      c.FillRect(ox + 5, ht + 5, 2, 5, Sh(g, 4));
      c.FillRect(ox + 17, ht + 5, 2, 5, Sh(g, 3));
      if (!back) c.VLine(ox + 12, ht - 2, ht + 1, Sh(rRed, 5));
      break;
    case THeadgear::Hat:
      c.FillRect(ox + 7, ht - 2, 10, 5, Sh(g, 4));
      c.HLine(ox + 7, ox + 16, ht + 1, Sh(rRed, 4));
      c.FillEllipse(ox + 2, ht + 2, 20, 4, Sh(g, 3));
      c.HLine(ox + 4, ox + 19, ht + 2, Sh(g, 5));
      break;
    case THeadgear::WizardHat:
      c.FillPolygon({{ox + 6, ht + 3}, {ox + 13, ht - 5}, {ox + 18, ht + 3}}, Sh(g, 3));
      c.Line(ox + 7, ht + 2, ox + 12, ht - 4, Sh(g, 5));
      c.FillEllipse(ox + 3, ht + 2, 18, 4, Sh(g, 2));
      c.Set(ox + 11, ht, Sh(rGold, 7));
      break;
    case THeadgear::Crown:
      c.FillRect(ox + 7, ht, 10, 2, Sh(rGold, 5));
      for (int k = 0; k < 3; ++k) c.Set(ox + 8 + k * 4, ht - 1, Sh(rGold, 6));
      c.Set(ox + 12, ht, Sh(rRed, 5));
      break;
    case THeadgear::Bandana:
      c.FillRect(ox + 6, ht + 2, 12, 2, Sh(g, 4));
      c.HLine(ox + 6, ox + 17, ht + 2, Sh(g, 5));
      if (back) {
        c.Set(ox + 11, ht + 4, Sh(g, 3));
        c.Set(ox + 13, ht + 5, Sh(g, 3));
      }
      break;
  }
}

// The lower body: legs with shoes, or the hem of a robe or dress with the feet below it.
void Legs(TIndexedCanvas& c, int ox, const TFigure& f, const TLook& l, int step, bool side) {
  int lt = f.legTop, lh = f.legH;
  auto leg = [&](int x, int lift, int shade) {
    Part(c, x, lt, 3, lh - lift, l.bottom, shade);
    c.FillRect(x, lt + lh - lift - 1, 3, 1, Sh(rWood, 1));
  };
  if (l.outfit == TOutfit::Robe || l.outfit == TOutfit::Dress) {
    int flare = l.outfit == TOutfit::Dress ? 2 : 1;
    int hemRamp = l.outfit == TOutfit::Dress ? l.top : l.top;
    for (int py = lt; py < f.feet - 1; ++py) {
      int grow = (py - lt) * flare / 3;
      int x0 = ox + (side ? 9 : 8) - grow, x1 = ox + (side ? 14 : 15) + grow;
      for (int px = x0; px <= x1; ++px) c.Set(px, py, Sh(hemRamp, px == x0 ? 5 : px == x1 ? 3 : 4));
    }
    c.HLine(ox + 7, ox + 16, f.feet - 2, Sh(l.accent, 4));
    int shoe = step == 0 ? 0 : step;
    c.FillRect(ox + 8 + (shoe < 0 ? -1 : 0), f.feet - 1, 3, 1, Sh(rWood, 1));
    c.FillRect(ox + 13 + (shoe > 0 ? 1 : 0), f.feet - 1 - (shoe < 0 ? 1 : 0), 3, 1, Sh(rWood, 1));
    return;
  }
  if (side) {
    if (step == 0) {
      leg(ox + 12, 0, 3);
      leg(ox + 10, 0, 4);
    } else {
      leg(ox + 13, 1, 3);
      leg(ox + 8, 0, 4);
    }
    return;
  }
  leg(ox + 8, step > 0 ? 1 : 0, 4);
  leg(ox + 13, step < 0 ? 1 : 0, 3);
}

void Torso(TIndexedCanvas& c, int ox, const TFigure& f, const TLook& l, bool side) {
  int x = ox + (side ? 9 : 8), w = side ? 6 : 8;
  int ramp = l.outfit == TOutfit::Armor ? rSteel : l.top;
  Part(c, x, f.torsoTop, w, f.torsoH, ramp, 4);
  if (l.outfit == TOutfit::Tunic || l.outfit == TOutfit::Armor) c.HLine(x, x + w - 1, f.legTop - 2, Sh(l.accent, 3));
  if (l.outfit == TOutfit::Armor) {
    c.FillRect(x - 1, f.torsoTop, 3, 2, Sh(rSteel, 6));
    if (!side) c.FillRect(x + w - 2, f.torsoTop, 3, 2, Sh(rSteel, 5));
    c.VLine(x + w / 2, f.torsoTop + 2, f.legTop - 3, Sh(l.accent, 4));
  }
  if (l.outfit == TOutfit::Dress) c.FillRect(x + 2, f.torsoTop + 1, w - 4, 2, Sh(l.accent, 5));
}

void Arm(TIndexedCanvas& c, int x, const TFigure& f, const TLook& l, int swing, int shade) {
  int ramp = l.outfit == TOutfit::Armor ? rSteel : l.top;
  int top = f.torsoTop + 1 + swing, len = l.small ? 4 : 5;
  Part(c, x, top, 2, len, ramp, shade);
  c.FillRect(x, top + len, 2, 1, Sh(l.skin, l.skinShade));
}

void Human(TIndexedCanvas& c, int ox, int oy, const TLook& l, int facing, int pattern) {
  TIndexedCanvas fr(24, 32);
  TFigure f = Measure(l);
  int step = pattern == 0 ? -1 : pattern == 2 ? 1 : 0;
  int ht = f.headTop;
  if (facing == 2 || facing == 0) {
    bool back = facing == 0;
    if (l.cape && !back) Part(fr, 6, f.torsoTop, 12, f.torsoH + 2, l.capeRamp, 2);
    if (l.hairStyle == THair::Long && !back && l.headgear != THeadgear::Hood)
      fr.FillRect(6, ht + 5, 12, f.torsoTop - ht, Sh(l.hair, 2));
    Legs(fr, 0, f, l, back ? -step : step, false);
    Torso(fr, 0, f, l, false);
    Arm(fr, 6, f, l, step, 5);
    Arm(fr, 16, f, l, -step, 3);
    if (!back) Held(fr, 18, f, l.held);
    Egg(fr, 6, ht, 12, 11, l.skin, l.skinShade);
    fr.FillRect(10, ht + 10, 4, 1, Sh(l.skin, l.skinShade - 1));
    if (!back) {
      int ey = ht + 6;
      if (l.hollowEyes) {
        fr.FillRect(8, ey - 1, 3, 3, kInk);
        fr.FillRect(13, ey - 1, 3, 3, kInk);
        fr.Set(12, ey + 3, kInk);
      } else {
        fr.FillRect(9, ey, 1, 2, kInk);
        fr.FillRect(14, ey, 1, 2, kInk);
        fr.Set(8, ey + 2, Sh(rPink, 5));
        fr.Set(15, ey + 2, Sh(rPink, 5));
      }
      if (l.beard) {
        fr.FillRect(8, ht + 8, 8, 4, Sh(l.hair, 4));
        fr.HLine(10, 13, ht + 8, Sh(l.skin, l.skinShade));
        fr.FillRect(10, ht + 12, 4, 1, Sh(l.hair, 3));
      }
      HairFront(fr, 0, f, l);
    } else {
      if (l.hairStyle != THair::Bald) {
        for (int py = ht - 1; py < ht + 10; ++py)
          for (int px = 5; px < 19; ++px) {
            double nx = (px + 0.5 - 12) / 6.5, ny = (py + 0.5 - ht - 5.5) / 6.5;
            if (nx * nx + ny * ny <= 1) fr.Set(px, py, Sh(l.hair, nx < -0.3 ? 5 : nx > 0.4 ? 3 : 4));
          }
        if (l.hairStyle == THair::Long) fr.FillRect(6, ht + 8, 12, f.torsoTop - ht - 2, Sh(l.hair, 3));
        if (l.hairStyle == THair::Ponytail) Part(fr, 11, ht + 8, 3, 7, l.hair, 4);
        if (l.hairStyle == THair::Spiky)
          for (int k = 0; k < 4; ++k) fr.Set(7 + k * 3, ht - 2, Sh(l.hair, 4));
        if (l.hairStyle == THair::Bun) Egg(fr, 9, ht - 4, 6, 5, l.hair, 4);
      }
      if (l.cape) Part(fr, 7, f.torsoTop, 10, f.torsoH + 2, l.capeRamp, 3);
      Held(fr, 5, f, l.held);
    }
    Headgear(fr, 0, f, l, back ? 1 : 0);
  } else {
    // Drawn facing left; facing right is its mirror.
    if (l.cape) Part(fr, 13, f.torsoTop, 4, f.torsoH + 3, l.capeRamp, 2);
    if (l.hairStyle == THair::Long && l.headgear != THeadgear::Hood)
      fr.FillRect(12, ht + 5, 6, f.torsoTop - ht, Sh(l.hair, 2));
    Legs(fr, 0, f, l, step, true);
    Torso(fr, 0, f, l, true);
    Egg(fr, 6, ht, 12, 11, l.skin, l.skinShade);
    fr.Set(5, ht + 7, Sh(l.skin, l.skinShade));
    if (l.hollowEyes)
      fr.FillRect(7, ht + 5, 2, 3, kInk);
    else
      fr.FillRect(8, ht + 6, 1, 2, kInk);
    if (l.beard) fr.FillRect(7, ht + 8, 6, 4, Sh(l.hair, 4));
    if (l.hairStyle != THair::Bald && l.headgear != THeadgear::Hood) {
      for (int py = ht - 1; py < ht + 9; ++py)
        for (int px = 5; px < 19; ++px) {
          double nx = (px + 0.5 - 12) / 6.5, ny = (py + 0.5 - ht - 5.5) / 6.5;
          if (nx * nx + ny * ny > 1) continue;
          if (py >= ht + 3 && px < 12) continue;
          fr.Set(px, py, Sh(l.hair, py < ht + 1 ? 5 : 4));
        }
      fr.FillRect(12, ht + 3, 6, 6, Sh(l.hair, 3));
      if (l.hairStyle == THair::Ponytail) Part(fr, 17, ht + 5, 3, 6, l.hair, 4);
      if (l.hairStyle == THair::Spiky)
        for (int k = 0; k < 3; ++k) fr.Set(10 + k * 3, ht - 2, Sh(l.hair, 5));
      if (l.hairStyle == THair::Bun) Egg(fr, 13, ht - 3, 6, 5, l.hair, 4);
    }
    Headgear(fr, 0, f, l, 2);
    Held(fr, 9 - step, f, l.held);
    Arm(fr, 11 + step, f, l, 0, 4);
  }
  fr.Outline({0, 0, 24, 32}, kInk);
  if (facing == 1) fr.MirrorRect({0, 0, 24, 32});
  c.Blit(fr, ox, oy, true);
}

void Slime(TIndexedCanvas& c, int ox, int oy, const TLook& l, int facing, int pattern) {
  TIndexedCanvas fr(24, 32);
  static constexpr int kW[3] = {20, 16, 14}, kH[3] = {11, 14, 16};
  int w = kW[pattern], h = kH[pattern];
  int x = 12 - w / 2, y = 30 - h;
  Ball(fr, x, y, w, h, l.top, 4.4, 2.8);
  fr.FillEllipse(x + 3, y + 2, 4, 3, Sh(l.top, 7));
  if (facing != 0) {
    int shift = facing == 1 ? 3 : facing == 3 ? -3 : 0;
    int ey = y + h / 2;
    fr.FillRect(12 - 4 + shift, ey, 2, 3, kInk);
    fr.FillRect(12 + 2 + shift, ey, 2, 3, kInk);
    fr.Set(12 - 4 + shift, ey, kWhite);
    fr.Set(12 + 2 + shift, ey, kWhite);
  }
  fr.Outline({0, 0, 24, 32}, kInk);
  c.Blit(fr, ox, oy, true);
}

void Bat(TIndexedCanvas& c, int ox, int oy, const TLook& l, int facing, int pattern) {
  TIndexedCanvas fr(24, 32);
  static constexpr int kWing[3] = {-5, 0, 5};
  int wy = kWing[pattern], cy = 14 + (pattern == 1 ? 1 : 0);
  for (int side = -1; side <= 1; side += 2) {
    int sx = 12 + side * 3;
    fr.FillPolygon({{sx, cy - 2},
                    {12 + side * 11, cy - 3 + wy},
                    {12 + side * 9, cy + 3 + wy / 2},
                    {12 + side * 6, cy + 1},
                    {sx, cy + 3}},
                   Sh(l.top, side < 0 ? 3 : 2));
    fr.Line(sx, cy - 2, 12 + side * 11, cy - 3 + wy, Sh(l.top, 5));
  }
  Egg(fr, 8, cy - 4, 8, 9, l.top, 4);
  fr.Set(9, cy - 6, Sh(l.top, 4));
  fr.Set(14, cy - 6, Sh(l.top, 3));
  fr.Set(9, cy - 5, Sh(l.top, 4));
  fr.Set(14, cy - 5, Sh(l.top, 3));
  if (facing != 0) {
    int shift = facing == 1 ? 1 : facing == 3 ? -1 : 0;
    fr.Set(10 + shift, cy - 1, Sh(rRed, 6));
    fr.Set(13 + shift, cy - 1, Sh(rRed, 6));
    fr.Set(11 + shift, cy + 2, kWhite);
    fr.Set(12 + shift, cy + 2, kWhite);
  }
  fr.Outline({0, 0, 24, 32}, kInk);
  c.Blit(fr, ox, oy, true);
}

void Ghost(TIndexedCanvas& c, int ox, int oy, const TLook& l, int facing, int pattern) {
  TIndexedCanvas fr(24, 32);
  int bob = pattern == 1 ? 0 : -1;
  int top = 6 + bob;
  Egg(fr, 5, top, 14, 14, l.top, 5);
  for (int py = top + 7; py < top + 22; ++py) {
    double t = (py - top - 7) / 15.0;
    int half = int(7 - t * 2);
    int sway = int(std::lround(std::sin(t * 6 + pattern * 2.1) * 2 * t));
    for (int px = 12 - half + sway; px < 12 + half + sway; ++px)
      if (py < top + 20 || ((px + pattern) % 4 < 2)) fr.Set(px, py, Sh(l.top, px < 12 + sway ? 5 : 4));
  }
  if (facing != 0) {
    int shift = facing == 1 ? 2 : facing == 3 ? -2 : 0;
    fr.FillRect(8 + shift, top + 5, 2, 3, kInk);
    fr.FillRect(14 + shift, top + 5, 2, 3, kInk);
    fr.FillRect(11 + shift, top + 9, 2, 2, kInk);
  }
  fr.Outline({0, 0, 24, 32}, kInk);
  c.Blit(fr, ox, oy, true);
}

// Objects animate through the facings: down, left, right, up are the stages of opening.
int Stage(int facing) {
  static constexpr int kStage[4] = {3, 2, 0, 1};
  return kStage[facing];
}

void ChestObject(TIndexedCanvas& c, int ox, int oy, const TLook& l, int facing) {
  TIndexedCanvas fr(24, 32);
  int stage = Stage(facing);
  Block(fr, 3, 18, 18, 11, 0, l.top, 4);
  fr.VLine(6, 18, 28, Sh(rGold, 5));
  fr.VLine(17, 18, 28, Sh(rGold, 3));
  if (stage == 0) {
    Block(fr, 3, 12, 18, 7, 4, l.top, 4.4);
    fr.FillRect(10, 17, 4, 3, Sh(rGold, 6));
  } else {
    int lidH = 7 - stage * 2;
    fr.FillRect(4, 18 - 1, 16, 2, Sh(rNight, 0));
    if (stage >= 2) {
      fr.Set(9, 17, Sh(rGold, 7));
      fr.Set(14, 17, Sh(rGold, 6));
    }
    Block(fr, 3, 17 - lidH - stage * 2, 18, lidH + 1, 1, l.top, 3.2);
  }
  fr.Outline({0, 0, 24, 32}, kInk);
  c.Blit(fr, ox, oy, true);
}

void DoorObject(TIndexedCanvas& c, int ox, int oy, const TLook& l, int facing) {
  TIndexedCanvas fr(24, 32);
  int stage = Stage(facing);
  fr.FillRect(2, 4, 20, 28, Sh(rStone, 3));
  fr.FillRect(4, 6, 16, 26, Sh(rNight, 0));
  int w = 16 - stage * 5;
  if (w > 0) {
    Part(fr, 4, 6, w, 26, l.top, 4);
    for (int px = 7; px < 4 + w; px += 4) fr.VLine(px, 7, 30, Sh(l.top, 2));
    if (stage == 0) fr.FillRect(16, 18, 2, 2, Sh(rGold, 6));
  }
  fr.HLine(2, 21, 4, Sh(rStone, 5));
  c.Blit(fr, ox, oy, true);
}

void CrystalObject(TIndexedCanvas& c, int ox, int oy, const TLook& l, int facing, int pattern) {
  TIndexedCanvas fr(24, 32);
  int bob = pattern == 1 ? -1 : 0;
  int glow = facing % 2;
  fr.FillPolygon({{12, 3 + bob}, {19, 13 + bob}, {12, 25 + bob}, {5, 13 + bob}}, Sh(l.top, 4 + glow));
  fr.FillPolygon({{12, 3 + bob}, {12, 25 + bob}, {19, 13 + bob}}, Sh(l.top, 3 + glow));
  fr.Line(12, 3 + bob, 5, 13 + bob, Sh(l.top, 7));
  fr.Line(7, 13 + bob, 12, 21 + bob, Sh(l.top, 6));
  fr.Set(9, 9 + bob, kWhite);
  fr.Outline({0, 0, 24, 32}, kInk);
  GroundShadow(fr, 6, 27, 12, 4);
  c.Blit(fr, ox, oy, true);
}

}  // namespace

void DrawCharacterFrame(TIndexedCanvas& c, int x, int y, const TLook& look, int facing, int pattern) {
  switch (look.body) {
    case TBody::Human:
      Human(c, x, y, look, facing, pattern);
      break;
    case TBody::Slime:
      Slime(c, x, y, look, facing, pattern);
      break;
    case TBody::Bat:
      Bat(c, x, y, look, facing, pattern);
      break;
    case TBody::Ghost:
      Ghost(c, x, y, look, facing, pattern);
      break;
    case TBody::Chest:
      ChestObject(c, x, y, look, facing);
      break;
    case TBody::Door:
      DoorObject(c, x, y, look, facing);
      break;
    case TBody::Crystal:
      CrystalObject(c, x, y, look, facing, pattern);
      break;
  }
}

TIndexedCanvas DrawCharacterSheet(const std::array<TLook, 8>& looks) {
  TIndexedCanvas sheet(288, 256);
  ApplyPalette(sheet);
  for (int ch = 0; ch < 8; ++ch)
    for (int d = 0; d < 4; ++d)
      for (int p = 0; p < 3; ++p) {
        TRect r = CharacterFrameRect(ch, d, p);
        DrawCharacterFrame(sheet, r.x, r.y, looks[ch], d, p);
      }
  return sheet;
}

void DrawFace(TIndexedCanvas& c, int ox, int oy, const TLook& l, bool smile) {
  TIndexedCanvas fr(48, 48);
  int hair = l.hair;
  // Long hair falls behind the shoulders.
  if (l.hairStyle == THair::Long && l.headgear != THeadgear::Hood) Part(fr, 8, 16, 32, 31, hair, 3);
  if (l.hairStyle == THair::Ponytail) Part(fr, 34, 14, 7, 20, hair, 3);
  // Shoulders and neck.
  int clothes = l.outfit == TOutfit::Armor ? rSteel : l.top;
  fr.FillEllipse(4, 38, 40, 20, Sh(clothes, 4));
  fr.FillEllipse(6, 39, 16, 10, Sh(clothes, 5));
  if (l.cape) {
    fr.FillRect(4, 42, 6, 6, Sh(l.capeRamp, 3));
    fr.FillRect(38, 42, 6, 6, Sh(l.capeRamp, 2));
  }
  fr.HLine(17, 30, 39, Sh(l.accent, 5));
  Part(fr, 20, 32, 8, 8, l.skin, l.skinShade - 1);
  // Head.
  Egg(fr, 11, 9, 26, 28, l.skin, l.skinShade);
  fr.FillEllipse(9, 21, 4, 6, Sh(l.skin, l.skinShade - 1));
  fr.FillEllipse(35, 21, 4, 6, Sh(l.skin, l.skinShade - 1));
  // Eyes.
  int ey = 22;
  for (int side = 0; side < 2; ++side) {
    int ex = side == 0 ? 15 : 27;
    if (l.hollowEyes) {
      fr.FillEllipse(ex, ey - 1, 6, 6, kInk);
      fr.Set(ex + 2, ey + 1, Sh(rRed, 6));
    } else if (smile) {
      fr.HLine(ex + 1, ex + 4, ey + 1, kInk);
      fr.Set(ex, ey + 2, kInk);
      fr.Set(ex + 5, ey + 2, kInk);
    } else {
      fr.FillRect(ex, ey, 6, 5, kWhite);
      fr.FillRect(ex + (side == 0 ? 2 : 1), ey, 3, 5, Sh(l.accent == rGold ? rSky : l.accent, 3));
      fr.FillRect(ex + (side == 0 ? 3 : 2), ey + 1, 1, 3, kInk);
      fr.Set(ex + (side == 0 ? 2 : 1), ey + 1, kWhite);
      fr.HLine(ex, ex + 5, ey - 1, kInk);
    }
    fr.HLine(ex, ex + 5, ey - 4, Sh(hair, 2));
    if (smile || !l.hollowEyes) fr.Set(side == 0 ? ex - 1 : ex + 6, ey + 5, Sh(rPink, smile ? 6 : 5));
  }
  fr.Set(24, 28, Sh(l.skin, l.skinShade - 2));
  fr.Set(24, 29, Sh(l.skin, l.skinShade - 1));
  if (smile) {
    fr.HLine(21, 27, 31, kInk);
    fr.HLine(22, 26, 32, Sh(rRed, 3));
    fr.HLine(23, 25, 33, kInk);
  } else {
    fr.HLine(22, 26, 32, Sh(l.skin, l.skinShade - 3));
  }
  if (l.beard) {
    for (int py = 28; py < 41; ++py)
      for (int px = 13; px < 35; ++px) {
        double nx = (px + 0.5 - 24) / 11.0, ny = (py + 0.5 - 30) / 11.0;
        if (nx * nx + ny * ny <= 1 && !(py < 34 && px > 19 && px < 29))
          fr.Set(px, py, Sh(hair, ((px + py) % 3 == 0) ? 3 : 4));
      }
    fr.HLine(21, 27, 32, Sh(l.skin, l.skinShade - 3));
  }
  // Hair over the forehead.
  if (l.hairStyle != THair::Bald) {
    for (int py = 4; py < 22; ++py)
      for (int px = 8; px < 40; ++px) {
        double nx = (px + 0.5 - 24) / 15.0, ny = (py + 0.5 - 20) / 15.0;
        if (nx * nx + ny * ny > 1) continue;
        int fringe = 15 + int(3 * std::abs(std::sin((px - 8) * 0.55)));
        bool side = px < 13 || px > 34;
        if (py > fringe && !side) continue;
        if (side && py > 30) continue;
        fr.Set(px, py, Sh(hair, nx < -0.4 || ny < -0.7 ? 5 : nx > 0.5 ? 3 : 4));
      }
    for (int k = 0; k < 5; ++k) fr.Line(14 + k * 5, 7 + (k % 2), 16 + k * 5, 12, Sh(hair, 6));
    if (l.hairStyle == THair::Spiky)
      for (int k = 0; k < 6; ++k)
        fr.FillPolygon({{10 + k * 5, 8}, {12 + k * 5 + (k % 2), 0}, {16 + k * 5, 8}}, Sh(hair, 4));
    if (l.hairStyle == THair::Bun) Egg(fr, 18, 0, 12, 8, hair, 4);
  } else {
    fr.FillRect(9, 18, 4, 8, Sh(hair, 4));
    fr.FillRect(35, 18, 4, 8, Sh(hair, 3));
  }
  int g = l.gearRamp;
  switch (l.headgear) {
    case THeadgear::None:
      break;
    case THeadgear::Hood:
      for (int py = 2; py < 48; ++py)
        for (int px = 4; px < 44; ++px) {
          double nx = (px + 0.5 - 24) / 19.0, ny = (py + 0.5 - 22) / 20.0;
          double fx = (px + 0.5 - 24) / 11.5, fy = (py + 0.5 - 26) / 13.0;
          if (nx * nx + ny * ny <= 1 && fx * fx + fy * fy > 1 && py < 44)
            fr.Set(px, py, Sh(g, nx < -0.3 ? 5 : nx > 0.5 ? 3 : 4));
        }
      break;
    case THeadgear::Helmet:
      for (int py = 3; py < 20; ++py)
        for (int px = 8; px < 40; ++px) {
          double nx = (px + 0.5 - 24) / 16.0, ny = (py + 0.5 - 20) / 16.0;
          if (nx * nx + ny * ny <= 1) fr.Set(px, py, Sh(g, nx < -0.3 ? 6 : nx > 0.5 ? 3 : 5));
        }
      fr.HLine(8, 39, 18, Sh(g, 2));
      fr.FillRect(8, 18, 5, 12, Sh(g, 4));
      fr.FillRect(35, 18, 5, 12, Sh(g, 3));
      fr.FillRect(23, 1, 2, 8, Sh(rRed, 5));
      break;
    case THeadgear::Hat:
      fr.FillRect(13, 1, 22, 11, Sh(g, 4));
      fr.HLine(13, 34, 9, Sh(rRed, 4));
      fr.HLine(13, 34, 10, Sh(rRed, 3));
      fr.FillEllipse(2, 10, 44, 7, Sh(g, 3));
      fr.HLine(5, 42, 11, Sh(g, 5));
      break;
    case THeadgear::WizardHat:
      fr.FillPolygon({{10, 14}, {30, -4}, {38, 14}}, Sh(g, 3));
      fr.Line(11, 13, 28, -2, Sh(g, 5));
      fr.FillEllipse(3, 11, 42, 7, Sh(g, 2));
      fr.FillRect(22, 6, 3, 3, Sh(rGold, 7));
      break;
    case THeadgear::Crown:
      fr.FillRect(14, 4, 20, 5, Sh(rGold, 5));
      for (int k = 0; k < 5; ++k) fr.FillPolygon({{14 + k * 4, 5}, {16 + k * 4, 0}, {18 + k * 4, 5}}, Sh(rGold, 6));
      fr.FillRect(23, 5, 2, 2, Sh(rRed, 5));
      break;
    case THeadgear::Bandana:
      fr.FillRect(9, 12, 30, 4, Sh(g, 4));
      fr.HLine(9, 38, 12, Sh(g, 6));
      fr.FillPolygon({{37, 13}, {44, 18}, {40, 20}}, Sh(g, 3));
      break;
  }
  if (l.held == THeld::Staff) {
    fr.FillRect(40, 6, 2, 42, Sh(rWood, 4));
    fr.FillCircle(41, 5, 3, Sh(rMagic, 5));
  }
  fr.Outline({0, 0, 48, 48}, kInk);
  c.Blit(fr, ox, oy, true);
}

TIndexedCanvas DrawFaceSheet(const std::array<TLook, 8>& looks) {
  TIndexedCanvas sheet(192, 192);
  ApplyPalette(sheet);
  for (int i = 0; i < 16; ++i) DrawFace(sheet, (i % 4) * 48, (i / 4) * 48, looks[i / 2], i % 2 == 1);
  return sheet;
}

std::array<TLook, 8> HeroLooks() {
  std::array<TLook, 8> h;
  // A swordsman in red with a cape.
  h[0].hair = rHair;
  h[0].hairStyle = THair::Spiky;
  h[0].top = rRed;
  h[0].bottom = rNavy;
  h[0].accent = rGold;
  h[0].cape = true;
  h[0].capeRamp = rNavy;
  h[0].held = THeld::Sword;
  // A mage in a purple robe and pointed hat.
  h[1].hair = rBlond;
  h[1].hairStyle = THair::Long;
  h[1].headgear = THeadgear::WizardHat;
  h[1].gearRamp = rPurple;
  h[1].outfit = TOutfit::Robe;
  h[1].top = rPurple;
  h[1].accent = rGold;
  h[1].held = THeld::Staff;
  // An archer in green with a ponytail.
  h[2].hair = rOrange;
  h[2].hairStyle = THair::Ponytail;
  h[2].top = rOlive;
  h[2].bottom = rWood;
  h[2].accent = rWood;
  h[2].held = THeld::Bow;
  // A cleric in white with a hood.
  h[3].hair = rHair;
  h[3].headgear = THeadgear::Hood;
  h[3].gearRamp = rBone;
  h[3].outfit = TOutfit::Robe;
  h[3].top = rBone;
  h[3].accent = rSky;
  h[3].held = THeld::Staff;
  // A knight in armour.
  h[4].hair = rHair;
  h[4].headgear = THeadgear::Helmet;
  h[4].gearRamp = rSteel;
  h[4].outfit = TOutfit::Armor;
  h[4].bottom = rSteel;
  h[4].accent = rRoof;
  h[4].cape = true;
  h[4].capeRamp = rRoof;
  h[4].held = THeld::Spear;
  // A thief with a bandana.
  h[5].hair = rGrey;
  h[5].skinShade = 4;
  h[5].headgear = THeadgear::Bandana;
  h[5].gearRamp = rTeal;
  h[5].top = rNight;
  h[5].bottom = rNight;
  h[5].accent = rTeal;
  // A monk, bald with a beard.
  h[6].hair = rGrey;
  h[6].hairStyle = THair::Bald;
  h[6].beard = true;
  h[6].skinShade = 4;
  h[6].outfit = TOutfit::Robe;
  h[6].top = rOrange;
  h[6].accent = rBrick;
  // A princess in a pink dress with a crown.
  h[7].hair = rBlond;
  h[7].hairStyle = THair::Long;
  h[7].headgear = THeadgear::Crown;
  h[7].outfit = TOutfit::Dress;
  h[7].top = rPink;
  h[7].accent = rBone;
  return h;
}

std::array<TLook, 8> PeopleLooks() {
  std::array<TLook, 8> p;
  // An old man with a white beard and a walking staff.
  p[0].hair = rGrey;
  p[0].hairStyle = THair::Bald;
  p[0].beard = true;
  p[0].outfit = TOutfit::Robe;
  p[0].top = rWood;
  p[0].accent = rDirt;
  p[0].held = THeld::Staff;
  // A village woman with a bun.
  p[1].hair = rHair;
  p[1].hairStyle = THair::Bun;
  p[1].outfit = TOutfit::Dress;
  p[1].top = rTeal;
  p[1].accent = rBone;
  // A boy.
  p[2].hair = rOrange;
  p[2].hairStyle = THair::Spiky;
  p[2].small = true;
  p[2].top = rSky;
  p[2].bottom = rWood;
  // A merchant in a hat.
  p[3].hair = rHair;
  p[3].headgear = THeadgear::Hat;
  p[3].gearRamp = rWood;
  p[3].top = rGold;
  p[3].bottom = rDirt;
  p[3].accent = rBrick;
  p[3].beard = true;
  // A town guard.
  p[4].headgear = THeadgear::Helmet;
  p[4].gearRamp = rSteel;
  p[4].outfit = TOutfit::Armor;
  p[4].bottom = rNavy;
  p[4].accent = rRed;
  p[4].held = THeld::Spear;
  // A farmer with a bandana.
  p[5].hair = rBlond;
  p[5].headgear = THeadgear::Bandana;
  p[5].gearRamp = rRed;
  p[5].skinShade = 4;
  p[5].top = rOlive;
  p[5].bottom = rNavy;
  // A nun.
  p[6].headgear = THeadgear::Hood;
  p[6].gearRamp = rNight;
  p[6].outfit = TOutfit::Robe;
  p[6].top = rNight;
  p[6].accent = rBone;
  // A girl with a ponytail.
  p[7].hair = rHair;
  p[7].hairStyle = THair::Ponytail;
  p[7].small = true;
  p[7].outfit = TOutfit::Dress;
  p[7].top = rRed;
  p[7].accent = rBone;
  return p;
}

std::array<TLook, 8> CreatureLooks() {
  std::array<TLook, 8> c;
  c[0].body = TBody::Slime;
  c[0].top = rTeal;
  c[1].body = TBody::Bat;
  c[1].top = rPurple;
  c[2].body = TBody::Ghost;
  c[2].top = rIce;
  // A skeleton warrior.
  c[3].skin = rBone;
  c[3].skinShade = 5;
  c[3].hairStyle = THair::Bald;
  c[3].hair = rBone;
  c[3].hollowEyes = true;
  c[3].top = rStone;
  c[3].bottom = rBone;
  c[3].accent = rBrick;
  c[3].held = THeld::Sword;
  // A goblin.
  c[4].skin = rMoss;
  c[4].skinShade = 5;
  c[4].hairStyle = THair::Bald;
  c[4].hair = rMoss;
  c[4].small = true;
  c[4].headgear = THeadgear::Bandana;
  c[4].gearRamp = rRed;
  c[4].top = rWood;
  c[4].bottom = rDirt;
  c[4].held = THeld::Spear;
  c[5].body = TBody::Chest;
  c[5].top = rWood;
  c[6].body = TBody::Door;
  c[6].top = rWood;
  c[7].body = TBody::Crystal;
  c[7].top = rMagic;
  return c;
}

}  // namespace tess::rtp
