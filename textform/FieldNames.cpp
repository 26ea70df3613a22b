#include "textform/FieldNames.h"

#include <algorithm>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

namespace tess {

namespace {

using TNameTable = std::unordered_map<std::type_index, std::vector<TFieldName>>;

template <class TRecord>
std::pair<std::type_index, std::vector<TFieldName>> Names(std::vector<TFieldName> names) {
  return {std::type_index(typeid(TRecord)), std::move(names)};
}

const TNameTable& Table() {
  static const TNameTable table = {
      Names<TLcfAnimationCellItem>({{1, "inUse"}, {2, "section"}, {3, "x"}, {4, "y"}, {5, "zoom"}, {6, "red"}, {7, "green"}, {8, "blue"}, {9, "saturation"}, {10, "transparency"}}),
      Names<TLcfAnimationPatternItem>({{1, "cells"}}),
      Names<TLcfAnimationTimingItem>({{1, "frame"}, {2, "sound"}, {3, "flashScope"}, {4, "flashRed"}, {5, "flashGreen"}, {6, "flashBlue"}, {7, "flashStrength"}, {8, "shakeScope"}}),
      Names<TLcfAnimationItem>({{1, "name"}, {2, "animationFile"}, {3, "largeCells"}, {6, "timings"}, {9, "scope"}, {10, "yAxisLine"}, {12, "frames"}}),
      Names<TLcfCBADataItem>({{2, "reserved2"}, {3, "actionKind"}, {4, "weaponIndex"}, {5, "movement"}, {6, "afterimage"}, {7, "attackCount"}, {8, "ranged"}, {9, "rangedAnimation"}, {12, "rangedSpeed"}, {13, "battleAnimationId"}, {14, "poseIndex"}}),
      Names<TLcfBattleMyCharacterItem>({{1, "name"}, {2, "sheetFile"}, {3, "sheetIndex"}, {4, "poseKind"}, {5, "battleAnimationId"}}),
      Names<TLcfCBAWeaponItem>({{1, "name"}, {2, "sheetFile"}, {3, "sheetIndex"}}),
      Names<TLcfAnimation2Item>({{1, "name"}, {2, "speed"}, {10, "poses"}, {11, "weapons"}}),
      Names<TLcfAttribItem>({{1, "name"}, {2, "attributeType"}, {11, "rateA"}, {12, "rateB"}, {13, "rateC"}, {14, "rateD"}, {15, "rateE"}}),
      Names<TLcfBattleCMDItem>({{1, "name"}, {2, "archetype"}}),
      Names<TLcfBattle>({{2, "placement"}, {4, "deathHandler"}, {6, "previewRow"}, {7, "battleType"}, {9, "hiddenOption"}, {10, "commands"}, {15, "deathHandler"}, {16, "deathEventId"}, {20, "windowSize"}, {24, "windowTransparent"}, {25, "deathTeleport"}, {26, "deathMapId"}, {27, "deathX"}, {28, "deathY"}, {29, "deathFacing"}}),
      Names<TLcfChipSetItem>({{1, "name"}, {2, "chipSetFile"}, {3, "terrain"}, {4, "lowerFlags"}, {5, "upperFlags"}, {11, "waterSequence"}, {12, "waterSpeed"}}),
      Names<TLcfGroundItem>({{1, "name"}, {2, "damage"}, {3, "encounterRate"}, {4, "backdropFile"}, {5, "skiffPass"}, {6, "shipPass"}, {7, "airshipPass"}, {9, "airshipLand"}, {11, "spriteDisplay"}, {15, "footstepSound"}, {16, "soundOnlyOnDamage"}, {17, "backgroundType"}, {21, "backFrameFile"}, {22, "backScrollH"}, {23, "backScrollV"}, {24, "backSpeedH"}, {25, "backSpeedV"}, {30, "foregroundUse"}, {31, "foreFrameFile"}, {32, "foreScrollH"}, {33, "foreScrollV"}, {34, "foreSpeedH"}, {35, "foreSpeedV"}, {40, "specialBattles"}, {41, "initiativeRate"}, {42, "backAttackRate"}, {43, "surroundRate"}, {44, "pincersRate"}, {45, "gridDepth"}, {46, "gridTop"}, {47, "gridAngle"}, {48, "gridSlant"}}),
      Names<TLcfItemItem>({{1, "name"}, {2, "description"}, {3, "itemType"}, {5, "price"}, {6, "uses"}, {11, "attackBonus"}, {12, "defenseBonus"}, {13, "intelligenceBonus"}, {14, "agilityBonus"}, {15, "twoHanded"}, {16, "mpCost"}, {17, "hitRate"}, {18, "criticalBonus"}, {20, "attackAnimation"}, {21, "attackFirst"}, {22, "attackTwice"}, {23, "attackAll"}, {24, "ignoreEvasion"}, {25, "preventCritical"}, {26, "raiseEvasion"}, {27, "halfMpCost"}, {28, "noTerrainDamage"}, {29, "cursed"}, {31, "medicineTarget"}, {32, "hpRecoveryPercent"}, {33, "hpRecovery"}, {34, "mpRecoveryPercent"}, {35, "mpRecovery"}, {37, "fieldOnly"}, {38, "deadOnly"}, {41, "seedMaxHP"}, {42, "seedMaxMP"}, {43, "seedAttack"}, {44, "seedDefense"}, {45, "seedIntelligence"}, {46, "seedAgility"}, {51, "scrollMessage"}, {53, "skillId"}, {55, "switchId"}, {57, "usableOnField"}, {58, "usableInBattle"}, {61, "heroUsableCount"}, {62, "heroUsable"}, {63, "conditionCount"}, {64, "conditions"}, {65, "attributeCount"}, {66, "attributes"}, {67, "conditionChance"}, {68, "conditionMode"}, {69, "previewHero"}, {70, "battlerAnimations"}, {71, "invokeSkill"}, {72, "classUsableCount"}, {73, "classUsable"}, {75, "trajectory"}, {76, "targeting"}}),
      Names<TLcfJobItem>({{1, "name"}, {2, "reserved2"}, {21, "twoWeapons"}, {22, "lockEquipment"}, {23, "aiControl"}, {24, "mightyGuard"}, {31, "parameters"}, {41, "expPrimary"}, {42, "expSecondary"}, {43, "expTertiary"}, {62, "battlerAnimation"}, {63, "skills"}, {71, "conditionRankCount"}, {72, "conditionRanks"}, {73, "attributeRankCount"}, {74, "attributeRanks"}, {80, "battleCommands"}}),
      Names<TLcfBattleEventTrigger>({{2, "switchAId"}, {3, "switchBId"}, {4, "variableId"}, {5, "variableValue"}, {6, "turnsA"}, {7, "turnsB"}, {8, "exhaustionLow"}, {9, "exhaustionHigh"}, {10, "monsterIndex"}, {11, "monsterHpLow"}, {12, "monsterHpHigh"}, {13, "heroId"}, {14, "heroHpLow"}, {15, "heroHpHigh"}, {16, "monsterTurnsIndex"}, {17, "monsterTurnsA"}, {18, "monsterTurnsB"}, {19, "heroTurnsId"}, {20, "heroTurnsA"}, {21, "heroTurnsB"}, {22, "commandHeroId"}, {23, "commandId"}}),
      Names<TLcfBattleEventPageItem>({{2, "trigger"}, {11, "scriptSize"}, {12, "script", TFieldShape::Script}}),
      Names<TLcfMonGroupMonsterItem>({{1, "monsterId"}, {2, "x"}, {3, "y"}, {4, "invisible"}}),
      Names<TLcfMonGroupItem>({{1, "name"}, {2, "members"}, {3, "alignment"}, {4, "terrainCount"}, {5, "habitat"}, {6, "random"}, {11, "pages"}}),
      Names<TLcfMonsterActItem>({{1, "actionKind"}, {2, "basicAction"}, {3, "skillId"}, {4, "transformInto"}, {5, "precondition"}, {6, "conditionLow"}, {7, "conditionHigh"}, {8, "conditionSwitchId"}, {9, "switchOnAfter"}, {10, "switchOnId"}, {11, "switchOffAfter"}, {12, "switchOffId"}, {13, "priority"}}),
      Names<TLcfMonsterItem>({{1, "name"}, {2, "monsterFile"}, {3, "hue"}, {4, "maxHP"}, {5, "maxMP"}, {6, "attack"}, {7, "defense"}, {8, "intelligence"}, {9, "agility"}, {10, "transparent"}, {11, "experience"}, {12, "money"}, {13, "dropItemId"}, {14, "dropChance"}, {21, "criticalHits"}, {22, "criticalChance"}, {26, "oftenMiss"}, {28, "flying"}, {31, "conditionRankCount"}, {32, "conditionRanks"}, {33, "attributeRankCount"}, {34, "attributeRanks"}, {42, "actions"}}),
      Names<TLcfPlayerLearningItem>({{1, "level"}, {2, "skillId"}}),
      Names<TLcfJobLearningItem>({{1, "level"}, {2, "skillId"}}),
      Names<TLcfPlayerItem>({{1, "name"}, {2, "title"}, {3, "charSetFile"}, {4, "charSetIndex"}, {5, "charSetTransparent"}, {7, "initialLevel"}, {8, "maxLevel"}, {9, "criticalHits"}, {10, "criticalChance"}, {15, "faceSetFile"}, {16, "faceIndex"}, {21, "twoWeapons"}, {22, "lockEquipment"}, {23, "aiControl"}, {24, "mightyGuard"}, {31, "parameters"}, {41, "expPrimary"}, {42, "expSecondary"}, {43, "expTertiary"}, {51, "initialEquipment"}, {56, "unarmedAnimation"}, {57, "classId"}, {58, "reserved58"}, {59, "battlePositionX"}, {60, "battlePositionY"}, {62, "battlerAnimation"}, {63, "skills"}, {64, "reserved64"}, {66, "reserved66"}, {67, "reserved67"}, {71, "conditionRankCount"}, {72, "conditionRanks"}, {73, "attributeRankCount"}, {74, "attributeRanks"}, {80, "battleCommands"}}),
      Names<TLcfSkillItem>({{1, "name"}, {2, "description"}, {3, "reserved3"}, {4, "reserved4"}, {7, "reserved7"}, {8, "skillType"}, {9, "mpCostType"}, {10, "mpCostPercent"}, {11, "mpCost"}, {12, "target"}, {13, "switchId"}, {14, "animationId"}, {16, "sound"}, {18, "usableOnField"}, {19, "usableInBattle"}, {20, "conditionMode"}, {21, "attackInfluence"}, {22, "intelligenceInfluence"}, {23, "variance"}, {24, "effectRating"}, {25, "successRate"}, {31, "affectHP"}, {32, "affectMP"}, {33, "affectAttack"}, {34, "affectDefense"}, {35, "affectIntelligence"}, {36, "affectAgility"}, {37, "absorb"}, {38, "ignoreDefense"}, {39, "reserved39"}, {41, "conditionCount"}, {42, "conditions"}, {43, "attributeCount"}, {44, "attributes"}, {45, "alterResistance"}, {49, "previewHero"}, {50, "battlerAnimations"}}),
      Names<TLcfStatusItem>({{1, "name"}, {2, "persistence"}, {3, "color"}, {4, "priority"}, {5, "restriction"}, {11, "chanceA"}, {12, "chanceB"}, {13, "chanceC"}, {14, "chanceD"}, {15, "chanceE"}, {21, "abateTurns"}, {22, "recoverChance"}, {23, "damageRecoverChance"}, {30, "statAlteration"}, {31, "alterAttack"}, {32, "alterIntelligence"}, {33, "alterDefense"}, {34, "alterAgility"}, {35, "hitRate"}, {36, "evadeAll"}, {37, "reflectSkills"}, {38, "lockEquipment"}, {39, "battlerPose"}, {41, "lockAttackSkills"}, {42, "lockAttackInfluence"}, {43, "lockIntelligenceSkills"}, {44, "lockIntelligenceInfluence"}, {45, "hpEffect"}, {46, "mpEffect"}, {51, "message1"}, {52, "message2"}, {53, "message3"}, {54, "message4"}, {55, "message5"}, {61, "hpPercent"}, {62, "hpAmount"}, {63, "hpSteps"}, {64, "hpStepAmount"}, {65, "mpPercent"}, {66, "mpAmount"}, {67, "mpSteps"}, {68, "mpStepAmount"}}),
      Names<TLcfSwitchItem>({{1, "name"}}),
      Names<TLcfVariableItem>({{1, "name"}}),
      Names<TLcfTestPlayerItem>({{1, "heroId"}, {2, "level"}, {11, "equipWord1"}, {12, "equipWord2"}, {13, "equipWord3"}, {14, "equipWord4"}, {15, "equipWord5"}}),
      Names<TLcfSystem>({{10, "formatVersion"}, {11, "skiffGraphic"}, {12, "shipGraphic"}, {13, "airshipGraphic"}, {14, "skiffIndex"}, {15, "shipIndex"}, {16, "airshipIndex"}, {17, "titleName"}, {18, "gameOverName"}, {19, "systemGraphic"}, {20, "battleGraphic"}, {21, "partySize"}, {22, "partyMembers"}, {26, "menuCommandCount"}, {27, "menuCommands"}, {31, "titleMusic"}, {32, "battleMusic"}, {33, "victoryMusic"}, {34, "innMusic"}, {35, "skiffMusic"}, {36, "shipMusic"}, {37, "airshipMusic"}, {38, "gameOverMusic"}, {41, "cursorSound"}, {42, "decisionSound"}, {43, "cancelSound"}, {44, "buzzerSound"}, {45, "battleStartSound"}, {46, "escapeSound"}, {47, "enemyAttackSound"}, {48, "enemyDamagedSound"}, {49, "allyDamagedSound"}, {50, "evasionSound"}, {51, "enemyDefeatedSound"}, {52, "itemSound"}, {61, "mapEraseTransition"}, {62, "mapShowTransition"}, {63, "battleEnterEraseTransition"}, {64, "battleEnterShowTransition"}, {65, "battleExitEraseTransition"}, {66, "battleExitShowTransition"}, {71, "windowPattern"}, {72, "messageFont"}, {81, "animationPreviewChoice"}, {82, "animationGrid"}, {84, "troopPreviewBackdrop"}, {85, "testParty"}, {91, "saveCount"}, {94, "testTerrain"}, {95, "testFormation"}, {96, "testCondition"}, {97, "itemUsableByMode"}, {98, "troopPreviewTerrain"}, {99, "useFrame"}, {100, "frameName"}, {101, "reverseAnimations"}}),
      Names<TLcfVocabulary>({{2, "initiativeMessage"}, {4, "escapeFailure"}, {5, "victory"}, {6, "defeat"}, {7, "experienceGain"}, {8, "moneyBefore"}, {9, "moneyAfter"}, {10, "itemFound"}, {11, "olderBattle11"}, {12, "olderBattle12"}, {13, "olderBattle13"}, {14, "olderBattle14"}, {15, "olderBattle15"}, {16, "olderBattle16"}, {17, "olderBattle17"}, {18, "olderBattle18"}, {19, "olderBattle19"}, {20, "olderBattle20"}, {21, "olderBattle21"}, {22, "olderBattle22"}, {23, "olderBattle23"}, {24, "olderBattle24"}, {25, "olderBattle25"}, {26, "olderBattle26"}, {27, "olderBattle27"}, {28, "olderBattle28"}, {29, "olderBattle29"}, {30, "olderBattle30"}, {31, "olderBattle31"}, {32, "olderBattle32"}, {33, "olderBattle33"}, {34, "olderBattle34"}, {35, "olderBattle35"}, {36, "levelUp"}, {37, "skillLearned"}, {38, "battleStart"}, {39, "miss"}, {41, "shopAGreeting"}, {42, "shopAAfterTransaction"}, {43, "shopABuy"}, {44, "shopASell"}, {45, "shopAFinished"}, {46, "shopAChooseBuyItem"}, {47, "shopAChooseBuyCount"}, {48, "shopABuyDone"}, {49, "shopAChooseSellItem"}, {50, "shopAChooseSellCount"}, {51, "shopASellDone"}, {54, "shopBGreeting"}, {55, "shopBAfterTransaction"}, {56, "shopBBuy"}, {57, "shopBSell"}, {58, "shopBFinished"}, {59, "shopBChooseBuyItem"}, {60, "shopBChooseBuyCount"}, {61, "shopBBuyDone"}, {62, "shopBChooseSellItem"}, {63, "shopBChooseSellCount"}, {64, "shopBSellDone"}, {67, "shopCGreeting"}, {68, "shopCAfterTransaction"}, {69, "shopCBuy"}, {70, "shopCSell"}, {71, "shopCFinished"}, {72, "shopCChooseBuyItem"}, {73, "shopCChooseBuyCount"}, {74, "shopCBuyDone"}, {75, "shopCChooseSellItem"}, {76, "shopCChooseSellCount"}, {77, "shopCSellDone"}, {80, "innAPriceBefore"}, {81, "innAPriceAfter"}, {82, "innASecondLine"}, {83, "innAAccept"}, {84, "innADecline"}, {85, "innBPriceBefore"}, {86, "innBPriceAfter"}, {87, "innBSecondLine"}, {88, "innBAccept"}, {89, "innBDecline"}, {92, "itemsPossessed"}, {93, "itemEquipped"}, {95, "currency"}, {101, "fight"}, {102, "autoFight"}, {103, "escape"}, {104, "command104"}, {105, "command105"}, {106, "item"}, {107, "skill"}, {108, "equip"}, {110, "save"}, {112, "quit"}, {114, "newGame"}, {115, "loadGame"}, {117, "endGame"}, {118, "status"}, {119, "row"}, {120, "order"}, {121, "waitOn"}, {122, "waitOff"}, {123, "level"}, {124, "hp"}, {125, "mp"}, {126, "normalStatus"}, {127, "experience"}, {128, "levelShort"}, {129, "hpShort"}, {130, "mpShort"}, {131, "mpConsumed"}, {132, "attack"}, {133, "defense"}, {134, "intelligence"}, {135, "agility"}, {136, "weapon"}, {137, "shield"}, {138, "armor"}, {139, "helmet"}, {140, "accessory"}, {146, "chooseSaveSlot"}, {147, "chooseLoadSlot"}, {148, "file"}, {151, "confirmQuit"}, {152, "yes"}, {153, "no"}}),
      Names<TLcfCommonEventItem>({{1, "name"}, {11, "trigger"}, {12, "useSwitch"}, {13, "switchId"}, {21, "scriptSize"}, {22, "script", TFieldShape::Script}}),
      Names<TLcfEventCondition>({{1, "flags"}, {2, "switchAId"}, {3, "switchBId"}, {4, "variableId"}, {5, "variableValue"}, {6, "itemId"}, {7, "heroId"}, {8, "timer1Seconds"}, {9, "timer2Seconds"}, {10, "variableCompare"}}),
      Names<TLcfEventPageItem>({{2, "condition"}, {21, "graphicName"}, {22, "graphicIndex"}, {23, "direction"}, {24, "pattern"}, {25, "transparent"}, {31, "moveType"}, {32, "moveFrequency"}, {33, "trigger"}, {34, "layer"}, {35, "forbidOverlap"}, {36, "animationType"}, {37, "moveSpeed"}, {41, "moveRoute"}, {51, "scriptSize"}, {52, "script", TFieldShape::Script}}),
      Names<TLcfEventItem>({{1, "name"}, {2, "x"}, {3, "y"}, {5, "pages"}}),
      Names<TLcfMoveRoute>({{11, "routeSize"}, {12, "route"}, {21, "repeat"}, {22, "skipImpossible"}}),
      Names<TLcfMap>({{1, "tilesetId"}, {2, "width"}, {3, "height"}, {11, "scrollType"}, {31, "usePanorama"}, {32, "panoramaName"}, {33, "panoramaScrollH"}, {34, "panoramaScrollV"}, {35, "panoramaAutoH"}, {36, "panoramaSpeedH"}, {37, "panoramaAutoV"}, {38, "panoramaSpeedV"}, {40, "useGenerator"}, {41, "generatorStyle"}, {42, "topLevel"}, {43, "generatorValueA"}, {44, "generatorValueB"}, {45, "generatorChoice1"}, {46, "generatorChoice2"}, {47, "generatorChoice3"}, {48, "passageSize"}, {49, "roomWidth"}, {50, "roomHeight"}, {51, "surroundWithWalls"}, {52, "useUpperWall"}, {53, "useFloorB"}, {54, "useFloorC"}, {55, "useObstacleB"}, {56, "useObstacleC"}, {60, "generatorChips"}, {61, "generatorChipVariants"}, {62, "generatorTiles"}, {71, "lowerLayer", TFieldShape::Rows}, {72, "upperLayer", TFieldShape::Rows}, {81, "events"}, {91, "saveCount"}}),
      Names<TLcfEncountItem>({{1, "troopId"}}),
      Names<TLcfMapTreeItem>({{1, "name"}, {2, "parentId"}, {3, "depth"}, {4, "nodeType"}, {5, "scrollX"}, {6, "scrollY"}, {7, "expanded"}, {11, "musicType"}, {12, "music"}, {21, "backdropType"}, {22, "backdropName"}, {31, "teleport"}, {32, "escape"}, {33, "save"}, {41, "encounters"}, {44, "encounterSteps"}, {51, "areaRect"}}),
      Names<TLcfMapStartPosition>({{1, "partyMapId"}, {2, "partyX"}, {3, "partyY"}, {11, "skiffMapId"}, {12, "skiffX"}, {13, "skiffY"}, {21, "shipMapId"}, {22, "shipX"}, {23, "shipY"}, {31, "airshipMapId"}, {32, "airshipX"}, {33, "airshipY"}}),
      Names<TLcfMusic>({{1, "name"}, {2, "fadeIn"}, {3, "volume"}, {4, "tempo"}, {5, "balance"}}),
      Names<TLcfSound>({{1, "name"}, {3, "volume"}, {4, "tempo"}, {5, "balance"}}),
  };
  return table;
}

}  // namespace

const TFieldName* FindFieldName(const std::type_info& record, int id) {
  const TNameTable& table = Table();
  auto it = table.find(std::type_index(record));
  if (it == table.end()) return nullptr;
  auto at = std::lower_bound(it->second.begin(), it->second.end(), id,
                             [](const TFieldName& n, int v) { return n.id < v; });
  return at != it->second.end() && at->id == id ? &*at : nullptr;
}

}  // namespace tess
