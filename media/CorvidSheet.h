#pragma once
// Indexed-colour sheets and the 16-bit boards they are drawn onto.
//
// A sheet is an 8-bit palette picture. Colour effects (channel percentages, saturation, a blend
// colour, brightness, hue rotation) never touch its pixels: they are folded into a derived 256-entry
// RGB565 palette, palette16, which the drawing loops read. A board is plain RGB565 memory, one
// uint16_t per pixel, rows top-down at a fixed stride that keeps every row 4-byte aligned, so a view
// can wrap it without copying (for example as a 16-bit RGB image of the GUI toolkit).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "media/Bitmap.h"
#include "media/Geometry.h"

namespace tess {

// sin(i * pi / 128) and cos(i * pi / 128): angles indexed by a byte.
extern const std::array<double, 256> SinTable;
extern const std::array<double, 256> CosTable;

class TCorvidSheet;

// One set of colour adjustments of a sheet. Each sheet owns two, whose effects add up.
class TCorvidColorControl {
 public:
  explicit TCorvidColorControl(TCorvidSheet& sheet) : sheet_(sheet) {}
  TCorvidColorControl(const TCorvidColorControl&) = delete;
  TCorvidColorControl& operator=(const TCorvidColorControl&) = delete;

  // Each setter does nothing when the values equal the stored ones; otherwise it stores them and,
  // when update is set, recomputes the sheet's palette16.
  void ResetColor(bool update);
  void SetColor(int red, int green, int blue, int saturation, bool update);
  void SetBlend(int red, int green, int blue, int strength, bool update);
  void SetColorAndBlend(int red, int green, int blue, int saturation, int blendR, int blendG, int blendB, int strength,
                        bool update);

  int32_t redPercent = 100, greenPercent = 100, bluePercent = 100, saturationPercent = 100;
  // The blend colour in 5-bit channels (0..31), and how much of it replaces the pixel (0..32).
  int32_t blendRed = 0, blendGreen = 0, blendBlue = 0, blendStrength = 0;

 private:
  TCorvidSheet& sheet_;
};

// A palette entry as red, green, blue and a flags byte.
struct TPaletteEntry {
  uint8_t red = 0, green = 0, blue = 0, flags = 0;
  friend bool operator==(const TPaletteEntry&, const TPaletteEntry&) = default;
};

class TCorvidSheet {
 public:
  TCorvidSheet() = default;
  TCorvidSheet(const TCorvidSheet&) = delete;
  TCorvidSheet& operator=(const TCorvidSheet&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Row y starts at y * width; there is no gap between rows. No range check.
  uint8_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint8_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  uint8_t* Pixels() { return pixels_.data(); }
  const uint8_t* Pixels() const { return pixels_.data(); }
  TRect BoundsRect() const { return {0, 0, width_, height_}; }

  // Allocates zero-filled pixels of the new size; nothing happens when the size is unchanged.
  void SetSize(int width, int height);
  // Zero-fills the pixels, the palette and palette16.
  void ClearAll();
  void FreePixels();

  // Copies an 8-bit bitmap from origin on into the sheet (resized first when autoSize is set), and
  // takes all 256 palette entries. Other depths raise EInvalidGraphic "Invalid image format.".
  void LoadFromBitmap(const TBitmap& bitmap, TPoint origin = {});
  // Clears the sheet, then loads the picture file (any format LoadPictureFile reads). Errors are
  // passed on only when raiseErrors is set; otherwise the sheet keeps what it had reached, normally
  // a blank, black picture. An empty name only clears.
  void LoadFromFile(const std::string& fileName, TPoint origin, bool raiseErrors);
  void LoadFromFile(const std::string& fileName, bool raiseErrors) { LoadFromFile(fileName, {}, raiseErrors); }

  // Recomputes palette16 from palette through saturation, channel percentages, both blends and
  // brightness.
  void UpdatePalette16();
  // Rotates the hue of entries 1..255 (entry 0 is never touched), then recomputes palette16.
  void RotateHue(int degrees);
  // Mirrors every row left to right in place.
  void MirrorRows();

  // Same size and the same bytes row by row; rectangles not wholly inside the sheet never match.
  bool SameBlock(const TRect& a, const TRect& b) const;
  // Every pixel of the rectangle (clipped to the sheet) is index 0 / none is.
  bool IsBlank(const TRect& rect) const;
  bool IsSolid(const TRect& rect) const;
  // Copies a rectangle of another sheet (or of this one) to (dx, dy) with clipping. Index 0 of a
  // transparent source is skipped. Palettes are not copied.
  void CopySheet(int dx, int dy, const TRect& source, const TCorvidSheet& sheet);

  std::array<TPaletteEntry, 256> palette{};
  std::array<uint16_t, 256> palette16{};
  bool transparent = false;  // index 0 is never drawn
  int32_t opacity = 255;     // 255 or more draws opaque; below blends with the destination
  bool autoSize = false;
  TCorvidColorControl adjust1{*this};
  TCorvidColorControl adjust2{*this};
  int32_t brightness = 100;  // percent

 private:
  Bytes pixels_;
  int width_ = 0, height_ = 0;
};

// RGB565 from 8-bit channels.
constexpr uint16_t Rgb565(int red, int green, int blue) {
  return static_cast<uint16_t>(((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3));
}

class TCorvidBoard {
 public:
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Bytes from one row to the next: a multiple of 4.
  int Stride() const { return stride_ * 2; }
  uint16_t* Bits() { return bits_.data(); }
  const uint16_t* Bits() const { return bits_.data(); }
  uint16_t* Row(int y) { return bits_.data() + static_cast<size_t>(y) * stride_; }
  const uint16_t* Row(int y) const { return bits_.data() + static_cast<size_t>(y) * stride_; }

  // Resizes and clears; at the current size it only clears.
  void SetSize(int width, int height);
  void Clear() { Fill(0); }
  void Fill(uint16_t colour);
  void FillRect(const TRect& rect, uint16_t colour);

  // 16-bit copy of a rectangle of a board (or of this one) to (dx, dy), with clipping.
  void CopyBoard(int dx, int dy, const TRect& source, const TCorvidBoard& board);
  // Draws a rectangle of a sheet with its top-left at (dx, dy). When the board's brightness differs
  // from the sheet's, the sheet takes it over and recomputes its palette16 first.
  void DrawSheet(int dx, int dy, const TRect& source, TCorvidSheet& sheet);
  // Draws a block of palette indices (width x height bytes, rows one after another) with its
  // top-left at (dx, dy), through the colours of a sheet: its palette16, transparency, opacity and
  // brightness, exactly as DrawSheet draws that sheet's own pixels. Callers that keep ready-made
  // blocks of a sheet's pixels (scaled tiles) draw them with it.
  void DrawIndices(int dx, int dy, const uint8_t* indices, int width, int height, TCorvidSheet& colours);
  // Nearest-neighbour scaled drawing of a rectangle of a sheet onto a rectangle of the board.
  void StretchSheet(const TRect& dest, TCorvidSheet& sheet, const TRect& source);
  // Draws the source rectangle centred on (cx, cy) at the zoom, with half width and height given at
  // zoom 1; positions are rounded to the nearest integer, halves to even.
  void DrawSheetZoomed(double cx, double cy, const TRect& source, TCorvidSheet& sheet, double halfWidth,
                       double halfHeight, double zoom);

  int32_t brightness = 100;  // percent, handed to every sheet drawn here

 private:
  void SyncBrightness(TCorvidSheet& sheet);
  // The source rectangle of a width x height block of indices, clipped and drawn through colours.
  void DrawBlock(int dx, int dy, const TRect& source, const uint8_t* pixels, int width, int height,
                 TCorvidSheet& colours);

  std::vector<uint16_t> bits_;
  int width_ = 0, height_ = 0;
  int stride_ = 0;  // in pixels
};

}  // namespace tess
