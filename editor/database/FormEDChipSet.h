#pragma once
// The database window's "Tileset" page: the tileset list and, for the selected tileset, its name,
// its picture ("Select Tileset"), the water animation's order and speed, and the tile grid edited
// with six tools: "Terrain", "Passability" and "Directional Pass" on the lower layer, "Passability",
// "Directional Pass" and "Counter Flag" on the upper layer. "Set Uniform Terrain" gives every lower
// entry one terrain. A tileset whose picture is missing shows its marks on a neutral grid and
// names the missing file, so its flags can be edited before the picture exists.

#include <memory>

#include "database/ChipSetRules.h"
#include "editor/database/FormEntryListPage.h"

class QButtonGroup;
class QLabel;
class QListWidget;

namespace tess {

class TFieldBinder;
class TLcfChipSetItem;
class TLcfChipSetGraphic;
class TChipSetFlagView;

class TFormEDChipSet final : public TFormEntryListPage {
  Q_OBJECT
 public:
  TFormEDChipSet(const TDataBasePageContext& context, QWidget* parent = nullptr);
  ~TFormEDChipSet() override;

  void LoadEntry() override;
  void UpdateView() override;
  bool EditsFields() const override { return true; }

  TLcfChipSetItem* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }
  TChipSetFlagView* Flags() const { return flags_; }
  QLabel* PictureNote() const { return pictureNote_; }
  QListWidget* TerrainList() const { return terrainList_; }
  void SelectTool(TChipSetTool tool);
  // "Set Uniform Terrain" with the terrain already chosen (the dialog's OK).
  void ApplyUniformTerrain(int terrain);
  void RunUniformTerrain();

 private:
  void ShowPicture();

  TFieldBinder* binder_ = nullptr;
  std::unique_ptr<TLcfChipSetGraphic> graphic_;
  TChipSetFlagView* flags_ = nullptr;
  QButtonGroup* tools_ = nullptr;
  QLabel* pictureNote_ = nullptr;
  QListWidget* terrainList_ = nullptr;
};

}  // namespace tess
