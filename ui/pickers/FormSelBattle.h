#pragma once
// "Select Battle Animation": a sheet of the Battle folder (tab "Battle Animations", its top-left
// 480 x 480 halved) or of the Battle2 folder (tab "Large Animations", its top-left 640 x 640
// halved). folderIndex tells which folder the name belongs to; switching tabs lists that tab's
// folder, and each tab keeps the name chosen on it while the window is open.

#include "ui/pickers/FormSelPlainPicture.h"

class QTabBar;

namespace tess {

class TFormSelBattle : public TFormSelPlainPicture {
  Q_OBJECT
 public:
  explicit TFormSelBattle(QWidget* owner = nullptr);

  int32_t folderIndex = 0;  // 0 Battle, 1 Battle2

  QTabBar* Tabs() const { return tabs_; }
  // What a click on a tab does.
  void ShowTab(int index);

 protected:
  void Preparing() override;
  std::vector<int32_t> ModeValues() const override { return {folderIndex}; }
  void SetModeValues(const std::vector<int32_t>& values) override;

 private:
  void TakeTab(int index);

  QTabBar* tabs_ = nullptr;
  std::string tabNames_[2];
  bool switching_ = false;
};

}  // namespace tess
