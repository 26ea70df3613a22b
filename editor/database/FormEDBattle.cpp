#include "editor/database/FormEDBattle.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "core/EntryCaption.h"
#include "database/ActorPageKit.h"
#include "database/BattlePageKit.h"
#include "database/DataBaseObj.h"
#include "editor/database/BattleScreen.h"
#include "editor/database/CommandSlotBox.h"
#include "editor/database/FormSelBattleCMD.h"
#include "maps/LD_MapTree.h"
#include "platform/TextCodec.h"
#include "ui/FieldBinder.h"
#include "ui/pickers/FormSelLocation.h"
#include "ui/pickers/FormSelPlainPicture.h"

namespace tess {

namespace {

using K = TFieldKind;
using B = TLcfBattle;

constexpr TFieldChoice kBattleTypes[] = {{0, "Traditional"}, {1, "Alternative"}, {2, "Gauge"}};
constexpr TFieldChoice kWindowSizes[] = {{0, "Large Window"}, {1, "Small Window"}};
constexpr TFieldChoice kPlacements[] = {{0, "Manual"}, {1, "Automatic"}};
constexpr TFieldChoice kRowsShown[] = {{0, "Front"}, {1, "Back"}};
constexpr TFieldChoice kDeathHandlers[] = {{0, "Game Over"}, {1, "Call Common Event"}};
constexpr int32_t kCallsEvent[] = {1};

// The common event and the teleport only matter when the handler calls an event.
constexpr TFieldRow kRows[] = {
    {.key = "BattleType", .kind = K::Choice, .caption = "Battle Type", .choices = kBattleTypes},
    {.key = "WindowSize", .kind = K::Choice, .caption = "Window Characteristics", .choices = kWindowSizes},
    {.key = "Transparent", .kind = K::Flag, .caption = "Transparent"},
    {.key = "Placement", .kind = K::Choice, .caption = "Character Placement", .choices = kPlacements},
    {.key = "RowShown", .kind = K::Choice, .caption = "Row Shown", .choices = kRowsShown},
    {.key = "DeathHandler", .kind = K::Choice, .caption = "Random Encounter Death Handler", .choices = kDeathHandlers},
    {.key = "DeathEvent",
     .kind = K::CommonEvent,
     .caption = "Common Event",
     .min = 1,
     .max = 9999,
     .whenKey = "DeathHandler",
     .whenValues = kCallsEvent},
    {.key = "DeathTeleport",
     .kind = K::Flag,
     .caption = "Enable",
     .whenKey = "DeathHandler",
     .whenValues = kCallsEvent},
    // Stored and copied; the page keeps its box without showing it.
    {.key = "HiddenOption", .kind = K::Flag, .caption = "Option"},
    {.key = "TroopShown", .kind = K::Troop, .caption = "Monster Group Shown", .min = 0, .max = 9999},
};

struct TRemembered {
  int hero = 0;
  int scroll = 0;
  int32_t troop = 1;
};
TRemembered remembered;

constexpr int kStripHeight = 80;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Previews

TBattleLayoutPreview::TBattleLayoutPreview(TFormEDBattle& page, QWidget* parent) : QWidget(parent), page_(page) {
  setObjectName("BattleLayoutPreview");
  setFixedSize(kBattleScreenWidth, kBattleScreenHeight);
}

QRect TBattleLayoutPreview::HeroRect() const {
  const TLcfPlayerItem* hero = page_.Hero();
  if (!hero) return {};
  const TLcfDataBase& db = page_.Context().database;
  const THeroPlace place = HeroPreviewPlace(db.battle, *hero, db.system.troopPreviewTerrain);
  return {place.centreX - kBattlerCell / 2, place.bottomY - kBattlerCell, kBattlerCell, kBattlerCell};
}

void TBattleLayoutPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  const TLcfDataBase& db = page_.Context().database;
  const QImage backdrop = BackdropImage(db.system.troopPreviewBackdrop);
  if (!backdrop.isNull()) painter.drawImage(0, 0, backdrop);
  if (const TLcfMonGroupItem* troop = db.troops.FindById(page_.ShownTroop()))
    DrawTroop(painter, db, *troop, TroopAlignment(db));
  const TLcfPlayerItem* hero = page_.Hero();
  if (!hero) return;
  const QRect cell = HeroRect();
  QImage battler;
  if (const TLcfAnimation2Item* set = db.battlerAnimations.FindById(hero->battlerAnimation))
    if (const TLcfBattleMyCharacterItem* pose = set->poses.ItemAt(0))
      if (pose->poseKind == 0) battler = BattlerCellImage(pose->sheetFile, pose->sheetIndex);
  if (battler.isNull()) {
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
  } else {
    painter.drawImage(cell.topLeft(), battler);
  }
}

void TBattleLayoutPreview::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const TLcfPlayerItem* hero = page_.Hero();
  if (event->button() != Qt::LeftButton || !hero || !HeroDraggable(page_.Context().database.battle) ||
      !HeroRect().contains(at))
    return;
  dragging_ = true;
  grab_ = at - QPoint(hero->battlePositionX, hero->battlePositionY);
}

void TBattleLayoutPreview::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint to = event->position().toPoint() - grab_;
  page_.DragHero(to.x(), to.y(), event->modifiers().testFlag(Qt::ShiftModifier));
}

void TBattleLayoutPreview::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

TBattleWindowPreview::TBattleWindowPreview(TFormEDBattle& page, QWidget* parent) : QWidget(parent), page_(page) {
  setObjectName("BattleWindowPreview");
  setFixedSize(kBattleScreenWidth, kStripHeight);
}

QRect TBattleWindowPreview::WindowRect(int windowSize) {
  return windowSize == 1 ? QRect(0, 16, kBattleScreenWidth, kStripHeight - 16)
                         : QRect(0, 0, kBattleScreenWidth, kStripHeight);
}

void TBattleWindowPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  const TLcfDataBase& db = page_.Context().database;
  const QImage backdrop = BackdropImage(db.system.troopPreviewBackdrop);
  if (!backdrop.isNull())
    painter.drawImage(QPoint(0, 0), backdrop, QRect(0, kBattleScreenHeight - kStripHeight, width(), kStripHeight));
  const QRect box = WindowRect(db.battle.windowSize);
  const bool transparent = db.battle.windowTransparent != 0;
  const QImage system = SystemGraphicImage(db.system.systemGraphic);
  // The window's background: the graphic's top-left 32 x 32, stretched or tiled as the system
  // record says; the frame: the 32 x 32 beside it, its 8-pixel edges kept and its sides stretched.
  painter.setOpacity(transparent ? 0.5 : 1.0);
  if (system.width() >= 64 && system.height() >= 32) {
    const QImage background = system.copy(0, 0, 32, 32);
    if (db.system.windowPattern == 1)
      painter.drawTiledPixmap(box.adjusted(2, 2, -2, -2), QPixmap::fromImage(background));
    else
      painter.drawImage(box.adjusted(2, 2, -2, -2), background);
    painter.setOpacity(1.0);
    const QImage frame = system.copy(32, 0, 32, 32);
    const int e = 8, w = box.width(), h = box.height();
    const QPoint o = box.topLeft();
    auto part = [&](QRect to, QRect from) { painter.drawImage(to.translated(o), frame, from); };
    part({0, 0, e, e}, {0, 0, e, e});
    part({w - e, 0, e, e}, {32 - e, 0, e, e});
    part({0, h - e, e, e}, {0, 32 - e, e, e});
    part({w - e, h - e, e, e}, {32 - e, 32 - e, e, e});
    part({e, 0, w - 2 * e, e}, {e, 0, 32 - 2 * e, e});
    part({e, h - e, w - 2 * e, e}, {e, 32 - e, 32 - 2 * e, e});
    part({0, e, e, h - 2 * e}, {0, e, e, 32 - 2 * e});
    part({w - e, e, e, h - 2 * e}, {32 - e, e, e, 32 - 2 * e});
  } else {
    painter.fillRect(box.adjusted(2, 2, -2, -2), QColor(0, 0, 96));
    painter.setOpacity(1.0);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(box.adjusted(1, 1, -1, -1));
  }
  // The party's lines, as the battle shows them.
  painter.setPen(Qt::white);
  const int lines = db.battle.windowSize == 1 ? 3 : 4;
  const int lineHeight = (box.height() - 16) / lines;
  for (int i = 0; i < lines; ++i) {
    const TLcfPlayerItem* hero = db.heroes.ItemAt(i);
    const QString name = hero ? TextCodec::Current().ToUnicode(hero->name) : QString();
    painter.drawText(QRect(box.left() + 12, box.top() + 8 + i * lineHeight, 200, lineHeight),
                     Qt::AlignVCenter | Qt::AlignLeft, name);
  }
}

// ---------------------------------------------------------------------------------------------
// Page

TFormEDBattle::TFormEDBattle(const TDataBasePageContext& context, QWidget* parent)
    : TFormDataBaseBase(context, parent) {
  setObjectName("FormEDBattle");
  TLcfDataBase& db = context.database;
  db.battle.SetTerrainList(&db.terrain);
  shownTroop_ = remembered.troop;
  TFieldContext lists;
  lists.database = &db;
  binder_ = new TFieldBinder(kRows, lists, this);
  auto built = binder_->BuildAll(
      [this, &db](const TFieldRow& row) -> TFieldAccess {
        B* b = &db.battle;
        std::function<B*()> record = [b] { return b; };
        const std::string_view key = row.key;
        if (key == "BattleType") return MemberAccess(record, &B::battleType);
        if (key == "WindowSize") return MemberAccess(record, &B::windowSize);
        if (key == "Transparent") return MemberAccess(record, &B::windowTransparent);
        if (key == "Placement") return MemberAccess(record, &B::placement);
        if (key == "DeathHandler") return MemberAccess(record, &B::deathHandler);
        if (key == "DeathEvent") return MemberAccess(record, &B::deathEventId);
        if (key == "DeathTeleport") return MemberAccess(record, &B::deathTeleport);
        if (key == "HiddenOption") return MemberAccess(record, &B::hiddenOption);
        if (key == "TroopShown") return ValueAccess(shownTroop_);
        // "Row Shown" also moves the selected hero's own position by the row's 24 pixels.
        TFieldAccess shown;
        shown.value = [b] { return b->previewRow; };
        shown.setValue = [this, b](int32_t v) {
          if (v == b->previewRow) return;
          b->previewRow = v;
          if (TLcfPlayerItem* hero = Hero()) ShiftHeroForRow(*hero, v);
        };
        return shown;
      },
      this);
  built["HiddenOption"]->hide();

  auto button = [this](const char* caption, const char* name, auto action) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, action);
    return b;
  };

  // Left: the heroes.
  heroes_ = new QListWidget(this);
  heroes_->setObjectName("HeroList");
  heroes_->setMinimumWidth(160);
  const TextCodec& codec = TextCodec::Current();
  for (int i = 0; i < db.heroes.Count(); ++i) {
    const TLcfPlayerItem* h = db.heroes.ItemAt(i);
    heroes_->addItem(codec.ToUnicode(EntryCaption(h->Id(), h->name)));
  }

  // Middle: the battle screen with what it shows.
  preview_ = new TBattleLayoutPreview(*this, this);
  auto* middle = new QVBoxLayout;
  middle->addWidget(preview_);
  auto* shown = new QFormLayout;
  shown->addRow(kRows[9].caption, built["TroopShown"]);
  middle->addLayout(shown);
  auto* rowAndBackground = new QHBoxLayout;
  rowAndBackground->addWidget(built["RowShown"]);
  auto* backgroundButtons = new QVBoxLayout;
  backgroundButtons->addStretch(1);
  backgroundButtons->addWidget(button("Change Background", "ButtonBackground", [this] { RunBackground(); }));
  rowAndBackground->addLayout(backgroundButtons);
  middle->addLayout(rowAndBackground);
  auto* windowBox = new QGroupBox("Window Characteristics", this);
  auto* windowLayout = new QVBoxLayout(windowBox);
  auto* windowChoices = new QHBoxLayout;
  auto* sizeGroup = static_cast<QGroupBox*>(built["WindowSize"]);
  sizeGroup->setTitle(QString());
  sizeGroup->setFlat(true);
  windowChoices->addWidget(sizeGroup);
  windowChoices->addWidget(built["Transparent"]);
  windowLayout->addLayout(windowChoices);
  windowPreview_ = new TBattleWindowPreview(*this, windowBox);
  windowLayout->addWidget(windowPreview_);
  middle->addWidget(windowBox);
  middle->addStretch(1);

  // Right: the layout's settings, the commands and the death handler.
  auto* right = new QVBoxLayout;
  right->addWidget(built["BattleType"]);
  right->addWidget(built["Placement"]);
  slots_ = new TCommandSlotBox("Default Battle Commands", this);
  static_cast<QVBoxLayout*>(slots_->layout())->addWidget(button("Set", "ButtonCommands", [this] { RunCommands(); }));
  right->addWidget(slots_);
  auto* death = new QGroupBox(kRows[5].caption, this);
  auto* deathLayout = new QVBoxLayout(death);
  auto* handler = static_cast<QGroupBox*>(built["DeathHandler"]);
  handler->setTitle(QString());
  handler->setFlat(true);
  deathLayout->addWidget(handler);
  deathLayout->addWidget(built["DeathEvent"]);
  auto* teleport = new QGroupBox("Teleport Before Executing Handler", death);
  auto* teleportLayout = new QHBoxLayout(teleport);
  teleportLayout->addWidget(built["DeathTeleport"]);
  teleportPlace_ = new QLabel(teleport);
  teleportPlace_->setObjectName("TeleportPlace");
  teleportLayout->addWidget(teleportPlace_, 1);
  teleportLayout->addWidget(button("Set", "ButtonTeleport", [this] { RunTeleport(); }));
  deathLayout->addWidget(teleport);
  deathLayout->addWidget(built["HiddenOption"]);
  right->addWidget(death);
  right->addStretch(1);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(heroes_);
  layout->addLayout(middle);
  layout->addLayout(right, 1);

  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "TroopShown") {
      remembered.troop = shownTroop_;
      UpdateView();
      return;
    }
    Changed();
  });
  connect(slots_, &TCommandSlotBox::chosen, this, [this](int slot, int32_t id) { ChooseCommand(slot, id); });
  connect(heroes_, &QListWidget::currentRowChanged, this, [this](int) { LoadEntry(); });

  if (heroes_->count() > 0) heroes_->setCurrentRow(std::clamp(remembered.hero, 0, heroes_->count() - 1));
  heroes_->verticalScrollBar()->setValue(remembered.scroll);
  LoadEntry();
}

TFormEDBattle::~TFormEDBattle() {
  remembered.hero = std::max(0, heroes_->currentRow());
  remembered.scroll = heroes_->verticalScrollBar()->value();
}

QPushButton* TFormEDBattle::Button(const char* name) const { return findChild<QPushButton*>(name); }

TLcfPlayerItem* TFormEDBattle::Hero() const { return Context().database.heroes.ItemAt(heroes_->currentRow()); }

int TFormEDBattle::EntryCount() const { return std::max(1, heroes_->count()); }

void TFormEDBattle::ShowEntry(int index) {
  if (heroes_->count() == 0 || index == heroes_->currentRow())
    LoadEntry();
  else
    heroes_->setCurrentRow(std::clamp(index, 0, heroes_->count() - 1));
}

void TFormEDBattle::SelectPreviousEntry() {
  if (heroes_->currentRow() > 0) heroes_->setCurrentRow(heroes_->currentRow() - 1);
}

void TFormEDBattle::SelectNextEntry() {
  if (heroes_->currentRow() + 1 < heroes_->count()) heroes_->setCurrentRow(heroes_->currentRow() + 1);
}

void TFormEDBattle::LoadEntry() {
  binder_->Load();
  UpdateView();
}

void TFormEDBattle::UpdateView() {
  const TLcfDataBase& db = Context().database;
  const TLcfPlayerItem* hero = Hero();
  slots_->Show(hero ? hero->battleCommands : nullptr, db.battle.commands);
  binder_->UpdateEnabled();
  const bool teleportOpen = binder_->Control("DeathTeleport")->isEnabled() && db.battle.deathTeleport != 0;
  Button("ButtonTeleport")->setEnabled(teleportOpen);
  const TLcfMapTreeItem* node = Context().mapTree.FindById(db.battle.deathMapId);
  teleportPlace_->setText(
      QString("%1 (%2,%3)")
          .arg(TextCodec::Current().ToUnicode(EntryCaption(db.battle.deathMapId, node ? node->name : std::string("?"))))
          .arg(db.battle.deathX)
          .arg(db.battle.deathY));
  teleportPlace_->setEnabled(teleportOpen);
  preview_->setCursor(hero && HeroDraggable(db.battle) ? Qt::SizeAllCursor : Qt::ArrowCursor);
  preview_->update();
  windowPreview_->update();
}

void TFormEDBattle::Changed() { DataModified(); }

void TFormEDBattle::DragHero(int x, int y, bool fine) {
  TLcfPlayerItem* hero = Hero();
  if (!hero || !HeroDraggable(Context().database.battle)) return;
  const int32_t oldX = hero->battlePositionX, oldY = hero->battlePositionY;
  DragHeroTo(*hero, x, y, fine);
  if (hero->battlePositionX != oldX || hero->battlePositionY != oldY) Changed();
}

void TFormEDBattle::ChooseCommand(int slot, int32_t id) {
  TLcfPlayerItem* hero = Hero();
  if (!hero) return;
  int32_t before[kBattleCommandSlots];
  std::memcpy(before, hero->battleCommands, sizeof before);
  tess::ChooseCommand(hero->battleCommands, slot, id, Context().database.battle.commands.Count());
  if (std::memcmp(before, hero->battleCommands, sizeof before) != 0) Changed();
}

void TFormEDBattle::RunCommands() {
  TFormSelBattleCMD window(Context().database.battle, Context(), this);
  if (window.exec() == QDialog::Accepted && window.Changed()) Changed();
}

void TFormEDBattle::RunBackground() {
  TLcfSystem& system = Context().database.system;
  TFormSelBackdrop picker(this);
  picker.materialName = system.troopPreviewBackdrop;
  if (picker.exec() == QDialog::Accepted && ChangeBattleBackground(system, picker.materialName)) Changed();
}

void TFormEDBattle::RunTeleport() {
  TLcfBattle& b = Context().database.battle;
  TLocation location{b.deathMapId, b.deathX, b.deathY, b.deathFacing};
  TLocationSources sources;
  sources.database = &Context().database;
  sources.mapTree = &Context().mapTree;
  sources.currentMap = &Context().map;
  const TLocation before = location;
  if (!SelectLocation(this, sources, location, true) || location == before) return;
  b.deathMapId = location.mapId;
  b.deathX = location.x;
  b.deathY = location.y;
  b.deathFacing = location.facing;
  Changed();
}

}  // namespace tess
