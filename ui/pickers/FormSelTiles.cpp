#include "ui/pickers/FormSelTiles.h"

#include "maps/DungeonPalette.h"
#include "maps/GR_ChipSet.h"
#include "maps/TileId.h"

namespace tess {

namespace {

constexpr int kColumns = kDungeonPaletteColumns;
constexpr int kCell = 32;
constexpr int kLowerRows = kDungeonLowerRows;
constexpr int kUpperRows = kDungeonUpperRows;
constexpr int kVisibleHeight = 12 * kCell;

}  // namespace

TFormSelReplChip::TFormSelReplChip(QWidget* owner, bool upper)
    : TFormSelMaterial(owner, TSetup("Replace Chip")
                                  .Preview(kColumns * kCell, kUpperRows * kCell, kVisibleHeight)
                                  .Cells({kCell, kCell, kColumns, kUpperChipCount})),
      upper_(upper) {}

void TFormSelReplChip::DrawPreview(TCorvidBoard& board) {
  if (!tileset_) return;
  const int first = upper_ ? kUpperChipFirst : kLowerChipFirst;
  DrawTileGrid(board, *tileset_, kUpperChipCount, [&](int i) { return first + i; });
}

TFormSelMap::TFormSelMap(QWidget* owner, int slot, const char* caption)
    : TFormSelMaterial(owner, TSetup(caption).Preview(kColumns * kCell, (slot >= 6 ? kUpperRows : kLowerRows) * kCell,
                                                      kVisibleHeight)),
      tileset_(std::make_unique<TLcfChipSetGraphic>()),
      upper_(slot >= 6) {}

TFormSelMap::~TFormSelMap() = default;

void TFormSelMap::SetTileset(const TLcfChipSetItem* tileset) { tileset_->SetTileset(tileset); }

void TFormSelMap::Preparing() { cellIndex = kColumns * row + column; }

void TFormSelMap::DrawPreview(TCorvidBoard& board) {
  const int rows = upper_ ? kUpperRows : kLowerRows;
  DrawTileGrid(board, *tileset_, rows * kColumns, [&](int a) { return DungeonPaletteId(a, upper_); });
  // A black line along the right and the bottom edge of every cell.
  for (int c = 1; c <= kColumns; ++c) board.FillRect(Bounds(c * kCell - 1, 0, 1, rows * kCell), 0);
  for (int r = 1; r <= rows; ++r) board.FillRect(Bounds(0, r * kCell - 1, kColumns * kCell, 1), 0);
}

TRect TFormSelMap::ChosenCell() const {
  const int side = upper_ ? 2 * kCell : kCell;
  return Bounds(column * kCell, row * kCell, side, side);
}

bool TFormSelMap::Take(int cell) {
  if (cell < 0) return false;
  column = cell % kColumns;
  row = cell / kColumns;
  cellIndex = cell;
  return true;
}

bool TFormSelMap::CellPressed(TPoint p) {
  // An obstacle is a 2 x 2 block: its top-left cell has a column and a row of the palette after it.
  if (upper_ && (p.x >= (kColumns - 1) * kCell || p.y >= (kUpperRows - 1) * kCell)) return false;
  const TCellGrid grid{kCell, kCell, kColumns, (upper_ ? kUpperRows : kLowerRows) * kColumns};
  return Take(grid.CellAt(p));
}

bool TFormSelMap::CellStepped(int columns, int rows) {
  const TCellGrid grid{kCell, kCell, kColumns, (upper_ ? kUpperRows : kLowerRows) * kColumns};
  const int next = grid.Step(kColumns * row + column, columns, rows);
  if (next < 0 || (upper_ && (next % kColumns == kColumns - 1 || next / kColumns == kUpperRows - 1))) return false;
  return Take(next);
}

void TFormSelMap::SetModeValues(const std::vector<int32_t>& values) {
  if (values.size() != 2) return;
  column = values[0];
  row = values[1];
}

}  // namespace tess
