#pragma once
// The finders of the event search, "Search for Variable" and "Search for Switch": one window over
// a private copy of the names of the variables or the switches, in groups of 20, which picks the
// id to search for. The database is never changed by it: Paste and Clear change only the copy,
// which goes with the window.

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;

namespace tess {

class TCatalog;

class TFormSelFind : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kGroupSize = 20;

  // names: the list whose names are copied; remembered: the id this finder confirmed last (kept
  // while the editor runs), selected on showing when it is within the list.
  TFormSelFind(const char* caption, const TCatalog& names, int32_t& remembered, QWidget* parent = nullptr);

  // The id of the selected row (group × 20 + row + 1), 0 with none.
  int32_t Choice() const { return choice_; }
  // Selects an id's group and row; false when it is not within the list.
  bool SelectId(int32_t id);
  // F4 and F5: one row up or down, across the groups' borders.
  void MoveSelection(int step);
  // The private copy's name of an id.
  const std::string& NameOf(int32_t id) const;

  QListWidget* Groups() const { return groups_; }
  QListWidget* Entries() const { return entries_; }
  QMenu* RowMenu() const { return menu_; }

  void CopyName();
  void PasteName();
  void ClearName();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void ShowGroup(int group);
  void RowSelected(int row);
  void ShowEntry(int row);
  void Confirm();

  std::vector<std::string> names_;
  int32_t& remembered_;
  int32_t choice_ = 0;
  QListWidget* groups_ = nullptr;
  QListWidget* entries_ = nullptr;
  QLabel* idLabel_ = nullptr;
  QLineEdit* nameBox_ = nullptr;
  QMenu* menu_ = nullptr;
};

// "Search for Variable" over the variables' names.
class TFormSelFindVariable : public TFormSelFind {
 public:
  TFormSelFindVariable(const TCatalog& variables, QWidget* parent = nullptr);
  static int32_t& Remembered();
};

// "Search for Switch" over the switches' names.
class TFormSelFindSwitch : public TFormSelFind {
 public:
  TFormSelFindSwitch(const TCatalog& switches, QWidget* parent = nullptr);
  static int32_t& Remembered();
};

}  // namespace tess
