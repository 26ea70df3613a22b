#pragma once
// The database window's "Item" page: name, description, type and price, and only the field groups
// of the item's type (equipment statistics, weapon and armor options, medicine, skill book, seed,
// skill scroll, switch), who may use it, the marked conditions and attributes, and for weapons the
// attack animation with its preview and "Weapon Animation Form".

#include <map>

#include "database/AnimationPageKit.h"
#include "editor/database/FormEntryListPage.h"

namespace tess {

class TFieldBinder;
class TLcfItemItem;
class TMarkList;
class TAnimationPreview;

class TFormEDItem final : public TFormEntryListPage {
  Q_OBJECT
 public:
  TFormEDItem(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  void UpdateView() override;
  bool EditsFields() const override { return true; }

  TLcfItemItem* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }
  TAnimationPreview* Preview() const { return preview_; }
  TMarkList* Users() const { return users_; }
  QWidget* Group(TItemGroup group) const { return groups_.at(group); }
  // "Weapon Animation Form", written back after OK.
  void RunWeaponAnimation();

 private:
  void ShowPreview();
  void FillUsers();

  TFieldBinder* binder_ = nullptr;
  TAnimationPreview* preview_ = nullptr;
  TMarkList* users_ = nullptr;
  TMarkList* conditions_ = nullptr;
  TMarkList* attributes_ = nullptr;
  std::map<TItemGroup, QWidget*> groups_;
  bool usersByClass_ = false;
};

}  // namespace tess
