// Screens and backgrounds: title, game over, battle backgrounds, parallax backgrounds, frames,
// event pictures and the system graphics.

#include <algorithm>
#include <cmath>

#include "tools/rtpgen/Art.h"
#include "tools/rtpgen/DrawKit.h"
#include "tools/rtpgen/SceneArt.h"
#include "tools/rtpgen/TileArt.h"

namespace tess::rtp {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct TStop {
  double at;
  uint8_t index;
};

// A vertical gradient through palette entries of different ramps, ordered-dithered between stops.
void Gradient(TIndexedCanvas& c, TRect r, const std::vector<TStop>& stops) {
  for (int y = r.y; y < r.y + r.h; ++y) {
    double t = r.h > 1 ? (y - r.y) / double(r.h - 1) : 0;
    size_t i = 0;
    while (i + 2 < stops.size() && t > stops[i + 1].at) ++i;
    double span = stops[i + 1].at - stops[i].at;
    double f = span > 0 ? std::clamp((t - stops[i].at) / span, 0.0, 1.0) : 0;
    for (int x = r.x; x < r.x + r.w; ++x) c.Set(x, y, f > Bayer(x, y) ? stops[i + 1].index : stops[i].index);
  }
}

// A range of hills or mountains: everything below a noisy ridge line, shaded darker downward.
void Ridge(TIndexedCanvas& c, int top, int amplitude, double period, uint32_t seed, int ramp, double shade,
           double fade = 0.8) {
  int w = c.Width();
  for (int x = 0; x < w; ++x) {
    double n = Fractal(x / period, 0.5, seed, std::max(1, int(std::lround(w / period))));
    int ridge = top + int(amplitude * (1 - n));
    for (int y = ridge; y < c.Height(); ++y) {
      double s = shade - (y - ridge) / 40.0 * fade;
      if (y == ridge) s += 1;
      c.Set(x, y, Dither(ramp, s, x, y));
    }
  }
}

void Stars(TIndexedCanvas& c, int count, int maxY, uint32_t seed) {
  TRng rng(seed);
  for (int i = 0; i < count; ++i) {
    int x = rng.Below(c.Width()), y = rng.Below(maxY);
    c.Set(x, y, rng.Chance(30) ? kWhite : Sh(rSky, 6));
    if (rng.Chance(8)) {
      c.Set(x - 1, y, Sh(rSky, 5));
      c.Set(x + 1, y, Sh(rSky, 5));
      c.Set(x, y - 1, Sh(rSky, 5));
      c.Set(x, y + 1, Sh(rSky, 5));
    }
  }
}

void Cloud(TIndexedCanvas& c, int x, int y, int w, uint32_t seed) {
  TRng rng(seed);
  for (int i = 0; i < 5; ++i) {
    int bw = w / 3 + rng.Below(w / 4), bx = x + i * (w - bw) / 4, by = y - rng.Below(w / 8 + 1);
    Ball(c, bx, by, bw, bw * 2 / 3, rSky, 6.4, 1.6);
  }
}

void OutlinedText(TIndexedCanvas& c, int x, int y, const std::string& text, uint8_t color, int scale) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      c.Text(x + dx * std::max(1, scale / 2), y + dy * std::max(1, scale / 2), text, kInk, scale);
  c.Text(x, y + scale, text, Shade(color, -3), scale);
  c.Text(x, y, text, color, scale);
}

void CenteredText(TIndexedCanvas& c, int y, const std::string& text, uint8_t color, int scale) {
  OutlinedText(c, (c.Width() - TIndexedCanvas::TextWidth(text, scale)) / 2, y, text, color, scale);
}

TIndexedCanvas New(int w, int h) {
  TIndexedCanvas c(w, h);
  ApplyPalette(c);
  return c;
}

void Castle(TIndexedCanvas& c, int x, int baseY, uint8_t body, uint8_t window) {
  auto tower = [&](int tx, int tw, int th) {
    c.FillRect(tx, baseY - th, tw, th, body);
    for (int k = 0; k < tw; k += 4) c.FillRect(tx + k, baseY - th - 3, 2, 3, body);
    c.FillPolygon({{tx - 2, baseY - th - 3}, {tx + tw / 2, baseY - th - 16}, {tx + tw + 2, baseY - th - 3}}, body);
  };
  c.FillRect(x, baseY - 40, 90, 40, body);
  for (int k = 0; k < 90; k += 6) c.FillRect(x + k, baseY - 44, 3, 4, body);
  tower(x - 8, 16, 56);
  tower(x + 82, 16, 56);
  tower(x + 36, 18, 76);
  TRng rng(5);
  for (int i = 0; i < 12; ++i) {
    int wx = x - 4 + rng.Below(100), wy = baseY - 10 - rng.Below(60);
    if (c.At(wx, wy) == body && c.At(wx + 1, wy + 2) == body) c.FillRect(wx, wy, 2, 3, window);
  }
  c.FillRect(x + 40, baseY - 14, 10, 14, Shade(body, -1));
}

}  // namespace

std::vector<TNamedPicture> DrawTitles() {
  std::vector<TNamedPicture> out;
  {
    TIndexedCanvas c = New(320, 240);
    Gradient(c, {0, 0, 320, 240},
             {{0, Sh(rNight, 1)},
              {0.25, Sh(rNight, 3)},
              {0.45, Sh(rPurple, 3)},
              {0.6, Sh(rPink, 4)},
              {0.72, Sh(rOrange, 5)},
              {1, Sh(rGold, 6)}});
    Stars(c, 90, 100, 7);
    c.FillCircle(250, 50, 12, Sh(rBone, 7));
    c.FillCircle(255, 46, 10, Sh(rNight, 3));
    Ridge(c, 120, 50, 60, 11, rNight, 3.2, 0.4);
    Ridge(c, 160, 30, 40, 12, rNight, 2.2, 0.3);
    Castle(c, 130, 190, Sh(rNight, 0), Sh(rGold, 6));
    Ridge(c, 185, 15, 25, 13, rFoliage, 1.4, 0.4);
    for (int x = 0; x < 320; x += 11) {
      int h = 20 + int(Hash(x, 1, 3) % 18);
      c.FillPolygon({{x - 6, 240}, {x, 240 - h - 20}, {x + 6, 240}}, Sh(rFoliage, 0));
    }
    CenteredText(c, 28, "TESSALY", Sh(rGold, 6), 5);
    CenteredText(c, 72, "A TALE OF TILES", Sh(rBone, 7), 1);
    out.push_back({"Castle", std::move(c)});
  }
  {
    TIndexedCanvas c = New(320, 240);
    Gradient(c, {0, 0, 320, 150}, {{0, Sh(rSky, 2)}, {0.6, Sh(rSky, 4)}, {1, Sh(rSky, 6)}});
    Cloud(c, 30, 30, 70, 1);
    Cloud(c, 200, 50, 90, 2);
    Cloud(c, 120, 90, 50, 3);
    Ridge(c, 110, 40, 70, 21, rRoof, 4.2, 0.5);
    Ridge(c, 140, 30, 50, 22, rFoliage, 4.2, 0.5);
    Ridge(c, 170, 25, 80, 23, rGrass, 4.6, 0.6);
    // A path winding to the horizon.
    for (int y = 175; y < 240; ++y) {
      double t = (y - 175) / 65.0;
      int cx = 160 + int(std::sin(t * 3) * 30 * t), half = int(3 + t * 30);
      for (int x = cx - half; x <= cx + half; ++x) c.Set(x, y, Dither(rSand, 4 + t * 1.5, x, y));
    }
    CenteredText(c, 24, "TESSALY", Sh(rBone, 7), 5);
    CenteredText(c, 68, "A TALE OF TILES", Sh(rNavy, 2), 1);
    out.push_back({"Meadow", std::move(c)});
  }
  return out;
}

std::vector<TNamedPicture> DrawGameOvers() {
  TIndexedCanvas c = New(320, 240);
  Gradient(c, {0, 0, 320, 240}, {{0, kBlack}, {0.5, Sh(rRed, 0)}, {0.85, Sh(rRed, 2)}, {1, Sh(rNight, 0)}});
  Ridge(c, 170, 20, 50, 31, rNight, 1.6, 0.3);
  // A sword in a grave mound.
  c.FillEllipse(120, 186, 80, 24, Sh(rDirt, 1));
  c.FillEllipse(126, 186, 40, 8, Sh(rDirt, 2));
  c.FillRect(158, 120, 5, 70, Sh(rSteel, 4));
  c.VLine(158, 120, 189, Sh(rSteel, 6));
  c.FillPolygon({{158, 120}, {160, 113}, {163, 120}}, Sh(rSteel, 5));
  c.FillRect(148, 186, 25, 4, Sh(rGold, 4));
  c.FillRect(158, 190, 5, 12, Sh(rWood, 2));
  c.FillCircle(160, 204, 3, Sh(rGold, 5));
  CenteredText(c, 60, "GAME OVER", Sh(rRed, 5), 5);
  std::vector<TNamedPicture> out;
  out.push_back({"Fallen", std::move(c)});
  return out;
}

std::vector<TNamedPicture> DrawBackdrops() {
  std::vector<TNamedPicture> out;
  {
    TIndexedCanvas c = New(320, 240);
    Gradient(c, {0, 0, 320, 120}, {{0, Sh(rSky, 3)}, {1, Sh(rSky, 6)}});
    Cloud(c, 40, 30, 60, 4);
    Cloud(c, 220, 20, 80, 5);
    Ridge(c, 70, 40, 60, 41, rRoof, 4.4, 0.4);
    Ridge(c, 100, 20, 40, 42, rFoliage, 3.6, 0.4);
    for (int y = 120; y < 240; ++y)
      for (int x = 0; x < 320; ++x) {
        double t = (y - 120) / 120.0;
        double s = 4.6 - t * 1.4 + (Noise(x / (6 + t * 30), y / (2 + t * 10), 43, 64) - 0.5) * 1.2;
        c.Set(x, y, Dither(rGrass, s, x, y));
      }
    out.push_back({"Grassland", std::move(c)});
  }
  {
    TIndexedCanvas c = New(320, 240);
    Gradient(c, {0, 0, 320, 240}, {{0, Sh(rFoliage, 3)}, {0.5, Sh(rFoliage, 2)}, {1, Sh(rFoliage, 1)}});
    TRng rng(51);
    for (int layer = 0; layer < 3; ++layer)
      for (int i = 0; i < 7; ++i) {
        int w = 10 + layer * 8, x = rng.Below(320), top = 0;
        Cylinder(c, x, top, w, 200 - layer * 10 + layer * 25, rWood, 1.6 + layer, 1.8);
        Ball(c, x - w * 2, -30, w * 5, 70 + layer * 10, rFoliage, 2 + layer, 2.4, 52 + i);
      }
    for (int y = 170; y < 240; ++y)
      for (int x = 0; x < 320; ++x)
        c.Set(x, y, Dither(rMoss, 2.6 + (y - 170) / 40.0 + (Noise(x / 8.0, y / 3.0, 53, 40) - 0.5), x, y));
    out.push_back({"Forest", std::move(c)});
  }
  {
    TIndexedCanvas c = New(320, 240);
    for (int y = 0; y < 240; ++y)
      for (int x = 0; x < 320; ++x) {
        double n = Fractal(x / 20.0, y / 20.0, 61, 16);
        double s = 1.4 + n * 2.2 - std::abs(x - 160) / 320.0;
        if (y > 150) s = 2.6 + (y - 150) / 60.0 + (n - 0.5);
        c.Set(x, y, Dither(rCave, s, x, y));
      }
    TRng rng(62);
    for (int i = 0; i < 14; ++i) {
      int x = rng.Below(320), w = 6 + rng.Below(14), h = 20 + rng.Below(60);
      c.FillPolygon({{x - w, 0}, {x, h}, {x + w, 0}}, Sh(rCave, 1 + rng.Below(2)));
    }
    for (int i = 0; i < 6; ++i) {
      int x = rng.Below(320);
      c.FillPolygon({{x - 10, 40 + i * 8}, {x - 4, 60 + i * 6}, {x + 8, 44 + i * 8}}, Sh(rMagic, 4 + i % 3));
    }
    out.push_back({"Cave", std::move(c)});
  }
  {
    TIndexedCanvas c = New(320, 240);
    for (int y = 0; y < 240; ++y)
      for (int x = 0; x < 320; ++x) {
        int row = y / 12, bx = (x + (row % 2) * 16) % 32;
        double s = 3.2 + (Hash((x + (row % 2) * 16) / 32, row, 71) % 100) / 120.0;
        if (y % 12 == 11 || bx == 31) s = 1.4;
        if (y >= 160) s = 2.6 + (y - 160) / 50.0 + ((x / 40 + (y - 160) / 20) % 2) * 0.6;
        c.Set(x, y, Dither(rStone, s, x, y));
      }
    for (int k = 0; k < 4; ++k) {
      int x = 20 + k * 90;
      Cylinder(c, x, 0, 24, 170, rStone, 4.6, 2.4);
      c.FillRect(x - 4, 160, 32, 10, Sh(rStone, 5));
    }
    for (int k = 0; k < 3; ++k) {
      int x = 72 + k * 90;
      c.FillRect(x, 20, 26, 70, Sh(rRed, 3));
      c.FillPolygon({{x, 90}, {x + 13, 80}, {x + 26, 90}}, Sh(rRed, 3));
      c.FillCircle(x + 13, 45, 6, Sh(rGold, 5));
    }
    c.FillRect(0, 190, 320, 14, Sh(rRed, 2));
    c.HLine(0, 319, 190, Sh(rGold, 4));
    out.push_back({"Castle", std::move(c)});
  }
  return out;
}

std::vector<TNamedPicture> DrawPanoramas() {
  std::vector<TNamedPicture> out;
  {
    // The noise repeats across the width, so the background joins itself when it scrolls.
    TIndexedCanvas c = New(320, 240);
    for (int y = 0; y < 240; ++y)
      for (int x = 0; x < 320; ++x) {
        double n = Fractal(x / 40.0, y / 30.0, 81, 8);
        double s = 2.6 + y / 240.0 * 3;
        if (n > 0.55) s = 5 + (n - 0.55) * 8;
        c.Set(x, y, Dither(rSky, s, x, y));
      }
    out.push_back({"Sky", std::move(c)});
  }
  {
    TIndexedCanvas c = New(320, 240);
    Gradient(c, {0, 0, 320, 240}, {{0, Sh(rNight, 0)}, {0.7, Sh(rNight, 2)}, {1, Sh(rPurple, 2)}});
    Stars(c, 240, 240, 82);
    out.push_back({"Stars", std::move(c)});
  }
  {
    TIndexedCanvas c = New(256, 256);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) {
        double n = Noise(x / 16.0, y / 8.0, 83, 16);
        double w = std::sin(2 * kPi * (x / 64.0 + y / 32.0)) * 0.5;
        c.Set(x, y, Dither(rWater, 3 + n * 1.5 + w, x, y));
      }
    out.push_back({"Sea", std::move(c)});
  }
  return out;
}

std::vector<TNamedPicture> DrawFrames() {
  TIndexedCanvas c = New(320, 240);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x) {
      int d = std::min(std::min(x, 319 - x), std::min(y, 239 - y));
      if (d >= 10) continue;
      double s = d < 2 ? 2 : d < 4 ? 5 : d < 8 ? 3.6 + ((x + y) % 6 == 0 ? 1.5 : 0) : 2;
      c.Set(x, y, Dither(rGold, s, x, y));
    }
  for (int cx : {0, 296})
    for (int cy : {0, 216}) {
      Ball(c, cx + 2, cy + 2, 20, 20, rGold, 4.5, 3);
      c.FillCircle(cx + 12, cy + 12, 4, Sh(rRed, 4));
      c.Set(cx + 10, cy + 10, Sh(rRed, 7));
    }
  std::vector<TNamedPicture> out;
  out.push_back({"Gilded", std::move(c)});
  return out;
}

std::vector<TNamedPicture> DrawPictures() {
  std::vector<TNamedPicture> out;
  {
    TIndexedCanvas c = New(200, 150);
    for (int y = 0; y < 150; ++y)
      for (int x = 0; x < 200; ++x) {
        double n = Fractal(x / 30.0, y / 30.0, 91, 8);
        bool land = n > 0.52 + 0.08 * std::hypot((x - 100) / 100.0, (y - 75) / 75.0);
        double edge = std::min(std::min(x, 199 - x), std::min(y, 149 - y));
        double s = land ? 4.8 - (n - 0.52) * 6 : 5.8;
        if (edge < 6) s -= (6 - edge) * 0.5;
        c.Set(x, y, Dither(land ? rSand : rBone, s, x, y));
        if (!land && (x * 7 + y * 3) % 41 == 0) c.Set(x, y, Sh(rSky, 4));
      }
    c.Line(40, 100, 80, 70, Sh(rRed, 3));
    c.Line(80, 70, 140, 60, Sh(rRed, 3));
    c.Line(150, 50, 160, 60, Sh(rRed, 4));
    c.Line(160, 50, 150, 60, Sh(rRed, 4));
    c.Outline({0, 0, 200, 150}, kInk);
    out.push_back({"TreasureMap", std::move(c)});
  }
  {
    TIndexedCanvas c = New(96, 96);
    for (int y = 0; y < 96; ++y)
      for (int x = 0; x < 96; ++x) {
        double r = std::hypot(x + 0.5 - 48, y + 0.5 - 48), a = std::atan2(y + 0.5 - 48, x + 0.5 - 48);
        double ray = 30 + 10 * std::cos(a * 8);
        if (r < 22)
          c.Set(x, y, Dither(rGold, 7 - r / 10, x, y));
        else if (r < ray && r < 46)
          c.Set(x, y, Dither(rOrange, 6 - (r - 22) / 8, x, y));
      }
    out.push_back({"Sun", std::move(c)});
  }
  {
    TIndexedCanvas c = New(160, 120);
    c.FillRect(10, 8, 140, 104, Sh(rBone, 6));
    VGradient(c, {10, 8, 140, 104}, rBone, 6.6, 5.2);
    for (int k = 0; k < 7; ++k) c.HLine(24, 24 + 100 - (k * 37 % 30), 22 + k * 12, Sh(rWood, 2));
    Cylinder(c, 2, 2, 156, 10, rWood, 4, 2);
    Cylinder(c, 2, 108, 156, 10, rWood, 4, 2);
    c.Outline({0, 0, 160, 120}, kInk);
    out.push_back({"Letter", std::move(c)});
  }
  return out;
}

namespace {
void SystemGraphic(TIndexedCanvas& c, int bgRamp, int frameRamp) {
  // Window background, 32 x 32.
  VGradient(c, {0, 0, 32, 32}, bgRamp, 3.8, 1.6);
  // Window frame: corners and edges in a 32 x 32 square.
  for (int y = 0; y < 32; ++y)
    for (int x = 32; x < 64; ++x) {
      int lx = x - 32, d = std::min(std::min(lx, 31 - lx), std::min(y, 31 - y));
      if (d > 3) continue;
      double s = d == 0 ? 2 : d == 1 ? 6 : d == 2 ? 4.5 : 3;
      c.Set(x, y, Dither(frameRamp, s, x, y));
    }
  for (int cx : {32, 58})
    for (int cy : {0, 26}) c.FillRect(cx + 1, cy + 1, 4, 4, Sh(frameRamp, 7));
  // Selection cursor in two frames.
  for (int f = 0; f < 2; ++f)
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        int d = std::min(std::min(x, 31 - x), std::min(y, 31 - y));
        double s = d == 0 ? 7 - f : d == 1 ? 5 - f : 2.6 + f * 0.4;
        c.Set(64 + 32 * f + x, y, Dither(bgRamp == rWood ? rGold : rSky, s, x, y));
      }
  // Scroll arrows, up and down.
  c.FillPolygon({{136, 12}, {144, 4}, {152, 12}}, Sh(frameRamp, 6));
  c.FillPolygon({{136, 20}, {144, 28}, {152, 20}}, Sh(frameRamp, 6));
  // The shadow colour of the text and a gauge strip.
  c.FillRect(0, 32, 16, 16, kBlack);
  VGradient(c, {16, 32, 144, 8}, rGrass, 6, 3);
  VGradient(c, {16, 40, 144, 8}, rSky, 6, 3);
  // Twenty text colours, ten a row, each 16 x 16 and a little lighter at the top.
  static constexpr int kColors[20][2] = {{rGrey, 7}, {rSky, 6},    {rOrange, 6}, {rGrey, 4},   {rGold, 6},
                                         {rRed, 5},  {rPurple, 6}, {rPink, 6},   {rOrange, 4}, {rGrass, 5},
                                         {rTeal, 5}, {rMagic, 5},  {rBlond, 6},  {rBrick, 5},  {rIce, 6},
                                         {rMoss, 5}, {rLava, 5},   {rNavy, 5},   {rBone, 6},   {rSteel, 6}};
  for (int i = 0; i < 20; ++i) {
    int x = (i % 10) * 16, y = 48 + (i / 10) * 16;
    for (int py = 0; py < 16; ++py)
      for (int px = 0; px < 16; ++px)
        c.Set(x + px, y + py, Sh(kColors[i][0], kColors[i][1] + (py < 4 ? 1 : py > 12 ? -1 : 0)));
  }
}
}  // namespace

std::vector<TNamedPicture> DrawSystems() {
  std::vector<TNamedPicture> out;
  TIndexedCanvas blue = New(160, 80);
  SystemGraphic(blue, rNavy, rSteel);
  out.push_back({"Blue", std::move(blue)});
  TIndexedCanvas wood = New(160, 80);
  SystemGraphic(wood, rWood, rGold);
  out.push_back({"Wood", std::move(wood)});
  return out;
}

std::vector<TNamedPicture> DrawSystem2s() {
  TIndexedCanvas c = New(80, 96);
  // Pointing cursors in two frames, a target marker and a turn marker.
  for (int f = 0; f < 2; ++f) {
    int x = f * 16 + f;
    c.FillPolygon({{x + 2, 4}, {x + 12, 8}, {x + 2, 12}}, Sh(rGold, 6 - f));
    c.Line(x + 2, 4, x + 12, 8, Sh(rGold, 7));
  }
  c.FrameEllipse(34, 1, 14, 14, Sh(rRed, 5));
  c.FrameEllipse(37, 4, 8, 8, Sh(rRed, 6));
  c.FillPolygon({{52, 2}, {62, 2}, {57, 12}}, Sh(rSky, 6));
  // Gauges: empty frame, then the fills for hit points, magic and the turn meter.
  c.FillRect(0, 16, 80, 8, Sh(rNight, 1));
  c.FrameRect(0, 16, 80, 8, Sh(rSteel, 5));
  VGradient(c, {0, 24, 80, 8}, rGrass, 6, 3);
  VGradient(c, {0, 32, 80, 8}, rSky, 6, 3);
  VGradient(c, {0, 40, 80, 8}, rGold, 7, 4);
  // Digits 0-9 for damage numbers, 8 x 16 each, two rows of five.
  for (int d = 0; d < 10; ++d) {
    int x = (d % 5) * 16 + 4, y = 50 + (d / 5) * 22;
    std::string s(1, char('0' + d));
    c.Text(x + 1, y + 1, s, kInk, 2);
    c.Text(x, y, s, Sh(rBone, 7), 2);
  }
  std::vector<TNamedPicture> out;
  out.push_back({"Gauges", std::move(c)});
  return out;
}

}  // namespace tess::rtp
