#include "media/gui/FormSelSystem.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tess {

namespace {

// A titled pair of radio buttons whose choice (0 or 1) goes into value.
QGroupBox* Pair(QWidget* owner, const char* title, const char* first, const char* second, QRadioButton** buttons,
                int32_t& value) {
  auto* box = new QGroupBox(QString::fromLatin1(title), owner);
  auto* layout = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  const char* captions[2] = {first, second};
  for (int i = 0; i < 2; ++i) {
    buttons[i] = new QRadioButton(QString::fromLatin1(captions[i]), box);
    group->addButton(buttons[i], i);
    layout->addWidget(buttons[i]);
  }
  QObject::connect(group, &QButtonGroup::idToggled, box, [&value](int id, bool on) {
    if (on) value = id;
  });
  return box;
}

}  // namespace

TFormSelSystem::TFormSelSystem(QWidget* owner, bool battleGraphic)
    : TFormSelPlainPicture(owner, battleGraphic ? "Select Battle Graphic " : "Select System Graphic",
                           battleGraphic ? "System2" : "System", battleGraphic ? 80 : 160, battleGraphic ? 112 : 128,
                           TPreviewRule::TopLeft) {
  groups_ = new QGroupBox(this);
  groups_->setFlat(true);
  auto* row = new QHBoxLayout(groups_);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(Pair(groups_, "Background", "Stretch to Fit", "Tiled Display", wallpaperButtons_, wallpaper));
  row->addWidget(Pair(groups_, "Font", "MS Gothic", "MS Mincho", fontButtons_, font));
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
