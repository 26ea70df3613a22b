#include "editor/events/FormEvCmd11110.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cstring>
#include <string_view>

#include "ui/ColorBar.h"
#include "ui/DialogButtons.h"

namespace tess {

namespace {

// The rows set in "Picture Transformations": the tint (p8 to p11) and the effect (p12, p13).
bool IsTransformation(const TFieldRow& row) { return row.index >= 8 && row.index <= 13; }
constexpr const char* kColourKeys[] = {"red", "green", "blue", "saturation"};

}  // namespace

std::function<void(QDialog&)> TFormEvCmd11110::transformationsHook;

TFormEvCmd11110::TFormEvCmd11110(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(code, lines, context) {
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  for (const TFieldRow& row : form_.Rows()) {
    if (IsTransformation(row)) continue;
    QWidget* control = binder_->Build(row, AccessOf(row), this);
    if (TFieldBinder::Labelled(row))
      form->addRow(QString::fromUtf8(row.caption), control);
    else
      form->addRow(control);
  }
  layout->addLayout(form);
  auto* extra = new QHBoxLayout;
  summary_ = new QLabel(this);
  summary_->setObjectName("TransformationSummary");
  auto* button = new QPushButton("Additional Attributes...", this);
  button->setObjectName("ButtonTransformations");
  connect(button, &QPushButton::clicked, this, &TFormEvCmd11110::RunTransformations);
  extra->addWidget(summary_, 1);
  extra->addWidget(button);
  layout->addLayout(extra);
  AddButtons(layout);
  binder_->Load();
  ShowSummary();
}

QString TFormEvCmd11110::Summary() const { return summary_->text(); }

void TFormEvCmd11110::ShowSummary() {
  QString text = QString("R%1 G%2 B%3 S%4")
                     .arg(form_.Value("red"))
                     .arg(form_.Value("green"))
                     .arg(form_.Value("blue"))
                     .arg(form_.Value("saturation"));
  const int32_t effect = form_.Value("effect");
  if (effect == 1) text += QString(", Rotation %1").arg(form_.Param(13));
  if (effect == 2) text += QString(", Waver %1").arg(form_.Param(13));
  summary_->setText(text);
}

bool TFormEvCmd11110::RunTransformations() {
  // The window edits a copy; OK hands its values back.
  TCommandForm copy = form_;
  QDialog window(this);
  window.setWindowTitle("Picture Transformations");
  window.setObjectName("FormPictureTransformations");
  TFieldBinder sub(form_.Rows(), binder_->Context(), &window);
  auto access = [&copy](const TFieldRow& row) {
    TFieldAccess a;
    a.value = [&copy, &row] { return copy.Value(row); };
    a.setValue = [&copy, &row](int32_t v) { copy.Set(row, v); };
    return a;
  };
  auto* layout = new QVBoxLayout(&window);
  auto* colours = new QFormLayout;
  for (const char* key : kColourKeys) {
    const TFieldRow& row = *copy.FindRow(key);
    auto* box = qobject_cast<QSpinBox*>(sub.Build(row, access(row), &window));
    box->setSuffix(" %");
    auto* slider = new QSlider(Qt::Horizontal, &window);
    slider->setObjectName(QString("%1Slider").arg(key));
    slider->setRange(row.min, row.max);
    // The slider moves the box, which writes the value; the box (loaded or typed) moves the slider.
    connect(slider, &QSlider::valueChanged, box, [box](int v) { box->setValue(v); });
    connect(box, &QSpinBox::valueChanged, slider, [slider](int v) {
      const QSignalBlocker quiet(slider);
      slider->setValue(v);
    });
    auto* line = new QHBoxLayout;
    line->addWidget(slider, 1);
    line->addWidget(box);
    colours->addRow(QString::fromUtf8(row.caption), line);
  }
  auto* bar = new TColorBar(&window);
  colours->addRow(bar);
  layout->addLayout(colours);
  // One effect at most: the effect is one value, none, rotation or waver.
  auto* effects = new QFormLayout;
  for (const char* key : {"effect", "rotation", "waver"}) {
    const TFieldRow& row = *copy.FindRow(key);
    QWidget* control = sub.Build(row, access(row), &window);
    if (TFieldBinder::Labelled(row))
      effects->addRow(QString::fromUtf8(row.caption), control);
    else
      effects->addRow(control);
  }
  layout->addLayout(effects);
  layout->addWidget(MakeDialogButtons(&window));
  auto showColour = [&copy, bar] {
    bar->SetColor(copy.Value("red"), copy.Value("green"), copy.Value("blue"), copy.Value("saturation"));
  };
  connect(&sub, &TFieldBinder::changed, &window, [&copy, &sub, showColour](const char* key) {
    // An effect chosen afresh starts at its lowest speed or magnitude.
    if (std::string_view(key) == "effect" && copy.Value("effect") != 0 && copy.Param(13) < 1) {
      copy.SetParam(13, 1);
      sub.Load();
    }
    showColour();
  });
  sub.Load();
  showColour();
  if (transformationsHook)
    transformationsHook(window);
  else
    window.exec();
  if (window.result() != QDialog::Accepted || !copy.Changed()) return false;
  for (int index = 8; index <= 13; ++index)
    if (copy.Param(index) != form_.Param(index)) form_.SetParam(index, copy.Param(index));
  binder_->Load();
  ShowSummary();
  return true;
}

}  // namespace tess
