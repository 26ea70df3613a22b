#include "editor/events/FormEvCmd11050.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <string_view>

namespace tess {

namespace {

constexpr const char* kScales[] = {"strength", "speed"};

bool OnScale(const TFieldRow& row) {
  for (const char* key : kScales)
    if (std::string_view(row.key) == key) return true;
  return false;
}

}  // namespace

TFormEvCmd11050::TFormEvCmd11050(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(11050, lines, context) {
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  for (const TFieldRow& row : form_.Rows()) {
    QWidget* control = binder_->Build(row, AccessOf(row), this);
    if (!OnScale(row)) {
      if (TFieldBinder::Labelled(row))
        form->addRow(QString::fromUtf8(row.caption), control);
      else
        form->addRow(control);
      continue;
    }
    // The scale: the slider with its named marks under it, and the number the binder shows.
    auto* box = qobject_cast<QSpinBox*>(control);
    auto* scale = new QWidget(this);
    auto* grid = new QVBoxLayout(scale);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* line = new QHBoxLayout;
    auto* slider = new QSlider(Qt::Horizontal, scale);
    slider->setObjectName(QString("%1Slider").arg(row.key));
    slider->setRange(row.min, row.max);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setPageStep(1);
    line->addWidget(slider, 1);
    box->setParent(scale);
    line->addWidget(box);
    grid->addLayout(line);
    auto* marks = new QHBoxLayout;
    for (size_t i = 0; i < row.choices.size(); ++i) {
      if (i) marks->addStretch(1);
      marks->addWidget(new QLabel(QString::fromUtf8(row.choices[i].caption), scale));
    }
    marks->addSpacing(box->sizeHint().width());
    grid->addLayout(marks);
    // The slider moves the number, which writes the value; the number (loaded or typed) moves the
    // slider without writing back, so a value off the scale stays as it is.
    connect(slider, &QSlider::valueChanged, box, [box](int v) { box->setValue(v); });
    connect(box, &QSpinBox::valueChanged, slider, [slider](int v) {
      const QSignalBlocker quiet(slider);
      slider->setValue(v);
    });
    form->addRow(QString::fromUtf8(row.caption), scale);
  }
  layout->addLayout(form);
  AddButtons(layout);
  binder_->Load();
  for (const char* key : kScales) {
    const QSignalBlocker quiet(Slider(key));
    Slider(key)->setValue(form_.Value(key));
  }
  FollowEnabling();
  connect(binder_, &TFieldBinder::changed, this, &TFormEvCmd11050::FollowEnabling);
}

QSlider* TFormEvCmd11050::Slider(const char* key) const { return findChild<QSlider*>(QString("%1Slider").arg(key)); }

void TFormEvCmd11050::FollowEnabling() {
  for (const char* key : kScales) Slider(key)->setEnabled(form_.Enabled(*form_.FindRow(key)));
}

}  // namespace tess
