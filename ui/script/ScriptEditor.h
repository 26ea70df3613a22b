#pragma once
// The script pane of the three script editors (map event pages, common events, troop battle
// pages): the list with its converter and model, the menu "Insert", "Edit", "Cut", "Copy",
// "Paste", "Delete", "Select All" with its shortcuts, and the command chooser behind Insert and
// Edit.

#include <QWidget>

#include "script/EventScriptConverter.h"
#include "script/ScriptEditModel.h"

class QAction;
class QMenu;

namespace tess {

class TScriptListBox;

class TScriptEditor : public QWidget {
  Q_OBJECT
 public:
  TScriptEditor(const TLcfDataBase& database, TScriptKind kind, QWidget* parent = nullptr);
  ~TScriptEditor() override;

  // The context names are looked up in; set it before Attach, or Refresh after changing it.
  TEventScriptConverter& Converter() { return converter_; }
  ScriptEditModel& Model() { return model_; }
  TScriptListBox* List() const { return list_; }
  QMenu* Menu() const { return menu_; }

  // Shows a script (or none) and edits it in place.
  void Attach(TLcfEventScriptList* script);
  // Renders the lines again, after names changed.
  void Refresh() { model_.Refresh(); }

  // The menu's commands. Each does nothing where its item would be disabled.
  void InsertCommand();
  void EditCommand();
  void CutLines();
  void CopyLines();
  void PasteLines();
  void DeleteLines();
  void SelectAllLines();
  void UpdateMenu();

 signals:
  // The script changed.
  void changed();
  // A command dialog changed the database on the side (a switch name, say): the owner saves or
  // reloads what it must, and the names shown are refreshed.
  void changedElsewhere();

 private:
  TEventScriptConverter converter_;
  ScriptEditModel model_;
  TScriptListBox* list_ = nullptr;
  QMenu* menu_ = nullptr;
  QAction* insert_ = nullptr;
  QAction* edit_ = nullptr;
  QAction* cut_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* paste_ = nullptr;
  QAction* delete_ = nullptr;
  QAction* selectAll_ = nullptr;
};

}  // namespace tess
