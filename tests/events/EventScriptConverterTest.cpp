// The exact text of every command code, with the names looked up in a small database, map tree,
// map and troop.
#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "script/EventCommands.h"
#include "script/EventScriptConverter.h"

using namespace tess;

namespace {

void Name(TCatalog& list, int32_t id, const char* name) {
  if (list.Count() < id) list.Resize(id);
  list.FindById(id)->name = name;
}

// A database, map tree, map, edited event and troop with a few named entries each.
struct TWorld {
  TLcfDataBase db;
  TLcfMapTree tree;
  TLcfMap map;
  TLcfEventItem edited;
  TLcfMonGroupItem troop;

  TWorld() {
    Name(db.switches, 1, "Door");
    Name(db.switches, 7, "");
    Name(db.variables, 1, "Gold");
    Name(db.variables, 12, "Steps");
    Name(db.heroes, 1, "Alex");
    Name(db.heroes, 2, "Brian");
    Name(db.skills, 1, "Heal");
    Name(db.items, 1, "Potion");
    Name(db.items, 2, "Ether");
    Name(db.troops, 1, "Slimes");
    Name(db.conditions, 1, "Poison");
    Name(db.animations, 1, "Slash");
    Name(db.classes, 1, "Knight");
    Name(db.battle.commands, 1, "Attack");
    Name(db.terrain, 1, "Grass");
    Name(db.tilesets, 1, "Field");
    Name(db.commonEvents, 1, "Shop");
    Name(db.monsters, 1, "Slime");
    Name(db.monsters, 2, "Bat");
    tree.AddNode(0, 0)->name = "Game";
    TLcfMapTreeItem* town = tree.AddNode(0, 5);
    town->name = "Town";
    town->nodeType = TLcfMapTreeItem::kMap;
    map.events.Obtain(1)->name = "Chest";
    map.events.Obtain(3)->name = "Guard";
    edited.SetId(3);
    edited.name = "Captain";  // typed in the editor, not yet saved
    for (int32_t monster : {1, 2, 99}) troop.members.Append()->monsterId = monster;
  }
};

TWorld& World() {
  static TWorld world;
  return world;
}

enum TContext { kMapContext, kTroopContext, kNoContext };

std::string Render(const TLcfEventScriptLine& line, TContext context) {
  TWorld& w = World();
  TEventScriptConverter c(w.db);
  if (context == kMapContext) {
    c.EventId = 3;
    c.Event = &w.edited;
    c.MapTree = &w.tree;
    c.Map = &w.map;
  }
  if (context == kTroopContext) c.Troop = &w.troop;
  return c.LineText(line);
}

struct TGolden {
  int32_t code;
  std::vector<int32_t> params;
  std::string text;
  std::string expected;
  TContext context = kMapContext;
  int32_t indent = 0;
};

// A move route's packed bytes as Move Event parameters, after its first four.
std::vector<int32_t> MoveEventParams(std::vector<TLcfMoveRouteItem> route,
                                     std::vector<int32_t> head = {10005, 3, 0, 0}) {
  Bytes bytes;
  TLcfMoveRoute::EncodeCommands(route, bytes);
  head.insert(head.end(), bytes.begin(), bytes.end());
  return head;
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

const std::vector<TGolden>& Goldens() {
  static const std::vector<TGolden> goldens = {
      {0, {}, "", "<>"},
      {10, {}, "", "<>"},
      {1005, {1}, "", "<>Call Common Event: Shop"},
      {1005, {9}, "", "<>Call Common Event: ?"},
      {1006, {0}, "", "<>Force Flee: Entire Party"},
      {1006, {1}, "", "<>Force Flee: All Enemies"},
      {1006, {2, 1}, "", "<>Force Flee: 2:Bat", kTroopContext},
      {1006, {2, 2}, "", "<>Force Flee: 3:?", kTroopContext},  // the member's monster is gone
      {1006, {2, 5}, "", "<>Force Flee: 6:?", kTroopContext},  // beyond the members
      {1006, {2, -1}, "", "<>Force Flee: All Enemies", kTroopContext},
      {1006, {2, -1}, "", "<>Force Flee: 0:?", kNoContext},
      {1006, {3}, "", "<>Force Flee: "},
      {1007, {1, 1, 3}, "", "<>Enable Combo: Alex Attack Repeats 3 Times"},
      {1008, {1, 1, 1, 0, 0, 0}, "", "<>Change Class: Alex Knight, No Level Change, No Skill Change, No Stat Change"},
      {1008,
       {1, 2, 0, 1, 1, 1},
       "",
       "<>Change Class: Brian None , Change to Level 1, Delete Old Skills, Add New, Halve Stats"},
      {1008,
       {1, 1, 1, 0, 2, 3},
       "",
       "<>Change Class: Alex Knight, No Level Change, Add New Skills to Old, Stats Current Level"},
      {1008, {1, 1, 4, 0, 0, 2}, "", "<>Change Class: Alex ?, No Level Change, No Skill Change, Stats Lv1 New Class"},
      {1009, {1, 1, 1, 1}, "", "<>Change Battle Commands: Alex Attack Add"},
      {1009, {1, 1, 0, 0}, "", "<>Change Battle Commands: Alex All Remove"},
      {1009, {1, 2, -3, 1}, "", "<>Change Battle Commands: Brian All Add"},

      {10110, {}, "Hello there", "<>Message: Hello there"},
      {20110, {}, "second line", ":             second line"},
      {10120, {1, 1, 1, 1}, "", "<>Message Display Options: Transp, Center, Auto, Processes Continue"},
      {10120, {0, 0, 0, 0}, "", "<>Message Display Options: Normal, Top, Fixed, Halt Processes  "},
      {10120, {0, 2, 0, 0}, "", "<>Message Display Options: Normal, Bottom, Fixed, Halt Processes  "},
      {10130, {}, "", "<>Change Face Graphics: Erase"},
      {10130, {2, 1, 1}, "Faces1", "<>Change Face Graphics: Faces1, 3, Right, Mirror"},
      {10130, {0, 0, 0}, "Faces1", "<>Change Face Graphics: Faces1, 1, Left,         "},
      {10130, {INT32_MIN, 0, 0}, "F", "<>Change Face Graphics: F, -2147483647, Left,         "},
      {10140, {2}, "Yes/No", "<>Show Choices: Yes/No"},
      {20140, {0}, "Yes", ": [Yes] Handler"},
      {20140, {4}, "", ": Cancel Handler"},
      {20141, {}, "", ": End"},
      {10150, {3, 1}, "", "<>Input Number: 3 Digit, [0001:Gold]"},
      {10210, {0, 1, 1, 0}, "", "<>Switch Operation: [0001:Door] ON "},
      {10210, {1, 2, 5, 1}, "", "<>Switch Operation: [0002- 0005] OFF "},
      {10210, {2, 12, 0, 2}, "", "<>Switch Operation: [V[0012]] ON/OFF Toggle "},
      {10210, {0, 7, 7, 0}, "", "<>Switch Operation: [0007] ON "},  // a switch without a name
      {10210, {0, 8, 8, 0}, "", "<>Switch Operation: [?] ON "},     // beyond the list
      {10220, {0, 1, 1, 0, 0, 5, 0}, "", "<>Variable Oper: [0001:Gold] Set, 5"},
      {10220, {1, 2, 4, 1, 1, 12, 0}, "", "<>Variable Oper: [0002- 0004] + , Var [0012]'s Value"},
      {10220, {2, 3, 0, 2, 2, 4, 0}, "", "<>Variable Oper: [V[0003]] - , Var [V[0004]] Value  "},
      {10220, {0, 1, 1, 3, 3, 1, 6}, "", "<>Variable Oper: [0001:Gold] * , Rnd [1- 6]"},
      {10220, {0, 1, 1, 4, 4, 1, 0}, "", "<>Variable Oper: [0001:Gold] / , Potion Possessed"},
      {10220, {0, 1, 1, 5, 4, 2, 1}, "", "<>Variable Oper: [0001:Gold] Mod, Ether Equipped "},
      {10220, {0, 1, 1, 0, 5, 1, 14}, "", "<>Variable Oper: [0001:Gold] Set, Alex Accessory No."},
      {10220, {0, 1, 1, 0, 5, 2, 0}, "", "<>Variable Oper: [0001:Gold] Set, Brian Level"},
      {10220, {0, 1, 1, 0, 6, 10005, 1}, "", "<>Variable Oper: [0001:Gold] Set, This Event X Coord."},
      {10220, {0, 1, 1, 0, 6, 3, 5}, "", "<>Variable Oper: [0001:Gold] Set, Captain Screen Y"},
      {10220, {0, 1, 1, 0, 7, 8}, "", "<>Variable Oper: [0001:Gold] Set, MIDI Position (Tick)"},
      {10220, {0, 1, 1, 0, 7, 2}, "", "<>Variable Oper: [0001:Gold] Set, Party Size "},
      {10220, {0, 1, 1, 0, 8, 0, 7}, "", "<>Variable Oper: [0001:Gold] Set, 1:Slime Agility", kTroopContext},
      {10220, {0, 1, 1, 0, 9, 0, 0}, "", "<>Variable Oper: [0001:Gold] Set, "},
      {10230, {0, 0, 125, 0, 0, 0}, "", "<>Timer 1 Operation: Set, 2M 05S "},
      {10230, {1, 0, 0, 0, 0, 1}, "", "<>Timer 2 Operation: Start 0M 00S "},
      {10230, {2, 1, 12, 0, 0, 0}, "", "<>Timer 1 Operation: Stop V[0012]"},

      {10310, {0, 1, 12}, "", "    <>Change Money: V[0012] Add", kMapContext, 2},
      {10310, {1, 0, 500}, "", "<>Change Money: 500 Remove"},
      {10320, {0, 0, 1, 0, 3}, "", "<>Change Items: Potion 3 Add"},
      {10320, {1, 1, 5, 1, 6}, "", "<>Change Items: V[0005] V[0006] Remove"},
      {10330, {0, 0, 2}, "", "<>Change Party Members: Brian Add"},
      {10330, {1, 1, 3}, "", "<>Change Party Members: V[0003] Remove"},
      {10410, {0, 0, 0, 0, 100, 0}, "", "<>Change Experience: Entire Party's Experience 100 Add"},
      {10410, {1, 2, 1, 1, 4, 0}, "", "<>Change Experience: Brian's Experience V[0004] Remove"},
      {10410, {2, 7, 0, 0, 1, 0}, "", "<>Change Experience: V[0007]'s Experience 1 Add"},
      {10420, {1, 1, 0, 0, 2, 0}, "", "<>Change Level: Alex's Level 2 Up"},
      {10420, {1, 1, 1, 1, 3, 0}, "", "<>Change Level: Alex's Level V[0003] Down"},
      {10430, {1, 1, 1, 4, 0, 10}, "", "<>Change Statistics: Alex Intellect 10 Down"},
      {10430, {0, 0, 0, 0, 0, 50}, "", "<>Change Statistics: Entire Party Max HP 50 Up"},
      {10440, {0, 0, 0, 0, 1}, "", "<>Change Skills: Entire Party Heal Add"},
      {10440, {1, 1, 1, 1, 9}, "", "<>Change Skills: Alex V[0009] Remove"},
      {10450, {1, 1, 0, 0, 1}, "", "<>Change Equipmnt: Alex Potion Equip"},
      {10450, {1, 1, 0, 1, 4}, "", "<>Change Equipmnt: Alex V[0004] Equip"},
      {10450, {1, 1, 1, 5, 0}, "", "<>Change Equipmnt: Alex All Unequip"},
      {10450, {1, 1, 1, 2, 0}, "", "<>Change Equipmnt: Alex Armor Unequip"},
      {10460, {0, 0, 0, 0, 50, 0}, "", "<>Change HP: Entire Party's HP 50 Recovered"},
      {10460, {1, 1, 1, 1, 2, 1}, "", "<>Change HP: Alex's HP V[0002] Remove"},
      {10470, {1, 2, 0, 0, 5}, "", "<>Change MP: Brian's MP 5 Recovered"},
      {10470, {0, 0, 1, 1, 8}, "", "<>Change MP: Entire Party's MP V[0008] Remove"},
      {10480, {1, 2, 0, 1}, "", "<>Change Cond: Brian Poison Inflict"},
      {10480, {0, 0, 1, 9}, "", "<>Change Cond: Entire Party ? Remove"},
      {10490, {2, 3}, "", "<>Full Heal: V[0003]"},
      {10500, {0, 0, 25, 100, 100, 0, 0, 0}, "", "<>Simulated Attack: Entire Party with   25 Attack Power"},

      {10610, {1}, "Bob", "<>Change Hero Name: Alex's Name Bob"},
      {10620, {2}, "Sir", "<>Change Hero Title: Brian's Title Sir"},
      {10630, {1, 3, 0}, "Hero2", "<>Change Sprite Association: Alex Hero2-4"},
      {10630, {1, INT32_MAX, 0}, "Hero2", "<>Change Sprite Association: Alex Hero2-2147483648"},
      {10640, {1, 0}, "Faces", "<>Change Face Association: Alex Faces-1"},
      {10650, {2, 1}, "Ships", "<>Change Vehicle Graphic: Airship Ships-2"},
      {10660, {6, 0, 100, 100, 50}, "Over", "<>Change System BGM: Game Over Over"},
      {10660, {0}, "Battle1", "<>Change System BGM: Battle Battle1"},
      {10670, {11, 100, 100, 50}, "Item", "<>Change System Sounds: Use Item Item"},
      {10670, {4}, "Go", "<>Change System Sounds: Begin Battle Go"},
      {10680, {0, 0}, "System2", "<>Change System Graphics: System2"},
      {10690, {0, -1}, "", "<>Change Screen Transitions: Teleport/Erase, Use Default"},
      {10690, {1, 0}, "", "<>Change Screen Transitions: Teleport/Show, Fade in     "},
      {10690, {2, 20}, "", "<>Change Screen Transitions: Begin Battle/Erase, None      "},
      {10690, {3, 20}, "", "<>Change Screen Transitions: Begin Battle/Show, "},
      {10690, {4, 17}, "", "<>Change Screen Transitions: End Battle/Erase, Mosaic  "},
      {10690, {5, 19}, "", "<>Change Screen Transitions: End Battle/Show, Instant "},

      {10710, {0, 1, 0, 1, 0, 0, 0, 1, 1}, "", "<>Enemy Encounter: Normal, Slimes"},
      {10710, {0, 1, 0, 1, 0, 1}, "", "<>Enemy Encounter: Normal, Slimes, First Strike"},  // no p6: Normal
      {10710, {1, 4, 1, 0, 0, 1, 2, 0, 0}, "Cave", "<>Enemy Encounter: Back Attack, V[0004], Cave"},
      {10710, {0, 1, 2, 0, 0, 0, 4, 2, 1}, "", "<>Enemy Encounter: Pincers Attack, Slimes, Grass"},
      {10710, {0, 2, 0, 0, 0, 0, 3}, "", "<>Enemy Encounter: Surround Attack, ?"},
      {10710, {0, 1, 0, 0, 0, 0, 1}, "", "<>Enemy Encounter: Initiative, Slimes"},
      {20710, {}, "", ": Victory Handler"},
      {20711, {}, "", ": Escape Handler"},
      {20712, {}, "", ": Defeat Handler"},
      {20713, {}, "", ": End"},
      {10720, {0, 0, 0, 0, 1, 2}, "", "<>Open Shop: Potion, Ether"},
      {10720, {1, 0, 0, 0, 1}, "", "<>Open Shop: Buy Only Potion"},
      {10720, {2, 0, 0, 0, 1, 2}, "", "<>Open Shop: Sell Only"},  // goods of a selling shop are not listed
      {10720, {0, 0, 0, 0, 1, 9}, "", "<>Open Shop: Potion, ?"},
      {20720, {}, "", ": Transaction "},
      {20721, {}, "", ": No Transaction"},
      {20722, {}, "", ": End"},
      {10730, {0, 250, 0}, "", "<>Show Inn: Price 250"},
      {20730, {}, "", ": Stay Handler"},
      {20731, {}, "", ": No Stay Handler"},
      {20732, {}, "", ": End"},
      {10740, {2, 0, 1}, "", "<>Enter Hero Name: Brian"},
      {10810, {5, 3, 12, 0}, "", "<>Teleport: 0005:Town (003,012), Retain Facing"},
      {10810, {9, 1, 2, 4}, "", "<>Teleport: 0009:? (001,002), Left"},
      {10810, {0, 1, 2, 2}, "", "<>Teleport: 0000:? (001,002), Right"},
      {10810, {5, 1, 2, 1}, "", "<>Teleport: 0005:? (001,002), Up", kNoContext},
      {10820, {1, 2, 3}, "", "<>Memorize Location: [0001], [0002], [0003]"},
      {10830, {1, 2, 3}, "", "<>Recall to Location: V[0001] (V[0002],V[0003])"},
      {10840, {}, "", "<>Enter Vehicle"},
      {10850, {1, 0, 5, 10, 20, 0}, "", "<>Set Vehicle Location: Ship, 0005:Town (010,020)"},
      {10850, {0, 1, 4, 5, 6, 0}, "", "<>Set Vehicle Location: Skiff, V[0004] (V[0005],V[0006])"},
      {10860, {1, 0, 3, 4, 0}, "", "<>Change Event Location: Chest, (003,004)"},
      {10860, {10001, 1, 5, 6, 0}, "", "<>Change Event Location: Hero, (V[0005],V[0006])"},
      {10860, {3, 0, 0, 0, 0}, "", "<>Change Event Location: Captain, (000,000)"},  // the name as typed
      {10860, {99, 0, 0, 0, 0}, "", "<>Change Event Location: ?, (000,000)"},
      {10860, {1, 0, 0, 0, 0}, "", "<>Change Event Location: ?, (000,000)", kNoContext},
      {10870, {10002, 10003}, "", "<>Trade Two Event Locations: Skiff, Ship"},
      {10870, {10004, 1}, "", "<>Trade Two Event Locations: Airship, Chest"},
      {10910, {0, 7, 8, 1}, "", "<>Store Terrain ID: (007,008), [0001:Gold]"},
      {10920, {1, 2, 3, 12}, "", "<>Store Event ID: (V[0002],V[0003]), [0012:Steps]"},

      {11010, {20}, "", "<>Hide Screen: None      "},
      {11010, {-1}, "", "<>Hide Screen: Use Default"},
      {11010, {0}, "", "<>Hide Screen: Fade Out     "},
      {11010, {21}, "", "<>Hide Screen: "},
      {11020, {20}, "", "<>Show Screen: "},  // showing has no 20
      {11020, {-1}, "", "<>Show Screen: Use Default"},
      {11020, {10}, "", "<>Show Screen: Screen Moves Up "},
      {11030, {100, 50, 0, 200, 15, 1}, "", "<>Tint Screen: (R100,G050,B000,S200), 1.5 Sec (Wait)"},
      {11030, {0, 0, 0, 0, 0, 0}, "", "<>Tint Screen: (R000,G000,B000,S000), 0.0 Sec"},
      {11040, {31, 0, 5, 10, 7, 0, 0}, "", "<>Flash Screen: (R31,G00,B05,V10), 0.7 Sec"},
      {11040, {31, 0, 5, 10, 7, 0, 1}, "", "<>Flash Screen: Begin"},
      {11040, {31, 0, 5, 10, 7, 1, 2}, "", "<>Flash Screen: Cease"},
      {11040, {31, 31, 31, 31, 10, 1}, "", "<>Flash Screen: (R31,G31,B31,V31), 1.0 Sec (Wait)"},
      {11050, {3, 5, 20, 1, 0}, "", "<>Shake Screen: Str 3, Spd 5, 2.0 Sec (Wait)"},
      {11050, {3, 5, 20, 1, 1}, "", "<>Shake Screen: Begin"},
      {11050, {3, 5, 20, 1, 2}, "", "<>Shake Screen: Cease"},
      {11050, {3, 5, 20, 0}, "", "<>Shake Screen: Str 3, Spd 5, 2.0 Sec"},
      {11060, {0, 0, 0, 0, 0}, "", "<>Pan Screen: Lock Position"},
      {11060, {1, 0, 0, 0, 0}, "", "<>Pan Screen: Unlock Position"},
      {11060, {2, 1, 5, 3, 1}, "", "<>Pan Screen: Right 5 Tiles, Speed 3 (Wait)"},
      {11060, {2, 258, 1, 6, 0}, "", "<>Pan Screen: Down 1 Tiles, Speed 6"},
      {11060, {3, 0, 0, 4, 0}, "", "<>Pan Screen: Reset Position, Speed 4"},
      {11070, {0, 2}, "", "<>Weather Effects: None"},
      {11070, {2, 1}, "", "<>Weather Effects: Snow, Medium"},
      {11070, {4, 2}, "", "<>Weather Effects: Sandstorm, Strong"},
      {11110, {3, 0, 160, -120}, "Ghost", "<>Show Picture: 3, Ghost, (160,-120)"},
      {11110, {4, 1, 5, 6}, "Sun", "<>Show Picture: 4, Sun, (V[0005],V[0006])"},
      {11120,
       {3, 0, 10, 20, 0, 100, 0, 0, 100, 100, 100, 100, 0, 0, 25, 1, 0},
       "",
       "<>Move Picture: 3, (10,20), 2.5 Sec (Wait)"},
      {11120,
       {3, 1, 10, 20, 0, 100, 0, 0, 100, 100, 100, 100, 0, 0, 5, 0, 0},
       "",
       "<>Move Picture: 3, (V[0010],V[0020]), 0.5 Sec"},
      {11130, {7}, "", "<>Erase Picture: 7"},
      {11210, {1, 10005, 1, 0}, "", "<>Show Battle Animation: Slash, This Event (Wait)"},
      {11210, {2, 1, 0, 0}, "", "<>Show Battle Animation: ?, Chest"},
      {11310, {0}, "", "<>Sprite Transparency: Transparent"},
      {11310, {1}, "", "<>Sprite Transparency: Opaque"},
      {11320, {10001, 31, 31, 31, 31, 12, 1}, "", "<>Flash Sprite: Hero, 1.2 Sec (Wait)"},
      {11330,
       MoveEventParams(
           {{.code = 1}, {.code = 34, .graphicName = "Hero", .graphicIndex = 2}, {.code = 32, .switchId = 7}}),
       "", "<>Move Event: This Event, Move Right, Change Graphic, Switch ON"},
      {11330, MoveEventParams({{.code = 16}}, {10001, 3, 1, 0}), "", "<>Move Event: Hero, Turn 90\xB0 Right"},
      {11330, {10005, 3, 0, 0}, "", "<>Move Event: This Event"},
      {11330, {10005, 3, 0, 0, 34, 4, 'H'}, "", "  <>Invalid Transition  ", kMapContext, 1},  // a cut route
      {11330, MoveEventParams(std::vector<TLcfMoveRouteItem>(30), {10001, 3, 0, 0}), "",
       "<>Move Event: Hero" + Repeat(", Move Up", 12)},  // names stop once the text reaches 120
      {11340, {}, "", "<>Proceed with Movement"},
      {11350, {}, "", "<>Halt All Movement"},
      {11410, {15, 0}, "", "<>Wait: 1.5 Sec"},
      {11410, {0, 1}, "", "<>Wait: Until Key Pressed"},
      {11410, {7}, "", "<>Wait: 0.7 Sec"},

      {11510, {0, 100, 100, 50}, "Town", "<>Play BGM: Town"},
      {11520, {2500}, "", "<>Fade Out BGM: 2 Sec"},
      {11530, {}, "", "<>Memorize BGM"},
      {11540, {}, "", "<>Play Memorized BGM"},
      {11550, {100, 100, 50}, "Bell", "<>Play Sound: Bell"},
      {11560, {0, 10, 20, 320, 240}, "Intro", "<>Play Movie: Intro, (10,20), (320,240)"},
      {11560, {1, 3, 4, 100, 50}, "Intro", "<>Play Movie: Intro, (V[0003],V[0004]), (100,50)"},
      {11610, {12}, "", "<>Key Input Proc: [0012:Steps]"},
      {11710, {1}, "", "<>Change Map Tileset: Field"},
      {11720, {1, 1, 1, -3, 1, 4}, "Sky", "<>Change PBG: Sky, Hor Scroll(-3), Vert Scroll(+4)"},
      {11720, {1, 0, 0, 5}, "Sky", "<>Change PBG: Sky, Hor Scroll"},
      {11720, {0, 1, 0, 0, 1, 0}, "Sky", "<>Change PBG: Sky, Vert Scroll(+0)"},
      {11720, {1, 0, 1, INT32_MIN}, "Sky", "<>Change PBG: Sky, Hor Scroll(-2147483648)"},
      {11740, {30}, "", "<>Encounter Rate: 30"},
      {11750, {0, 4, 9}, "", "<>Tile Substitution: Lower Layer,  005 -> 010        "},
      {11750, {1, INT32_MAX, INT32_MIN}, "", "<>Tile Substitution: Upper Layer,  2147483648 -> -2147483647        "},
      {11810, {0, 5, 1, 2, 0, 0}, "", "<>Teleport Targets: Add, 0005:Town (001,002)"},
      {11810, {1, 5}, "", "<>Teleport Targets: Delete, 0005:Town"},
      {11820, {1}, "", "<>Teleport Access: Allow"},
      {11830, {5, 7, 8, 0, 0}, "", "<>Escape Target: 0005:Town (007,008)"},
      {11840, {0}, "", "<>Escape Access: Forbid"},
      {11910, {}, "", "<>Open Save Menu"},
      {11930, {1}, "", "<>Save Menu Access: Allow"},
      {11950, {}, "", "<>Open Main Menu"},
      {11960, {0}, "", "<>Main Menu Access: Forbid"},

      {12010, {0, 1, 0, 0, 0, 0}, "", "<>Branch if  Switch [0001:Door] is ON"},
      {12010, {0, 7, 1, 0, 0, 1}, "", "<>Branch if  Switch [0007] is OFF"},
      {12010, {1, 1, 0, 5, 0}, "", "<>Branch if Var [0001:Gold] is 5"},  // no " Equal" with a constant
      {12010, {1, 1, 1, 12, 0}, "", "<>Branch if Var [0001:Gold] is V[0012] Equal"},
      {12010, {1, 12, 0, 3, 1}, "", "<>Branch if Var [0012:Steps] is 3 or more"},
      {12010, {1, 1, 0, 3, 2}, "", "<>Branch if Var [0001:Gold] is 3 Less/Equal"},
      {12010, {1, 1, 0, 3, 3}, "", "<>Branch if Var [0001:Gold] is 3 Greater"},
      {12010, {1, 1, 0, 3, 4}, "", "<>Branch if Var [0001:Gold] is 3 Less"},
      {12010, {1, 1, 1, 3, 5}, "", "<>Branch if Var [0001:Gold] is V[0003] Not"},
      {12010, {2, 90, 0}, "", "<>Branch if Timer 1 is 1M 30S  or more"},
      {12010, {3, 500, 1}, "", "<>Branch if Money is 500 Less/Equal"},
      {12010, {4, 1, 1}, "", "<>Branch if Potion Not Possessed"},
      {12010, {4, 2, 0}, "", "<>Branch if Ether Possessed"},
      {12010, {5, 1, 0}, "", "<>Branch if Alex in the Party"},
      {12010, {5, 1, 1}, "Max", "<>Branch if Alex Name is Max"},
      {12010, {5, 2, 2, 10}, "", "<>Branch if Brian Level is 10 or more"},
      {12010, {5, 1, 3, 100}, "", "<>Branch if Alex HP is 100 or more"},
      {12010, {5, 1, 4, 1}, "", "<>Branch if Alex Heal Skill Usable"},
      {12010, {5, 1, 5, 2}, "", "<>Branch if Alex Ether Equipped"},
      {12010, {5, 1, 6, 1}, "", "<>Branch if Alex Poison Condition"},
      {12010, {6, 10001, 3}, "", "<>Branch if Hero Left Facing"},
      {12010, {7, 2}, "", "<>Branch if Airship Vehicle"},
      {12010, {8}, "", "<>Branch if Event Started with Action Key "},
      {12010, {9}, "", "<>Branch if BGM has Played Once "},
      {12010, {10, 61, 1}, "", "<>Branch if Timer 2 is 1M 01S  Less/Equal"},
      {12010, {11}, "", "<>Branch if "},
      {22010, {}, "", ": Else Handler"},
      {22011, {}, "", ": End"},
      {12110, {3}, "", "<>Label: 3"},
      {12120, {3}, "", "<>Jump to Label: 3"},
      {12210, {}, "", "<>Loop"},
      {22210, {}, "", ": End Loop"},
      {12220, {}, "", "<>Break Loop"},
      {12310, {}, "", "<>End Event Processing"},
      {12320, {}, "", "<>Erase Event     "},
      {12330, {0, 1, 0}, "", "<>Call Event: Shop"},
      {12330, {1, 10005, 2}, "", "<>Call Event: This Event[2]"},
      {12330, {2, 4, 5}, "", "<>Call Event: V[4][V[5]]"},
      {12410, {}, "Note", "<>Comment: Note"},
      {22410, {}, "more", ":             more"},
      {12420, {}, "", "<>Game Over"},
      {12510, {}, "", "<>Return to Title Screen"},

      {13110, {0, 0, 0, 50, 0}, "", "<>Change Monster HP: 1:Slime's HP 50 Recovered", kTroopContext},
      {13110, {1, 1, 1, 3, 1}, "", "<>Change Monster HP: 2:Bat's HP V[0003] Remove", kTroopContext},
      {13110, {-1, 2, 2, 5, 0}, "", "<>Change Monster HP: All Enemies's HP   5% Recovered", kTroopContext},
      {13120, {1, 1, 0, 20}, "", "<>Change Monster MP: 2:Bat's MP 20 Remove", kTroopContext},
      {13120, {0, 0, 1, 4}, "", "<>Change Monster MP: 1:Slime's MP V[0004] Recovered", kTroopContext},
      {13130, {0, 0, 1}, "", "<>Change Monster Condition: 1:Slime Poison Inflict", kTroopContext},
      {13130, {1, 1, 1}, "", "<>Change Monster Condition: 2:Bat Poison Remove", kTroopContext},
      {13150, {1}, "", "<>Show Hidden Monster: 2:Bat", kTroopContext},
      {13150, {1}, "", "<>Show Hidden Monster: 2:?", kNoContext},
      {13150, {-1}, "", "<>Show Hidden Monster: All Enemies", kTroopContext},
      {13150, {-1}, "", "<>Show Hidden Monster: 0:?", kNoContext},
      {13150, {INT32_MIN}, "", "<>Show Hidden Monster: -2147483647:?", kNoContext},
      {13210, {}, "Castle", "<>Change Battle BG: Castle"},
      {13260, {1, -1, 1, 0, 0}, "", "<>Show Battle Animation: Slash, All Enemies (Wait)", kTroopContext},
      {13260, {1, -1, 0, 1, 4}, "", "<>Show Battle Animation: Slash, Entire Party", kTroopContext},
      {13260, {1, 2, 0, 1, 6}, "", "<>Show Battle Animation: Slash, Brian", kTroopContext},
      {13260, {1, 0, 0}, "", "<>Show Battle Animation: Slash, 1:Slime", kTroopContext},  // older, no p3
      {13260, {1, 1, 0, 0, 2}, "", "<>Show Battle Animation: Slash, 2:Bat", kTroopContext},
      {13310, {0, 1, 1, 0, 0, 0}, "", "<>Branch if  Switch [0001:Door] is OFF", kTroopContext},
      {13310, {1, 1, 0, 7, 4, 0}, "", "<>Branch if Var [0001:Gold] is 7 Less", kTroopContext},
      {13310, {2, 1}, "", "<>Branch if Alex Can Act", kTroopContext},
      {13310, {3, 0}, "", "<>Branch if 1:Slime Can Act", kTroopContext},
      {13310, {4, 1}, "", "<>Branch if 2:Bat Targetted", kTroopContext},
      {13310, {5, 1, 1}, "", "<>Branch if [Alex]  [Attack] Used", kTroopContext},
      {13310, {6}, "", "<>Branch if ", kTroopContext},
      {23310, {}, "", ": Else Handler"},
      {23311, {}, "", ": End"},
      {13410, {}, "", "<>End Battle"},

      {12345, {1, 2}, "", "<>Unknown Command"},
      {29999, {}, "", "  <>Unknown Command", kMapContext, 1},
      {10, {}, "", std::string(2 * TEventScriptConverter::kMaxShownDepth, ' ') + "<>", kMapContext, 500},
      {12310, {}, "", "<>End Event Processing", kMapContext, -3},
  };
  return goldens;
}

}  // namespace

TEST(EventScriptConverter, RendersEveryCodeExactly) {
  for (const TGolden& g : Goldens()) {
    TLcfEventScriptLine line(g.code, g.indent, g.text, g.params);
    EXPECT_EQ(Render(line, g.context), g.expected) << "code " << g.code << " " << ::testing::PrintToString(g.params);
  }
}

TEST(EventScriptConverter, GoldenTableCoversTheWholeCatalogue) {
  std::set<int32_t> covered;
  for (const TGolden& g : Goldens()) covered.insert(g.code);
  for (const TEventCommandInfo& info : EventCommands()) EXPECT_TRUE(covered.count(info.code)) << info.code;
}

// Lines shorter than their command's parameter list read the missing parameters as 0, and a line
// with no parameters at all renders without failing.
TEST(EventScriptConverter, MissingParametersReadAsZero) {
  for (const TEventCommandInfo& info : EventCommands()) {
    TLcfEventScriptLine bare(info.code, 0);
    TLcfEventScriptLine zeros(info.code, 0, "", std::vector<int32_t>(static_cast<size_t>(info.paramCount), 0));
    // Commands whose text depends on how many parameters a line has are the exceptions.
    if (info.code == 10710 || info.code == 11040 || info.code == 11050 || info.code == 11410 || info.code == 13260)
      continue;
    for (TContext context : {kMapContext, kTroopContext, kNoContext})
      EXPECT_EQ(Render(bare, context), Render(zeros, context)) << info.code;
  }
}

TEST(EventScriptConverter, RenamedEntriesShowTheirNewNameNextTime) {
  TLcfDataBase db;
  Name(db.heroes, 1, "Alex");
  TEventScriptConverter c(db);
  const TLcfEventScriptLine line(10490, 0, "", {1, 1});
  EXPECT_EQ(c.LineText(line), "<>Full Heal: Alex");
  db.heroes.FindById(1)->name = "Alexandra";
  EXPECT_EQ(c.LineText(line), "<>Full Heal: Alexandra");
}

TEST(EventCommands, TableIsSortedAndConsistent) {
  const auto rows = EventCommands();
  int commands = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    const TEventCommandInfo& info = rows[i];
    if (i > 0) {
      EXPECT_LT(rows[i - 1].code, info.code);
    }
    EXPECT_EQ(FindEventCommand(info.code), &info);
    ASSERT_NE(info.text, nullptr) << info.code;
    if (info.role == TCommandRole::Command) ++commands;
    // Structural lines belong to an opening command that names them.
    if (info.IsStructural()) {
      const TEventCommandInfo* owner = FindEventCommand(info.owner);
      ASSERT_NE(owner, nullptr) << info.code;
      EXPECT_TRUE(owner->HasCase(info.code) || owner->end == info.code || owner->continuation == info.code)
          << info.code;
      EXPECT_GE(info.code, kFirstStructuralCode);
    }
    // A line is a command row exactly when its text begins with "<>".
    const std::string text = TEventScriptConverter(World().db).LineText(TLcfEventScriptLine(info.code, 0));
    EXPECT_EQ(IsCommandCode(info.code), text.rfind("<>", 0) == 0) << info.code;
  }
  EXPECT_EQ(commands, 103);
  EXPECT_EQ(FindEventCommand(12345), nullptr);
  EXPECT_TRUE(IsCommandCode(29999));
}

TEST(EventCommands, ChooserButtonsFollowTheirOrder) {
  // The map chooser: every ordinary command from 10110 to 12510 in code order, then 1008 and 1009.
  std::vector<int32_t> ordinary;
  for (const TEventCommandInfo& info : EventCommands())
    if (info.role == TCommandRole::Command && info.code >= 10110 && info.code <= 12510) ordinary.push_back(info.code);
  ordinary.push_back(1008);
  ordinary.push_back(1009);
  const auto map = MapChooserCodes();
  EXPECT_EQ(std::vector<int32_t>(map.begin(), map.end()), ordinary);
  EXPECT_EQ(map[29], 10690);  // the last button of page 1
  EXPECT_EQ(map[59], 11410);  // the last button of page 2

  const std::vector<int32_t> battle = {10110, 10130, 10140, 10150, 10210, 10220, 10310, 10320, 10330, 10420,
                                       10440, 10450, 10460, 10470, 10480, 10490, 13110, 13120, 13130, 13150,
                                       13210, 11030, 11040, 11050, 13260, 1007,  1006,  11410, 11510, 11520,
                                       11550, 13310, 12310, 1005,  12410, 12420, 13410};
  const auto battleCodes = BattleChooserCodes();
  EXPECT_EQ(std::vector<int32_t>(battleCodes.begin(), battleCodes.end()), battle);
  // A command may stand in the scripts whose chooser offers it.
  for (const TEventCommandInfo& info : EventCommands()) {
    if (info.role != TCommandRole::Command) continue;
    EXPECT_EQ(info.MayStandIn(TScriptKind::TroopPage), info.battleButton >= 0) << info.code;
    EXPECT_EQ(info.MayStandIn(TScriptKind::MapEvent), info.mapButton >= 0) << info.code;
    EXPECT_EQ(info.MayStandIn(TScriptKind::CommonEvent), info.mapButton >= 0) << info.code;
  }
}
