#include "ui/pickers/PickerDrawing.h"

#include "maps/GR_ChipSet.h"

namespace tess {

int TCellGrid::CellAt(TPoint p) const {
  if (cellWidth <= 0 || cellHeight <= 0 || columns <= 0 || p.x < 0 || p.y < 0) return -1;
  const int column = p.x / cellWidth;
  if (column >= columns) return -1;
  const int cell = column + columns * (p.y / cellHeight);
  return cell < count ? cell : -1;
}

TRect TCellGrid::CellRect(int cell) const {
  if (columns <= 0 || cell < 0) return {};
  return Bounds((cell % columns) * cellWidth, (cell / columns) * cellHeight, cellWidth, cellHeight);
}

int TCellGrid::Step(int cell, int dx, int dy) const {
  if (count <= 0 || columns <= 0) return -1;
  if (cell < 0 || cell >= count) return 0;
  const int column = cell % columns + dx;
  const int next = cell + dx + dy * columns;
  return column < 0 || column >= columns || next < 0 || next >= count ? -1 : next;
}

void DrawSelectionFrame(TCorvidBoard& board, const TRect& rect) {
  constexpr uint16_t kBlack = Rgb565(0, 0, 0), kWhite = Rgb565(255, 255, 255);
  const uint16_t colours[4] = {kBlack, kWhite, kWhite, kBlack};
  for (int i = 0; i < 4; ++i) {
    const TRect r{rect.left + i, rect.top + i, rect.right - i, rect.bottom - i};
    if (r.IsEmpty()) return;
    board.FillRect({r.left, r.top, r.right, r.top + 1}, colours[i]);
    board.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, colours[i]);
    board.FillRect({r.left, r.top, r.left + 1, r.bottom}, colours[i]);
    board.FillRect({r.right - 1, r.top, r.right, r.bottom}, colours[i]);
  }
}

TRect FitRect(int width, int height, int areaWidth, int areaHeight) {
  if (width <= 0 || height <= 0 || areaWidth <= 0 || areaHeight <= 0) return {};
  int64_t w = width, h = height;
  if (w > areaWidth || h > areaHeight) {
    // The direction that needs the larger reduction limits the other.
    if (int64_t{width} * areaHeight >= int64_t{height} * areaWidth) {
      w = areaWidth;
      h = std::max<int64_t>(1, int64_t{height} * areaWidth / width);
    } else {
      h = areaHeight;
      w = std::max<int64_t>(1, int64_t{width} * areaHeight / height);
    }
  }
  const int left = static_cast<int>((areaWidth - w) / 2), top = static_cast<int>((areaHeight - h) / 2);
  return Bounds(left, top, static_cast<int>(w), static_cast<int>(h));
}

uint16_t SheetBackground(const TCorvidSheet& sheet) {
  const TPaletteEntry& c = sheet.palette[0];
  return Rgb565(c.red, c.green, c.blue);
}

void DrawTileGrid(TCorvidBoard& board, TLcfChipSetGraphic& graphic, int count, const std::function<int(int)>& idOf,
                  TTileGridBack back) {
  if (!graphic.HasTileset()) return;
  TCorvidSheet& sheet = graphic.sheet;
  const bool transparent = sheet.transparent;
  const int32_t opacity = sheet.opacity;
  sheet.transparent = back == TTileGridBack::Checker;
  sheet.opacity = 255;
  constexpr uint16_t kLight = Rgb565(200, 200, 200), kDark = Rgb565(150, 150, 150);
  for (int i = 0; i < count; ++i) {
    const int x = 32 * (i % 6), y = 32 * (i / 6);
    if (back == TTileGridBack::Checker)
      for (int q = 0; q < 16; ++q)
        board.FillRect(Bounds(x + 8 * (q % 4), y + 8 * (q / 4), 8, 8), (q % 4 + q / 4) % 2 ? kDark : kLight);
    graphic.DrawChip(board, x, y, 32, false, idOf(i), 0);
  }
  sheet.transparent = transparent;
  sheet.opacity = opacity;
}

}  // namespace tess
