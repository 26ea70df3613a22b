#include "database/LD_Status.h"

namespace tess {

void TLcfStatusItem::DescribeChunks(TCatalogVarData& v) {
  // Condition 1, the knocked-out state, starts persistent, colour 5, priority 100, with no action
  // allowed. Its colour and priority are always written: omitted, they would read back as these
  // values rather than the chunk defaults.
  const bool first = Id() == 1;
  v.String(1, name);
  v.Byte(2, persistence, first ? 1 : 0);
  if (first) {
    v.IntegerAlways(3, color, 5);
    v.IntegerAlways(4, priority, 100);
  } else {
    v.Integer(3, color, 6);
    v.Integer(4, priority, 50);
  }
  v.Byte(5, restriction, first ? 1 : 0);
  v.Integer(11, chanceA, 100);
  v.Integer(12, chanceB, 80);
  v.Integer(13, chanceC, 60);
  v.Integer(14, chanceD, 30);
  v.Integer(15, chanceE, 0);
  v.Integer(21, abateTurns, 0);
  v.Integer(22, recoverChance, 0);
  v.Integer(23, damageRecoverChance, 0);
  v.Integer(30, statAlteration, 0);
  v.Flag(31, alterAttack, 0);
  v.Flag(32, alterIntelligence, 0);
  v.Flag(33, alterDefense, 0);
  v.Flag(34, alterAgility, 0);
  v.Integer(35, hitRate, 100);
  v.Flag(36, evadeAll, 0);
  v.Flag(37, reflectSkills, 0);
  v.Flag(38, lockEquipment, 0);
  v.Integer(39, battlerPose, 6);
  v.Flag(41, lockAttackSkills, 0);
  v.Integer(42, lockAttackInfluence, 0);
  v.Flag(43, lockIntelligenceSkills, 0);
  v.Integer(44, lockIntelligenceInfluence, 0);
  v.Integer(45, hpEffect, 0);
  v.Integer(46, mpEffect, 0);
  v.String(51, message1);
  v.String(52, message2);
  // Condition 1 has no third and fourth message: a load clears them, so a save does not write them.
  if (!(first && v.Writing())) {
    v.String(53, message3);
    v.String(54, message4);
  }
  v.String(55, message5);
  v.Integer(61, hpPercent, 0);
  v.Integer(62, hpAmount, 0);
  v.Integer(63, hpSteps, 0);
  v.Integer(64, hpStepAmount, 0);
  v.Integer(65, mpPercent, 0);
  v.Integer(66, mpAmount, 0);
  v.Integer(67, mpSteps, 0);
  v.Integer(68, mpStepAmount, 0);
}

void TLcfStatusItem::Assign(const TCatalogBaseItem& source) {
  if (&source == this) return;
  TCatalogBaseItem::Assign(source);
  if (auto* other = dynamic_cast<const TLcfStatusItem*>(&source)) {
    color = other->color;
    priority = other->priority;
  }
}

void TLcfStatusItem::AfterLoad() {
  if (Id() == 1) {
    message3.clear();
    message4.clear();
  }
}

int32_t TLcfStatusItem::ChanceForRank(int rank) const {
  switch (rank) {
    case 0:
      return chanceA;
    case 1:
      return chanceB;
    case 2:
      return chanceC;
    case 3:
      return chanceD;
    case 4:
      return chanceE;
    default:
      return 0;
  }
}

}  // namespace tess
