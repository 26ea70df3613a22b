#pragma once
// The base of every page of the database window and of the sub-pages some pages host.

#include <QWidget>
#include <functional>

namespace tess {

class TLcfMapTree;
class TLcfMap;

class TFormDataBaseBase : public QWidget {
 public:
  explicit TFormDataBaseBase(QWidget* parent = nullptr) : QWidget(parent) {}

  // Set by the window that creates the page.
  std::function<void()> changeNotifier;
  TLcfMapTree* mapTree = nullptr;
  TLcfMap* map = nullptr;

  // Every page calls it after each change it makes: tells the window, then refreshes the view.
  virtual void DataModified() {
    if (changeNotifier) changeNotifier();
    UpdateView();
  }
  virtual void UpdateView() {}
  virtual void LoadEntry() {}
  virtual void SelectPreviousEntry() {}
  virtual void SelectNextEntry() {}
};

}  // namespace tess
