#pragma once
// The database window's "Terrain" page: the terrain list and, for the selected terrain, its
// damage, encounter rate, vehicle access, how characters are drawn on it, its footstep sound, the
// battle background or frame layers, the special battle openings with their rates (kept within 100
// together; surround and pincers attacks only when the battle layout places characters
// automatically) and the battle grid with its preview.

#include "editor/database/FormEntryListPage.h"

namespace tess {

class TFieldBinder;
class TLcfGroundItem;
class TBattleGridPreview;

class TFormEDGround final : public TFormEntryListPage {
  Q_OBJECT
 public:
  TFormEDGround(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  void UpdateView() override;
  bool EditsFields() const override { return true; }

  TLcfGroundItem* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }
  TBattleGridPreview* GridPreview() const { return preview_; }

 private:
  TFieldBinder* binder_ = nullptr;
  TBattleGridPreview* preview_ = nullptr;
};

}  // namespace tess
