#include "editor/events/FormEvCmd11030.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <string_view>

#include "ui/ColorBar.h"

namespace tess {

namespace {

bool IsColour(const TFieldRow& row) {
  for (const char* key : {"red", "green", "blue", "saturation", "strength"})
    if (std::string_view(row.key) == key) return true;
  return false;
}

}  // namespace

TFormEvCmd11030::TFormEvCmd11030(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(code, lines, context) {
  auto* layout = new QVBoxLayout(this);
  auto* colour = new QGroupBox("Color", this);
  auto* colourRows = new QFormLayout(colour);
  auto* other = new QFormLayout;
  for (const TFieldRow& row : form_.Rows()) {
    const bool isColour = IsColour(row);
    QWidget* parent = isColour ? static_cast<QWidget*>(colour) : this;
    QWidget* control = binder_->Build(row, AccessOf(row), parent);
    QFormLayout* into = isColour ? colourRows : other;
    if (TFieldBinder::Labelled(row))
      into->addRow(QString::fromUtf8(row.caption), control);
    else
      into->addRow(control);
  }
  bar_ = new TColorBar(colour);
  colourRows->addRow(bar_);
  layout->addWidget(colour);
  layout->addLayout(other);
  AddButtons(layout);
  connect(binder_, &TFieldBinder::changed, this, &TFormEvCmd11030::ShowColor);
  binder_->Load();
  ShowColor();
}

void TFormEvCmd11030::ShowColor() {
  if (form_.Code() == 11030)
    bar_->SetColor(form_.Value("red"), form_.Value("green"), form_.Value("blue"), form_.Value("saturation"));
  else
    bar_->SetFlash(form_.Value("red"), form_.Value("green"), form_.Value("blue"), form_.Value("strength"));
}

}  // namespace tess
