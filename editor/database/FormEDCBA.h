#pragma once
// The database window's "Animations 2" page: a battler animation set's name and display speed, its
// 32 poses ("Poses") and 32 weapons ("Weapons"), each in four tabs of eight slots with a name and
// "Set" (the pose or weapon pickers), and per pose the "Animation Type". A set holding fewer than
// 32 is shown with 32; the missing entries are appended when the author first edits a slot.
//
// Under the weapons a preview shows the weapon slot last worked on (its name edited or its sheet
// set) in its first three frames, held by the set's "Right Hand" pose (slot 2), its "Left Hand"
// pose (slot 3), both one above the other, or alone. The hand choice changes only the preview.

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/FieldRow.h"
#include "editor/database/FormEntryListPage.h"

class QButtonGroup;
class QLabel;

namespace tess {

class TBoardView;
class TCorvidSheet;
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

  // The preview's hands: 0 "Right Hand", 1 "Left Hand", 2 "Both Hands", 3 "Weapon Only".
  enum THand { kRightHand, kLeftHand, kBothHands, kWeaponOnly };
  void SetHand(int hand);
  int Hand() const { return hand_; }
  // The weapon slot the preview shows.
  void PreviewWeapon(int slot);
  int PreviewedWeapon() const { return weapon_; }
  TBoardView* WeaponPreview() const { return preview_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowSheets();
  void DrawWeaponPreview();
  // A sheet of a battler folder, read once per name (blank when it cannot be read).
  TCorvidSheet& BattlerSheet(const char* folder, const std::string& name);

  std::deque<std::string> keys_;
  std::vector<TFieldRow> rows_;
  TFieldBinder* binder_ = nullptr;
  std::vector<QLabel*> poseSheets_;
  std::vector<QLabel*> weaponSheets_;
  std::vector<QWidget*> weaponNames_;
  QButtonGroup* hands_ = nullptr;
  TBoardView* preview_ = nullptr;
  int hand_ = kRightHand;
  int weapon_ = 0;
  std::map<std::string, std::unique_ptr<TCorvidSheet>> sheets_;
};

}  // namespace tess
