#pragma once
// The tile palette beside the map editor, without the widget: which tile id each palette cell
// stands for in each edit mode, the selection of a block of cells with the drag rules, and the
// block turned into the current chip of the mode.
//
// Cells are 32 x 32 pixels, six columns wide. The lower palette has 27 rows (162 entries: the
// three water kinds and the three animated tiles in row 0, the twelve autotile blocks in rows 1
// and 2, the 144 lower chips below), the upper and event palettes 24 rows (the 144 upper chips),
// the no-mode palette none.

#include <array>
#include <optional>

#include "maps/CellRect.h"
#include "maps/CurrentChip.h"
#include "maps/EditModes.h"

namespace tess {

constexpr int kPaletteColumns = 6;
constexpr int kPaletteCellPixels = 32;
constexpr int kPaletteWidth = kPaletteColumns * kPaletteCellPixels;

int PaletteRows(TEditMode mode);
// The tile id of palette cell (column, row) of a mode, or -1 outside the palette. Water and
// autotiles come in their preview forms (shape 49).
int PaletteId(TEditMode mode, int column, int row);
// The palette cell that shows a tile id, or (-1, -1) when none does: water of any shape and
// corner, animated tiles of any shape, autotiles only in their preview form, chips exactly.
TCellPoint PaletteCellOf(TEditMode mode, int id);

// The palette's selection, one per mode, and the drag that makes it.
class TChipPalette {
 public:
  TEditMode Mode() const { return mode_; }
  // False when the mode is the one shown already. A drag in progress is cancelled.
  bool SetMode(TEditMode mode);

  // The mode's selection in cells: (0, 0) 1 x 1 at first; empty when a block picked from the map
  // has no cell of its own.
  TCellRect Selection() const { return selections_[Slot()]; }
  void SetSelection(const TCellRect& rect);
  // The mode's scroll position in pixels.
  int ScrollY() const { return scrolls_[Slot()]; }
  void SetScrollY(int y) { scrolls_[Slot()] = y; }

  // A press at a cell (any cell; it is clamped into the palette) starts a selection of that single
  // cell; false without a palette (the no-mode state) or while a selection is being made.
  bool Press(TCellPoint cell);
  // The 150 ms trigger fired: from now on moves grow the block.
  void TriggerFired() { armed_ = true; }
  // Until the trigger fired, and in the event palette always, nothing changes; afterwards the
  // block spans the anchor and the cell, clamped into the palette and to six rows. True when the
  // selection changed.
  bool Move(TCellPoint cell);
  // Ends the selection; true when one was being made (the owner then takes the new block).
  bool Release();
  // Another button while selecting: the selection from before the press comes back.
  void Cancel();
  bool Selecting() const { return selecting_; }

  // The block of the mode's selection as a current chip, or nothing when the selection is empty.
  std::optional<TLcfCurrentChip> CurrentChip() const;

 private:
  size_t Slot() const { return static_cast<size_t>(mode_); }
  TCellPoint Clamped(TCellPoint cell) const;

  TEditMode mode_ = TEditMode::None;
  std::array<TCellRect, 4> selections_{TCellRect{0, 0, 1, 1}, TCellRect{0, 0, 1, 1}, TCellRect{0, 0, 1, 1},
                                       TCellRect{0, 0, 1, 1}};
  std::array<int, 4> scrolls_{};
  bool selecting_ = false;
  bool armed_ = false;
  TCellPoint anchor_;
  TCellRect before_;
};

}  // namespace tess
