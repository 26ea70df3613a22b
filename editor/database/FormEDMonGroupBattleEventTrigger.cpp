#include "editor/database/FormEDMonGroupBattleEventTrigger.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/MessagePort.h"
#include "database/DataBaseObj.h"
#include "ui/DialogButtons.h"
#include "ui/FieldBinder.h"

namespace tess {

namespace {

using K = TFieldKind;
using T = TLcfBattleEventTrigger;
constexpr int32_t kOn[] = {1};

// Each condition: its check box (a bit of the flags) and the values it enables.
constexpr TFieldRow kRows[] = {
    {.key = "SwitchA", .kind = K::Flag, .caption = "Switch", .index = 0},
    {.key = "SwitchAId",
     .kind = K::Switch,
     .caption = "is ON",
     .min = 1,
     .max = 5000,
     .whenKey = "SwitchA",
     .whenValues = kOn},
    {.key = "SwitchB", .kind = K::Flag, .caption = "Switch", .index = 1},
    {.key = "SwitchBId",
     .kind = K::Switch,
     .caption = "is ON",
     .min = 1,
     .max = 5000,
     .whenKey = "SwitchB",
     .whenValues = kOn},
    {.key = "Variable", .kind = K::Flag, .caption = "Variable", .index = 2},
    {.key = "VariableId",
     .kind = K::Variable,
     .caption = "Variable",
     .min = 1,
     .max = 5000,
     .whenKey = "Variable",
     .whenValues = kOn},
    {.key = "VariableValue",
     .kind = K::Number,
     .caption = "is above",
     .min = -999999,
     .max = 999999,
     .whenKey = "Variable",
     .whenValues = kOn},
    {.key = "Turns", .kind = K::Flag, .caption = "Turns Elapsed", .index = 3},
    {.key = "TurnsA", .kind = K::Number, .caption = "A", .min = 0, .max = 100, .whenKey = "Turns", .whenValues = kOn},
    {.key = "TurnsB", .kind = K::Number, .caption = "B", .min = 0, .max = 100, .whenKey = "Turns", .whenValues = kOn},
    {.key = "Exhaustion", .kind = K::Flag, .caption = "Party Exhaustion is between", .index = 4},
    {.key = "ExhaustionLow",
     .kind = K::Number,
     .caption = "%",
     .min = 0,
     .max = 100,
     .whenKey = "Exhaustion",
     .whenValues = kOn},
    {.key = "ExhaustionHigh",
     .kind = K::Number,
     .caption = "%",
     .min = 0,
     .max = 100,
     .whenKey = "Exhaustion",
     .whenValues = kOn},
    {.key = "MonsterHP", .kind = K::Flag, .caption = "Monster", .index = 5},
    {.key = "MonsterIndex",
     .kind = K::Number,
     .caption = "Monster",
     .min = 0,
     .max = 7,
     .whenKey = "MonsterHP",
     .whenValues = kOn},
    {.key = "MonsterHpLow",
     .kind = K::Number,
     .caption = "HP is between",
     .min = 0,
     .max = 100,
     .whenKey = "MonsterHP",
     .whenValues = kOn},
    {.key = "MonsterHpHigh",
     .kind = K::Number,
     .caption = "%",
     .min = 0,
     .max = 100,
     .whenKey = "MonsterHP",
     .whenValues = kOn},
    {.key = "HeroHP", .kind = K::Flag, .caption = "Hero", .index = 6},
    {.key = "HeroId",
     .kind = K::Hero,
     .caption = "Hero",
     .min = 1,
     .max = 5000,
     .whenKey = "HeroHP",
     .whenValues = kOn},
    {.key = "HeroHpLow",
     .kind = K::Number,
     .caption = "HP is between",
     .min = 0,
     .max = 100,
     .whenKey = "HeroHP",
     .whenValues = kOn},
    {.key = "HeroHpHigh",
     .kind = K::Number,
     .caption = "%",
     .min = 0,
     .max = 100,
     .whenKey = "HeroHP",
     .whenValues = kOn},
    {.key = "MonsterTurns", .kind = K::Flag, .caption = "Monster", .index = 7},
    {.key = "MonsterTurnsIndex",
     .kind = K::Number,
     .caption = "Monster",
     .min = 0,
     .max = 7,
     .whenKey = "MonsterTurns",
     .whenValues = kOn},
    {.key = "MonsterTurnsA",
     .kind = K::Number,
     .caption = "has taken A",
     .min = 0,
     .max = 100,
     .whenKey = "MonsterTurns",
     .whenValues = kOn},
    {.key = "MonsterTurnsB",
     .kind = K::Number,
     .caption = "x + B turns",
     .min = 0,
     .max = 100,
     .whenKey = "MonsterTurns",
     .whenValues = kOn},
    {.key = "HeroTurns", .kind = K::Flag, .caption = "Hero", .index = 8},
    {.key = "HeroTurnsId",
     .kind = K::Hero,
     .caption = "Hero",
     .min = 1,
     .max = 5000,
     .whenKey = "HeroTurns",
     .whenValues = kOn},
    {.key = "HeroTurnsA",
     .kind = K::Number,
     .caption = "has taken A",
     .min = 0,
     .max = 100,
     .whenKey = "HeroTurns",
     .whenValues = kOn},
    {.key = "HeroTurnsB",
     .kind = K::Number,
     .caption = "x + B turns",
     .min = 0,
     .max = 100,
     .whenKey = "HeroTurns",
     .whenValues = kOn},
    {.key = "Command", .kind = K::Flag, .caption = "Hero", .index = 9},
    {.key = "CommandHeroId",
     .kind = K::Hero,
     .caption = "Hero",
     .min = 1,
     .max = 5000,
     .whenKey = "Command",
     .whenValues = kOn},
    {.key = "CommandId",
     .kind = K::BattleCommand,
     .caption = "uses the battle command",
     .min = 1,
     .max = 5000,
     .whenKey = "Command",
     .whenValues = kOn},
};

}  // namespace

TFormEDMonGroupBattleEventTrigger::TFormEDMonGroupBattleEventTrigger(const TLcfDataBase& database,
                                                                     const TLcfBattleEventTrigger& trigger,
                                                                     QWidget* owner)
    : QDialog(owner) {
  setWindowTitle("Define Battle Event Triggers");
  setObjectName("FormEDMonGroupBattleEventTrigger");
  trigger_.Assign(trigger);
  TFieldContext lists;
  lists.database = &database;
  binder_ = new TFieldBinder(kRows, lists, this);
  std::function<T*()> entry = [this] { return &trigger_; };
  auto accessOf = [this, entry](const TFieldRow& row) -> TFieldAccess {
    if (row.kind == K::Flag) {
      const uint16_t bit = static_cast<uint16_t>(1u << row.index);
      TFieldAccess a;
      a.value = [this, bit] { return (trigger_.flags & bit) ? 1 : 0; };
      a.setValue = [this, bit](int32_t v) {
        trigger_.flags = static_cast<uint16_t>(v ? (trigger_.flags | bit) : (trigger_.flags & ~bit));
      };
      return a;
    }
    static const std::pair<const char*, int32_t T::*> kMembers[] = {
        {"SwitchAId", &T::switchAId},
        {"SwitchBId", &T::switchBId},
        {"VariableId", &T::variableId},
        {"VariableValue", &T::variableValue},
        {"TurnsA", &T::turnsA},
        {"TurnsB", &T::turnsB},
        {"ExhaustionLow", &T::exhaustionLow},
        {"ExhaustionHigh", &T::exhaustionHigh},
        {"MonsterIndex", &T::monsterIndex},
        {"MonsterHpLow", &T::monsterHpLow},
        {"MonsterHpHigh", &T::monsterHpHigh},
        {"HeroId", &T::heroId},
        {"HeroHpLow", &T::heroHpLow},
        {"HeroHpHigh", &T::heroHpHigh},
        {"MonsterTurnsIndex", &T::monsterTurnsIndex},
        {"MonsterTurnsA", &T::monsterTurnsA},
        {"MonsterTurnsB", &T::monsterTurnsB},
        {"HeroTurnsId", &T::heroTurnsId},
        {"HeroTurnsA", &T::heroTurnsA},
        {"HeroTurnsB", &T::heroTurnsB},
        {"CommandHeroId", &T::commandHeroId},
        {"CommandId", &T::commandId},
    };
    for (const auto& [key, member] : kMembers)
      if (std::string_view(key) == row.key) return MemberAccess(entry, member);
    return {};
  };
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  int line = -1, column = 0;
  for (const TFieldRow& row : kRows) {
    if (row.kind == K::Flag) {
      ++line;
      column = 0;
    } else if (TFieldBinder::Labelled(row)) {
      grid->addWidget(new QLabel(row.caption, this), line, column++);
    }
    grid->addWidget(binder_->Build(row, accessOf(row), this), line, column++);
  }
  layout->addLayout(grid);
  layout->addWidget(
      new QLabel("* Exhaustion Formula: 100-100 x ((Current HP/Max HP)x2-(Current MP/Max MP) / 3)", this));
  layout->addWidget(MakeDialogButtons(this, {.ok = [this] { Confirm(); }, .cancel = [this] { reject(); }}));
  binder_->Load();
}

void TFormEDMonGroupBattleEventTrigger::Confirm() {
  if (!trigger_.RangesValid()) {
    ShowError(kInvalidRangeMessage, this);
    return;
  }
  accept();
}

}  // namespace tess
