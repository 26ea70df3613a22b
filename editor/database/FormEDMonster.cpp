#include "editor/database/FormEDMonster.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/EntryCaption.h"
#include "database/ActorPageKit.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormEDMonsterAct.h"
#include "editor/database/MonsterGraphic.h"
#include "editor/database/RankList.h"
#include "platform/TextCodec.h"
#include "ui/FieldBinder.h"
#include "ui/pickers/FormSelMonster.h"

namespace tess {

namespace {

using K = TFieldKind;
using Item = TLcfMonsterItem;

constexpr int32_t kOn[] = {1};
constexpr TFieldChoice kNone[] = {{0, "(None)"}};

constexpr TFieldRow kRows[] = {
    {.key = "Name", .kind = K::Text, .caption = "Name", .max = 30},
    {.key = "MaxHP", .kind = K::Number, .caption = "Max HP", .min = 1, .max = 9999999},
    {.key = "MaxMP", .kind = K::Number, .caption = "Max MP", .min = 0, .max = 9999},
    {.key = "Attack", .kind = K::Number, .caption = "Attack", .min = 1, .max = 9999},
    {.key = "Defense", .kind = K::Number, .caption = "Defense", .min = 1, .max = 9999},
    {.key = "Intellect", .kind = K::Number, .caption = "Intellect", .min = 1, .max = 9999},
    {.key = "Agility", .kind = K::Number, .caption = "Agility", .min = 1, .max = 255},
    {.key = "Experience", .kind = K::Number, .caption = "Experience", .min = 0, .max = 9999999},
    {.key = "Money", .kind = K::Number, .caption = "Money", .min = 0, .max = 999999},
    {.key = "DropItem", .kind = K::Item, .caption = "Item", .min = 0, .max = 5000, .choices = kNone},
    {.key = "DropChance", .kind = K::Number, .caption = "Drop Probability", .min = 0, .max = 100},
    {.key = "CriticalHits", .kind = K::Flag, .caption = "Critical Hits"},
    {.key = "CriticalChance",
     .kind = K::Number,
     .caption = "Critical Hit Probability",
     .min = 1,
     .max = 100,
     .whenKey = "CriticalHits",
     .whenValues = kOn},
    {.key = "OftenMiss", .kind = K::Flag, .caption = "Attacks often Miss"},
    {.key = "Flying", .kind = K::Flag, .caption = "Flying"},
    {.key = "Transparent", .kind = K::Flag, .caption = "Transparent"},
};

TFieldAccess AccessOf(const TFieldRow& row, std::function<Item*()> entry) {
  const std::string_view key = row.key;
  if (key == "Name") return MemberAccess(entry, &Item::name);
  if (key == "MaxHP") return MemberAccess(entry, &Item::maxHP);
  if (key == "MaxMP") return MemberAccess(entry, &Item::maxMP);
  if (key == "Attack") return MemberAccess(entry, &Item::attack);
  if (key == "Defense") return MemberAccess(entry, &Item::defense);
  if (key == "Intellect") return MemberAccess(entry, &Item::intelligence);
  if (key == "Agility") return MemberAccess(entry, &Item::agility);
  if (key == "Experience") return MemberAccess(entry, &Item::experience);
  if (key == "Money") return MemberAccess(entry, &Item::money);
  if (key == "DropItem") return MemberAccess(entry, &Item::dropItemId);
  if (key == "DropChance") return MemberAccess(entry, &Item::dropChance);
  if (key == "CriticalHits") return MemberAccess(entry, &Item::criticalHits);
  if (key == "CriticalChance") return MemberAccess(entry, &Item::criticalChance);
  if (key == "OftenMiss") return MemberAccess(entry, &Item::oftenMiss);
  if (key == "Flying") return MemberAccess(entry, &Item::flying);
  return MemberAccess(entry, &Item::transparent);
}

template <class List>
std::vector<std::string> NamesOf(const List& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.ItemAt(i)->name);
  return names;
}

const char* const kBasicNames[] = {"Attack",    "Double Attack", "Defend", "Observe Battle",
                                   "Charge Up", "Self-Destruct", "Escape", "No Action"};

}  // namespace

TFormEDMonster::TFormEDMonster(const TDataBasePageContext& context, QWidget* parent)
    : TFormEntryListPage(context.database.monsters, kClipMonsters, context, parent) {
  auto* fields = new QWidget(this);
  fields->setObjectName("MonsterFields");
  TFieldContext lists;
  lists.database = &context.database;
  binder_ = new TFieldBinder(kRows, lists, this);
  auto entry = [this] { return Entry(); };

  auto* layout = new QHBoxLayout(fields);
  auto* left = new QVBoxLayout;
  auto* middle = new QVBoxLayout;
  layout->addLayout(left, 2);
  layout->addLayout(middle, 3);
  auto* form = new QFormLayout;
  binder_->AddRows(
      form, [&](const TFieldRow& row) { return AccessOf(row, entry); }, fields);
  left->addLayout(form);
  left->addStretch(1);

  auto* graphicBox = new QGroupBox("Monster Graphic", fields);
  auto* graphicLayout = new QVBoxLayout(graphicBox);
  graphic_ = new QLabel(graphicBox);
  graphic_->setObjectName("MonsterPreview");
  graphic_->setMinimumSize(160, 120);
  graphic_->setAlignment(Qt::AlignCenter);
  auto* set = new QPushButton("Set...", graphicBox);
  set->setObjectName("ButtonGraphic");
  graphicLayout->addWidget(graphic_, 1);
  graphicLayout->addWidget(set);
  middle->addWidget(graphicBox);

  auto* actionBox = new QGroupBox("Behavior", fields);
  auto* actionLayout = new QVBoxLayout(actionBox);
  actions_ = new QListWidget(actionBox);
  actions_->setObjectName("Actions");
  actionLayout->addWidget(actions_, 1);
  auto* actionButtons = new QHBoxLayout;
  auto* add = new QPushButton("Add", actionBox);
  auto* edit = new QPushButton("Edit", actionBox);
  auto* remove = new QPushButton("Delete", actionBox);
  actionButtons->addWidget(add);
  actionButtons->addWidget(edit);
  actionButtons->addWidget(remove);
  actionLayout->addLayout(actionButtons);
  middle->addWidget(actionBox, 1);

  auto rankList = [this, fields](const char* title, const char* name, bool conditions) {
    auto* group = new QGroupBox(title, fields);
    auto* list = new TRankList(
        [this, conditions](int id) {
          const Item* m = Entry();
          if (!m) return conditions ? int{kRankB} : int{kRankC};
          return static_cast<int>(conditions ? m->GetConditionRank(id) : m->GetAttributeRank(id));
        },
        [this, conditions](int id, int rank) {
          Item* m = Entry();
          if (!m) return;
          // The array grows only when a rank past the stored ones is set.
          if (conditions) {
            if (id > m->conditionRankCount) m->ResizeConditionRanks(id);
            m->SetConditionRank(id, static_cast<uint8_t>(rank));
          } else {
            if (id > m->attributeRankCount) m->ResizeAttributeRanks(id);
            m->SetAttributeRank(id, static_cast<uint8_t>(rank));
          }
        },
        group);
    list->setObjectName(name);
    (new QVBoxLayout(group))->addWidget(list);
    connect(list, &TRankList::changed, this, [this] { DataModified(); });
    return std::pair{group, list};
  };
  auto [conditionBox, conditionList] = rankList("Condition Resistance", "ConditionRanks", true);
  auto [attributeBox, attributeList] = rankList("Attribute Resistance", "AttributeRanks", false);
  conditionRanks_ = conditionList;
  attributeRanks_ = attributeList;
  conditionRanks_->SetNames(NamesOf(context.database.conditions));
  attributeRanks_->SetNames(NamesOf(context.database.attributes));
  auto* right = new QVBoxLayout;
  right->addWidget(conditionBox, 1);
  right->addWidget(attributeBox, 1);
  layout->addLayout(right, 2);
  SetFields(fields);

  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Name") RewriteLine(Selected());
    DataModified();
  });
  connect(set, &QPushButton::clicked, this, [this] { RunGraphicPicker(); });
  connect(add, &QPushButton::clicked, this, [this] { RunAction(-1); });
  connect(edit, &QPushButton::clicked, this, [this] { RunAction(actions_->currentRow()); });
  connect(remove, &QPushButton::clicked, this, [this] { DeleteAction(actions_->currentRow()); });
  connect(actions_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { RunAction(actions_->row(item)); });
  LoadEntry();
}

TLcfMonsterItem* TFormEDMonster::Entry() const { return Context().database.monsters.ItemAt(Selected()); }

void TFormEDMonster::LoadEntry() {
  binder_->Load();
  conditionRanks_->Reload();
  attributeRanks_->Reload();
  ShowActions();
  UpdateView();
}

void TFormEDMonster::UpdateView() {
  const Item* m = Entry();
  const QImage image = m ? MonsterImage(m->monsterFile, m->hue) : QImage();
  graphic_->setPixmap(
      image.isNull() ? QPixmap()
                     : QPixmap::fromImage(image.scaled(image.size().boundedTo(QSize(240, 180)), Qt::KeepAspectRatio)));
  graphic_->setToolTip(m ? TextCodec::Current().ToUnicode(m->monsterFile) : QString());
}

void TFormEDMonster::ShowActions() {
  actions_->clear();
  const Item* m = Entry();
  if (!m) return;
  const TLcfDataBase& db = Context().database;
  const TextCodec& codec = TextCodec::Current();
  for (int i = 0; i < m->actions.Count(); ++i) {
    const TLcfMonsterActItem* a = m->actions.ItemAt(i);
    QString what;
    if (a->actionKind == kActionSkill) {
      const TLcfSkillItem* skill = db.skills.FindById(a->skillId);
      what = "Skill: " + (skill ? codec.ToUnicode(skill->name) : QString("?"));
    } else if (a->actionKind == kActionTransform) {
      const TLcfMonsterItem* into = db.monsters.FindById(a->transformInto);
      what = "Transform: " + (into ? codec.ToUnicode(into->name) : QString("?"));
    } else {
      what = a->basicAction < 8 ? kBasicNames[a->basicAction] : "?";
    }
    actions_->addItem(QString("%1   Priority %2").arg(what).arg(a->priority));
  }
}

void TFormEDMonster::RunGraphicPicker() {
  Item* m = Entry();
  if (!m) return;
  TFormSelMonster picker(this);
  picker.materialName = m->monsterFile;
  picker.hue = m->hue;
  if (picker.exec() != QDialog::Accepted || (picker.materialName == m->monsterFile && picker.hue == m->hue)) return;
  m->monsterFile = picker.materialName;
  m->hue = picker.hue;
  DataModified();
}

void TFormEDMonster::RunAction(int row) {
  Item* m = Entry();
  if (!m) return;
  TLcfMonsterActItem fresh;
  const TLcfMonsterActItem* shown = row >= 0 ? m->actions.ItemAt(row) : &fresh;
  if (!shown) return;
  TFormEDMonsterAct window(Context().database, *shown, this);
  if (window.exec() != QDialog::Accepted) return;
  TLcfMonsterActItem* target = row >= 0 ? m->actions.ItemAt(row) : m->actions.Append();
  const int32_t id = target->Id();
  target->Assign(window.Action());
  target->SetId(id);
  ShowActions();
  actions_->setCurrentRow(row >= 0 ? row : m->actions.Count() - 1);
  DataModified();
}

void TFormEDMonster::DeleteAction(int row) {
  Item* m = Entry();
  if (!m || row < 0 || row >= m->actions.Count()) return;
  m->actions.Remove(m->actions.ItemAt(row)->Id());
  ShowActions();
  DataModified();
}

}  // namespace tess
