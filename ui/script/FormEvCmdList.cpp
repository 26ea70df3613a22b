#include "ui/script/FormEvCmdList.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "script/EventCommands.h"
#include "ui/DialogButtons.h"
#include "ui/script/CommandDialogs.h"

namespace tess {

namespace {

// Buttons stand in columns of this many rows.
constexpr int kRowsPerColumn = 10;

int lastMapChoice = 0;
int lastBattleChoice = 0;

}  // namespace

TFormEvCmdChooser::TFormEvCmdChooser(std::span<const int32_t> codes, int& last, const TEventScriptConverter& context,
                                     QWidget* owner)
    : QDialog(owner), codes_(codes), last_(last), context_(context) {}

void TFormEvCmdChooser::AddCancel(QBoxLayout* layout) {
  layout->addWidget(MakeDialogButtons(this, {.buttons = QDialogButtonBox::Cancel}));
}

void TFormEvCmdChooser::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (pages_) pages_->setCurrentIndex(last_ / kMapChooserPageSize);
  if (QPushButton* button = Button(last_)) button->setFocus();
}

void TFormEvCmdChooser::MakeButtons(QWidget* parent) {
  for (size_t i = 0; i < codes_.size(); ++i) {
    const TEventCommandInfo* info = FindEventCommand(codes_[i]);
    auto* button = new QPushButton(info ? info->caption : "", parent);
    button->setAutoDefault(false);
    button->setObjectName(QString("Command%1").arg(codes_[i]));
    const int position = static_cast<int>(i);
    connect(button, &QPushButton::clicked, this, [this, position] { Choose(position); });
    buttons_.push_back(button);
  }
}

QPushButton* TFormEvCmdChooser::Button(int position) const {
  return position >= 0 && position < ButtonCount() ? buttons_[static_cast<size_t>(position)] : nullptr;
}

void TFormEvCmdChooser::Choose(int position) {
  if (position < 0 || position >= ButtonCount()) return;
  last_ = position;
  output_.ClearLines();
  if (RunDialog(codes_[static_cast<size_t>(position)])) accept();
}

bool TFormEvCmdChooser::EditLines(const TLcfEventScriptList& lines) {
  if (lines.Count() == 0) return false;
  const int32_t code = lines.LineAt(0)->code;
  if (std::find(codes_.begin(), codes_.end(), code) == codes_.end()) return false;
  output_ = lines;
  return RunDialog(code);
}

bool TFormEvCmdChooser::RunDialog(int32_t code) {
  TCommandDialogContext context{context_, parentWidget() ? parentWidget() : this};
  const bool ok = RunCommandDialog(code, output_, context);
  if (context.changedElsewhere) changedElsewhere_ = true;
  return ok;
}

// ---------------------------------------------------------------------------------------------

TFormEvCmdList::TFormEvCmdList(const TEventScriptConverter& context, QWidget* owner)
    : TFormEvCmdChooser(MapChooserCodes(), lastMapChoice, context, owner) {
  setWindowTitle("Event Commands");
  setObjectName("FormEvCmdList");
  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  layout->addWidget(pages_);
  MakeButtons(this);
  for (int page = 0; page * kMapChooserPageSize < ButtonCount(); ++page) {
    auto* sheet = new QWidget(pages_);
    auto* grid = new QGridLayout(sheet);
    for (int k = 0; k < kMapChooserPageSize; ++k) {
      QPushButton* button = Button(page * kMapChooserPageSize + k);
      if (!button) break;
      button->setParent(sheet);
      grid->addWidget(button, k % kRowsPerColumn, k / kRowsPerColumn);
    }
    grid->setRowStretch(kRowsPerColumn, 1);
    pages_->addTab(sheet, QString::number(page + 1));
  }
  AddCancel(layout);
}

// ---------------------------------------------------------------------------------------------

TFormEvCmdList2::TFormEvCmdList2(const TEventScriptConverter& context, QWidget* owner)
    : TFormEvCmdChooser(BattleChooserCodes(), lastBattleChoice, context, owner) {
  setWindowTitle("Battle Event Commands");
  setObjectName("FormEvCmdList2");
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  MakeButtons(this);
  const int rows = (ButtonCount() + 1) / 2;
  for (int k = 0; k < ButtonCount(); ++k) grid->addWidget(Button(k), k % rows, k / rows);
  AddCancel(layout);
}

}  // namespace tess
