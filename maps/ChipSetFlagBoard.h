#pragma once
// The tileset page's picture without its widget: the entries of one layer six to a row in 32-pixel
// cells, each the tile drawn through the tileset graphic with the mark of the current tool over
// it (the passability state, the open directions, the counter flag or the terrain number). When
// the picture is missing the cells are a neutral grid, so the marks can still be read and edited.
// A cell can be drawn again on its own, which is what a drag does after each entry it changes.

#include <cstdint>

#include "database/ChipSetRules.h"
#include "media/CorvidSheet.h"

namespace tess {

class TLcfChipSetGraphic;

class TChipSetFlagBoard {
 public:
  static constexpr int kCell = 32;
  static constexpr int kColumns = 6;

  // Sizes the board to the tool's layer.
  void SetTool(TChipSetTool tool);
  TChipSetTool Tool() const { return tool_; }
  int Rows() const;
  // The entry at a board pixel, or -1 outside the entries.
  int EntryAt(int x, int y) const;
  // The top-left of an entry's cell.
  int CellX(int index) const { return index % kColumns * kCell; }
  int CellY(int index) const { return index / kColumns * kCell; }

  // Draws every cell; graphic may be null or without a picture (the neutral grid).
  void Draw(const TLcfChipSetItem& tileset, TLcfChipSetGraphic* graphic);
  void DrawCell(const TLcfChipSetItem& tileset, TLcfChipSetGraphic* graphic, int index);

  TCorvidBoard& Board() { return board_; }
  const TCorvidBoard& Board() const { return board_; }

 private:
  TCorvidBoard board_;
  TChipSetTool tool_ = TChipSetTool::Terrain;
};

}  // namespace tess
