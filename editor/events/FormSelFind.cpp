#include "editor/events/FormSelFind.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

#include "core/Catalog.h"
#include "platform/TextCodec.h"
#include "ui/DialogButtons.h"

namespace tess {

namespace {

QString Formatted(const char* format, int a, int b = 0) { return QString::asprintf(format, a, b); }

}  // namespace

TFormSelFind::TFormSelFind(const char* caption, const TCatalog& names, int32_t& remembered, QWidget* parent)
    : QDialog(parent),
      remembered_(remembered),
      groups_(new QListWidget(this)),
      entries_(new QListWidget(this)),
      idLabel_(new QLabel(this)),
      nameBox_(new QLineEdit(this)),
      menu_(new QMenu(this)) {
  setObjectName("FormSelFind");
  setWindowTitle(caption);
  names_.reserve(static_cast<size_t>(names.Count()));
  for (int i = 0; i < names.Count(); ++i) names_.push_back(names.ItemAt(i)->name);
  groups_->setObjectName("Groups");
  entries_->setObjectName("Entries");
  nameBox_->setObjectName("Name");
  nameBox_->setReadOnly(true);
  const int count = static_cast<int>(names_.size());
  for (int first = 1; first <= count; first += kGroupSize)
    groups_->addItem(Formatted("[ %.4d - %.4d ]", first, std::min(count, first + kGroupSize - 1)));
  connect(groups_, &QListWidget::currentRowChanged, this, [this](int group) { ShowGroup(group); });
  connect(entries_, &QListWidget::currentRowChanged, this, [this](int row) { RowSelected(row); });
  connect(entries_, &QListWidget::itemDoubleClicked, this, [this] { Confirm(); });

  QAction* copy = menu_->addAction("Copy", this, [this] { CopyName(); });
  QAction* paste = menu_->addAction("Paste", this, [this] { PasteName(); });
  menu_->addAction("Clear", this, [this] { ClearName(); });
  connect(menu_, &QMenu::aboutToShow, this, [copy, paste, this] {
    copy->setEnabled(choice_ > 0);
    paste->setEnabled(choice_ > 0 && !QGuiApplication::clipboard()->text().isEmpty());
  });
  entries_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(entries_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { menu_->popup(entries_->viewport()->mapToGlobal(at)); });

  auto* lists = new QHBoxLayout;
  lists->addWidget(groups_, 2);
  lists->addWidget(entries_, 3);
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(idLabel_);
  nameRow->addWidget(nameBox_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addLayout(nameRow);
  TDialogButtons buttons;
  buttons.ok = [this] { Confirm(); };
  layout->addWidget(MakeDialogButtons(this, std::move(buttons)));
  resize(460, 420);
  if (count > 0) groups_->setCurrentRow(0);
}

const std::string& TFormSelFind::NameOf(int32_t id) const {
  static const std::string none;
  return id >= 1 && id <= static_cast<int32_t>(names_.size()) ? names_[static_cast<size_t>(id - 1)] : none;
}

bool TFormSelFind::SelectId(int32_t id) {
  if (id < 1 || id > static_cast<int32_t>(names_.size())) return false;
  groups_->setCurrentRow((id - 1) / kGroupSize);
  entries_->setCurrentRow((id - 1) % kGroupSize);
  return true;
}

void TFormSelFind::MoveSelection(int step) {
  if (choice_ > 0) SelectId(choice_ + step);
}

void TFormSelFind::ShowGroup(int group) {
  const QSignalBlocker block(entries_);
  entries_->clear();
  const int count = static_cast<int>(names_.size());
  for (int id = group * kGroupSize + 1; group >= 0 && id <= std::min(count, (group + 1) * kGroupSize); ++id)
    entries_->addItem(Formatted("%.4d:", id) + TextCodec::Current().ToUnicode(NameOf(id)));
  entries_->setCurrentRow(group >= 0 && entries_->count() > 0 ? 0 : -1);
  RowSelected(entries_->currentRow());
}

void TFormSelFind::RowSelected(int row) {
  choice_ = row >= 0 ? groups_->currentRow() * kGroupSize + row + 1 : 0;
  idLabel_->setText(choice_ > 0 ? Formatted("%.4d:", choice_) : QString());
  nameBox_->setText(TextCodec::Current().ToUnicode(NameOf(choice_)));
}

void TFormSelFind::ShowEntry(int row) {
  if (row < 0 || row >= entries_->count()) return;
  const int32_t id = groups_->currentRow() * kGroupSize + row + 1;
  entries_->item(row)->setText(Formatted("%.4d:", id) + TextCodec::Current().ToUnicode(NameOf(id)));
  if (id == choice_) nameBox_->setText(TextCodec::Current().ToUnicode(NameOf(id)));
}

void TFormSelFind::CopyName() {
  if (choice_ > 0) QGuiApplication::clipboard()->setText(TextCodec::Current().ToUnicode(NameOf(choice_)));
}

void TFormSelFind::PasteName() {
  const QString text = QGuiApplication::clipboard()->text();
  if (choice_ <= 0 || text.isEmpty()) return;
  names_[static_cast<size_t>(choice_ - 1)] = TextCodec::Current().FromUnicode(text);
  ShowEntry(entries_->currentRow());
}

void TFormSelFind::ClearName() {
  if (choice_ <= 0) return;
  names_[static_cast<size_t>(choice_ - 1)].clear();
  ShowEntry(entries_->currentRow());
}

void TFormSelFind::Confirm() {
  if (choice_ <= 0) return;
  remembered_ = choice_;
  accept();
}

void TFormSelFind::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  if ((event->key() == Qt::Key_F4 || event->key() == Qt::Key_F5) &&
      (mods == Qt::NoModifier || mods == Qt::ControlModifier)) {
    MoveSelection(event->key() == Qt::Key_F4 ? -1 : 1);
    return;
  }
  QDialog::keyPressEvent(event);
}

void TFormSelFind::showEvent(QShowEvent* event) {
  SelectId(remembered_);
  QDialog::showEvent(event);
}

TFormSelFindVariable::TFormSelFindVariable(const TCatalog& variables, QWidget* parent)
    : TFormSelFind("Search for Variable", variables, Remembered(), parent) {}

int32_t& TFormSelFindVariable::Remembered() {
  static int32_t id = 1;
  return id;
}

TFormSelFindSwitch::TFormSelFindSwitch(const TCatalog& switches, QWidget* parent)
    : TFormSelFind("Search for Switch", switches, Remembered(), parent) {}

int32_t& TFormSelFindSwitch::Remembered() {
  static int32_t id = 1;
  return id;
}

}  // namespace tess
