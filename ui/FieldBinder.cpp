#include "ui/FieldBinder.h"

#include <QAbstractListModel>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "core/EntryCaption.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "platform/TextCodec.h"
#include "ui/StoredTextField.h"
#include "ui/pickers/FormSelSwitch.h"

namespace tess {

std::map<std::string_view, QWidget*> TFieldBinder::BuildAll(std::function<TFieldAccess(const TFieldRow&)> accessOf,
                                                            QWidget* parent) {
  std::map<std::string_view, QWidget*> built;
  for (const TFieldRow& row : rows_) built[row.key] = Build(row, accessOf(row), parent);
  return built;
}

namespace {

// The rows of an entry list, built in one go: long lists (thousands of switches or items) fill a
// combo box far faster through a model than item by item.
class TEntryListModel final : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;
  struct TEntry {
    int32_t id;
    QString text;
  };
  void Reset(std::vector<TEntry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const TEntry& e = entries_[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole) return e.text;
    if (role == Qt::UserRole) return e.id;
    return {};
  }
  int RowOf(int32_t id) const {
    for (size_t i = 0; i < entries_.size(); ++i)
      if (entries_[i].id == id) return static_cast<int>(i);
    return -1;
  }
  // Lists an id that names nothing, so that it is shown and kept.
  int AddMissing(int32_t id) {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    entries_.push_back({id, QString::asprintf("%.4d:? (missing)", id)});
    endInsertRows();
    return row;
  }

 private:
  std::vector<TEntry> entries_;
};

QString Named(int32_t id, const std::string& name) { return TextCodec::Current().ToUnicode(EntryCaption(id, name)); }

void AddCatalog(std::vector<TEntryListModel::TEntry>& out, const TCatalog& catalog) {
  out.reserve(out.size() + static_cast<size_t>(catalog.Count()));
  for (int i = 0; i < catalog.Count(); ++i) {
    const TCatalogItem* item = catalog.ItemAt(i);
    out.push_back({item->Id(), Named(item->Id(), item->name)});
  }
}

const TCatalog* CatalogOf(TFieldKind kind, const TLcfDataBase& d) {
  switch (kind) {
    case TFieldKind::Switch:
      return &d.switches;
    case TFieldKind::Variable:
      return &d.variables;
    case TFieldKind::Hero:
      return &d.heroes;
    case TFieldKind::Item:
      return &d.items;
    case TFieldKind::Skill:
      return &d.skills;
    case TFieldKind::Condition:
      return &d.conditions;
    case TFieldKind::Attribute:
      return &d.attributes;
    case TFieldKind::Animation:
      return &d.animations;
    case TFieldKind::BattlerAnimation:
      return &d.battlerAnimations;
    case TFieldKind::Troop:
      return &d.troops;
    case TFieldKind::Monster:
      return &d.monsters;
    case TFieldKind::Terrain:
      return &d.terrain;
    case TFieldKind::Tileset:
      return &d.tilesets;
    case TFieldKind::CommonEvent:
      return &d.commonEvents;
    case TFieldKind::Class:
      return &d.classes;
    case TFieldKind::BattleCommand:
      return &d.battle.commands;
    default:
      return nullptr;
  }
}

constexpr TFieldChoice kOperandKinds[] = {{0, "Constant"}, {1, "Variable"}, {2, "Variable Reference"}};
constexpr TFieldChoice kTargetKinds[] = {
    {0, "Entire Party"}, {1, "Specific Character"}, {2, "Character with ID Stored in"}};

// Lists longer than this are not measured entry by entry.
constexpr size_t kMeasuredEntries = 200;

// Grouped as radio buttons up to this many choices, listed beyond.
constexpr size_t kMostRadioChoices = 5;

bool IsListKind(TFieldKind kind) {
  return IsEntryKind(kind) || kind == TFieldKind::Switch || kind == TFieldKind::Variable;
}

}  // namespace

struct TFieldBinder::TBinding {
  const TFieldRow* row = nullptr;
  QWidget* control = nullptr;
  TFieldAccess access;
  // Shows the accessor's value (and operand) in the control.
  std::function<void()> show;
  // Refills the control's entry lists.
  std::function<void()> refill;
  // The button beside a switch or variable list that opens its picker.
  QWidget* picker = nullptr;
};

TFieldBinder::TFieldBinder(std::span<const TFieldRow> rows, TFieldContext context, QObject* parent)
    : QObject(parent), rows_(rows), context_(std::move(context)) {}

TFieldBinder::~TFieldBinder() = default;

bool TFieldBinder::Labelled(const TFieldRow& row) {
  if (row.kind == TFieldKind::Flag) return false;
  if (row.kind == TFieldKind::Operand || row.kind == TFieldKind::Target) return false;
  if (row.kind == TFieldKind::Choice && row.choices.size() <= kMostRadioChoices) return false;
  return true;
}

TFieldBinder::TBinding& TFieldBinder::Bind(const TFieldRow& row, QWidget* control, TFieldAccess access) {
  auto binding = std::make_unique<TBinding>();
  binding->row = &row;
  binding->control = control;
  binding->access = std::move(access);
  if (control->objectName().isEmpty()) control->setObjectName(row.key);
  bindings_.push_back(std::move(binding));
  return *bindings_.back();
}

void TFieldBinder::Written(const TFieldRow& row) {
  emit changed(row.key);
  // A normalising rule may have moved other values: show them all again.
  Load();
}

int32_t TFieldBinder::ValueOf(const TFieldRow& row) const {
  for (const auto& b : bindings_)
    if (b->row == &row && b->access.value) return b->access.value();
  for (const auto& b : bindings_)
    if (std::strcmp(b->row->key, row.key) == 0 && b->access.value) return b->access.value();
  return 0;
}

QWidget* TFieldBinder::Control(const char* key) const {
  for (const auto& b : bindings_)
    if (std::strcmp(b->row->key, key) == 0) return b->control;
  return nullptr;
}

void TFieldBinder::Load() {
  ++loading_;
  for (const auto& b : bindings_) b->show();
  --loading_;
  UpdateEnabled();
}

void TFieldBinder::UpdateEnabled() {
  for (const auto& b : bindings_) {
    const bool enabled = FieldRowEnabled(rows_, *b->row, [this](const TFieldRow& r) { return ValueOf(r); });
    b->control->setEnabled(enabled);
    if (b->picker) b->picker->setEnabled(enabled && context_.database);
  }
}

void TFieldBinder::RefillLists() {
  ++loading_;
  for (const auto& b : bindings_)
    if (b->refill) b->refill();
  --loading_;
  Load();
}

std::vector<std::string> TFieldBinder::AttachByName(QWidget* root,
                                                    std::function<TFieldAccess(const TFieldRow&)> accessOf) {
  std::vector<std::string> missing;
  for (const TFieldRow& row : rows_) {
    if (auto* control = root->findChild<QWidget*>(QString::fromUtf8(row.key)))
      Attach(row, control, accessOf(row));
    else
      missing.push_back(row.key);
  }
  return missing;
}

void TFieldBinder::AddRows(QFormLayout* form, std::function<TFieldAccess(const TFieldRow&)> accessOf, QWidget* parent) {
  for (const TFieldRow& row : rows_) {
    QWidget* control = Build(row, accessOf(row), parent);
    if (Labelled(row))
      form->addRow(QString::fromUtf8(row.caption), control);
    else
      form->addRow(control);
  }
}

namespace {

// A spin box that shows value v: its range widened to hold it.
void ShowNumber(QSpinBox* box, const TFieldRow& row, int32_t v) {
  box->setRange(ShownMinimum(row, v), ShownMaximum(row, v));
  box->setValue(v);
}

QSpinBox* NewNumberBox(const TFieldRow& row, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(row.min, row.max);
  if (row.kind == TFieldKind::Tenths) box->setSuffix(" (0.1 s)");
  return box;
}

}  // namespace

QWidget* TFieldBinder::Build(const TFieldRow& row, TFieldAccess access, QWidget* parent) {
  const QString caption = QString::fromUtf8(row.caption);
  switch (row.kind) {
    case TFieldKind::Flag: {
      auto* box = new QCheckBox(caption, parent);
      Attach(row, box, std::move(access));
      return box;
    }
    case TFieldKind::Choice: {
      if (row.choices.size() > kMostRadioChoices) break;
      auto* group = new QGroupBox(caption, parent);
      auto* layout = new QVBoxLayout(group);
      auto* buttons = new QButtonGroup(group);
      for (size_t i = 0; i < row.choices.size(); ++i) {
        auto* button = new QRadioButton(QString::fromUtf8(row.choices[i].caption), group);
        button->setObjectName(QString("%1%2").arg(row.key).arg(i));
        buttons->addButton(button, static_cast<int>(i));
        layout->addWidget(button);
      }
      TBinding& b = Bind(row, group, std::move(access));
      b.show = [buttons, &row, &b] {
        const int32_t v = b.access.value();
        // A stored value no button stands for checks none, and stays until a button is pressed.
        buttons->setExclusive(false);
        for (size_t i = 0; i < row.choices.size(); ++i)
          buttons->button(static_cast<int>(i))->setChecked(row.choices[i].value == v);
        buttons->setExclusive(true);
      };
      connect(buttons, &QButtonGroup::idClicked, this, [this, &row, &b](int id) {
        if (Loading()) return;
        b.access.setValue(row.choices[static_cast<size_t>(id)].value);
        Written(row);
      });
      return group;
    }
    case TFieldKind::Seconds: {
      auto* box = new QWidget(parent);
      auto* layout = new QHBoxLayout(box);
      layout->setContentsMargins(0, 0, 0, 0);
      auto* minutes = new QSpinBox(box);
      auto* seconds = new QSpinBox(box);
      minutes->setObjectName(QString("%1Minutes").arg(row.key));
      seconds->setObjectName(QString("%1Seconds").arg(row.key));
      layout->addWidget(minutes);
      layout->addWidget(new QLabel("min", box));
      layout->addWidget(seconds);
      layout->addWidget(new QLabel("sec", box));
      TBinding& b = Bind(row, box, std::move(access));
      const int32_t maxMinutes = row.max / 60;
      b.show = [minutes, seconds, maxMinutes, &b] {
        const int32_t v = b.access.value();
        const int32_t m = v / 60, s = v % 60;
        minutes->setRange(std::min(0, m), std::max(maxMinutes, m));
        seconds->setRange(std::min(0, s), std::max(59, s));
        minutes->setValue(m);
        seconds->setValue(s);
      };
      auto write = [this, &row, &b, minutes, seconds] {
        if (Loading()) return;
        b.access.setValue(minutes->value() * 60 + seconds->value());
        Written(row);
      };
      connect(minutes, &QSpinBox::valueChanged, this, write);
      connect(seconds, &QSpinBox::valueChanged, this, write);
      return box;
    }
    case TFieldKind::Operand:
    case TFieldKind::Target: {
      const bool target = row.kind == TFieldKind::Target;
      std::span<const TFieldChoice> kinds = row.choices;
      if (kinds.empty()) kinds = target ? std::span<const TFieldChoice>(kTargetKinds) : kOperandKinds;
      auto* group = new QGroupBox(caption, parent);
      auto* grid = new QVBoxLayout(group);
      auto* buttons = new QButtonGroup(group);
      for (size_t i = 0; i < kinds.size(); ++i) {
        auto* button = new QRadioButton(QString::fromUtf8(kinds[i].caption), group);
        button->setObjectName(QString("%1%2").arg(row.key).arg(i));
        buttons->addButton(button, static_cast<int>(i));
        grid->addWidget(button);
      }
      // The operand: a number or a hero for the first kinds, a variable for the others.
      auto* operand = new QStackedWidget(group);
      operand->setObjectName(QString("%1Value").arg(row.key));
      auto* number = new QSpinBox(operand);
      auto* hero = new QComboBox(operand);
      auto* variable = new QComboBox(operand);
      operand->addWidget(target ? static_cast<QWidget*>(hero) : number);
      grid->addWidget(operand);
      auto* heroes = new TEntryListModel(hero);
      auto* variables = new TEntryListModel(variable);
      hero->setModel(heroes);
      variable->setModel(variables);
      TBinding& b = Bind(row, group, std::move(access));
      operand->addWidget(WithPicker(
          variable, TFieldKind::Variable, [&b] { return b.access.second ? b.access.second() : 0; },
          [this, &row, &b](int32_t id) {
            if (!b.access.setSecond) return;
            b.access.setSecond(id);
            Written(row);
          },
          operand));
      b.refill = [this, hero, variable, heroes, variables] {
        std::vector<TEntryListModel::TEntry> h, v;
        if (context_.database) {
          AddCatalog(h, context_.database->heroes);
          AddCatalog(v, context_.database->variables);
        }
        for (QComboBox* combo : {hero, variable})
          if (h.size() > kMeasuredEntries || v.size() > kMeasuredEntries) {
            combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            combo->setMinimumContentsLength(24);
          }
        heroes->Reset(std::move(h));
        variables->Reset(std::move(v));
      };
      b.refill();
      // Which page the operand shows for a kind: constants and heroes on the first, variables on
      // the second; a target's whole party shows no operand.
      auto pageOf = [target](int32_t kind) { return target ? (kind == 2 ? 1 : 0) : (kind == 0 ? 0 : 1); };
      b.show = [buttons, kinds, operand, target, number, hero, variable, heroes, variables, pageOf, &row, &b] {
        const int32_t kind = b.access.value();
        const int32_t value = b.access.second ? b.access.second() : 0;
        buttons->setExclusive(false);
        for (size_t i = 0; i < kinds.size(); ++i)
          buttons->button(static_cast<int>(i))->setChecked(kinds[i].value == kind);
        buttons->setExclusive(true);
        operand->setCurrentIndex(pageOf(kind));
        operand->setEnabled(!(target && kind == 0));
        ShowNumber(number, row, value);
        for (auto [combo, model] : {std::pair{hero, heroes}, std::pair{variable, variables}}) {
          int at = model->RowOf(value);
          const bool shown = operand->currentWidget() == combo || operand->currentWidget() == combo->parentWidget();
          if (at < 0 && shown && operand->isEnabled()) at = model->AddMissing(value);
          combo->setCurrentIndex(shown ? at : -1);
        }
      };
      connect(buttons, &QButtonGroup::idClicked, this, [this, kinds, &row, &b](int id) {
        if (Loading()) return;
        b.access.setValue(kinds[static_cast<size_t>(id)].value);
        Written(row);
      });
      connect(number, &QSpinBox::valueChanged, this, [this, &row, &b](int v) {
        if (Loading() || !b.access.setSecond) return;
        b.access.setSecond(v);
        Written(row);
      });
      for (QComboBox* combo : {hero, variable})
        connect(combo, &QComboBox::activated, this, [this, combo, &row, &b](int index) {
          if (Loading() || !b.access.setSecond || index < 0) return;
          b.access.setSecond(combo->itemData(index).toInt());
          Written(row);
        });
      return group;
    }
    default:
      break;
  }
  if (row.kind == TFieldKind::Text || row.kind == TFieldKind::Music || row.kind == TFieldKind::Sound ||
      row.kind == TFieldKind::Picture) {
    auto* edit = new QLineEdit(parent);
    Attach(row, edit, std::move(access));
    return edit;
  }
  if (row.kind == TFieldKind::Choice || IsListKind(row.kind)) {
    auto* combo = new QComboBox(parent);
    if (row.kind != TFieldKind::Switch && row.kind != TFieldKind::Variable) {
      Attach(row, combo, std::move(access));
      return combo;
    }
    // Switches and variables are also chosen (and named) in their picker.
    Attach(row, combo, std::move(access));
    TBinding& b = *bindings_.back();
    QWidget* holder = WithPicker(
        combo, row.kind, [&b] { return b.access.value(); },
        [this, &row, &b](int32_t id) {
          b.access.setValue(id);
          Written(row);
        },
        parent);
    b.picker = holder->findChild<QPushButton*>();
    return holder;
  }
  auto* box = NewNumberBox(row, parent);
  Attach(row, box, std::move(access));
  return box;
}

QWidget* TFieldBinder::WithPicker(QWidget* list, TFieldKind kind, std::function<int32_t()> current,
                                  std::function<void(int32_t)> picked, QWidget* parent) {
  auto* holder = new QWidget(parent);
  auto* layout = new QHBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  list->setParent(holder);
  layout->addWidget(list, 1);
  auto* button = new QPushButton("...", holder);
  button->setObjectName(list->objectName().isEmpty() ? QString("Pick") : list->objectName() + "Pick");
  button->setFixedWidth(button->fontMetrics().horizontalAdvance("...") + 16);
  button->setEnabled(context_.database != nullptr);
  layout->addWidget(button);
  const TPickerList which = kind == TFieldKind::Switch ? TPickerList::Switches : TPickerList::Variables;
  connect(button, &QPushButton::clicked, this, [this, which, current, picked, holder] {
    if (!context_.database || Loading()) return;
    int32_t id = current();
    bool changedDatabase = false;
    const bool ok = TFormSelSwitch::Pick(which, *context_.database, context_.editableDatabase, id, changedDatabase,
                                         holder->window());
    if (changedDatabase) {
      RefillLists();
      emit databaseChanged();
    }
    if (ok) picked(id);
  });
  return holder;
}

void TFieldBinder::Attach(const TFieldRow& row, QWidget* control, TFieldAccess access) {
  TBinding& b = Bind(row, control, std::move(access));
  if (auto* box = qobject_cast<QSpinBox*>(control)) {
    b.show = [box, &row, &b] { ShowNumber(box, row, b.access.value()); };
    connect(box, &QSpinBox::valueChanged, this, [this, &row, &b](int v) {
      if (Loading()) return;
      b.access.setValue(v);
      Written(row);
    });
  } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
    // Any value but 0 shows as checked and stays as stored until the box is clicked.
    b.show = [check, &b] { check->setChecked(b.access.value() != 0); };
    connect(check, &QCheckBox::clicked, this, [this, &row, &b](bool on) {
      if (Loading()) return;
      b.access.setValue(on ? 1 : 0);
      Written(row);
    });
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    GuardStoredText(edit);
    if (row.max > 0) edit->setMaxLength(row.max);
    b.show = [edit, &b] {
      const QString text = TextCodec::Current().ToUnicode(b.access.text ? b.access.text() : std::string());
      // Only a different text is set, so the cursor stays where the author types.
      if (edit->text() != text) edit->setText(text);
    };
    connect(edit, &QLineEdit::textEdited, this, [this, &row, &b](const QString& text) {
      if (Loading() || !b.access.setText) return;
      b.access.setText(TextCodec::Current().FromUnicode(text));
      Written(row);
    });
  } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
    auto* model = new TEntryListModel(combo);
    combo->setModel(model);
    b.refill = [this, model, combo, &row] {
      std::vector<TEntryListModel::TEntry> entries;
      if (row.kind == TFieldKind::Choice) {
        for (const TFieldChoice& c : row.choices) entries.push_back({c.value, QString::fromUtf8(c.caption)});
      } else {
        if (row.min <= 0 && row.kind != TFieldKind::MapEvent) entries.push_back({0, "(None)"});
        if (row.kind == TFieldKind::MapEvent) {
          static const char* const kFixed[] = {"Hero", "Skiff", "Ship", "Airship", "This Event"};
          for (int i = 0; i < 5; ++i) entries.push_back({10001 + i, kFixed[i]});
          if (context_.map)
            for (int i = 0; i < context_.map->events.Count(); ++i) {
              const TCatalogItem* e = context_.map->events.ItemAt(i);
              const std::string name =
                  e->Id() == context_.eventId && context_.eventName ? context_.eventName() : e->name;
              entries.push_back({e->Id(), Named(e->Id(), name)});
            }
        } else if (row.kind == TFieldKind::Map) {
          if (context_.mapTree)
            for (int i = 0; i < context_.mapTree->Count(); ++i) {
              const auto* node = static_cast<const TLcfMapTreeItem*>(context_.mapTree->ItemAt(i));
              if (node->nodeType == TLcfMapTreeItem::kMap)
                entries.push_back({node->Id(), Named(node->Id(), node->name)});
            }
        } else if (const TCatalog* catalog = context_.database ? CatalogOf(row.kind, *context_.database) : nullptr) {
          AddCatalog(entries, *catalog);
        }
      }
      // A long list does not size the box by its widest entry: measuring thousands of names would
      // slow the window's opening.
      if (entries.size() > kMeasuredEntries) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(24);
      }
      model->Reset(std::move(entries));
    };
    b.refill();
    b.show = [combo, model, &b] {
      const int32_t v = b.access.value();
      int at = model->RowOf(v);
      if (at < 0) at = model->AddMissing(v);
      combo->setCurrentIndex(at);
    };
    connect(combo, &QComboBox::activated, this, [this, combo, &row, &b](int index) {
      if (Loading() || index < 0) return;
      b.access.setValue(combo->itemData(index).toInt());
      Written(row);
    });
  } else {
    b.show = [] {};
  }
}

}  // namespace tess
