#include "editor/database/FormEDMonsterAct.h"

#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/MessagePort.h"
#include "database/BattlePageKit.h"
#include "database/DataBaseObj.h"
#include "database/LD_MonGroup.h"
#include "ui/DialogButtons.h"
#include "ui/FieldBinder.h"

namespace tess {

namespace {

using K = TFieldKind;
using Item = TLcfMonsterActItem;

constexpr TFieldChoice kKinds[] = {{0, "Basic"}, {1, "Skill"}, {2, "Transform"}};
constexpr TFieldChoice kBasic[] = {{0, "Attack"},    {1, "Double Attack"}, {2, "Defend"}, {3, "Observe Battle"},
                                   {4, "Charge Up"}, {5, "Self-Destruct"}, {6, "Escape"}, {7, "No Action"}};
constexpr TFieldChoice kPreconditions[] = {
    {0, "None"},       {1, "Switch"},     {2, "Turns Elapsed"},       {3, "Monsters Present"},
    {4, "Monster HP"}, {5, "Monster MP"}, {6, "Party Level Average"}, {7, "Party Exhasution"}};
constexpr int32_t kBasicKind[] = {0}, kSkillKind[] = {1}, kTransformKind[] = {2};
constexpr int32_t kSwitch[] = {1}, kValues[] = {2, 3, 4, 5, 6, 7}, kOn[] = {1};

constexpr TFieldRow kRows[] = {
    {.key = "ActionKind", .kind = K::Choice, .caption = "Action", .choices = kKinds},
    {.key = "Basic",
     .kind = K::Choice,
     .caption = "Basic",
     .choices = kBasic,
     .whenKey = "ActionKind",
     .whenValues = kBasicKind},
    {.key = "Skill",
     .kind = K::Skill,
     .caption = "Skill",
     .min = 1,
     .max = 5000,
     .whenKey = "ActionKind",
     .whenValues = kSkillKind},
    {.key = "Transform",
     .kind = K::Monster,
     .caption = "Transform",
     .min = 1,
     .max = 5000,
     .whenKey = "ActionKind",
     .whenValues = kTransformKind},
    {.key = "Precondition", .kind = K::Choice, .caption = "Precondition", .choices = kPreconditions},
    {.key = "ConditionSwitch",
     .kind = K::Switch,
     .caption = "Switch",
     .min = 1,
     .max = 5000,
     .whenKey = "Precondition",
     .whenValues = kSwitch},
    {.key = "Low",
     .kind = K::Number,
     .caption = "From",
     .min = 0,
     .max = 100,
     .whenKey = "Precondition",
     .whenValues = kValues},
    {.key = "High",
     .kind = K::Number,
     .caption = "To",
     .min = 0,
     .max = 100,
     .whenKey = "Precondition",
     .whenValues = kValues},
    {.key = "Priority", .kind = K::Number, .caption = "Priority", .min = 1, .max = 100},
    {.key = "SwitchOn", .kind = K::Flag, .caption = "Action Turns Switch ON"},
    {.key = "SwitchOnId",
     .kind = K::Switch,
     .caption = "Switch ON",
     .min = 1,
     .max = 5000,
     .whenKey = "SwitchOn",
     .whenValues = kOn},
    {.key = "SwitchOff", .kind = K::Flag, .caption = "Action Turns Switch OFF"},
    {.key = "SwitchOffId",
     .kind = K::Switch,
     .caption = "Switch OFF",
     .min = 1,
     .max = 5000,
     .whenKey = "SwitchOff",
     .whenValues = kOn},
};

}  // namespace

TFormEDMonsterAct::TFormEDMonsterAct(const TLcfDataBase& database, const TLcfMonsterActItem& action, QWidget* owner)
    : QDialog(owner) {
  setWindowTitle("Monster Behavior");
  setObjectName("FormEDMonsterAct");
  action_.Assign(action);
  action_.SetId(action.Id());
  TFieldContext lists;
  lists.database = &database;
  binder_ = new TFieldBinder(kRows, lists, this);
  std::function<Item*()> entry = [this] { return &action_; };
  auto accessOf = [entry, this](const TFieldRow& row) {
    const std::string_view key = row.key;
    if (key == "ActionKind") return MemberAccess(entry, &Item::actionKind);
    if (key == "Basic") return MemberAccess(entry, &Item::basicAction);
    if (key == "Skill") return MemberAccess(entry, &Item::skillId);
    if (key == "Transform") return MemberAccess(entry, &Item::transformInto);
    if (key == "Precondition") {
      // Another kind starts its values at the kind's range.
      TFieldAccess a = MemberAccess(entry, &Item::precondition);
      a.setValue = [this](int32_t v) { action_.SetPrecondition(static_cast<uint8_t>(v)); };
      return a;
    }
    if (key == "ConditionSwitch") return MemberAccess(entry, &Item::conditionSwitchId);
    if (key == "Low") return MemberAccess(entry, &Item::conditionLow);
    if (key == "High") return MemberAccess(entry, &Item::conditionHigh);
    if (key == "Priority") return MemberAccess(entry, &Item::priority);
    if (key == "SwitchOn") return MemberAccess(entry, &Item::switchOnAfter);
    if (key == "SwitchOnId") return MemberAccess(entry, &Item::switchOnId);
    if (key == "SwitchOff") return MemberAccess(entry, &Item::switchOffAfter);
    return MemberAccess(entry, &Item::switchOffId);
  };
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  binder_->AddRows(form, accessOf, this);
  layout->addLayout(form);
  layout->addWidget(MakeDialogButtons(this, {.ok = [this] { Confirm(); }, .cancel = [this] { reject(); }}));
  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Precondition") ShowRanges();
  });
  binder_->Load();
  ShowRanges();
}

void TFormEDMonsterAct::ShowRanges() {
  const TValueRange range = PreconditionRange(action_.precondition);
  for (const char* key : {"Low", "High"})
    if (auto* spin = qobject_cast<QSpinBox*>(binder_->Control(key))) {
      const int stored = spin->value();
      spin->setRange(std::min(range.min, stored), std::max(range.max, stored));
    }
}

void TFormEDMonsterAct::Confirm() {
  if (PreconditionIsBetween(action_.precondition) && action_.conditionLow > action_.conditionHigh) {
    ShowError(kInvalidRangeMessage, this);
    return;
  }
  accept();
}

}  // namespace tess
