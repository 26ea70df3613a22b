#include "editor/database/FormEDSkill.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/EntryCaption.h"
#include "database/AnimationPageKit.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormSelCBA.h"
#include "editor/database/MarkList.h"
#include "editor/database/MaterialField.h"
#include "platform/TextCodec.h"
#include "ui/AnimationPreview.h"
#include "ui/FieldBinder.h"

namespace tess {

namespace {

using K = TFieldKind;
using Item = TLcfSkillItem;

constexpr TFieldChoice kTypes[] = {{0, "Normal"}, {1, "Teleport"}, {2, "Escape"}, {3, "Switch"}};
constexpr TFieldChoice kCostTypes[] = {{0, "Number"}, {1, "Percentage of Max MP"}};
constexpr TFieldChoice kTargets[] = {
    {0, "Single Enemy"}, {1, "All Enemies"}, {2, "Self"}, {3, "Single Ally"}, {4, "All Allies"}};
constexpr TFieldChoice kModes[] = {{0, "Inflict"}, {1, "Remove"}};
constexpr int32_t kNormal[] = {kSkillNormal};
constexpr int32_t kSwitch[] = {kSkillSwitch};
constexpr int32_t kSpecial[] = {kSkillTeleport, kSkillEscape, kSkillSwitch};
constexpr int32_t kZero[] = {0};
constexpr int32_t kOne[] = {1};

constexpr TFieldRow kRows[] = {
    {.key = "Name", .kind = K::Text, .caption = "Name", .max = 20},
    {.key = "Description", .kind = K::Text, .caption = "Description", .max = 50},
    {.key = "SkillType", .kind = K::Choice, .caption = "Type", .choices = kTypes},
    {.key = "CostType", .kind = K::Choice, .caption = "MP Cost", .choices = kCostTypes},
    {.key = "Cost",
     .kind = K::Number,
     .caption = "MP",
     .min = 0,
     .max = 999,
     .whenKey = "CostType",
     .whenValues = kZero},
    {.key = "CostPercent",
     .kind = K::Number,
     .caption = "%",
     .min = 1,
     .max = 100,
     .whenKey = "CostType",
     .whenValues = kOne},
    {.key = "Target",
     .kind = K::Choice,
     .caption = "Target",
     .choices = kTargets,
     .whenKey = "SkillType",
     .whenValues = kNormal},
    {.key = "Animation",
     .kind = K::Animation,
     .caption = "Battle Animation",
     .min = 1,
     .max = 5000,
     .whenKey = "SkillType",
     .whenValues = kNormal},
    {.key = "AttackInfluence",
     .kind = K::Number,
     .caption = "Attack Influence",
     .min = 0,
     .max = 10,
     .whenKey = "SkillType",
     .whenValues = kNormal},
    {.key = "IntelligenceInfluence",
     .kind = K::Number,
     .caption = "Intelligence Influence",
     .min = 0,
     .max = 10,
     .whenKey = "SkillType",
     .whenValues = kNormal},
    {.key = "Variance",
     .kind = K::Number,
     .caption = "Variance",
     .min = 0,
     .max = 10,
     .whenKey = "SkillType",
     .whenValues = kNormal},
    {.key = "EffectRating",
     .kind = K::Number,
     .caption = "Effect Rating",
     .min = 0,
     .max = 9999,
     .whenKey = "SkillType",
     .whenValues = kNormal},
    {.key = "SuccessRate",
     .kind = K::Number,
     .caption = "Success Rate",
     .min = 0,
     .max = 100,
     .whenKey = "SkillType",
     .whenValues = kNormal},
    {.key = "AffectHP", .kind = K::Flag, .caption = "HP", .whenKey = "SkillType", .whenValues = kNormal},
    {.key = "AffectMP", .kind = K::Flag, .caption = "MP", .whenKey = "SkillType", .whenValues = kNormal},
    {.key = "AffectAttack", .kind = K::Flag, .caption = "Attack", .whenKey = "SkillType", .whenValues = kNormal},
    {.key = "AffectDefense", .kind = K::Flag, .caption = "Defense", .whenKey = "SkillType", .whenValues = kNormal},
    {.key = "AffectIntelligence",
     .kind = K::Flag,
     .caption = "Intelligence",
     .whenKey = "SkillType",
     .whenValues = kNormal},
    {.key = "AffectAgility", .kind = K::Flag, .caption = "Agility", .whenKey = "SkillType", .whenValues = kNormal},
    {.key = "Absorb", .kind = K::Flag, .caption = "Absorb", .whenKey = "SkillType", .whenValues = kNormal},
    {.key = "IgnoreDefense",
     .kind = K::Flag,
     .caption = "Ignore Defense",
     .whenKey = "SkillType",
     .whenValues = kNormal},
    {.key = "ConditionMode",
     .kind = K::Choice,
     .caption = "Conditions",
     .choices = kModes,
     .whenKey = "SkillType",
     .whenValues = kNormal},
    {.key = "AlterResistance",
     .kind = K::Flag,
     .caption = "Reduce Resist",
     .whenKey = "SkillType",
     .whenValues = kNormal},
    {.key = "Switch",
     .kind = K::Switch,
     .caption = "Turn ON Switch",
     .min = 1,
     .max = 5000,
     .whenKey = "SkillType",
     .whenValues = kSwitch},
    {.key = "Field", .kind = K::Flag, .caption = "Field", .whenKey = "SkillType", .whenValues = kSwitch},
    {.key = "Battle", .kind = K::Flag, .caption = "Battle", .whenKey = "SkillType", .whenValues = kSwitch},
    {.key = "Sound",
     .kind = K::Sound,
     .caption = "Sound Effect",
     .whenKey = "SkillType",
     .whenValues = kSpecial,
     .folder = "Sound"},
};

TFieldAccess AccessOf(const TFieldRow& row, std::function<Item*()> e) {
  const std::string_view key = row.key;
  if (key == "Name") return MemberAccess(e, &Item::name);
  if (key == "Description") return MemberAccess(e, &Item::description);
  if (key == "SkillType") return MemberAccess(e, &Item::skillType);
  if (key == "CostType") return MemberAccess(e, &Item::mpCostType);
  if (key == "Cost") return MemberAccess(e, &Item::mpCost);
  if (key == "CostPercent") return MemberAccess(e, &Item::mpCostPercent);
  if (key == "Target") return MemberAccess(e, &Item::target);
  if (key == "Animation") return MemberAccess(e, &Item::animationId);
  if (key == "AttackInfluence") return MemberAccess(e, &Item::attackInfluence);
  if (key == "IntelligenceInfluence") return MemberAccess(e, &Item::intelligenceInfluence);
  if (key == "Variance") return MemberAccess(e, &Item::variance);
  if (key == "EffectRating") return MemberAccess(e, &Item::effectRating);
  if (key == "SuccessRate") return MemberAccess(e, &Item::successRate);
  if (key == "AffectHP") return MemberAccess(e, &Item::affectHP);
  if (key == "AffectMP") return MemberAccess(e, &Item::affectMP);
  if (key == "AffectAttack") return MemberAccess(e, &Item::affectAttack);
  if (key == "AffectDefense") return MemberAccess(e, &Item::affectDefense);
  if (key == "AffectIntelligence") return MemberAccess(e, &Item::affectIntelligence);
  if (key == "AffectAgility") return MemberAccess(e, &Item::affectAgility);
  if (key == "Absorb") return MemberAccess(e, &Item::absorb);
  if (key == "IgnoreDefense") return MemberAccess(e, &Item::ignoreDefense);
  if (key == "ConditionMode") return MemberAccess(e, &Item::conditionMode);
  if (key == "AlterResistance") return MemberAccess(e, &Item::alterResistance);
  if (key == "Switch") return MemberAccess(e, &Item::switchId);
  if (key == "Field") return MemberAccess(e, &Item::usableOnField);
  if (key == "Battle") return MemberAccess(e, &Item::usableInBattle);
  TFieldAccess a;
  a.text = [e] {
    Item* s = e();
    return s ? s->sound.name : std::string();
  };
  return a;
}

QStringList Captions(const TCatalog& list) {
  QStringList lines;
  for (int i = 0; i < list.Count(); ++i)
    lines << TextCodec::Current().ToUnicode(EntryCaption(list.ItemAt(i)->Id(), list.ItemAt(i)->name));
  return lines;
}

}  // namespace

TFormEDSkill::TFormEDSkill(const TDataBasePageContext& context, QWidget* parent)
    : TFormEntryListPage(context.database.skills, kClipSkills, context, parent) {
  auto* fields = new QWidget(this);
  fields->setObjectName("SkillFields");
  TFieldContext lists;
  lists.database = &context.database;
  lists.editableDatabase = &context.database;
  binder_ = new TFieldBinder(kRows, lists, this);
  auto entry = [this] { return Entry(); };
  std::map<std::string_view, QWidget*> built;
  for (const TFieldRow& row : kRows) {
    if (row.kind == K::Sound) {
      auto pick = [this](QWidget* owner) {
        Item* s = Entry();
        return s && PickSound(owner, s->sound);
      };
      built[row.key] = MaterialField(*binder_, row, AccessOf(row, entry), fields, pick, [this] { DataModified(); });
    } else {
      built[row.key] = binder_->Build(row, AccessOf(row, entry), fields);
    }
  }

  auto* layout = new QHBoxLayout(fields);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  layout->addLayout(left, 3);
  layout->addLayout(right, 2);
  auto* top = new QFormLayout;
  top->addRow("Name", built["Name"]);
  top->addRow("Description", built["Description"]);
  left->addLayout(top);
  auto* kinds = new QHBoxLayout;
  kinds->addWidget(built["SkillType"]);
  kinds->addWidget(built["CostType"]);
  auto* cost = new QFormLayout;
  cost->addRow("MP", built["Cost"]);
  cost->addRow("%", built["CostPercent"]);
  kinds->addLayout(cost);
  kinds->addWidget(built["Target"]);
  left->addLayout(kinds);

  auto* numbers = new QFormLayout;
  for (const char* key :
       {"Animation", "AttackInfluence", "IntelligenceInfluence", "Variance", "EffectRating", "SuccessRate"})
    numbers->addRow(FindFieldRow(kRows, key)->caption, built[key]);
  left->addLayout(numbers);
  auto* animationButton = new QPushButton("Skill Animation", fields);
  animationButton->setObjectName("ButtonSkillAnimation");
  left->addWidget(animationButton);
  connect(animationButton, &QPushButton::clicked, this, [this] { RunSkillAnimation(); });

  effect_ = new QGroupBox("Decrease", fields);
  auto* effects = new QGridLayout(effect_);
  const char* flags[] = {"AffectHP",           "AffectMP",      "AffectAttack", "AffectDefense",
                         "AffectIntelligence", "AffectAgility", "Absorb",       "IgnoreDefense"};
  for (int i = 0; i < 8; ++i) effects->addWidget(built[flags[i]], i / 2, i % 2);
  left->addWidget(effect_);
  auto* special = new QFormLayout;
  special->addRow("Turn ON Switch", built["Switch"]);
  auto* usable = new QHBoxLayout;
  usable->addWidget(built["Field"]);
  usable->addWidget(built["Battle"]);
  special->addRow("Usable", usable);
  special->addRow("Sound Effect", built["Sound"]);
  left->addLayout(special);
  left->addStretch(1);

  preview_ = new TAnimationPreview(fields);
  right->addWidget(preview_);
  right->addWidget(preview_->MissingLine());
  auto* play = new QPushButton("Play", fields);
  play->setObjectName("ButtonPlay");
  connect(play, &QPushButton::clicked, this, [this] { preview_->Play(); });
  right->addWidget(play);
  auto* marks = new QHBoxLayout;
  auto* conditionBox = new QGroupBox("Conditions", fields);
  auto* conditionLayout = new QVBoxLayout(conditionBox);
  conditionMode_ = built["ConditionMode"];
  conditionLayout->addWidget(conditionMode_);
  conditions_ = new TMarkList(conditionBox);
  conditions_->setObjectName("SkillConditions");
  conditionLayout->addWidget(conditions_);
  marks->addWidget(conditionBox);
  attributeBox_ = new QGroupBox("Attribute", fields);
  auto* attributeLayout = new QVBoxLayout(attributeBox_);
  attributes_ = new TMarkList(attributeBox_);
  attributes_->setObjectName("SkillAttributes");
  attributeLayout->addWidget(attributes_);
  resistance_ = built["AlterResistance"];
  attributeLayout->addWidget(resistance_);
  marks->addWidget(attributeBox_);
  right->addLayout(marks, 1);
  SetFields(fields);

  TLcfDataBase& db = context.database;
  conditions_->SetLines(Captions(db.conditions));
  attributes_->SetLines(Captions(db.attributes));
  conditions_->get = [this](int i) { return Entry() && Entry()->GetSkillCondition(i + 1) != 0; };
  conditions_->set = [this, &db](int i, bool on) {
    Item* s = Entry();
    if (!s) return;
    // The array grows only when a mark past it is set or cleared.
    if (s->conditionCount <= i) s->ResizeSkillConditions(std::max(i + 1, db.conditions.Count()));
    s->SetSkillCondition(i + 1, on ? 1 : 0);
  };
  attributes_->get = [this](int i) { return Entry() && Entry()->GetSkillAttribute(i + 1) != 0; };
  attributes_->set = [this, &db](int i, bool on) {
    Item* s = Entry();
    if (!s) return;
    if (s->attributeCount <= i) s->ResizeSkillAttributes(std::max(i + 1, db.attributes.Count()));
    s->SetSkillAttribute(i + 1, on ? 1 : 0);
  };
  connect(conditions_, &TMarkList::changed, this, [this] { DataModified(); });
  connect(attributes_, &TMarkList::changed, this, [this] { DataModified(); });
  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Name") RewriteLine(Selected());
    if (std::string_view(key) == "Animation") ShowPreview();
    DataModified();
  });
  connect(binder_, &TFieldBinder::databaseChanged, this, [this] { DataModified(); });
  LoadEntry();
}

TLcfSkillItem* TFormEDSkill::Entry() const { return Context().database.skills.ItemAt(Selected()); }

void TFormEDSkill::LoadEntry() {
  binder_->Load();
  conditions_->Load();
  attributes_->Load();
  ShowPreview();
  UpdateView();
}

void TFormEDSkill::ShowPreview() {
  const Item* s = Entry();
  preview_->SetAnimation(s ? Context().database.animations.FindById(s->animationId) : nullptr);
}

void TFormEDSkill::UpdateView() {
  const Item* s = Entry();
  const TSkillCaptions captions = SkillCaptionsFor(s ? s->target : 0);
  effect_->setTitle(captions.effect);
  attributeBox_->setTitle(captions.attributes);
  if (auto* box = qobject_cast<QCheckBox*>(resistance_)) box->setText(captions.resistance);
  const auto buttons = conditionMode_->findChildren<QRadioButton*>();
  if (buttons.size() == 2) {
    buttons[0]->setText(captions.mode0);
    buttons[1]->setText(captions.mode1);
  }
  const bool normal = s && s->skillType == kSkillNormal;
  conditions_->setEnabled(normal);
  attributes_->setEnabled(normal);
  for (const TFieldRow& row : kRows)
    if (!s) binder_->Control(row.key)->setEnabled(false);
}

void TFormEDSkill::RunSkillAnimation() {
  Item* s = Entry();
  if (!s) return;
  TFormSelCBASkill window(Context().database, *s, this);
  // A hero reset to set 1 on the way counts even when the window is cancelled.
  window.exec();
  if (window.Changed()) DataModified();
}

}  // namespace tess
