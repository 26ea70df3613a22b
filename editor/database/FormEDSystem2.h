#pragma once
// The database window's "System 2" page: the rest of the system record the author edits: the
// battle graphics, the screen transitions, the main menu's commands, the frame drawn over the game
// screen ("Select Frame") and whether battle animations are mirrored after a back attack. The
// system record is one record: the page has one entry.

#include "editor/database/FormDataBaseBase.h"

namespace tess {

class TFieldBinder;

class TFormEDSystem2 final : public TFormDataBaseBase {
  Q_OBJECT
 public:
  TFormEDSystem2(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  int EntryCount() const override { return 1; }
  void ShowEntry(int) override { LoadEntry(); }
  bool EditsFields() const override { return true; }

  TFieldBinder& Binder() const { return *binder_; }

 private:
  TFieldBinder* binder_ = nullptr;
};

}  // namespace tess
