#include "database/LD_Animation2.h"

namespace tess {

void TLcfCBADataItem::DescribeChunks(TCatalogVarData& v) {
  v.Integer(2, reserved2, 0);
  v.Integer(3, actionKind, 0);
  v.Integer(4, weaponIndex, 0);
  v.Integer(5, movement, 0);
  v.Integer(6, afterimage, 0);
  v.Integer(7, attackCount, 0);
  v.Flag(8, ranged, 0);
  v.Integer(9, rangedAnimation, 0);
  v.Integer(12, rangedSpeed, 0);
  v.Integer(13, battleAnimationId, 1);
  v.Integer(14, poseIndex, 3);
}

void TLcfCBADataItem::SetMovement(int32_t value) {
  movement = value;
  if (movement == 0) afterimage = 0;
}

void TLcfCBAData::ExtendToHeroes(int heroCount) {
  for (int id = 1; id <= heroCount; ++id) Obtain(id);
}

void TLcfBattleMyCharacterItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.String(2, sheetFile);
  v.Integer(3, sheetIndex, 0);
  v.Integer(4, poseKind, 0);
  v.Integer(5, battleAnimationId, 1);
}

void TLcfCBAWeaponItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.String(2, sheetFile);
  v.Integer(3, sheetIndex, 0);
}

void TLcfAnimation2Item::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.Integer(2, speed, 20);
  v.List(10, poses, kBattlerPoses, [](TCatalog& list) {
    static const char* const kPoseNames[] = {"Idle Stance",  "Right Hand",    "Left Hand",  "Skill Use",
                                             "Dead",         "Damage",        "Bad Status", "Defending",
                                             "Walking Left", "Walking Right", "Victory",    "Item"};
    for (int i = 0; i < 12; ++i) list.ItemAt(i)->name = kPoseNames[i];
  });
  v.List(11, weapons, kBattlerWeapons);
}

int TLcfAnimation2Item::StepMilliseconds() const { return (speed == 14 || speed == 8 ? speed : 20) * 10; }

}  // namespace tess
