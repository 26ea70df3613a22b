#pragma once
// "Define Battle Event Triggers": the conditions of one battle event page, edited on a copy that
// OK hands back. An enabled exhaustion, monster HP or hero HP range whose high value lies below its
// low value is refused with "Invalid range of values was entered." and the window stays open.

#include <QDialog>

#include "database/LD_MonGroup.h"

namespace tess {

class TFieldBinder;
class TLcfDataBase;

class TFormEDMonGroupBattleEventTrigger final : public QDialog {
  Q_OBJECT
 public:
  TFormEDMonGroupBattleEventTrigger(const TLcfDataBase& database, const TLcfBattleEventTrigger& trigger,
                                    QWidget* owner = nullptr);

  TLcfBattleEventTrigger& Trigger() { return trigger_; }
  TFieldBinder& Binder() const { return *binder_; }
  void Confirm();

 private:
  TLcfBattleEventTrigger trigger_;
  TFieldBinder* binder_ = nullptr;
};

}  // namespace tess
