#include "database/LD_Job.h"

#include <algorithm>
#include <cstring>

namespace tess {

void TLcfJobItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.String(2, reserved2);
  v.Flag(21, twoWeapons, 0);
  v.Flag(22, lockEquipment, 0);
  v.Flag(23, aiControl, 0);
  v.Flag(24, mightyGuard, 0);
  v.FixedArray(31, parameters, ResetCurves, TakeOlderCurves);
  v.Integer(41, expPrimary, 300);
  v.Integer(42, expSecondary, 300);
  v.Integer(43, expTertiary, 0);
  v.Integer(62, battlerAnimation, 1);
  v.List(63, skills);
  DescribeRanks(v);
  // The six command slots reset to -1; the seventh element keeps what it held (0 in a new class).
  v.FixedArray(80, battleCommands,
               [](void* commands) { std::fill_n(static_cast<int32_t*>(commands), kBattleCommandSlots, -1); });
}

void ApplyClassToHero(const TLcfJobItem& job, TLcfPlayerItem& hero, int conditionCount, int attributeCount) {
  hero.twoWeapons = job.twoWeapons;
  hero.lockEquipment = job.lockEquipment;
  hero.aiControl = job.aiControl;
  hero.mightyGuard = job.mightyGuard;
  if (static_cast<int>(hero.conditionRanks.size()) < conditionCount) hero.ResizeConditionRanks(conditionCount);
  for (int id = 1; id <= conditionCount; ++id) hero.SetConditionRank(id, job.GetConditionRank(id));
  if (static_cast<int>(hero.attributeRanks.size()) < attributeCount) hero.ResizeAttributeRanks(attributeCount);
  for (int id = 1; id <= attributeCount; ++id) hero.SetAttributeRank(id, job.GetAttributeRank(id));
  std::memcpy(hero.parameters, job.parameters, sizeof hero.parameters);
  hero.expPrimary = job.expPrimary;
  hero.expSecondary = job.expSecondary;
  hero.expTertiary = job.expTertiary;
  hero.skills.Clear();
  for (int i = 0; i < job.skills.Count(); ++i) {
    const TLcfJobLearningItem* from = job.skills.ItemAt(i);
    TLcfPlayerLearningItem* to = hero.skills.Append();
    to->level = from->level;
    to->skillId = from->skillId;
  }
  hero.battlerAnimation = job.battlerAnimation;
  std::copy_n(job.battleCommands, kBattleCommandSlots, hero.battleCommands);
}

}  // namespace tess
