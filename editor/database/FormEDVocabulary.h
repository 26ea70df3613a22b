#pragma once
// The database window's "String" page: every fixed text the game shows, on five sub-pages of
// text fields (battle messages; shops; inns and item words; commands; statistics and the save and
// quit screens). Each field has its length limit and refuses characters the project's code page
// cannot hold. The vocabulary is one record: the page has one entry.

#include <memory>
#include <vector>

#include "editor/database/FormDataBaseBase.h"

class QTabWidget;

namespace tess {

class TFieldBinder;

class TFormEDVocabulary final : public TFormDataBaseBase {
  Q_OBJECT
 public:
  TFormEDVocabulary(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  int EntryCount() const override { return 1; }
  void ShowEntry(int) override { LoadEntry(); }
  bool EditsFields() const override { return true; }

  QTabWidget* SubPages() const { return pages_; }

 private:
  QTabWidget* pages_ = nullptr;
  std::vector<TFieldBinder*> binders_;
};

}  // namespace tess
