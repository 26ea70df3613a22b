#include "ui/script/ScriptEditor.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>
#include <memory>

#include "core/MessagePort.h"
#include "platform/ShellServices.h"
#include "ui/script/FormEvCmdList.h"
#include "ui/script/ScriptListBox.h"

namespace tess {

namespace {

inline constexpr const char* kDamagedClipMessage =
    "The event commands on the clipboard are damaged or incomplete and were not pasted.";

std::unique_ptr<TFormEvCmdChooser> MakeChooser(TScriptKind kind, const TEventScriptConverter& context, QWidget* owner) {
  if (kind == TScriptKind::TroopPage) return std::make_unique<TFormEvCmdList2>(context, owner);
  return std::make_unique<TFormEvCmdList>(context, owner);
}

}  // namespace

TScriptEditor::TScriptEditor(const TLcfDataBase& database, TScriptKind kind, QWidget* parent)
    : QWidget(parent), converter_(database), model_(converter_, kind) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  list_ = new TScriptListBox(model_, this);
  layout->addWidget(list_);
  model_.onChanged = [this] { emit changed(); };
  model_.onViewChanged = [this] { list_->SyncWithModel(); };

  menu_ = new QMenu(this);
  auto add = [this](const char* caption, void (TScriptEditor::*command)(), QList<QKeySequence> keys) {
    QAction* action = menu_->addAction(caption);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, command);
    list_->addAction(action);
    return action;
  };
  insert_ = add("Insert", &TScriptEditor::InsertCommand, {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
  edit_ = add("Edit", &TScriptEditor::EditCommand, {QKeySequence(Qt::Key_Space)});
  menu_->addSeparator();
  cut_ = add("Cut", &TScriptEditor::CutLines, {QKeySequence(Qt::CTRL | Qt::Key_X)});
  copy_ = add("Copy", &TScriptEditor::CopyLines, {QKeySequence(Qt::CTRL | Qt::Key_C)});
  paste_ = add("Paste", &TScriptEditor::PasteLines, {QKeySequence(Qt::CTRL | Qt::Key_V)});
  delete_ = add("Delete", &TScriptEditor::DeleteLines, {QKeySequence(Qt::Key_Delete)});
  selectAll_ = add("Select All", &TScriptEditor::SelectAllLines, {QKeySequence(Qt::CTRL | Qt::Key_A)});
  list_->SetPopupMenu(menu_);
  connect(list_, &TScriptListBox::menuAboutToShow, this, &TScriptEditor::UpdateMenu);
  connect(list_, &TScriptListBox::doubleClicked, this, &TScriptEditor::InsertCommand);
  // Shortcuts reach the commands without the menu: outside the open menu every action stays
  // enabled, and each command checks its own rule when it runs.
  connect(menu_, &QMenu::aboutToHide, this, [this] {
    for (QAction* action : menu_->actions()) action->setEnabled(true);
  });
}

TScriptEditor::~TScriptEditor() = default;

void TScriptEditor::Attach(TLcfEventScriptList* script) { model_.Attach(script); }

void TScriptEditor::UpdateMenu() {
  const TScriptMenuState state = model_.MenuState();
  insert_->setEnabled(state.insert);
  edit_->setEnabled(state.edit);
  cut_->setEnabled(state.cut);
  copy_->setEnabled(state.copy);
  paste_->setEnabled(state.paste);
  delete_->setEnabled(state.remove);
  selectAll_->setEnabled(state.selectAll);
}

void TScriptEditor::InsertCommand() {
  if (!model_.MenuState().insert) return;
  std::unique_ptr<TFormEvCmdChooser> chooser = MakeChooser(model_.Kind(), converter_, this);
  // The chooser opens 352 pixels right of and 72 below the editor window's client origin.
  QWidget* editorWindow = window();
  chooser->adjustSize();
  const QScreen* screen = editorWindow->screen() ? editorWindow->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);
  chooser->move(PlaceInOwner(chooser->size(), editorWindow->mapToGlobal(QPoint(0, 0)), 352, 72, area).topLeft());
  const bool ok = chooser->exec() == QDialog::Accepted;
  if (chooser->ChangedElsewhere()) emit changedElsewhere();
  if (ok) model_.Insert(chooser->Output());
  list_->setFocus();
}

void TScriptEditor::EditCommand() {
  if (!model_.MenuState().edit) return;
  std::unique_ptr<TFormEvCmdChooser> chooser = MakeChooser(model_.Kind(), converter_, this);
  const bool ok = chooser->EditLines(model_.SelectedLines());
  if (chooser->ChangedElsewhere()) emit changedElsewhere();
  if (ok) model_.ReplaceSelection(chooser->Output());
}

void TScriptEditor::CutLines() { model_.Cut(); }
void TScriptEditor::CopyLines() { model_.Copy(); }
void TScriptEditor::DeleteLines() { model_.Delete(); }
void TScriptEditor::SelectAllLines() { model_.SelectAll(); }

void TScriptEditor::PasteLines() {
  if (model_.Paste() == TPasteResult::Damaged) ShowError(kDamagedClipMessage, window());
}

}  // namespace tess
