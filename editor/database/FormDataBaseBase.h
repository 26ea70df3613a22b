#pragma once
// The base of every page of the database window and of the sub-pages some pages host. A page is
// made by its tab's factory with the context it works in, and tells the window of every change.

#include <QWidget>
#include <functional>

namespace tess {

class TLcfDataBase;
class TLcfMapTree;
class TLcfMap;
class TSettings;

struct TDataBasePageContext {
  TLcfDataBase& database;
  // The map tree and the map open in the main window (event names in common event scripts).
  TLcfMapTree& mapTree;
  TLcfMap& map;
  // The window's change notifier.
  std::function<void()> changed;
  // The page's tab, under which list pages remember their scroll position and selection.
  int tab = 0;
  // The main window's settings (the battle test's runtime and full-screen flag); the user's when null.
  const TSettings* settings = nullptr;
};

class TFormDataBaseBase : public QWidget {
 public:
  TFormDataBaseBase(const TDataBasePageContext& context, QWidget* parent = nullptr)
      : QWidget(parent), context_(context) {}

  const TDataBasePageContext& Context() const { return context_; }

  // Every page calls it after each change it makes: tells the window, then refreshes the view.
  virtual void DataModified() {
    if (context_.changed) context_.changed();
    UpdateView();
  }
  virtual void UpdateView() {}
  virtual void LoadEntry() {}
  virtual void SelectPreviousEntry() {}
  virtual void SelectNextEntry() {}
  // The number of entries the page lists, and showing one of them (the form check walks them).
  virtual int EntryCount() const { return 0; }
  virtual void ShowEntry(int) {}
  // Whether the page edits its entries' fields (pages still to be written only list them).
  virtual bool EditsFields() const { return false; }

 protected:
  TDataBasePageContext context_;
};

// Makes the page of a tab.
using TDataBasePageMaker = TFormDataBaseBase* (*)(const TDataBasePageContext& context, QWidget* parent);

}  // namespace tess
