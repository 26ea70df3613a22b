#include "editor/database/FormSelCBA.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/EntryCaption.h"
#include "database/AnimationPageKit.h"
#include "database/DataBaseObj.h"
#include "platform/TextCodec.h"
#include "ui/DialogButtons.h"
#include "ui/FieldBinder.h"

namespace tess {

namespace {

using K = TFieldKind;
using E = TLcfCBADataItem;

constexpr TFieldChoice kSkillMoves[] = {{0, "None"}, {1, "Step Forward"}, {2, "Jump Forward"}};
constexpr TFieldChoice kWeaponMoves[] = {{0, "None"}, {1, "Step Forward"}, {2, "Jump Forward"}, {3, "Move to Target"}};
constexpr TFieldChoice kAfterimages[] = {{0, "None"}, {1, "Add"}};
constexpr TFieldChoice kKinds[] = {{0, "Weapon"}, {1, "Battle"}};
constexpr TFieldChoice kCounts[] = {{0, "Once"}, {1, "Twice"}, {2, "Three Times"}};
constexpr TFieldChoice kSpeeds[] = {{0, "Fast"}, {1, "Medium"}, {2, "Slow"}};
constexpr TFieldChoice kTrajectories[] = {{0, "Fly Straight to Target"}, {1, "Return to User After Striking"}};
constexpr TFieldChoice kTargetings[] = {{0, "Single Target"},
                                        {1, "Fly Down the Center of the Screen"},
                                        {2, "Strike Each Enemy Simultaneously"},
                                        {3, "Strike Each Enemy in Turn"}};
constexpr int32_t kMoving[] = {0};
constexpr int32_t kOne[] = {1};

constexpr TFieldRow kSkillRows[] = {
    {.key = "Movement", .kind = K::Choice, .caption = "Movement", .choices = kSkillMoves},
    {.key = "Afterimage",
     .kind = K::Choice,
     .caption = "Afterimage",
     .choices = kAfterimages,
     .whenKey = "Movement",
     .whenValues = kMoving,
     .whenNot = true},
};

constexpr TFieldRow kWeaponRows[] = {
    {.key = "ActionKind", .kind = K::Choice, .caption = "Animation Type", .choices = kKinds},
    {.key = "BattleAnimation",
     .kind = K::Animation,
     .caption = "Battle Animation",
     .min = 1,
     .max = 5000,
     .whenKey = "ActionKind",
     .whenValues = kOne},
    {.key = "Movement", .kind = K::Choice, .caption = "Movement", .choices = kWeaponMoves},
    {.key = "Afterimage",
     .kind = K::Choice,
     .caption = "Afterimage",
     .choices = kAfterimages,
     .whenKey = "Movement",
     .whenValues = kMoving,
     .whenNot = true},
    {.key = "AttackCount", .kind = K::Choice, .caption = "Number of Attacks", .choices = kCounts},
    {.key = "Ranged", .kind = K::Flag, .caption = "Ranged Weapon"},
    {.key = "RangedSpeed",
     .kind = K::Choice,
     .caption = "Animation Speed",
     .choices = kSpeeds,
     .whenKey = "Ranged",
     .whenValues = kOne},
    {.key = "Trajectory",
     .kind = K::Choice,
     .caption = "Trajectory",
     .choices = kTrajectories,
     .whenKey = "Ranged",
     .whenValues = kOne},
    {.key = "Targeting",
     .kind = K::Choice,
     .caption = "Targetting",
     .choices = kTargetings,
     .whenKey = "Ranged",
     .whenValues = kOne},
};

}  // namespace

TFormSelCBABase::TFormSelCBABase(TLcfDataBase& db, const TLcfCBAData& list, int32_t& previewHero,
                                 std::vector<int32_t> heroIds, QWidget* parent)
    : QDialog(parent), db_(db), previewHero_(previewHero), heroIds_(std::move(heroIds)) {
  copy_.Assign(list);
  copy_.ExtendToHeroes(db.heroes.Count());
  heroes_ = new QListWidget(this);
  heroes_->setObjectName("Heroes");
  for (int32_t id : heroIds_) {
    const TCatalogItem* hero = db.heroes.FindById(id);
    heroes_->addItem(TextCodec::Current().ToUnicode(EntryCaption(id, hero ? hero->name : std::string())));
  }
}

TLcfCBADataItem* TFormSelCBABase::Current() const {
  const int row = heroes_->currentRow();
  if (row < 0 || row >= static_cast<int>(heroIds_.size())) return nullptr;
  return copy_.FindById(heroIds_[static_cast<size_t>(row)]);
}

TLcfAnimation2Item* TFormSelCBABase::HeroSet() const {
  const int row = heroes_->currentRow();
  if (row < 0 || row >= static_cast<int>(heroIds_.size())) return nullptr;
  const auto* hero = db_.heroes.FindById(heroIds_[static_cast<size_t>(row)]);
  return hero ? db_.battlerAnimations.FindById(hero->battlerAnimation) : nullptr;
}

void TFormSelCBABase::ChooseHero(int row) {
  heroes_->setCurrentRow(row);
  if (row < 0 || row >= static_cast<int>(heroIds_.size())) return;
  // A hero whose battler animation set is gone gets set 1, as the author now looks at it.
  if (auto* hero = db_.heroes.FindById(heroIds_[static_cast<size_t>(row)]);
      hero && hero->battlerAnimation > db_.battlerAnimations.Count()) {
    hero->battlerAnimation = 1;
    written_ = true;
  }
  const int32_t position = db_.heroes.IndexOfId(heroIds_[static_cast<size_t>(row)]);
  if (position != previewHero_) {
    previewHero_ = position;
    Edited();
  }
  ShowHero();
}

void TFormSelCBABase::FillSetList(QComboBox* list, const TCatalog* entries, int32_t value, bool withNone) {
  filling_ = true;
  list->clear();
  if (withNone) list->addItem("(None)", -1);
  for (int i = 0; entries && i < entries->Count(); ++i) {
    const std::string& name = entries->ItemAt(i)->name;
    list->addItem(name.empty() ? QString("------------------") : TextCodec::Current().ToUnicode(name), i);
  }
  int at = list->findData(value);
  if (at < 0) {
    list->addItem(QString("%1:? (missing)").arg(value), value);
    at = list->count() - 1;
  }
  list->setCurrentIndex(at);
  filling_ = false;
}

void TFormSelCBABase::Finish() {
  auto* layout = qobject_cast<QBoxLayout*>(this->layout());
  layout->addWidget(MakeDialogButtons(this, {.ok = [this] {
                                        if (edited_) written_ = WriteBack() || written_;
                                        accept();
                                      }}));
  connect(heroes_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!filling_) ChooseHero(row);
  });
  connect(binder_, &TFieldBinder::changed, this, [this](const char*) { Edited(); });
  filling_ = true;
  const int start = std::clamp(previewHero_, 0, std::max(0, static_cast<int>(heroIds_.size()) - 1));
  heroes_->setCurrentRow(heroIds_.empty() ? -1 : start);
  filling_ = false;
  ShowHero();
}

// ---------------------------------------------------------------------------------------------

TFormSelCBASkill::TFormSelCBASkill(TLcfDataBase& db, TLcfSkillItem& skill, QWidget* parent)
    : TFormSelCBABase(
          db, skill.battlerAnimations, skill.previewHero,
          [&db] {
            std::vector<int32_t> ids;
            for (int i = 0; i < db.heroes.Count(); ++i) ids.push_back(db.heroes.ItemAt(i)->Id());
            return ids;
          }(),
          parent),
      skill_(skill) {
  setWindowTitle("Skill Animation");
  binder_ = new TFieldBinder(kSkillRows, TFieldContext{.database = &db}, this);
  auto entry = [this] { return Current(); };
  auto* layout = new QVBoxLayout(this);
  auto* body = new QHBoxLayout;
  body->addWidget(heroes_);
  auto* form = new QFormLayout;
  poses_ = new QComboBox(this);
  poses_->setObjectName("Pose");
  form->addRow("Pose", poses_);
  TFieldAccess movement = MemberAccess(std::function<E*()>(entry), &E::movement);
  movement.setValue = [entry](int32_t v) {
    if (E* e = entry()) e->SetMovement(v);
  };
  form->addRow(binder_->Build(kSkillRows[0], movement, this));
  form->addRow(binder_->Build(kSkillRows[1], MemberAccess(std::function<E*()>(entry), &E::afterimage), this));
  body->addLayout(form, 1);
  layout->addLayout(body);
  connect(poses_, &QComboBox::activated, this, [this](int index) {
    if (E* e = Current(); e && !filling_) {
      e->poseIndex = poses_->itemData(index).toInt();
      Edited();
    }
  });
  Finish();
}

void TFormSelCBASkill::ShowHero() {
  TLcfAnimation2Item* set = HeroSet();
  E* e = Current();
  FillSetList(poses_, set ? &set->poses : nullptr, e ? e->poseIndex : 0, false);
  binder_->Load();
}

bool TFormSelCBASkill::WriteBack() {
  skill_.battlerAnimations.Assign(copy_);
  return true;
}

// ---------------------------------------------------------------------------------------------

namespace {
std::vector<int32_t> UsersOf(const TLcfDataBase& db, const TLcfItemItem& weapon) {
  std::vector<int32_t> ids;
  const bool byClass = db.system.itemUsableByMode == 1;
  for (int i = 0; i < db.heroes.Count(); ++i) {
    const TLcfPlayerItem* hero = db.heroes.ItemAt(i);
    if (weapon.IsUsableFor(hero->Id(), hero->classId, byClass)) ids.push_back(hero->Id());
  }
  return ids;
}
}  // namespace

TFormSelCBA::TFormSelCBA(TLcfDataBase& db, TLcfItemItem& weapon, QWidget* parent)
    : TFormSelCBABase(db, weapon.battlerAnimations, weapon.previewHero, UsersOf(db, weapon), parent),
      trajectory(weapon.trajectory),
      targeting(weapon.targeting),
      attackAll(weapon.attackAll),
      weapon_(weapon) {
  setWindowTitle("Weapon Animation Form");
  binder_ = new TFieldBinder(kWeaponRows, TFieldContext{.database = &db}, this);
  std::function<E*()> entry = [this] { return Current(); };
  auto* layout = new QVBoxLayout(this);
  auto* body = new QHBoxLayout;
  body->addWidget(heroes_);
  auto* form = new QFormLayout;
  weapons_ = new QComboBox(this);
  weapons_->setObjectName("Weapon");
  rangedWeapons_ = new QComboBox(this);
  rangedWeapons_->setObjectName("RangedAnimation");
  auto add = [&](int row, TFieldAccess access) {
    QWidget* control = binder_->Build(kWeaponRows[row], access, this);
    if (TFieldBinder::Labelled(kWeaponRows[row]))
      form->addRow(kWeaponRows[row].caption, control);
    else
      form->addRow(control);
  };
  add(0, MemberAccess(entry, &E::actionKind));
  form->addRow("Weapon", weapons_);
  add(1, MemberAccess(entry, &E::battleAnimationId));
  TFieldAccess movement = MemberAccess(entry, &E::movement);
  movement.setValue = [entry](int32_t v) {
    if (E* e = entry()) e->SetMovement(v);
  };
  add(2, movement);
  add(3, MemberAccess(entry, &E::afterimage));
  add(4, MemberAccess(entry, &E::attackCount));
  TFieldAccess ranged = MemberAccess(entry, &E::ranged);
  ranged.setValue = [this, entry](int32_t v) {
    if (E* e = entry()) e->ranged = static_cast<uint8_t>(v);
    if (v) attackAll = targeting == 1 || targeting == 2 ? 1 : 0;
  };
  add(5, ranged);
  form->addRow("Weapon Animation", rangedWeapons_);
  add(6, MemberAccess(entry, &E::rangedSpeed));
  add(7, ValueAccess(trajectory));
  TFieldAccess aim = ValueAccess(targeting);
  aim.setValue = [this](int32_t v) {
    targeting = v;
    attackAll = v == 1 || v == 2 ? 1 : 0;
  };
  add(8, aim);
  body->addLayout(form, 1);
  layout->addLayout(body);
  auto pickFrom = [this](QComboBox* list, int32_t E::*member) {
    connect(list, &QComboBox::activated, this, [this, list, member](int index) {
      if (E* e = Current(); e && !filling_) {
        e->*member = list->itemData(index).toInt();
        Edited();
      }
    });
  };
  pickFrom(weapons_, &E::weaponIndex);
  pickFrom(rangedWeapons_, &E::rangedAnimation);
  Finish();
}

void TFormSelCBA::ShowHero() {
  TLcfAnimation2Item* set = HeroSet();
  E* e = Current();
  FillSetList(weapons_, set ? &set->weapons : nullptr, e ? e->weaponIndex : -1, true);
  FillSetList(rangedWeapons_, set ? &set->weapons : nullptr, e ? e->rangedAnimation : 0, false);
  binder_->Load();
}

bool TFormSelCBA::WriteBack() {
  weapon_.battlerAnimations.Assign(copy_);
  weapon_.trajectory = trajectory;
  if (weapon_.targeting != targeting) SetWeaponTargeting(weapon_, targeting);
  weapon_.attackAll = attackAll;
  return true;
}

}  // namespace tess
