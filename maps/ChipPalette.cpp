#include "maps/ChipPalette.h"

#include <algorithm>

#include "maps/TileId.h"

namespace tess {

namespace {

constexpr int kLowerRows = 27;
constexpr int kUpperRows = 24;

}  // namespace

int PaletteRows(TEditMode mode) {
  switch (mode) {
    case TEditMode::Lower:
      return kLowerRows;
    case TEditMode::Upper:
    case TEditMode::Event:
      return kUpperRows;
    default:
      return 0;
  }
}

int PaletteId(TEditMode mode, int column, int row) {
  if (column < 0 || column >= kPaletteColumns || row < 0 || row >= PaletteRows(mode)) return -1;
  const int a = column + row * kPaletteColumns;
  if (mode != TEditMode::Lower) return kUpperChipFirst + a;
  if (a < 2) return a * 1000 + kPreviewShape;
  if (a == 2) return 2000 + kPreviewShape;
  if (a < kAutotileIndexFirst) return (a - 3) * 50 + kAnimatedFirst;
  if (a <= kAutotileIndexLast) return (a - kAutotileIndexFirst) * 50 + kAutotileFirst + kPreviewShape;
  return a + (kLowerChipFirst - kLowerChipIndexFirst);
}

TCellPoint PaletteCellOf(TEditMode mode, int id) {
  constexpr TCellPoint none{-1, -1};
  auto cellOf = [](int a) { return TCellPoint{a % kPaletteColumns, a / kPaletteColumns}; };
  if (mode == TEditMode::Upper || mode == TEditMode::Event)
    return IsUpperChipId(id) ? cellOf(id - kUpperChipFirst) : none;
  if (mode != TEditMode::Lower) return none;
  if (IsWaterId(id)) return {id / 1000, 0};
  if (IsAnimatedId(id) && id < kAnimatedFirst + 3 * 50) return {(id - kAnimatedFirst) / 50 + 3, 0};
  if (IsAutotileId(id))
    return ShapeOf(id) == kPreviewShape ? cellOf((id - kAutotileFirst) / 50 + kAutotileIndexFirst) : none;
  if (IsLowerChipId(id)) return cellOf(id - (kLowerChipFirst - kLowerChipIndexFirst));
  return none;
}

bool TChipPalette::SetMode(TEditMode mode) {
  if (mode == mode_) return false;
  if (selecting_) Cancel();
  mode_ = mode;
  return true;
}

void TChipPalette::SetSelection(const TCellRect& rect) { selections_[Slot()] = rect.Empty() ? TCellRect{} : rect; }

TCellPoint TChipPalette::Clamped(TCellPoint cell) const {
  return {std::clamp(cell.x, 0, kPaletteColumns - 1), std::clamp(cell.y, 0, PaletteRows(mode_) - 1)};
}

bool TChipPalette::Press(TCellPoint cell) {
  if (selecting_ || PaletteRows(mode_) == 0) return false;
  before_ = Selection();
  // A press beside or below the palette (on its background) takes the nearest cell.
  anchor_ = Clamped(cell);
  selections_[Slot()] = {anchor_.x, anchor_.y, 1, 1};
  selecting_ = true;
  armed_ = false;
  return true;
}

bool TChipPalette::Move(TCellPoint cell) {
  if (!selecting_ || !armed_ || (mode_ != TEditMode::Lower && mode_ != TEditMode::Upper)) return false;
  TCellPoint c = Clamped(cell);
  const int reach = TLcfCurrentChip::kMaxSide - 1;
  c.y = std::clamp(c.y, anchor_.y - reach, anchor_.y + reach);
  const TCellRect rect = TCellRect::Spanning(anchor_, c);
  if (rect == Selection()) return false;
  selections_[Slot()] = rect;
  return true;
}

bool TChipPalette::Release() {
  if (!selecting_) return false;
  selecting_ = false;
  armed_ = false;
  return true;
}

void TChipPalette::Cancel() {
  if (!selecting_) return;
  selecting_ = false;
  armed_ = false;
  selections_[Slot()] = before_;
}

std::optional<TLcfCurrentChip> TChipPalette::CurrentChip() const {
  const TCellRect s = Selection();
  if (s.Empty() || PaletteId(mode_, s.x, s.y) < 0) return std::nullopt;
  TLcfCurrentChip chip;
  chip.SetSize(s.width, s.height);
  for (int i = 0; i < chip.width; ++i)
    for (int j = 0; j < chip.height; ++j) chip.SetCell(i, j, std::max(0, PaletteId(mode_, s.x + i, s.y + j)));
  return chip;
}

}  // namespace tess
