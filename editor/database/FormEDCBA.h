#pragma once
// The database window's "Animations 2" page: a battler animation set's name and display speed, its
// 32 poses ("Poses") and 32 weapons ("Weapons"), each in four tabs of eight slots with a name and
// "Set" (the pose or weapon pickers), and per pose the "Animation Type". A set holding fewer than
// 32 is shown with 32; the missing entries are appended when the author first edits a slot.

#include <deque>
#include <string>
#include <vector>

#include "core/FieldRow.h"
#include "editor/database/FormEntryListPage.h"

class QLabel;

namespace tess {

class TFieldBinder;
class TLcfAnimation2Item;

class TFormEDCBA final : public TFormEntryListPage {
  Q_OBJECT
 public:
  TFormEDCBA(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  void UpdateView() override;
  bool EditsFields() const override { return true; }

  TLcfAnimation2Item* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }
  // The picker results of a slot (pose or weapon) written as "Set" does after OK.
  void SetPoseSheet(int slot, const std::string& file, int index);
  void SetWeaponSheet(int slot, const std::string& file, int index);

 private:
  void ShowSheets();

  std::deque<std::string> keys_;
  std::vector<TFieldRow> rows_;
  TFieldBinder* binder_ = nullptr;
  std::vector<QLabel*> poseSheets_;
  std::vector<QLabel*> weaponSheets_;
};

}  // namespace tess
