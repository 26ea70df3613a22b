#include "editor/database/FormEDPlayerExp.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "database/LD_Player.h"
#include "ui/DialogButtons.h"

namespace tess {

namespace {
constexpr int kLowest = -2000, kHighest = 2000;
const char* const kNames[3] = {"Primary", "Secondary", "Tertiary"};

QListWidget* NewTable(QWidget* parent) {
  auto* list = new QListWidget(parent);
  QFont mono("Monospace");
  mono.setStyleHint(QFont::TypeWriter);
  list->setFont(mono);
  for (int level = 1; level <= kMaxHeroLevel; ++level) list->addItem(QString());
  return list;
}
}  // namespace

TFormEDPlayerExp::TFormEDPlayerExp(const TValues& values, QWidget* owner) : QDialog(owner), values_(values) {
  setWindowTitle("Experience Curve");
  setObjectName("FormEDPlayerExp");
  auto* layout = new QVBoxLayout(this);
  auto* tabs = new QTabWidget(this);
  total_ = NewTable(tabs);
  perLevel_ = NewTable(tabs);
  tabs->addTab(total_, "Total Experience");
  tabs->addTab(perLevel_, "Experience Per Level");
  layout->addWidget(tabs, 1);

  auto* grid = new QGridLayout;
  for (int i = 0; i < 3; ++i) {
    // A stored value outside the sliders' range is shown as it is, and kept until moved.
    const int32_t v = values_[static_cast<size_t>(i)];
    auto* slider = new QSlider(Qt::Horizontal, this);
    auto* box = new QSpinBox(this);
    slider->setObjectName(kNames[i]);
    slider->setRange(std::min(kLowest, v), std::max(kHighest, v));
    box->setRange(std::min(kLowest, v), std::max(kHighest, v));
    slider->setPageStep(50);
    sliders_[static_cast<size_t>(i)] = slider;
    boxes_[static_cast<size_t>(i)] = box;
    grid->addWidget(new QLabel(kNames[i], this), i, 0);
    grid->addWidget(slider, i, 1);
    grid->addWidget(box, i, 2);
    connect(slider, &QSlider::valueChanged, this, [this, i](int value) {
      if (!showing_) SetValue(i, value);
    });
    connect(box, &QSpinBox::valueChanged, this, [this, i](int value) {
      if (!showing_) SetValue(i, value);
    });
  }
  layout->addLayout(grid);
  layout->addWidget(MakeDialogButtons(this, {}));
  resize(360, 520);
  Show();
}

void TFormEDPlayerExp::SetValue(int which, int32_t value) {
  if (which < 0 || which > 2) return;
  values_[static_cast<size_t>(which)] = value;
  Show();
}

void TFormEDPlayerExp::Show() {
  showing_ = true;
  for (size_t i = 0; i < 3; ++i) {
    sliders_[i]->setValue(values_[i]);
    boxes_[i]->setValue(values_[i]);
  }
  const auto [p, s, t] = values_;
  for (int level = 1; level <= kMaxHeroLevel; ++level) {
    total_->item(level - 1)->setText(QString::fromStdString(TotalExperienceLine(p, s, t, level)));
    perLevel_->item(level - 1)->setText(QString::fromStdString(LevelExperienceLine(p, s, t, level)));
  }
  showing_ = false;
}

}  // namespace tess
