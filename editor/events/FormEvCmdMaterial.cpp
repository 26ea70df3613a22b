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

void TFormEvCmdMaterial::Pick() {
  const std::string& name = form_.Text();
  switch (form_.Code()) {
    case 10630:
    case 10650:
    case 10640: {
      std::unique_ptr<TFormSelMaterial> picker;
      if (form_.Code() == 10640)
        picker = std::make_unique<TFormSelFace>(this);
      else
        picker = std::make_unique<TFormSelChar>(this);
      picker->materialName = name;
      picker->cellIndex = form_.Param(1);
      if (picker->exec() == QDialog::Accepted) TakeFile(picker->materialName, {picker->cellIndex});
      break;
    }
    case 10660: {
      TFormSelMusic picker(this);
      TLcfMusic& m = picker.Music();
      m.name = name;
      m.fadeIn = form_.Param(1);
      m.volume = form_.Param(2);
      m.tempo = form_.Param(3);
      m.balance = form_.Param(4);
      if (picker.exec() == QDialog::Accepted) TakeFile(m.name, {m.fadeIn, m.volume, m.tempo, m.balance});
      break;
    }
    case 10670: {
      TFormSelSound picker(this);
      TLcfSound& s = picker.Sound();
      s.name = name;
      s.volume = form_.Param(1);
      s.tempo = form_.Param(2);
      s.balance = form_.Param(3);
      if (picker.exec() == QDialog::Accepted) TakeFile(s.name, {s.volume, s.tempo, s.balance});
      break;
    }
    case 10710: {
      TFormSelBackdrop picker(this);
      picker.materialName = name;
      if (picker.exec() == QDialog::Accepted) TakeFile(picker.materialName, {});
      break;
    }
    case 11720: {
      TFormSelPanorama picker(this);
      picker.materialName = name;
      if (picker.exec() == QDialog::Accepted) TakeFile(picker.materialName, {});
      break;
    }
    default:
      break;
  }
}

}  // namespace tess
