#pragma once
// "Monster Behavior": one action of a monster, edited on a copy that OK hands back. The
// precondition values stay within their kind's range; a low value above the high value is refused
// with "Invalid range of values was entered." and the window stays open.

#include <QDialog>

#include "database/LD_Monster.h"

namespace tess {

class TFieldBinder;
class TLcfDataBase;

class TFormEDMonsterAct final : public QDialog {
  Q_OBJECT
 public:
  TFormEDMonsterAct(const TLcfDataBase& database, const TLcfMonsterActItem& action, QWidget* owner = nullptr);

  // The edited copy (the result after OK).
  TLcfMonsterActItem& Action() { return action_; }
  TFieldBinder& Binder() const { return *binder_; }
  // What OK does: refuses an inverted range, else accepts.
  void Confirm();

 private:
  // The precondition values' controls follow the kind's range (widened to show a stored value).
  void ShowRanges();
  TLcfMonsterActItem action_;
  TFieldBinder* binder_ = nullptr;
};

}  // namespace tess
