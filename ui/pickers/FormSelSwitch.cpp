#include "ui/pickers/FormSelSwitch.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/MessagePort.h"
#include "database/DataBaseObj.h"
#include "platform/TextCodec.h"
#include "ui/DialogButtons.h"

namespace tess {

namespace {

const TCatalog& SourceOf(TPickerList list, const TLcfDataBase& d) {
  return list == TPickerList::Switches ? static_cast<const TCatalog&>(d.switches) : d.variables;
}

TCatalog* TargetOf(TPickerList list, TLcfDataBase* d) {
  if (!d) return nullptr;
  return list == TPickerList::Switches ? static_cast<TCatalog*>(&d->switches) : &d->variables;
}

QString Shown(const std::string& text) { return TextCodec::Current().ToUnicode(text); }

bool ClipboardHasText() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data && data->hasText();
}

}  // namespace

TFormSelSwitch::TFormSelSwitch(TPickerList list, const TLcfDataBase& database, TLcfDataBase* editable, QWidget* owner)
    : QDialog(owner),
      model_(std::make_unique<TSwitchPickerModel>(list, SourceOf(list, database), TargetOf(list, editable))) {
  const bool switches = list == TPickerList::Switches;
  setWindowTitle(switches ? "Switches" : "Variables");
  setObjectName(switches ? "FormSelSwitch" : "FormSelVariable");
  auto* layout = new QVBoxLayout(this);
  auto* lists = new QHBoxLayout;
  groups_ = new QListWidget(this);
  groups_->setObjectName("GroupList");
  entries_ = new QListWidget(this);
  entries_->setObjectName("EntryList");
  groups_->setMinimumWidth(120);
  entries_->setMinimumWidth(220);
  lists->addWidget(groups_);
  lists->addWidget(entries_, 1);
  layout->addLayout(lists);
  auto* nameRow = new QHBoxLayout;
  idLabel_ = new QLabel(this);
  idLabel_->setObjectName("IdLabel");
  name_ = new QLineEdit(this);
  name_->setObjectName("Name");
  name_->setMaxLength(TSwitchPickerModel::kNameLength);
  nameRow->addWidget(new QLabel(switches ? "Switch" : "Variable", this));
  nameRow->addWidget(idLabel_);
  nameRow->addWidget(new QLabel("Name", this));
  nameRow->addWidget(name_, 1);
  layout->addLayout(nameRow);
  auto* arraySize = new QPushButton("Array Size", this);
  arraySize->setObjectName("ButtonArraySize");
  TDialogButtons spec;
  spec.buttons = QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply;
  spec.ok = [this] { Accept(); };
  spec.apply = [this] { Apply(); };
  QDialogButtonBox* buttons = MakeDialogButtons(this, spec);
  buttons->addButton(arraySize, QDialogButtonBox::ActionRole);
  apply_ = buttons->button(QDialogButtonBox::Apply);
  layout->addWidget(buttons);

  // The entry list's menu, and F4/F5 (with or without Ctrl) from anywhere in the window.
  entries_->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto menuAction = [this](const char* text, QKeySequence key, void (TFormSelSwitch::*run)()) {
    auto* action = new QAction(text, entries_);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, run);
    entries_->addAction(action);
    return action;
  };
  menuAction("Copy", QKeySequence::Copy, &TFormSelSwitch::CopyName);
  QAction* paste = menuAction("Paste", QKeySequence::Paste, &TFormSelSwitch::PasteName);
  menuAction("Clear", QKeySequence::Delete, &TFormSelSwitch::ClearName);
  auto updatePaste = [paste] { paste->setEnabled(ClipboardHasText()); };
  connect(QApplication::clipboard(), &QClipboard::dataChanged, paste, updatePaste);
  updatePaste();
  for (auto [key, run] :
       {std::pair{Qt::Key_F4, &TFormSelSwitch::Previous}, std::pair{Qt::Key_F5, &TFormSelSwitch::Next}})
    for (QKeyCombination combination : {QKeyCombination(key), QKeyCombination(Qt::ControlModifier, key)}) {
      auto* action = new QAction(this);
      action->setShortcut(combination);
      action->setShortcutContext(Qt::WindowShortcut);
      connect(action, &QAction::triggered, this, run);
      addAction(action);
    }

  connect(groups_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (filling_ || row < 0) return;
    model_->SelectBlock(row);
    FillEntries();
  });
  connect(entries_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (filling_ || row < 0) return;
    model_->SelectRow(row);
    ShowSelection();
  });
  connect(entries_, &QListWidget::itemDoubleClicked, this, [this] { Accept(); });
  connect(name_, &QLineEdit::textEdited, this, &TFormSelSwitch::NameEdited);
  connect(arraySize, &QPushButton::clicked, this, &TFormSelSwitch::RunArraySize);
  FillGroups();
  apply_->setEnabled(false);
  apply_->setVisible(model_->CanApply());
  arraySize->setEnabled(model_->CanApply());
}

TFormSelSwitch::~TFormSelSwitch() = default;

void TFormSelSwitch::FillGroups() {
  ++filling_;
  groups_->clear();
  for (const std::string& line : model_->Groups()) groups_->addItem(QString::fromStdString(line));
  groups_->setCurrentRow(model_->Block());
  --filling_;
  FillEntries();
}

void TFormSelSwitch::FillEntries() {
  ++filling_;
  entries_->clear();
  for (const std::string& line : model_->Entries()) entries_->addItem(Shown(line));
  if (groups_->currentRow() != model_->Block()) groups_->setCurrentRow(model_->Block());
  entries_->setCurrentRow(model_->Row());
  --filling_;
  ShowSelection();
}

void TFormSelSwitch::ShowSelection() {
  const int32_t id = model_->SelectedId();
  idLabel_->setText(QString::asprintf("%.4d:", id));
  ++filling_;
  const QString name = Shown(model_->Name(id));
  if (name_->text() != name) name_->setText(name);
  --filling_;
  apply_->setEnabled(model_->ApplyEnabled());
}

void TFormSelSwitch::NameEdited(const QString& text) {
  if (filling_) return;
  model_->SetName(TextCodec::Current().FromUnicode(text));
  if (QListWidgetItem* item = entries_->item(model_->Row()))
    item->setText(Shown(model_->EntryLine(model_->SelectedId())));
  apply_->setEnabled(model_->ApplyEnabled());
}

void TFormSelSwitch::Apply() {
  model_->Apply();
  apply_->setEnabled(false);
}

void TFormSelSwitch::Accept() {
  model_->Accept();
  accept();
}

void TFormSelSwitch::CopyName() { QApplication::clipboard()->setText(Shown(model_->Copy())); }

void TFormSelSwitch::PasteName() {
  if (!ClipboardHasText()) return;
  const QString text = QApplication::clipboard()->text();
  // A pasted name is stored whole; only typing is held to the field's length.
  model_->Paste(TextCodec::Current().FromUnicode(text));
  FillEntries();
}

void TFormSelSwitch::ClearName() {
  model_->Clear();
  FillEntries();
}

void TFormSelSwitch::Previous() {
  model_->Previous();
  FillEntries();
}

void TFormSelSwitch::Next() {
  model_->Next();
  FillEntries();
}

void TFormSelSwitch::RunArraySize() {
  int value = model_->Count();
  for (;;) {
    bool ok = false;
    value = QInputDialog::getInt(this, "Array Size", "Array Size", value, 1, TSwitchPickerModel::kMaxCount, 1, &ok);
    if (!ok || ResizeTo(value)) return;
  }
}

bool TFormSelSwitch::ResizeTo(int count) {
  if (model_->SizeLosesData(count) &&
      AskYesNoDestructive("This operation will result in a loss of data.  Proceed?", this) != TMessageResult::Yes)
    return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  model_->SetArraySize(count);
  FillGroups();
  QApplication::restoreOverrideCursor();
  return true;
}

bool TFormSelSwitch::Pick(TPickerList list, const TLcfDataBase& database, TLcfDataBase* editable, int32_t& id,
                          bool& changed, QWidget* owner) {
  TFormSelSwitch picker(list, database, editable, owner);
  const bool ok = picker.exec() == QDialog::Accepted;
  if (picker.DatabaseChanged()) changed = true;
  if (ok) id = picker.SelectedId();
  return ok;
}

}  // namespace tess
