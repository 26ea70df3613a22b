#include "script/EventCommands.h"

#include <algorithm>
#include <array>

#include "events/LD_MoveRoute.h"
#include "script/EventScriptConverter.h"

namespace tess {

namespace {

using R = TCommandRole;
using B = TBlockRule;
using T = TCommandText;

// Texts shared by several codes.
void CaseEnd(T& t) { t << ": End"; }

void SwitchTarget(T& t) {
  if (t.p(0) == 0) (t << "[").Switch(t.p(1)) << "]";
  if (t.p(0) == 1) t.F("[%.4d- %.4d]", t.p(1), t.p(2));
  if (t.p(0) == 2) t.F("[V[%.4d]]", t.p(1));
}

void VariableTarget(T& t) {
  if (t.p(0) == 0) (t << "[").Variable(t.p(1)) << "]";
  if (t.p(0) == 1) t.F("[%.4d- %.4d]", t.p(1), t.p(2));
  if (t.p(0) == 2) t.F("[V[%.4d]]", t.p(1));
}

// The constant form (kind 0) or the variable form (kind 1) of an id.
void IdOrVariable(T& t, int64_t kind, int64_t value, T& (T::*name)(int64_t)) {
  if (kind == 0) (t.*name)(value);
  if (kind == 1) t.V(value);
}

void VariableOperand(T& t) {
  const int64_t a = t.p(5), b = t.p(6);
  switch (t.p(4)) {
    case 0:
      t.F("%d", a);
      break;
    case 1:
      t.F("Var [%.4d]'s Value", a);
      break;
    case 2:
      t.F("Var [V[%.4d]] Value  ", a);
      break;
    case 3:
      t.F("Rnd [%d- %d]", a, b);
      break;
    case 4:
      t.Item(a).Pick(b, {" Possessed", " Equipped "});
      break;
    case 5:
      (t.Hero(a) << " ")
          .Pick(b, {"Level", "Experience", "HP", "MP", "Max HP", "Max MP", "Attack", "Defense", "Intellect", "Agility",
                    "Weapon No.", "Shield No.", "Armor No.", "Helmet No.", "Accessory No."});
      break;
    case 6:
      (t.EventName(a) << " ").Pick(b, {"Map ID", "X Coord.", "Y Coord.", "Facing", "Screen X", "Screen Y"});
      break;
    case 7:
      t.Pick(a, {"Money", "Timer 1 Seconds Left", "Party Size ", "No. Saves", "No. Battles", "No. Victories",
                 "No. Defeats", "No. Escapes", "MIDI Position (Tick)", "Timer 2 Seconds Left"});
      break;
    case 8:
      (t.Enemy(a) << " ").Pick(b, {"HP", "MP", "Max HP", "Max MP", "Attack", "Defense", "Intellect", "Agility"});
      break;
    default:
      break;
  }
}

void TimerCondition(T& t, const char* which) { (t << which).MinSec(t.p(1)).Pick(t.p(2), {" or more", " Less/Equal"}); }

// The conditions shared by both branch commands (switch and variable).
bool SharedCondition(T& t) {
  if (t.p(0) == 0) {
    (t << " Switch [").Switch(t.p(1)) << "] is ";
    t.Pick(t.p(2), {"ON", "OFF"});
    return true;
  }
  if (t.p(0) == 1) {
    (t << "Var [").Variable(t.p(1)) << "] is ";
    t.Amount(t.p(2), t.p(3));
    if (t.p(4) == 0 && t.p(2) == 1) t << " Equal";
    t.Pick(t.p(4), {{1, " or more"}, {2, " Less/Equal"}, {3, " Greater"}, {4, " Less"}, {5, " Not"}});
    return true;
  }
  return false;
}

void BranchCondition(T& t) {
  t << "<>Branch if ";
  if (SharedCondition(t)) return;
  switch (t.p(0)) {
    case 2:
      TimerCondition(t, "Timer 1 is ");
      break;
    case 3:
      (t << "Money is " << t.p(1)).Pick(t.p(2), {" or more", " Less/Equal"});
      break;
    case 4:
      t.Item(t.p(1)).Pick(t.p(2), {" Possessed", " Not Possessed"});
      break;
    case 5:
      t.Hero(t.p(1));
      switch (t.p(2)) {
        case 0:
          t << " in the Party";
          break;
        case 1:
          t << " Name is " << t.s();
          break;
        case 2:
          t << " Level is " << t.p(3) << " or more";
          break;
        case 3:
          t << " HP is " << t.p(3) << " or more";
          break;
        case 4:
          (t << " ").Skill(t.p(3)) << " Skill Usable";
          break;
        case 5:
          (t << " ").Item(t.p(3)) << " Equipped";
          break;
        case 6:
          (t << " ").Condition(t.p(3)) << " Condition";
          break;
        default:
          break;
      }
      break;
    case 6:
      ((t.EventName(t.p(1)) << " ").Direction(t.p(2))) << " Facing";
      break;
    case 7:
      t.Vehicle(t.p(1)) << " Vehicle";
      break;
    case 8:
      t << "Event Started with Action Key ";
      break;
    case 9:
      t << "BGM has Played Once ";
      break;
    case 10:
      TimerCondition(t, "Timer 2 is ");
      break;
    default:
      break;
  }
}

void BattleBranchCondition(T& t) {
  t << "<>Branch if ";
  if (SharedCondition(t)) return;
  switch (t.p(0)) {
    case 2:
      t.Hero(t.p(1)) << " Can Act";
      break;
    case 3:
      t.Enemy(t.p(1)) << " Can Act";
      break;
    case 4:
      t.Enemy(t.p(1)) << " Targetted";
      break;
    case 5:
      ((t << "[").Hero(t.p(1)) << "]  [").BattleCommand(t.p(2)) << "] Used";
      break;
    default:
      break;
  }
}

void MoveEvent(T& t) {
  t << "<>Move Event: ";
  t.EventName(t.p(0));
  // The route's bytes, one to a parameter from p4 on.
  Bytes route;
  for (int i = 4; i < t.count(); ++i) route.push_back(static_cast<uint8_t>(t.p(i)));
  std::vector<TLcfMoveRouteItem> commands;
  TLcfMoveRoute::DecodeCommands(route.data(), route.size(), commands);  // raises on a cut route
  for (const TLcfMoveRouteItem& command : commands) {
    if (t.Length() >= 120) break;
    t << ", " << MoveCommandName(command.code);
  }
}

// The row of a plain command: code, caption, parameters and its text; what the parameters mean is
// the command's schema (CommandSchema).
// The search's match rules: whether a line uses variable v or switch v. Each names the parameters
// that hold a variable or switch id and the mode parameters that say they do.
using L = const TLcfEventScriptLine&;

bool VarInputNumber(L l, int32_t v) { return l.Param(1) == v; }
bool VarSwitchOperations(L l, int32_t v) { return l.Param(0) == 2 && l.Param(1) == v; }
// A range target (p0 = 1) never matches, whatever its bounds.
bool VarVariableOperations(L l, int32_t v) {
  return ((l.Param(0) == 0 || l.Param(0) == 2) && l.Param(1) == v) ||
         ((l.Param(4) == 1 || l.Param(4) == 2) && l.Param(5) == v);
}
bool VarTimer(L l, int32_t v) { return l.Param(0) == 0 && l.Param(1) == 1 && l.Param(2) == v; }
bool VarMoney(L l, int32_t v) { return l.Param(1) == 1 && l.Param(2) == v; }
bool VarItems(L l, int32_t v) { return (l.Param(1) == 1 && l.Param(2) == v) || (l.Param(3) == 1 && l.Param(4) == v); }
bool VarParty(L l, int32_t v) { return l.Param(1) == 1 && l.Param(2) == v; }
bool VarHeroOnly(L l, int32_t v) { return l.Param(0) == 2 && l.Param(1) == v; }
bool VarHeroAmount(L l, int32_t v) { return VarHeroOnly(l, v) || (l.Param(3) == 1 && l.Param(4) == v); }
bool VarBaseStatistics(L l, int32_t v) { return VarHeroOnly(l, v) || (l.Param(4) == 1 && l.Param(5) == v); }
bool VarEncounter(L l, int32_t v) { return l.Param(0) == 1 && l.Param(1) == v; }
bool VarMemorizedPosition(L l, int32_t v) { return l.Param(0) == v || l.Param(1) == v || l.Param(2) == v; }
bool VarVehiclePosition(L l, int32_t v) {
  return l.Param(1) != 0 && (l.Param(2) == v || l.Param(3) == v || l.Param(4) == v);
}
bool VarEventLocation(L l, int32_t v) { return l.Param(1) != 0 && (l.Param(2) == v || l.Param(3) == v); }
bool VarStoreId(L l, int32_t v) { return l.Param(3) == v || (l.Param(0) != 0 && (l.Param(1) == v || l.Param(2) == v)); }
bool VarPicture(L l, int32_t v) { return l.Param(1) != 0 && (l.Param(2) == v || l.Param(3) == v); }
bool VarMovie(L l, int32_t v) { return l.Param(0) != 0 && (l.Param(1) == v || l.Param(2) == v); }
// The older all-directions key (p1) and the newer flag (p8) both set in their low bytes: p7 holds
// the variable of the time waited.
bool VarKeyInput(L l, int32_t v) {
  return l.Param(0) == v || ((l.Param(1) & 0xFF) != 0 && (l.Param(8) & 0xFF) != 0 && l.Param(7) == v);
}
bool VarBranch(L l, int32_t v) { return l.Param(0) == 1 && (l.Param(1) == v || (l.Param(2) != 0 && l.Param(3) == v)); }
bool VarCallEvent(L l, int32_t v) { return l.Param(0) >= 2 && (l.Param(1) == v || l.Param(2) == v); }

// A range of switches matches only at its first or last switch; a switch named by a variable never.
bool SwitchOperations(L l, int32_t s) {
  return (l.Param(0) == 0 && l.Param(1) == s) || (l.Param(0) == 1 && (l.Param(1) == s || l.Param(2) == s));
}
bool SwitchBranch(L l, int32_t s) { return l.Param(0) == 0 && l.Param(1) == s; }

constexpr TEventCommandInfo kCatalogue[] = {
    {.code = 0, .caption = "(end of script)", .role = R::EndOfScript, .scopes = 0, .text = [](T& t) { t << "<>"; }},
    {.code = 10,
     .caption = "(empty branch line)",
     .role = R::EmptyLine,
     .scopes = kInAllScripts,
     .text = [](T& t) { t << "<>"; }},
    {.code = 1005,
     .caption = "Call Common Event",
     .paramCount = 1,
     .scopes = kInTroopPage,
     .battleButton = 33,
     .defaults = {1},
     .text = [](T& t) { (t << "<>Call Common Event: ").CommonEvent(t.p(0)); }},
    {.code = 1006,
     .caption = "Force Flee",
     .paramCount = 3,
     .scopes = kInTroopPage,
     .battleButton = 26,
     .text =
         [](T& t) {
           t << "<>Force Flee: ";
           if (t.p(0) == 2)
             t.Enemy(t.p(1));
           else
             t.Pick(t.p(0), {"Entire Party", "All Enemies"});
         }},
    {.code = 1007,
     .caption = "Enable Combo",
     .paramCount = 3,
     .scopes = kInTroopPage,
     .battleButton = 25,
     .defaults = {1, 1, 2},
     .text =
         [](T& t) {
           ((t << "<>Enable Combo: ").Hero(t.p(0)) << " ").BattleCommand(t.p(1)) << " Repeats ";
           t.F("%d Times", t.p(2));
         }},
    {.code = 1008,
     .caption = "Change Class",
     .paramCount = 7,
     .mapButton = 90,
     .defaults = {1, 1, 1},
     .text =
         [](T& t) {
           (t << "<>Change Class: ").Hero(t.p(1)) << " ";
           if (t.p(2) != 0)
             t.Class(t.p(2));
           else
             t << "None ";
           t.Pick(t.p(3), {", No Level Change", ", Change to Level 1"});
           t.Pick(t.p(4), {", No Skill Change", ", Delete Old Skills, Add New", ", Add New Skills to Old"});
           t.Pick(t.p(5), {", No Stat Change", ", Halve Stats", ", Stats Lv1 New Class", ", Stats Current Level"});
         }},
    {.code = 1009,
     .caption = "Change Battle Commands",
     .paramCount = 4,
     .mapButton = 91,
     .defaults = {1, 1, 1, 1},
     .text =
         [](T& t) {
           (t << "<>Change Battle Commands: ").Hero(t.p(1)) << " ";
           if (t.p(2) > 0)
             t.BattleCommand(t.p(2)) << " ";
           else
             t << "All ";
           t.Pick(t.p(3), {"Remove", "Add"});
         }},

    // Messages, switches, variables and timers.
    {.code = 10110,
     .caption = "Message",
     .scopes = kInAllScripts,
     .continuation = 20110,
     .mapButton = 0,
     .battleButton = 0,
     .text = [](T& t) { t << "<>Message: " << t.s(); },
     .authorText = true},
    {.code = 10120,
     .caption = "Message Display Options",
     .paramCount = 4,
     .mapButton = 1,
     .defaults = {0, 2, 0, 0},
     .text =
         [](T& t) {
           t << "<>Message Display Options: ";
           t.Pick(t.p(0), {"Normal, ", "Transp, "}).Pick(t.p(1), {"Top, ", "Center, ", "Bottom, "});
           t.Pick(t.p(2), {"Fixed, ", "Auto, "}).Pick(t.p(3), {"Halt Processes  ", "Processes Continue"});
         }},
    {.code = 10130,
     .caption = "Face Graphics",
     .paramCount = 3,
     .scopes = kInAllScripts,
     .mapButton = 2,
     .battleButton = 1,
     .text =
         [](T& t) {
           t << "<>Change Face Graphics: ";
           if (t.s().empty()) {
             t << "Erase";
             return;
           }
           t << t.s() << ", " << t.p(0) + 1 << ", ";
           t.Pick(t.p(1), {"Left, ", "Right, "}).Pick(t.p(2), {"        ", "Mirror"});
         }},
    {.code = 10140,
     .caption = "Show Choices",
     .paramCount = 1,
     .scopes = kInAllScripts,
     .block = B::Always,
     .caseRule = TCaseRule::Choices,
     .cases = {20140},
     .end = 20141,
     .mapButton = 3,
     .battleButton = 2,
     .defaults = {2},
     .defaultText = "Yes/No",
     .text = [](T& t) { t << "<>Show Choices: " << t.s(); },
     .authorText = true},
    {.code = 10150,
     .caption = "Input Number",
     .paramCount = 2,
     .scopes = kInAllScripts,
     .mapButton = 4,
     .battleButton = 3,
     .defaults = {1, 1},
     .text = [](T& t) { (((t << "<>Input Number: ").F("%d Digit, ", t.p(0)) << "[").Variable(t.p(1))) << "]"; },
     .usesVariable = VarInputNumber},
    {.code = 10210,
     .caption = "Switch Operations",
     .paramCount = 4,
     .scopes = kInAllScripts,
     .mapButton = 5,
     .battleButton = 4,
     .defaults = {0, 1, 1, 0},
     .text =
         [](T& t) {
           t << "<>Switch Operation: ";
           SwitchTarget(t);
           t.Pick(t.p(3), {" ON ", " OFF ", " ON/OFF Toggle "});
         },
     .usesVariable = VarSwitchOperations,
     .usesSwitch = SwitchOperations},
    {.code = 10220,
     .caption = "Variable Operations",
     .paramCount = 7,
     .scopes = kInAllScripts,
     .mapButton = 6,
     .battleButton = 5,
     .defaults = {0, 1, 1},
     .text =
         [](T& t) {
           t << "<>Variable Oper: ";
           VariableTarget(t);
           t.Pick(t.p(3), {" Set", " + ", " - ", " * ", " / ", " Mod"}) << ", ";
           VariableOperand(t);
         },
     .usesVariable = VarVariableOperations},
    {.code = 10230,
     .caption = "Timer Operations",
     .paramCount = 6,
     .mapButton = 7,
     .text =
         [](T& t) {
           t << (t.p(5) != 0 ? "<>Timer 2 Operation: " : "<>Timer 1 Operation: ");
           t.Pick(t.p(0), {{1, "Start "}, {2, "Stop "}, {0, "Set, "}});
           if (t.p(1) == 0) t.MinSec(t.p(2));
           if (t.p(1) == 1) t.V(t.p(2));
         },
     .usesVariable = VarTimer},

    // Money, items, party and hero statistics.
    {.code = 10310,
     .caption = "Change Money",
     .paramCount = 3,
     .scopes = kInAllScripts,
     .mapButton = 8,
     .battleButton = 6,
     .text =
         [](T& t) {
           (t << "<>Change Money: ").Amount(t.p(1), t.p(2)).Pick(t.p(0), {" Add", " Remove"});
         },
     .usesVariable = VarMoney},
    {.code = 10320,
     .caption = "Item Management",
     .paramCount = 5,
     .scopes = kInAllScripts,
     .mapButton = 9,
     .battleButton = 7,
     .defaults = {0, 0, 1, 0, 1},
     .text =
         [](T& t) {
           t << "<>Change Items: ";
           IdOrVariable(t, t.p(1), t.p(2), &T::Item);
           (t << " ").Amount(t.p(3), t.p(4)).Pick(t.p(0), {" Add", " Remove"});
         },
     .usesVariable = VarItems},
    {.code = 10330,
     .caption = "Change Party",
     .paramCount = 3,
     .scopes = kInAllScripts,
     .mapButton = 10,
     .battleButton = 8,
     .defaults = {0, 0, 1},
     .text =
         [](T& t) {
           t << "<>Change Party Members: ";
           IdOrVariable(t, t.p(1), t.p(2), &T::Hero);
           (t << " ").Pick(t.p(0), {"Add", "Remove"});
         },
     .usesVariable = VarParty},
    {.code = 10410,
     .caption = "Change Experience Points",
     .paramCount = 6,
     .mapButton = 11,
     .text =
         [](T& t) {
           (t << "<>Change Experience: ").Who(t.p(0), t.p(1)) << "'s Experience ";
           t.Amount(t.p(3), t.p(4)).Pick(t.p(2), {" Add", " Remove"});
         },
     .usesVariable = VarHeroAmount},
    {.code = 10420,
     .caption = "Change Character Level",
     .paramCount = 6,
     .scopes = kInAllScripts,
     .mapButton = 12,
     .battleButton = 9,
     .defaults = {0, 0, 0, 0, 1},
     .text =
         [](T& t) {
           (t << "<>Change Level: ").Who(t.p(0), t.p(1)) << "'s Level ";
           t.Amount(t.p(3), t.p(4)).Pick(t.p(2), {" Up", " Down"});
         },
     .usesVariable = VarHeroAmount},
    {.code = 10430,
     .caption = "Change Character Base Statistics",
     .paramCount = 6,
     .mapButton = 13,
     .defaults = {0, 0, 0, 0, 0, 1},
     .text =
         [](T& t) {
           (t << "<>Change Statistics: ").Who(t.p(0), t.p(1)) << " ";
           t.Pick(t.p(3), {"Max HP", "Max MP", "Attack", "Defense", "Intellect", "Agility"}) << " ";
           t.Amount(t.p(4), t.p(5)).Pick(t.p(2), {" Up", " Down"});
         },
     .usesVariable = VarBaseStatistics},
    {.code = 10440,
     .caption = "Change Skills",
     .paramCount = 5,
     .scopes = kInAllScripts,
     .mapButton = 14,
     .battleButton = 10,
     .defaults = {0, 0, 0, 0, 1},
     .text =
         [](T& t) {
           (t << "<>Change Skills: ").Who(t.p(0), t.p(1)) << " ";
           IdOrVariable(t, t.p(3), t.p(4), &T::Skill);
           (t << " ").Pick(t.p(2), {"Add", "Remove"});
         },
     .usesVariable = VarHeroAmount},
    {.code = 10450,
     .caption = "Change Equipped Items",
     .paramCount = 5,
     .scopes = kInAllScripts,
     .mapButton = 15,
     .battleButton = 11,
     .defaults = {0, 0, 0, 0, 1},
     .text =
         [](T& t) {
           (t << "<>Change Equipmnt: ").Who(t.p(0), t.p(1)) << " ";
           if (t.p(2) == 0) {
             IdOrVariable(t, t.p(3), t.p(4), &T::Item);
             t << " Equip";
           } else if (t.p(2) == 1) {
             t.Pick(t.p(3), {"Weapon", "Shield", "Armor", "Helmet", "Accessory", "All"}) << " Unequip";
           }
         },
     .usesVariable = VarHeroAmount},
    {.code = 10460,
     .caption = "Change Character HP",
     .paramCount = 6,
     .scopes = kInAllScripts,
     .mapButton = 16,
     .battleButton = 12,
     .text =
         [](T& t) {
           (t << "<>Change HP: ").Who(t.p(0), t.p(1)) << "'s HP ";
           t.Amount(t.p(3), t.p(4)).Pick(t.p(2), {" Recovered", " Remove"});
         },
     .usesVariable = VarHeroAmount},
    {.code = 10470,
     .caption = "Change Character MP",
     .paramCount = 5,
     .scopes = kInAllScripts,
     .mapButton = 17,
     .battleButton = 13,
     .text =
         [](T& t) {
           (t << "<>Change MP: ").Who(t.p(0), t.p(1)) << "'s MP ";
           t.Amount(t.p(3), t.p(4)).Pick(t.p(2), {" Recovered", " Remove"});
         },
     .usesVariable = VarHeroAmount},
    {.code = 10480,
     .caption = "Change Character Condition",
     .paramCount = 4,
     .scopes = kInAllScripts,
     .mapButton = 18,
     .battleButton = 14,
     .defaults = {0, 0, 0, 1},
     .text =
         [](T& t) {
           ((t << "<>Change Cond: ").Who(t.p(0), t.p(1)) << " ").Condition(t.p(3));
           t.Pick(t.p(2), {" Inflict", " Remove"});
         },
     .usesVariable = VarHeroOnly},
    {.code = 10490,
     .caption = "Complete Healing",
     .paramCount = 2,
     .scopes = kInAllScripts,
     .mapButton = 19,
     .battleButton = 15,
     .text = [](T& t) { (t << "<>Full Heal: ").Who(t.p(0), t.p(1)); },
     .usesVariable = VarHeroOnly},
    {.code = 10500,
     .caption = "Simulated Enemy Attack",
     .paramCount = 8,
     .mapButton = 20,
     .defaults = {0, 0, 0, 100, 100, 0},
     .text = [](T& t) { (t << "<>Simulated Attack: ").Who(t.p(0), t.p(1)).F(" with   %d Attack Power", t.p(2)); },
     .usesVariable = VarHeroOnly},

    // Hero looks and system settings.
    {.code = 10610,
     .caption = "Change Hero Name",
     .paramCount = 1,
     .mapButton = 21,
     .defaults = {1},
     .text = [](T& t) { (t << "<>Change Hero Name: ").Hero(t.p(0)) << "'s Name " << t.s(); },
     .authorText = true},
    {.code = 10620,
     .caption = "Change Hero Title",
     .paramCount = 1,
     .mapButton = 22,
     .defaults = {1},
     .text = [](T& t) { (t << "<>Change Hero Title: ").Hero(t.p(0)) << "'s Title " << t.s(); }},
    {.code = 10630,
     .caption = "Change Sprite Association",
     .paramCount = 3,
     .mapButton = 23,
     .defaults = {1},
     .text = [](T& t) { (t << "<>Change Sprite Association: ").Hero(t.p(0)) << " " << t.s() << "-" << t.p(1) + 1; }},
    {.code = 10640,
     .caption = "Change Face Association",
     .paramCount = 2,
     .mapButton = 24,
     .defaults = {1},
     .text = [](T& t) { (t << "<>Change Face Association: ").Hero(t.p(0)) << " " << t.s() << "-" << t.p(1) + 1; }},
    {.code = 10650,
     .caption = "Change Vehicle Graphic",
     .paramCount = 2,
     .mapButton = 25,
     .text = [](T& t) { (t << "<>Change Vehicle Graphic: ").Vehicle(t.p(0)) << " " << t.s() << "-" << t.p(1) + 1; }},
    {.code = 10660,
     .caption = "Change System BGM",
     .paramCount = 5,
     .mapButton = 26,
     .defaults = {0, 0, 100, 100, 50},
     .defaultText = "(OFF)",
     .text =
         [](T& t) {
           t << "<>Change System BGM: ";
           t.Pick(t.p(0), {"Battle", "Victory", "Inn", "Skiff", "Ship", "Airship", "Game Over"}) << " " << t.s();
         }},
    {.code = 10670,
     .caption = "Change System Sound Effects",
     .paramCount = 4,
     .mapButton = 27,
     .defaults = {0, 100, 100, 50},
     .defaultText = "(OFF)",
     .text =
         [](T& t) {
           t << "<>Change System Sounds: ";
           t.Pick(t.p(0), {"Cursor", "Decision", "Cancel", "Buzzer", "Begin Battle", "Escape", "Enemy Attacks",
                           "Enemy Damage", "Ally Damage", "Evasion", "Enemy Kill", "Use Item"})
               << " " << t.s();
         }},
    {.code = 10680,
     .caption = "Change System Graphics",
     .paramCount = 2,
     .mapButton = 28,
     .text = [](T& t) { t << "<>Change System Graphics: " << t.s(); }},
    {.code = 10690,
     .caption = "Set Screen Transitions",
     .paramCount = 2,
     .mapButton = 29,
     .text =
         [](T& t) {
           t << "<>Change Screen Transitions: ";
           t.Pick(t.p(0), {"Teleport/Erase", "Teleport/Show", "Begin Battle/Erase", "Begin Battle/Show",
                           "End Battle/Erase", "End Battle/Show"})
               << ", ";
           if (t.p(0) % 2 == 0) t.EraseTransition(t.p(1));
           if (t.p(0) % 2 == 1) t.ShowTransition(t.p(1));
         }},

    // Battles, shops, inns, naming, positions and vehicles.
    {.code = 10710,
     .caption = "Enemy Encounter",
     .paramCount = 9,
     .block = B::EncounterHandlers,
     .caseRule = TCaseRule::Handlers,
     .cases = {20710, 20711, 20712},
     .end = 20713,
     .mapButton = 30,
     .defaults = {0, 1, 0, 1, 0, 0, 0, 1, 1},
     .text =
         [](T& t) {
           const int64_t kind = t.count() >= 7 ? t.p(6) : 0;
           t << "<>Enemy Encounter: ";
           t.Pick(kind, {"Normal", "Initiative", "Back Attack", "Surround Attack", "Pincers Attack"});
           if (t.p(0) == 0) (t << ", ").Troop(t.p(1));
           if (t.p(0) == 1) (t << ", ").V(t.p(1));
           if (t.p(2) == 1) t << ", " << t.s();
           if (t.p(2) == 2) (t << ", ").Terrain(t.p(8));
           if (t.p(5) == 1 && kind == 0) t << ", First Strike";
         },
     .usesVariable = VarEncounter},
    {.code = 10720,
     .caption = "Open Shop Window",
     .paramCount = 4,
     .moreParams = true,
     .block = B::HandlersFlag,
     .cases = {20720, 20721},
     .end = 20722,
     .mapButton = 31,
     .text =
         [](T& t) {
           (t << "<>Open Shop: ").Pick(t.p(0), {{1, "Buy Only "}, {2, "Sell Only"}});
           if (t.p(0) <= 1) t.ItemList(4);
         }},
    {.code = 10730,
     .caption = "Show Inn Message",
     .paramCount = 3,
     .block = B::HandlersFlag,
     .cases = {20730, 20731},
     .end = 20732,
     .mapButton = 32,
     .text = [](T& t) { t << "<>Show Inn: Price " << t.p(1); }},
    {.code = 10740,
     .caption = "Enter Hero Name",
     .paramCount = 3,
     .mapButton = 33,
     .defaults = {1, 0, 1},
     .text = [](T& t) { (t << "<>Enter Hero Name: ").Hero(t.p(0)); }},
    {.code = 10810,
     .caption = "Teleport",
     .paramCount = 4,
     .mapButton = 34,
     .text =
         [](T& t) {
           (t << "<>Teleport: ").F("%.4d:", t.p(0)).MapName(t.p(0)).F(" (%.3d,%.3d), ", t.p(1), t.p(2));
           t.Pick(t.p(3), {"Retain Facing", "Up", "Right", "Down", "Left"});
         }},
    {.code = 10820,
     .caption = "Memorize Position",
     .paramCount = 3,
     .mapButton = 35,
     .defaults = {1, 2, 3},
     .text = [](T& t) { (t << "<>Memorize Location: ").F("[%.4d], [%.4d], [%.4d]", t.p(0), t.p(1), t.p(2)); },
     .usesVariable = VarMemorizedPosition},
    {.code = 10830,
     .caption = "Recall to Memorized Position",
     .paramCount = 3,
     .mapButton = 36,
     .defaults = {1, 2, 3},
     .text = [](T& t) { (t << "<>Recall to Location: ").F("V[%.4d] (V[%.4d],V[%.4d])", t.p(0), t.p(1), t.p(2)); },
     .usesVariable = VarMemorizedPosition},
    {.code = 10840,
     .caption = "Enter or Exit Vehicle",
     .mapButton = 37,
     .hasDialog = false,
     .text = [](T& t) { t << "<>Enter Vehicle"; }},
    {.code = 10850,
     .caption = "Set Vehicle Start Position",
     .paramCount = 6,
     .mapButton = 38,
     .text =
         [](T& t) {
           (t << "<>Set Vehicle Location: ").Vehicle(t.p(0)) << ", ";
           if (t.p(1) == 0) t.F("%.4d:", t.p(2)).MapName(t.p(2)).F(" (%.3d,%.3d)", t.p(3), t.p(4));
           if (t.p(1) == 1) t.F("V[%.4d] (V[%.4d],V[%.4d])", t.p(2), t.p(3), t.p(4));
         },
     .usesVariable = VarVehiclePosition},
    {.code = 10860,
     .caption = "Change Event Location",
     .paramCount = 5,
     .mapButton = 39,
     .defaults = {10005},
     .text =
         [](T& t) { ((t << "<>Change Event Location: ").EventName(t.p(0)) << ", ").Position(t.p(1), t.p(2), t.p(3)); },
     .usesVariable = VarEventLocation},
    {.code = 10870,
     .caption = "Trade Two Event Locations",
     .paramCount = 2,
     .mapButton = 40,
     .defaults = {10005, 10005},
     .text = [](T& t) { ((t << "<>Trade Two Event Locations: ").EventName(t.p(0)) << ", ").EventName(t.p(1)); }},
    {.code = 10910,
     .caption = "Store Terrain ID",
     .paramCount = 4,
     .mapButton = 41,
     .defaults = {0, 0, 0, 1},
     .text =
         [](T& t) {
           ((t << "<>Store Terrain ID: ").Position(t.p(0), t.p(1), t.p(2)) << ", [").Variable(t.p(3)) << "]";
         },
     .usesVariable = VarStoreId},
    {.code = 10920,
     .caption = "Store Event ID",
     .paramCount = 4,
     .mapButton = 42,
     .defaults = {0, 0, 0, 1},
     .text =
         [](T& t) { ((t << "<>Store Event ID: ").Position(t.p(0), t.p(1), t.p(2)) << ", [").Variable(t.p(3)) << "]"; },
     .usesVariable = VarStoreId},

    // Screen, pictures, animation and movement.
    {.code = 11010,
     .caption = "Hide Screen",
     .paramCount = 1,
     .mapButton = 43,
     .defaults = {-1},
     .text = [](T& t) { (t << "<>Hide Screen: ").EraseTransition(t.p(0)); }},
    {.code = 11020,
     .caption = "Show Screen",
     .paramCount = 1,
     .mapButton = 44,
     .defaults = {-1},
     .text = [](T& t) { (t << "<>Show Screen: ").ShowTransition(t.p(0)); }},
    {.code = 11030,
     .caption = "Tint Screen",
     .paramCount = 6,
     .scopes = kInAllScripts,
     .mapButton = 45,
     .battleButton = 21,
     .defaults = {100, 100, 100, 100, 10},
     .text =
         [](T& t) {
           t << "<>Tint Screen: ";
           t.F("(R%.3d,G%.3d,B%.3d,S%.3d), %d.%d Sec", t.p(0), t.p(1), t.p(2), t.p(3), t.p(4) / 10, t.p(4) % 10);
           t.Wait(t.p(5));
         }},
    {.code = 11040,
     .caption = "Flash Screen",
     .paramCount = 7,
     .scopes = kInAllScripts,
     .mapButton = 46,
     .battleButton = 22,
     .defaults = {31, 31, 31, 31, 5},
     .text =
         [](T& t) {
           t << "<>Flash Screen: ";
           if (t.count() >= 7 && t.p(6) != 0) {
             t.Pick(t.p(6), {{1, "Begin"}, {2, "Cease"}});
             return;
           }
           t.F("(R%.2d,G%.2d,B%.2d,V%.2d), %d.%d Sec", t.p(0), t.p(1), t.p(2), t.p(3), t.p(4) / 10, t.p(4) % 10);
           t.Wait(t.p(5));
         }},
    {.code = 11050,
     .caption = "Shake Screen",
     .paramCount = 5,
     .scopes = kInAllScripts,
     .mapButton = 47,
     .battleButton = 23,
     .defaults = {5, 5, 10},
     .text =
         [](T& t) {
           t << "<>Shake Screen: ";
           if (t.count() > 4 && t.p(4) != 0) {
             t.Pick(t.p(4), {{1, "Begin"}, {2, "Cease"}});
             return;
           }
           t.F("Str %d, Spd %d, %d.%d Sec", t.p(0), t.p(1), t.p(2) / 10, t.p(2) % 10).Wait(t.p(3));
         }},
    {.code = 11060,
     .caption = "Pan Screen",
     .paramCount = 5,
     .mapButton = 48,
     .defaults = {0, 0, 1, 4},
     .text =
         [](T& t) {
           t << "<>Pan Screen: ";
           t.Pick(t.p(0), {{0, "Lock Position"}, {1, "Unlock Position"}, {3, "Reset Position, "}});
           if (t.p(0) == 2) (t.Direction(t.p(1) % 256) << " " << t.p(2)) << " Tiles, ";
           if (t.p(0) >= 2) (t << "Speed " << t.p(3)).Wait(t.p(4));
         }},
    {.code = 11070,
     .caption = "Weather Effects",
     .paramCount = 2,
     .mapButton = 49,
     .text =
         [](T& t) {
           (t << "<>Weather Effects: ").Pick(t.p(0), {"None", "Rain", "Snow", "Fog", "Sandstorm"});
           if (t.p(0) >= 1) (t << ", ").Pick(t.p(1), {"Weak", "Medium", "Strong"});
         }},
    {.code = 11110,
     .caption = "Show Picture",
     .paramCount = 16,
     .mapButton = 50,
     .defaults = {1, 0, 160, 120, 0, 100, 0, 1, 100, 100, 100, 100},
     .text =
         [](T& t) {
           t << "<>Show Picture: " << t.p(0) << ", " << t.s() << ", ";
           if (t.p(1) == 0) t.F("(%d,%d)", t.p(2), t.p(3));
           if (t.p(1) == 1) t.F("(V[%.4d],V[%.4d])", t.p(2), t.p(3));
         },
     .usesVariable = VarPicture},
    {.code = 11120,
     .caption = "Move Picture",
     .paramCount = 17,
     .mapButton = 51,
     .defaults = {1, 0, 160, 120, 0, 100, 0, 0, 100, 100, 100, 100, 0, 0, 10},
     .text =
         [](T& t) {
           t << "<>Move Picture: " << t.p(0) << ", ";
           if (t.p(1) == 0) t.F("(%d,%d)", t.p(2), t.p(3));
           if (t.p(1) == 1) t.F("(V[%.4d],V[%.4d])", t.p(2), t.p(3));
           t.F(", %d.%d Sec", t.p(14) / 10, t.p(14) % 10).Wait(t.p(15));
         },
     .usesVariable = VarPicture},
    {.code = 11130,
     .caption = "Erase Picture",
     .paramCount = 1,
     .mapButton = 52,
     .defaults = {1},
     .text = [](T& t) { t << "<>Erase Picture: " << t.p(0); }},
    {.code = 11210,
     .caption = "Show Battle Animation",
     .paramCount = 4,
     .mapButton = 53,
     .defaults = {1, 10005},
     .text =
         [](T& t) { ((t << "<>Show Battle Animation: ").Animation(t.p(0)) << ", ").EventName(t.p(1)).Wait(t.p(2)); }},
    {.code = 11310,
     .caption = "Hero Sprite Transparency",
     .paramCount = 1,
     .mapButton = 54,
     .text =
         [](T& t) {
           (t << "<>Sprite Transparency: ").Pick(t.p(0), {"Transparent", "Opaque"});
         }},
    {.code = 11320,
     .caption = "Flash Sprite",
     .paramCount = 7,
     .mapButton = 55,
     .defaults = {10005, 31, 31, 31, 31, 5},
     .text = [](T& t) { ((t << "<>Flash Sprite: ").EventName(t.p(0)) << ", ").Seconds(t.p(5)).Wait(t.p(6)); }},
    {.code = 11330,
     .caption = "Move Event",
     .paramCount = 4,
     .moreParams = true,
     .mapButton = 56,
     .defaults = {10005, 3},
     .text = MoveEvent},
    {.code = 11340,
     .caption = "Proceed with Movement",
     .mapButton = 57,
     .hasDialog = false,
     .text = [](T& t) { t << "<>Proceed with Movement"; }},
    {.code = 11350,
     .caption = "Halt all Movement",
     .mapButton = 58,
     .hasDialog = false,
     .text = [](T& t) { t << "<>Halt All Movement"; }},
    {.code = 11410,
     .caption = "Wait",
     .paramCount = 2,
     .scopes = kInAllScripts,
     .mapButton = 59,
     .battleButton = 27,
     .defaults = {10},
     .text =
         [](T& t) {
           t << "<>Wait: ";
           if (t.count() < 2 || t.p(1) == 0)
             t.Seconds(t.p(0));
           else
             t << "Until Key Pressed";
         }},

    // Audio, movies, key input, map appearance, teleport control and menus.
    {.code = 11510,
     .caption = "Play BGM",
     .paramCount = 4,
     .scopes = kInAllScripts,
     .mapButton = 60,
     .battleButton = 28,
     .defaults = {0, 100, 100, 50},
     .defaultText = "(OFF)",
     .text = [](T& t) { t << "<>Play BGM: " << t.s(); }},
    {.code = 11520,
     .caption = "Fade BGM",
     .paramCount = 1,
     .scopes = kInAllScripts,
     .mapButton = 61,
     .battleButton = 29,
     .defaults = {1000},
     .text = [](T& t) { (t << "<>Fade Out BGM: ").F("%d Sec", t.p(0) / 1000); }},
    {.code = 11530,
     .caption = "Memorize BGM",
     .mapButton = 62,
     .hasDialog = false,
     .text = [](T& t) { t << "<>Memorize BGM"; }},
    {.code = 11540,
     .caption = "Play Memorized BGM",
     .mapButton = 63,
     .hasDialog = false,
     .text = [](T& t) { t << "<>Play Memorized BGM"; }},
    {.code = 11550,
     .caption = "Play Sound Effect",
     .paramCount = 3,
     .scopes = kInAllScripts,
     .mapButton = 64,
     .battleButton = 30,
     .defaults = {100, 100, 50},
     .defaultText = "(OFF)",
     .text = [](T& t) { t << "<>Play Sound: " << t.s(); }},
    {.code = 11560,
     .caption = "Play Movie",
     .paramCount = 5,
     .mapButton = 65,
     .defaults = {0, 0, 0, 320, 240},
     .text =
         [](T& t) {
           t << "<>Play Movie: " << t.s() << ", ";
           if (t.p(0) == 0) t.F("(%d,%d)", t.p(1), t.p(2));
           if (t.p(0) == 1) t.F("(V[%.4d],V[%.4d])", t.p(1), t.p(2));
           t.F(", (%d,%d)", t.p(3), t.p(4));
         },
     .usesVariable = VarMovie},
    {.code = 11610,
     .caption = "Key Input Processing",
     .paramCount = 14,
     .mapButton = 66,
     .defaults = {1, 1, 0, 1, 1, 0, 0, 0, 0, 0, 1, 1, 1, 1},
     .text = [](T& t) { ((t << "<>Key Input Proc: [").Variable(t.p(0))) << "]"; },
     .usesVariable = VarKeyInput},
    {.code = 11710,
     .caption = "Change Map Tileset",
     .paramCount = 1,
     .mapButton = 67,
     .defaults = {1},
     .text = [](T& t) { (t << "<>Change Map Tileset: ").Tileset(t.p(0)); }},
    {.code = 11720,
     .caption = "Change Parallax Background",
     .paramCount = 6,
     .mapButton = 68,
     .text =
         [](T& t) {
           t << "<>Change PBG: " << t.s();
           auto scroll = [&t](int64_t on, int64_t autoOn, int64_t speed, const char* caption) {
             if (on != 1) return;
             t << ", " << caption;
             if (autoOn == 1) t << (speed >= 0 ? "(+" : "(-") << (speed < 0 ? -speed : speed) << ")";
           };
           scroll(t.p(0), t.p(2), t.p(3), "Hor Scroll");
           scroll(t.p(1), t.p(4), t.p(5), "Vert Scroll");
         }},
    {.code = 11740,
     .caption = "Change Encounter Rate",
     .paramCount = 1,
     .mapButton = 69,
     .defaults = {25},
     .text = [](T& t) { t << "<>Encounter Rate: " << t.p(0); }},
    {.code = 11750,
     .caption = "Tile Substitution",
     .paramCount = 3,
     .mapButton = 70,
     .text =
         [](T& t) {
           (t << "<>Tile Substitution: ").Pick(t.p(0), {"Lower Layer,", "Upper Layer,"});
           t.F("  %.3d -> %.3d        ", t.p(1) + 1, t.p(2) + 1);
         }},
    {.code = 11810,
     .caption = "Teleport Target Management",
     .paramCount = 6,
     .mapButton = 71,
     .defaults = {0, 0, 0, 0, 0, 1},
     .text =
         [](T& t) {
           t << "<>Teleport Targets: ";
           if (t.p(0) == 0) (t << "Add, ").F("%.4d:", t.p(1)).MapName(t.p(1)).F(" (%.3d,%.3d)", t.p(2), t.p(3));
           if (t.p(0) == 1) (t << "Delete, ").F("%.4d:", t.p(1)).MapName(t.p(1));
         }},
    {.code = 11820,
     .caption = "Allow/Disallow Teleport",
     .paramCount = 1,
     .mapButton = 72,
     .text = [](T& t) { (t << "<>Teleport Access: ").Gate(t.p(0)); }},
    {.code = 11830,
     .caption = "Set Escape Target",
     .paramCount = 5,
     .mapButton = 73,
     .defaults = {0, 0, 0, 0, 1},
     .text =
         [](T& t) { (t << "<>Escape Target: ").F("%.4d:", t.p(0)).MapName(t.p(0)).F(" (%.3d,%.3d)", t.p(1), t.p(2)); }},
    {.code = 11840,
     .caption = "Allow/Disallow Escape",
     .paramCount = 1,
     .mapButton = 74,
     .text = [](T& t) { (t << "<>Escape Access: ").Gate(t.p(0)); }},
    {.code = 11910,
     .caption = "Open Save Menu",
     .mapButton = 75,
     .hasDialog = false,
     .text = [](T& t) { t << "<>Open Save Menu"; }},
    {.code = 11930,
     .caption = "Allow/Disallow Saving",
     .paramCount = 1,
     .mapButton = 76,
     .text = [](T& t) { (t << "<>Save Menu Access: ").Gate(t.p(0)); }},
    {.code = 11950,
     .caption = "Open Main Menu",
     .mapButton = 77,
     .hasDialog = false,
     .text = [](T& t) { t << "<>Open Main Menu"; }},
    {.code = 11960,
     .caption = "Allow/Disallow Main Menu",
     .paramCount = 1,
     .mapButton = 78,
     .text = [](T& t) { (t << "<>Main Menu Access: ").Gate(t.p(0)); }},

    // Flow control.
    {.code = 12010,
     .caption = "Conditional Branch",
     .paramCount = 6,
     .block = B::Always,
     .directBranch = true,
     .caseRule = TCaseRule::ElseFlag,
     .cases = {22010},
     .end = 22011,
     .mapButton = 79,
     .defaults = {0, 1},
     .text = BranchCondition,
     .usesVariable = VarBranch,
     .usesSwitch = SwitchBranch},
    {.code = 12110,
     .caption = "Label",
     .paramCount = 1,
     .mapButton = 80,
     .defaults = {1},
     .text = [](T& t) { t << "<>Label: " << t.p(0); }},
    {.code = 12120,
     .caption = "Jump to Label",
     .paramCount = 1,
     .mapButton = 81,
     .defaults = {1},
     .text = [](T& t) { t << "<>Jump to Label: " << t.p(0); }},
    {.code = 12210,
     .caption = "Loop",
     .block = B::Always,
     .directBranch = true,
     .end = 22210,
     .mapButton = 82,
     .hasDialog = false,
     .text = [](T& t) { t << "<>Loop"; }},
    {.code = 12220,
     .caption = "Break out of Loop",
     .mapButton = 83,
     .hasDialog = false,
     .text = [](T& t) { t << "<>Break Loop"; }},
    {.code = 12310,
     .caption = "End Event Processing",
     .scopes = kInAllScripts,
     .mapButton = 84,
     .battleButton = 32,
     .hasDialog = false,
     .text = [](T& t) { t << "<>End Event Processing"; }},
    {.code = 12320,
     .caption = "Erase Event",
     .mapButton = 85,
     .hasDialog = false,
     .text = [](T& t) { t << "<>Erase Event     "; }},
    {.code = 12330,
     .caption = "Call Event",
     .paramCount = 3,
     .mapButton = 86,
     .defaults = {0, 1},
     .text =
         [](T& t) {
           t << "<>Call Event: ";
           if (t.p(0) == 0) t.CommonEvent(t.p(1));
           if (t.p(0) == 1) t.EventName(t.p(1)) << "[" << t.p(2) << "]";
           if (t.p(0) == 2) t << "V[" << t.p(1) << "][V[" << t.p(2) << "]]";
         },
     .usesVariable = VarCallEvent},
    {.code = 12410,
     .caption = "Insert Comment",
     .scopes = kInAllScripts,
     .continuation = 22410,
     .mapButton = 87,
     .battleButton = 34,
     .text = [](T& t) { t << "<>Comment: " << t.s(); },
     .authorText = true},
    {.code = 12420,
     .caption = "Game Over",
     .scopes = kInAllScripts,
     .mapButton = 88,
     .battleButton = 35,
     .hasDialog = false,
     .text = [](T& t) { t << "<>Game Over"; }},
    {.code = 12510,
     .caption = "Return to Title Screen",
     .mapButton = 89,
     .hasDialog = false,
     .text = [](T& t) { t << "<>Return to Title Screen"; }},

    // Battle commands.
    {.code = 13110,
     .caption = "Change Monster HP",
     .paramCount = 5,
     .scopes = kInTroopPage,
     .battleButton = 16,
     .text =
         [](T& t) {
           (t << "<>Change Monster HP: ").Enemy(t.p(0)) << "'s HP ";
           if (t.p(2) == 0) t << t.p(3);
           if (t.p(2) == 1) t.V(t.p(3));
           if (t.p(2) == 2) t.F("%3d%%", t.p(3));
           t.Pick(t.p(1), {" Recovered", " Remove", " Recovered"});
         }},
    {.code = 13120,
     .caption = "Change Monster MP",
     .paramCount = 4,
     .scopes = kInTroopPage,
     .battleButton = 17,
     .text =
         [](T& t) {
           (t << "<>Change Monster MP: ").Enemy(t.p(0)) << "'s MP ";
           t.Amount(t.p(2), t.p(3)).Pick(t.p(1), {" Recovered", " Remove"});
         }},
    {.code = 13130,
     .caption = "Change Monster Condition",
     .paramCount = 3,
     .scopes = kInTroopPage,
     .battleButton = 18,
     .defaults = {0, 0, 1},
     .text =
         [](T& t) {
           (((t << "<>Change Monster Condition: ").Enemy(t.p(0)) << " ").Condition(t.p(2)));
           t.Pick(t.p(1), {" Inflict", " Remove"});
         }},
    {.code = 13150,
     .caption = "Show Hidden Monster",
     .paramCount = 1,
     .scopes = kInTroopPage,
     .battleButton = 19,
     .text = [](T& t) { (t << "<>Show Hidden Monster: ").Enemy(t.p(0)); }},
    {.code = 13210,
     .caption = "Change Battle Background",
     .scopes = kInTroopPage,
     .battleButton = 20,
     .text = [](T& t) { t << "<>Change Battle BG: " << t.s(); }},
    {.code = 13260,
     .caption = "Show Battle Animation",
     .paramCount = 5,
     .scopes = kInTroopPage,
     .battleButton = 24,
     .defaults = {1, -1},
     .text =
         [](T& t) {
           (t << "<>Show Battle Animation: ").Animation(t.p(0)) << ", ";
           if (t.count() >= 4 && t.p(3) != 0)
             t.Party(t.p(1));
           else
             t.Enemy(t.p(1));
           t.Wait(t.p(2));
         }},
    {.code = 13310,
     .caption = "Conditional Branch",
     .paramCount = 6,
     .scopes = kInTroopPage,
     .block = B::Always,
     .directBranch = true,
     .caseRule = TCaseRule::ElseFlag,
     .cases = {23310},
     .end = 23311,
     .battleButton = 31,
     .defaults = {0, 1},
     .text = BattleBranchCondition},
    {.code = 13410,
     .caption = "End Combat",
     .scopes = kInTroopPage,
     .battleButton = 36,
     .hasDialog = false,
     .text = [](T& t) { t << "<>End Battle"; }},

    // Structural lines.
    {.code = 20110,
     .caption = "(message continuation)",
     .role = R::Continuation,
     .scopes = kInAllScripts,
     .owner = 10110,
     .text = [](T& t) { t << ":             " << t.s(); },
     .authorText = true},
    {.code = 20140,
     .caption = "(choice case)",
     .paramCount = 1,
     .role = R::Case,
     .scopes = kInAllScripts,
     .owner = 10140,
     .text =
         [](T& t) {
           if (t.p(0) == 4)
             t << ": Cancel Handler";
           else
             t << ": [" << t.s() << "] Handler";
         }},
    {.code = 20141,
     .caption = "(end of choices)",
     .role = R::End,
     .scopes = kInAllScripts,
     .owner = 10140,
     .text = CaseEnd},
    {.code = 20710,
     .caption = "(victory case)",
     .role = R::Case,
     .owner = 10710,
     .text = [](T& t) { t << ": Victory Handler"; }},
    {.code = 20711,
     .caption = "(escape case)",
     .role = R::Case,
     .owner = 10710,
     .text = [](T& t) { t << ": Escape Handler"; }},
    {.code = 20712,
     .caption = "(defeat case)",
     .role = R::Case,
     .owner = 10710,
     .text = [](T& t) { t << ": Defeat Handler"; }},
    {.code = 20713, .caption = "(end of encounter)", .role = R::End, .owner = 10710, .text = CaseEnd},
    {.code = 20720,
     .caption = "(transaction made)",
     .role = R::Case,
     .owner = 10720,
     .text = [](T& t) { t << ": Transaction "; }},
    {.code = 20721,
     .caption = "(no transaction)",
     .role = R::Case,
     .owner = 10720,
     .text = [](T& t) { t << ": No Transaction"; }},
    {.code = 20722, .caption = "(end of shop)", .role = R::End, .owner = 10720, .text = CaseEnd},
    {.code = 20730,
     .caption = "(stayed)",
     .role = R::Case,
     .owner = 10730,
     .text = [](T& t) { t << ": Stay Handler"; }},
    {.code = 20731,
     .caption = "(did not stay)",
     .role = R::Case,
     .owner = 10730,
     .text = [](T& t) { t << ": No Stay Handler"; }},
    {.code = 20732, .caption = "(end of inn)", .role = R::End, .owner = 10730, .text = CaseEnd},
    {.code = 22010,
     .caption = "(else case)",
     .role = R::Case,
     .owner = 12010,
     .text = [](T& t) { t << ": Else Handler"; }},
    {.code = 22011, .caption = "(end of branch)", .role = R::End, .owner = 12010, .text = CaseEnd},
    {.code = 22210,
     .caption = "(end of loop)",
     .role = R::End,
     .owner = 12210,
     .text = [](T& t) { t << ": End Loop"; }},
    {.code = 22410,
     .caption = "(comment continuation)",
     .role = R::Continuation,
     .scopes = kInAllScripts,
     .owner = 12410,
     .text = [](T& t) { t << ":             " << t.s(); },
     .authorText = true},
    {.code = 23310,
     .caption = "(battle else case)",
     .role = R::Case,
     .scopes = kInTroopPage,
     .owner = 13310,
     .text = [](T& t) { t << ": Else Handler"; }},
    {.code = 23311,
     .caption = "(end of battle branch)",
     .role = R::End,
     .scopes = kInTroopPage,
     .owner = 13310,
     .text = CaseEnd},
};

constexpr bool SortedByCode() {
  for (size_t i = 1; i < std::size(kCatalogue); ++i)
    if (kCatalogue[i - 1].code >= kCatalogue[i].code) return false;
  return true;
}
static_assert(SortedByCode(), "the catalogue is looked up by binary search");

// The catalogue holds exactly the codes whose shapes the loaders check scripts against, with the
// same parameter counts and block structure.
constexpr bool AgreesWithShapes() {
  if (std::size(kCatalogue) != std::size(kCommandShapes)) return false;
  for (size_t i = 0; i < std::size(kCatalogue); ++i) {
    const TEventCommandInfo& c = kCatalogue[i];
    const TCommandShape& s = kCommandShapes[i];
    if (c.code != s.code || c.paramCount != s.paramCount || c.moreParams != s.moreParams || c.role != s.role ||
        c.block != s.block || c.directBranch != s.directBranch || c.caseRule != s.caseRule ||
        c.continuation != s.continuation || c.end != s.end || c.owner != s.owner)
      return false;
    for (int k = 0; k < 3; ++k)
      if (c.cases[k] != s.cases[k]) return false;
  }
  return true;
}
static_assert(AgreesWithShapes(), "the catalogue and the command shapes of the event model disagree");

template <size_t N>
std::array<int32_t, N> ButtonCodes(int16_t TEventCommandInfo::*button) {
  std::array<int32_t, N> codes{};
  for (const TEventCommandInfo& info : kCatalogue)
    if (info.*button >= 0 && static_cast<size_t>(info.*button) < N)
      codes[static_cast<size_t>(info.*button)] = info.code;
  return codes;
}

}  // namespace

uint8_t ScopeOf(TScriptKind kind) {
  switch (kind) {
    case TScriptKind::MapEvent:
      return kInMapEvent;
    case TScriptKind::CommonEvent:
      return kInCommonEvent;
    case TScriptKind::TroopPage:
      return kInTroopPage;
  }
  return 0;
}

std::span<const TEventCommandInfo> EventCommands() { return kCatalogue; }

const TEventCommandInfo* FindEventCommand(int32_t code) {
  const auto* it = std::lower_bound(std::begin(kCatalogue), std::end(kCatalogue), code,
                                    [](const TEventCommandInfo& info, int32_t c) { return info.code < c; });
  return it != std::end(kCatalogue) && it->code == code ? it : nullptr;
}

bool IsFindVariable(const TLcfEventScriptLine& line, int32_t variable) {
  const TEventCommandInfo* info = FindEventCommand(line.code);
  return info && info->usesVariable && info->usesVariable(line, variable);
}

bool IsFindSwitch(const TLcfEventScriptLine& line, int32_t switchId) {
  const TEventCommandInfo* info = FindEventCommand(line.code);
  return info && info->usesSwitch && info->usesSwitch(line, switchId);
}

bool IsAuthorText(int32_t code) {
  const TEventCommandInfo* info = FindEventCommand(code);
  return info && info->authorText;
}

bool IsCommandCode(int32_t code) {
  const TEventCommandInfo* info = FindEventCommand(code);
  return !info || !info->IsStructural();
}

bool MayStandIn(int32_t code, TScriptKind kind) {
  const TEventCommandInfo* info = FindEventCommand(code);
  return info ? info->MayStandIn(kind) : kind != TScriptKind::TroopPage;
}

std::span<const int32_t, kMapChooserButtons> MapChooserCodes() {
  static const auto codes = ButtonCodes<kMapChooserButtons>(&TEventCommandInfo::mapButton);
  return codes;
}

std::span<const int32_t, kBattleChooserButtons> BattleChooserCodes() {
  static const auto codes = ButtonCodes<kBattleChooserButtons>(&TEventCommandInfo::battleButton);
  return codes;
}

}  // namespace tess
