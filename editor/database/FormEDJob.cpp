#include "editor/database/FormEDJob.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "database/DataBaseObj.h"
#include "ui/FieldBinder.h"

namespace tess {

namespace {

using K = TFieldKind;
using Item = TLcfJobItem;

constexpr TFieldRow kRows[] = {
    {.key = "Name", .kind = K::Text, .caption = "Name", .max = 12},
    {.key = "TwoWeapons", .kind = K::Flag, .caption = "Two Weapons"},
    {.key = "LockEquipment", .kind = K::Flag, .caption = "Lock Equipment"},
    {.key = "AiControl", .kind = K::Flag, .caption = "AI Control"},
    {.key = "MightyGuard", .kind = K::Flag, .caption = "Mighty Guard"},
    {.key = "BattlerAnimation", .kind = K::BattlerAnimation, .caption = "Animation Group", .min = 1, .max = 5000},
};

TFieldAccess AccessOf(const TFieldRow& row, std::function<Item*()> entry) {
  const std::string_view key = row.key;
  if (key == "Name") return MemberAccess(entry, &Item::name);
  if (key == "TwoWeapons") return MemberAccess(entry, &Item::twoWeapons);
  if (key == "LockEquipment") return MemberAccess(entry, &Item::lockEquipment);
  if (key == "AiControl") return MemberAccess(entry, &Item::aiControl);
  if (key == "MightyGuard") return MemberAccess(entry, &Item::mightyGuard);
  return MemberAccess(entry, &Item::battlerAnimation);
}

}  // namespace

TFormEDJob::TFormEDJob(const TDataBasePageContext& context, QWidget* parent)
    : TFormEDActor(context.database.classes, kClipClasses, context, parent) {
  auto* fields = new QWidget(this);
  fields->setObjectName("ClassFields");
  TFieldContext lists;
  lists.database = &context.database;
  binder_ = new TFieldBinder(kRows, lists, this);
  auto entry = [this] { return Entry(); };
  auto built = binder_->BuildAll([&](const TFieldRow& row) { return AccessOf(row, entry); }, fields);

  auto* layout = new QHBoxLayout(fields);
  auto* left = new QVBoxLayout;
  auto* middle = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  layout->addLayout(left, 2);
  layout->addLayout(middle, 3);
  layout->addLayout(right, 2);
  auto* form = new QFormLayout;
  form->addRow("Name", built["Name"]);
  form->addRow("Animation Group", built["BattlerAnimation"]);
  left->addLayout(form);
  auto* options = new QGroupBox("Options", fields);
  auto* optionGrid = new QGridLayout(options);
  optionGrid->addWidget(built["TwoWeapons"], 0, 0);
  optionGrid->addWidget(built["LockEquipment"], 0, 1);
  optionGrid->addWidget(built["AiControl"], 1, 0);
  optionGrid->addWidget(built["MightyGuard"], 1, 1);
  left->addWidget(options);
  left->addWidget(BuildCommands(fields));
  left->addStretch(1);
  middle->addWidget(BuildCurves(fields));
  middle->addWidget(BuildSkills(fields), 1);
  right->addWidget(BuildRanks(fields), 1);
  SetFields(fields);

  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Name") RewriteLine(Selected());
    DataModified();
  });
  LoadEntry();
}

TLcfJobItem* TFormEDJob::Entry() const { return Context().database.classes.ItemAt(Selected()); }
TLcfActorBase* TFormEDJob::Actor() const { return Entry(); }
TCatalog* TFormEDJob::Learned() const { return Entry() ? &Entry()->skills : nullptr; }

void TFormEDJob::LoadEntry() {
  binder_->Load();
  LoadShared();
  UpdateView();
}

void TFormEDJob::UpdateView() { UpdateShared(); }

}  // namespace tess
