// The demo's database: four heroes of four classes, their skills and gear, the monsters of the
// river fields and the cave in six troops, terrain and tilesets drawn on the package's pictures,
// battle animations, system music and sounds, and the game's texts.

#include <string>
#include <tuple>
#include <vector>

#include "tools/rtpgen/DemoKit.h"
#include "tools/rtpgen/DemoProject.h"

namespace tess::rtp {

namespace {

using namespace demo;

// Names the list entries 1..n in order; the list ends up with exactly those entries.
template <class TList>
void Named(TList& list, const std::vector<std::string>& names) {
  list.SetCount(int(names.size()));
  for (size_t i = 0; i < names.size(); ++i) list.ItemAt(int(i))->name = names[i];
}

// ---------------------------------------------------------------------------------------------
// Attributes, conditions, battle animations

enum : int32_t { kAttrSword = 1, kAttrSpear, kAttrBow, kAttrBlunt, kAttrFire, kAttrIce, kAttrThunder, kAttrHoly };
enum : int32_t { kCondDeath = 1, kCondPoison, kCondBlind, kCondSilence, kCondSleep };
enum : int32_t { kAnimSlash = 1, kAnimFire, kAnimIce, kAnimHeal, kAnimThunder, kAnimExplosion, kAnimArrow };

void FillAttributes(TLcfDataBase& db) {
  Named(db.attributes, {"Sword", "Spear", "Bow", "Blunt", "Fire", "Ice", "Thunder", "Holy"});
  for (int id = kAttrFire; id <= kAttrHoly; ++id) db.attributes.FindById(id)->attributeType = 1;
}

void FillConditions(TLcfDataBase& db) {
  Named(db.conditions, {"Death", "Poison", "Blind", "Silence", "Sleep"});
  TLcfStatusItem& death = *db.conditions.FindById(kCondDeath);
  death.message1 = " has fallen!";
  death.message2 = " is slain!";
  death.message5 = " is revived!";

  TLcfStatusItem& poison = *db.conditions.FindById(kCondPoison);
  poison.persistence = 1;
  poison.color = 3;
  poison.priority = 40;
  poison.hpPercent = 5;
  poison.hpSteps = 1;
  poison.hpStepAmount = 1;
  poison.message1 = " is poisoned!";
  poison.message2 = " is poisoned!";
  poison.message3 = " is still poisoned.";
  poison.message4 = " takes poison damage.";
  poison.message5 = " is no longer poisoned.";

  TLcfStatusItem& blind = *db.conditions.FindById(kCondBlind);
  blind.color = 2;
  blind.abateTurns = 4;
  blind.recoverChance = 30;
  blind.hitRate = 50;
  blind.message1 = " is blinded!";
  blind.message2 = " is blinded!";
  blind.message5 = " can see again.";

  TLcfStatusItem& silence = *db.conditions.FindById(kCondSilence);
  silence.color = 4;
  silence.abateTurns = 4;
  silence.recoverChance = 30;
  silence.lockIntelligenceSkills = 1;
  silence.message1 = " is silenced!";
  silence.message2 = " is silenced!";
  silence.message5 = " can speak again.";

  TLcfStatusItem& sleep = *db.conditions.FindById(kCondSleep);
  sleep.color = 1;
  sleep.restriction = 1;
  sleep.abateTurns = 3;
  sleep.recoverChance = 40;
  sleep.damageRecoverChance = 100;
  sleep.message1 = " falls asleep!";
  sleep.message2 = " falls asleep!";
  sleep.message3 = " is asleep.";
  sleep.message5 = " wakes up!";
}

// An animation that shows the picture's cells one after another, with a sound and a flash.
void Animation(TLcfAnimationItem& a, const std::string& name, const std::string& file, bool large, int cells,
               const std::string& sound, int red, int green, int blue) {
  a.name = name;
  a.animationFile = file;
  a.largeCells = large ? 1 : 0;
  a.SetFrameCount(cells + 2);
  for (int f = 0; f < a.FrameCount(); ++f) {
    TLcfAnimationPatternItem* frame = a.frames.ItemAt(f);
    frame->cells.Clear();
    TLcfAnimationCellItem* cell = frame->cells.ItemAt(frame->AddCell());
    cell->section = f < cells ? f : cells - 1;
    if (f >= cells) cell->transparency = 40 * (f - cells + 1);
  }
  a.timings.Clear();
  TLcfAnimationTimingItem* start = a.timings.Append();
  start->frame = 1;
  start->sound.name = sound;
  TLcfAnimationTimingItem* flash = a.timings.Append();
  flash->frame = cells / 2;
  flash->sound.name = kNoSoundName;
  flash->flashScope = 1;
  flash->flashRed = red;
  flash->flashGreen = green;
  flash->flashBlue = blue;
  flash->flashStrength = 20;
  a.MarkDirty();
}

void FillAnimations(TLcfDataBase& db) {
  db.animations.SetCount(7);
  Animation(*db.animations.FindById(kAnimSlash), "Slash", "Slash", false, 10, "Slash", 31, 31, 31);
  Animation(*db.animations.FindById(kAnimFire), "Fire", "Fire", false, 10, "Magic", 31, 16, 4);
  Animation(*db.animations.FindById(kAnimIce), "Ice", "Ice", false, 10, "Magic", 16, 24, 31);
  Animation(*db.animations.FindById(kAnimHeal), "Heal", "Heal", false, 10, "Heal", 16, 31, 16);
  Animation(*db.animations.FindById(kAnimThunder), "Thunder", "Thunder", false, 10, "Explosion", 31, 31, 12);
  Animation(*db.animations.FindById(kAnimExplosion), "Explosion", "Explosion", true, 10, "Explosion", 31, 20, 8);
  Animation(*db.animations.FindById(kAnimArrow), "Arrow", "Slash", false, 6, "Blow", 31, 31, 31);
  // Everything happens to all enemies at once for the big spells.
  db.animations.FindById(kAnimThunder)->scope = 1;
  db.animations.FindById(kAnimExplosion)->scope = 1;
  db.animations.FindById(kAnimThunder)->MarkDirty();
  db.animations.FindById(kAnimExplosion)->MarkDirty();
}

// The battler sets: each pose is a row of the package's battler sheets.
void FillBattlerAnimations(TLcfDataBase& db) {
  // Sheet rows: 0 idle, 1 attack, 2 skill, 3 defend, 4 hit, 5 fallen, 6 victory, 7 walking.
  static constexpr int kRowOfPose[12] = {0, 1, 1, 2, 5, 4, 4, 3, 7, 7, 6, 2};
  static const char* const kWeaponNames[8] = {"Sword",  "Long Sword", "Axe",        "Spear",
                                              "Dagger", "Hammer",     "Gold Sword", "Wand"};
  db.battlerAnimations.SetCount(2);
  const char* const sheets[2] = {"Swordsman", "Mage"};
  for (int s = 0; s < 2; ++s) {
    TLcfAnimation2Item& set = *db.battlerAnimations.ItemAt(s);
    set.name = sheets[s];
    set.speed = 14;
    for (int pose = 0; pose < 12; ++pose) {
      TLcfBattleMyCharacterItem& p = *set.poses.ItemAt(pose);
      p.sheetFile = sheets[s];
      p.sheetIndex = kRowOfPose[pose];
    }
    for (int w = 0; w < 8; ++w) {
      TLcfCBAWeaponItem& weapon = *set.weapons.ItemAt(w);
      weapon.name = kWeaponNames[w];
      weapon.sheetFile = "Weapons";
      weapon.sheetIndex = w;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Skills and items

enum : int32_t { kSkillFire = 1, kSkillIce, kSkillThunder, kSkillHeal, kSkillCure, kSkillPowerStrike, kSkillAimedShot };

TLcfSkillItem& Skill(TLcfDataBase& db, int32_t id, const std::string& name, const std::string& description, int mp,
                     uint8_t target, int32_t animation, int rating) {
  TLcfSkillItem& s = *db.skills.FindById(id);
  s.name = name;
  s.description = description;
  s.mpCost = mp;
  s.target = target;
  s.animationId = animation;
  s.effectRating = rating;
  s.affectHP = 1;
  s.usableOnField = 0;
  return s;
}

void Attribute(TLcfSkillItem& s, int32_t attribute, int attributeCount) {
  s.ResizeSkillAttributes(attributeCount);
  s.SetSkillAttribute(attribute, 1);
}

void FillSkills(TLcfDataBase& db) {
  const int attributes = db.attributes.Count();
  db.skills.SetCount(7);
  Attribute(Skill(db, kSkillFire, "Fire", "Burns one enemy.", 4, 0, kAnimFire, 30), kAttrFire, attributes);
  Attribute(Skill(db, kSkillIce, "Ice", "Freezes one enemy.", 4, 0, kAnimIce, 30), kAttrIce, attributes);
  Attribute(Skill(db, kSkillThunder, "Thunder", "Strikes every enemy.", 10, 1, kAnimThunder, 45), kAttrThunder,
            attributes);
  TLcfSkillItem& heal = Skill(db, kSkillHeal, "Heal", "Restores an ally's HP.", 5, 3, kAnimHeal, 50);
  heal.usableOnField = 1;
  TLcfSkillItem& cure = Skill(db, kSkillCure, "Cure", "Cures poison and blindness.", 3, 3, kAnimHeal, 0);
  cure.affectHP = 0;
  cure.usableOnField = 1;
  cure.ResizeSkillConditions(kCondBlind);
  cure.SetSkillCondition(kCondPoison, 1);
  cure.SetSkillCondition(kCondBlind, 1);
  TLcfSkillItem& strike =
      Skill(db, kSkillPowerStrike, "Power Strike", "A mighty blow at one enemy.", 6, 0, kAnimSlash, 20);
  strike.attackInfluence = 6;
  strike.intelligenceInfluence = 0;
  Attribute(strike, kAttrSword, attributes);
  TLcfSkillItem& shot = Skill(db, kSkillAimedShot, "Aimed Shot", "An arrow that never misses.", 5, 0, kAnimArrow, 15);
  shot.attackInfluence = 5;
  shot.intelligenceInfluence = 0;
  Attribute(shot, kAttrBow, attributes);
}

TLcfItemItem& Item(TLcfDataBase& db, int32_t id, const std::string& name, const std::string& description, uint8_t type,
                   int price) {
  TLcfItemItem& item = *db.items.FindById(id);
  item.name = name;
  item.description = description;
  item.itemType = type;
  item.price = price;
  return item;
}

void FillItems(TLcfDataBase& db) {
  const int attributes = db.attributes.Count();
  db.items.SetCount(11);
  Item(db, kItemPotion, "Potion", "Restores 50 HP to one ally.", kItemMedicine, 30).hpRecovery = 50;
  Item(db, kItemEther, "Ether", "Restores 20 MP to one ally.", kItemMedicine, 120).mpRecovery = 20;
  TLcfItemItem& antidote = Item(db, kItemAntidote, "Antidote", "Cures poison.", kItemMedicine, 20);
  antidote.ResizeItemConditions(kCondPoison);
  antidote.SetItemCondition(kCondPoison, 1);

  auto weapon = [&](int32_t id, const std::string& name, const std::string& text, int price, int attack,
                    int32_t animation, int32_t attribute) -> TLcfItemItem& {
    TLcfItemItem& w = Item(db, id, name, text, kItemWeapon, price);
    w.attackBonus = attack;
    w.attackAnimation = animation;
    w.ResizeItemAttributes(attributes);
    w.SetItemAttribute(attribute, 1);
    return w;
  };
  weapon(kItemBronzeSword, "Bronze Sword", "A plain but sturdy blade.", 100, 12, kAnimSlash, kAttrSword);
  weapon(kItemOakStaff, "Oak Staff", "Sharpens the mind of its bearer.", 80, 5, kAnimSlash, kAttrBlunt)
      .intelligenceBonus = 6;
  weapon(kItemShortBow, "Short Bow", "Shoots arrows from afar.", 120, 10, kAnimArrow, kAttrBow).twoHanded = 1;
  Item(db, kItemLeatherShield, "Leather Shield", "A small round shield.", kItemShield, 60).defenseBonus = 4;
  Item(db, kItemLeatherArmor, "Leather Armor", "Light armor of boiled leather.", kItemArmor, 90).defenseBonus = 8;
  Item(db, kItemLeatherCap, "Leather Cap", "Keeps the rain off, mostly.", kItemHelmet, 40).defenseBonus = 3;
  TLcfItemItem& charm = Item(db, kItemLuckyCharm, "Lucky Charm", "A rabbit's foot on a string.", kItemAccessory, 150);
  charm.agilityBonus = 5;
  charm.raiseEvasion = 1;
  Item(db, kItemOldKey, "Old Key", "A rusty key from the village.", kItemCommon, 0);
}

// ---------------------------------------------------------------------------------------------
// Classes and heroes

enum : int32_t { kCmdFight = 1, kCmdSkill, kCmdDefend, kCmdItem, kCmdEscape };

struct TGrowth {
  int hp1, hp99, mp1, mp99, atk1, atk99, def1, def99, int1, int99, agi1, agi99;
};

void Grow(TLcfActorBase& actor, const TGrowth& g) {
  const int ends[kParameterCount][2] = {{g.hp1, g.hp99},   {g.mp1, g.mp99},   {g.atk1, g.atk99},
                                        {g.def1, g.def99}, {g.int1, g.int99}, {g.agi1, g.agi99}};
  for (int p = 0; p < kParameterCount; ++p) CurveFromEndpoints(actor.parameters, p, ends[p][0], ends[p][1], 3);
}

void Commands(TLcfActorBase& actor, std::initializer_list<int32_t> commands) {
  int slot = 0;
  for (int32_t id : commands) actor.SetBattleCommand(slot++, id);
  actor.SetBattleCommand(slot++, 0);
  while (slot < kBattleCommandSlots) actor.SetBattleCommand(slot++, -1);
}

struct TClass {
  const char* name;
  TGrowth growth;
  int32_t battler;
  std::vector<std::pair<int, int32_t>> skills;  // level, skill
};

const TClass kClasses[] = {
    {"Warrior", {60, 3200, 0, 180, 14, 420, 12, 380, 4, 160, 8, 260}, 1, {{3, kSkillPowerStrike}}},
    {"Mage",
     {38, 2100, 20, 720, 6, 200, 6, 220, 14, 480, 10, 300},
     2,
     {{1, kSkillFire}, {3, kSkillIce}, {8, kSkillThunder}}},
    {"Ranger", {48, 2600, 8, 300, 11, 360, 9, 300, 8, 260, 14, 420}, 1, {{2, kSkillAimedShot}}},
    {"Cleric", {44, 2400, 16, 600, 8, 240, 9, 280, 12, 420, 9, 280}, 2, {{1, kSkillHeal}, {4, kSkillCure}}},
};

void FillClasses(TLcfDataBase& db) {
  db.classes.SetCount(4);
  for (int i = 0; i < 4; ++i) {
    const TClass& c = kClasses[i];
    TLcfJobItem& job = *db.classes.ItemAt(i);
    job.name = c.name;
    Grow(job, c.growth);
    job.expPrimary = 25;
    job.expSecondary = 20;
    job.battlerAnimation = c.battler;
    Commands(job, {kCmdFight, kCmdSkill, kCmdDefend, kCmdItem});
    job.skills.Clear();
    for (auto [level, skill] : c.skills) job.skills.AddSkill(level, skill);
  }
}

struct THero {
  const char* name;
  const char* title;
  int32_t look;  // character on the Heroes sheets
  int32_t classId;
  uint16_t equipment[kEquipmentSlots];
};

const THero kHeroes[] = {
    {"Aldric", "Swordsman", 0, 1, {kItemBronzeSword, kItemLeatherShield, kItemLeatherArmor, kItemLeatherCap, 0}},
    {"Mira", "Mage", 1, 2, {kItemOakStaff, 0, kItemLeatherArmor, 0, 0}},
    {"Wren", "Archer", 2, 3, {kItemShortBow, 0, kItemLeatherArmor, kItemLeatherCap, 0}},
    {"Elna", "Cleric", 3, 4, {kItemOakStaff, kItemLeatherShield, 0, 0, kItemLuckyCharm}},
};

void FillHeroes(TLcfDataBase& db) {
  db.heroes.SetCount(4);
  for (int i = 0; i < 4; ++i) {
    const THero& h = kHeroes[i];
    TLcfPlayerItem& hero = *db.heroes.ItemAt(i);
    hero.name = h.name;
    hero.title = h.title;
    hero.charSetFile = "Heroes";
    hero.charSetIndex = h.look;
    hero.faceSetFile = "Heroes";
    hero.faceIndex = 2 * h.look;
    hero.classId = h.classId;
    hero.maxLevel = 50;
    for (int slot = 0; slot < kEquipmentSlots; ++slot) hero.SetEquipment(slot, h.equipment[slot]);
    ApplyClassToHero(*db.classes.FindById(h.classId), hero, db.conditions.Count(), db.attributes.Count());
  }
  // Skills and items show the battler pose of every hero.
  for (int i = 0; i < db.skills.Count(); ++i) db.skills.ItemAt(i)->battlerAnimations.ExtendToHeroes(4);
  for (int i = 0; i < db.items.Count(); ++i)
    if (db.items.ItemAt(i)->IsWeapon()) db.items.ItemAt(i)->battlerAnimations.ExtendToHeroes(4);
}

// ---------------------------------------------------------------------------------------------
// Monsters and troops

enum : int32_t { kMonSlime = 1, kMonBat, kMonGoblin, kMonSkeleton, kMonGhost, kMonDragon };

struct TMonster {
  const char* name;
  int hp, mp, attack, defense, intelligence, agility, experience, money;
  int32_t drop;
};

const TMonster kMonsters[] = {
    {"Slime", 24, 0, 12, 8, 4, 6, 4, 6, kItemPotion},
    {"Bat", 18, 0, 14, 6, 4, 18, 5, 4, 0},
    {"Goblin", 40, 0, 20, 12, 6, 12, 9, 14, kItemAntidote},
    {"Skeleton", 70, 10, 26, 18, 8, 10, 16, 20, kItemEther},
    {"Ghost", 45, 30, 16, 14, 22, 16, 14, 12, kItemEther},
    {"Dragon", 400, 80, 48, 36, 40, 24, 120, 300, kItemLuckyCharm},
};

void FillMonsters(TLcfDataBase& db) {
  db.monsters.SetCount(6);
  for (int i = 0; i < 6; ++i) {
    const TMonster& m = kMonsters[i];
    TLcfMonsterItem& monster = *db.monsters.ItemAt(i);
    monster.name = m.name;
    monster.monsterFile = m.name;
    monster.maxHP = m.hp;
    monster.maxMP = m.mp;
    monster.attack = m.attack;
    monster.defense = m.defense;
    monster.intelligence = m.intelligence;
    monster.agility = m.agility;
    monster.experience = m.experience;
    monster.money = m.money;
    monster.dropItemId = m.drop;
    monster.dropChance = 20;
  }
  db.monsters.FindById(kMonBat)->flying = 1;
  db.monsters.FindById(kMonGhost)->flying = 1;
  db.monsters.FindById(kMonGhost)->transparent = 1;
  db.monsters.FindById(kMonDragon)->criticalHits = 1;
  // Spellcasters and the dragon use skills now and then.
  auto skillAction = [&](int32_t monster, int32_t skill, int priority) {
    TLcfMonsterActItem* act = db.monsters.FindById(monster)->actions.Append();
    act->actionKind = kActionSkill;
    act->skillId = skill;
    act->priority = priority;
  };
  skillAction(kMonGhost, kSkillIce, 40);
  skillAction(kMonSkeleton, kSkillPowerStrike, 30);
  skillAction(kMonDragon, kSkillFire, 50);
  skillAction(kMonDragon, kSkillThunder, 25);
  TLcfMonsterActItem* guard = db.monsters.FindById(kMonSkeleton)->actions.Append();
  guard->basicAction = 2;  // defend
  guard->priority = 20;
  // The ghost resists physical blows and fears the holy.
  TLcfMonsterItem& ghost = *db.monsters.FindById(kMonGhost);
  ghost.ResizeAttributeRanks(db.attributes.Count());
  ghost.SetAttributeRank(kAttrSword, kRankC + 1);  // D: half damage
  ghost.SetAttributeRank(kAttrHoly, kRankA);
}

struct TTroop {
  const char* name;
  std::vector<std::tuple<int32_t, int, int>> members;  // monster, x, y
};

void FillTroops(TLcfDataBase& db) {
  // In the order of TDemoTroop.
  const std::vector<TTroop> troops = {
      {"Slime x2", {{kMonSlime, 130, 130}, {kMonSlime, 190, 140}}},
      {"Bat x3", {{kMonBat, 100, 90}, {kMonBat, 160, 80}, {kMonBat, 220, 95}}},
      {"Goblin Band", {{kMonGoblin, 110, 130}, {kMonGoblin, 170, 140}, {kMonSlime, 225, 150}}},
      {"Restless Dead", {{kMonSkeleton, 120, 130}, {kMonGhost, 200, 100}}},
      {"Skeleton Guard", {{kMonSkeleton, 160, 130}}},
      {"Dragon", {{kMonDragon, 160, 110}}},
  };
  db.troops.SetCount(int(troops.size()));
  for (size_t i = 0; i < troops.size(); ++i) {
    TLcfMonGroupItem& troop = *db.troops.ItemAt(int(i));
    troop.name = troops[i].name;
    for (auto [monster, x, y] : troops[i].members) {
      TLcfMonGroupMonsterItem* member = troop.members.Append();
      member->monsterId = monster;
      member->x = x;
      member->y = y;
    }
  }
  // The guard taunts once the battle has gone on for a while.
  TLcfBattleEventPageItem& page = *db.troops.FindById(kTroopGuard)->pages.ItemAt(0);
  page.trigger.flags = kTriggerTurns;
  page.trigger.turnsA = 0;
  page.trigger.turnsB = 3;
  TScript().Message({"Skeleton Guard: The crystal is not", "for the likes of you!"}).WriteTo(page.lines);
}

// ---------------------------------------------------------------------------------------------
// Terrain and tilesets

enum : int32_t {
  kTerrainGrass = 1,
  kTerrainForest,
  kTerrainSand,
  kTerrainWater,
  kTerrainDeepWater,
  kTerrainCave,
  kTerrainFloor,
  kTerrainMountain,
  kTerrainLava
};

void FillTerrain(TLcfDataBase& db) {
  Named(db.terrain, {"Grassland", "Forest", "Sand", "Shallows", "Deep Water", "Cave", "Floor", "Mountain", "Lava"});
  auto set = [&](int32_t id, const std::string& backdrop, int encounterRate) -> TLcfGroundItem& {
    TLcfGroundItem& t = *db.terrain.FindById(id);
    t.backdropFile = backdrop;
    t.encounterRate = encounterRate;
    return t;
  };
  set(kTerrainGrass, "Grassland", 100).footstepSound.name = kNoSoundName;
  TLcfGroundItem& forest = set(kTerrainForest, "Forest", 150);
  forest.spriteDisplay = 1;
  forest.specialBattles = kBackAttack;
  set(kTerrainSand, "Grassland", 80);
  TLcfGroundItem& shallows = set(kTerrainWater, "Grassland", 100);
  shallows.skiffPass = 1;
  shallows.shipPass = 1;
  shallows.airshipLand = 0;
  TLcfGroundItem& deep = set(kTerrainDeepWater, "Grassland", 100);
  deep.shipPass = 1;
  deep.airshipLand = 0;
  TLcfGroundItem& cave = set(kTerrainCave, "Cave", 100);
  cave.SetGridPreset(2);
  set(kTerrainFloor, "Castle", 0);
  TLcfGroundItem& mountain = set(kTerrainMountain, "Grassland", 100);
  mountain.airshipLand = 0;
  TLcfGroundItem& lava = set(kTerrainLava, "Cave", 100);
  lava.damage = 5;
  lava.footstepSound.name = "Explosion";
  lava.soundOnlyOnDamage = 1;
}

// Chip index of a lower tile id (water and autotile kinds by their block).
int LowerIndex(int id) {
  if (id < 3000) return id / 1000;
  if (id < 4000) return (id - 3000) / 50 + 3;
  if (id < 5000) return (id - 4000) / 50 + 6;
  return id - 4982;
}

constexpr uint8_t kOpen = kDefaultChipFlags, kBlocked = 0, kOverhead = kDefaultChipFlags | kChipStar;
constexpr uint8_t kAcross = kPassLeft | kPassRight, kAlong = kPassUp | kPassDown;

void SetLower(TLcfChipSetItem& t, int firstChip, int lastChip, uint8_t flags) {
  for (int chip = firstChip; chip <= lastChip; ++chip) t.SetLowerFlags(LowerIndex(Lower(chip)), flags);
}
void Block(TLcfChipSetItem& t, std::initializer_list<int> lowerIds) {
  for (int id : lowerIds) t.SetLowerFlags(LowerIndex(id), kBlocked);
}
// Upper objects of w x h chips: the top row of a tall object is drawn over the hero, the rest
// blocks.
void BlockObject(TLcfChipSetItem& t, int first, int w, int h) {
  for (int row = 0; row < h; ++row)
    for (int col = 0; col < w; ++col)
      t.SetUpperFlags(first + row * kPaletteRow + col, h > 1 && row == 0 ? kOverhead : kBlocked);
}

void FillFieldTileset(TLcfChipSetItem& t) {
  using namespace field;
  t.name = "Field";
  t.chipSetFile = "Field";
  // Terrain: water kinds, forests, sand, mountains, floors, lava; the rest is grassland.
  t.SetTerrain(0, kTerrainWater);
  t.SetTerrain(1, kTerrainWater);
  t.SetTerrain(2, kTerrainDeepWater);
  for (int b : {kAutoForest, kAutoPines}) t.SetTerrain(LowerIndex(Auto(b)), kTerrainForest);
  t.SetTerrain(LowerIndex(Auto(kAutoSand)), kTerrainSand);
  t.SetTerrain(LowerIndex(Lower(kSand)), kTerrainSand);
  t.SetTerrain(LowerIndex(Lower(kSandShells)), kTerrainSand);
  t.SetTerrain(LowerIndex(Auto(kAutoRock)), kTerrainMountain);
  for (int chip = kPlanks; chip <= kMat; ++chip) t.SetTerrain(LowerIndex(Lower(chip)), kTerrainFloor);
  t.SetTerrain(LowerIndex(Lower(kLava)), kTerrainLava);

  // Passability of the ground: water, rock, forest and the void are closed, and so are the faces
  // of cliffs, walls and roofs; bridges cross one way; stairs, ladders and cave mouths lead on.
  Block(t, {Water(0), Water(1), Water(2), Auto(kAutoRock), Auto(kAutoForest), Auto(kAutoPines), Lower(kPit),
            Lower(kLava)});
  SetLower(t, kCliffTop, kBlueRoofBottom + 2, kBlocked);  // cliffs, walls and roofs
  SetLower(t, kWoodBridgeH, kWoodBridgeH, kAcross);
  SetLower(t, kWoodBridgeH + 1, kWoodBridgeH + 1, kAlong);
  SetLower(t, kWoodBridgeH + 2, kWoodBridgeH + 2, kAcross);
  SetLower(t, kWoodBridgeH + 3, kWoodBridgeH + 3, kAlong);
  SetLower(t, 72, 83, kBlocked);   // inner walls
  SetLower(t, 96, 119, kBlocked);  // ice and sand cliffs, cave mouths, the vine cliff
  SetLower(t, kCaveBottom, kCaveBottom + 3, kOpen);
  SetLower(t, 132, 143, kBlocked);  // battlements and hedges

  // Upper objects: flowers and grass stay passable; trees, rocks and furniture block; the
  // counter lets the innkeeper be spoken to across it.
  for (int chip :
       {kBush, kStone, kFenceLeft, kFence, kFenceRight, kFencePost, kSign,  kStump, kBarrel, kCrate, kPot, kSack, 40,
        41,    kGrave, kGrave + 1, kLogs,  kHay,        kPlantPot,  kChair, 66,     67,      68,     84,   85})
    BlockObject(t, chip, 1, 1);
  for (int chip = 126; chip < 132; ++chip) BlockObject(t, chip, 1, 1);  // pots
  for (int chip : {kTree, kAutumnTree, kBoulder, kBerryBush, kWell, 72, 74, kAppleTree, 92, 94, kBlossomTree, kDarkTree,
                   kOliveTree, 114, 116})
    BlockObject(t, chip, 2, 2);
  for (int chip : {kPine, kSnowPine, kLampPost, kStatue, kBed, kBookShelf, kShelf, kBanner, 90, 91, 118, 119})
    BlockObject(t, chip, 1, 2);
  t.SetUpperFlags(kTable, kBlocked | kChipCounter);
  t.SetUpperFlags(kTable + 1, kBlocked | kChipCounter);
}

void FillDungeonTileset(TLcfChipSetItem& t) {
  using namespace dungeon;
  t.name = "Dungeon";
  t.chipSetFile = "Dungeon";
  for (int index = 0; index < kLowerChipKinds; ++index) t.SetTerrain(index, kTerrainCave);
  t.SetTerrain(0, kTerrainWater);
  t.SetTerrain(1, kTerrainWater);
  t.SetTerrain(2, kTerrainDeepWater);
  t.SetTerrain(LowerIndex(Auto(kAutoLava)), kTerrainLava);
  t.SetTerrain(LowerIndex(Lower(kLava)), kTerrainLava);

  // Closed: water, ceilings, chasms, lava and every wall face; stairs and the ladder lead on,
  // bridges cross the chasm one way.
  Block(t, {Water(0), Water(1), Water(2), Auto(kAutoCeiling), Auto(kAutoBrickTop), Auto(kAutoPit), Auto(kAutoLava),
            Auto(kAutoVaultPit), Lower(kLava), Lower(kRock), Lower(kPit)});
  SetLower(t, kRockWallTop, 35, kBlocked);
  SetLower(t, 33, 35, kOpen);
  SetLower(t, 48, 59, kBlocked);
  SetLower(t, 84, 143, kBlocked);
  SetLower(t, kBridgeH, kBridgeH, kAcross);
  SetLower(t, kBridgeH + 1, kBridgeH + 1, kAlong);

  for (int chip : {kStalagmite, kSkeleton, kBarrel, kCrate, kPot, kBrazier, kBoneHeap, 41, 58, 59})
    BlockObject(t, chip, 1, 1);
  for (int chip = 72; chip < 90; ++chip) BlockObject(t, chip, 1, 1);    // crystals, stalagmites, stones
  for (int chip = 114; chip < 126; ++chip) BlockObject(t, chip, 1, 1);  // pots and chests
  for (int chip : {kBoulder, kCrystals, 18, 20, 60, 62, 64, 102, 104, 106}) BlockObject(t, chip, 2, 2);
  for (int chip : {kPillar, kBrokenPillar, 22, 23, 42, 45, 46, 47, 90, 91, 92, 93, 94, 95, 135, 136, 137})
    BlockObject(t, chip, 1, 2);
  t.SetUpperFlags(54, kBlocked);  // the altar, 2 x 1
  t.SetUpperFlags(55, kBlocked);
  t.SetUpperFlags(56, kBlocked | kChipCounter);  // the table
  t.SetUpperFlags(57, kBlocked | kChipCounter);
  t.waterSpeed = 1;
}

// ---------------------------------------------------------------------------------------------
// System, vocabulary, switches, variables, common events

// The system settings on the package's pictures, music and sounds, with the first partySize
// heroes in the party and the battle test party (at level 5 with their gear, or at level 1 with
// none).
void FillSystem(TLcfDataBase& db, int partySize, bool equipped) {
  TLcfSystem& s = db.system;
  s.formatVersion = TLcfSystem::kCurrentFormatVersion;
  s.titleName = "Meadow";
  s.gameOverName = "Fallen";
  s.systemGraphic = "Blue";
  s.battleGraphic = "Gauges";
  s.useFrame = 0;
  s.frameName = "Gilded";
  s.troopPreviewBackdrop = "Grassland";
  s.SetPartySize(partySize);
  for (int i = 0; i < partySize; ++i) s.SetPartyMember(i, i + 1);
  s.SetMenuCommandCount(6);
  for (int i = 0; i < 6; ++i) s.SetMenuCommand(i, i + 1);  // item, skill, equip, save, status, row

  auto music = [](TLcfMusic& m, const std::string& name) {
    m.Reset();
    m.name = name;
  };
  music(s.titleMusic, "Village");
  music(s.battleMusic, "Battle");
  music(s.victoryMusic, "Victory");
  music(s.innMusic, "Inn");
  music(s.skiffMusic, "Field");
  music(s.shipMusic, "Field");
  music(s.airshipMusic, "Field");
  music(s.gameOverMusic, "Dungeon");
  auto sound = [](TLcfSound& m, const std::string& name) {
    m.Reset();
    m.name = name;
  };
  sound(s.cursorSound, "Cursor");
  sound(s.decisionSound, "Decide");
  sound(s.cancelSound, "Cancel");
  sound(s.buzzerSound, "Buzzer");
  sound(s.battleStartSound, "Magic");
  sound(s.escapeSound, "Step");
  sound(s.enemyAttackSound, "Slash");
  sound(s.enemyDamagedSound, "Blow");
  sound(s.allyDamagedSound, "Blow");
  sound(s.evasionSound, "Cancel");
  sound(s.enemyDefeatedSound, "Explosion");
  sound(s.itemSound, "Item");

  s.testParty.SetCount(partySize);
  for (int i = 0; i < partySize; ++i) {
    TLcfTestPlayerItem& member = *s.testParty.ItemAt(i);
    member.heroId = i + 1;
    member.level = equipped ? 5 : 1;
    for (int slot = 0; slot < TLcfTestPlayerItem::kEquipSlots; ++slot)
      member.SetEquip(slot, equipped ? kHeroes[i].equipment[slot] : 0);
  }
  s.testTerrain = kTerrainGrass;
}

void FillVocabulary(TLcfVocabulary& v) {
  const std::pair<int, const char*> texts[] = {
      {vtBattleStart, " appeared!"},
      {vtInitiative, "You caught them off guard!"},
      {vtMiss, "Miss!"},
      {vtEscapeFailure, "Could not get away!"},
      {vtVictory, "Victory!"},
      {vtDefeat, "The party has fallen..."},
      {vtExperienceGain, " experience points gained."},
      {vtMoneyBefore, "Found "},
      {vtMoneyAfter, "!"},
      {vtItemFound, " was found!"},
      {vtLevelUp, " rose to level "},
      {vtSkillLearned, " was learned!"},
      {vtItemsPossessed, "Owned"},
      {vtItemEquipped, "Equipped"},
      {vtCurrency, "G"},
      {vtFight, "Fight"},
      {vtAutoFight, "Auto"},
      {vtEscape, "Run"},
      {vtItem, "Item"},
      {vtSkill, "Skill"},
      {vtEquip, "Equip"},
      {vtSave, "Save"},
      {vtQuit, "Quit"},
      {vtNewGame, "New Game"},
      {vtLoadGame, "Continue"},
      {vtEndGame, "Exit"},
      {vtStatus, "Status"},
      {vtRow, "Row"},
      {vtOrder, "Order"},
      {vtWaitOn, "Wait ON"},
      {vtWaitOff, "Wait OFF"},
      {vtLevel, "Level"},
      {vtHp, "HP"},
      {vtMp, "MP"},
      {vtNormalStatus, "Normal"},
      {vtExperience, "Exp"},
      {vtLevelShort, "Lv"},
      {vtHpShort, "HP"},
      {vtMpShort, "MP"},
      {vtMpConsumed, "MP Cost"},
      {vtAttack, "Attack"},
      {vtDefense, "Defense"},
      {vtIntelligence, "Intellect"},
      {vtAgility, "Agility"},
      {vtWeapon, "Weapon"},
      {vtShield, "Shield"},
      {vtArmor, "Armor"},
      {vtHelmet, "Helmet"},
      {vtAccessory, "Accessory"},
      {vtChooseSaveSlot, "Save to which file?"},
      {vtChooseLoadSlot, "Load which file?"},
      {vtFile, "File"},
      {vtConfirmQuit, "Do you really want to quit?"},
      {vtYes, "Yes"},
      {vtNo, "No"},
  };
  for (auto [id, text] : texts) v.SetText(id, text);

  const char* const shops[TLcfVocabulary::kShopCount][TLcfVocabularyShop::kTextCount] = {
      {"Welcome! What can I do for you?", "Anything else?", "Buy", "Sell", "Leave", "What would you like?", "How many?",
       "Thank you!", "What will you sell?", "How many?", "A fine deal!"},
      {"Step right up, traveller!", "Need anything more?", "Buy", "Sell", "Bye", "Take your pick.",
       "How many do you need?", "Pleasure doing business!", "Show me what you have.", "How many will you part with?",
       "Sold!"},
      {"Hmph. Buying or selling?", "What else?", "Buy", "Sell", "Done", "Pick something.", "How many?", "Right.",
       "What is it?", "How many?", "Fine."},
  };
  for (int s = 0; s < TLcfVocabulary::kShopCount; ++s)
    for (int i = 0; i < TLcfVocabularyShop::kTextCount; ++i) v.shops[s].Text(i) = shops[s][i];
  const char* const inns[TLcfVocabulary::kInnCount][TLcfVocabularyInn::kTextCount] = {
      {"A night's rest is ", ".", "Would you like to stay?", "Stay", "Leave"},
      {"It costs ", " to sleep here.", "Will you stay the night?", "Yes", "No"},
  };
  for (int s = 0; s < TLcfVocabulary::kInnCount; ++s)
    for (int i = 0; i < TLcfVocabularyInn::kTextCount; ++i) v.inns[s].Text(i) = inns[s][i];
}

void FillSwitchesAndVariables(TLcfDataBase& db) {
  Named(db.switches, {"Elder talked", "Cave chest opened", "Skeleton defeated", "Woods chest opened"});
  Named(db.variables, {"Steps taken", "Battles won"});
}

void FillCommonEvents(TLcfDataBase& db) {
  db.commonEvents.SetCount(1);
  TLcfCommonEventItem& recovery = *db.commonEvents.ItemAt(0);
  recovery.name = "Full Recovery";
  recovery.trigger = TLcfCommonEventItem::kCall;
  TScript()
      .Sound("Heal")
      .Line(11040, "", {31, 31, 31, 20, 5, 1, 0})  // a white flash
      .Line(10490, "", {0, 0})                     // heal the whole party
      .Message({"The party is fully restored!"})
      .WriteTo(recovery.lines);
}

void FillBattleCommands(TLcfDataBase& db) {
  Named(db.battle.commands, {"Fight", "Skill", "Defend", "Item", "Run"});
  for (int i = 0; i < db.battle.commands.Count(); ++i) {
    static constexpr int32_t kArchetypes[] = {0, 1, 3, 4, 5};
    db.battle.commands.ItemAt(i)->archetype = kArchetypes[i];
  }
}

void FillTilesets(TLcfDataBase& db) {
  db.tilesets.SetCount(2);
  FillFieldTileset(*db.tilesets.FindById(1));
  FillDungeonTileset(*db.tilesets.FindById(2));
}

}  // namespace

void FillStarterDatabase(TLcfDataBase& db) {
  db.ResetDatabase();
  db.system.formatVersion = TLcfSystem::kCurrentFormatVersion;
  FillBattlerAnimations(db);
  FillBattleCommands(db);
  FillTerrain(db);
  FillTilesets(db);

  // One class and one hero of the first kind the demo has, with sprite, face and battler.
  TLcfJobItem& job = *db.classes.ItemAt(0);
  job.name = kClasses[0].name;
  Grow(job, kClasses[0].growth);
  job.expPrimary = 25;
  job.expSecondary = 20;
  job.battlerAnimation = kClasses[0].battler;
  Commands(job, {kCmdFight, kCmdSkill, kCmdDefend, kCmdItem});
  job.skills.Clear();
  TLcfPlayerItem& hero = *db.heroes.ItemAt(0);
  hero.name = kHeroes[0].name;
  hero.title = kHeroes[0].title;
  hero.charSetFile = "Heroes";
  hero.charSetIndex = kHeroes[0].look;
  hero.faceSetFile = "Heroes";
  hero.faceIndex = 2 * kHeroes[0].look;
  hero.classId = 1;
  hero.maxLevel = 50;
  ApplyClassToHero(job, hero, db.conditions.Count(), db.attributes.Count());

  FillSystem(db, 1, false);
  FillVocabulary(db.vocabulary);
}

void FillDemoDatabase(TLcfDataBase& db) {
  FillAttributes(db);
  FillConditions(db);
  FillAnimations(db);
  FillBattlerAnimations(db);
  FillSkills(db);
  FillItems(db);
  FillBattleCommands(db);
  FillClasses(db);
  FillHeroes(db);
  FillMonsters(db);
  FillTroops(db);
  FillTerrain(db);
  FillTilesets(db);
  FillSystem(db, 2, true);
  FillVocabulary(db.vocabulary);
  FillSwitchesAndVariables(db);
  FillCommonEvents(db);
}

}  // namespace tess::rtp
