#include "tools/rtpgen/MarkedTileset.h"

#include <cmath>
#include <string>

#include "tools/rtpgen/TilesetArt.h"

namespace tess::rtp {

namespace {

// Palette layout.
constexpr uint8_t kColumnDot = 1;  // 1..24: one per quarter column of the left half
constexpr uint8_t kRowDot = 25;    // 25..56: one per quarter row
constexpr uint8_t kRegion = 64;    // 64..: fills of the regions below
constexpr uint8_t kEdge = 240, kInnerCorner = 241, kCornerPiece = 242, kDigit = 243, kFrameLine = 244;

enum TRegionFill : uint8_t {
  kWaterFrame0 = kRegion,  // + frame
  kKind1Frame0 = kRegion + 3,
  kDeepWater = kRegion + 6,
  kAnimatedFrame0 = kRegion + 7,  // + frame
  kBlock0 = kRegion + 11,         // + block
  kLowerChip = kRegion + 23,
  kUpperChip = kRegion + 24,
};

TRgb Hsv(double hue, double saturation, double value) {
  const double c = value * saturation, h = std::fmod(hue, 360.0) / 60.0;
  const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1)), m = value - c;
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(h)) {
    case 0:
      r = c, g = x;
      break;
    case 1:
      r = x, g = c;
      break;
    case 2:
      g = c, b = x;
      break;
    case 3:
      g = x, b = c;
      break;
    case 4:
      r = x, b = c;
      break;
    default:
      r = c, b = x;
      break;
  }
  auto byte = [m](double v) { return static_cast<uint8_t>(std::lround((v + m) * 255)); };
  return {byte(r), byte(g), byte(b)};
}

void MakePalette(TIndexedCanvas& c) {
  auto& p = c.Palette();
  for (int i = 0; i < 24; ++i) p[kColumnDot + i] = Hsv(i * 15.0, 1.0, 1.0);
  for (int i = 0; i < 32; ++i) p[kRowDot + i] = Hsv(i * 11.25 + 5, i % 2 ? 0.35 : 0.9, i % 2 ? 1.0 : 0.55);
  for (int f = 0; f < 3; ++f) {
    p[kWaterFrame0 + f] = Hsv(205 + 10 * f, 0.55, 0.85);
    p[kKind1Frame0 + f] = Hsv(170 + 10 * f, 0.5, 0.8);
  }
  p[kDeepWater] = Hsv(235, 0.7, 0.55);
  for (int f = 0; f < 4; ++f) p[kAnimatedFrame0 + f] = Hsv(30 + 8 * f, 0.6, 0.9);
  for (int b = 0; b < 12; ++b) p[kBlock0 + b] = Hsv(60 + 25 * b, 0.35, 0.8);
  p[kLowerChip] = {200, 190, 170};
  p[kUpperChip] = {170, 180, 200};
  p[kEdge] = {30, 30, 40};
  p[kInnerCorner] = {160, 20, 20};
  p[kCornerPiece] = {250, 250, 250};
  p[kDigit] = {20, 20, 20};
  p[kFrameLine] = {90, 90, 90};
}

// Which sides of an 8 x 8 quarter carry an edge line, and whether it shows an inner corner or a
// corner piece in one of its corners.
struct TQuarterLook {
  bool top = false, bottom = false, left = false, right = false;
  bool innerCorner = false, cornerPiece = false;
};

// The quarter at unit (ux, uy) of a 2-unit-wide water column: rows 0..1 closed on every side,
// 2..3 left and right edges, 4..5 top and bottom edges, 6..7 inner corners, 8..9 centre,
// 10..13 the pieces where two kinds meet, 14..15 deep water's centre.
TQuarterLook WaterLook(int ux, int uy) {
  const bool left = ux % 2 == 0, top = uy % 2 == 0;
  TQuarterLook q;
  if (uy < 2)
    q = {top, !top, left, !left};
  else if (uy < 4)
    q.left = left, q.right = !left;
  else if (uy < 6)
    q.top = top, q.bottom = !top;
  else if (uy < 8)
    q.innerCorner = true;
  else if (uy >= 10 && uy < 14)
    q.cornerPiece = true;
  return q;
}

// The quarter at unit (ux, uy) of an autotile block: the preview cell framed, the link cell plain,
// the inner corners, and the 3 x 3 cells of corners, edges and centre with lines on the outside.
TQuarterLook BlockLook(int ux, int uy) {
  TQuarterLook q;
  if (uy < 2) {
    if (ux < 2)
      q = {uy == 0, uy == 1, ux == 0, ux == 1};
    else if (ux >= 4)
      q.innerCorner = true;
    return q;
  }
  return {uy == 2, uy == 7, ux == 0, ux == 5};
}

void DrawQuarter(TIndexedCanvas& c, int ux, int uy, uint8_t fill, const TQuarterLook& look) {
  const int x = 8 * ux, y = 8 * uy;
  c.FillRect(x, y, 8, 8, fill);
  if (look.top) c.HLine(x, x + 7, y, kEdge);
  if (look.bottom) c.HLine(x, x + 7, y + 7, kEdge);
  if (look.left) c.VLine(x, y, y + 7, kEdge);
  if (look.right) c.VLine(x + 7, y, y + 7, kEdge);
  // The corner of the quarter that is a corner of its 16 x 16 cell.
  const int cx = ux % 2 == 0 ? x : x + 5, cy = uy % 2 == 0 ? y : y + 5;
  if (look.innerCorner) c.FillRect(cx, cy, 3, 3, kInnerCorner);
  if (look.cornerPiece) c.FillRect(cx, cy, 3, 3, kCornerPiece);
  // Two dots that no other quarter has together.
  c.FillRect(x + 2, y + 3, 2, 2, static_cast<uint8_t>(kColumnDot + ux % 24));
  c.FillRect(x + 4, y + 3, 2, 2, static_cast<uint8_t>(kRowDot + uy % 32));
}

void DrawChipCell(TIndexedCanvas& c, const TRect& r, uint8_t fill, int number) {
  c.FillRect(r.x, r.y, r.w, r.h, fill);
  c.FrameRect(r.x, r.y, r.w, r.h, kFrameLine);
  c.Text(r.x + 5, r.y + 4, std::to_string(number % 10), kDigit);
}

}  // namespace

TIndexedCanvas DrawMarkedTileset() {
  TIndexedCanvas c(kTilesetWidth, kTilesetHeight);
  MakePalette(c);
  for (int frame = 0; frame < 3; ++frame) {
    for (int uy = 0; uy < 16; ++uy)
      for (int ux = 2 * frame; ux < 2 * frame + 2; ++ux)
        DrawQuarter(c, ux, uy, static_cast<uint8_t>(uy >= 14 ? kDeepWater : kWaterFrame0 + frame), WaterLook(ux, uy));
    for (int uy = 0; uy < 8; ++uy)
      for (int ux = 6 + 2 * frame; ux < 8 + 2 * frame; ++ux)
        DrawQuarter(c, ux, uy, static_cast<uint8_t>(kKind1Frame0 + frame), WaterLook(ux, uy));
  }
  for (int tile = 0; tile < 3; ++tile)
    for (int frame = 0; frame < 4; ++frame) {
      const int ux = 6 + 2 * tile, uy = 8 + 2 * frame;
      for (int q = 0; q < 4; ++q)
        DrawQuarter(c, ux + q % 2, uy + q / 2, static_cast<uint8_t>(kAnimatedFrame0 + frame), {});
      c.Text(8 * ux + 5, 8 * uy + 4, std::to_string(frame + 1), kDigit);
    }
  for (int block = 0; block < 12; ++block) {
    const TRect r = AutotileBlockRect(block);
    for (int uy = 0; uy < 8; ++uy)
      for (int ux = 0; ux < 6; ++ux)
        DrawQuarter(c, r.x / 8 + ux, r.y / 8 + uy, static_cast<uint8_t>(kBlock0 + block), BlockLook(ux, uy));
  }
  for (int k = 0; k < kChipCount; ++k) {
    DrawChipCell(c, LowerChipRect(k), kLowerChip, k);
    DrawChipCell(c, UpperChipRect(k), kUpperChip, k);
  }
  return c;
}

}  // namespace tess::rtp
