#pragma once
// A database for the monster and troop pages: thousands of monsters and troops of eight members
// with many battle event pages, edge values, values outside the editors' ranges (as other tools
// write them) and ids of entries that do not exist.

#include <memory>
#include <string>

#include "database/DataBaseObj.h"

namespace tess::sample {

inline void FillTroopDatabase(TLcfDataBase& db, int monsters, int troops, int pagesPerTroop, int linesPerPage) {
  db.conditions.SetCount(std::max(db.conditions.Count(), 6));
  db.attributes.SetCount(std::max(db.attributes.Count(), 4));
  db.skills.SetCount(std::max(db.skills.Count(), 20));
  db.items.SetCount(std::max(db.items.Count(), 20));
  db.monsters.SetCount(monsters);
  for (int i = 0; i < monsters; ++i) {
    TLcfMonsterItem* m = db.monsters.ItemAt(i);
    m->name = "Monster" + std::to_string(i + 1);
    m->monsterFile = i % 3 ? "Slime" : "Missing picture";
    m->hue = i % 4 == 0 ? 400 : i % 360;  // 400: past a full turn
    m->maxHP = i % 5 == 0 ? 0 : 9999999;  // 0: below the range
    m->agility = i % 6 == 0 ? 999 : 50;
    m->dropItemId = i % 7 == 0 ? 9999 : i % 20;  // 9999: an item that does not exist
    m->criticalHits = static_cast<uint8_t>(i % 9 == 0 ? 3 : 1);
    m->flying = static_cast<uint8_t>(i % 2);
    if (i % 4 == 1) {
      m->ResizeConditionRanks(3);
      m->SetConditionRank(3, 9);  // past E
    }
    TLcfMonsterActItem* a = m->actions.Append();
    a->actionKind = static_cast<uint8_t>(i % 4);  // 3: no kind the window offers
    a->precondition = static_cast<uint8_t>(i % 9);
    a->conditionLow = 120;
    a->conditionHigh = -3;
    a->skillId = 7000;
    a->conditionSwitchId = 0;
  }
  db.troops.SetCount(troops);
  for (int t = 0; t < troops; ++t) {
    TLcfMonGroupItem* troop = db.troops.ItemAt(t);
    troop->name = t % 2 ? "Troop" + std::to_string(t + 1) : std::string(25, 'N');  // longer than 20
    troop->alignment = t % 3;                                                      // 2: neither
    troop->random = static_cast<uint8_t>(t % 5 == 0);
    for (int k = 0; k < 8; ++k) {
      TLcfMonGroupMonsterItem* member = troop->members.Append();
      member->monsterId = k == 7 ? monsters + 100 : (t * 8 + k) % monsters + 1;
      member->x = k == 3 ? -50 : 20 * k;
      member->y = k == 4 ? 900 : 100;
      member->invisible = static_cast<uint8_t>(k == 5 ? 2 : 0);
    }
    troop->ResizeHabitat(t % 4);
    troop->pages.SetCount(pagesPerTroop);
    for (int p = 0; p < pagesPerTroop; ++p) {
      TLcfBattleEventPageItem* page = troop->pages.ItemAt(p);
      page->trigger.flags = static_cast<uint16_t>(p % 3 == 0 ? 0xFFFF : 1u << (p % 10));
      page->trigger.turnsA = 500;
      page->trigger.exhaustionLow = 90;
      page->trigger.exhaustionHigh = 10;  // an inverted range as stored
      page->trigger.monsterIndex = 12;
      page->trigger.commandId = 0;
      for (int l = 0; l < linesPerPage; ++l)
        page->lines.InsertLine(page->lines.Count() - 1,
                               std::make_unique<TLcfEventScriptLine>(10110, 0, "Turn " + std::to_string(l)));
    }
  }
}

// The battle layout with every value outside what its page offers, commands beyond their name
// length and archetypes, and heroes standing off the field with slots out of their shape.
inline void FillBattleLayoutEdges(TLcfDataBase& db) {
  TLcfBattle& b = db.battle;
  b.placement = 2;
  b.previewRow = 3;
  b.battleType = 7;
  b.windowSize = 4;
  b.windowTransparent = 2;
  b.deathHandler = 3;
  b.deathEventId = 0;
  b.deathTeleport = 5;
  b.deathMapId = 9999;  // no such map
  b.deathX = -4;
  b.deathFacing = 9;
  b.hiddenOption = 0;
  b.commands.SetCount(3);
  b.commands.ItemAt(0)->name = "A name longer than ten";
  b.commands.ItemAt(1)->archetype = 12;
  b.commands.ItemAt(2)->archetype = -1;
  db.system.troopPreviewTerrain = 50;  // no such terrain
  db.heroes.SetCount(std::max(db.heroes.Count(), 4));
  const int32_t shapes[4][7] = {
      {2, 2, 0, -1, -1, -1, 9}, {9, -1, 0, 5, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}, {3, 1, 2, 0, -1, -1, 0}};
  for (int i = 0; i < 4; ++i) {
    TLcfPlayerItem* hero = db.heroes.ItemAt(i);
    std::copy(std::begin(shapes[i]), std::end(shapes[i]), hero->battleCommands);
    hero->battlePositionX = i % 2 ? 400 : 0;
    hero->battlePositionY = i % 2 ? -10 : 250;
    hero->battlerAnimation = 77;  // no such set
  }
}

}  // namespace tess::sample
