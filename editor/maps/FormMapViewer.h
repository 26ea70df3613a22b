#pragma once
// A window that shows a map: both tile layers over the panorama, a marker for every event and start
// position, at 32, 16, 8 or 4 pixels per cell, scrollable (wheel, scroll bars, middle-button
// panning) and zoomable (Ctrl + wheel, keeping the point under the mouse). A map smaller than the
// window is centred on a hatched background. It reports the cell under the mouse. Water and the
// animated tiles move while the window is shown.
//
// The map is drawn on a board of 16-bit pixels as large as the visible part of the map; only the
// cells that changed are drawn again, and scrolling moves what is drawn and draws only the strips
// it uncovers. On screens of two or more device pixels per pixel the board's pixels are blown up
// whole, never blurred.
//
// The map editor adds the edit modes and tools to it; on its own it serves wherever a map is shown
// to pick a cell or an area.

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QTimer>

#include "maps/CellMarker.h"
#include "maps/EventMap.h"
#include "maps/GR_CharSet.h"
#include "maps/MapCellWriter.h"
#include "maps/MapDrawing.h"
#include "maps/MapViewGeometry.h"
#include "media/CorvidSheet.h"

namespace tess {

class TLcfMap;
class TLcfMapTree;
class TLcfChipSetGraphic;
class TWheelPanner;

class TFormMapViewer : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TFormMapViewer(QWidget* parent = nullptr);
  ~TFormMapViewer() override;

  // What the view shows: the map and the graphic its tiles are drawn with (both the caller's; they
  // must stay until the next SetMap, which may pass null for none). tree (may be null) gives the
  // start positions; with storeScroll the view's position is kept in the map's entry of the tree
  // (restored from it here, written back whenever the view scrolls). The whole map is drawn again.
  void SetMap(const TLcfMap* map, TLcfChipSetGraphic* graphic, TLcfMapTree* tree = nullptr, bool storeScroll = false);
  const TLcfMap* Map() const { return map_; }
  // 32, 16, 8 or 4 pixels per cell; the point at the centre of the view stays there. Nothing when
  // unchanged.
  void SetCellSize(int cellSize);
  // The same, keeping the map point under a viewport point in place.
  void SetCellSizeAround(int cellSize, QPoint viewportPos);
  int CellSize() const { return cellSize_; }

  TMapViewGeometry Geometry() const;
  TPoint Scroll() const;
  void SetScroll(TPoint scroll);
  // The cell under a point of the viewport (negative left of and above the map).
  TCellPoint CellAt(QPoint viewportPos) const;
  // The grid corner nearest to a point of the viewport (corner (x, y): the top-left of cell (x, y)).
  TCellPoint CornerAt(QPoint viewportPos) const;
  // The cell under the mouse, (-1, -1) when the mouse is not over the map.
  TCellPoint HoverCell() const { return hover_; }
  // The viewport rectangle of a rectangle of cells, and of the drawn part of the map.
  QRect ClientRectOf(const TCellRect& cells) const;
  QRect MapClientRect() const;
  bool InsideMap(TCellPoint cell) const;

  // A rectangle of the map framed as an area (empty: none).
  void SetAreaFrame(const TCellRect& area);
  TCellRect AreaFrame() const { return area_; }
  // Lines along the cells' edges over the map.
  void SetGridVisible(bool visible);
  bool GridVisible() const { return gridVisible_; }

  // Draws cells again (after their tiles changed).
  void RedrawCells(const TCellRect& cells);
  void RedrawChanged(const TChangedCells& changed);
  void RedrawAll();
  // After the character sheets' files may have changed (the resource manager): read them again.
  void ReloadCharSets();

  // The board's visible part as the view shows it (tests and screenshots).
  QImage MapImage() const;
  bool Painted() const { return painted_; }
  int AnimationCounter() const { return counter_; }
  bool Animating() const { return animation_.isActive(); }

 signals:
  // The cell under the mouse changed; (-1, -1) when it left the map.
  void CursorMoved(int x, int y);
  // The cell size changed (Ctrl + wheel or a zoom command).
  void ZoomChanged(int cellSize);
  // The left or right button was pressed on a cell of the map (the plain view only; the editor
  // handles its presses itself).
  void CellPressed(int x, int y, Qt::MouseButton button);

 protected:
  // How the map is drawn: the cell size, the counter, dimming and the event layer.
  virtual TMapDrawOptions DrawOptions() const;
  // The event grid the markers are drawn from: the view's own, built at SetMap.
  virtual const TLcfEventMap* EventGrid() const { return &events_; }
  // How events and start positions are marked.
  virtual TMarkerStyle MarkerStyle() const { return TMarkerStyle::Translucent; }
  // Black lines along every cell, over the map (the event mode).
  virtual bool CellGrid() const { return false; }
  // What is drawn over the map after the board: frames, the selection (client coordinates).
  virtual void PaintOverlays(QPainter& painter);
  // The wheel with Ctrl asks for another cell size around a point; the plain view takes it.
  virtual void RequestZoom(int cellSize, QPoint viewportPos);
  // After the view scrolled: what follows the mouse follows it.
  virtual void Scrolled() {}
  // A map was set; the view has drawn it.
  virtual void MapSet() {}
  // The mouse left the viewport.
  virtual void ViewportLeft();
  // The mouse is over another cell, or left the map.
  void SetHover(TCellPoint cell);
  // Sets the scroll bars without drawing or storing anything; the caller draws everything.
  void SetScrollQuiet(TPoint scroll);
  TWheelPanner& Panner() const { return *panner_; }
  QElapsedTimer& Clock() { return clock_; }
  // A failure while drawing or handling the mouse: shown once per kind of failure, never thrown on.
  void ShowFailureOnce(const std::string& what);

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool viewportEvent(QEvent* event) override;

  const TLcfMap* map_ = nullptr;
  TLcfChipSetGraphic* graphic_ = nullptr;
  TLcfMapTree* tree_ = nullptr;
  TLcfCharSetGraphic charSets_;
  TCellMarkerPainter markers_;
  bool painted_ = false;

 private:
  // Sizes the boards and scroll ranges to the window, the map and the cell size; the scroll stays
  // as given (clamped). Draws nothing.
  void Layout(TPoint scroll);
  void ScrollBoardTo(TPoint scroll);
  // Draws cells on the board (clipped to what is visible) without showing them yet.
  void DrawCells(const TCellRect& cells);
  void DrawWholeBoard();
  void AnimationTick();
  void UpdateAnimation();
  void StoreScroll(TPoint from, TPoint to);
  TPoint StoredScroll() const;

  int cellSize_ = 32;
  TCorvidBoard board_;
  TPoint drawnScroll_;  // the scroll position the board shows
  bool boardValid_ = false;
  bool layingOut_ = false;
  bool storeScroll_ = false;
  TPoint stored_;  // the view's centre position in 1/1 pixels, when the tree does not keep it
  int32_t shownMapId_ = -1;
  TCorvidSheet panorama_;
  std::string panoramaName_;
  QBrush hatch_;
  TLcfEventMap events_;
  TCellRect area_;
  bool gridVisible_ = false;
  TCellPoint hover_{-1, -1};
  int wheelZoom_ = 0;  // the Ctrl + wheel's angle not yet turned into a zoom step
  int counter_ = 0;
  QTimer animation_;
  QElapsedTimer clock_;
  TWheelPanner* panner_;
  std::string failureShown_;
};

}  // namespace tess
