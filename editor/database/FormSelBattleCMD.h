#pragma once
// "Battle Commands": the battle layout's command list, edited on a copy: each command's name (10
// characters) and archetype, the list's array size, and copy and paste of commands through the
// private clipboard. OK replaces the layout's list with the copy; Cancel leaves it untouched.

#include <QDialog>
#include <utility>
#include <vector>

#include "database/LD_Battle.h"
#include "editor/database/FormEntryListPage.h"

namespace tess {

class TFieldBinder;

// The list of commands with the fields of the selected one.
class TBattleCommandList final : public TFormEntryListPage {
  Q_OBJECT
 public:
  TBattleCommandList(TLcfBattleCMD& commands, const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  bool EditsFields() const override { return true; }
  TLcfBattleCMDItem* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }

 private:
  TLcfBattleCMD& commands_;
  TFieldBinder* binder_ = nullptr;
};

class TFormSelBattleCMD final : public QDialog {
  Q_OBJECT
 public:
  // context: the database window's page context (the list's changes are the copy's, not the
  // window's).
  TFormSelBattleCMD(TLcfBattle& battle, const TDataBasePageContext& context, QWidget* owner = nullptr);

  TLcfBattleCMD& Commands() { return copy_; }
  TBattleCommandList* List() const { return list_; }
  // OK: puts the copy in place of the layout's list when the author changed it (a list shown
  // empty gets its first entry, which alone is no change); returns whether it did.
  bool Confirm();
  // Whether OK replaced the list.
  bool Changed() const { return changed_; }

 private:
  static std::vector<std::pair<int32_t, Bytes>> Snapshot(const TLcfBattleCMD& commands);
  std::vector<std::pair<int32_t, Bytes>> given_;
  bool changed_ = false;
  TLcfBattle& battle_;
  TLcfBattleCMD copy_;
  TBattleCommandList* list_ = nullptr;
};

}  // namespace tess
