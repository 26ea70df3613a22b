#pragma once
// The database window: one tab per record kind, the current tab's page in the host panel, and OK,
// Apply and Cancel. Pages edit the live database; the file changes only through OK or Apply, and
// closing reloads the file, which discards what was not saved.

#include <QDialog>
#include <QTimer>
#include <string>

class QTabBar;
class QPushButton;
class QStackedLayout;
class QWidget;

namespace tess {

class TLcfDataBase;
class TLcfMapTree;
class TLcfMap;
class TSettings;
class TFormDataBaseBase;

class TFormDataBase : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTabCount = 17;

  TFormDataBase(TLcfDataBase& database, TLcfMapTree& mapTree, TLcfMap& map, std::string projectFolder,
                std::string applicationFolder, QWidget* owner, const TSettings* settings = nullptr);
  ~TFormDataBase() override;

  // The caption of a tab ("Hero", "Class", ...).
  static const char* TabCaption(int tab);
  // The tab shown when the window opens next (remembered while the editor runs).
  static int RememberedTab();

  int CurrentTab() const;
  void SelectTab(int tab);
  TFormDataBaseBase* Page() const { return page_; }
  // A page of a tab, made as the window makes its current page (the form check walks them all).
  TFormDataBaseBase* MakePage(int tab, QWidget* parent);
  bool ApplyEnabled() const;
  // The change notifier every page calls. What is not applied yet is kept in the scratch folder
  // shortly after each change, so that a crash does not lose it (project/WorkRecovery.h).
  void DataModified();
  static constexpr int kKeepDelayMs = 800;

  // OK and Apply: the guarded save. Apply keeps the window open; so does OK when the save fails
  // or is refused, so no edit is lost.
  bool Apply();
  void Ok();
  // "Cancel": closes at once, discarding what was not applied.
  void Cancel();

  // The close box and Escape: with changes that were not applied, asks whether to discard them
  // first; No keeps the window open.
  void reject() override;

 protected:
  void done(int result) override;

 private:
  void CreatePage(int tab);

  TLcfDataBase& database_;
  TLcfMapTree& mapTree_;
  TLcfMap& map_;
  std::string projectFolder_;
  std::string applicationFolder_;
  const TSettings* settings_;  // the main window's, for the battle test (the user's when null)
  QTabBar* tabs_ = nullptr;
  QWidget* host_ = nullptr;
  TFormDataBaseBase* page_ = nullptr;
  QPushButton* applyButton_ = nullptr;
  QTimer keepTimer_;
};

}  // namespace tess
