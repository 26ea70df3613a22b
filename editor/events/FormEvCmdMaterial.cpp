#include "editor/events/FormEvCmdMaterial.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/pickers/FormSelChar.h"
#include "ui/pickers/FormSelFace.h"
#include "ui/pickers/FormSelMusic.h"
#include "ui/pickers/FormSelPlainPicture.h"
#include "ui/pickers/FormSelSound.h"

namespace tess {

std::function<void(QDialog& picker)> TFormEvCmdMaterial::pickerHook;

namespace {

bool Run(QDialog& picker) {
  if (TFormEvCmdMaterial::pickerHook)
    TFormEvCmdMaterial::pickerHook(picker);
  else
    picker.exec();
  return picker.result() == QDialog::Accepted;
}

}  // namespace

TFormEvCmdMaterial::TFormEvCmdMaterial(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(code, lines, context) {
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  for (const TFieldRow& row : form_.Rows()) {
    QWidget* control = binder_->Build(row, AccessOf(row), this);
    if (row.index == kStringIndex && row.folder) {
      // The file's name, and the button that picks it.
      file_ = &row;
      auto* holder = new QWidget(this);
      auto* line = new QHBoxLayout(holder);
      line->setContentsMargins(0, 0, 0, 0);
      control->setParent(holder);
      line->addWidget(control, 1);
      pick_ = new QPushButton("...", holder);
      pick_->setObjectName("PickFile");
      pick_->setFixedWidth(pick_->fontMetrics().horizontalAdvance("...") + 16);
      line->addWidget(pick_);
      control = holder;
      connect(pick_, &QPushButton::clicked, this, &TFormEvCmdMaterial::Pick);
    }
    if (TFieldBinder::Labelled(row))
      form->addRow(QString::fromUtf8(row.caption), control);
    else
      form->addRow(control);
  }
  layout->addLayout(form);
  AddButtons(layout);
  binder_->Load();
  auto updatePick = [this] {
    if (pick_ && file_) pick_->setEnabled(form_.Enabled(*file_));
  };
  updatePick();
  connect(binder_, &TFieldBinder::changed, this, updatePick);
}

void TFormEvCmdMaterial::TakeFile(const std::string& name, const std::vector<int32_t>& values) {
  if (name != form_.Text()) form_.SetText(name);
  const int first = form_.Code() == 10660 || form_.Code() == 10670 ? file_->valueIndex : 1;
  for (size_t i = 0; i < values.size(); ++i) {
    const int index = first + static_cast<int>(i);
    if (form_.Param(index) != values[i]) form_.SetParam(index, values[i]);
  }
  binder_->Load();
}

bool TFormEvCmdMaterial::Execute() {
  if (form_.Rows().size() > 1 || !file_) return TFormEvCmdBase::Execute();
  if (!Pick()) return false;
  Accept();
  return true;
}

bool TFormEvCmdMaterial::Pick() {
  const std::string& name = form_.Text();
  const int32_t code = form_.Code();
  if (code == 10660) {
    TFormSelMusic picker(this);
    TLcfMusic& m = picker.Music();
    m.name = name;
    m.fadeIn = form_.Param(1);
    m.volume = form_.Param(2);
    m.tempo = form_.Param(3);
    m.balance = form_.Param(4);
    if (!Run(picker)) return false;
    TakeFile(m.name, {m.fadeIn, m.volume, m.tempo, m.balance});
    return true;
  }
  if (code == 10670) {
    TFormSelSound picker(this);
    TLcfSound& s = picker.Sound();
    s.name = name;
    s.volume = form_.Param(1);
    s.tempo = form_.Param(2);
    s.balance = form_.Param(3);
    if (!Run(picker)) return false;
    TakeFile(s.name, {s.volume, s.tempo, s.balance});
    return true;
  }
  // The picture pickers; sprites and faces also choose a cell, kept in p1.
  std::unique_ptr<TFormSelMaterial> picker;
  const bool cell = code == 10630 || code == 10640 || code == 10650;
  if (code == 10640)
    picker = std::make_unique<TFormSelFace>(this);
  else if (cell)
    picker = std::make_unique<TFormSelChar>(this);
  else if (code == 11720)
    picker = std::make_unique<TFormSelPanorama>(this);
  else if (code == 10710 || code == 13210)
    picker = std::make_unique<TFormSelBackdrop>(this);
  else
    return false;
  picker->materialName = name;
  if (cell) picker->cellIndex = form_.Param(1);
  if (!Run(*picker)) return false;
  TakeFile(picker->materialName, cell ? std::vector<int32_t>{picker->cellIndex} : std::vector<int32_t>{});
  return true;
}

}  // namespace tess
