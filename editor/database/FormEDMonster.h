#pragma once
// The database window's "Monster" page: statistics, spoils, the battle graphic with its hue, the
// resistance ranks and the behaviour list, each action edited in "Monster Behavior".

#include "editor/database/FormEntryListPage.h"

class QLabel;
class QListWidget;

namespace tess {

class TFieldBinder;
class TLcfMonsterItem;
class TRankList;

class TFormEDMonster final : public TFormEntryListPage {
  Q_OBJECT
 public:
  TFormEDMonster(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  void UpdateView() override;
  bool EditsFields() const override { return true; }

  TLcfMonsterItem* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }
  QListWidget* Actions() const { return actions_; }
  QLabel* Graphic() const { return graphic_; }
  TRankList* ConditionRanks() const { return conditionRanks_; }

  // "Select Monster Graphic" on the shown monster.
  void RunGraphicPicker();
  // The behaviour list: row -1 adds an action; Delete takes one out.
  void RunAction(int row);
  void DeleteAction(int row);

 private:
  void ShowActions();
  TFieldBinder* binder_ = nullptr;
  QLabel* graphic_ = nullptr;
  QListWidget* actions_ = nullptr;
  TRankList* conditionRanks_ = nullptr;
  TRankList* attributeRanks_ = nullptr;
};

}  // namespace tess
