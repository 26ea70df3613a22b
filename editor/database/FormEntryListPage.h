#pragma once
// A list page of the database window: the entry list of one catalog with "Array Size" and the
// Copy, Paste, Clear, Cut and Multiple Copy menu. Pages with fields of their own derive from it and
// load the selected entry in LoadEntry.

#include "editor/database/EntryListController.h"
#include "editor/database/FormDataBaseBase.h"

class QListWidget;
class QPushButton;
class QMenu;
class QAction;
class QLabel;

namespace tess {

class TFormEntryListPage : public TFormDataBaseBase {
  Q_OBJECT
 public:
  TFormEntryListPage(TCatalog& catalog, int clipboardFormat, const TDataBasePageContext& context,
                     QWidget* parent = nullptr);
  ~TFormEntryListPage() override;

  TEntryListController& Controller() { return controller_; }
  QListWidget* List() const { return list_; }
  // The selected entry's list position, or -1.
  int Selected() const;
  void Select(int index);
  // Refills the list, keeping scroll position and selection (the last line when it is gone).
  void FillList();
  void RewriteLine(int index);

  // A page without fields of its own names the selected entry where its fields will be.
  void LoadEntry() override;
  void SelectPreviousEntry() override;
  void SelectNextEntry() override;
  int EntryCount() const override;
  void ShowEntry(int index) override { Select(index); }

  // The commands of the list's menu and button.
  void RunArraySize();
  void CopyEntry();
  void PasteEntries();
  void ClearEntry();
  void CutEntry();
  void RunMultipleCopy();

 protected:
  // Puts a page's own fields where the list page shows its placeholder.
  void SetFields(QWidget* fields);

 private:
  // After Clear or Cut: the entry's line, the page and the window follow its reset.
  void ShowEntryReset(int at);
  void UpdateMenu();

  TEntryListController controller_;
  int tab_;
  QListWidget* list_ = nullptr;
  QMenu* menu_ = nullptr;
  QAction* pasteAction_ = nullptr;
  QWidget* fields_ = nullptr;
  // The text in place of the fields until a page sets its own (then null).
  QLabel* placeholder_ = nullptr;
};

}  // namespace tess
