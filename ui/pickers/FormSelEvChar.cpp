#include "ui/pickers/FormSelEvChar.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/MaterialFiles.h"
#include "maps/GR_CharSet.h"
#include "maps/GR_ChipSet.h"
#include "maps/TileId.h"
#include "ui/RadioGroup.h"
#include "ui/pickers/FormSelChar.h"

namespace tess {

namespace {

constexpr int kTilePages = 3;
constexpr int kTilesPerPage = 48;
constexpr TCellGrid kTileGrid{32, 32, 6, kTilesPerPage};

int PlaceOnPage(int tile) { return ((tile % kTilesPerPage) + kTilesPerPage) % kTilesPerPage; }

}  // namespace

TFormSelEvChar::TFormSelEvChar(QWidget* owner)
    : TFormSelMaterial(owner, TSetup("Select Event Graphic", "CharSet").Preview(192, 128)) {
  facingPanel_ = new QGroupBox(this);
  facingPanel_->setFlat(true);
  auto* row = new QHBoxLayout(facingPanel_);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(
      MakeRadioGroup(facingPanel_, "Direction", {"Up", "Right", "Down", "Left"}, facingButtons_, [this](int id) {
        facing = id;
        RedrawPreview();
      }));
  row->addWidget(MakeRadioGroup(facingPanel_, "Pattern", {"Left", "Middle", "Right"}, patternButtons_, [this](int id) {
    pattern = id;
    RedrawPreview();
  }));
  OptionsLayout()->addWidget(facingPanel_);
}

std::vector<std::string> TFormSelEvChar::FixedEntries() const { return {"*Tileset 1", "*Tileset 2", "*Tileset 3"}; }

void TFormSelEvChar::Preparing() {
  if (materialName.empty())
    tile_ = cellIndex, character_ = 0;
  else
    character_ = cellIndex, tile_ = 0;
  // The buttons show the values in range; values outside stay as they are until one is pressed.
  if (facing >= 0 && facing < kCharFacings) facingButtons_[facing]->setChecked(true);
  if (pattern >= 0 && pattern < kCharPatterns) patternButtons_[pattern]->setChecked(true);
}

int TFormSelEvChar::OpeningRow() const {
  if (!materialName.empty()) return Materials().Selected();
  return tile_ >= 0 && tile_ < kTilePages * kTilesPerPage ? tile_ / kTilesPerPage : 0;
}

void TFormSelEvChar::EntrySelected(int row, bool opening) {
  const bool tiles = row >= 0 && row < kTilePages;
  if (tiles) {
    page_ = row;
    if (!opening) tile_ = kTilesPerPage * row + PlaceOnPage(tile_);
  } else {
    page_ = -1;
  }
  SetPreviewSize(192, tiles ? 256 : 128);
  facingPanel_->setVisible(!tiles);
  if (!opening) ShowCell();
}

void TFormSelEvChar::ShowCell() { cellIndex = page_ >= 0 ? tile_ : character_; }

void TFormSelEvChar::DrawPreview(TCorvidBoard& board) {
  if (page_ < 0) {
    DrawCharacterSlots(board, PreviewSheet(), std::clamp(facing, 0, kCharFacings - 1),
                       std::clamp(pattern, 0, kCharPatterns - 1));
    return;
  }
  if (!tileset_) return;
  DrawTileGrid(board, *tileset_, kTilesPerPage, [&](int i) { return kUpperChipFirst + kTilesPerPage * page_ + i; });
}

TRect TFormSelEvChar::ChosenCell() const {
  if (page_ < 0)
    return character_ >= 0 && character_ < kCharactersPerSheet ? CharacterSlots().CellRect(character_) : TRect{};
  if (tile_ / kTilesPerPage != page_ || tile_ < 0) return {};
  return kTileGrid.CellRect(tile_ % kTilesPerPage);
}

bool TFormSelEvChar::CellPressed(TPoint p) {
  if (page_ >= 0) {
    const int cell = kTileGrid.CellAt(p);
    if (cell < 0) return false;
    tile_ = kTilesPerPage * page_ + cell;
  } else {
    const int cell = CharacterSlots().CellAt(p);
    if (cell < 0) return false;
    character_ = cell;
  }
  ShowCell();
  return true;
}

bool TFormSelEvChar::CellStepped(int columns, int rows) {
  if (page_ >= 0) {
    const int cell = kTileGrid.Step(tile_ / kTilesPerPage == page_ ? PlaceOnPage(tile_) : -1, columns, rows);
    if (cell < 0) return false;
    tile_ = kTilesPerPage * page_ + cell;
  } else {
    const int cell = CharacterSlots().Step(character_, columns, rows);
    if (cell < 0) return false;
    character_ = cell;
  }
  ShowCell();
  return true;
}

void TFormSelEvChar::SetModeValues(const std::vector<int32_t>& values) {
  if (values.size() != 2) return;
  facing = values[0];
  pattern = values[1];
}

}  // namespace tess
