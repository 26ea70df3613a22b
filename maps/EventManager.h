#pragma once
// The events of the map being edited, cell by cell: what stands on a cell (an event or one of the
// four start positions), new and edited events through the event editor, copy, cut, paste and
// delete through the map events' clipboard format, the party's and the vehicles' start positions
// and ready-made teleport events. It holds no windows: what it asks of the author goes through
// TEventManagerPort, and every change goes through the commit hook, which makes it one undo step
// of the map (the side effect it hands over takes the change back and does it again).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/Stream.h"
#include "events/LD_Event.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "maps/MapEditUndo.h"

namespace tess {

// Map events on the clipboard: the byte size (32-bit little-endian), then either the integer 0 and
// an event's record or the single integer 60001 + k of start position k.
inline constexpr int kMapEventClipboardFormat = 563;
// Events the manager numbers: new, pasted and teleport events take the lowest free id up to this.
inline constexpr int32_t kMaxMapEventId = 5000;
inline constexpr const char* kNoFreeEventId = "All 5000 event ids of this map are in use.";

// What the manager asks of the editor's windows.
class TEventManagerPort {
 public:
  virtual ~TEventManagerPort() = default;
  // Shows the event editor on a working copy of the event (its id, name, pages and cell set);
  // apply is called with the edited copy on OK and Apply. isNew: a new event, which can be applied
  // without any change.
  virtual void EditEvent(TLcfEventItem& copy, bool isNew, const std::function<void(const TLcfEventItem&)>& apply) = 0;
  // "Vehicle Positioning": 1 skiff, 2 ship, 3 airship, or 0 when cancelled.
  virtual int AskVehicle() = 0;
  // The teleport command's window, with the working event as its context: the command's lines on
  // OK, none on Cancel. databaseChanged is set when the window changed the database on the side.
  virtual std::optional<TLcfEventScriptList> AskTeleport(const TLcfEventItem& event, bool& databaseChanged) = 0;
  // The database was changed on the side and is saved now.
  virtual void SaveDatabase() {}
  // A message for the status bar (an operation that cannot be done, and why).
  virtual void Say(const std::string& text) {}
};

// The state of one event (by id) and of the start positions, as an undo step restores it.
struct TEventSnapshot {
  int32_t eventId = 0;
  std::optional<Bytes> event;  // none: no event of that id
  int32_t starts[TLcfMapStartPosition::kSlotCount][3] = {};
};

class TLcfEventManager {
 public:
  // One change of the map: edit does it; effect(true) takes it back and effect(false) does it again.
  // The document makes it one undo step; without a commit hook the edit simply runs.
  using TCommit = std::function<void(const std::function<void()>& edit, TLcfMapEditUndoManager::TSideEffect effect)>;

  TLcfEventManager(TLcfMap& map, TLcfMapTree* tree, TEventManagerPort& port);

  TCommit commit;
  // Called after every change the manager makes.
  std::function<void()> OnChanged;

  int CellX() const { return cellX_; }
  int CellY() const { return cellY_; }
  // What FindObjectAt found: an event id, 60001..60004 for a start position, or 0.
  int32_t ObjectId() const { return objectId_; }

  // The first event in list order standing on the cell, else the first start position (party,
  // skiff, ship, airship) on this map and cell as 60001 + k, else 0.
  int32_t FindObjectAt(int x, int y);
  // The status bar's text for the cell: "Hero", "Skiff", "Ship", "Airship", the event's name, or "".
  std::string ObjectNameAt(int x, int y);
  // The lowest id from 1 to 5000 no event of the map uses, or 0 when all are used.
  int32_t LowestFreeId() const;

  // "New Event" on an empty cell (the lowest free id, named "EV%.4d", showing upper tile
  // tileId - 10000 on its first page) or "Edit Event" on an event. False when nothing was opened.
  bool EditEventAt(int x, int y, int tileId);
  // "Edit Event" on the map's event of that id, where it stands (the events pane, where two events
  // may share a cell). False when the map has no such event.
  bool EditEventById(int32_t id);
  // The event editor's OK and Apply: the map's event of that id becomes the copy, at the cell.
  void ApplyEvent(int32_t id, const TLcfEventItem& copy, int x, int y);
  bool CopyObjectAt(int x, int y);
  bool CutObjectAt(int x, int y);
  bool PasteObjectAt(int x, int y);
  bool DeleteObjectAt(int x, int y);
  // Moves what stands on a cell to an empty cell (dragging in the event mode).
  bool MoveObject(int fromX, int fromY, int toX, int toY);
  bool SetPartyStartAt(int x, int y);
  bool SetVehicleStartAt(int x, int y);
  // Sets vehicle start position slot (1 skiff, 2 ship, 3 airship) to the cell.
  bool PlaceVehicleAt(int slot, int x, int y);
  bool PlaceTeleportEventAt(int x, int y);
  // The teleport event of the cell made from the teleport command's lines (the part of
  // PlaceTeleportEventAt after its window).
  bool AddTeleportEvent(int32_t id, const TLcfEventScriptList& teleport, int x, int y);

  // Whether the clipboard holds map events.
  static bool CanPaste();
  // The name a pasted event takes: the default name of newId when name is the default name of
  // some id ("EV" and four digits reading above 0), else name itself.
  static std::string PastedName(const std::string& name, int32_t newId);

 private:
  void OpenEditor(int32_t id, bool isNew, int x, int y, int tileId);
  void Change(int32_t eventId, const std::function<void()>& edit);
  TEventSnapshot Snapshot(int32_t eventId) const;
  static void Restore(TLcfMap& map, TLcfMapTree* tree, const TEventSnapshot& s);
  bool StartOnCell(int slot, int x, int y) const;
  void SetStart(int slot, int32_t mapId, int x, int y);

  TLcfMap& map_;
  TLcfMapTree* tree_;
  TEventManagerPort& port_;
  int cellX_ = 0;
  int cellY_ = 0;
  int32_t objectId_ = 0;
};

}  // namespace tess
