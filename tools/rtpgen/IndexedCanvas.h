#pragma once
// An 8-bit palette picture to draw the runtime package's art on: a 256-entry red-green-blue palette
// and one byte per pixel, rows from the top. Index 0 is the transparent colour wherever a picture
// is drawn over another, so sprites and upper tiles keep their background at 0.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tess::rtp {

struct TRgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const TRgb&) const = default;
};

struct TRect {
  int x = 0, y = 0, w = 0, h = 0;
};

class TIndexedCanvas {
 public:
  TIndexedCanvas() = default;
  TIndexedCanvas(int width, int height, uint8_t fill = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<uint8_t>& Pixels() const { return pixels_; }
  std::array<TRgb, 256>& Palette() { return palette_; }
  const std::array<TRgb, 256>& Palette() const { return palette_; }

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Reading outside the picture gives 0; writing outside is ignored.
  uint8_t At(int x, int y) const { return Inside(x, y) ? pixels_[size_t(y) * width_ + x] : 0; }
  void Set(int x, int y, uint8_t c) {
    if (Inside(x, y)) pixels_[size_t(y) * width_ + x] = c;
  }
  // Sets only where the pixel is still 0 (draws behind what is there).
  void SetBehind(int x, int y, uint8_t c) {
    if (Inside(x, y) && pixels_[size_t(y) * width_ + x] == 0) pixels_[size_t(y) * width_ + x] = c;
  }

  void Fill(uint8_t c);
  void FillRect(int x, int y, int w, int h, uint8_t c);
  void FrameRect(int x, int y, int w, int h, uint8_t c);
  void HLine(int x0, int x1, int y, uint8_t c);
  void VLine(int x, int y0, int y1, uint8_t c);
  // Bresenham line including both end points.
  void Line(int x0, int y0, int x1, int y1, uint8_t c);
  // Ellipse through the pixel centres inside the box (x, y, w, h).
  void FillEllipse(int x, int y, int w, int h, uint8_t c);
  void FrameEllipse(int x, int y, int w, int h, uint8_t c);
  void FillCircle(int cx, int cy, int r, uint8_t c) { FillEllipse(cx - r, cy - r, 2 * r + 1, 2 * r + 1, c); }
  // A convex or concave polygon filled by the even-odd rule at pixel centres.
  void FillPolygon(const std::vector<std::pair<int, int>>& points, uint8_t c);

  // Copies a rectangle of src to (dx, dy); with skipZero, source pixels of index 0 are not copied.
  void Blit(const TIndexedCanvas& src, TRect from, int dx, int dy, bool skipZero = false);
  void Blit(const TIndexedCanvas& src, int dx, int dy, bool skipZero = false) {
    Blit(src, {0, 0, src.width_, src.height_}, dx, dy, skipZero);
  }
  // Left-right mirror of a rectangle in place.
  void MirrorRect(TRect r);
  // Replaces one index by another inside a rectangle.
  void Replace(TRect r, uint8_t from, uint8_t to);
  // Paints index c on every 0 pixel of the rectangle that touches a non-zero pixel (four
  // neighbours), giving sprites a readable dark rim.
  void Outline(TRect r, uint8_t c);
  TIndexedCanvas Crop(TRect r) const;

  bool SameRect(TRect a, TRect b) const;
  bool IsBlank(TRect r) const;
  bool IsSolid(TRect r) const;

  // Text in the built-in 5 x 7 capital font, each dot scale x scale pixels, 1 dot between letters.
  void Text(int x, int y, const std::string& text, uint8_t c, int scale = 1);
  static int TextWidth(const std::string& text, int scale = 1);

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint8_t> pixels_;
  std::array<TRgb, 256> palette_{};
};

}  // namespace tess::rtp
