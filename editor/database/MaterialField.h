#pragma once
// A stored material reference on a database page: the binder's read-only box showing the file
// name (or whatever the row's accessor shows), with a "..." button beside it that runs the
// material's picker. The picker's result is written by the page's pick function only after OK;
// then every value is shown again and the page is told.

#include <QDialog>
#include <QWidget>
#include <functional>
#include <string>

#include "ui/FieldBinder.h"

namespace tess {

// pick runs the picker and writes its result; it returns whether it wrote (OK was chosen).
// changed runs after a write. The button is named after the row's key with "Set" appended.
QWidget* MaterialField(TFieldBinder& binder, const TFieldRow& row, TFieldAccess access, QWidget* parent,
                       std::function<bool(QWidget* owner)> pick, std::function<void()> changed);

class TLcfMusic;
class TLcfSound;

// The pickers' runs for the pick functions: each opens its picker on the stored value and writes
// the choice back after OK; they return whether the stored value changed.
bool PickMusic(QWidget* owner, TLcfMusic& music);
bool PickSound(QWidget* owner, TLcfSound& sound);
template <class Picker>
bool PickName(QWidget* owner, std::string& name) {
  Picker picker(owner);
  picker.materialName = name;
  if (picker.exec() != QDialog::Accepted || picker.materialName == name) return false;
  name = picker.materialName;
  return true;
}

}  // namespace tess
