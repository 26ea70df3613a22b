#pragma once
// "Switches" and "Variables": choose a switch or variable, and edit the list on the way: names,
// copy, paste and clear, the list's size, "Apply". The caller reads SelectedId() after OK and
// DatabaseChanged() whatever the result.

#include <QDialog>
#include <memory>

#include "database/SwitchPickerModel.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tess {

class TCatalog;
class TLcfDataBase;

class TFormSelSwitch : public QDialog {
  Q_OBJECT
 public:
  // database: where the names come from; editable: where "Apply" writes them (none: not written).
  TFormSelSwitch(TPickerList list, const TLcfDataBase& database, TLcfDataBase* editable, QWidget* owner = nullptr);
  ~TFormSelSwitch() override;

  int32_t SelectedId() const { return model_->SelectedId(); }
  bool DatabaseChanged() const { return model_->DatabaseChanged(); }
  TSwitchPickerModel& Model() { return *model_; }

  // What the buttons and keys do.
  void Apply();
  void Accept();
  void CopyName();
  void PasteName();
  void ClearName();
  void Previous();
  void Next();
  // Asks "Array Size" and resizes; ResizeTo asks the loss question when names would be dropped.
  void RunArraySize();
  bool ResizeTo(int count);

  // Runs the picker on id; true (and id set) on OK. changed is set when the database was written.
  static bool Pick(TPickerList list, const TLcfDataBase& database, TLcfDataBase* editable, int32_t& id, bool& changed,
                   QWidget* owner = nullptr);

 private:
  void FillGroups();
  void FillEntries();
  void ShowSelection();
  void NameEdited(const QString& text);

  std::unique_ptr<TSwitchPickerModel> model_;
  QListWidget* groups_ = nullptr;
  QListWidget* entries_ = nullptr;
  QLabel* idLabel_ = nullptr;
  QLineEdit* name_ = nullptr;
  QPushButton* apply_ = nullptr;
  int filling_ = 0;
};

}  // namespace tess
