#include "editor/database/FormEDSystem2.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <array>

#include "database/DataBaseObj.h"
#include "editor/database/MaterialField.h"
#include "ui/FieldBinder.h"
#include "ui/pickers/FormSelPlainPicture.h"
#include "ui/pickers/FormSelSystem.h"

namespace tess {

namespace {

using K = TFieldKind;
using S = TLcfSystem;

template <size_t N>
std::array<TFieldChoice, N> Choices(const char* const (&names)[N]) {
  std::array<TFieldChoice, N> c{};
  for (size_t i = 0; i < N; ++i) c[i] = {static_cast<int32_t>(i), names[i]};
  return c;
}
const auto kErase = Choices(kEraseTransitionNames);
const auto kShow = Choices(kShowTransitionNames);
constexpr TFieldChoice kMenuCommands[] = {{0, "(None)"}, {1, "Item"}, {2, "Skill"}, {3, "Equip"},   {4, "Save"},
                                          {5, "Status"}, {6, "Row"},  {7, "Order"}, {8, "ATB Mode"}};
constexpr int32_t kNone[] = {0};
constexpr int32_t kOn[] = {1};

#define MENU_ROW(n, before)                                                                                  \
  {                                                                                                          \
    .key = "Menu" #n, .kind = K::Choice, .caption = "Command " #n, .choices = kMenuCommands, .index = n - 1, \
    .whenKey = "Menu" #before, .whenValues = kNone, .whenNot = true                                          \
  }

// A menu slot is open when the slot before it holds a command.
const TFieldRow kRows[] = {
    {.key = "BattleGraphic", .kind = K::Picture, .caption = "Battle Graphics", .folder = "System2"},
    {.key = "MapErase", .kind = K::Choice, .caption = "Erase Screen", .choices = kErase},
    {.key = "MapShow", .kind = K::Choice, .caption = "Show Screen", .choices = kShow},
    {.key = "BattleEnterErase", .kind = K::Choice, .caption = "Erase Screen", .choices = kErase},
    {.key = "BattleEnterShow", .kind = K::Choice, .caption = "Show Screen", .choices = kShow},
    {.key = "BattleExitErase", .kind = K::Choice, .caption = "Erase Screen", .choices = kErase},
    {.key = "BattleExitShow", .kind = K::Choice, .caption = "Show Screen", .choices = kShow},
    {.key = "Menu1", .kind = K::Choice, .caption = "Command 1", .choices = kMenuCommands, .index = 0},
    MENU_ROW(2, 1),
    MENU_ROW(3, 2),
    MENU_ROW(4, 3),
    MENU_ROW(5, 4),
    MENU_ROW(6, 5),
    MENU_ROW(7, 6),
    MENU_ROW(8, 7),
    {.key = "UseFrame", .kind = K::Flag, .caption = "Use Frame"},
    {.key = "FrameName",
     .kind = K::Picture,
     .caption = "Frame",
     .whenKey = "UseFrame",
     .whenValues = kOn,
     .folder = "Frame"},
    {.key = "ReverseAnimations", .kind = K::Flag, .caption = "Reverse Battle Animations when Attacked from Behind"},
};
#undef MENU_ROW

constexpr int kFirstMenuRow = 7, kFirstFrameRow = 15;

// The menu's slots: choosing a command in the first open slot adds it; "(None)" ends the menu
// before the slot.
TFieldAccess MenuAccess(S& s, int slot) {
  TFieldAccess a;
  a.value = [&s, slot] { return s.MenuCommand(slot); };
  a.setValue = [&s, slot](int32_t code) {
    if (code != 0 && slot >= s.menuCommandCount) s.SetMenuCommandCount(slot + 1);
    s.SetMenuCommand(slot, code);
  };
  return a;
}

TFieldAccess AccessOf(const TFieldRow& row, S& s) {
  const std::string_view key = row.key;
  auto record = [&s] { return &s; };
  if (key == "BattleGraphic") return MemberAccess<S>(record, &S::battleGraphic);
  if (key == "MapErase") return MemberAccess<S>(record, &S::mapEraseTransition);
  if (key == "MapShow") return MemberAccess<S>(record, &S::mapShowTransition);
  if (key == "BattleEnterErase") return MemberAccess<S>(record, &S::battleEnterEraseTransition);
  if (key == "BattleEnterShow") return MemberAccess<S>(record, &S::battleEnterShowTransition);
  if (key == "BattleExitErase") return MemberAccess<S>(record, &S::battleExitEraseTransition);
  if (key == "BattleExitShow") return MemberAccess<S>(record, &S::battleExitShowTransition);
  if (key.starts_with("Menu")) return MenuAccess(s, row.index);
  if (key == "UseFrame") return MemberAccess<S>(record, &S::useFrame);
  if (key == "FrameName") return MemberAccess<S>(record, &S::frameName);
  return MemberAccess<S>(record, &S::reverseAnimations);
}

}  // namespace

TFormEDSystem2::TFormEDSystem2(const TDataBasePageContext& context, QWidget* parent)
    : TFormDataBaseBase(context, parent) {
  setObjectName("FormEDSystem2");
  S& s = context.database.system;
  TFieldContext lists;
  lists.database = &context.database;
  binder_ = new TFieldBinder(kRows, lists, this);
  auto changed = [this] { DataModified(); };
  auto build = [&](int row, QWidget* parent) { return binder_->Build(kRows[row], AccessOf(kRows[row], s), parent); };

  auto* layout = new QGridLayout(this);
  auto* graphics = new QGroupBox("Battle Graphics", this);
  (new QVBoxLayout(graphics))
      ->addWidget(MaterialField(
          *binder_, kRows[0], AccessOf(kRows[0], s), graphics,
          [&s](QWidget* owner) {
            TFormSelSystem picker(owner, true);
            picker.materialName = s.battleGraphic;
            if (picker.exec() != QDialog::Accepted || picker.materialName == s.battleGraphic) return false;
            s.battleGraphic = picker.materialName;
            return true;
          },
          changed));

  auto* transitions = new QGroupBox("Screen Transitions", this);
  auto* tv = new QVBoxLayout(transitions);
  const char* const kWhen[] = {"Teleport / Map Change", "Battle Start", "Battle End"};
  for (int i = 0; i < 3; ++i) {
    auto* box = new QGroupBox(kWhen[i], transitions);
    auto* form = new QFormLayout(box);
    for (int row : {1 + 2 * i, 2 + 2 * i}) form->addRow(kRows[row].caption, build(row, box));
    tv->addWidget(box);
  }

  auto* menu = new QGroupBox("Main Menu Commands", this);
  auto* mv = new QFormLayout(menu);
  for (int row = kFirstMenuRow; row < kFirstFrameRow; ++row) mv->addRow(kRows[row].caption, build(row, menu));

  auto* frame = new QGroupBox("Frame", this);
  auto* fv = new QVBoxLayout(frame);
  fv->addWidget(build(kFirstFrameRow, frame));
  fv->addWidget(MaterialField(
      *binder_, kRows[kFirstFrameRow + 1], AccessOf(kRows[kFirstFrameRow + 1], s), frame,
      [&s](QWidget* owner) { return PickName<TFormSelAccessory>(owner, s.frameName); }, changed));

  layout->addWidget(graphics, 0, 0);
  layout->addWidget(transitions, 1, 0, 3, 1);
  layout->addWidget(menu, 0, 1, 2, 1);
  layout->addWidget(frame, 2, 1);
  layout->addWidget(build(kFirstFrameRow + 2, this), 3, 1);
  layout->setRowStretch(4, 1);

  connect(binder_, &TFieldBinder::changed, this, [this](const char*) { DataModified(); });
  LoadEntry();
}

void TFormEDSystem2::LoadEntry() { binder_->Load(); }

}  // namespace tess
