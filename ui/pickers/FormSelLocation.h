#pragma once
// "Select Location": a map of the map tree and one of its cells, and where the location asks for
// it the facing afterwards. The tree lists the maps (areas are no places to go); the view beside
// it shows the selected map, drawn only where it is visible, and a click picks a cell, a double
// click picks it and confirms. A location whose map the tree does not hold (or map 0) opens with
// no map and no cell chosen; OK waits for a cell.
//
// The picker only reads the tree: the remembered view positions of its maps (the current map's
// included) are as they were after it closes, whichever button closed it.

#include <QAbstractScrollArea>
#include <QDialog>
#include <cstdint>
#include <memory>

#include "maps/CellMarker.h"
#include "maps/EventMap.h"
#include "maps/GR_CharSet.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace tess {

class TLcfDataBase;
class TLcfMapTree;
class TLcfEventItem;
class TLcfEventScriptLine;

struct TLocation {
  int32_t mapId = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t facing = 0;  // 0 retained, 1 up, 2 right, 3 down, 4 left
  friend bool operator==(const TLocation&, const TLocation&) = default;
};

// Where the picker finds what it shows.
struct TLocationSources {
  const TLcfDataBase* database = nullptr;  // the tilesets the maps are drawn with
  const TLcfMapTree* mapTree = nullptr;    // the maps; their files in its project and scratch folders
  // The map open in the editor (the tree's current map), drawn with its unsaved edits; none: read
  // from its file like every other map.
  const TLcfMap* currentMap = nullptr;
  // Only the current map is offered (an event's place on its own map).
  bool currentMapOnly = false;
};

// Shows "Select Location" on location; true with the picked location after OK, false (location
// unchanged) after Cancel. withFacing adds the facing choice.
bool SelectLocation(QWidget* owner, const TLocationSources& sources, TLocation& location, bool withFacing);

// Where a new Teleport opens: the current map, at the edited event's cell, else at the centre of
// the map view (its remembered scroll position in pixels / 32, plus 9 across and 7 down, limited
// to the map); an existing line's map and cell override these, and its facing when it has one.
TLocation TeleportStart(const TLcfMapTree* tree, const TLcfMap* map, const TLcfEventItem* event,
                        const TLcfEventScriptLine* line);

// The view of one map in which a cell is picked. Its events and the start positions the tree puts
// on it are marked as the map editor marks them outside the event mode.
class TLocationMapView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TLocationMapView(QWidget* parent = nullptr);
  // The map shown (the caller's, none for nothing), its tileset and the tree whose start positions
  // it shows (none: no start positions); the cell (-1: none) is framed and scrolled into the middle.
  void SetMap(const TLcfMap* map, const TLcfChipSetItem* tileset, const TLcfMapTree* tree = nullptr);
  // The event grid the markers are drawn from.
  const TLcfEventMap& Events() const { return events_; }
  void SetCell(int x, int y);
  void ScrollTo(int pixelX, int pixelY);
  int CellX() const { return cellX_; }
  int CellY() const { return cellY_; }
  bool HasCell() const { return cellX_ >= 0 && cellY_ >= 0; }

  // The author picked a cell (press) or picked and confirmed it (double click).
  std::function<void()> onPicked;
  std::function<void()> onConfirmed;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateScrollBars();
  bool CellAt(QPoint p, int& x, int& y) const;

  const TLcfMap* map_ = nullptr;
  TLcfChipSetGraphic graphic_;
  TLcfEventMap events_;
  TLcfCharSetGraphic charSets_;  // never loaded: the markers show no event pictures here
  TCellMarkerPainter markers_;
  TCorvidBoard board_;
  int cellX_ = -1, cellY_ = -1;
};

class TFormSelLocation : public QDialog {
  Q_OBJECT
 public:
  TFormSelLocation(QWidget* owner, const TLocationSources& sources, const TLocation& location, bool withFacing);
  ~TFormSelLocation() override;

  // The location as picked so far.
  TLocation Location() const { return location_; }
  bool HasCell() const;
  // Selects a map of the tree as a click on it would (false when the tree lists no such map).
  bool ShowMap(int32_t mapId);
  // Picks a cell of the map shown, as a click would.
  void PickCell(int x, int y);

  QTreeWidget* Tree() const { return tree_; }
  TLocationMapView* View() const { return view_; }
  QComboBox* Facing() const { return facing_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  void MapSelected(int32_t mapId, bool opening);
  void UpdateState();

  TLocationSources sources_;
  TLocation location_;
  bool cellChosen_ = false;
  QTreeWidget* tree_ = nullptr;
  TLocationMapView* view_ = nullptr;
  QComboBox* facing_ = nullptr;
  QLabel* place_ = nullptr;
  QPushButton* ok_ = nullptr;
  // The map shown when it is not the current one (read from its file).
  std::unique_ptr<TLcfMap> loaded_;
};

}  // namespace tess
