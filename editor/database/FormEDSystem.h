#pragma once
// The database window's "System" page: the vehicles' sprites, the title, game-over and system
// graphics with how windows are drawn and the message font, the system music and sound effects,
// and the starting party. The system record is one record: the page has one entry.

#include "editor/database/FormDataBaseBase.h"

namespace tess {

class TFieldBinder;

class TFormEDSystem final : public TFormDataBaseBase {
  Q_OBJECT
 public:
  TFormEDSystem(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  int EntryCount() const override { return 1; }
  void ShowEntry(int) override { LoadEntry(); }
  bool EditsFields() const override { return true; }

  TFieldBinder& Binder() const { return *binder_; }

 private:
  TFieldBinder* binder_ = nullptr;
};

}  // namespace tess
