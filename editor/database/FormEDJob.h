#pragma once
// The database window's "Class" page: name, options, battler animation, and the parts it shares
// with the hero page (curves, experience, skills, ranks, battle commands).

#include "editor/database/FormEDActor.h"

namespace tess {

class TFieldBinder;
class TLcfJobItem;

class TFormEDJob final : public TFormEDActor {
  Q_OBJECT
 public:
  TFormEDJob(const TDataBasePageContext& context, QWidget* parent = nullptr);

  void LoadEntry() override;
  void UpdateView() override;
  TLcfActorBase* Actor() const override;
  TLcfJobItem* Entry() const;
  TFieldBinder& Binder() const { return *binder_; }

 protected:
  TCatalog* Learned() const override;

 private:
  TFieldBinder* binder_ = nullptr;
};

}  // namespace tess
