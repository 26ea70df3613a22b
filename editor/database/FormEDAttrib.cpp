#include "editor/database/FormEDAttrib.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "database/DataBaseObj.h"
#include "ui/FieldBinder.h"

namespace tess {

namespace {

using K = TFieldKind;
using Item = TLcfAttribItem;

constexpr TFieldChoice kTypes[] = {{0, "Weapon"}, {1, "Magic"}};

constexpr TFieldRow kRows[] = {
    {.key = "Name", .kind = K::Text, .caption = "Name", .max = 8},
    {.key = "AttributeType", .kind = K::Choice, .caption = "Attribute Type", .choices = kTypes},
    {.key = "RateA", .kind = K::Number, .caption = "A", .min = -2000, .max = 2000},
    {.key = "RateB", .kind = K::Number, .caption = "B", .min = -2000, .max = 2000},
    {.key = "RateC", .kind = K::Number, .caption = "C", .min = -2000, .max = 2000},
    {.key = "RateD", .kind = K::Number, .caption = "D", .min = -2000, .max = 2000},
    {.key = "RateE", .kind = K::Number, .caption = "E", .min = -2000, .max = 2000},
};

TFieldAccess AccessOf(int row, std::function<Item*()> entry) {
  switch (row) {
    case 0:
      return MemberAccess(entry, &Item::name);
    case 1:
      return MemberAccess(entry, &Item::attributeType);
    case 2:
      return MemberAccess(entry, &Item::rateA);
    case 3:
      return MemberAccess(entry, &Item::rateB);
    case 4:
      return MemberAccess(entry, &Item::rateC);
    case 5:
      return MemberAccess(entry, &Item::rateD);
    default:
      return MemberAccess(entry, &Item::rateE);
  }
}

}  // namespace

TFormEDAttrib::TFormEDAttrib(const TDataBasePageContext& context, QWidget* parent)
    : TFormEntryListPage(context.database.attributes, kClipAttributes, context, parent) {
  auto* fields = new QWidget(this);
  fields->setObjectName("AttributeFields");
  TFieldContext lists;
  lists.database = &context.database;
  binder_ = new TFieldBinder(kRows, lists, this);
  auto entry = [this] { return Entry(); };
  auto build = [&](int row, QWidget* parent) { return binder_->Build(kRows[row], AccessOf(row, entry), parent); };

  auto* layout = new QVBoxLayout(fields);
  auto* top = new QFormLayout;
  top->addRow("Name", build(0, fields));
  layout->addLayout(top);
  layout->addWidget(build(1, fields));
  auto* rates = new QGroupBox("Damage Multiplier", fields);
  auto* rateForm = new QFormLayout(rates);
  for (int row = 2; row <= 6; ++row) {
    rateForm->addRow(kRows[row].caption, build(row, rates));
  }
  layout->addWidget(rates);
  layout->addStretch(1);
  SetFields(fields);

  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Name") RewriteLine(Selected());
    DataModified();
  });
  LoadEntry();
}

TLcfAttribItem* TFormEDAttrib::Entry() const { return Context().database.attributes.ItemAt(Selected()); }

void TFormEDAttrib::LoadEntry() {
  binder_->Load();
  UpdateView();
}

}  // namespace tess
