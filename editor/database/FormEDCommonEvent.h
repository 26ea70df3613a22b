#pragma once
// The database window's "Common Event" page: the entry list of common events, and for the selected
// one its name, trigger, condition switch and script.

#include "editor/database/FormEntryListPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tess {

class TLcfDataBase;
class TLcfCommonEventItem;
class TScriptEditor;

class TFormEDCommonEvent final : public TFormEntryListPage {
  Q_OBJECT
 public:
  TFormEDCommonEvent(TLcfDataBase& database, int tab, QWidget* parent = nullptr);

  void LoadEntry() override;
  void UpdateView() override;

  TLcfCommonEventItem* Entry() const;
  QLineEdit* NameEdit() const { return name_; }
  QComboBox* TriggerBox() const { return trigger_; }
  QCheckBox* SwitchCheck() const { return useSwitch_; }
  QComboBox* SwitchBox() const { return switch_; }
  TScriptEditor* Script() const { return script_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FillSwitches();

  TLcfDataBase& database_;
  QLineEdit* name_ = nullptr;
  QComboBox* trigger_ = nullptr;
  QCheckBox* useSwitch_ = nullptr;
  QComboBox* switch_ = nullptr;
  TScriptEditor* script_ = nullptr;
  // Set while the fields are filled from the entry, so that their handlers do not write back.
  bool loading_ = false;
};

}  // namespace tess
