#include "editor/database/FormSelBattleCMD.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "database/DataBaseObj.h"
#include "ui/DialogButtons.h"
#include "ui/FieldBinder.h"

namespace tess {

namespace {

using K = TFieldKind;
using Item = TLcfBattleCMDItem;

// The archetype captions as the runtime stores and lists them, trailing blanks included.
constexpr TFieldChoice kArchetypes[] = {{0, "Attack"}, {1, "Skill   "}, {2, "Skill Subset      "}, {3, "Defend"},
                                        {4, "Item"},   {5, "Escape"},   {6, "Link to Event   "}};
constexpr TFieldRow kRows[] = {
    {.key = "Name", .kind = K::Text, .caption = "Name", .max = 10},
    {.key = "Archetype", .kind = K::Choice, .caption = "Archetype", .choices = kArchetypes},
};

// The tab under which the command list remembers its place (no tab of the window uses it).
constexpr int kCommandListPlace = 1000;

TDataBasePageContext ListContext(const TDataBasePageContext& page, std::function<void()> changed) {
  TDataBasePageContext c = page;
  c.changed = std::move(changed);
  c.tab = kCommandListPlace;
  return c;
}

}  // namespace

std::vector<std::pair<int32_t, Bytes>> TFormSelBattleCMD::Snapshot(const TLcfBattleCMD& commands) {
  std::vector<std::pair<int32_t, Bytes>> items;
  for (int i = 0; i < commands.Count(); ++i)
    items.emplace_back(commands.ItemAt(i)->Id(), commands.ItemAt(i)->Encoded());
  return items;
}

TBattleCommandList::TBattleCommandList(TLcfBattleCMD& commands, const TDataBasePageContext& context, QWidget* parent)
    : TFormEntryListPage(commands, kClipBattleCommands, context, parent), commands_(commands) {
  auto* fields = new QWidget(this);
  fields->setObjectName("CommandFields");
  binder_ = new TFieldBinder(kRows, TFieldContext{}, this);
  std::function<Item*()> entry = [this] { return Entry(); };
  auto* form = new QFormLayout(fields);
  binder_->AddRows(
      form,
      [&entry](const TFieldRow& row) {
        return row.kind == K::Text ? MemberAccess(entry, &Item::name) : MemberAccess(entry, &Item::archetype);
      },
      fields);
  SetFields(fields);
  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Name") RewriteLine(Selected());
    DataModified();
  });
  LoadEntry();
}

TLcfBattleCMDItem* TBattleCommandList::Entry() const { return commands_.ItemAt(Selected()); }

void TBattleCommandList::LoadEntry() { binder_->Load(); }

TFormSelBattleCMD::TFormSelBattleCMD(TLcfBattle& battle, const TDataBasePageContext& context, QWidget* owner)
    : QDialog(owner), battle_(battle) {
  setWindowTitle("Battle Commands");
  setObjectName("FormSelBattleCMD");
  copy_.Assign(battle.commands);
  auto* layout = new QVBoxLayout(this);
  list_ = new TBattleCommandList(copy_, ListContext(context, nullptr), this);
  layout->addWidget(list_, 1);
  TDialogButtons buttons;
  buttons.ok = [this] {
    changed_ = Confirm();
    accept();
  };
  layout->addWidget(MakeDialogButtons(this, buttons));
  given_ = Snapshot(copy_);
  resize(420, 360);
}

bool TFormSelBattleCMD::Confirm() {
  if (Snapshot(copy_) == given_) return false;
  battle_.commands.Assign(copy_);
  return true;
}

}  // namespace tess
