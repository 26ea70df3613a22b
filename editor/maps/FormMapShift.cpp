#include "editor/maps/FormMapShift.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/DialogButtons.h"
#include "ui/RadioGroup.h"

namespace tess {

namespace {
int lastDirection = 3;
int lastUnits = 1;
}  // namespace

TFormMapShift::TFormMapShift(int mapWidth, int mapHeight, QWidget* parent)
    : QDialog(parent),
      mapWidth_(std::max(1, mapWidth)),
      mapHeight_(std::max(1, mapHeight)),
      units_(new QSpinBox(this)) {
  setObjectName("FormMapShift");
  setWindowTitle("Shift Map");
  QGroupBox* group = MakeRadioGroup(this, "Direction", {"Up", "Left", "Right", "Down"}, directions_,
                                    [this](int) { DirectionChanged(); });
  auto* form = new QFormLayout;
  form->addRow("Number of Units", units_);
  auto* buttons = MakeDialogButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(form);
  layout->addWidget(buttons);
  SetDirection(lastDirection);
  units_->setValue(lastUnits);
}

void TFormMapShift::SetDirection(int direction) {
  directions_[std::clamp(direction, 0, 3)]->setChecked(true);
  DirectionChanged();
}

int TFormMapShift::Direction() const {
  for (int i = 0; i < 4; ++i)
    if (directions_[i]->isChecked()) return i;
  return 3;
}

void TFormMapShift::DirectionChanged() {
  const int d = Direction();
  units_->setRange(1, d == 0 || d == 3 ? mapHeight_ : mapWidth_);
}

TCellPoint TFormMapShift::Offset() const {
  const int n = units_->value();
  switch (Direction()) {
    case 0:
      return {0, -n};
    case 1:
      return {-n, 0};
    case 2:
      return {n, 0};
    default:
      return {0, n};
  }
}

void TFormMapShift::accept() {
  lastDirection = Direction();
  lastUnits = units_->value();
  QDialog::accept();
}

}  // namespace tess
