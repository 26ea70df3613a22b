#include "editor/events/FormEvCmd11610.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace tess {

namespace {

constexpr const char* kKeys[] = {"down", "left", "right", "up", "decision", "cancel", "shift", "numbers", "operators"};

}  // namespace

TFormEvCmd11610::TFormEvCmd11610(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(11610, lines, context) {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QFormLayout;
  const TFieldRow& variable = *form_.FindRow("variable");
  top->addRow(QString::fromUtf8(variable.caption), binder_->Build(variable, AccessOf(variable), this));
  const TFieldRow& wait = *form_.FindRow("wait");
  top->addRow(binder_->Build(wait, AccessOf(wait), this));
  layout->addLayout(top);
  // The direction keys in one column, the others in the next.
  auto* keys = new QGroupBox("Keys", this);
  auto* grid = new QGridLayout(keys);
  for (int i = 0; i < static_cast<int>(std::size(kKeys)); ++i) {
    const TFieldRow& row = *form_.FindRow(kKeys[i]);
    grid->addWidget(binder_->Build(row, AccessOf(row), keys), i < 4 ? i : i - 4, i < 4 ? 0 : 1);
  }
  layout->addWidget(keys);
  auto* time = new QFormLayout;
  const TFieldRow& storeTime = *form_.FindRow("storeTime");
  time->addRow(binder_->Build(storeTime, AccessOf(storeTime), this));
  const TFieldRow& timeVariable = *form_.FindRow("timeVariable");
  time->addRow(QString::fromUtf8(timeVariable.caption), binder_->Build(timeVariable, AccessOf(timeVariable), this));
  layout->addLayout(time);
  AddButtons(layout);
  binder_->Load();
}

}  // namespace tess
