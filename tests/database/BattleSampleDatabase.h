#pragma once
// A database for the animation, battler animation, skill and item pages: thousands of animations,
// skills and items with edge values, values outside the editors' ranges (as other tools write
// them), ids of entries that do not exist, short battler sets and battler lists shorter than the
// heroes.

#include <string>

#include "database/DataBaseObj.h"

namespace tess::sample {

inline void FillBattleDatabase(TLcfDataBase& db, int animations, int framesEach, int skillsAndItems) {
  db.ResetDatabase();
  db.system.formatVersion = TLcfSystem::kCurrentFormatVersion;
  db.system.itemUsableByMode = 0;
  db.heroes.SetCount(12);
  db.classes.SetCount(4);
  db.conditions.SetCount(9);
  db.attributes.SetCount(7);
  db.battlerAnimations.SetCount(6);
  for (int i = 0; i < db.battlerAnimations.Count(); ++i) {
    TLcfAnimation2Item* set = db.battlerAnimations.ItemAt(i);
    set->speed = i % 3 == 2 ? 99 : 14;   // 99 is no speed the page offers
    if (i % 2) set->poses.SetCount(10);  // short sets are shown with 32
    if (i % 3 == 1) set->weapons.SetCount(0);
    set->poses.ItemAt(0)->poseKind = 5;
    set->poses.ItemAt(1)->battleAnimationId = 9999;
  }
  db.animations.SetCount(animations);
  for (int i = 0; i < animations; ++i) {
    TLcfAnimationItem* a = db.animations.ItemAt(i);
    a->name = "Anim" + std::to_string(i + 1);
    a->animationFile = i % 4 ? "Missing" + std::to_string(i) : "";
    a->largeCells = static_cast<uint8_t>(i % 5 == 0);
    a->scope = static_cast<uint8_t>(i % 7 == 0 ? 3 : i % 2);
    a->yAxisLine = static_cast<uint8_t>(i % 4);  // 3 is no line
    a->SetFrameCount(framesEach);
    for (int f = 0; f < framesEach; ++f) {
      TLcfAnimationPatternItem* frame = a->frames.ItemAt(f);
      for (int c = 0; c < (f + i) % 4; ++c) {
        frame->AddCell();
        TLcfAnimationCellItem* cell = frame->cells.ItemAt(c);
        cell->section = (f * 3 + c) % 30;  // past 25 too
        cell->x = (f * 37 + i) % 900 - 450;
        cell->y = -cell->x / 2;
        cell->zoom = (f % 9) * 110;
        cell->transparency = f % 120;
        cell->red = f % 250;
      }
      // A deleted cel that keeps its place (set last: a new cel would take its slot).
      if (frame->cells.Count() > 2 && f % 3 == 0) frame->cells.ItemAt(1)->inUse = 0;
    }
    for (int t = 0; t < i % 4; ++t) {
      TLcfAnimationTimingItem* timing = a->timings.Append();
      timing->frame = t * 40 - 5;  // before the first frame and past the last too
      timing->flashScope = static_cast<uint8_t>(t);
      timing->flashStrength = 40;
      timing->shakeScope = t + 1;
      timing->sound.name = t == 1 ? "Explosion" : "(OFF)";
    }
  }
  db.skills.SetCount(skillsAndItems);
  for (int i = 0; i < skillsAndItems; ++i) {
    TLcfSkillItem* s = db.skills.ItemAt(i);
    s->name = "Skill" + std::to_string(i + 1);
    s->skillType = static_cast<uint8_t>(i % 6);  // 4 and 5 are no types
    s->target = static_cast<uint8_t>(i % 7);
    s->mpCostType = i % 3;
    s->mpCost = i % 2000 - 500;
    s->animationId = i % 11 == 0 ? 0 : 1 + (i * 7) % (animations + 5);
    s->switchId = i % 13 ? 1 + i % 50 : 99999;
    s->successRate = i % 250;
    s->previewHero = i % 20 - 1;
    s->ResizeSkillConditions(i % 12);
    for (int c = 1; c <= i % 12; ++c) s->SetSkillCondition(c, static_cast<uint8_t>((c + i) % 3));
    s->battlerAnimations.ExtendToHeroes(i % 15);
    if (s->battlerAnimations.Count()) s->battlerAnimations.ItemAt(0)->afterimage = 1;  // without a movement
    TLcfItemItem* item = db.items.Append();
    item->name = "Item" + std::to_string(i + 1);
    item->itemType = static_cast<uint8_t>(i % 12);  // 11 is no type
    item->price = i * 300;
    item->attackBonus = i % 1200 - 600;
    item->attackAnimation = i % 9 == 0 ? 77777 : 1 + i % animations;
    item->targeting = i % 5;
    item->attackAll = static_cast<uint8_t>(i % 2);
    item->uses = i % 8;
    item->previewHero = i % 30 - 2;
    if (i % 5 == 0) item->ResizeHeroUsable(i % 20);
    if (i % 6 == 0) item->ResizeClassUsable(3);
    item->ResizeItemAttributes(i % 9);
    item->battlerAnimations.ExtendToHeroes(i % 3);
  }
}

}  // namespace tess::sample
