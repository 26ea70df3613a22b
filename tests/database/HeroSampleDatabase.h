#pragma once
// A database for the hero, class, attribute and condition pages: thousands of heroes and classes
// with edge values, values outside the editors' ranges (as other tools write them) and ids of
// entries that do not exist, beside small lists of everything they refer to.

#include <string>

#include "database/DataBaseObj.h"

namespace tess::sample {

inline void FillHeroDatabase(TLcfDataBase& db, int count) {
  db.ResetDatabase();
  db.system.formatVersion = TLcfSystem::kCurrentFormatVersion;
  db.conditions.SetCount(12);
  db.attributes.SetCount(10);
  for (int i = 0; i < db.conditions.Count(); ++i) {
    TLcfStatusItem* c = db.conditions.ItemAt(i);
    c->name = "Cond" + std::to_string(i + 1);
    if (i % 3 == 1) {
      c->color = 25;        // past the 20 colours
      c->priority = 500;    // past 100
      c->battlerPose = 40;  // past 32 poses
      c->chanceB = -5;
      c->hpEffect = 7;
      c->statAlteration = 2;
    }
  }
  db.conditions.ItemAt(0)->battlerPose = 7;  // condition 1 is shown with pose 5 but keeps what it holds
  for (int i = 0; i < db.attributes.Count(); ++i) {
    TLcfAttribItem* a = db.attributes.ItemAt(i);
    a->name = "Attr" + std::to_string(i + 1);
    a->attributeType = static_cast<uint8_t>(i % 3);  // 2 is no type the page offers
    a->rateA = i % 2 ? -5000 : 2000;
  }
  db.skills.SetCount(200);
  for (int i = 0; i < db.skills.Count(); ++i) db.skills.ItemAt(i)->name = "Skill" + std::to_string(i + 1);
  db.items.SetCount(300);
  for (int i = 0; i < db.items.Count(); ++i) {
    TLcfItemItem* item = db.items.ItemAt(i);
    item->name = "Item" + std::to_string(i + 1);
    item->itemType = static_cast<uint8_t>(kItemWeapon + i % 5);
    item->attackBonus = i % 40;
    item->defenseBonus = i % 30;
    if (i % 7 == 0) item->ResizeHeroUsable(count / 2);  // half of the heroes may not use it
  }
  db.battle.commands.SetCount(8);
  for (int i = 0; i < db.battle.commands.Count(); ++i)
    db.battle.commands.ItemAt(i)->name = "Cmd" + std::to_string(i + 1);
  db.battlerAnimations.SetCount(20);
  db.animations.SetCount(30);

  auto fillActor = [&](TLcfActorBase& a, int i) {
    a.twoWeapons = static_cast<uint8_t>(i % 2);
    a.mightyGuard = static_cast<uint8_t>(i % 5 == 0 ? 3 : 0);  // a flag stored as 3
    for (int p = 0; p < kParameterCount; ++p)
      for (int level = 1; level <= kMaxHeroLevel; ++level)
        a.SetParameter(p, level, i % 11 == 0 ? 65535 : (i + p * 13 + level * 7) % 1200);  // 0 and past the range too
    const int32_t exp[] = {-2000, 2000, 5000, -9999, 300};
    a.expPrimary = exp[i % 5];
    a.expSecondary = exp[(i + 1) % 5];
    a.expTertiary = exp[(i + 2) % 5];
    a.battlerAnimation = i % 13 == 0 ? 999 : 1 + i % 20;  // 999 does not exist
    a.ResizeConditionRanks(i % 20);
    for (int id = 1; id <= i % 20; ++id) a.SetConditionRank(id, static_cast<uint8_t>((id + i) % 6));  // 5 is no rank
    a.ResizeAttributeRanks(i % 7);
    for (int id = 1; id <= i % 7; ++id) a.SetAttributeRank(id, static_cast<uint8_t>((id * i) % 5));
    const int32_t shapes[][6] = {{1, 2, 0, -1, -1, -1}, {3, 3, -1, 5, 0, -1},     {99, 0, -1, -1, -1, -1},
                                 {1, 2, 3, 4, 5, 6},    {-1, -1, -1, -1, -1, -1}, {0, 4, 0, 0, 0, 0}};
    for (int s = 0; s < kBattleCommandSlots; ++s) a.SetBattleCommand(s, shapes[i % 6][s]);
    a.battleCommands[kBattleCommandSlots] = i % 3;
  };
  auto fillSkills = [](auto& list, int i) {
    // Not sorted, one skill that does not exist.
    const int32_t levels[] = {10, 5, 99, 1};
    const int32_t ids[] = {7, 3, 500, 1 + i % 200};
    for (int k = 0; k < i % 5; ++k) {
      auto* entry = list.Append();
      entry->level = levels[k];
      entry->skillId = ids[k];
    }
  };

  db.heroes.SetCount(count);
  for (int i = 0; i < count; ++i) {
    TLcfPlayerItem* h = db.heroes.ItemAt(i);
    h->name = "Hero " + std::to_string(i + 1);
    h->title = i % 4 ? "Title" : "A title far longer than twelve";
    h->classId = i % 9 == 0 ? count + 7 : i % count;  // 0 (none), existing classes, a missing one
    const int32_t levels[][2] = {{1, 99}, {99, 99}, {0, 150}, {50, 20}};
    h->initialLevel = levels[i % 4][0];
    h->maxLevel = levels[i % 4][1];
    h->criticalChance = i % 3 == 0 ? 500 : 1 + i % 100;
    h->charSetIndex = i % 10;  // 8 and 9 lie past the sheet
    h->faceIndex = i % 20;
    for (int slot = 0; slot < kEquipmentSlots; ++slot) h->SetEquipment(slot, i % 6 == 0 ? 9999 : 1 + (i + slot) % 300);
    h->unarmedAnimation = i % 10 == 0 ? 0 : 1 + i % 30;
    h->reserved58 = i;
    fillActor(*h, i);
    fillSkills(h->skills, i);
  }
  db.classes.SetCount(count);
  for (int i = 0; i < count; ++i) {
    TLcfJobItem* c = db.classes.ItemAt(i);
    c->name = "Class " + std::to_string(i + 1);
    c->reserved2 = "kept";
    fillActor(*c, i + 3);
    fillSkills(c->skills, i + 1);
  }
}

}  // namespace tess::sample
