#pragma once
// The database window's "Skill" page: name, description, type, MP cost, target, the effect groups
// relabelled by target, conditions and attributes, the switch and sound of the special types, the
// battle animation with its preview, and "Skill Animation" (the battler settings of every hero).

#include "editor/database/FormEntryListPage.h"

class QGroupBox;
class QPushButton;

namespace tess {

class TFieldBinder;
class TLcfSkillItem;
class TMarkList;
class TAnimationPreview;

class TFormEDSkill final : public TFormEntryListPage {
  Q_OBJECT
 public:
  TFormEDSkill(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  void UpdateView() override;
  bool EditsFields() const override { return true; }

  TLcfSkillItem* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }
  TAnimationPreview* Preview() const { return preview_; }
  TMarkList* Conditions() const { return conditions_; }
  TMarkList* Attributes() const { return attributes_; }
  QGroupBox* EffectGroup() const { return effect_; }
  // "Skill Animation": the battler settings of every hero, written back after OK.
  void RunSkillAnimation();

 private:
  void ShowPreview();

  TFieldBinder* binder_ = nullptr;
  TAnimationPreview* preview_ = nullptr;
  TMarkList* conditions_ = nullptr;
  TMarkList* attributes_ = nullptr;
  QGroupBox* effect_ = nullptr;
  QGroupBox* attributeBox_ = nullptr;
  QWidget* resistance_ = nullptr;
  QWidget* conditionMode_ = nullptr;
};

}  // namespace tess
