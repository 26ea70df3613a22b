#include "database/LD_Monster.h"

namespace tess {

void TLcfMonsterActItem::DescribeChunks(TCatalogVarData& v) {
  v.Byte(1, actionKind);
  v.Byte(2, basicAction);
  v.Integer(3, skillId, 1);
  v.Integer(4, transformInto, 1);
  v.Byte(5, precondition);
  v.Integer(6, conditionLow, 0);
  v.Integer(7, conditionHigh, 0);
  v.Integer(8, conditionSwitchId, 1);
  v.Flag(9, switchOnAfter, 0);
  v.Integer(10, switchOnId, 1);
  v.Flag(11, switchOffAfter, 0);
  v.Integer(12, switchOffId, 1);
  v.Integer(13, priority, 50);
}

void TLcfMonsterActItem::SetPrecondition(uint8_t kind) {
  precondition = kind;
  switch (kind) {
    case kPreconditionTurns:
      conditionLow = 0;
      conditionHigh = 0;
      break;
    case kPreconditionMonsters:
      conditionLow = 1;
      conditionHigh = 8;
      break;
    case kPreconditionMonsterHP:
    case kPreconditionMonsterMP:
    case kPreconditionExhaustion:
      conditionLow = 0;
      conditionHigh = 100;
      break;
    case kPreconditionPartyLevel:
      conditionLow = 1;
      conditionHigh = 99;
      break;
    default:
      break;
  }
}

void TLcfMonsterItem::TrimForSave(const TTrimLimits& limits) {
  TrimBytes(conditionRanks, conditionRankCount, kRankB, limits.conditions);
  TrimBytes(attributeRanks, attributeRankCount, kRankC, limits.attributes);
}

void TLcfMonsterItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.String(2, monsterFile);
  v.Integer(3, hue, 0);
  v.Integer(4, maxHP, 10);
  v.Integer(5, maxMP, 10);
  v.Integer(6, attack, 10);
  v.Integer(7, defense, 10);
  v.Integer(8, intelligence, 10);
  v.Integer(9, agility, 10);
  v.Flag(10, transparent, 0);
  v.Integer(11, experience, 0);
  v.Integer(12, money, 0);
  v.Integer(13, dropItemId, 0);
  v.Integer(14, dropChance, 100);
  v.Flag(21, criticalHits, 0);
  v.Integer(22, criticalChance, 30);
  v.Flag(26, oftenMiss, 0);
  v.Flag(28, flying, 0);
  v.Count(31, conditionRankCount, conditionRanks.size());
  v.Array(32, conditionRanks);
  v.Count(33, attributeRankCount, attributeRanks.size());
  v.Array(34, attributeRanks);
  v.List(42, actions, 1);
}

void TLcfMonsterItem::AfterLoad() {
  conditionRankCount = static_cast<int32_t>(conditionRanks.size());
  attributeRankCount = static_cast<int32_t>(attributeRanks.size());
}

}  // namespace tess
