#pragma once
// The two tile pickers, in the pickers' window without a list:
// - "Replace Chip": one of the 144 lower or upper chips of the current map's tileset, six across;
//   dragging with the right button pans the grid.
// - "Select Map": the palette of one tile slot of the random dungeon generator: the 162 entries
//   of the lower palette for slots 0..5, the 144 upper chips for slots 6..8, drawn through a
//   tileset graphic of its own. Upper slots take a block of 2 x 2 chips, so neither the last column
//   nor the last row can be chosen there.

#include <memory>

#include "ui/pickers/FormSelMaterial.h"

namespace tess {

class TLcfChipSetGraphic;
class TLcfChipSetItem;

class TFormSelReplChip : public TFormSelMaterial {
  Q_OBJECT
 public:
  // upper: the upper chips (ids 10000 + index), else the lower chips (5000 + index).
  explicit TFormSelReplChip(QWidget* owner = nullptr, bool upper = false);

  // The graphic the chips are drawn with (the current map's); its drawing state is left as it was.
  void SetTileset(TLcfChipSetGraphic* graphic) { tileset_ = graphic; }
  bool Upper() const { return upper_; }

 protected:
  void DrawPreview(TCorvidBoard& board) override;

 private:
  TLcfChipSetGraphic* tileset_ = nullptr;
  bool upper_;
};

class TFormSelMap : public TFormSelMaterial {
  Q_OBJECT
 public:
  // slot: the generator's tile slot 0..8.
  // caption: what the slot's tile is ("Select Ceiling Tile"); the picker alone is "Select Map".
  explicit TFormSelMap(QWidget* owner = nullptr, int slot = 0, const char* caption = "Select Map");
  ~TFormSelMap() override;

  // The chosen cell of the palette; cellIndex is column + 6 row.
  int32_t column = 0, row = 0;
  // The tileset whose picture the palette shows; none leaves it blank.
  void SetTileset(const TLcfChipSetItem* tileset);
  bool Upper() const { return upper_; }

 protected:
  void Preparing() override;
  void DrawPreview(TCorvidBoard& board) override;
  TRect ChosenCell() const override;
  bool CellPressed(TPoint p) override;
  bool CellStepped(int columns, int rows) override;
  std::vector<int32_t> ModeValues() const override { return {column, row}; }
  void SetModeValues(const std::vector<int32_t>& values) override;

 private:
  bool Take(int cell);

  std::unique_ptr<TLcfChipSetGraphic> tileset_;
  bool upper_;
};

}  // namespace tess
