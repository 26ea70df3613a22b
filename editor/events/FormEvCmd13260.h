#pragma once
// "Show Battle Animation" in a battle script: the animation, the target and the wait. The target
// list holds "All Enemies", each troop member as its number, ":" and its monster's name, "Entire
// Party" and every hero; the chosen position is stored in p4, and the target (p1) and its side (p3)
// follow from it. A stored target whose position now names something else (the troop lost the
// member) keeps the stored values and is listed as no longer there until another is chosen.

#include <QStringList>

#include "ui/script/FormEvCmdBase.h"

class QComboBox;

namespace tess {

// The target list of a troop: its texts, and the target and side of each position.
struct TBattleAnimationTargets {
  struct TTarget {
    int32_t target;  // p1: a member index, a hero id, or -1 for all enemies or the entire party
    int32_t side;    // p3: 0 enemies, 1 the party
  };
  QStringList texts;
  std::vector<TTarget> targets;
};
TBattleAnimationTargets BattleAnimationTargets(const TEventScriptConverter& context);
// The members of the context's troop (none without one), each as its number from 1, ":" and its
// monster's name (the number and ":" alone when the monster is missing).
QStringList TroopMemberTexts(const TEventScriptConverter& context);

class TFormEvCmd13260 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd13260(const TLcfEventScriptList& lines, TCommandDialogContext& context);
  QComboBox* Targets() const { return targets_; }
  // Whether the stored target is shown as no longer in the list.
  bool StaleTarget() const { return stale_; }

 private:
  void ShowTarget();
  void ChooseTarget(int position);
  TBattleAnimationTargets list_;
  QComboBox* targets_ = nullptr;
  bool stale_ = false;
};

}  // namespace tess
