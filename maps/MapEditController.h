#pragma once
// The map editor's handling of the mouse and the editing keys, without any window: the map view
// forwards its mouse presses, moves and releases (positions in map pixels at its zoom) and the
// editing commands here, and repaints the cells TakeChanged reports.

#include <functional>
#include <optional>
#include <utility>

#include "core/ClipboardPort.h"
#include "maps/EventMap.h"
#include "maps/MapEditState.h"

namespace tess {

enum class TMouseButton { Left, Right, Middle };

struct TMapModifiers {
  bool shift = false;
  bool ctrl = false;
};

// A mouse position on the map: pixels from the map's top-left corner at the view's cell size
// (the view adds its scroll position), so the selection can snap to the nearest grid corner.
struct TMapPointer {
  int x = 0;
  int y = 0;
  int cellSize = 32;

  // The centre of a cell.
  static TMapPointer AtCell(int cx, int cy, int cellSize = 32) {
    return {cx * cellSize + cellSize / 2, cy * cellSize + cellSize / 2, cellSize};
  }
  // The cell under the pointer; left of and above the map the cells are negative.
  TCellPoint Cell() const;
  // The grid corner nearest to the pointer.
  TCellPoint Corner() const;
};

// What the view does after a press.
enum class TPressOutcome {
  None,
  OpenEvent,       // a double click in the event mode: open the event at the cursor
  LayerToggled,    // a right double click switched between the lower and upper layer modes
  ShowTileMenu,    // right press with the selection tool
  ShowEventMenu,   // right press in the event mode
  StartPickTimer,  // a block pick started: call PickTimerFired after 150 ms
};

class TMapEditController {
 public:
  TMapEditController(TLcfMap& map, TLcfMapEditUndoManager& history, ClipboardPort& clipboard = Clipboard());

  TMapEditState& State() { return state_; }
  const TMapEditState& State() const { return state_; }
  const TLcfEventMap& EventMap() const { return events_; }

  // The map tree whose start positions the event grid shows and the event mode drags (may be null).
  void SetMapTree(TLcfMapTree* tree) { tree_ = tree; }
  // A map was loaded: every buffer and the history follow it, the event grid is rebuilt and any
  // action in progress is forgotten.
  void SetMap();
  // Rebuilds the event grid after an event operation.
  void RefreshEvents();

  // Entering the event mode drops the selection and the cursor and empties the undo history.
  void SetMode(TEditMode mode);
  // Drops the selection.
  void SetTool(TEditTool tool);
  // A new current chip for a mode (from the chip selector); the hotspot returns to its corner and a
  // lifted selection is lifted again, since what it vacates depends on the lower current chip.
  void SetCurrentChip(TEditMode mode, const TLcfCurrentChip& chip);
  void ResetHotspot();
  // Cancels the action in progress and drops the selection; the map stays as it is (the owner
  // changes the map past the controller next).
  void Deselect();

  TPressOutcome Press(TMouseButton button, TMapPointer at, TMapModifiers mods, bool doubleClick = false);
  void Move(TMapPointer at, TMapModifiers mods);
  void Release(TMouseButton button, TMapPointer at, TMapModifiers mods);
  void PickTimerFired() { pickArmed_ = true; }
  // Cancels the action in progress (Escape, or another button): a stroke's cells go back, a
  // dragged selection returns where the drag started, a pick or event drag ends without effect.
  bool CancelAction();
  bool Busy() const { return action_ != TAction::None; }

  bool Undo();
  bool Redo();
  bool CanUndo() const { return state_.history.CanUndo(); }
  bool CanRedo() const { return state_.history.CanRedo(); }

  bool HasSelection() const { return !state_.selection.Empty(); }
  bool CanPaste() const;
  void Copy();
  bool Cut();
  // viewCentre: the cell at the centre of the view, where the pasted block is centred.
  bool Paste(TCellPoint viewCentre);
  bool Clear();
  void SelectAll();

  // The cells changed since the last call, for repainting. The selection's outline, the cursor
  // frame and the pick frame are the view's to draw from State().selection, Cursor() and PickRect().
  TChangedCells TakeChanged() { return state_.writer.TakeChanged(); }
  // The event mode's cursor cell ((-1, -1) none), the block being picked, the drop cell of an event
  // drag: what the view frames.
  TCellPoint Cursor() const { return cursor_; }
  void SetCursor(TCellPoint cell) { cursor_ = cell; }
  // The arrow keys in the event mode: the cursor moves by one cell when the new cell is inside the
  // map. False outside the event mode, without a cursor, or at the edge.
  bool MoveCursor(int dx, int dy);
  bool Picking() const { return action_ == TAction::Pick; }
  TCellRect PickRect() const { return pickRect_; }
  bool DraggingEvent() const { return action_ == TAction::DragEvent; }
  TCellPoint DropCell() const { return dropCell_; }
  // With deferEventDrops an event drag that ends on an empty cell moves nothing itself: the owner
  // takes the move (from, to) here and makes it through the event manager, as one undo step.
  bool deferEventDrops = false;
  std::optional<std::pair<TCellPoint, TCellPoint>> TakeEventDrop() { return std::exchange(eventDrop_, std::nullopt); }

  // Whether the tool draws tiles (pen, rectangle, ellipse, flood fill); the view dims and shows the
  // block under the cursor only then.
  bool IsDrawingTool() const;

  // Told after a block was picked from the map into the current chip of mode.
  std::function<void(TEditMode)> onChipPicked;

 private:
  enum class TAction { None, Stroke, Pick, MakeSelection, MoveSelection, DragEvent };

  // Undo (or redo with forward): any action in progress is cancelled and the selection dropped.
  bool StepHistory(bool forward);
  void StartStroke(TCellPoint cell);
  void StrokeTo(TCellPoint cell);
  void StartPick(TCellPoint cell);
  void PickTo(TCellPoint cell);
  void FinishPick();
  void SelectionTo(TMapPointer at);
  void DragSelectionTo(TMapPointer at);
  void FinishEventDrag();

  TMapEditState state_;
  ClipboardPort& clipboard_;
  TLcfMapTree* tree_ = nullptr;
  TLcfEventMap events_;
  TAction action_ = TAction::None;
  TCellPoint cursor_{-1, -1};
  // Stroke
  TCellPoint anchor_;
  TCellPoint lastCell_;
  TCellRect lastShape_;
  // Pick
  bool pickArmed_ = false;
  TCellRect pickRect_;
  TCellPoint hotspotBeforePick_;
  // Selection
  TCellPoint selectionAnchor_;
  TCellRect dragStart_;
  int stepX_ = 0, stepY_ = 0;  // the last step point of a selection drag, in pixels
  // Event drag
  TCellPoint dragFrom_;
  TCellPoint dropCell_;
  std::optional<std::pair<TCellPoint, TCellPoint>> eventDrop_;
};

}  // namespace tess
