#pragma once
// The encounter list of the map and area dialogs: a row per encounter with its troop's name and
// an empty row at the end; Edit (double click, Enter), Delete, Copy, Cut and Paste from the
// context menu and the keys. The list model (TEncounterList) does the work.

#include <QListWidget>

#include "maps/EncounterList.h"

class QMenu;

namespace tess {

class TLcfMonGroup;

class TEncounterListBox : public QListWidget {
  Q_OBJECT
 public:
  TEncounterListBox(TLcfEncount& encounters, const TLcfMonGroup& troops, QWidget* parent = nullptr);

  // Shows the list again, selecting row (clamped).
  void Refill(int row);
  // The commands at the selected row; Edit opens "Define Encounter".
  void EditRow();
  void DeleteRow();
  void CopyRow();
  void CutRow();
  void PasteRow();
  QMenu* Menu() const { return menu_; }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Selected(int row);

  TEncounterList model_;
  const TLcfMonGroup& troops_;
  QMenu* menu_;
  QAction* pasteAction_;
};

}  // namespace tess
