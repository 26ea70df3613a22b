#include "maps/MapEditController.h"

#include <algorithm>

#include "maps/MapEditUtils.h"
#include "maps/MapSelection.h"
#include "maps/TileId.h"

namespace tess {

namespace {

// Division rounding toward minus infinity, so positions left of or above the map give negative cells.
int FloorDiv(int a, int b) {
  int q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

TCellPoint TMapPointer::Cell() const {
  const int size = std::max(1, cellSize);
  return {FloorDiv(x, size), FloorDiv(y, size)};
}

TCellPoint TMapPointer::Corner() const {
  const int size = std::max(1, cellSize);
  return {FloorDiv(x + size / 2, size), FloorDiv(y + size / 2, size)};
}

TMapEditController::TMapEditController(TLcfMap& map, TLcfMapEditUndoManager& history, ClipboardPort& clipboard)
    : state_(map, history), clipboard_(clipboard) {
  events_.Build(tree_, map);
}

void TMapEditController::SetMap() {
  action_ = TAction::None;
  state_.SetMap();
  events_.Build(tree_, state_.map);
  cursor_ = {-1, -1};
  state_.writer.ReportAll();
}

void TMapEditController::RefreshEvents() {
  events_.Build(tree_, state_.map);
  state_.writer.ReportAll();
}

void TMapEditController::SetMode(TEditMode mode) {
  if (mode == state_.mode) return;
  CancelAction();
  state_.mode = mode;
  if (mode == TEditMode::Event) {
    cursor_ = {-1, -1};
    DropSelection(state_);
    state_.history.Clear();
  }
  state_.writer.ReportAll();
}

void TMapEditController::SetTool(TEditTool tool) {
  CancelAction();
  DropSelection(state_);
  state_.tool = tool;
  state_.writer.ReportAll();
}

void TMapEditController::SetCurrentChip(TEditMode mode, const TLcfCurrentChip& chip) {
  state_.chips[static_cast<size_t>(mode)] = chip;
  ResetHotspot();
}

void TMapEditController::ResetHotspot() {
  state_.hotspot = {0, 0};
  if (state_.lifted) LiftSelection(state_);
}

void TMapEditController::Deselect() {
  CancelAction();
  DropSelection(state_);
}

bool TMapEditController::IsDrawingTool() const {
  switch (state_.tool) {
    case TEditTool::Pen:
    case TEditTool::Rectangle:
    case TEditTool::Ellipse:
    case TEditTool::FloodFill:
      return true;
    default:
      return false;
  }
}

TPressOutcome TMapEditController::Press(TMouseButton button, TMapPointer at, TMapModifiers mods, bool doubleClick) {
  state_.EnsureSized();
  state_.SetModifiers(mods.shift, mods.ctrl);
  if (Busy()) {
    // Another button while an action runs cancels it and starts nothing.
    CancelAction();
    return TPressOutcome::None;
  }
  if (button == TMouseButton::Middle) return TPressOutcome::None;
  const TCellPoint cell = at.Cell();
  const bool event = state_.mode == TEditMode::Event;
  const bool zoom = state_.tool == TEditTool::Zoom;

  if (doubleClick) {
    // The second press of a double click starts nothing.
    if (button == TMouseButton::Left && event) return TPressOutcome::OpenEvent;
    if (button == TMouseButton::Right && !zoom && state_.IsLayerMode()) {
      SetMode(state_.mode == TEditMode::Lower ? TEditMode::Upper : TEditMode::Lower);
      return TPressOutcome::LayerToggled;
    }
    if (!zoom || event) return TPressOutcome::None;
  }

  if (button == TMouseButton::Right) {
    if (event) return TPressOutcome::ShowEventMenu;
    if (!state_.IsLayerMode() || zoom) return TPressOutcome::None;
    if (state_.tool == TEditTool::Selection) {
      DropSelection(state_);
      return TPressOutcome::ShowTileMenu;
    }
    StartPick(cell);
    return TPressOutcome::StartPickTimer;
  }

  if (event) {
    if (events_.GetAt(cell.x, cell.y) < 0) return TPressOutcome::None;
    cursor_ = cell;
    if (events_.GetAt(cell.x, cell.y) > 0) {
      action_ = TAction::DragEvent;
      dragFrom_ = dropCell_ = cell;
    }
    return TPressOutcome::None;
  }
  if (!state_.IsLayerMode() || zoom) return TPressOutcome::None;
  if (state_.tool == TEditTool::Selection) {
    if (state_.selection.Contains(cell.x, cell.y)) {
      // Dragging the selection: the first drag of a freshly lifted selection is an undo point.
      if (state_.lifted) {
        state_.history.PushMap(state_.map);
        state_.MarkModified();
        state_.lifted = false;
      }
      action_ = TAction::MoveSelection;
      dragStart_ = state_.selection;
      stepX_ = at.x;
      stepY_ = at.y;
    } else {
      DropSelection(state_);
      const TCellPoint corner = at.Corner();
      selectionAnchor_ = {std::clamp(corner.x, 0, state_.map.lower.width),
                          std::clamp(corner.y, 0, state_.map.lower.height)};
      action_ = TAction::MakeSelection;
    }
    return TPressOutcome::None;
  }
  StartStroke(cell);
  return TPressOutcome::None;
}

void TMapEditController::Move(TMapPointer at, TMapModifiers mods) {
  state_.SetModifiers(mods.shift, mods.ctrl);
  switch (action_) {
    case TAction::Stroke:
      StrokeTo(at.Cell());
      break;
    case TAction::Pick:
      PickTo(at.Cell());
      break;
    case TAction::MakeSelection:
      SelectionTo(at);
      break;
    case TAction::MoveSelection:
      DragSelectionTo(at);
      break;
    case TAction::DragEvent:
      dropCell_ = at.Cell();
      break;
    case TAction::None:
      break;
  }
}

void TMapEditController::Release(TMouseButton button, TMapPointer at, TMapModifiers mods) {
  state_.SetModifiers(mods.shift, mods.ctrl);
  if (action_ == TAction::Pick) {
    if (button == TMouseButton::Right) {
      PickTo(at.Cell());
      FinishPick();
    }
    return;
  }
  if (button != TMouseButton::Left) return;
  const TAction action = action_;
  action_ = TAction::None;
  switch (action) {
    case TAction::Stroke:
      StrokeTo(at.Cell());
      // One undo step reverts the whole stroke; a stroke that changed no cell leaves none.
      if (state_.map.lower.cells == state_.beforeLower && state_.map.upper.cells == state_.beforeUpper) {
        state_.history.Sync(state_.map);
        break;
      }
      state_.history.PushLayers(state_.map, state_.beforeLower, state_.beforeUpper);
      state_.MarkModified();
      break;
    case TAction::MakeSelection:
      SelectionTo(at);
      LiftSelection(state_);
      break;
    case TAction::MoveSelection:
      DragSelectionTo(at);
      state_.history.Sync(state_.map);
      state_.MarkModified();
      break;
    case TAction::DragEvent:
      dropCell_ = at.Cell();
      FinishEventDrag();
      break;
    default:
      break;
  }
}

bool TMapEditController::CancelAction() {
  const TAction action = action_;
  action_ = TAction::None;
  switch (action) {
    case TAction::Stroke:
      state_.RestoreBeforeCopies();
      state_.history.Sync(state_.map);
      return true;
    case TAction::Pick:
      state_.hotspot = hotspotBeforePick_;
      return true;
    case TAction::MakeSelection:
      DropSelection(state_);
      return true;
    case TAction::MoveSelection:
      PlaceSelection(state_, dragStart_);
      state_.history.Sync(state_.map);
      return true;
    case TAction::DragEvent:
      return true;
    case TAction::None:
      return false;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Strokes

void TMapEditController::StartStroke(TCellPoint cell) {
  state_.TakeBeforeCopies();
  state_.patternOrigin = cell - state_.hotspot;
  action_ = TAction::Stroke;
  switch (state_.tool) {
    case TEditTool::Pen:
      lastCell_ = state_.patternOrigin;
      StampBlock(state_, lastCell_.x, lastCell_.y);
      break;
    case TEditTool::Rectangle:
    case TEditTool::Ellipse:
      anchor_ = lastCell_ = cell;
      lastShape_ = {cell.x, cell.y, 1, 1};
      PlotChip(state_, cell.x, cell.y);
      break;
    case TEditTool::FloodFill:
      FloodFillChips(state_, cell.x, cell.y);
      break;
    default:
      break;
  }
}

void TMapEditController::StrokeTo(TCellPoint cell) {
  switch (state_.tool) {
    case TEditTool::Pen: {
      const TCellPoint block = cell - state_.hotspot;
      if (block == lastCell_) return;
      DrawPenLine(state_, lastCell_, block);
      lastCell_ = block;
      break;
    }
    case TEditTool::Rectangle:
    case TEditTool::Ellipse: {
      if (cell == lastCell_) return;
      const TCellRect shape = TCellRect::Spanning(anchor_, cell);
      MarkShape(state_, state_.tool, shape);
      ApplyShapeMask(state_, lastShape_.United(shape).Grown(1), true);
      lastShape_ = shape;
      lastCell_ = cell;
      break;
    }
    default:
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Picking a block from the map

void TMapEditController::StartPick(TCellPoint cell) {
  const TLcfMapLayer& layer = state_.ActiveLayer();
  if (layer.width <= 0 || layer.height <= 0) return;
  anchor_ = {std::clamp(cell.x, 0, layer.width - 1), std::clamp(cell.y, 0, layer.height - 1)};
  hotspotBeforePick_ = state_.hotspot;
  state_.hotspot = {0, 0};
  pickRect_ = {anchor_.x, anchor_.y, 1, 1};
  pickArmed_ = false;
  action_ = TAction::Pick;
}

void TMapEditController::PickTo(TCellPoint cell) {
  // Until the trigger fires a right click picks the single cell it was pressed on.
  if (!pickArmed_) return;
  const TLcfMapLayer& layer = state_.ActiveLayer();
  const int reach = TLcfCurrentChip::kMaxSide - 1;
  TCellPoint c{std::clamp(cell.x, 0, layer.width - 1), std::clamp(cell.y, 0, layer.height - 1)};
  c.x = std::clamp(c.x, anchor_.x - reach, anchor_.x + reach);
  c.y = std::clamp(c.y, anchor_.y - reach, anchor_.y + reach);
  pickRect_ = TCellRect::Spanning(anchor_, c);
  state_.hotspot = {std::max(0, c.x - anchor_.x), std::max(0, c.y - anchor_.y)};
}

void TMapEditController::FinishPick() {
  action_ = TAction::None;
  const TLcfMapLayer& layer = state_.ActiveLayer();
  TLcfCurrentChip& chip = state_.CurrentChip();
  chip.SetSize(pickRect_.width, pickRect_.height);
  const bool preview = state_.mode == TEditMode::Lower && !state_.shiftHeld;
  for (int i = 0; i < chip.width; ++i)
    for (int j = 0; j < chip.height; ++j) {
      int id = layer.GetCell(pickRect_.x + i, pickRect_.y + j);
      // Picked without Shift, water and autotiles come in their palette forms, so painting them
      // shapes them again.
      if (preview && id < kWaterEnd)
        id = id / 1000 * 1000 + kPreviewShape;
      else if (preview && id < kLowerChipFirst)
        id = id / 50 * 50 + kPreviewShape;
      chip.SetCell(i, j, id);
    }
  if (onChipPicked) onChipPicked(state_.mode);
}

// ---------------------------------------------------------------------------------------------
// Selection

void TMapEditController::SelectionTo(TMapPointer at) {
  const TCellPoint corner = at.Corner();
  const TCellPoint c{std::clamp(corner.x, 0, state_.map.lower.width), std::clamp(corner.y, 0, state_.map.lower.height)};
  const TCellPoint& a = selectionAnchor_;
  const TCellRect r{std::min(a.x, c.x), std::min(a.y, c.y), std::abs(a.x - c.x), std::abs(a.y - c.y)};
  state_.selection = r.Empty() ? TCellRect{} : r;
}

void TMapEditController::DragSelectionTo(TMapPointer at) {
  // A step each time the mouse passes half a cell beyond the last step point.
  const int size = std::max(1, at.cellSize), half = size / 2;
  int dx = 0, dy = 0;
  while (at.x - stepX_ > half) ++dx, stepX_ += size;
  while (stepX_ - at.x > half) --dx, stepX_ -= size;
  while (at.y - stepY_ > half) ++dy, stepY_ += size;
  while (stepY_ - at.y > half) --dy, stepY_ -= size;
  if (dx || dy) PlaceSelection(state_, state_.selection.Moved(dx, dy));
}

bool TMapEditController::CanPaste() const { return tess::CanPaste(clipboard_); }

void TMapEditController::Copy() { CopySelection(state_, clipboard_); }

bool TMapEditController::Cut() {
  if (!HasSelection()) return false;
  Copy();
  return Clear();
}

bool TMapEditController::Paste(TCellPoint viewCentre) {
  if (!state_.IsLayerMode()) return false;
  CancelAction();
  return PasteSelection(state_, clipboard_, viewCentre);
}

bool TMapEditController::Clear() {
  CancelAction();
  return ClearSelection(state_);
}

void TMapEditController::SelectAll() {
  if (!state_.IsLayerMode()) return;
  CancelAction();
  state_.EnsureSized();
  tess::SelectAll(state_);
}

// ---------------------------------------------------------------------------------------------
// Undo and events

bool TMapEditController::Undo() { return StepHistory(false); }

bool TMapEditController::Redo() { return StepHistory(true); }

bool TMapEditController::StepHistory(bool forward) {
  CancelAction();
  state_.EnsureSized();
  if (!(forward ? state_.history.Redo(state_.map) : state_.history.Undo(state_.map))) return false;
  DropSelection(state_);
  state_.writer.ReportAll();
  state_.MarkModified();
  return true;
}

bool TMapEditController::MoveCursor(int dx, int dy) {
  if (state_.mode != TEditMode::Event || cursor_.x < 0 || Busy()) return false;
  const TCellPoint to{cursor_.x + dx, cursor_.y + dy};
  if (!state_.map.lower.Contains(to.x, to.y)) return false;
  cursor_ = to;
  return true;
}

void TMapEditController::FinishEventDrag() {
  const int moving = events_.GetAt(dragFrom_.x, dragFrom_.y);
  // Only an empty cell of the map takes what is dropped.
  if (moving <= 0 || events_.GetAt(dropCell_.x, dropCell_.y) != 0) return;
  if (deferEventDrops) {
    if (dropCell_.x != dragFrom_.x || dropCell_.y != dragFrom_.y) eventDrop_ = {dragFrom_, dropCell_};
    cursor_ = dropCell_;
    return;
  }
  if (TLcfEventMap::IsStartPosition(moving)) {
    if (!tree_) return;
    const int slot = moving - TLcfEventMap::kPartyStart;
    tree_->startPositions.SetX(slot, dropCell_.x);
    tree_->startPositions.SetY(slot, dropCell_.y);
  } else if (TLcfEventItem* e = state_.map.events.FindById(moving)) {
    e->x = dropCell_.x;
    e->y = dropCell_.y;
  } else {
    return;
  }
  cursor_ = dropCell_;
  RefreshEvents();
  state_.MarkModified();
}

}  // namespace tess
