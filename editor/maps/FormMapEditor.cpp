#include "editor/maps/FormMapEditor.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <array>

#include "editor/maps/MapFrames.h"
#include "maps/AreaRect.h"
#include "project/ProjectDocument.h"
#include "script/EventScriptConverter.h"
#include "ui/EditorCursors.h"
#include "ui/WheelPanner.h"
#include "ui/script/CommandDialogs.h"

namespace tess {

namespace {

constexpr int kPickTriggerMs = 150;
constexpr int kAutoScrollMs = 40;
constexpr int kAntsMs = 50;
const QColor kDropFrameColour(160, 160, 160);

TMouseButton ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return TMouseButton::Right;
    case Qt::MiddleButton:
      return TMouseButton::Middle;
    default:
      return TMouseButton::Left;
  }
}

TMapModifiers ModifiersOf(Qt::KeyboardModifiers m) {
  return {m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier)};
}

// The cursors, made once: one per tool, then the pick, the moving selection and the arrow.
enum TCursorKind { kToolCursors = 0, kPickCursor = 6, kMoveCursor = 7, kArrowCursor = 8, kCursorKinds = 9 };

const QCursor& CursorOf(int kind) {
  static const std::array<QCursor, kCursorKinds> cursors = [] {
    std::array<QCursor, kCursorKinds> c;
    for (int t = 0; t < 6; ++t) c[static_cast<size_t>(t)] = ToolCursor(static_cast<TEditTool>(t));
    c[kPickCursor] = PickCursor();
    c[kMoveCursor] = QCursor(Qt::SizeAllCursor);
    c[kArrowCursor] = QCursor(Qt::ArrowCursor);
    return c;
  }();
  return cursors[static_cast<size_t>(kind)];
}

}  // namespace

namespace {

// "Vehicle Positioning": 1 skiff, 2 ship, 3 airship, 0 cancelled. A double click on a choice is OK.
int AskVehicle(QWidget* owner) {
  QDialog dialog(owner);
  dialog.setObjectName("FormMapShipPos");
  dialog.setWindowTitle("Vehicle Positioning");
  auto* layout = new QVBoxLayout(&dialog);
  QRadioButton* choices[3];
  const char* names[] = {"Skiff", "Ship", "Airship"};
  for (int i = 0; i < 3; ++i) {
    choices[i] = new QRadioButton(names[i], &dialog);
    layout->addWidget(choices[i]);
  }
  choices[0]->setChecked(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  struct TDoubleClick : QObject {
    QDialog* dialog;
    explicit TDoubleClick(QDialog* d) : QObject(d), dialog(d) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::MouseButtonDblClick) {
        static_cast<QRadioButton*>(watched)->setChecked(true);
        dialog->accept();
        return true;
      }
      return false;
    }
  };
  auto* filter = new TDoubleClick(&dialog);
  for (QRadioButton* c : choices) c->installEventFilter(filter);
  if (dialog.exec() != QDialog::Accepted) return 0;
  for (int i = 0; i < 3; ++i)
    if (choices[i]->isChecked()) return i + 1;
  return 0;
}

}  // namespace

// The windows the event manager asks through.
class TFormMapEditor::TEventPort : public TEventManagerPort {
 public:
  explicit TEventPort(TFormMapEditor& editor) : editor_(editor) {}
  void EditEvent(TLcfEventItem& copy, bool isNew, const std::function<void(const TLcfEventItem&)>& apply) override {
    if (editor_.openEventEditor) editor_.openEventEditor(copy, isNew, apply);
  }
  int AskVehicle() override { return tess::AskVehicle(&editor_); }
  std::optional<TLcfEventScriptList> AskTeleport(const TLcfEventItem& event, bool& databaseChanged) override {
    TProjectDocument& d = editor_.document_;
    TEventScriptConverter converter(d.DataBase());
    converter.EventId = static_cast<uint32_t>(event.Id());
    converter.Event = &event;
    converter.MapTree = &d.MapTree();
    converter.Map = &d.Map();
    converter.EditableDatabase = &d.DataBase();
    TCommandDialogContext context{converter, &editor_};
    TLcfEventScriptList lines;
    const bool ok = RunCommandDialog(10810, lines, context);
    databaseChanged = context.changedElsewhere;
    if (!ok) return std::nullopt;
    return lines;
  }
  void SaveDatabase() override { editor_.document_.SaveDataBase(); }
  void Say(const std::string& text) override { emit editor_.StatusMessage(QString::fromStdString(text)); }

 private:
  TFormMapEditor& editor_;
};

TFormMapEditor::TFormMapEditor(TProjectDocument& document, QWidget* parent)
    : TFormMapViewer(parent), document_(document) {
  setObjectName("MapEditor");
  eventPort_ = std::make_unique<TEventPort>(*this);
  events_ = std::make_unique<TLcfEventManager>(document_.Map(), &document_.MapTree(), *eventPort_);
  // Every change of the events is one undo step of the map; the views follow mapChanged.
  events_->commit = [this](const std::function<void()>& edit, TLcfMapEditUndoManager::TSideEffect effect) {
    document_.EditMap([&](TLcfMap&) { edit(); }, std::move(effect));
  };
  document_.SetEventDropsDeferred(true);
  pickTimer_.setSingleShot(true);
  pickTimer_.setInterval(kPickTriggerMs);
  connect(&pickTimer_, &QTimer::timeout, this, [this] {
    document_.UseEditor([this](TMapEditController& c) {
      c.PickTimerFired();
      // The block follows the mouse from now on, starting where it is.
      c.Move(PointerAt(mouse_), modifiers_);
    });
    UpdateFrame();
  });
  autoScroll_.setInterval(kAutoScrollMs);
  connect(&autoScroll_, &QTimer::timeout, this, &TFormMapEditor::AutoScrollTick);
  ants_.setInterval(kAntsMs);
  connect(&ants_, &QTimer::timeout, this, &TFormMapEditor::AntsTick);

  cut_ = tileMenu_.addAction("Cut", this, [this] { RunTileCommand(TTileCommand::Cut); });
  cut_->setShortcut(QKeySequence::Cut);
  copy_ = tileMenu_.addAction("Copy", this, [this] { RunTileCommand(TTileCommand::Copy); });
  copy_->setShortcut(QKeySequence::Copy);
  paste_ = tileMenu_.addAction("Paste", this, [this] { RunTileCommand(TTileCommand::Paste); });
  paste_->setShortcut(QKeySequence::Paste);
  clear_ = tileMenu_.addAction("Clear", this, [this] { RunTileCommand(TTileCommand::Clear); });
  clear_->setShortcut(QKeySequence(Qt::Key_Delete));
  tileMenu_.addSeparator();
  selectAll_ = tileMenu_.addAction("Select All", this, [this] { RunTileCommand(TTileCommand::SelectAll); });
  selectAll_->setShortcut(QKeySequence::SelectAll);
  // The shortcuts are shown in the menu; the keys themselves are handled in keyPressEvent, which
  // knows the tool and mode they need.
  for (QAction* a : tileMenu_.actions()) a->setShortcutContext(Qt::WidgetShortcut);

  connections_[0] = document_.mapChanged.Connect([this] { ShowDocumentMap(); });
  connections_[1] = document_.cellsChanged.Connect([this](const TChangedCells& changed) {
    RedrawChanged(changed);
    UpdateFrame();
    UpdateSelectionDisplay();
  });
  connections_[2] = document_.editStateChanged.Connect([this] { FollowEditState(); });
  connections_[3] = document_.projectClosed.Connect([this] { FollowEditState(); });
  // The area's rectangle may have changed in its properties.
  connections_[4] = document_.treeChanged.Connect([this] { ShowSelectedArea(); });
  ShowDocumentMap();
  FollowEditState();
}

TFormMapEditor::~TFormMapEditor() {
  document_.mapChanged.Disconnect(connections_[0]);
  document_.cellsChanged.Disconnect(connections_[1]);
  document_.editStateChanged.Disconnect(connections_[2]);
  document_.projectClosed.Disconnect(connections_[3]);
  document_.treeChanged.Disconnect(connections_[4]);
}

// ---------------------------------------------------------------------------------------------
// Following the document

void TFormMapEditor::ShowDocumentMap() {
  const TLcfMap& map = document_.Map();
  const bool shown = document_.IsOpen() && map.Id() > 0 && map.width > 0;
  SetMap(shown ? &map : nullptr, &document_.ChipSet(), &document_.MapTree(), true);
  ShowSelectedArea();
  UpdateFrame();
  UpdateSelectionDisplay();
  emit CursorMoved(StatusCell().x, StatusCell().y);
}

void TFormMapEditor::ShowSelectedArea() {
  // An area of this map selected in the tree is framed, as far as it lies on the map.
  TCellRect area;
  const TLcfMap& map = document_.Map();
  const TLcfMapTree& tree = document_.MapTree();
  const TLcfMapTreeItem* node = tree.FindById(tree.currentId);
  const TLcfMapTreeItem* owner = tree.OwningMap(tree.currentId);
  if (Map() && node && node->IsArea() && owner && owner->Id() == map.Id())
    area = ClampAreaRect(AreaRectOf(node->areaRect), map.width, map.height);
  SetAreaFrame(area);
}

void TFormMapEditor::FollowEditState() {
  const TEditMode mode = document_.IsOpen() ? document_.EditMode() : TEditMode::None;
  // The mode decides the markers and the grid, the tool with it which layer is dimmed.
  const bool dimming = LayerMode() && document_.Editor().IsDrawingTool();
  const bool redraw = mode != shownMode_ || dimming != shownDimming_;
  shownMode_ = mode;
  shownDimming_ = dimming;
  const int size = CellPixels(document_.Zoom());
  if (size != CellSize()) {
    if (zoomAnchor_)
      SetCellSizeAround(size, *zoomAnchor_);
    else
      SetCellSize(size);
  } else if (redraw) {
    RedrawAll();
  }
  UpdateFrame();
  UpdateCursorShape();
  UpdateSelectionDisplay();
}

bool TFormMapEditor::LayerMode() const { return document_.IsOpen() && IsTileLayer(document_.EditMode()); }

TMapDrawOptions TFormMapEditor::DrawOptions() const {
  TMapDrawOptions options = TFormMapViewer::DrawOptions();
  // The layer not being edited stands back while a drawing tool is in use.
  if (LayerMode() && document_.Editor().IsDrawingTool())
    options.dimming = document_.EditMode() == TEditMode::Upper ? TLayerDimming::Lower : TLayerDimming::Upper;
  return options;
}

const TLcfEventMap* TFormMapEditor::EventGrid() const { return &document_.Editor().EventMap(); }

TMarkerStyle TFormMapEditor::MarkerStyle() const {
  return document_.IsOpen() && document_.EditMode() == TEditMode::Event ? TMarkerStyle::EventMode
                                                                        : TMarkerStyle::Translucent;
}

bool TFormMapEditor::CellGrid() const { return document_.IsOpen() && document_.EditMode() == TEditMode::Event; }

TCellPoint TFormMapEditor::StatusCell() const {
  if (HoverCell().x >= 0) return HoverCell();
  if (CellGrid()) return document_.Editor().Cursor();
  return {-1, -1};
}

// ---------------------------------------------------------------------------------------------
// Frames, cursors and the selection

TCellRect TFormMapEditor::FrameWanted() const {
  if (!map_) return {};
  const TMapEditController& ed = document_.Editor();
  if (CellGrid()) {
    const TCellPoint c = ed.Cursor();
    return c.x >= 0 ? TCellRect{c.x, c.y, 1, 1} : TCellRect{};
  }
  if (!LayerMode() || !document_.Editor().IsDrawingTool() || Panner().Active()) return {};
  if (ed.Picking()) return ed.PickRect();
  if (HoverCell().x < 0) return {};
  const TLcfCurrentChip& chip = ed.State().CurrentChip();
  const TCellPoint h = ed.State().hotspot;
  return {HoverCell().x - h.x, HoverCell().y - h.y, chip.width, chip.height};
}

QRect TFormMapEditor::FrameClientRect(const TCellRect& cells) const {
  if (cells.Empty()) return {};
  const QRect r = ClientRectOf(cells);
  // In the event mode the frame reaches over the grid line of the cells to the left and above.
  return CellGrid() ? r.adjusted(-1, -1, 0, 0) : r;
}

void TFormMapEditor::UpdateFrame() {
  const TCellRect wanted = FrameWanted();
  if (wanted != frame_) {
    viewport()->update(FrameClientRect(frame_));
    frame_ = wanted;
    viewport()->update(FrameClientRect(frame_));
  }
  const TMapEditController& ed = document_.Editor();
  const TCellRect drop = ed.DraggingEvent() ? TCellRect{ed.DropCell().x, ed.DropCell().y, 1, 1} : TCellRect{};
  if (drop != dropFrame_) {
    viewport()->update(ClientRectOf(dropFrame_));
    dropFrame_ = drop;
    viewport()->update(ClientRectOf(dropFrame_));
  }
}

void TFormMapEditor::UpdateCursorShape() {
  if (Panner().Active()) return;
  const TMapEditController& ed = document_.Editor();
  int kind = kArrowCursor;
  if (LayerMode()) {
    const TEditTool tool = document_.Tool();
    if (ed.Picking())
      kind = kPickCursor;
    else if (tool == TEditTool::Selection && ed.State().selection.Contains(HoverCell().x, HoverCell().y))
      kind = kMoveCursor;
    else
      kind = kToolCursors + static_cast<int>(tool);
  }
  if (kind == cursorKind_) return;
  cursorKind_ = kind;
  viewport()->setCursor(CursorOf(kind));
}

void TFormMapEditor::UpdateSelectionDisplay() {
  const bool shown = LayerMode() && document_.Tool() == TEditTool::Selection;
  const TCellRect selection = shown ? document_.Editor().State().selection : TCellRect{};
  if (selection != antsRect_) {
    viewport()->update(ClientRectOf(antsRect_));
    antsRect_ = selection;
    viewport()->update(ClientRectOf(antsRect_));
  }
  if (antsRect_.Empty())
    ants_.stop();
  else if (!ants_.isActive())
    ants_.start();
}

void TFormMapEditor::AntsTick() {
  if (antsRect_.Empty()) return ants_.stop();
  // Only the outline moves.
  const QRect r = ClientRectOf(antsRect_);
  viewport()->update(QRegion(r).subtracted(QRegion(r.adjusted(1, 1, -1, -1))));
}

void TFormMapEditor::PaintOverlays(QPainter& painter) {
  if (!antsRect_.Empty()) DrawMarchingAnts(painter, ClientRectOf(antsRect_), AntsPhase(Clock().elapsed()));
  if (!dropFrame_.Empty()) {
    const QRect r = ClientRectOf(dropFrame_);
    DrawOutline(painter, r, kDropFrameColour);
    DrawOutline(painter, r.adjusted(1, 1, -1, -1), kDropFrameColour);
  }
  if (!frame_.Empty()) DrawCursorFrame(painter, FrameClientRect(frame_), ModeColour(shownMode_));
}

// ---------------------------------------------------------------------------------------------
// Mouse

TMapPointer TFormMapEditor::PointerAt(QPoint viewportPos) const {
  return Geometry().PointerAt({viewportPos.x(), viewportPos.y()}, Scroll());
}

void TFormMapEditor::mousePressEvent(QMouseEvent* event) {
  // Until the map has been shown there is nothing the mouse could aim at.
  if (!painted_ || !map_) return;
  setFocus(Qt::MouseFocusReason);
  mouse_ = event->position().toPoint();
  modifiers_ = ModifiersOf(event->modifiers());
  if (event->button() == Qt::MiddleButton && !document_.Editor().Busy()) {
    Panner().Start(mouse_);
    UpdateFrame();
    return;
  }
  Press(event, false);
}

void TFormMapEditor::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!painted_ || !map_) return;
  mouse_ = event->position().toPoint();
  modifiers_ = ModifiersOf(event->modifiers());
  // With the zoom tool the second click zooms again.
  Press(event, !(LayerMode() && document_.Tool() == TEditTool::Zoom));
}

void TFormMapEditor::Press(QMouseEvent* event, bool doubleClick) {
  const TMapEditController& ed = document_.Editor();
  if (!ed.Busy() && LayerMode() && document_.Tool() == TEditTool::Zoom) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
      ZoomWithTool(event->button() == Qt::LeftButton, mouse_);
    return;
  }
  TPressOutcome outcome = TPressOutcome::None;
  const TCellPoint cursor = ed.Cursor();
  document_.UseEditor([&](TMapEditController& c) {
    outcome = c.Press(ButtonOf(event->button()), PointerAt(mouse_), modifiers_, doubleClick);
  });
  // The event mode's cursor went to the pressed cell: the status bar and the events pane follow.
  if (!(ed.Cursor() == cursor)) emit CursorMoved(StatusCell().x, StatusCell().y);
  switch (outcome) {
    case TPressOutcome::ShowTileMenu:
      ShowTileMenu(event->globalPosition().toPoint());
      break;
    case TPressOutcome::ShowEventMenu:
      ShowEventMenu(event->globalPosition().toPoint());
      break;
    case TPressOutcome::StartPickTimer:
      pickTimer_.start();
      break;
    case TPressOutcome::LayerToggled:
      // The controller switched the layer; the document, the menus and the palette follow.
      document_.SetEditMode(ed.State().mode);
      break;
    case TPressOutcome::OpenEvent:
      RunEventCommand(TEventCommand::NewOrEdit);
      break;
    case TPressOutcome::None:
      break;
  }
  if (ed.Busy() && document_.Tool() == TEditTool::Selection && LayerMode()) autoScroll_.start();
  EndMouseAction();
}

void TFormMapEditor::mouseMoveEvent(QMouseEvent* event) {
  if (!painted_) return;
  mouse_ = event->position().toPoint();
  modifiers_ = ModifiersOf(event->modifiers());
  if (Panner().Active()) return;
  const TCellPoint cell = CellAt(mouse_);
  SetHover(InsideMap(cell) ? cell : TCellPoint{-1, -1});
  if (document_.Editor().Busy())
    document_.UseEditor([&](TMapEditController& c) { c.Move(PointerAt(mouse_), modifiers_); });
  EndMouseAction();
}

void TFormMapEditor::mouseReleaseEvent(QMouseEvent* event) {
  if (!painted_) return;
  mouse_ = event->position().toPoint();
  modifiers_ = ModifiersOf(event->modifiers());
  if (Panner().Active()) return;
  std::optional<std::pair<TCellPoint, TCellPoint>> drop;
  if (document_.Editor().Busy())
    document_.UseEditor([&](TMapEditController& c) {
      c.Release(ButtonOf(event->button()), PointerAt(mouse_), modifiers_);
      drop = c.TakeEventDrop();
    });
  // An event dropped on an empty cell moves through the manager: one undo step.
  if (drop) {
    events_->MoveObject(drop->first.x, drop->first.y, drop->second.x, drop->second.y);
    emit CursorMoved(StatusCell().x, StatusCell().y);
  }
  EndMouseAction();
}

void TFormMapEditor::EndMouseAction() {
  const TMapEditController& ed = document_.Editor();
  if (!ed.Picking()) pickTimer_.stop();
  if (!ed.Busy()) autoScroll_.stop();
  UpdateFrame();
  UpdateCursorShape();
  UpdateSelectionDisplay();
}

void TFormMapEditor::CancelDrag() {
  if (document_.Editor().Busy()) document_.UseEditor([](TMapEditController& c) { c.CancelAction(); });
  Panner().Stop();
  EndMouseAction();
}

void TFormMapEditor::ViewportLeft() {
  // The event mode's cursor and a pick stay; the tool's frame goes with the mouse.
  if (CellGrid() || document_.Editor().Picking()) return;
  SetHover({-1, -1});
  UpdateFrame();
}

void TFormMapEditor::Scrolled() {
  // The mouse now stands over another cell.
  if (viewport()->rect().contains(mouse_) && underMouse()) {
    const TCellPoint cell = CellAt(mouse_);
    SetHover(InsideMap(cell) ? cell : TCellPoint{-1, -1});
  }
  UpdateFrame();
}

void TFormMapEditor::AutoScrollTick() {
  const TMapEditController& ed = document_.Editor();
  if (!ed.Busy() || document_.Tool() != TEditTool::Selection) return autoScroll_.stop();
  const TMapViewGeometry g = Geometry();
  const TPoint o = g.Offset();
  const TPoint step = AutoScrollStep({mouse_.x() - o.x, mouse_.y() - o.y}, g.VisibleWidth(), g.VisibleHeight());
  if (step.x || step.y) SetScroll({Scroll().x + step.x, Scroll().y + step.y});
  // The selection follows the mouse over what scrolled in.
  document_.UseEditor([&](TMapEditController& c) { c.Move(PointerAt(mouse_), modifiers_); });
  UpdateSelectionDisplay();
}

void TFormMapEditor::ZoomWithTool(bool in, QPoint at) {
  const int size = in ? ZoomedIn(CellSize()) : ZoomedOut(CellSize());
  if (size != CellSize()) RequestZoom(size, at);
}

void TFormMapEditor::RequestZoom(int cellSize, QPoint viewportPos) {
  // The document holds the zoom (the menu's check marks follow it); the view applies it around
  // the mouse when the document tells it.
  zoomAnchor_ = viewportPos;
  document_.SetZoom(ZoomOfCellSize(cellSize));
  zoomAnchor_.reset();
}

// ---------------------------------------------------------------------------------------------
// Menus and keys

void TFormMapEditor::UpdateTileMenu() {
  const TMapEditController& ed = document_.Editor();
  cut_->setEnabled(ed.HasSelection());
  copy_->setEnabled(ed.HasSelection());
  clear_->setEnabled(ed.HasSelection());
  paste_->setEnabled(ed.CanPaste());
  selectAll_->setEnabled(true);
}

void TFormMapEditor::ShowTileMenu(QPoint globalPos) {
  UpdateTileMenu();
  tileMenu_.popup(globalPos);
}

void TFormMapEditor::ShowEventMenu(QPoint globalPos) {
  const TMapEditController& ed = document_.Editor();
  const int v = ed.EventMap().GetAt(ed.Cursor().x, ed.Cursor().y);
  eventMenu_.clear();
  auto add = [&](const char* text, TEventCommand command, QKeySequence key = {}) {
    QAction* a = eventMenu_.addAction(text, this, [this, command] { RunEventCommand(command); });
    a->setShortcut(key);
    a->setShortcutContext(Qt::WidgetShortcut);
    a->setEnabled(EventCommandEnabled(command));
    return a;
  };
  eventMenu_.setDefaultAction(
      add(v <= 0 ? "New Event" : "Edit Event", TEventCommand::NewOrEdit, QKeySequence(Qt::Key_Return)));
  eventMenu_.addSeparator();
  add("Cut", TEventCommand::Cut, QKeySequence::Cut);
  add("Copy", TEventCommand::Copy, QKeySequence::Copy);
  add("Paste", TEventCommand::Paste, QKeySequence::Paste);
  add("Delete", TEventCommand::Delete, QKeySequence(Qt::Key_Delete));
  eventMenu_.addSeparator();
  add("Place Teleport Event", TEventCommand::Teleport);
  add("Place Party Starting Position", TEventCommand::PartyStart);
  add("Place Vehicle Starting Position", TEventCommand::VehicleStart);
  eventMenu_.popup(globalPos);
}

bool TFormMapEditor::EventCommandEnabled(TEventCommand command) const {
  const TMapEditController& ed = document_.Editor();
  if (!CellGrid() || ed.Cursor().x < 0 || !document_.CanEditMap()) return false;
  const int v = ed.EventMap().GetAt(ed.Cursor().x, ed.Cursor().y);
  if (v < 0) return false;
  switch (command) {
    case TEventCommand::NewOrEdit:
      return v <= TLcfEventMap::kMaxEventId;
    case TEventCommand::Cut:
    case TEventCommand::Copy:
    case TEventCommand::Delete:
      return v > 0;
    case TEventCommand::Paste:
      return v == 0 && TLcfEventManager::CanPaste();
    case TEventCommand::Teleport:
      return v == 0 && teleportEvents;
    case TEventCommand::PartyStart:
    case TEventCommand::VehicleStart:
      return v == 0;
  }
  return false;
}

void TFormMapEditor::RunEventCommand(TEventCommand command) {
  if (!EventCommandEnabled(command)) return;
  CancelDrag();
  const TCellPoint c = document_.Editor().Cursor();
  TLcfEventManager& m = *events_;
  switch (command) {
    case TEventCommand::NewOrEdit:
      m.EditEventAt(c.x, c.y, document_.Editor().State().chips[static_cast<size_t>(TEditMode::Event)].Cell(0, 0));
      break;
    case TEventCommand::Cut:
      m.CutObjectAt(c.x, c.y);
      break;
    case TEventCommand::Copy:
      m.CopyObjectAt(c.x, c.y);
      break;
    case TEventCommand::Paste:
      m.PasteObjectAt(c.x, c.y);
      break;
    case TEventCommand::Delete:
      m.DeleteObjectAt(c.x, c.y);
      break;
    case TEventCommand::Teleport:
      m.PlaceTeleportEventAt(c.x, c.y);
      break;
    case TEventCommand::PartyStart:
      m.SetPartyStartAt(c.x, c.y);
      break;
    case TEventCommand::VehicleStart:
      m.SetVehicleStartAt(c.x, c.y);
      break;
  }
  UpdateFrame();
  emit CursorMoved(StatusCell().x, StatusCell().y);
}

void TFormMapEditor::RunTileCommand(TTileCommand command) {
  UpdateTileMenu();
  const QAction* action = command == TTileCommand::Cut     ? cut_
                          : command == TTileCommand::Copy  ? copy_
                          : command == TTileCommand::Paste ? paste_
                          : command == TTileCommand::Clear ? clear_
                                                           : selectAll_;
  if (!action->isEnabled() || !LayerMode()) return;
  const TMapViewGeometry g = Geometry();
  // A pasted block is centred in the view.
  const TCellPoint centre{(g.VisibleWidth() / 2 + Scroll().x) / std::max(1, g.cellSize),
                          (g.VisibleHeight() / 2 + Scroll().y) / std::max(1, g.cellSize)};
  document_.UseEditor([&](TMapEditController& c) {
    switch (command) {
      case TTileCommand::Cut:
        c.Cut();
        break;
      case TTileCommand::Copy:
        c.Copy();
        break;
      case TTileCommand::Paste:
        c.Paste(centre);
        break;
      case TTileCommand::Clear:
        c.Clear();
        break;
      case TTileCommand::SelectAll:
        c.SelectAll();
        break;
    }
  });
  EndMouseAction();
}

bool TFormMapEditor::CentreCursorOn(TCellPoint cell) {
  if (!Map() || !InsideMap(cell)) return false;
  if (!document_.UseEditor([cell](TMapEditController& editor) { editor.SetCursor(cell); })) return false;
  CentreViewOn(cell);
  UpdateFrame();
  emit CursorMoved(StatusCell().x, StatusCell().y);
  return true;
}

bool TFormMapEditor::CentreViewOn(TCellPoint cell) {
  if (!Map() || !InsideMap(cell)) return false;
  const QPoint offset = ClientRectOf({cell.x, cell.y, 1, 1}).center() - viewport()->rect().center();
  const TPoint s = Scroll();
  SetScroll({s.x + offset.x(), s.y + offset.y()});
  return true;
}

void TFormMapEditor::ScrollCellIntoView(TCellPoint cell) {
  const QRect r = ClientRectOf({cell.x, cell.y, 1, 1});
  const QRect view = MapClientRect();
  TPoint s = Scroll();
  if (r.left() < view.left()) s.x -= view.left() - r.left();
  if (r.right() > view.right()) s.x += r.right() - view.right();
  if (r.top() < view.top()) s.y -= view.top() - r.top();
  if (r.bottom() > view.bottom()) s.y += r.bottom() - view.bottom();
  SetScroll(s);
}

void TFormMapEditor::keyPressEvent(QKeyEvent* event) {
  const TMapEditController& ed = document_.Editor();
  if (event->key() == Qt::Key_Escape && ed.Busy()) {
    CancelDrag();
    return;
  }
  int dx = 0, dy = 0;
  switch (event->key()) {
    case Qt::Key_Left:
      dx = -1;
      break;
    case Qt::Key_Right:
      dx = 1;
      break;
    case Qt::Key_Up:
      dy = -1;
      break;
    case Qt::Key_Down:
      dy = 1;
      break;
    default:
      break;
  }
  if (dx || dy) {
    // The arrows move the event mode's cursor, and do nothing elsewhere.
    bool moved = false;
    if (CellGrid()) document_.UseEditor([&](TMapEditController& c) { moved = c.MoveCursor(dx, dy); });
    if (moved) {
      ScrollCellIntoView(ed.Cursor());
      UpdateFrame();
      emit CursorMoved(StatusCell().x, StatusCell().y);
    }
    return;
  }
  if (CellGrid() && ed.Cursor().x >= 0) {
    std::optional<TEventCommand> command;
    if (event->matches(QKeySequence::Cut)) command = TEventCommand::Cut;
    if (event->matches(QKeySequence::Copy)) command = TEventCommand::Copy;
    if (event->matches(QKeySequence::Paste)) command = TEventCommand::Paste;
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) command = TEventCommand::Delete;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier)
      command = TEventCommand::NewOrEdit;
    if (command) {
      RunEventCommand(*command);
      return;
    }
  }
  if (LayerMode() && document_.Tool() == TEditTool::Selection) {
    std::optional<TTileCommand> command;
    if (event->matches(QKeySequence::Cut)) command = TTileCommand::Cut;
    if (event->matches(QKeySequence::Copy)) command = TTileCommand::Copy;
    if (event->matches(QKeySequence::Paste)) command = TTileCommand::Paste;
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) command = TTileCommand::Clear;
    if (event->matches(QKeySequence::SelectAll)) command = TTileCommand::SelectAll;
    if (command) {
      RunTileCommand(*command);
      return;
    }
  }
  TFormMapViewer::keyPressEvent(event);
}

}  // namespace tess
