#pragma once
// "Map Events": a dockable pane listing the events of the map being edited, by id, with name, cell,
// page count, first trigger and graphic, narrowed by a filter box. Choosing an event centres the
// map view on it (and puts the event cursor there in the event mode); a double click or Enter also
// opens the event editor through the map editor's event manager. The list follows the document:
// another map, an edit, undo and redo, paste and delete.

#include <QDockWidget>
#include <cstdint>

class QLineEdit;
class QTreeWidget;

namespace tess {

class TFormMapEditor;
class TProjectDocument;

class TFormMapEvents : public QDockWidget {
  Q_OBJECT
 public:
  TFormMapEvents(TProjectDocument& document, TFormMapEditor& editor, QWidget* parent = nullptr);
  ~TFormMapEvents() override;

  QLineEdit* Filter() const { return filter_; }
  QTreeWidget* List() const { return list_; }
  // Lists the current map's events again, keeping the chosen one when it is still listed.
  void Refill();
  // The chosen event's id, or 0.
  int32_t CurrentId() const;
  // Chooses the row of an event (centring the map on it); false when it is not listed.
  bool Choose(int32_t id);
  // Centres the map on the chosen event and opens the event editor on it; false when there is
  // none or the map cannot be edited.
  bool EditCurrent();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CentreOnCurrent();
  // The map editor's event cursor moved onto an event: its row becomes the chosen one.
  void FollowCursor();

  TProjectDocument& document_;
  TFormMapEditor& editor_;
  QLineEdit* filter_ = nullptr;
  QTreeWidget* list_ = nullptr;
  int filling_ = 0;
  int connections_[3] = {};
};

}  // namespace tess
