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
#include "database/BattlePageKit.h"
#include "database/DataBaseObj.h"
#include "editor/database/BattleScreen.h"
#include "editor/database/FormEDMonGroupBattleEventTrigger.h"
#include "editor/database/FormEDMonGroupBattleTest.h"
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

}  // namespace

// ---------------------------------------------------------------------------------------------
// Preview

TTroopPreview::TTroopPreview(TFormEDMonGroup& page, QWidget* parent) : QWidget(parent), page_(page) {
  setObjectName("TroopPreview");
  setFixedSize(kBattleScreenWidth, kBattleScreenHeight);
}

void TTroopPreview::Select(int index) {
  selected_ = index;
  update();
}

QPoint TTroopPreview::PositionOf(int index) const {
  const TLcfMonGroupItem* troop = page_.Entry();
  return troop ? MemberCentre(*troop, index, page_.Alignment()) : QPoint();
}

int TTroopPreview::MemberAt(const QPoint& point) const {
  const TLcfMonGroupItem* troop = page_.Entry();
  if (!troop) return -1;
  const TAlignmentContext alignment = page_.Alignment();
  for (int i = troop->members.Count() - 1; i >= 0; --i)
    if (MemberRect(page_.Context().database, *troop, i, alignment).contains(point)) return i;
  return -1;
}

void TTroopPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  const TLcfDataBase& db = page_.Context().database;
  const QImage backdrop = BackdropImage(db.system.troopPreviewBackdrop);
  if (!backdrop.isNull()) painter.drawImage(0, 0, backdrop);
  if (const TLcfMonGroupItem* troop = page_.Entry()) DrawTroop(painter, db, *troop, page_.Alignment(), selected_);
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
  page_.MoveMember(selected_, std::clamp(to.x(), 0, kBattleScreenWidth), std::clamp(to.y(), 0, kBattleScreenHeight));
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
  auto* monsterColumn = new QVBoxLayout;
  monsterColumn->addWidget(monsters_, 2);
  auto* habitatBox = new QGroupBox("Habitat", fields);
  habitat_ = new QListWidget(habitatBox);
  habitat_->setObjectName("Habitat");
  (new QVBoxLayout(habitatBox))->addWidget(habitat_);
  monsterColumn->addWidget(habitatBox, 1);
  middle->addLayout(monsterColumn, 1);
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
  connect(habitat_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (!showingHabitat_) SetHabitat(item->data(Qt::UserRole).toInt(), item->checkState() == Qt::Checked);
  });
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

TAlignmentContext TFormEDMonGroup::Alignment() const { return TroopAlignment(Context().database); }

void TFormEDMonGroup::LoadEntry() {
  const_cast<TLcfBattle&>(Context().database.battle).SetTerrainList(&Context().database.terrain);
  binder_->Load();
  preview_->Select(-1);
  ShowHabitat();
  ShowPages(0);
  UpdateView();
}

void TFormEDMonGroup::ShowHabitat() {
  showingHabitat_ = true;
  const TLcfMonGroupItem* troop = Entry();
  const TLcfGround& terrain = Context().database.terrain;
  if (habitat_->count() != terrain.Count()) {
    habitat_->clear();
    for (int i = 0; i < terrain.Count(); ++i) {
      const TLcfGroundItem* t = terrain.ItemAt(i);
      auto* item = new QListWidgetItem(TextCodec::Current().ToUnicode(EntryCaption(t->Id(), t->name)), habitat_);
      item->setData(Qt::UserRole, t->Id());
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    }
  }
  for (int i = 0; i < habitat_->count(); ++i) {
    QListWidgetItem* item = habitat_->item(i);
    const bool on = troop && troop->GetHabitat(item->data(Qt::UserRole).toInt()) != 0;
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
  }
  habitat_->setEnabled(troop != nullptr);
  showingHabitat_ = false;
}

void TFormEDMonGroup::SetHabitat(int terrainId, bool on) {
  TLcfMonGroupItem* troop = Entry();
  if (!troop || !SetTroopHabitat(*troop, terrainId, on)) return;
  Changed();
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
  TFormEDMonGroupBattleTest window(Context().database, troop->Id(), this, Context().settings);
  if (window.exec() == QDialog::Accepted) DataModified();
}

}  // namespace tess
