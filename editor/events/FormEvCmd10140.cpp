#include "editor/events/FormEvCmd10140.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/TextCodec.h"
#include "script/ChoiceLines.h"

namespace tess {

TFormEvCmd10140::TFormEvCmd10140(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(10140, lines, context) {
  auto* layout = new QVBoxLayout(this);
  auto* columns = new QHBoxLayout;
  auto* texts = new QGroupBox("Choices", this);
  auto* form = new QFormLayout(texts);
  const TChoiceTexts shown = ChoiceTexts(form_.Text());
  for (int i = 0; i < kChoiceCount; ++i) {
    auto* edit = new QLineEdit(TextCodec::Current().ToUnicode(shown[static_cast<size_t>(i)]), texts);
    edit->setObjectName(QString("Choice%1").arg(i + 1));
    form->addRow(QString("Choice %1").arg(i + 1), edit);
    choices_[static_cast<size_t>(i)] = edit;
    connect(edit, &QLineEdit::textEdited, this, [this] {
      TChoiceTexts typed;
      for (int k = 0; k < kChoiceCount; ++k)
        typed[static_cast<size_t>(k)] = TextCodec::Current().FromUnicode(choices_[static_cast<size_t>(k)]->text());
      form_.SetText(JoinChoices(typed));
    });
  }
  columns->addWidget(texts, 2);

  // The cancellation, a radio button per value: a stored value none stands for checks none and is
  // kept until a button is pressed.
  const TFieldRow* row = form_.FindRow("cancel");
  auto* group = new QGroupBox("Cancellation", this);
  auto* radios = new QVBoxLayout(group);
  cancel_ = new QButtonGroup(group);
  for (size_t i = 0; i < row->choices.size(); ++i) {
    auto* button = new QRadioButton(QString::fromUtf8(row->choices[i].caption), group);
    button->setObjectName(QString("cancel%1").arg(i));
    cancel_->addButton(button, row->choices[i].value);
    radios->addWidget(button);
  }
  connect(cancel_, &QButtonGroup::idClicked, this, [this](int value) { form_.Set("cancel", value); });
  columns->addWidget(group, 1);
  layout->addLayout(columns);
  AddButtons(layout);
  ShowCancellation();
}

void TFormEvCmd10140::ShowCancellation() {
  const int32_t value = form_.Value("cancel");
  cancel_->setExclusive(false);
  for (QAbstractButton* button : cancel_->buttons()) button->setChecked(cancel_->id(button) == value);
  cancel_->setExclusive(true);
}

}  // namespace tess
