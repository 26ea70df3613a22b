#pragma once
// Troops: the groups in which monsters are met, with their members' places on the battle screen,
// the terrains where they appear, and battle event pages whose scripts run when their trigger
// holds.

#include <functional>
#include <optional>

#include "core/Catalog.h"
#include "database/LD_Battle.h"
#include "database/LD_Monster.h"
#include "database/LD_Ranks.h"
#include "events/LD_EventScript.h"

namespace tess {

inline constexpr int kMaxTroopMembers = 8;
inline constexpr const char* kInvalidRangeMessage = "Invalid range of values was entered.";

// Trigger condition bits.
enum TBattleTriggerFlag : uint16_t {
  kTriggerSwitchA = 1,
  kTriggerSwitchB = 2,
  kTriggerVariable = 4,
  kTriggerTurns = 8,
  kTriggerExhaustion = 16,
  kTriggerMonsterHP = 32,
  kTriggerHeroHP = 64,
  kTriggerMonsterTurns = 128,
  kTriggerHeroTurns = 256,
  kTriggerCommand = 512,
};

// When a battle event page runs: every condition whose bit is set must hold.
class TLcfBattleEventTrigger : public TCatalogBaseItem {
 public:
  TLcfBattleEventTrigger() { Reset(); }

  uint16_t flags = 0;
  int32_t switchAId{};
  int32_t switchBId{};
  int32_t variableId{};
  int32_t variableValue{};
  int32_t turnsA{};
  int32_t turnsB{};
  int32_t exhaustionLow{};
  int32_t exhaustionHigh{};
  int32_t monsterIndex{};
  int32_t monsterHpLow{};
  int32_t monsterHpHigh{};
  int32_t heroId{};
  int32_t heroHpLow{};
  int32_t heroHpHigh{};
  int32_t monsterTurnsIndex{};
  int32_t monsterTurnsA{};
  int32_t monsterTurnsB{};
  int32_t heroTurnsId{};
  int32_t heroTurnsA{};
  int32_t heroTurnsB{};
  int32_t commandHeroId{};
  int32_t commandId{};

  void DescribeChunks(TCatalogVarData& v) override;
  // False when an enabled range (exhaustion, monster HP, hero HP) ends below its start.
  bool RangesValid() const;
};

class TLcfBattleEventPageItem : public TLcfBaseEventPageItem {
 public:
  TLcfBattleEventPageItem() { Reset(); }
  explicit TLcfBattleEventPageItem(TUnreset) {}

  TLcfBattleEventTrigger trigger;

  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfBattleEventPage : public TCatalogOf<TLcfBattleEventPageItem> {
 public:
  TLcfBattleEventPage()
      : TCatalogOf("Event script referenced an event page that does not exist.", "battle event page") {}
};

class TLcfMonGroupMonsterItem : public TCatalogItem {
 public:
  int32_t monsterId = 1;
  int32_t x = 0;  // centre of the graphic on the 320 x 240 battle screen
  int32_t y = 0;
  uint8_t invisible = 0;

  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfMonGroupMonster : public TCatalogOf<TLcfMonGroupMonsterItem> {
 public:
  TLcfMonGroupMonster() : TCatalogOf("Event script referenced a monster that does not exist.", "member") {}
};

// The width and height of a monster's battle graphic.
struct TGraphicSize {
  int width = 0, height = 0;
};

// What automatic alignment needs besides the troop: the layout's placement functions, the terrain
// whose grid is used (0 for the default grid), the monsters (for the flying flag) and the size of
// each monster's graphic.
struct TAlignmentContext {
  const TLcfBattle* battle = nullptr;
  int terrainId = 0;
  const TLcfMonster* monsters = nullptr;
  std::function<TGraphicSize(int32_t monsterId)> graphicSize;
};

struct TScreenPoint {
  int x = 0, y = 0;
  bool operator==(const TScreenPoint&) const = default;
};

class TLcfMonGroupItem : public TCatalogItem {
 public:
  TLcfMonGroupItem() { Reset(); }
  explicit TLcfMonGroupItem(TUnreset) {}

  TLcfMonGroupMonster members;
  int32_t alignment{};  // 0 manual, 1 automatic
  int32_t terrainCount{};
  std::vector<uint8_t> habitat;  // element i: 1 when the troop is met on terrain id i + 1
  uint8_t random{};
  TLcfBattleEventPage pages;

  void DescribeChunks(TCatalogVarData& v) override;

  uint8_t GetHabitat(int terrainId) const { return ByteAt(habitat, terrainId - 1, 1); }
  void SetHabitat(int terrainId, uint8_t value) { SetByteAt(habitat, terrainId - 1, value); }
  void ResizeHabitat(int n) { ResizeBytes(habitat, terrainCount, n, 1); }

  // The computed position of the member at list position index, or none for an invisible member
  // or an index outside the list. Members are placed among the visible ones only.
  std::optional<TScreenPoint> AlignedPosition(int index, const TAlignmentContext& context) const;
  // Stores the computed position of every visible member.
  void AutoAlign(const TAlignmentContext& context);
  // Adds a member at its computed position; when every other visible member stood at its computed
  // place, all are aligned again. Returns none when the troop already has eight members.
  TLcfMonGroupMonsterItem* AddMember(int32_t monsterId, const TAlignmentContext& context);

 protected:
  void AfterLoad() override { terrainCount = static_cast<int32_t>(habitat.size()); }
};

class TLcfMonGroup : public TCatalogOf<TLcfMonGroupItem> {
 public:
  TLcfMonGroup() : TCatalogOf("Event script referenced a monster group that does not exist.", "troop") {}
};

}  // namespace tess
