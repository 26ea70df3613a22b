#pragma once
// The one way a window shows and edits stored values. Each value is described by a field row (kind,
// caption, range, choices, when enabled) and reached through an accessor; the binder builds the
// control of the row's kind (or takes one built by hand or by a Designer form, found by object
// name), shows the values under one loading guard, writes a value only when the author changes its
// control, and then shows every value again and updates what is enabled, so that a normalising
// rule behind the accessors is seen at once.
//
// A control shows a stored value as it is, even outside the row's range (its range is widened to
// hold it), and writes nothing until the author changes it: a window opened and accepted untouched
// gives back exactly what it was given. An entry id that names nothing is listed as missing and
// kept.

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/FieldRow.h"

class QWidget;
class QFormLayout;

namespace tess {

class TLcfDataBase;
class TLcfMapTree;
class TLcfMap;

// How the binder reaches one value. Text rows use text and setText; Operand and Target rows keep
// their kind in value and their operand in second.
struct TFieldAccess {
  std::function<int32_t()> value;
  std::function<void(int32_t)> setValue;
  std::function<std::string()> text;
  std::function<void(const std::string&)> setText;
  std::function<int32_t()> second;
  std::function<void(int32_t)> setSecond;
};

// The accessor of a record's member, for the record record() gives (none: nothing to show or
// write). Text members are reached as text, every other member as a number.
template <class Record, class Owner, class Member>
TFieldAccess MemberAccess(std::function<Record*()> record, Member Owner::*member) {
  static_assert(std::is_base_of_v<Owner, Record>);
  TFieldAccess access;
  if constexpr (std::is_same_v<Member, std::string>) {
    access.text = [record, member] {
      Record* r = record();
      return r ? r->*member : std::string();
    };
    access.setText = [record, member](const std::string& text) {
      if (Record* r = record()) r->*member = text;
    };
  } else {
    access.value = [record, member] {
      Record* r = record();
      return r ? static_cast<int32_t>(r->*member) : 0;
    };
    access.setValue = [record, member](int32_t v) {
      if (Record* r = record()) r->*member = static_cast<Member>(v);
    };
  }
  return access;
}

// The accessor of a value a dialog keeps itself (a copy it hands back after OK).
template <class Value>
TFieldAccess ValueAccess(Value& value) {
  TFieldAccess access;
  if constexpr (std::is_same_v<Value, std::string>) {
    access.text = [&value] { return value; };
    access.setText = [&value](const std::string& text) { value = text; };
  } else {
    access.value = [&value] { return static_cast<int32_t>(value); };
    access.setValue = [&value](int32_t v) { value = static_cast<Value>(v); };
  }
  return access;
}

// Where entry lists come from: the database's lists, the map tree's maps, the current map's
// events (with the edited event under its current name).
struct TFieldContext {
  const TLcfDataBase* database = nullptr;
  const TLcfMapTree* mapTree = nullptr;
  const TLcfMap* map = nullptr;
  int32_t eventId = 0;
  std::function<std::string()> eventName;
  // Where the switch and variable pickers write names and list sizes; none: they only choose.
  TLcfDataBase* editableDatabase = nullptr;
};

class TFieldBinder : public QObject {
  Q_OBJECT
 public:
  // rows: every row of the form, for the enabled rules (they must outlive the binder).
  TFieldBinder(std::span<const TFieldRow> rows, TFieldContext context, QObject* parent = nullptr);
  ~TFieldBinder() override;

  // Builds the control of row, named after the row's key, and binds it. Flag rows carry their
  // caption on the check box and grouped choices on their group; Labelled says whether a form
  // should put the caption beside the control.
  QWidget* Build(const TFieldRow& row, TFieldAccess access, QWidget* parent);
  static bool Labelled(const TFieldRow& row);
  // Binds a control made elsewhere: a QSpinBox, QCheckBox, QComboBox or QLineEdit of the row's kind.
  void Attach(const TFieldRow& row, QWidget* control, TFieldAccess access);
  // Binds the controls of a form laid out by hand or in Designer: for each row, the child of root
  // named after the row's key. Returns the keys that found no control.
  std::vector<std::string> AttachByName(QWidget* root, std::function<TFieldAccess(const TFieldRow&)> accessOf);
  // One labelled line per row, in row order, each built and bound with the accessor accessOf gives.
  void AddRows(QFormLayout* form, std::function<TFieldAccess(const TFieldRow&)> accessOf, QWidget* parent);
  // Every row built and bound, for a page that lays its controls out by hand: the controls by key.
  std::map<std::string_view, QWidget*> BuildAll(std::function<TFieldAccess(const TFieldRow&)> accessOf,
                                                QWidget* parent);

  // Shows every value under the loading guard, then updates what is enabled.
  void Load();
  void UpdateEnabled();
  bool Loading() const { return loading_ > 0; }
  QWidget* Control(const char* key) const;
  // Refills the entry lists (after a picker renamed or added entries).
  void RefillLists();
  const TFieldContext& Context() const { return context_; }

 signals:
  // After the author changed the row keyed key and its value was written.
  void changed(const char* key);
  // A picker opened from a control wrote the database (names, list sizes), even if cancelled.
  void databaseChanged();

 private:
  struct TBinding;
  TBinding& Bind(const TFieldRow& row, QWidget* control, TFieldAccess access);
  void Written(const TFieldRow& row);
  int32_t ValueOf(const TFieldRow& row) const;
  // Puts a "..." button beside a switch or variable list that opens its picker; picked gets the id.
  QWidget* WithPicker(QWidget* list, TFieldKind kind, std::function<int32_t()> current,
                      std::function<void(int32_t)> picked, QWidget* parent);

  std::span<const TFieldRow> rows_;
  TFieldContext context_;
  std::vector<std::unique_ptr<TBinding>> bindings_;
  int loading_ = 0;
};

}  // namespace tess
