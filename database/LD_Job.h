#pragma once
// Classes: templates whose settings a hero can be given ("Apply" on the hero page).

#include "database/LD_Player.h"

namespace tess {

class TLcfJobItem : public TLcfActorBase {
 public:
  TLcfJobItem() { Reset(); }
  explicit TLcfJobItem(TUnreset) {}

  std::string reserved2;  // stored and copied; nothing shows or changes it
  TLcfJobLearning skills;

  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfJob : public TCatalogOf<TLcfJobItem> {
 public:
  TLcfJob() : TCatalogOf("Event script referenced a job class that does not exist.", "class") {}
};

// Copies a class onto a hero: the four options, the ranks of the first conditionCount conditions
// and attributeCount attributes, the six curves, the experience curve, the learned skills, the
// battler animation and the six command slots.
void ApplyClassToHero(const TLcfJobItem& job, TLcfPlayerItem& hero, int conditionCount, int attributeCount);

}  // namespace tess
