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

}  // namespace tess::sample
