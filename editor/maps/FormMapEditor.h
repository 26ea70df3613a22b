#pragma once
// The map editor: the map view of the document's current map with the edit modes, the tools, the
// cursor frame, the selection with its marching ants, the context menus and the keys. Mouse and
// keys go to the document's editing controller; the view draws what it reports changed.
//
// Mouse: the left button uses the tool (pen, rectangle, ellipse, flood fill, selection, zoom in);
// the right button picks a block of tiles from the map with a drawing tool, zooms out with the
// zoom tool, and opens the context menu with the selection tool and in the event mode; another
// button during a stroke cancels it (so does Escape); the middle button pans; Ctrl + wheel zooms.
// A right double click switches between the lower and upper layer.

#include <QMenu>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "editor/maps/FormMapViewer.h"
#include "maps/EventManager.h"

namespace tess {

class TProjectDocument;

class TFormMapEditor : public TFormMapViewer {
  Q_OBJECT
 public:
  explicit TFormMapEditor(TProjectDocument& document, QWidget* parent = nullptr);
  ~TFormMapEditor() override;

  // The cell the status bar names: the one under the mouse, or the event mode's cursor.
  TCellPoint StatusCell() const;
  // The cursor frame as it is drawn now, in cells (empty: none).
  TCellRect CursorFrame() const { return frame_; }
  // Ends any drag in progress (the application was deactivated).
  void CancelDrag();
  // Puts the event mode's cursor on a cell of the map and centres the view on it (a search result
  // leads there). False when the map cannot be edited or the cell is outside it.
  bool CentreCursorOn(TCellPoint cell);
  // Centres the view on a cell of the map without moving any cursor; false outside the map.
  bool CentreViewOn(TCellPoint cell);

  // The context menus, for tests and the key handling.
  QMenu& TileMenu() { return tileMenu_; }
  QMenu& EventMenu() { return eventMenu_; }

  // The events of the map, cell by cell (the status bar names what stands on a cell through it).
  TLcfEventManager& EventManager() { return *events_; }
  // The event editor, which the main window provides: shown modally on the working copy, calling
  // apply on OK and Apply. Without it New and Edit Event do nothing.
  std::function<void(TLcfEventItem& copy, bool isNew, const std::function<void(const TLcfEventItem&)>& apply)>
      openEventEditor;
  // Whether "Place Teleport Event" is offered (its command window needs the location picker).
  bool teleportEvents = true;
  // The event menu's commands on the cursor cell; each does nothing where its item is disabled.
  enum class TEventCommand { NewOrEdit, Cut, Copy, Paste, Delete, Teleport, PartyStart, VehicleStart };
  void RunEventCommand(TEventCommand command);
  bool EventCommandEnabled(TEventCommand command) const;

 signals:
  // A message for the status bar.
  void StatusMessage(const QString& text);

 protected:
  TMapDrawOptions DrawOptions() const override;
  const TLcfEventMap* EventGrid() const override;
  TMarkerStyle MarkerStyle() const override;
  bool CellGrid() const override;
  void PaintOverlays(QPainter& painter) override;
  void RequestZoom(int cellSize, QPoint viewportPos) override;
  void Scrolled() override;
  void ViewportLeft() override;

  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  enum class TTileCommand { Cut, Copy, Paste, Clear, SelectAll };

  void ShowDocumentMap();
  void ShowSelectedArea();
  void FollowEditState();
  bool LayerMode() const;
  // The view's mouse position on the map.
  TMapPointer PointerAt(QPoint viewportPos) const;
  void Press(QMouseEvent* event, bool doubleClick);
  void ZoomWithTool(bool in, QPoint at);
  // The cursor frame follows the mouse, the pick or the event cursor.
  void UpdateFrame();
  TCellRect FrameWanted() const;
  QRect FrameClientRect(const TCellRect& cells) const;
  void UpdateCursorShape();
  void UpdateSelectionDisplay();
  void UpdateTileMenu();
  void RunTileCommand(TTileCommand command);
  void ShowTileMenu(QPoint globalPos);
  void ShowEventMenu(QPoint globalPos);
  void AutoScrollTick();
  void AntsTick();
  void ScrollCellIntoView(TCellPoint cell);
  void EndMouseAction();

  class TEventPort;

  TProjectDocument& document_;
  std::unique_ptr<TEventPort> eventPort_;
  std::unique_ptr<TLcfEventManager> events_;
  TCellRect frame_;
  TCellRect dropFrame_;  // an event being dragged: the cell it would drop on
  TCellRect antsRect_;   // the selection as the ants outline it now
  QPoint mouse_;         // the last mouse position in the viewport
  TMapModifiers modifiers_;
  QTimer pickTimer_;                  // 150 ms: a right-button pick grows into a block
  QTimer autoScroll_;                 // 40 ms: a selection being made scrolls the view near its edges
  QTimer ants_;                       // 50 ms: the selection's marching ants
  std::optional<QPoint> zoomAnchor_;  // the next zoom keeps this viewport point in place
  TEditMode shownMode_ = TEditMode::None;
  bool shownDimming_ = false;
  int cursorKind_ = -1;
  QMenu tileMenu_;
  QMenu eventMenu_;
  QAction* cut_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* paste_ = nullptr;
  QAction* clear_ = nullptr;
  QAction* selectAll_ = nullptr;
  int connections_[5] = {};
};

}  // namespace tess
