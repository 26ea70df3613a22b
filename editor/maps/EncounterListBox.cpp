#include "editor/maps/EncounterListBox.h"

#include <QContextMenuEvent>
#include <QMenu>

#include "database/LD_MonGroup.h"
#include "editor/maps/FormEDMapEncount.h"
#include "platform/TextCodec.h"

namespace tess {

TEncounterListBox::TEncounterListBox(TLcfEncount& encounters, const TLcfMonGroup& troops, QWidget* parent)
    : QListWidget(parent), model_(encounters), troops_(troops), menu_(new QMenu(this)) {
  setObjectName("EncounterList");
  menu_->addAction("Edit", this, &TEncounterListBox::EditRow);
  menu_->addSeparator();
  menu_->addAction("Cut", QKeySequence::Cut, this, &TEncounterListBox::CutRow);
  menu_->addAction("Copy", QKeySequence::Copy, this, &TEncounterListBox::CopyRow);
  pasteAction_ = menu_->addAction("Paste", QKeySequence::Paste, this, &TEncounterListBox::PasteRow);
  menu_->addAction("Delete", QKeySequence::Delete, this, &TEncounterListBox::DeleteRow);
  connect(this, &QListWidget::itemDoubleClicked, this, [this] { EditRow(); });
  Refill(0);
}

void TEncounterListBox::Refill(int row) {
  clear();
  for (int i = 0; i < model_.Rows(); ++i) {
    if (!model_.IsEncounter(i)) {
      addItem(QString());
      continue;
    }
    const auto* troop = troops_.FindById(model_.TroopAt(i));
    addItem(troop ? TextCodec::Current().ToUnicode(troop->name) : QString("(%1)").arg(model_.TroopAt(i)));
  }
  Selected(std::clamp(row, 0, model_.Rows() - 1));
}

void TEncounterListBox::Selected(int row) {
  setCurrentRow(row);
  // The row after it comes into view too.
  if (QListWidgetItem* next = item(std::min(row + 1, count() - 1))) scrollToItem(next);
}

void TEncounterListBox::EditRow() {
  const int row = currentRow();
  if (!model_.IsEncounter(row) && !model_.CanAdd()) return;
  TFormEDMapEncount dialog(troops_, model_.TroopAt(row), this);
  if (dialog.exec() != QDialog::Accepted) return;
  const int changed = model_.SetTroop(row, dialog.TroopId());
  if (changed >= 0) Refill(changed);
}

void TEncounterListBox::DeleteRow() {
  const int row = currentRow();
  if (model_.Delete(row)) Refill(row);
}

void TEncounterListBox::CopyRow() { model_.Copy(currentRow()); }

void TEncounterListBox::CutRow() {
  const int row = currentRow();
  if (model_.Cut(row)) Refill(row);
}

void TEncounterListBox::PasteRow() {
  const int row = model_.Paste(currentRow());
  if (row >= 0) Refill(row);
}

void TEncounterListBox::contextMenuEvent(QContextMenuEvent* event) {
  // The menu belongs to the list only while the list has the focus.
  if (event->reason() == QContextMenuEvent::Mouse && !hasFocus()) return;
  pasteAction_->setEnabled(model_.CanPaste());
  const bool encounter = model_.IsEncounter(currentRow());
  for (QAction* action : menu_->actions())
    if (action->text() == "Cut" || action->text() == "Copy" || action->text() == "Delete")
      action->setEnabled(encounter);
  const QPoint at = event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : mapToGlobal(QPoint(0, 0));
  menu_->exec(at);
}

void TEncounterListBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    EditRow();
    return;
  }
  if (event->matches(QKeySequence::Delete)) return DeleteRow();
  if (event->matches(QKeySequence::Copy)) return CopyRow();
  if (event->matches(QKeySequence::Cut)) return CutRow();
  if (event->matches(QKeySequence::Paste)) {
    if (model_.CanPaste()) PasteRow();
    return;
  }
  QListWidget::keyPressEvent(event);
}

}  // namespace tess
