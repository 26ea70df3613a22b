#pragma once
// "Select Event Graphic": what an event page shows. Either a character of a CharSet sheet, with
// its facing and pattern, or an upper-layer tile of the event's tileset, chosen on one of the
// three pages "*Tileset 1" to "*Tileset 3" listed before the sheets (48 tiles each).
//
// The caller passes one index in cellIndex: the character (0..7) when materialName names a sheet,
// else the upper tile (0..143); it reads it back the same way after OK. A tile entry leaves
// materialName empty. Changing the tileset page keeps the tile's place on the page.

#include "ui/pickers/FormSelMaterial.h"

class QGroupBox;
class QRadioButton;

namespace tess {

class TLcfChipSetGraphic;

class TFormSelEvChar : public TFormSelMaterial {
  Q_OBJECT
 public:
  explicit TFormSelEvChar(QWidget* owner = nullptr);

  int32_t facing = 2;   // 0 up, 1 right, 2 down, 3 left
  int32_t pattern = 1;  // 0 left, 1 middle, 2 right
  // The tileset graphic the tiles are drawn with (the event's map's); none leaves the pages blank.
  // Its drawing state is left as it was.
  void SetTileset(TLcfChipSetGraphic* graphic) { tileset_ = graphic; }

  bool ShowsTiles() const { return page_ >= 0; }
  QGroupBox* FacingPanel() const { return facingPanel_; }
  QRadioButton* FacingButton(int facing) const { return facingButtons_[facing]; }
  QRadioButton* PatternButton(int pattern) const { return patternButtons_[pattern]; }

 protected:
  std::vector<std::string> FixedEntries() const override;
  void Preparing() override;
  int OpeningRow() const override;
  void EntrySelected(int row, bool opening) override;
  void DrawPreview(TCorvidBoard& board) override;
  TRect ChosenCell() const override;
  bool CellPressed(TPoint p) override;
  bool CellStepped(int columns, int rows) override;
  std::vector<int32_t> ModeValues() const override { return {facing, pattern}; }
  void SetModeValues(const std::vector<int32_t>& values) override;

 private:
  void ShowCell();

  TLcfChipSetGraphic* tileset_ = nullptr;
  int page_ = -1;      // the tileset page shown, -1 for a sheet
  int character_ = 0;  // 0..7
  int tile_ = 0;       // 0..143
  QGroupBox* facingPanel_ = nullptr;
  QRadioButton* facingButtons_[4] = {};
  QRadioButton* patternButtons_[3] = {};
};

}  // namespace tess
