#include "editor/database/FormEDCommonEvent.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "database/DataBaseObj.h"
#include "ui/FieldBinder.h"
#include "ui/script/ScriptEditor.h"

namespace tess {

namespace {

using K = TFieldKind;
using Item = TLcfCommonEventItem;

constexpr TFieldChoice kTriggers[] = {
    {Item::kAutoStart, "Auto Start"},
    {Item::kParallel, "Parallel Process"},
    {Item::kCall, "Call"},
};
constexpr int32_t kCalled[] = {Item::kCall};
constexpr int32_t kOn[] = {1};

// A called event starts only through its call: it offers no condition switch.
constexpr TFieldRow kRows[] = {
    {.key = "Name", .kind = K::Text, .caption = "Name"},
    {.key = "Trigger", .kind = K::Choice, .caption = "Trigger", .choices = kTriggers},
    {.key = "UseSwitch",
     .kind = K::Flag,
     .caption = "Switch",
     .whenKey = "Trigger",
     .whenValues = kCalled,
     .whenNot = true},
    {.key = "Switch",
     .kind = K::Switch,
     .caption = "Condition Switch",
     .min = 1,
     .max = 5000,
     .whenKey = "UseSwitch",
     .whenValues = kOn},
};

// The member each row edits.
TFieldAccess AccessOf(const TFieldRow& row, std::function<Item*()> entry) {
  const std::string_view key = row.key;
  if (key == "Name") return MemberAccess(entry, &Item::name);
  if (key == "Trigger") return MemberAccess(entry, &Item::trigger);
  if (key == "UseSwitch") return MemberAccess(entry, &Item::useSwitch);
  return MemberAccess(entry, &Item::switchId);
}

QGroupBox* Boxed(const char* title, QWidget* control, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  (new QHBoxLayout(box))->addWidget(control);
  return box;
}

}  // namespace

TFormEDCommonEvent::TFormEDCommonEvent(const TDataBasePageContext& context, QWidget* parent)
    : TFormEntryListPage(context.database.commonEvents, kClipCommonEvents, context, parent) {
  auto* fields = new QWidget(this);
  fields->setObjectName("CommonEventFields");
  TFieldContext lists;
  lists.database = &context.database;
  lists.editableDatabase = &context.database;
  binder_ = new TFieldBinder(kRows, lists, this);
  auto entry = [this] { return Entry(); };
  auto build = [&](int row) { return binder_->Build(kRows[row], AccessOf(kRows[row], entry), fields); };

  auto* layout = new QVBoxLayout(fields);
  auto* top = new QHBoxLayout;
  top->addWidget(Boxed("Name", build(0), fields), 2);
  // The trigger is a list rather than a radio group, to keep the page's top row compact.
  auto* trigger = new QComboBox(fields);
  binder_->Attach(kRows[1], trigger, AccessOf(kRows[1], entry));
  top->addWidget(Boxed("Trigger", trigger, fields), 1);
  auto* switchBox = new QGroupBox("Condition Switch", fields);
  auto* switchRow = new QHBoxLayout(switchBox);
  switchRow->addWidget(build(2));
  switchRow->addWidget(build(3), 1);
  top->addWidget(switchBox, 2);
  layout->addLayout(top);
  layout->addWidget(new QLabel("Event Commands:", fields));
  script_ = new TScriptEditor(context.database, TScriptKind::CommonEvent, fields);
  script_->Converter().EditableDatabase = &context.database;
  layout->addWidget(script_, 1);
  SetFields(fields);

  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Name") RewriteLine(Selected());
    DataModified();
  });
  connect(script_, &TScriptEditor::changed, this, [this] { DataModified(); });
  // The switch picker beside the condition switch may rename switches or change their number.
  connect(binder_, &TFieldBinder::databaseChanged, this, [this] {
    DataModified();
    script_->Refresh();
  });
  connect(script_, &TScriptEditor::changedElsewhere, this, [this] {
    DataModified();
    binder_->RefillLists();
    LoadEntry();
  });
  LoadEntry();
}

TLcfCommonEventItem* TFormEDCommonEvent::Entry() const { return Context().database.commonEvents.ItemAt(Selected()); }

void TFormEDCommonEvent::showEvent(QShowEvent* event) {
  TFormEntryListPage::showEvent(event);
  // Event names in the scripts are those of the map open in the main window.
  TEventScriptConverter& c = script_->Converter();
  if (c.MapTree != &Context().mapTree || c.Map != &Context().map) {
    c.MapTree = &Context().mapTree;
    c.Map = &Context().map;
    script_->Refresh();
  }
}

void TFormEDCommonEvent::LoadEntry() {
  TLcfCommonEventItem* entry = Entry();
  binder_->Load();
  script_->Attach(entry ? &entry->lines : nullptr);
  UpdateView();
}

void TFormEDCommonEvent::UpdateView() {
  const bool some = Entry() != nullptr;
  for (const TFieldRow& row : kRows)
    if (!some) binder_->Control(row.key)->setEnabled(false);
  script_->setEnabled(some);
}

}  // namespace tess
