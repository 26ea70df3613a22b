#include "editor/database/FormEDMonGroup.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "core/EntryCaption.h"
#include "core/MaterialFiles.h"
#include "database/BattlePageKit.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormEDMonGroupBattleEventTrigger.h"
#include "editor/database/FormEDMonGroupBattleTest.h"
#include "editor/database/MonsterGraphic.h"
#include "media/CorvidSheet.h"
#include "platform/TextCodec.h"
#include "ui/FieldBinder.h"
#include "ui/pickers/FormSelPlainPicture.h"
#include "ui/script/ScriptEditor.h"

namespace tess {

namespace {

using K = TFieldKind;
using Item = TLcfMonGroupItem;

constexpr TFieldChoice kAlignments[] = {{0, "Manual"}, {1, "Automatic"}};
constexpr TFieldRow kRows[] = {
    {.key = "Name", .kind = K::Text, .caption = "Name", .max = 20},
    {.key = "Alignment", .kind = K::Choice, .caption = "Alignment", .choices = kAlignments},
};

constexpr int kScreenWidth = 320, kScreenHeight = 240;

QImage Backdrop(const std::string& name) {
  static std::string loadedName;
  static QImage loaded;
  if (name == loadedName && !loaded.isNull()) return loaded;
  loadedName = name;
  loaded = QImage();
  const std::string file =
      name.empty() ? std::string() : FindExistingMaterialFile(name, "Backdrop", PictureExtensions());
  if (!file.empty()) {
    TCorvidSheet sheet;
    sheet.LoadFromFile(file, false);
    if (sheet.Width() > 0) {
      loaded = QImage(sheet.Width(), sheet.Height(), QImage::Format_RGB32);
      for (int y = 0; y < sheet.Height(); ++y)
        for (int x = 0; x < sheet.Width(); ++x) {
          const TPaletteEntry& p = sheet.palette[sheet.Row(y)[x]];
          loaded.setPixel(x, y, qRgb(p.red, p.green, p.blue));
        }
    }
  }
  return loaded;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Preview

TTroopPreview::TTroopPreview(TFormEDMonGroup& page, QWidget* parent) : QWidget(parent), page_(page) {
  setObjectName("TroopPreview");
  setFixedSize(kScreenWidth, kScreenHeight);
}

void TTroopPreview::Select(int index) {
  selected_ = index;
  update();
}

QPoint TTroopPreview::PositionOf(int index) const {
  const TLcfMonGroupItem* troop = page_.Entry();
  const TLcfMonGroupMonsterItem* m = troop ? troop->members.ItemAt(index) : nullptr;
  if (!m) return {};
  // Automatic alignment places the troop whenever it is drawn; the stored places stay as they are.
  if (troop->alignment == 1)
    if (auto p = troop->AlignedPosition(index, page_.Alignment())) return {p->x, p->y};
  return {m->x, m->y};
}

int TTroopPreview::MemberAt(const QPoint& point) const {
  const TLcfMonGroupItem* troop = page_.Entry();
  if (!troop) return -1;
  const TLcfDataBase& db = page_.Context().database;
  for (int i = troop->members.Count() - 1; i >= 0; --i) {
    const TLcfMonsterItem* monster = db.monsters.FindById(troop->members.ItemAt(i)->monsterId);
    const QImage image = monster ? MonsterImage(monster->monsterFile, monster->hue) : QImage();
    const QSize size = image.isNull() ? QSize(32, 32) : image.size();
    const QPoint c = PositionOf(i);
    if (QRect(c.x() - size.width() / 2, c.y() - size.height() / 2, size.width(), size.height()).contains(point))
      return i;
  }
  return -1;
}

void TTroopPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  const TLcfDataBase& db = page_.Context().database;
  const QImage backdrop = Backdrop(db.system.troopPreviewBackdrop);
  if (!backdrop.isNull()) painter.drawImage(0, 0, backdrop);
  const TLcfMonGroupItem* troop = page_.Entry();
  if (!troop) return;
  for (int i = 0; i < troop->members.Count(); ++i) {
    const TLcfMonGroupMonsterItem* member = troop->members.ItemAt(i);
    const TLcfMonsterItem* monster = db.monsters.FindById(member->monsterId);
    const QImage image = monster ? MonsterImage(monster->monsterFile, monster->hue) : QImage();
    const QPoint c = PositionOf(i);
    const QSize size = image.isNull() ? QSize(32, 32) : image.size();
    const QRect place(c.x() - size.width() / 2, c.y() - size.height() / 2, size.width(), size.height());
    painter.setOpacity(member->invisible ? 80 / 255.0 : monster && monster->transparent ? 160 / 255.0 : 1.0);
    if (image.isNull())
      painter.fillRect(place, QColor(128, 128, 128));
    else
      painter.drawImage(place.topLeft(), image);
    painter.setOpacity(1.0);
    if (i == selected_) {
      painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
      painter.drawRect(place.adjusted(0, 0, -1, -1));
    }
  }
}

void TTroopPreview::mousePressEvent(QMouseEvent* event) {
  const int hit = MemberAt(event->position().toPoint());
  Select(hit);
  const TLcfMonGroupItem* troop = page_.Entry();
  if (hit >= 0 && event->button() == Qt::LeftButton && troop && troop->alignment == 0) {
    dragging_ = true;
    grab_ = event->position().toPoint() - PositionOf(hit);
  }
}

void TTroopPreview::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || selected_ < 0) return;
  const QPoint to = event->position().toPoint() - grab_;
  page_.MoveMember(selected_, std::clamp(to.x(), 0, kScreenWidth), std::clamp(to.y(), 0, kScreenHeight));
}

void TTroopPreview::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void TTroopPreview::contextMenuEvent(QContextMenuEvent* event) {
  const int hit = MemberAt(event->pos());
  const TLcfMonGroupItem* troop = page_.Entry();
  if (hit < 0 || !troop) return;
  Select(hit);
  QMenu menu(this);
  QAction* invisible = menu.addAction("Invisible");
  invisible->setCheckable(true);
  invisible->setChecked(troop->members.ItemAt(hit)->invisible != 0);
  if (menu.exec(event->globalPos()) == invisible) page_.ToggleInvisible(hit);
}

// ---------------------------------------------------------------------------------------------
// Page

TFormEDMonGroup::TFormEDMonGroup(const TDataBasePageContext& context, QWidget* parent)
    : TFormEntryListPage(context.database.troops, kClipTroops, context, parent) {
  auto* fields = new QWidget(this);
  fields->setObjectName("TroopFields");
  TFieldContext lists;
  lists.database = &context.database;
  binder_ = new TFieldBinder(kRows, lists, this);
  std::function<Item*()> entry = [this] { return Entry(); };
  auto* layout = new QVBoxLayout(fields);

  auto* top = new QHBoxLayout;
  auto* form = new QFormLayout;
  form->addRow("Name", binder_->Build(kRows[0], MemberAccess(entry, &Item::name), fields));
  top->addLayout(form, 2);
  auto* autoname = new QPushButton("Autoname Group", fields);
  autoname->setObjectName("ButtonAutoname");
  top->addWidget(autoname);
  random_ = new QCheckBox("Random", fields);
  random_->setObjectName("Random");
  top->addWidget(random_);
  top->addWidget(binder_->Build(kRows[1], MemberAccess(entry, &Item::alignment), fields), 1);
  layout->addLayout(top);

  auto* middle = new QHBoxLayout;
  preview_ = new TTroopPreview(*this, fields);
  middle->addWidget(preview_);
  auto* memberButtons = new QVBoxLayout;
  auto button = [&](const char* caption, const char* name, auto action) {
    auto* b = new QPushButton(caption, fields);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, action);
    return b;
  };
  memberButtons->addWidget(button("< Add", "ButtonAdd", [this] {
    if (QListWidgetItem* item = monsters_->currentItem()) AddMember(item->data(Qt::UserRole).toInt());
  }));
  memberButtons->addWidget(button("Remove >", "ButtonRemove", [this] { RemoveMember(preview_->Selected()); }));
  memberButtons->addWidget(button("Remove All", "ButtonRemoveAll", [this] { RemoveAllMembers(); }));
  memberButtons->addWidget(button("Auto-Align", "ButtonAutoAlign", [this] { AutoAlign(); }));
  memberButtons->addWidget(button("Background...", "ButtonBackground", [this] { RunBackgroundPicker(); }));
  memberButtons->addStretch(1);
  memberButtons->addWidget(button("Test Battle", "ButtonTestBattle", [this] { RunTestBattle(); }));
  middle->addLayout(memberButtons);
  monsters_ = new QListWidget(fields);
  monsters_->setObjectName("MonsterList");
  const TextCodec& codec = TextCodec::Current();
  for (int i = 0; i < context.database.monsters.Count(); ++i) {
    const TLcfMonsterItem* m = context.database.monsters.ItemAt(i);
    auto* item = new QListWidgetItem(codec.ToUnicode(EntryCaption(m->Id(), m->name)), monsters_);
    item->setData(Qt::UserRole, m->Id());
  }
  middle->addWidget(monsters_, 1);
  layout->addLayout(middle);

  auto* pagesBox = new QGroupBox("Battle Events", fields);
  auto* pagesLayout = new QVBoxLayout(pagesBox);
  auto* pageButtons = new QHBoxLayout;
  pageButtons->addWidget(button("Trigger...", "ButtonTrigger", [this] { RunTrigger(); }));
  pageButtons->addWidget(button("New Page", "ButtonNewPage", [this] { NewPage(); }));
  pageButtons->addWidget(button("Copy Page", "ButtonCopyPage", [this] { CopyPage(); }));
  pageButtons->addWidget(button("Paste Page", "ButtonPastePage", [this] { PastePage(); }));
  pageButtons->addWidget(button("Delete Page", "ButtonDeletePage", [this] { DeletePage(); }));
  pageButtons->addStretch(1);
  pagesLayout->addLayout(pageButtons);
  pageTabs_ = new QTabBar(pagesBox);
  pageTabs_->setObjectName("PageTabs");
  pageTabs_->setUsesScrollButtons(true);
  pageTabs_->setExpanding(false);
  pagesLayout->addWidget(pageTabs_);
  script_ = new TScriptEditor(context.database, TScriptKind::TroopPage, pagesBox);
  script_->Converter().EditableDatabase = &context.database;
  pagesLayout->addWidget(script_, 1);
  layout->addWidget(pagesBox, 1);
  SetFields(fields);

  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Name") RewriteLine(Selected());
    Changed();
  });
  connect(random_, &QCheckBox::clicked, this, [this](bool on) { SetRandom(on); });
  connect(monsters_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { AddMember(item->data(Qt::UserRole).toInt()); });
  connect(pageTabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (!showingPages_) ShowPage(index);
  });
  connect(script_, &TScriptEditor::changed, this, [this] { DataModified(); });
  connect(script_, &TScriptEditor::changedElsewhere, this, [this] {
    DataModified();
    binder_->RefillLists();
    LoadEntry();
  });
  LoadEntry();
}

TLcfMonGroupItem* TFormEDMonGroup::Entry() const { return Context().database.troops.ItemAt(Selected()); }

QPushButton* TFormEDMonGroup::Button(const char* name) const { return findChild<QPushButton*>(name); }

int TFormEDMonGroup::CurrentPage() const { return pageTabs_->currentIndex(); }

TAlignmentContext TFormEDMonGroup::Alignment() const {
  const TLcfDataBase& db = Context().database;
  TAlignmentContext c;
  c.battle = &db.battle;
  c.terrainId = db.system.troopPreviewTerrain;
  c.monsters = &db.monsters;
  c.graphicSize = [&db](int32_t id) {
    const TLcfMonsterItem* m = db.monsters.FindById(id);
    const QImage image = m ? MonsterImage(m->monsterFile, m->hue) : QImage();
    return TGraphicSize{image.width(), image.height()};
  };
  return c;
}

void TFormEDMonGroup::LoadEntry() {
  const_cast<TLcfBattle&>(Context().database.battle).SetTerrainList(&Context().database.terrain);
  binder_->Load();
  preview_->Select(-1);
  ShowPages(0);
  UpdateView();
}

void TFormEDMonGroup::ShowPages(int select) {
  showingPages_ = true;
  const TLcfMonGroupItem* troop = Entry();
  const int count = troop ? troop->pages.Count() : 0;
  while (pageTabs_->count() > count) pageTabs_->removeTab(pageTabs_->count() - 1);
  while (pageTabs_->count() < count) pageTabs_->addTab(QString::number(pageTabs_->count() + 1));
  pageTabs_->setCurrentIndex(std::clamp(select, 0, std::max(0, count - 1)));
  showingPages_ = false;
  ShowPage(pageTabs_->currentIndex());
}

void TFormEDMonGroup::ShowPage(int index) {
  TLcfMonGroupItem* troop = Entry();
  TLcfBattleEventPageItem* page = troop ? troop->pages.ItemAt(index) : nullptr;
  script_->Converter().Troop = troop;
  script_->Attach(page ? &page->lines : nullptr);
  UpdateView();
}

void TFormEDMonGroup::UpdateView() {
  const TLcfMonGroupItem* troop = Entry();
  const bool some = troop != nullptr;
  random_->setChecked(troop && troop->random);
  random_->setEnabled(some);
  const bool canAdd = some && CanAddBattlePage(*troop);
  Button("ButtonAdd")->setEnabled(some && troop->members.Count() < kMaxTroopMembers);
  Button("ButtonNewPage")->setEnabled(canAdd);
  Button("ButtonPastePage")->setEnabled(canAdd && ClipboardHoldsBattlePage());
  Button("ButtonDeletePage")->setEnabled(some && troop->pages.Count() >= 2);
  Button("ButtonTestBattle")->setEnabled(some);
  script_->setEnabled(some);
  preview_->update();
}

void TFormEDMonGroup::Changed() { DataModified(); }

void TFormEDMonGroup::AddMember(int32_t monsterId) {
  TLcfMonGroupItem* troop = Entry();
  if (!troop || !troop->AddMember(monsterId, Alignment())) return;
  preview_->Select(troop->members.Count() - 1);
  Changed();
}

void TFormEDMonGroup::RemoveMember(int index) {
  TLcfMonGroupItem* troop = Entry();
  if (!troop || index < 0 || index >= troop->members.Count()) return;
  troop->members.Remove(troop->members.ItemAt(index)->Id());
  preview_->Select(-1);
  Changed();
}

void TFormEDMonGroup::RemoveAllMembers() {
  TLcfMonGroupItem* troop = Entry();
  if (!troop || troop->members.Count() == 0) return;
  troop->members.Clear();
  preview_->Select(-1);
  Changed();
}

void TFormEDMonGroup::AutoAlign() {
  TLcfMonGroupItem* troop = Entry();
  if (!troop) return;
  troop->AutoAlign(Alignment());
  Changed();
}

void TFormEDMonGroup::Autoname() {
  TLcfMonGroupItem* troop = Entry();
  if (!troop) return;
  const std::string name = AutonameTroop(*troop, Context().database.monsters, TextCodec::Current().Name());
  if (name == troop->name) return;
  troop->name = name;
  binder_->Load();
  RewriteLine(Selected());
  Changed();
}

void TFormEDMonGroup::SetRandom(bool on) {
  TLcfMonGroupItem* troop = Entry();
  if (!troop || (troop->random != 0) == on) return;
  troop->random = on ? 1 : 0;
  Changed();
}

void TFormEDMonGroup::ToggleInvisible(int index) {
  TLcfMonGroupItem* troop = Entry();
  TLcfMonGroupMonsterItem* member = troop ? troop->members.ItemAt(index) : nullptr;
  if (!member) return;
  member->invisible = member->invisible ? 0 : 1;
  Changed();
}

void TFormEDMonGroup::MoveMember(int index, int x, int y) {
  TLcfMonGroupItem* troop = Entry();
  TLcfMonGroupMonsterItem* member = troop ? troop->members.ItemAt(index) : nullptr;
  if (!member || troop->alignment != 0 || (member->x == x && member->y == y)) return;
  member->x = x;
  member->y = y;
  Changed();
}

void TFormEDMonGroup::NewPage() {
  TLcfMonGroupItem* troop = Entry();
  if (!troop) return;
  const int at = InsertBattlePage(*troop, CurrentPage());
  if (at < 0) return;
  ShowPages(at);
  Changed();
}

void TFormEDMonGroup::CopyPage() {
  if (const TLcfMonGroupItem* troop = Entry()) CopyBattlePage(*troop, CurrentPage());
  UpdateView();
}

void TFormEDMonGroup::PastePage() {
  TLcfMonGroupItem* troop = Entry();
  if (!troop) return;
  const int at = PasteBattlePage(*troop, CurrentPage());
  if (at < 0) return;
  ShowPages(at);
  Changed();
}

void TFormEDMonGroup::DeletePage() {
  TLcfMonGroupItem* troop = Entry();
  if (!troop) return;
  const int next = DeleteBattlePage(*troop, CurrentPage());
  if (next < 0) return;
  ShowPages(next);
  Changed();
}

void TFormEDMonGroup::RunTrigger() {
  TLcfMonGroupItem* troop = Entry();
  TLcfBattleEventPageItem* page = troop ? troop->pages.ItemAt(CurrentPage()) : nullptr;
  if (!page) return;
  TFormEDMonGroupBattleEventTrigger window(Context().database, page->trigger, this);
  if (window.exec() != QDialog::Accepted || window.Trigger().SameAs(page->trigger)) return;
  page->trigger.Assign(window.Trigger());
  Changed();
}

void TFormEDMonGroup::RunBackgroundPicker() {
  TLcfSystem& system = Context().database.system;
  TFormSelBackdrop picker(this);
  picker.materialName = system.troopPreviewBackdrop;
  if (picker.exec() != QDialog::Accepted || picker.materialName == system.troopPreviewBackdrop) return;
  system.troopPreviewBackdrop = picker.materialName;
  Changed();
}

void TFormEDMonGroup::RunTestBattle() {
  const TLcfMonGroupItem* troop = Entry();
  if (!troop) return;
  TFormEDMonGroupBattleTest window(Context().database, troop->Id(), this);
  if (window.exec() == QDialog::Accepted) DataModified();
}

}  // namespace tess
