#include "editor/database/FormEDCommonEvent.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "database/DataBaseObj.h"
#include "ui/script/ScriptEditor.h"
#include "platform/TextCodec.h"
#include "ui/StoredTextField.h"

namespace tess {

namespace {

struct TTriggerChoice {
  const char* caption;
  uint8_t value;
};
const TTriggerChoice kTriggers[] = {
    {"Auto Start", TLcfCommonEventItem::kAutoStart},
    {"Parallel Process", TLcfCommonEventItem::kParallel},
    {"Call", TLcfCommonEventItem::kCall},
};

}  // namespace

TFormEDCommonEvent::TFormEDCommonEvent(TLcfDataBase& database, int tab, QWidget* parent)
    : TFormEntryListPage(database.commonEvents, kClipCommonEvents, tab, parent), database_(database) {
  auto* fields = new QWidget(this);
  fields->setObjectName("CommonEventFields");
  auto* layout = new QVBoxLayout(fields);
  auto* top = new QHBoxLayout;
  auto* nameBox = new QGroupBox("Name", fields);
  name_ = new QLineEdit(nameBox);
  GuardStoredText(name_);
  name_->setObjectName("Name");
  (new QVBoxLayout(nameBox))->addWidget(name_);
  top->addWidget(nameBox, 2);
  auto* triggerBox = new QGroupBox("Trigger", fields);
  trigger_ = new QComboBox(triggerBox);
  trigger_->setObjectName("Trigger");
  for (const TTriggerChoice& t : kTriggers) trigger_->addItem(t.caption, int(t.value));
  (new QVBoxLayout(triggerBox))->addWidget(trigger_);
  top->addWidget(triggerBox, 1);
  auto* switchBox = new QGroupBox("Condition Switch", fields);
  auto* switchRow = new QHBoxLayout(switchBox);
  useSwitch_ = new QCheckBox("Switch", switchBox);
  useSwitch_->setObjectName("UseSwitch");
  switch_ = new QComboBox(switchBox);
  switch_->setObjectName("Switch");
  switchRow->addWidget(useSwitch_);
  switchRow->addWidget(switch_, 1);
  top->addWidget(switchBox, 2);
  layout->addLayout(top);
  layout->addWidget(new QLabel("Event Commands:", fields));
  script_ = new TScriptEditor(database_, TScriptKind::CommonEvent, fields);
  layout->addWidget(script_, 1);
  SetFields(fields);

  connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (TLcfCommonEventItem* entry = Entry(); entry && !loading_) {
      entry->name = TextCodec::Current().FromUnicode(text);
      RewriteLine(Selected());
      DataModified();
    }
  });
  connect(trigger_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (TLcfCommonEventItem* entry = Entry(); entry && !loading_ && index >= 0) {
      entry->trigger = static_cast<uint8_t>(trigger_->itemData(index).toInt());
      DataModified();
    }
  });
  connect(useSwitch_, &QCheckBox::toggled, this, [this](bool on) {
    if (TLcfCommonEventItem* entry = Entry(); entry && !loading_) {
      entry->useSwitch = on ? 1 : 0;
      DataModified();
    }
  });
  connect(switch_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (TLcfCommonEventItem* entry = Entry(); entry && !loading_ && index >= 0) {
      entry->switchId = switch_->itemData(index).toInt();
      DataModified();
    }
  });
  connect(script_, &TScriptEditor::changed, this, [this] { DataModified(); });
  connect(script_, &TScriptEditor::changedElsewhere, this, [this] {
    DataModified();
    FillSwitches();
    LoadEntry();
  });

  FillSwitches();
  LoadEntry();
}

TLcfCommonEventItem* TFormEDCommonEvent::Entry() const { return database_.commonEvents.ItemAt(Selected()); }

void TFormEDCommonEvent::FillSwitches() {
  loading_ = true;
  switch_->clear();
  for (int i = 0; i < database_.switches.Count(); ++i) {
    const TLcfSwitchItem* s = database_.switches.ItemAt(i);
    switch_->addItem(TextCodec::Current().ToUnicode(EntryCaption(s->Id(), s->name)), s->Id());
  }
  loading_ = false;
}

void TFormEDCommonEvent::showEvent(QShowEvent* event) {
  TFormEntryListPage::showEvent(event);
  // Event names in the scripts are those of the map open in the main window.
  TEventScriptConverter& c = script_->Converter();
  if (c.MapTree != mapTree || c.Map != map) {
    c.MapTree = mapTree;
    c.Map = map;
    script_->Refresh();
  }
}

void TFormEDCommonEvent::LoadEntry() {
  TLcfCommonEventItem* entry = Entry();
  loading_ = true;
  name_->setText(entry ? TextCodec::Current().ToUnicode(entry->name) : QString());
  trigger_->setCurrentIndex(entry ? trigger_->findData(int(entry->trigger)) : -1);
  useSwitch_->setChecked(entry && entry->useSwitch);
  switch_->setCurrentIndex(entry ? switch_->findData(entry->switchId) : -1);
  loading_ = false;
  script_->Attach(entry ? &entry->lines : nullptr);
  UpdateView();
}

void TFormEDCommonEvent::UpdateView() {
  const TLcfCommonEventItem* entry = Entry();
  // A called event starts only through its call: no switch is offered.
  const bool switchOffered = entry && entry->trigger != TLcfCommonEventItem::kCall;
  useSwitch_->setEnabled(switchOffered);
  switch_->setEnabled(switchOffered && entry->useSwitch);
  name_->setEnabled(entry != nullptr);
  trigger_->setEnabled(entry != nullptr);
  script_->setEnabled(entry != nullptr);
}

}  // namespace tess
