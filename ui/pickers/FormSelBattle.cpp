#include "ui/pickers/FormSelBattle.h"

#include <QBoxLayout>
#include <QTabBar>

namespace tess {

namespace {

constexpr const char* kFolders[2] = {"Battle", "Battle2"};
constexpr int kPreviewSides[2] = {240, 320};

}  // namespace

TFormSelBattle::TFormSelBattle(QWidget* owner)
    : TFormSelPlainPicture(owner, "Select Battle Animation", "Battle", 240, 240, TPreviewRule::Halved) {
  tabs_ = new QTabBar(this);
  tabs_->addTab("Battle Animations");
  tabs_->addTab("Large Animations");
  static_cast<QBoxLayout*>(layout())->insertWidget(0, tabs_);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (!switching_) ShowTab(index);
  });
}

void TFormSelBattle::TakeTab(int index) {
  folderIndex = index;
  switching_ = true;
  tabs_->setCurrentIndex(index);
  switching_ = false;
  SetPreviewSize(kPreviewSides[index], kPreviewSides[index]);
}

void TFormSelBattle::Preparing() {
  const int index = folderIndex == 1 ? 1 : 0;
  tabNames_[index] = materialName;
  tabNames_[1 - index].clear();
  TakeTab(index);
  SetFolder(kFolders[index], false);
}

void TFormSelBattle::ShowTab(int index) {
  if (index != 0 && index != 1) return;
  if (index == folderIndex) {
    TakeTab(index);
    return;
  }
  tabNames_[folderIndex == 1 ? 1 : 0] = materialName;
  TakeTab(index);
  materialName = tabNames_[index];
  SetFolder(kFolders[index], true);
}

void TFormSelBattle::SetModeValues(const std::vector<int32_t>& values) {
  if (values.size() == 1) folderIndex = values[0];
}

}  // namespace tess
