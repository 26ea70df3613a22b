#pragma once
// Battler animations: the sets of poses and weapon graphics heroes are drawn with in battle, and
// the per-hero battler settings that skills and weapons carry (which pose, movement and afterimage
// the hero's battler shows when it uses them).

#include "core/Catalog.h"

namespace tess {

inline constexpr int kBattlerPoses = 32;
inline constexpr int kBattlerWeapons = 32;

// The battler setting of one hero (the item's id) for one skill or weapon.
class TLcfCBADataItem : public TCatalogItem {
 public:
  int32_t reserved2 = 0;  // stored and copied; nothing shows or changes it
  int32_t actionKind = 0;
  int32_t weaponIndex = 0;
  int32_t movement = 0;
  int32_t afterimage = 0;
  int32_t attackCount = 0;
  uint8_t ranged = 0;
  int32_t rangedAnimation = 0;
  int32_t rangedSpeed = 0;
  int32_t battleAnimationId = 1;
  int32_t poseIndex = 3;

  void DescribeChunks(TCatalogVarData& v) override;
  // Without a movement there is no afterimage.
  void SetMovement(int32_t value);
};

class TLcfCBAData : public TCatalogOf<TLcfCBADataItem> {
 public:
  TLcfCBAData() : TCatalogOf("BattleChar animation data is not valid.", "hero setting") {}
  // One entry per hero: entries up to heroCount are created at their defaults.
  void ExtendToHeroes(int heroCount);
};

// One pose of a battler animation set.
class TLcfBattleMyCharacterItem : public TCatalogItem {
 public:
  std::string sheetFile;
  int32_t sheetIndex = 0;
  int32_t poseKind = 0;  // 0 a row of the sheet, 1 a battle animation
  int32_t battleAnimationId = 1;
  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfBattleMyCharacter : public TCatalogOf<TLcfBattleMyCharacterItem> {
 public:
  TLcfBattleMyCharacter() : TCatalogOf("Event script referenced a battle character that does not exist.", "pose") {}
};

// One weapon graphic of a battler animation set.
class TLcfCBAWeaponItem : public TCatalogItem {
 public:
  std::string sheetFile;
  int32_t sheetIndex = 0;
  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfCBAWeapon : public TCatalogOf<TLcfCBAWeaponItem> {
 public:
  TLcfCBAWeapon() : TCatalogOf("Event script referenced a weapon that does not exist.", "weapon") {}
};

// A battler animation set.
class TLcfAnimation2Item : public TCatalogItem {
 public:
  TLcfAnimation2Item() { Reset(); }
  explicit TLcfAnimation2Item(TUnreset) {}

  int32_t speed{};  // 20 slow, 14 medium, 8 fast
  TLcfBattleMyCharacter poses;
  TLcfCBAWeapon weapons;

  // A reset set has 32 poses, the first twelve named, and 32 unnamed weapons.
  void DescribeChunks(TCatalogVarData& v) override;
  // Time between two steps of the preview; an unknown speed plays as slow.
  int StepMilliseconds() const;
};

class TLcfAnimation2 : public TCatalogOf<TLcfAnimation2Item> {
 public:
  TLcfAnimation2()
      : TCatalogOf("Event script referenced a battle animation that does not exist.", "battler animation") {}
};

}  // namespace tess
