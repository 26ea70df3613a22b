#pragma once
// The database window's "Attribute" page: name, type and the damage multiplier of each rank.

#include "editor/database/FormEntryListPage.h"

namespace tess {

class TFieldBinder;
class TLcfAttribItem;

class TFormEDAttrib final : public TFormEntryListPage {
  Q_OBJECT
 public:
  TFormEDAttrib(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  bool EditsFields() const override { return true; }

  TLcfAttribItem* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }

 private:
  TFieldBinder* binder_ = nullptr;
};

}  // namespace tess
