#include "ui/pickers/FormSelSystem.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>

#include "ui/RadioGroup.h"

namespace tess {

TFormSelSystem::TFormSelSystem(QWidget* owner, bool battleGraphic)
    : TFormSelPlainPicture(owner, battleGraphic ? "Select Battle Graphic " : "Select System Graphic",
                           battleGraphic ? "System2" : "System", battleGraphic ? 80 : 160, battleGraphic ? 112 : 128,
                           TPreviewRule::TopLeft) {
  groups_ = new QGroupBox(this);
  groups_->setFlat(true);
  auto* row = new QHBoxLayout(groups_);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(MakeRadioGroup(groups_, "Background", {"Stretch to Fit", "Tiled Display"}, wallpaperButtons_,
                                [this](int id) { wallpaper = id; }));
  row->addWidget(
      MakeRadioGroup(groups_, "Font", {"MS Gothic", "MS Mincho"}, fontButtons_, [this](int id) { font = id; }));
  OptionsLayout()->addWidget(groups_);
  groups_->setVisible(!battleGraphic);
}

void TFormSelSystem::Preparing() {
  // Values outside the pairs show no choice and stay as they are until one is pressed.
  if (wallpaper == 0 || wallpaper == 1) wallpaperButtons_[wallpaper]->setChecked(true);
  if (font == 0 || font == 1) fontButtons_[font]->setChecked(true);
}

void TFormSelSystem::SetModeValues(const std::vector<int32_t>& values) {
  if (values.size() != 2) return;
  wallpaper = values[0];
  font = values[1];
}

}  // namespace tess
