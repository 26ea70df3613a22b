#pragma once
// "Test Battle": a test party of up to four heroes with level and equipment, the formation or
// terrain and a special opening; "Start Test" (F9) runs the runtime against the troop and puts the
// project's database file back afterwards.

#include <QDialog>
#include <array>
#include <memory>

#include "database/BattleTestSetup.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabBar;

namespace tess {

class TLcfDataBase;
class TSettings;

class TFormEDMonGroupBattleTest final : public QDialog {
  Q_OBJECT
 public:
  // The test reads the runtime and full-screen settings from settings (the user's when null).
  TFormEDMonGroupBattleTest(TLcfDataBase& database, int32_t troopId, QWidget* owner = nullptr,
                            const TSettings* settings = nullptr);

  TBattleTestSetup& Setup() { return setup_; }
  // What the controls do.
  void SetCount(int n);
  void SetHero(int member, int32_t heroId);
  void SetEquipment(int member, int slot, int32_t itemId);
  void StartTest();
  void Ok();
  QComboBox* HeroList() const { return hero_; }
  QComboBox* EquipmentList(int slot) const { return equipment_[static_cast<size_t>(slot)]; }
  QLabel* ParameterLine() const { return parameters_; }
  QTabBar* MemberTabs() const { return tabs_; }
  QPushButton* StartButton() const { return start_; }
  QButtonGroup* Conditions() const { return conditions_; }
  QButtonGroup* Formations() const { return formations_; }
  QComboBox* TerrainList() const { return terrain_; }

 private:
  void ShowAll();
  void ShowMember();
  int Member() const;
  TLcfDataBase& db_;
  const TSettings* settings_;
  TBattleTestSetup setup_;
  QButtonGroup* counts_ = nullptr;
  QButtonGroup* formations_ = nullptr;
  QButtonGroup* conditions_ = nullptr;
  QComboBox* terrain_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QStackedWidget* memberArea_ = nullptr;
  QComboBox* hero_ = nullptr;
  QSpinBox* level_ = nullptr;
  std::array<QComboBox*, 5> equipment_{};
  QLabel* secondCaption_ = nullptr;
  QLabel* parameters_ = nullptr;
  QPushButton* start_ = nullptr;
  bool showing_ = false;
};

}  // namespace tess
