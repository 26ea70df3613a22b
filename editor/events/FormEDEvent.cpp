#include "editor/events/FormEDEvent.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "database/DataBaseObj.h"
#include "editor/events/FormEDMoveRoute.h"
#include "events/EventPages.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "platform/TextCodec.h"
#include "ui/CommandIcons.h"
#include "ui/DialogButtons.h"
#include "ui/FieldBinder.h"
#include "ui/pickers/FormSelEvChar.h"
#include "ui/pickers/FormSelMusic.h"
#include "ui/script/ScriptEditor.h"
#include "ui/script/ScriptListBox.h"

namespace tess {

namespace {

using K = TFieldKind;
using PageItem = TLcfEventPageItem;
using Cond = TLcfEventCondition;

constexpr int32_t kOn[] = {1};
constexpr int32_t kStationary[] = {0};
constexpr TFieldChoice kCompare[] = {{0, "Equal to"},
                                     {1, "Greater than or Equal to"},
                                     {2, "Less than or Equal to"},
                                     {3, "Greater than"},
                                     {4, "Less than"},
                                     {5, "Not Equal to"}};
constexpr TFieldChoice kMoveTypes[] = {{0, "Stationary"},    {1, "Random"},      {2, "Vertical"},
                                       {3, "Horizontal"},    {4, "Toward Hero"}, {5, "Away from Hero"},
                                       {6, "Custom Pattern"}};
constexpr TFieldChoice kFrequencies[] = {{1, "1"}, {2, "2"}, {3, "3"}, {4, "4"},
                                         {5, "5"}, {6, "6"}, {7, "7"}, {8, "8"}};
constexpr TFieldChoice kTriggers[] = {
    {0, "Action Key"}, {1, "Touched by Hero"}, {2, "Collision with Hero"}, {3, "Auto-Start"}, {4, "Parallel Process"}};
constexpr TFieldChoice kLayers[] = {{0, "Below Hero"}, {1, "Same Layer as Hero"}, {2, "Above Hero"}};
constexpr TFieldChoice kAnimations[] = {
    {0, "Non-Continuous"},       {1, "Continuous"},    {2, "Fixed Dir/Non-Continuous"},
    {3, "Fixed Dir/Continuous"}, {4, "Fixed Graphic"}, {5, "Spin Around"}};
constexpr TFieldChoice kSpeeds[] = {{1, "1: One-Eighth Normal"}, {2, "2: One-Quarter Normal"},
                                    {3, "3: One-Half Normal"},   {4, "4: Normal"},
                                    {5, "5: Twice Normal"},      {6, "6: Four Times Normal"}};

// Flag rows carry the bit of the precondition flags they stand for in min.
constexpr TFieldRow kRows[] = {
    {.key = "Name", .kind = K::Text, .caption = "Name"},
    {.key = "UseSwitchA", .kind = K::Flag, .caption = "Switch", .min = Cond::kSwitchA},
    {.key = "SwitchA",
     .kind = K::Switch,
     .caption = "Switch",
     .min = 1,
     .max = 5000,
     .whenKey = "UseSwitchA",
     .whenValues = kOn},
    {.key = "UseSwitchB", .kind = K::Flag, .caption = "Switch", .min = Cond::kSwitchB},
    {.key = "SwitchB",
     .kind = K::Switch,
     .caption = "Switch",
     .min = 1,
     .max = 5000,
     .whenKey = "UseSwitchB",
     .whenValues = kOn},
    {.key = "UseVariable", .kind = K::Flag, .caption = "Variable", .min = Cond::kVariable},
    {.key = "Variable",
     .kind = K::Variable,
     .caption = "Variable",
     .min = 1,
     .max = 5000,
     .whenKey = "UseVariable",
     .whenValues = kOn},
    {.key = "VariableValue",
     .kind = K::Number,
     .caption = "Value",
     .min = -999999,
     .max = 999999,
     .whenKey = "UseVariable",
     .whenValues = kOn},
    {.key = "VariableCompare",
     .kind = K::Choice,
     .caption = "Comparison",
     .choices = kCompare,
     .whenKey = "UseVariable",
     .whenValues = kOn},
    {.key = "UseItem", .kind = K::Flag, .caption = "Item", .min = Cond::kItem},
    {.key = "Item", .kind = K::Item, .caption = "Item", .min = 1, .max = 5000, .whenKey = "UseItem", .whenValues = kOn},
    {.key = "UseHero", .kind = K::Flag, .caption = "Hero", .min = Cond::kHero},
    {.key = "Hero", .kind = K::Hero, .caption = "Hero", .min = 1, .max = 5000, .whenKey = "UseHero", .whenValues = kOn},
    {.key = "UseTimer1", .kind = K::Flag, .caption = "Timer 1", .min = Cond::kTimer1},
    {.key = "Timer1",
     .kind = K::Seconds,
     .caption = "Timer 1",
     .min = 0,
     .max = 99 * 60 + 59,
     .whenKey = "UseTimer1",
     .whenValues = kOn},
    {.key = "UseTimer2", .kind = K::Flag, .caption = "Timer 2", .min = Cond::kTimer2},
    {.key = "Timer2",
     .kind = K::Seconds,
     .caption = "Timer 2",
     .min = 0,
     .max = 99 * 60 + 59,
     .whenKey = "UseTimer2",
     .whenValues = kOn},
    {.key = "Transparent", .kind = K::Flag, .caption = "Transparent"},
    {.key = "MoveType", .kind = K::Choice, .caption = "Movement Type", .choices = kMoveTypes},
    {.key = "MoveFrequency",
     .kind = K::Choice,
     .caption = "Frequency",
     .choices = kFrequencies,
     .whenKey = "MoveType",
     .whenValues = kStationary,
     .whenNot = true},
    {.key = "Trigger", .kind = K::Choice, .caption = "Trigger Condition", .choices = kTriggers},
    {.key = "Layer", .kind = K::Choice, .caption = "Event Layer", .choices = kLayers},
    {.key = "ForbidOverlap", .kind = K::Flag, .caption = "Forbid Event Overlap"},
    {.key = "AnimationType", .kind = K::Choice, .caption = "Animation Type", .choices = kAnimations},
    {.key = "MoveSpeed", .kind = K::Choice, .caption = "Movement Frequency", .choices = kSpeeds},
};

// The timer intervals by speed 1..6, and for Spin Around.
constexpr int kFrameMs[] = {266, 200, 166, 133, 116, 100};
constexpr int kSpinMs[] = {400, 266, 200, 133, 100, 66};

QString Local(const std::string& s) { return TextCodec::Current().ToUnicode(s); }

// The 56 x 64 preview: whatever the editor last drew.
class TGraphicPreview : public QWidget {
 public:
  explicit TGraphicPreview(QWidget* parent) : QWidget(parent) { setFixedSize(56, 64); }
  QImage image{56, 64, QImage::Format_ARGB32_Premultiplied};
  std::function<void()> onDoubleClick;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.drawImage(0, 0, image);
  }
  void mouseDoubleClickEvent(QMouseEvent*) override {
    if (onDoubleClick) onDoubleClick();
  }
};

QImage BoardImage(const TCorvidBoard& board) {
  return QImage(reinterpret_cast<const uchar*>(board.Bits()), board.Width(), board.Height(), board.Stride(),
                QImage::Format_RGB16)
      .copy();
}

}  // namespace

TFormEDEvent::TFormEDEvent(TEventEditorContext context, TLcfEventItem& event, bool isNew, TApply apply, QWidget* owner)
    : QDialog(owner), context_(std::move(context)), event_(event), applyCallback_(std::move(apply)) {
  setObjectName("FormEDEvent");
  setWindowTitle(QString("Event Editor") + QString::asprintf(" - ID:%.4d", static_cast<int>(event.Id())));
  TFieldContext lists;
  lists.database = context_.database;
  lists.editableDatabase = context_.database;
  lists.mapTree = context_.mapTree;
  lists.map = context_.map;
  lists.eventId = event.Id();
  lists.eventName = [this] { return event_.name; };
  binder_ = new TFieldBinder(kRows, lists, this);

  auto page = [this] { return Page(); };
  auto accessOf = [this, page](const TFieldRow& row) -> TFieldAccess {
    const std::string_view key = row.key;
    if (key == "Name") return ValueAccess(event_.name);
    if (row.kind == K::Flag && row.min > 0) {
      const uint8_t bit = static_cast<uint8_t>(row.min);
      TFieldAccess a;
      a.value = [page, bit] { return page() && (page()->condition.flags & bit) ? 1 : 0; };
      a.setValue = [page, bit](int32_t v) {
        if (PageItem* p = page())
          p->condition.flags = static_cast<uint8_t>(v ? p->condition.flags | bit : p->condition.flags & ~bit);
      };
      return a;
    }
    auto cond = [page]() -> Cond* { return page() ? &page()->condition : nullptr; };
    if (key == "SwitchA") return MemberAccess<Cond>(cond, &Cond::switchAId);
    if (key == "SwitchB") return MemberAccess<Cond>(cond, &Cond::switchBId);
    if (key == "Variable") return MemberAccess<Cond>(cond, &Cond::variableId);
    if (key == "VariableValue") return MemberAccess<Cond>(cond, &Cond::variableValue);
    if (key == "VariableCompare") return MemberAccess<Cond>(cond, &Cond::variableCompare);
    if (key == "Item") return MemberAccess<Cond>(cond, &Cond::itemId);
    if (key == "Hero") return MemberAccess<Cond>(cond, &Cond::heroId);
    if (key == "Timer1") return MemberAccess<Cond>(cond, &Cond::timer1Seconds);
    if (key == "Timer2") return MemberAccess<Cond>(cond, &Cond::timer2Seconds);
    if (key == "Transparent") return MemberAccess<PageItem>(page, &PageItem::transparent);
    if (key == "MoveType") return MemberAccess<PageItem>(page, &PageItem::moveType);
    if (key == "MoveFrequency") return MemberAccess<PageItem>(page, &PageItem::moveFrequency);
    if (key == "Trigger") return MemberAccess<PageItem>(page, &PageItem::trigger);
    if (key == "Layer") return MemberAccess<PageItem>(page, &PageItem::layer);
    if (key == "ForbidOverlap") return MemberAccess<PageItem>(page, &PageItem::forbidOverlap);
    if (key == "AnimationType") return MemberAccess<PageItem>(page, &PageItem::animationType);
    return MemberAccess<PageItem>(page, &PageItem::moveSpeed);
  };
  auto control = [&](int index) -> QWidget* {
    const TFieldRow& row = kRows[index];
    if (row.kind == K::Choice) {
      auto* combo = new QComboBox(this);
      combo->setObjectName(row.key);
      binder_->Attach(row, combo, accessOf(row));
      return combo;
    }
    return binder_->Build(row, accessOf(row), this);
  };

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel("Name", this));
  top->addWidget(control(0), 1);
  const char* pageCaptions[] = {"New Page", "Copy Page", "Paste Page", "Delete Page"};
  for (int i = 0; i < 4; ++i) {
    pageButtons_[i] = new QPushButton(pageCaptions[i], this);
    top->addWidget(pageButtons_[i]);
  }
  connect(pageButtons_[0], &QPushButton::clicked, this, &TFormEDEvent::NewPage);
  connect(pageButtons_[1], &QPushButton::clicked, this, &TFormEDEvent::CopyPage);
  connect(pageButtons_[2], &QPushButton::clicked, this, &TFormEDEvent::PastePage);
  connect(pageButtons_[3], &QPushButton::clicked, this, &TFormEDEvent::DeletePage);
  music_ = new QPushButton(CommandIcon(TIconShape::Music), QString(), this);
  music_->setObjectName("Music");
  music_->setToolTip("Listen to Music");
  music_->setIconSize(QSize(24, 24));
  connect(music_, &QPushButton::clicked, this, &TFormEDEvent::ListenToMusic);
  top->addWidget(music_);
  layout->addLayout(top);
  tabs_ = new QTabBar(this);
  tabs_->setObjectName("Pages");
  tabs_->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(tabs_);

  auto* body = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  auto* conditions = new QGroupBox("Preconditions", this);
  auto* grid = new QGridLayout(conditions);
  // Each flag with its operands on one line.
  const int lines[][4] = {{1, 2, -1, -1},   {3, 4, -1, -1},   {5, 6, 7, 8},    {9, 10, -1, -1},
                          {11, 12, -1, -1}, {13, 14, -1, -1}, {15, 16, -1, -1}};
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 4; ++c)
      if (lines[r][c] >= 0) grid->addWidget(control(lines[r][c]), r, c);
  left->addWidget(conditions);

  auto* lower = new QHBoxLayout;
  auto* graphicBox = new QGroupBox("Event Graphic", this);
  auto* graphicLayout = new QVBoxLayout(graphicBox);
  auto* preview = new TGraphicPreview(graphicBox);
  preview->setObjectName("GraphicPreview");
  preview->onDoubleClick = [this] { SetGraphic(); };
  preview_ = preview;
  graphicLayout->addWidget(preview_);
  auto* set = new QPushButton("Set", graphicBox);
  set->setObjectName("SetGraphic");
  connect(set, &QPushButton::clicked, this, &TFormEDEvent::SetGraphic);
  graphicLayout->addWidget(set);
  graphicLayout->addWidget(control(17));
  graphicNote_ = new QLabel(graphicBox);
  graphicNote_->setWordWrap(true);
  graphicLayout->addWidget(graphicNote_);
  lower->addWidget(graphicBox);

  auto* settings = new QGridLayout;
  const int settingRows[] = {18, 19, 20, 21, 23, 24};
  int r = 0;
  for (int index : settingRows) {
    settings->addWidget(new QLabel(kRows[index].caption, this), r, 0);
    QWidget* c = control(index);
    if (index == 23) animationType_ = c;
    settings->addWidget(c, r++, 1);
  }
  definePattern_ = new QPushButton("Define Pattern", this);
  connect(definePattern_, &QPushButton::clicked, this, &TFormEDEvent::DefinePattern);
  settings->addWidget(definePattern_, r++, 1);
  settings->addWidget(control(22), r++, 1);
  lower->addLayout(settings, 1);
  left->addLayout(lower);
  left->addStretch(1);
  body->addLayout(left);

  auto* right = new QVBoxLayout;
  right->addWidget(new QLabel("Event Commands", this));
  script_ = new TScriptEditor(*context_.database, TScriptKind::MapEvent, this);
  TEventScriptConverter& converter = script_->Converter();
  converter.EventId = static_cast<uint32_t>(event.Id());
  converter.Event = &event_;
  converter.MapTree = context_.mapTree;
  converter.Map = context_.map;
  converter.EditableDatabase = context_.database;
  // Wide enough that a message line reads whole without scrolling sideways.
  script_->setMinimumWidth(script_->fontMetrics().averageCharWidth() * 52);
  right->addWidget(script_, 1);
  body->addLayout(right, 1);
  layout->addLayout(body, 1);

  TDialogButtons buttons;
  buttons.buttons = QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply | QDialogButtonBox::Help;
  buttons.ok = [this] {
    Apply();
    accept();
  };
  buttons.apply = [this] { Apply(); };
  buttons.helpSection = "help-201";
  QDialogButtonBox* box = MakeDialogButtons(this, buttons);
  apply_ = box->button(QDialogButtonBox::Apply);
  apply_->setEnabled(isNew);
  layout->addWidget(box);

  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "MoveType" || std::string_view(key) == "Transparent" ||
        std::string_view(key) == "AnimationType" || std::string_view(key) == "MoveSpeed")
      UpdateGraphic();
    Changed();
  });
  // References to this event show its new name once the author leaves the field.
  if (auto* name = qobject_cast<QLineEdit*>(binder_->Control("Name")))
    connect(name, &QLineEdit::editingFinished, this, [this] { script_->Refresh(); });
  connect(binder_, &TFieldBinder::databaseChanged, this, &TFormEDEvent::NoteChangedElsewhere);
  connect(script_, &TScriptEditor::changed, this, &TFormEDEvent::Changed);
  connect(script_, &TScriptEditor::changedElsewhere, this, &TFormEDEvent::NoteChangedElsewhere);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (!filling_ && index >= 0) ShowPage(index);
  });
  animation_.setObjectName("PreviewTimer");
  connect(&animation_, &QTimer::timeout, this, &TFormEDEvent::AnimationTick);

  ++filling_;
  for (int i = 0; i < event_.pages.Count(); ++i) tabs_->addTab(QString::number(i + 1));
  --filling_;
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  ShowPage(0);
}

bool TFormEDEvent::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Wheel) return QDialog::eventFilter(watched, event);
  TScriptListBox* list = script_->List();
  // The list's own wheel events (its viewport's) reach it on their own way.
  if (!list->hasFocus() || watched == list || watched == list->viewport() || watched == list->verticalScrollBar())
    return QDialog::eventFilter(watched, event);
  auto* wheel = static_cast<QWheelEvent*>(event);
  QWheelEvent copy(list->viewport()->rect().center(), list->viewport()->mapToGlobal(list->viewport()->rect().center()),
                   wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(), wheel->modifiers(), wheel->phase(),
                   wheel->inverted());
  QApplication::sendEvent(list->viewport(), &copy);
  return true;
}

TFormEDEvent::~TFormEDEvent() = default;

TLcfEventPageItem* TFormEDEvent::Page() const { return event_.pages.ItemAt(current_); }

void TFormEDEvent::ShowPage(int index) {
  if (index < 0 || index >= event_.pages.Count()) return;
  current_ = index;
  ++filling_;
  // The tabs follow the pages: added or removed pages renumber them.
  while (tabs_->count() < event_.pages.Count()) tabs_->addTab(QString::number(tabs_->count() + 1));
  while (tabs_->count() > event_.pages.Count()) tabs_->removeTab(tabs_->count() - 1);
  tabs_->setCurrentIndex(index);
  --filling_;
  binder_->Load();
  script_->Attach(&Page()->lines);
  frame_ = 0;
  UpdateGraphic();
  UpdatePageButtons();
}

void TFormEDEvent::StepPage(int step) {
  const int n = event_.pages.Count();
  if (n > 0) ShowPage(((current_ + step) % n + n) % n);
}

void TFormEDEvent::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    if (event->key() == Qt::Key_Tab) return StepPage((event->modifiers() & Qt::ShiftModifier) ? -1 : 1);
    if (event->key() == Qt::Key_Backtab) return StepPage(-1);
  }
  QDialog::keyPressEvent(event);
}

void TFormEDEvent::Changed() { apply_->setEnabled(true); }

void TFormEDEvent::NoteChangedElsewhere() {
  changedElsewhere_ = true;
  Changed();
  binder_->RefillLists();
  ShowPage(current_);
}

void TFormEDEvent::UpdatePageButtons() {
  pageButtons_[0]->setEnabled(event_.pages.Count() < kMaxEventPages);
  pageButtons_[2]->setEnabled(CanPastePage(event_));
  pageButtons_[3]->setEnabled(event_.pages.Count() > 1);
  const TLcfEventPageItem* p = Page();
  definePattern_->setEnabled(p && p->moveType == 6);
  animationType_->setEnabled(p && !p->graphicName.empty());
}

void TFormEDEvent::NewPage() {
  const int at = InsertNewPage(event_, current_);
  if (at < 0) return;
  Changed();
  ShowPage(at);
}

void TFormEDEvent::CopyPage() { tess::CopyPage(event_, current_); }

void TFormEDEvent::PastePage() {
  const int at = tess::PastePage(event_, current_);
  if (at < 0) return UpdatePageButtons();
  Changed();
  ShowPage(at);
}

void TFormEDEvent::DeletePage() {
  const int at = tess::DeletePage(event_, current_);
  if (at < 0) return;
  Changed();
  ShowPage(at);
}

void TFormEDEvent::SetGraphic() {
  TLcfEventPageItem* p = Page();
  if (!p) return;
  TFormSelEvChar picker(this);
  picker.move(mapToGlobal(QPoint(24, 88)));
  picker.SetTileset(context_.tileset);
  picker.materialName = p->graphicName;
  picker.cellIndex = p->graphicIndex;
  picker.facing = p->direction;
  picker.pattern = p->pattern;
  if (picker.exec() != QDialog::Accepted) return;
  p->ChangeGraphic(picker.materialName, picker.cellIndex);
  p->direction = static_cast<uint8_t>(picker.facing);
  p->pattern = picker.pattern;
  Changed();
  ShowPage(current_);
}

void TFormEDEvent::DefinePattern() {
  TLcfEventPageItem* p = Page();
  if (!p) return;
  TFormEDMoveRoute::TContext context;
  context.database = context_.database;
  context.map = context_.map;
  context.eventId = event_.Id();
  context.eventName = event_.name;
  TFormEDMoveRoute editor(true, context, this);
  editor.move(mapToGlobal(QPoint(24, 40)));
  editor.sheetName = p->graphicName;
  editor.sheetIndex = p->graphicName.empty() ? 0 : p->graphicIndex;
  editor.frequency = p->moveFrequency;
  editor.route.Assign(p->moveRoute);
  const bool ok = editor.exec() == QDialog::Accepted;
  if (ok) {
    p->moveFrequency = editor.frequency;
    p->moveRoute.Assign(editor.route);
    Changed();
  }
  if (editor.changedElsewhere)
    NoteChangedElsewhere();
  else if (ok)
    ShowPage(current_);
}

void TFormEDEvent::ListenToMusic() {
  TFormSelMusic picker(this, true);
  picker.move(mapToGlobal(QPoint(8, 176)));
  picker.exec();
}

void TFormEDEvent::Apply() {
  if (applyCallback_) applyCallback_(event_);
  bool saved = true;
  if (changedElsewhere_ && context_.saveDatabase) {
    saved = context_.saveDatabase();
    if (saved) changedElsewhere_ = false;
  }
  if (saved) apply_->setEnabled(false);
}

void TFormEDEvent::done(int result) {
  animation_.stop();
  // Changes made on the side that were not saved are dropped.
  if (changedElsewhere_ && context_.reloadDatabase) context_.reloadDatabase();
  QDialog::done(result);
}

// ---------------------------------------------------------------------------------------------
// The preview

void TFormEDEvent::UpdateGraphic() {
  const TLcfEventPageItem* p = Page();
  animation_.stop();
  graphicNote_->clear();
  if (p && !p->graphicName.empty()) {
    const int speed = std::clamp(p->moveSpeed, 1, 6) - 1;
    if (p->animationType == 1 || p->animationType == 3) animation_.start(kFrameMs[speed]);
    if (p->animationType == 5) animation_.start(kSpinMs[speed]);
  }
  AnimationTick();
  frame_ = 0;
  UpdatePageButtons();
}

void TFormEDEvent::AnimationTick() {
  auto* preview = static_cast<TGraphicPreview*>(preview_);
  QImage& image = preview->image;
  image.fill(Qt::black);
  const TLcfEventPageItem* p = Page();
  if (!p) return preview->update();
  QPainter painter(&image);
  painter.setOpacity(p->transparent ? 160.0 / 255.0 : 1.0);
  if (!p->graphicName.empty()) {
    const int index = charSets_.Acquire(p->graphicName);
    const bool loaded = charSets_.LoadedAt(index);
    int facing = std::clamp<int>(p->direction, 0, 3);
    int pattern = std::clamp<int>(p->pattern, 0, 2);
    if (p->animationType == 1 || p->animationType == 3) pattern = (int[]){1, 0, 1, 2}[frame_ % 4];
    if (p->animationType == 5) facing = (facing + frame_) % 4;
    const int character = p->graphicIndex;
    if (loaded && IsCharFrame(character, facing, pattern)) {
      TCorvidBoard board;
      board.SetSize(kCharFrameWidth, kCharFrameHeight);
      board.DrawSheet(0, 0, CharFrameRect(character, facing, pattern), charSets_.SheetAt(index));
      painter.drawImage(QRect(4, 0, 48, 64), BoardImage(board));
    } else {
      // The generic mark of a graphic that cannot be drawn; the name stays on the page.
      painter.setPen(QPen(Qt::red, 3));
      painter.drawLine(12, 12, 44, 52);
      painter.drawLine(44, 12, 12, 52);
      if (!loaded) graphicNote_->setText(QString("The sheet \"%1\" is missing.").arg(Local(p->graphicName)));
    }
  } else if (context_.tileset) {
    TCorvidBoard board;
    board.SetSize(32, 32);
    context_.tileset->DrawChip(board, 0, 0, 32, false, 10000 + p->graphicIndex, 0);
    painter.drawImage(12, 16, BoardImage(board));
  }
  painter.end();
  ++frame_;
  preview->update();
}

QImage TFormEDEvent::PreviewImage() const { return static_cast<TGraphicPreview*>(preview_)->image; }

}  // namespace tess
