#include "editor/database/FormEntryListPage.h"

#include <QAction>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <map>

#include "core/MessagePort.h"
#include "platform/TextCodec.h"

namespace tess {

namespace {

// Each page's list position and selection, remembered while the editor runs.
struct TListPlace {
  int scroll = 0;
  int selected = 0;
};
constexpr const char* kSelectEntryText = "Select an entry in the list.";
constexpr const char* kNoFieldsYetText = "The fields of this entry cannot be edited here yet.";

std::map<int, TListPlace>& RememberedPlaces() {
  static std::map<int, TListPlace> places;
  return places;
}

}  // namespace

TFormEntryListPage::TFormEntryListPage(TCatalog& catalog, int clipboardFormat, const TDataBasePageContext& context,
                                       QWidget* parent)
    : TFormDataBaseBase(context, parent), controller_(catalog, clipboardFormat), tab_(context.tab) {
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  list_ = new QListWidget(this);
  list_->setObjectName("EntryList");
  list_->setMinimumWidth(180);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  left->addWidget(list_, 1);
  auto* arraySize = new QPushButton("Array Size", this);
  arraySize->setObjectName("ButtonArraySize");
  left->addWidget(arraySize);
  layout->addLayout(left);
  placeholder_ = new QLabel(kSelectEntryText, this);
  placeholder_->setObjectName("EntryFields");
  placeholder_->setAlignment(Qt::AlignCenter);
  placeholder_->setTextFormat(Qt::PlainText);
  layout->addWidget(placeholder_, 1);
  fields_ = placeholder_;

  menu_ = new QMenu(this);
  auto add = [this](const char* caption, void (TFormEntryListPage::*command)(), QKeySequence keys) {
    QAction* action = menu_->addAction(caption);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, command);
    return action;
  };
  add("Copy", &TFormEntryListPage::CopyEntry, QKeySequence::Copy);
  pasteAction_ = add("Paste", &TFormEntryListPage::PasteEntries, QKeySequence::Paste);
  add("Clear", &TFormEntryListPage::ClearEntry, QKeySequence::Delete);
  add("Cut", &TFormEntryListPage::CutEntry, QKeySequence::Cut);
  menu_->addSeparator();
  add("Multiple Copy", &TFormEntryListPage::RunMultipleCopy, QKeySequence());
  list_->addActions(menu_->actions());
  for (QAction* action : menu_->actions()) action->setShortcutContext(Qt::WidgetShortcut);

  connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    UpdateMenu();
    menu_->exec(list_->viewport()->mapToGlobal(at));
  });
  connect(arraySize, &QPushButton::clicked, this, &TFormEntryListPage::RunArraySize);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int) { LoadEntry(); });

  controller_.EnsureEntry();
  FillList();
  const TListPlace place = RememberedPlaces()[tab_];
  Select(place.selected < list_->count() ? place.selected : 0);
  list_->verticalScrollBar()->setValue(place.scroll);
}

TFormEntryListPage::~TFormEntryListPage() {
  RememberedPlaces()[tab_] = {list_->verticalScrollBar()->value(), std::max(0, Selected())};
}

int TFormEntryListPage::EntryCount() const { return list_->count(); }

int TFormEntryListPage::Selected() const { return list_->currentRow(); }

void TFormEntryListPage::Select(int index) {
  if (list_->count() == 0) return;
  list_->setCurrentRow(std::clamp(index, 0, list_->count() - 1));
}

void TFormEntryListPage::FillList() {
  controller_.EnsureEntry();
  int selected = Selected();
  int scroll = list_->verticalScrollBar()->value();
  list_->blockSignals(true);
  list_->clear();
  for (const std::string& line : controller_.Lines()) list_->addItem(TextCodec::Current().ToUnicode(line));
  list_->blockSignals(false);
  list_->verticalScrollBar()->setValue(scroll);
  Select(selected < 0 ? 0 : std::min(selected, list_->count() - 1));
}

void TFormEntryListPage::RewriteLine(int index) {
  if (TCatalogItem* item = controller_.Catalog().ItemAt(index))
    if (QListWidgetItem* line = list_->item(index))
      line->setText(TextCodec::Current().ToUnicode(TEntryListController::LineOf(*item)));
}

void TFormEntryListPage::SetFields(QWidget* fields) {
  delete layout()->replaceWidget(fields_, fields);
  delete fields_;
  fields_ = fields;
  placeholder_ = nullptr;
}

void TFormEntryListPage::LoadEntry() {
  if (!placeholder_) return;
  const TCatalogItem* item = controller_.Catalog().ItemAt(Selected());
  placeholder_->setText(item ? TextCodec::Current().ToUnicode(TEntryListController::LineOf(*item)) + "\n\n" +
                                   kNoFieldsYetText
                             : QString(kSelectEntryText));
}

void TFormEntryListPage::SelectPreviousEntry() {
  if (Selected() > 0) Select(Selected() - 1);
}

void TFormEntryListPage::SelectNextEntry() {
  if (Selected() + 1 < list_->count()) Select(Selected() + 1);
}

void TFormEntryListPage::UpdateMenu() { pasteAction_->setEnabled(controller_.CanPaste()); }

void TFormEntryListPage::RunArraySize() {
  int value = controller_.Count();
  for (;;) {
    bool ok = false;
    value =
        QInputDialog::getInt(this, "Array Size", "Array Size", value, 1, TEntryListController::kMaxArraySize, 1, &ok);
    if (!ok) return;
    if (!controller_.SizeLosesData(value) ||
        AskYesNoDestructive("This operation will result in a loss of data.  Proceed?", this) == TMessageResult::Yes)
      break;
  }
  controller_.SetArraySize(value);
  FillList();
  LoadEntry();
  DataModified();
}

void TFormEntryListPage::CopyEntry() { controller_.Copy(Selected()); }

void TFormEntryListPage::PasteEntries() {
  if (!controller_.CanPaste()) return;
  int at = Selected();
  int pasted = controller_.Paste(at);
  if (pasted == 1)
    RewriteLine(at);
  else if (pasted > 1)
    FillList();
  if (pasted > 0) {
    LoadEntry();
    DataModified();
  }
}

void TFormEntryListPage::ClearEntry() {
  const int at = Selected();
  controller_.Clear(at);
  ShowEntryReset(at);
}

void TFormEntryListPage::CutEntry() {
  const int at = Selected();
  controller_.Cut(at);
  ShowEntryReset(at);
}

void TFormEntryListPage::ShowEntryReset(int at) {
  RewriteLine(at);
  LoadEntry();
  DataModified();
}

void TFormEntryListPage::RunMultipleCopy() {
  int at = Selected();
  int limit = controller_.MultipleCopyLimit(at);
  if (limit <= 0) return;
  bool ok = false;
  int n = QInputDialog::getInt(this, "Multiple Copy", "No. of Items", limit, 1, limit, 1, &ok);
  if (ok) controller_.MultipleCopy(at, n);
}

}  // namespace tess
