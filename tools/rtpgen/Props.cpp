#include "tools/rtpgen/Props.h"

#include <cmath>

#include "tools/rtpgen/Art.h"
#include "tools/rtpgen/DrawKit.h"

namespace tess::rtp::props {

void Tree(TIndexedCanvas& c, int x, int y, int w, int h, int leafRamp, uint32_t seed) {
  int trunkW = std::max(4, w / 5), trunkH = h / 3;
  int tx = x + (w - trunkW) / 2, ty = y + h - trunkH - 2;
  Cylinder(c, tx, ty, trunkW, trunkH, rWood, 3.2, 2.4);
  c.Set(tx - 1, y + h - 3, Sh(rWood, 2));
  c.Set(tx + trunkW, y + h - 3, Sh(rWood, 1));
  int cw = w - 2, ch = h - trunkH - 1;
  Ball(c, x + 1, y + 1, cw, ch, leafRamp, 4.2, 3.4, seed);
  // A second, smaller clump on top gives the crown some volume.
  Ball(c, x + cw / 4 + 1, y + 1, cw / 2, ch / 2, leafRamp, 4.9, 2.6, seed + 1);
  Ink(c, {x, y, w, h});
  GroundShadow(c, x + 2, y + h - 5, w - 4, 5);
}

void Pine(TIndexedCanvas& c, int x, int y, int w, int h, bool snowy, uint32_t seed) {
  int cx = x + w / 2;
  Cylinder(c, cx - 2, y + h - 6, 4, 5, rWood, 3, 2);
  int tiers = 3;
  for (int t = 0; t < tiers; ++t) {
    int top = y + 1 + t * (h - 8) / (tiers + 1);
    int bottom = top + (h - 8) / 2 + 2;
    int half = 3 + t * (w / 2 - 4) / (tiers - 1);
    for (int py = top; py <= bottom; ++py) {
      double f = (py - top) / double(bottom - top);
      int span = int(half * f + 0.5);
      for (int px = cx - span; px <= cx + span - 1; ++px) {
        double s = 3.6 - (px - cx + 0.5) / double(std::max(1, span)) * 1.4 - f * 0.8;
        if ((Hash(px, py, seed) & 7) == 0) s -= 1;
        uint8_t col = Dither(rFoliage, s, px, py);
        if (snowy && (py == top + int(f * 0 + 0) || (py - top) % 4 == 0) && px < cx + span / 2)
          col = Sh(rIce, 6 + (px & 1));
        c.Set(px, py, col);
      }
    }
  }
  Ink(c, {x, y, w, h});
  GroundShadow(c, x + 2, y + h - 4, w - 4, 4);
}

void Bush(TIndexedCanvas& c, int x, int y, int w, int h, int ramp, uint32_t seed, bool berries) {
  Ball(c, x + 1, y + h / 4, w - 2, h - h / 4 - 1, ramp, 4.0, 3.2, seed);
  Ball(c, x + w / 5, y + 1, w / 2, h / 2, ramp, 4.6, 2.6, seed + 3);
  if (berries) {
    TRng rng(seed);
    for (int i = 0; i < w * h / 40; ++i) {
      int px = x + 2 + rng.Below(w - 4), py = y + 3 + rng.Below(h - 6);
      if (c.At(px, py)) {
        c.Set(px, py, Sh(rRed, 5));
        c.Set(px, py - 1, Sh(rRed, 7));
      }
    }
  }
  Ink(c, {x, y, w, h});
  GroundShadow(c, x + 1, y + h - 3, w - 2, 3);
}

void Boulder(TIndexedCanvas& c, int x, int y, int w, int h, int ramp, uint32_t seed) {
  Ball(c, x + 1, y + 2, w - 2, h - 3, ramp, 3.8, 3.6);
  TRng rng(seed);
  // Facets and cracks.
  for (int i = 0; i < 2 + w / 10; ++i) {
    int px = x + w / 4 + rng.Below(w / 2), py = y + h / 3 + rng.Below(h / 3);
    int len = 2 + rng.Below(w / 5 + 1);
    for (int k = 0; k < len; ++k) {
      int qx = px + k, qy = py + (k * (rng.Below(3) - 1)) / 2;
      if (c.At(qx, qy)) c.Set(qx, qy, Sh(ramp, 1));
      if (c.At(qx, qy - 1)) c.Set(qx, qy - 1, Sh(ramp, 5));
    }
  }
  Ink(c, {x, y, w, h});
  GroundShadow(c, x + 1, y + h - 3, w - 1, 3);
}

void Stump(TIndexedCanvas& c, int x, int y) {
  Cylinder(c, x + 3, y + 7, 10, 7, rWood, 3.2, 2.2);
  c.FillEllipse(x + 3, y + 5, 10, 5, Sh(rWood, 5));
  c.FrameEllipse(x + 5, y + 6, 6, 3, Sh(rWood, 3));
  c.Set(x + 2, y + 13, Sh(rWood, 2));
  c.Set(x + 13, y + 13, Sh(rWood, 1));
  Ink(c, {x, y, 16, 16});
}

void FlowerClump(TIndexedCanvas& c, int x, int y, int petalRamp, uint32_t seed) {
  TRng rng(seed);
  for (int i = 0; i < 5; ++i) {
    int px = x + 3 + rng.Below(10), py = y + 4 + rng.Below(8);
    c.VLine(px, py + 1, py + 3, Sh(rGrass, 2));
    c.Set(px - 1, py + 3, Sh(rGrass, 3));
    c.Set(px, py - 1, Sh(petalRamp, 6));
    c.Set(px - 1, py, Sh(petalRamp, 5));
    c.Set(px + 1, py, Sh(petalRamp, 4));
    c.Set(px, py + 1, Sh(petalRamp, 3));
    c.Set(px, py, Sh(rGold, 7));
  }
}

void TallGrass(TIndexedCanvas& c, int x, int y, int ramp, uint32_t seed) {
  TRng rng(seed);
  for (int i = 0; i < 9; ++i) {
    int px = x + 2 + rng.Below(12), len = 5 + rng.Below(6), lean = rng.Below(3) - 1;
    for (int k = 0; k < len; ++k) c.Set(px + (k * lean) / 3, y + 14 - k, Sh(ramp, 2 + k * 4 / len));
  }
}

void Mushrooms(TIndexedCanvas& c, int x, int y, int capRamp) {
  auto one = [&](int px, int py, int r) {
    c.FillRect(px - 1, py, 2, r + 1, Sh(rBone, 6));
    Ball(c, px - r, py - r, 2 * r, r + 1, capRamp, 4.2, 3);
    c.Set(px - 1, py - r / 2, Sh(rBone, 7));
  };
  one(x + 6, y + 8, 4);
  one(x + 11, y + 11, 3);
  Ink(c, {x, y, 16, 16});
}

void FenceH(TIndexedCanvas& c, int x, int y, bool leftPost, bool rightPost) {
  c.FillRect(x, y + 6, 16, 2, Sh(rWood, 5));
  c.FillRect(x, y + 8, 16, 1, Sh(rWood, 3));
  c.FillRect(x, y + 11, 16, 2, Sh(rWood, 4));
  c.FillRect(x, y + 13, 16, 1, Sh(rWood, 2));
  auto post = [&](int px) {
    c.FillRect(px, y + 3, 3, 13, Sh(rWood, 4));
    c.VLine(px, y + 3, y + 15, Sh(rWood, 5));
    c.VLine(px + 2, y + 3, y + 15, Sh(rWood, 2));
    c.Set(px + 1, y + 3, Sh(rWood, 6));
  };
  if (leftPost) post(x + 1);
  if (rightPost) post(x + 12);
  if (!leftPost && !rightPost) post(x + 7);
  Ink(c, {x, y, 16, 16});
  // The rails must reach the cell's sides so neighbouring pieces join: undo the ink there.
  for (int py = y; py < y + 16; ++py) {
    if (c.At(x + 1, py) != 0 && c.At(x, py) == kInk) c.Set(x, py, c.At(x + 1, py));
    if (c.At(x + 14, py) != 0 && c.At(x + 15, py) == kInk) c.Set(x + 15, py, c.At(x + 14, py));
  }
}

void FenceV(TIndexedCanvas& c, int x, int y) {
  c.FillRect(x + 6, y, 4, 16, Sh(rWood, 4));
  c.VLine(x + 6, y, y + 15, Sh(rWood, 5));
  c.VLine(x + 9, y, y + 15, Sh(rWood, 2));
  c.FillRect(x + 5, y + 6, 6, 3, Sh(rWood, 3));
  c.HLine(x + 5, x + 10, y + 6, Sh(rWood, 6));
  c.VLine(x + 5, y, y + 15, kInk);
  c.VLine(x + 10, y, y + 15, kInk);
}

void Sign(TIndexedCanvas& c, int x, int y) {
  c.FillRect(x + 7, y + 9, 2, 6, Sh(rWood, 3));
  Block(c, x + 2, y + 2, 12, 8, 1, rWood, 4.2);
  c.HLine(x + 4, x + 11, y + 5, Sh(rWood, 1));
  c.HLine(x + 4, x + 9, y + 7, Sh(rWood, 1));
  Ink(c, {x, y, 16, 16});
  GroundShadow(c, x + 4, y + 13, 8, 3);
}

void Barrel(TIndexedCanvas& c, int x, int y) {
  Cylinder(c, x + 3, y + 4, 10, 10, rWood, 3.6, 2.6);
  c.FillEllipse(x + 3, y + 2, 10, 4, Sh(rWood, 5));
  c.FrameEllipse(x + 4, y + 2, 8, 3, Sh(rWood, 3));
  for (int row : {y + 6, y + 11})
    for (int px = x + 3; px < x + 13; ++px) c.Set(px, row, px < x + 7 ? Sh(rSteel, 5) : Sh(rSteel, 3));
  Ink(c, {x, y, 16, 16});
  GroundShadow(c, x + 2, y + 13, 12, 3);
}

void Crate(TIndexedCanvas& c, int x, int y, int w, int h) {
  Block(c, x + 1, y + 2, w - 2, h - 3, 3, rWood, 4);
  c.FrameRect(x + 2, y + 5, w - 4, h - 7, Sh(rWood, 2));
  c.Line(x + 3, y + 6, x + w - 4, y + h - 4, Sh(rWood, 2));
  c.Line(x + 3, y + 7, x + w - 5, y + h - 4, Sh(rWood, 5));
  Ink(c, {x, y, w, h});
}

void Pot(TIndexedCanvas& c, int x, int y, int ramp) {
  Ball(c, x + 3, y + 4, 10, 10, ramp, 4, 3.2);
  c.FillRect(x + 5, y + 2, 6, 3, Sh(ramp, 3));
  c.HLine(x + 5, x + 10, y + 2, Sh(ramp, 5));
  c.HLine(x + 6, x + 9, y + 3, kInk);
  Ink(c, {x, y, 16, 16});
  GroundShadow(c, x + 3, y + 13, 10, 3);
}

void Sack(TIndexedCanvas& c, int x, int y) {
  Ball(c, x + 2, y + 5, 12, 10, rSand, 3.6, 2.8);
  c.FillRect(x + 6, y + 3, 4, 3, Sh(rSand, 4));
  c.HLine(x + 5, x + 10, y + 5, Sh(rWood, 2));
  Ink(c, {x, y, 16, 16});
}

void Chest(TIndexedCanvas& c, int x, int y, bool open, int ramp) {
  if (open) {
    Block(c, x + 2, y + 1, 12, 5, 2, ramp, 3.2);
    c.FillRect(x + 3, y + 6, 10, 2, Sh(rNight, 1));
    c.Set(x + 6, y + 6, Sh(rGold, 7));
    c.Set(x + 9, y + 7, Sh(rGold, 6));
    Block(c, x + 2, y + 8, 12, 6, 0, ramp, 4);
  } else {
    Block(c, x + 2, y + 4, 12, 10, 4, ramp, 4);
    c.HLine(x + 2, x + 13, y + 8, Sh(rGold, 4));
  }
  c.VLine(x + 4, y + (open ? 8 : 4), y + 13, Sh(rGold, 5));
  c.VLine(x + 11, y + (open ? 8 : 4), y + 13, Sh(rGold, 3));
  c.FillRect(x + 7, y + (open ? 9 : 8), 2, 2, Sh(rGold, 6));
  Ink(c, {x, y, 16, 16});
  GroundShadow(c, x + 2, y + 13, 12, 3);
}

void LampPost(TIndexedCanvas& c, int x, int y) {
  c.FillRect(x + 7, y + 8, 2, 22, Sh(rSteel, 2));
  c.VLine(x + 7, y + 8, y + 29, Sh(rSteel, 4));
  c.FillRect(x + 5, y + 28, 6, 2, Sh(rSteel, 3));
  c.FillRect(x + 4, y + 2, 8, 7, Sh(rGold, 6));
  c.FillRect(x + 5, y + 3, 6, 5, Sh(rGold, 7));
  c.HLine(x + 3, x + 12, y + 1, Sh(rSteel, 3));
  c.HLine(x + 4, x + 11, y + 9, Sh(rSteel, 3));
  c.VLine(x + 7, y + 3, y + 7, Sh(rSteel, 3));
  Ink(c, {x, y, 16, 32});
  GroundShadow(c, x + 3, y + 29, 10, 3);
}

void Statue(TIndexedCanvas& c, int x, int y, int ramp) {
  Block(c, x + 2, y + 22, 12, 9, 3, ramp, 3.6);
  Cylinder(c, x + 5, y + 10, 6, 12, ramp, 4, 2.4);
  Ball(c, x + 5, y + 3, 6, 7, ramp, 4.2, 3);
  c.FillRect(x + 3, y + 12, 2, 6, Sh(ramp, 4));
  c.FillRect(x + 11, y + 12, 2, 6, Sh(ramp, 2));
  c.Line(x + 12, y + 6, x + 12, y + 18, Sh(ramp, 5));  // a staff
  Ink(c, {x, y, 16, 32});
}

void Grave(TIndexedCanvas& c, int x, int y, bool cross) {
  if (cross) {
    c.FillRect(x + 7, y + 2, 3, 12, Sh(rStone, 4));
    c.FillRect(x + 4, y + 5, 9, 3, Sh(rStone, 4));
    c.VLine(x + 7, y + 2, y + 13, Sh(rStone, 6));
    c.HLine(x + 4, x + 12, y + 5, Sh(rStone, 6));
  } else {
    c.FillRect(x + 3, y + 5, 10, 9, Sh(rStone, 4));
    c.FillEllipse(x + 3, y + 2, 10, 7, Sh(rStone, 4));
    c.VLine(x + 3, y + 5, y + 13, Sh(rStone, 6));
    c.VLine(x + 12, y + 5, y + 13, Sh(rStone, 2));
    c.HLine(x + 6, x + 9, y + 7, Sh(rStone, 2));
    c.HLine(x + 5, x + 10, y + 9, Sh(rStone, 2));
  }
  c.FillRect(x + 2, y + 13, 12, 2, Sh(rDirt, 3));
  Ink(c, {x, y, 16, 16});
}

void Well(TIndexedCanvas& c, int x, int y) {
  // Roof on two posts over a round stone wall.
  c.FillRect(x + 5, y + 6, 2, 14, Sh(rWood, 3));
  c.FillRect(x + 25, y + 6, 2, 14, Sh(rWood, 2));
  c.FillPolygon({{x + 2, y + 9}, {x + 16, y + 1}, {x + 30, y + 9}}, Sh(rBrick, 4));
  for (int py = y + 2; py < y + 9; py += 2) c.HLine(x + 3, x + 29, py, Sh(rBrick, 2));
  c.FillPolygon({{x + 2, y + 9}, {x + 16, y + 1}, {x + 30, y + 9}}, Sh(rBrick, 4));
  c.Line(x + 2, y + 9, x + 16, y + 1, Sh(rBrick, 6));
  c.HLine(x + 12, x + 20, y + 13, Sh(rWood, 4));
  c.VLine(x + 16, y + 13, y + 18, Sh(rSteel, 4));
  c.FillRect(x + 15, y + 18, 3, 3, Sh(rWood, 4));
  Cylinder(c, x + 4, y + 20, 24, 10, rStone, 4, 2.6);
  c.FillEllipse(x + 4, y + 17, 24, 7, Sh(rStone, 5));
  c.FillEllipse(x + 7, y + 18, 18, 5, Sh(rDeep, 1));
  for (int px = x + 5; px < x + 28; px += 6) c.VLine(px, y + 22, y + 29, Sh(rStone, 2));
  c.HLine(x + 4, x + 27, y + 25, Sh(rStone, 2));
  Ink(c, {x, y, 32, 32});
  GroundShadow(c, x + 3, y + 28, 26, 4);
}

void Bed(TIndexedCanvas& c, int x, int y, int sheetRamp) {
  Block(c, x + 1, y + 1, 14, 30, 2, rWood, 3.4);
  c.FillRect(x + 2, y + 3, 12, 6, Sh(rBone, 6));
  c.HLine(x + 3, x + 12, y + 8, Sh(rBone, 4));
  VGradient(c, {x + 2, y + 10, 12, 18}, sheetRamp, 4.8, 3.2);
  c.HLine(x + 2, x + 13, y + 10, Sh(rBone, 7));
  c.VLine(x + 2, y + 11, y + 27, Sh(sheetRamp, 5));
  Ink(c, {x, y, 16, 32});
}

void Shelf(TIndexedCanvas& c, int x, int y, bool books) {
  Block(c, x + 1, y + 4, 14, 27, 2, rWood, 3.4);
  for (int row = 0; row < 3; ++row) {
    int py = y + 8 + row * 7;
    c.FillRect(x + 3, py, 10, 5, Sh(rWood, 1));
    if (books) {
      static constexpr int kBook[] = {rRed, rNavy, rOlive, rGold, rPurple, rTeal};
      for (int b = 0; b < 5; ++b) {
        int ramp = kBook[(b + row * 2) % 6];
        int top = py + (b % 3 == 1 ? 1 : 0);
        c.FillRect(x + 3 + b * 2, top, 2, py + 5 - top, Sh(ramp, 4));
        c.VLine(x + 3 + b * 2, top, py + 4, Sh(ramp, 5));
      }
    } else {
      Ball(c, x + 4, py + 1, 4, 4, rBone, 4.5, 2);
      Ball(c, x + 9, py + 1, 3, 4, rTeal, 4.5, 2);
    }
    c.HLine(x + 2, x + 13, py + 5, Sh(rWood, 5));
  }
  Ink(c, {x, y, 16, 32});
}

void Table(TIndexedCanvas& c, int x, int y, int w) {
  Block(c, x + 1, y + 3, w - 2, 8, 5, rWood, 4);
  c.FillRect(x + 2, y + 11, 2, 4, Sh(rWood, 2));
  c.FillRect(x + w - 4, y + 11, 2, 4, Sh(rWood, 2));
  c.HLine(x + 2, x + w - 3, y + 4, Sh(rWood, 6));
  Ink(c, {x, y, w, 16});
}

void Chair(TIndexedCanvas& c, int x, int y) {
  Block(c, x + 4, y + 1, 8, 7, 1, rWood, 3.6);
  c.HLine(x + 5, x + 10, y + 4, Sh(rWood, 2));
  Block(c, x + 3, y + 8, 10, 3, 2, rWood, 4.2);
  c.FillRect(x + 4, y + 11, 2, 4, Sh(rWood, 2));
  c.FillRect(x + 10, y + 11, 2, 4, Sh(rWood, 2));
  Ink(c, {x, y, 16, 16});
}

void PlantPot(TIndexedCanvas& c, int x, int y) {
  Block(c, x + 4, y + 10, 8, 5, 1, rBrick, 4);
  Ball(c, x + 2, y + 1, 12, 10, rGrass, 4, 3, 4242);
  Ink(c, {x, y, 16, 16});
}

void Window(TIndexedCanvas& c, int x, int y) {
  c.FillRect(x + 2, y + 2, 12, 11, Sh(rWood, 3));
  VGradient(c, {x + 3, y + 3, 10, 9}, rSky, 6, 3.5);
  c.VLine(x + 7, y + 3, y + 11, Sh(rWood, 4));
  c.HLine(x + 3, x + 12, y + 7, Sh(rWood, 4));
  c.Set(x + 4, y + 4, kWhite);
  c.FillRect(x + 1, y + 13, 14, 2, Sh(rWood, 5));
  Ink(c, {x, y, 16, 16});
}

void Door(TIndexedCanvas& c, int x, int y, int h, int ramp) {
  c.FillRect(x + 2, y + 2, 12, h - 2, Sh(ramp, 3));
  for (int px = x + 3; px < x + 14; px += 3) c.VLine(px, y + 3, y + h - 1, Sh(ramp, 2));
  c.HLine(x + 2, x + 13, y + 2, Sh(ramp, 5));
  c.VLine(x + 2, y + 2, y + h - 1, Sh(ramp, 4));
  c.FillRect(x + 11, y + h / 2, 2, 2, Sh(rGold, 6));
  Ink(c, {x, y, 16, h});
}

void Painting(TIndexedCanvas& c, int x, int y) {
  c.FillRect(x + 2, y + 3, 12, 10, Sh(rGold, 4));
  VGradient(c, {x + 3, y + 4, 10, 5}, rSky, 6, 4);
  c.FillRect(x + 3, y + 9, 10, 3, Sh(rGrass, 3));
  c.FillPolygon({{x + 4, y + 10}, {x + 8, y + 6}, {x + 12, y + 10}}, Sh(rStone, 3));
  c.HLine(x + 2, x + 13, y + 3, Sh(rGold, 6));
  Ink(c, {x, y, 16, 16});
}

void Hay(TIndexedCanvas& c, int x, int y, int w, int h) {
  Ball(c, x + 1, y + 2, w - 2, h - 3, rGold, 3.8, 3);
  for (int i = 0; i < w; i += 3) c.Line(x + i, y + h / 2, x + i + 2, y + h / 3, Sh(rGold, 6));
  Ink(c, {x, y, w, h});
}

void Logs(TIndexedCanvas& c, int x, int y) {
  for (int i = 0; i < 3; ++i) {
    int py = y + 5 + (i == 2 ? -4 : 3), px = x + (i == 2 ? 4 : 1 + i * 7);
    int w = i == 2 ? 8 : 7;
    Cylinder(c, px, py, w, 7, rWood, 3.4, 2);
    c.FillEllipse(px, py, 4, 7, Sh(rWood, 5));
    c.Set(px + 1, py + 3, Sh(rWood, 3));
  }
  Ink(c, {x, y, 16, 16});
}

void Stalagmite(TIndexedCanvas& c, int x, int y, int w, int h, int ramp) {
  int cx = x + w / 2;
  for (int py = y + 2; py < y + h - 1; ++py) {
    double f = (py - y - 2) / double(h - 3);
    int span = std::max(1, int(f * (w / 2 - 1)));
    for (int px = cx - span; px < cx + span; ++px) {
      double s = 4.5 - (px - cx + 0.5) / span * 1.8 - f;
      c.Set(px, py, Dither(ramp, s, px, py));
    }
  }
  Ink(c, {x, y, w, h});
  GroundShadow(c, x + 1, y + h - 3, w - 2, 3);
}

void Pillar(TIndexedCanvas& c, int x, int y, int h, int ramp, bool broken) {
  int top = broken ? y + h / 2 : y + 4;
  Cylinder(c, x + 3, top, 10, y + h - 4 - top, ramp, 4, 2.8);
  Block(c, x + 1, y + h - 5, 14, 4, 1, ramp, 3.6);
  if (broken) {
    for (int px = x + 3; px < x + 13; ++px) c.Set(px, top - (px * 7 % 3), Sh(ramp, 5));
  } else {
    Block(c, x + 1, y + 1, 14, 4, 2, ramp, 4.2);
  }
  for (int px = x + 5; px < x + 12; px += 3) c.VLine(px, top + 1, y + h - 6, Sh(ramp, 2));
  Ink(c, {x, y, 16, h});
}

void Crystals(TIndexedCanvas& c, int x, int y, int w, int h, int ramp, uint32_t seed) {
  TRng rng(seed);
  int n = w / 6;
  for (int i = 0; i < n; ++i) {
    int cw = 4 + rng.Below(3), ch = h / 2 + rng.Below(h / 3);
    int cx = x + 2 + i * (w - 4) / n + rng.Below(3), base = y + h - 3;
    int tip = base - ch;
    c.FillPolygon({{cx, base}, {cx, tip + 3}, {cx + cw / 2, tip}, {cx + cw, tip + 3}, {cx + cw, base}}, Sh(ramp, 4));
    c.FillRect(cx + cw / 2, tip + 2, (cw + 1) / 2, ch - 2, Sh(ramp, 3));
    c.VLine(cx + 1, tip + 3, base - 1, Sh(ramp, 7));
    c.Set(cx + cw / 2, tip + 1, kWhite);
  }
  Ink(c, {x, y, w, h});
}

void Bones(TIndexedCanvas& c, int x, int y, bool skull) {
  c.Line(x + 3, y + 12, x + 11, y + 9, Sh(rBone, 6));
  c.Line(x + 3, y + 13, x + 11, y + 10, Sh(rBone, 4));
  c.FillRect(x + 2, y + 11, 2, 3, Sh(rBone, 6));
  c.FillRect(x + 11, y + 8, 2, 3, Sh(rBone, 6));
  if (skull) {
    Ball(c, x + 6, y + 3, 7, 6, rBone, 4.6, 2.4);
    c.FillRect(x + 7, y + 8, 5, 2, Sh(rBone, 5));
    c.Set(x + 8, y + 6, kInk);
    c.Set(x + 10, y + 6, kInk);
  }
  Ink(c, {x, y, 16, 16});
}

void TorchStand(TIndexedCanvas& c, int x, int y) {
  c.FillRect(x + 7, y + 10, 2, 19, Sh(rSteel, 2));
  c.FillRect(x + 5, y + 28, 6, 3, Sh(rSteel, 3));
  c.FillRect(x + 5, y + 8, 6, 3, Sh(rSteel, 4));
  Ball(c, x + 5, y + 1, 6, 8, rOrange, 5, 2.5);
  Ball(c, x + 6, y + 3, 4, 5, rGold, 6, 1.5);
  Ink(c, {x, y, 16, 32});
}

void WallTorch(TIndexedCanvas& c, int x, int y) {
  c.FillRect(x + 6, y + 8, 4, 3, Sh(rSteel, 3));
  c.FillRect(x + 7, y + 11, 2, 3, Sh(rWood, 3));
  Ball(c, x + 5, y + 1, 6, 8, rOrange, 5, 2.5);
  Ball(c, x + 6, y + 3, 4, 5, rGold, 6, 1.5);
  Ink(c, {x, y, 16, 16});
}

void Cobweb(TIndexedCanvas& c, int x, int y, bool left) {
  int ox = left ? x : x + 15;
  int dir = left ? 1 : -1;
  for (int k = 0; k < 4; ++k) c.Line(ox, y, ox + dir * (14 - k * 4), y + k * 4 + 2, Sh(rGrey, 6));
  for (int r = 4; r <= 12; r += 4)
    for (int a = 0; a <= r; ++a) c.Set(ox + dir * (r - a), y + a, Sh(rGrey, 5));
}

void Chains(TIndexedCanvas& c, int x, int y) {
  for (int py = y; py < y + 14; py += 3) {
    c.FrameRect(x + 4, py, 3, 3, Sh(rSteel, 4));
    c.FrameRect(x + 10, py + 1, 3, 3, Sh(rSteel, 3));
  }
}

void Altar(TIndexedCanvas& c, int x, int y) {
  Block(c, x + 1, y + 4, 30, 11, 4, rStone, 4.2);
  c.FillRect(x + 1, y + 5, 30, 3, Sh(rRed, 3));
  c.HLine(x + 1, x + 30, y + 5, Sh(rRed, 5));
  for (int px = x + 4; px < x + 30; px += 4) c.Set(px, y + 7, Sh(rGold, 6));
  c.FillRect(x + 14, y + 1, 4, 4, Sh(rGold, 5));
  c.Set(x + 15, y + 1, Sh(rGold, 7));
  Ink(c, {x, y, 32, 16});
}

void Coffin(TIndexedCanvas& c, int x, int y) {
  c.FillPolygon({{x + 5, y + 2}, {x + 11, y + 2}, {x + 14, y + 9}, {x + 12, y + 30}, {x + 4, y + 30}, {x + 2, y + 9}},
                Sh(rWood, 3));
  c.Line(x + 5, y + 2, x + 2, y + 9, Sh(rWood, 5));
  c.Line(x + 2, y + 9, x + 4, y + 30, Sh(rWood, 4));
  c.FillRect(x + 7, y + 8, 2, 10, Sh(rGold, 5));
  c.FillRect(x + 5, y + 11, 6, 2, Sh(rGold, 5));
  Ink(c, {x, y, 16, 32});
}

void Rubble(TIndexedCanvas& c, int x, int y, uint32_t seed) {
  TRng rng(seed);
  for (int i = 0; i < 6; ++i) {
    int w = 3 + rng.Below(4), px = x + 1 + rng.Below(15 - w), py = y + 5 + rng.Below(8);
    Ball(c, px, py, w, w - 1, rStone, 3.8, 3);
  }
  Ink(c, {x, y, 16, 16});
}

void Skeleton(TIndexedCanvas& c, int x, int y) {
  Bones(c, x, y, true);
  c.Line(x + 6, y + 10, x + 4, y + 14, Sh(rBone, 5));
  Ink(c, {x, y, 16, 16});
}

void Brazier(TIndexedCanvas& c, int x, int y) {
  c.FillPolygon({{x + 2, y + 8}, {x + 14, y + 8}, {x + 11, y + 13}, {x + 5, y + 13}}, Sh(rSteel, 3));
  c.HLine(x + 2, x + 13, y + 8, Sh(rSteel, 5));
  c.FillRect(x + 5, y + 13, 2, 2, Sh(rSteel, 2));
  c.FillRect(x + 9, y + 13, 2, 2, Sh(rSteel, 2));
  Ball(c, x + 4, y + 1, 8, 8, rOrange, 5, 2.4);
  Ball(c, x + 6, y + 3, 4, 5, rGold, 6.2, 1.4);
  Ink(c, {x, y, 16, 16});
}

void Banner(TIndexedCanvas& c, int x, int y, int ramp) {
  c.HLine(x + 1, x + 14, y + 2, Sh(rGold, 5));
  c.FillPolygon({{x + 3, y + 3}, {x + 13, y + 3}, {x + 13, y + 28}, {x + 8, y + 24}, {x + 3, y + 28}}, Sh(ramp, 3));
  c.VLine(x + 4, y + 3, y + 26, Sh(ramp, 5));
  c.FillCircle(x + 8, y + 11, 2, Sh(rGold, 6));
  Ink(c, {x, y, 16, 32});
}

}  // namespace tess::rtp::props
