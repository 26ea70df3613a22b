#include "editor/database/FormEDItem.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/EntryCaption.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormSelCBA.h"
#include "editor/database/MarkList.h"
#include "platform/TextCodec.h"
#include "ui/AnimationPreview.h"
#include "ui/FieldBinder.h"

namespace tess {

namespace {

using K = TFieldKind;
using Item = TLcfItemItem;
using G = TItemGroup;

constexpr TFieldChoice kTypes[] = {{0, "Common Item"}, {1, "Weapon"},       {2, "Shield"},   {3, "Armor"},
                                   {4, "Helmet"},      {5, "Accessory"},    {6, "Medicine"}, {7, "Skill Book"},
                                   {8, "Seed"},        {9, "Skill Scroll"}, {10, "Switch"}};
constexpr TFieldChoice kUses[] = {
    {0, "Unlimited Use"}, {1, "One Use (Normal)"}, {2, "2"}, {3, "3"}, {4, "4"}, {5, "5"}};
constexpr TFieldChoice kHands[] = {{0, "One"}, {1, "Both"}};
constexpr TFieldChoice kMedicineTargets[] = {{0, "Single Ally"}, {1, "All Allies"}};
constexpr TFieldChoice kScrollMessages[] = {{0, "Item Name"}, {1, "Name of Associated Skill"}};
constexpr TFieldChoice kModes[] = {{0, "Inflict / Resist"}, {1, "Remove / Inflict"}};
constexpr int32_t kOn[] = {1};

// Each row with its group; rows keep their order on the page.
struct TItemRow {
  G group;
  TFieldRow row;
  int32_t Item::*member = nullptr;
  uint8_t Item::*flag = nullptr;
};

#define NUM(g, k, c, lo, hi, m) \
  TItemRow { g, {.key = k, .kind = K::Number, .caption = c, .min = lo, .max = hi}, &Item::m }
#define FLAG(g, k, c, m) \
  TItemRow { g, {.key = k, .kind = K::Flag, .caption = c}, nullptr, &Item::m }
#define PICK(g, k, c, list, m) \
  TItemRow { g, {.key = k, .kind = K::Choice, .caption = c, .choices = list}, nullptr, &Item::m }

const TItemRow kItemRows[] = {
    NUM(G::Uses, "Price", "Price", 0, 999999, price),
    {G::Uses, {.key = "Uses", .kind = K::Choice, .caption = "Number of Uses", .choices = kUses}, &Item::uses},
    NUM(G::Statistics, "Attack", "Attack", -500, 500, attackBonus),
    NUM(G::Statistics, "Defense", "Defense", -500, 500, defenseBonus),
    NUM(G::Statistics, "Intelligence", "Intelligence", -500, 500, intelligenceBonus),
    NUM(G::Statistics, "Agility", "Agility", -500, 500, agilityBonus),
    PICK(G::Weapon, "Hands", "Hands Required", kHands, twoHanded),
    NUM(G::Weapon, "WeaponMP", "MP Consumed", 0, 999, mpCost),
    NUM(G::Weapon, "HitRate", "Hit Probability", 0, 100, hitRate),
    NUM(G::Weapon, "CriticalBonus", "Critical Bonus", 0, 100, criticalBonus),
    {G::Weapon,
     {.key = "AttackAnimation", .kind = K::Animation, .caption = "Attack Animation", .min = 1, .max = 5000},
     &Item::attackAnimation},
    FLAG(G::Weapon, "AttackFirst", "Always Attack First", attackFirst),
    FLAG(G::Weapon, "AttackTwice", "Attack Twice", attackTwice),
    FLAG(G::Weapon, "AttackAll", "Attack All Enemies", attackAll),
    FLAG(G::Weapon, "IgnoreEvasion", "Ignore Enemy Evasion", ignoreEvasion),
    FLAG(G::Armor, "PreventCritical", "Prevent Critical Hits", preventCritical),
    FLAG(G::Armor, "RaiseEvasion", "Increased Evasion", raiseEvasion),
    FLAG(G::Armor, "HalfMp", "Half MP Consumption", halfMpCost),
    FLAG(G::Armor, "NoTerrainDamage", "No Terrain Damage", noTerrainDamage),
    FLAG(G::Cursed, "Cursed", "Cursed", cursed),
    FLAG(G::InvokeSkill, "InvokeSkill", "Invoke Skill When Used", invokeSkill),
    {G::InvokeSkill,
     {.key = "InvokedSkill",
      .kind = K::Skill,
      .caption = "Skill",
      .min = 1,
      .max = 5000,
      .whenKey = "InvokeSkill",
      .whenValues = kOn},
     &Item::skillId},
    NUM(G::ConditionRule, "ConditionChance", "Probability", 0, 100, conditionChance),
    {G::ConditionRule,
     {.key = "ConditionMode", .kind = K::Choice, .caption = "Conditions", .choices = kModes},
     &Item::conditionMode},
    PICK(G::Medicine, "MedicineTarget", "Target", kMedicineTargets, medicineTarget),
    NUM(G::Medicine, "HpPercent", "HP Recovery %", 0, 100, hpRecoveryPercent),
    NUM(G::Medicine, "Hp", "HP Recovery", 0, 9999, hpRecovery),
    NUM(G::Medicine, "MpPercent", "MP Recovery %", 0, 100, mpRecoveryPercent),
    NUM(G::Medicine, "Mp", "MP Recovery", 0, 999, mpRecovery),
    FLAG(G::Medicine, "FieldOnly", "Only Usable on the Field Map", fieldOnly),
    FLAG(G::Medicine, "DeadOnly", "Only Usable on Dead Characters", deadOnly),
    {G::SkillBook,
     {.key = "LearnedSkill", .kind = K::Skill, .caption = "Skill", .min = 1, .max = 5000},
     &Item::skillId},
    NUM(G::Seed, "SeedHP", "Max HP", -50, 50, seedMaxHP),
    NUM(G::Seed, "SeedMP", "Max MP", -50, 50, seedMaxMP),
    NUM(G::Seed, "SeedAttack", "Attack", -50, 50, seedAttack),
    NUM(G::Seed, "SeedDefense", "Defense", -50, 50, seedDefense),
    NUM(G::Seed, "SeedIntelligence", "Intelligence", -50, 50, seedIntelligence),
    NUM(G::Seed, "SeedAgility", "Agility", -50, 50, seedAgility),
    PICK(G::SkillScroll, "ScrollMessage", "Message Shown When Used", kScrollMessages, scrollMessage),
    {G::SkillScroll,
     {.key = "ScrollSkill", .kind = K::Skill, .caption = "Skill", .min = 1, .max = 5000},
     &Item::skillId},
    {G::Switch,
     {.key = "Switch", .kind = K::Switch, .caption = "Turn ON Switch", .min = 1, .max = 5000},
     &Item::switchId},
    FLAG(G::Switch, "Field", "Field", usableOnField),
    FLAG(G::Switch, "Battle", "Battle", usableInBattle),
};
#undef NUM
#undef FLAG
#undef PICK

constexpr TFieldRow kTopRows[] = {
    {.key = "Name", .kind = K::Text, .caption = "Name", .max = 20},
    {.key = "Description", .kind = K::Text, .caption = "Description", .max = 50},
    {.key = "ItemType", .kind = K::Choice, .caption = "Type", .choices = kTypes},
};

std::vector<TFieldRow> AllRows() {
  std::vector<TFieldRow> rows(std::begin(kTopRows), std::end(kTopRows));
  for (const TItemRow& r : kItemRows) rows.push_back(r.row);
  return rows;
}
const std::vector<TFieldRow>& Rows() {
  static const std::vector<TFieldRow> rows = AllRows();
  return rows;
}

const char* GroupTitle(G g) {
  switch (g) {
    case G::Uses:
      return "Uses";
    case G::Statistics:
      return "Statistic Change";
    case G::Weapon:
      return "Weapon";
    case G::Armor:
      return "Armor";
    case G::Cursed:
      return "";
    case G::InvokeSkill:
      return "Invoke Skill";
    case G::Usable:
      return "Usable By";
    case G::Conditions:
      return "Conditions";
    case G::Attributes:
      return "Attributes";
    case G::ConditionRule:
      return "Condition Effect";
    case G::WeaponAnimation:
      return "Attack Animation";
    case G::Medicine:
      return "Medicine";
    case G::SkillBook:
      return "Skill Book";
    case G::Seed:
      return "Base Statistic Change";
    case G::SkillScroll:
      return "Skill Scroll";
    case G::Switch:
      return "Switch";
  }
  return "";
}

QStringList Captions(const TCatalog& list, bool withNone) {
  QStringList lines;
  if (withNone) lines << "(None)";
  for (int i = 0; i < list.Count(); ++i)
    lines << TextCodec::Current().ToUnicode(EntryCaption(list.ItemAt(i)->Id(), list.ItemAt(i)->name));
  return lines;
}

}  // namespace

TFormEDItem::TFormEDItem(const TDataBasePageContext& context, QWidget* parent)
    : TFormEntryListPage(context.database.items, kClipItems, context, parent) {
  auto* fields = new QWidget(this);
  fields->setObjectName("ItemFields");
  TFieldContext lists;
  lists.database = &context.database;
  lists.editableDatabase = &context.database;
  binder_ = new TFieldBinder(Rows(), lists, this);
  std::function<Item*()> entry = [this] { return Entry(); };
  const std::vector<TFieldRow>& rows = Rows();

  auto* outer = new QHBoxLayout(fields);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  outer->addLayout(left, 3);
  outer->addLayout(right, 2);
  auto* top = new QFormLayout;
  top->addRow("Name", binder_->Build(rows[0], MemberAccess(entry, &Item::name), fields));
  top->addRow("Description", binder_->Build(rows[1], MemberAccess(entry, &Item::description), fields));
  auto* type = new QComboBox(fields);
  binder_->Attach(rows[2], type, MemberAccess(entry, &Item::itemType));
  top->addRow("Type", type);
  left->addLayout(top);

  std::map<G, QFormLayout*> forms;
  auto groupBox = [&](G g, QBoxLayout* where) {
    auto* box = new QGroupBox(GroupTitle(g), fields);
    box->setObjectName(QString("Group%1").arg(static_cast<int>(g)));
    where->addWidget(box);
    groups_[g] = box;
    return box;
  };
  for (size_t i = 0; i < std::size(kItemRows); ++i) {
    const TItemRow& r = kItemRows[i];
    if (!forms.count(r.group)) forms[r.group] = new QFormLayout(groupBox(r.group, left));
    const TFieldRow& row = rows[3 + i];
    TFieldAccess access = r.member ? MemberAccess(entry, r.member) : MemberAccess(entry, r.flag);
    QWidget* control = binder_->Build(row, access, groups_[r.group]);
    if (TFieldBinder::Labelled(row))
      forms[r.group]->addRow(row.caption, control);
    else
      forms[r.group]->addRow(control);
  }
  left->addStretch(1);

  auto* animationBox = groupBox(G::WeaponAnimation, right);
  auto* animationLayout = new QVBoxLayout(animationBox);
  preview_ = new TAnimationPreview(animationBox);
  animationLayout->addWidget(preview_);
  animationLayout->addWidget(preview_->MissingLine());
  auto* buttons = new QHBoxLayout;
  auto* play = new QPushButton("Play", animationBox);
  play->setObjectName("ButtonPlay");
  connect(play, &QPushButton::clicked, this, [this] { preview_->Play(); });
  auto* form = new QPushButton("Weapon Animation Form", animationBox);
  form->setObjectName("ButtonWeaponAnimation");
  connect(form, &QPushButton::clicked, this, [this] { RunWeaponAnimation(); });
  buttons->addWidget(play);
  buttons->addWidget(form);
  animationLayout->addLayout(buttons);

  auto* marks = new QHBoxLayout;
  auto markBox = [&](G g, TMarkList*& list, const char* name) {
    auto* box = groupBox(g, right);
    marks->addWidget(box);
    list = new TMarkList(box);
    list->setObjectName(name);
    (new QVBoxLayout(box))->addWidget(list);
    connect(list, &TMarkList::changed, this, [this] { DataModified(); });
  };
  markBox(G::Usable, users_, "ItemUsers");
  markBox(G::Conditions, conditions_, "ItemConditions");
  markBox(G::Attributes, attributes_, "ItemAttributes");
  right->addLayout(marks, 1);
  SetFields(fields);

  TLcfDataBase& db = context.database;
  conditions_->SetLines(Captions(db.conditions, false));
  attributes_->SetLines(Captions(db.attributes, false));
  conditions_->get = [this](int i) { return Entry() && Entry()->GetItemCondition(i + 1) != 0; };
  conditions_->set = [this, &db](int i, bool on) {
    if (Item* it = Entry()) {
      if (it->conditionCount <= i) it->ResizeItemConditions(std::max(i + 1, db.conditions.Count()));
      it->SetItemCondition(i + 1, on ? 1 : 0);
    }
  };
  attributes_->get = [this](int i) { return Entry() && Entry()->GetItemAttribute(i + 1) != 0; };
  attributes_->set = [this, &db](int i, bool on) {
    if (Item* it = Entry()) {
      if (it->attributeCount <= i) it->ResizeItemAttributes(std::max(i + 1, db.attributes.Count()));
      it->SetItemAttribute(i + 1, on ? 1 : 0);
    }
  };
  // Who may use it: per hero, or per class from "(None)" on, as the database has it in force.
  users_->get = [this](int i) {
    const Item* it = Entry();
    if (!it) return false;
    return usersByClass_ ? it->IsUsableByClass(i) : it->IsUsableByHero(i + 1);
  };
  users_->set = [this](int i, bool on) {
    Item* it = Entry();
    if (!it) return;
    // A grown array gets 0 in its new elements, then every element from the list: what reads as
    // usable beyond the array stays usable.
    const int lines = users_->count();
    if (usersByClass_ && it->classUsableCount < lines) {
      it->ResizeClassUsable(lines);
      for (int k = 0; k < lines; ++k) it->SetClassUsable(k, users_->item(k)->checkState() == Qt::Checked);
    } else if (!usersByClass_ && it->heroUsableCount < lines) {
      it->ResizeHeroUsable(lines);
      for (int k = 0; k < lines; ++k) it->SetHeroUsable(k, users_->item(k)->checkState() == Qt::Checked);
    }
    if (usersByClass_)
      it->SetClassUsable(i, on ? 1 : 0);
    else
      it->SetHeroUsable(i, on ? 1 : 0);
  };
  FillUsers();

  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    const std::string_view k = key;
    if (k == "Name") RewriteLine(Selected());
    if (k == "AttackAnimation") ShowPreview();
    DataModified();
  });
  connect(binder_, &TFieldBinder::databaseChanged, this, [this] { DataModified(); });
  LoadEntry();
}

TLcfItemItem* TFormEDItem::Entry() const { return Context().database.items.ItemAt(Selected()); }

void TFormEDItem::FillUsers() {
  const TLcfDataBase& db = Context().database;
  usersByClass_ = db.system.itemUsableByMode == 1;
  users_->SetLines(usersByClass_ ? Captions(db.classes, true) : Captions(db.heroes, false));
}

void TFormEDItem::LoadEntry() {
  binder_->Load();
  users_->Load();
  conditions_->Load();
  attributes_->Load();
  ShowPreview();
  UpdateView();
}

void TFormEDItem::ShowPreview() {
  const Item* it = Entry();
  preview_->SetAnimation(it && it->IsWeapon() ? Context().database.animations.FindById(it->attackAnimation) : nullptr);
}

void TFormEDItem::UpdateView() {
  const Item* it = Entry();
  for (auto& [group, box] : groups_) box->setVisible(it && ItemGroupShown(it->itemType, group));
  if (it && binder_->Control("ItemType")) binder_->Control("ItemType")->setEnabled(true);
  // The preview follows a type change to or from weapon.
  const TLcfAnimationItem* shown =
      it && it->IsWeapon() ? Context().database.animations.FindById(it->attackAnimation) : nullptr;
  if (preview_->Graphic().Animation() != shown) preview_->SetAnimation(shown);
}

void TFormEDItem::RunWeaponAnimation() {
  Item* it = Entry();
  if (!it || !it->IsWeapon()) return;
  TFormSelCBA window(Context().database, *it, this);
  // A hero reset to set 1 on the way counts even when the window is cancelled.
  window.exec();
  if (window.Changed()) {
    binder_->Load();
    DataModified();
  }
}

}  // namespace tess
