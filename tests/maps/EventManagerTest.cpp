#include <gtest/gtest.h>

#include <algorithm>

#include "core/ClipboardPort.h"
#include "core/StreamUtils.h"
#include "maps/EventManager.h"
#include "maps/MapEventList.h"

using namespace tess;

namespace {

// The windows as a test answers them: the editor applies what the test edits into the copy.
struct TFakePort : TEventManagerPort {
  std::function<void(TLcfEventItem&)> edit;
  bool applyUnchanged = true;
  int vehicle = 0;
  std::optional<TLcfEventScriptList> teleport;
  bool teleportChangedDatabase = false;
  int saves = 0;
  int opened = 0;
  bool openedNew = false;
  std::string said;

  void EditEvent(TLcfEventItem& copy, bool isNew, const std::function<void(const TLcfEventItem&)>& apply) override {
    ++opened;
    openedNew = isNew;
    if (edit) edit(copy);
    if (edit || applyUnchanged) apply(copy);
  }
  int AskVehicle() override { return vehicle; }
  std::optional<TLcfEventScriptList> AskTeleport(const TLcfEventItem&, bool& changed) override {
    changed = teleportChangedDatabase;
    return teleport;
  }
  void SaveDatabase() override { ++saves; }
  void Say(const std::string& text) override { said = text; }
};

// A 20 x 15 map 4 with events, the map tree's start positions, and a history every change of the
// manager goes through as the document's does.
struct TEventFixture {
  TMemoryClipboard clipboard;
  TClipboardPortScope scope{&clipboard};
  TLcfMap map;
  TLcfMapTree tree;
  TLcfMapEditUndoManager history;
  TFakePort port;
  TLcfEventManager manager{map, &tree, port};
  int changes = 0;

  TEventFixture() {
    map.SetId(4);
    map.SetWidth(20);
    map.SetHeight(15);
    history.Reset(map);
    history.SetDepth(100);
    manager.commit = [this](const std::function<void()>& edit, TLcfMapEditUndoManager::TSideEffect effect) {
      history.PushMap(map);
      edit();
      history.Sync(map);
      history.AttachToNewestStep(std::move(effect));
    };
    manager.OnChanged = [this] { ++changes; };
  }
  TLcfEventItem& Add(int32_t id, int x, int y, const std::string& name = "") {
    TLcfEventItem* e = map.events.Obtain(id);
    e->x = x;
    e->y = y;
    e->name = name.empty() ? DefaultEventName(id) : name;
    return *e;
  }
  Bytes EncodedEvents() {
    Bytes out;
    map.events.SaveTo(out, TCatalogVarData::Mode::Copy);
    return out;
  }
};

TEST(EventManager, FindsEventsBeforeStartPositionsAndNamesThem) {
  TEventFixture f;
  f.Add(2, 5, 5, "Chest");
  f.Add(1, 5, 5, "Hidden");  // list order, not placement order, decides
  f.tree.startPositions.SetMapId(0, 4);
  f.tree.startPositions.SetX(0, 5);
  f.tree.startPositions.SetY(0, 5);
  f.tree.startPositions.SetMapId(3, 4);
  f.tree.startPositions.SetX(3, 7);
  f.tree.startPositions.SetY(3, 1);
  f.tree.startPositions.SetMapId(2, 9);  // on another map
  struct {
    int x, y;
    int32_t id;
    const char* name;
  } const cases[] = {{5, 5, 1, "Hidden"}, {7, 1, 60004, "Airship"}, {0, 0, 0, ""}, {3, 3, 0, ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(f.manager.FindObjectAt(c.x, c.y), c.id) << c.x << "," << c.y;
    EXPECT_EQ(f.manager.ObjectNameAt(c.x, c.y), c.name);
  }
}

TEST(EventManager, NewEventTakesLowestFreeIdDefaultNameAndTile) {
  TEventFixture f;
  f.Add(1, 0, 0);
  f.Add(3, 1, 0);
  ASSERT_TRUE(f.manager.EditEventAt(6, 7, 10005));
  EXPECT_TRUE(f.port.openedNew);
  const TLcfEventItem* e = f.map.events.FindById(2);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->name, "EV0002");
  EXPECT_EQ(e->x, 6);
  EXPECT_EQ(e->y, 7);
  EXPECT_EQ(e->pages.ItemAt(0)->graphicIndex, 5);
  // Editing an existing event works on a copy: a cancelled editor changes nothing.
  f.port.applyUnchanged = false;
  const Bytes before = f.EncodedEvents();
  f.port.edit = nullptr;
  EXPECT_TRUE(f.manager.EditEventAt(6, 7, 10000));
  EXPECT_FALSE(f.port.openedNew);
  EXPECT_EQ(f.EncodedEvents(), before);
  // A start position is not edited.
  f.tree.startPositions.SetMapId(1, 4);
  f.tree.startPositions.SetX(1, 9);
  EXPECT_FALSE(f.manager.EditEventAt(9, 0, 10000));
}

TEST(EventManager, PastedDefaultNamesFollowTheNewId) {
  struct {
    const char* name;
    const char* pasted;
  } const cases[] = {
      {"EV0003", "EV0007"}, {"EV0000", "EV0000"}, {"EV00003", "EV00003"}, {"EV003", "EV003"},
      {"ev0003", "ev0003"}, {"EV12a4", "EV12a4"}, {"Chest", "Chest"},     {"EV9999", "EV0007"},
  };
  for (const auto& c : cases) {
    TEventFixture f;
    for (int id = 1; id <= 6; ++id) f.Add(id, id, 0);
    f.map.events.FindById(3)->name = c.name;
    f.map.events.FindById(3)->pages.ItemAt(0)->lines.InsertLine(0,
                                                                std::make_unique<TLcfEventScriptLine>(10110, 0, "Hi"));
    ASSERT_TRUE(f.manager.CopyObjectAt(3, 0));
    ASSERT_TRUE(f.manager.PasteObjectAt(10, 10));
    const TLcfEventItem* e = f.map.events.FindById(7);
    ASSERT_NE(e, nullptr) << c.name;
    EXPECT_EQ(e->name, c.pasted);
    EXPECT_EQ(e->x, 10);
    EXPECT_EQ(e->pages.ItemAt(0)->lines.LineAt(0)->text, "Hi");
    // The clipboard block is the byte size, then 0 and the event's record.
    const Bytes block = *f.clipboard.GetBlock(kMapEventClipboardFormat);
    EXPECT_EQ(block.size(), 4 + 1 + f.map.events.FindById(3)->Encoded().size());
    EXPECT_EQ(block[4], 0);
  }
}

TEST(EventManager, PastedStartPositionMovesAndCutEmptiesTheCell) {
  TEventFixture f;
  f.tree.startPositions.SetMapId(2, 4);
  f.tree.startPositions.SetX(2, 3);
  f.tree.startPositions.SetY(2, 3);
  ASSERT_TRUE(f.manager.CopyObjectAt(3, 3));
  EXPECT_EQ(*f.clipboard.GetBlock(kMapEventClipboardFormat), (Bytes{3, 0, 0, 0, 0x83, 0xD4, 0x63}));
  ASSERT_TRUE(f.manager.PasteObjectAt(8, 9));
  EXPECT_EQ(f.manager.FindObjectAt(3, 3), 0);
  EXPECT_EQ(f.manager.FindObjectAt(8, 9), 60003);
  // Cut: copy, then the start position leaves the map.
  ASSERT_TRUE(f.manager.CutObjectAt(8, 9));
  EXPECT_EQ(f.tree.startPositions.MapId(2), 0);
  EXPECT_EQ(f.tree.startPositions.X(2), 0);
  ASSERT_TRUE(f.manager.PasteObjectAt(1, 1));
  EXPECT_EQ(f.manager.FindObjectAt(1, 1), 60003);
  EXPECT_TRUE(f.map.events.Count() == 0);
}

TEST(EventManager, DamagedOrForeignBlocksPasteNothing) {
  Bytes event;
  {
    TLcfEventItem e;
    e.Reset();
    TByteWriter w(event);
    w.WriteInt(0);
    const Bytes r = e.Encoded();
    w.WriteBytes(r.data(), r.size());
  }
  auto sized = [](Bytes b, int extraSize = 0) {
    Bytes out;
    TByteWriter w(out);
    w.WriteU32(static_cast<uint32_t>(b.size() + extraSize));
    w.WriteBytes(b.data(), b.size());
    return out;
  };
  Bytes cut(event.begin(), event.end() - 3);
  Bytes trailing = event;
  trailing.push_back(7);
  const Bytes blocks[] = {
      {1, 2},                        // shorter than its size
      sized(event, 5),               // says more than it holds
      sized(cut),                    // an event cut short
      sized(trailing),               // bytes after the event
      sized({5}),                    // neither 0 nor a start position
      sized({0x83, 0xD4, 0x65}),     // 60005
      sized({0x83, 0xD4, 0x61, 0}),  // a start position with more after it
  };
  for (const Bytes& block : blocks) {
    TEventFixture f;
    f.clipboard.SetBlock(kMapEventClipboardFormat, block);
    EXPECT_FALSE(f.manager.PasteObjectAt(2, 2));
    EXPECT_EQ(f.map.events.Count(), 0);
    EXPECT_EQ(f.changes, 0);
  }
  TEventFixture f;
  f.clipboard.SetBlock(kMapEventClipboardFormat, sized(event));
  EXPECT_TRUE(f.manager.PasteObjectAt(2, 2));
}

TEST(EventManager, RefusalsChangeNothing) {
  TEventFixture f;
  f.Add(1, 2, 2);
  f.clipboard.SetBlock(kMapEventClipboardFormat, {});
  EXPECT_FALSE(f.manager.CopyObjectAt(0, 0));     // an empty cell
  EXPECT_FALSE(f.manager.PasteObjectAt(2, 2));    // an occupied cell
  EXPECT_FALSE(f.manager.SetPartyStartAt(2, 2));  // an occupied cell
  EXPECT_FALSE(f.manager.DeleteObjectAt(0, 0));
  EXPECT_FALSE(f.manager.MoveObject(2, 2, 20, 0));  // off the map
  f.port.vehicle = 0;
  EXPECT_FALSE(f.manager.SetVehicleStartAt(0, 0));  // cancelled
  EXPECT_EQ(f.changes, 0);
  // A full map says so for each way of adding an event.
  for (int id = 2; id <= kMaxMapEventId; ++id) f.Add(id, 19, 14);
  f.manager.CopyObjectAt(2, 2);
  const std::function<bool()> adds[] = {[&] { return f.manager.EditEventAt(0, 0, 10000); },
                                        [&] { return f.manager.PasteObjectAt(0, 0); },
                                        [&] { return f.manager.PlaceTeleportEventAt(0, 0); }};
  for (const auto& add : adds) {
    f.port.said.clear();
    EXPECT_FALSE(add());
    EXPECT_EQ(f.port.said, kNoFreeEventId);
  }
  EXPECT_EQ(f.map.events.Count(), kMaxMapEventId);
}

TEST(EventManager, EveryChangeIsOneUndoStep) {
  TEventFixture f;
  f.Add(1, 2, 2, "Door");
  f.Add(2, 4, 4, "Well");
  f.port.vehicle = 3;
  f.port.teleport = TLcfEventScriptList();
  f.port.teleport->AppendLine(TLcfEventScriptLine(10810, 0, {}, {2, 5, 6, 0}));
  const std::function<bool()> changes[] = {
      [&] { return f.manager.EditEventAt(9, 9, 10001); },
      [&] {
        f.port.edit = [](TLcfEventItem& e) { e.name = "Gate"; };
        return f.manager.EditEventAt(2, 2, 10000);
      },
      [&] { return f.manager.CopyObjectAt(4, 4) && f.manager.PasteObjectAt(6, 6); },
      [&] { return f.manager.CutObjectAt(4, 4); },
      [&] { return f.manager.DeleteObjectAt(2, 2); },
      [&] { return f.manager.MoveObject(9, 9, 0, 14); },
      [&] { return f.manager.SetPartyStartAt(1, 1); },
      [&] { return f.manager.MoveObject(1, 1, 3, 1); },
      [&] { return f.manager.SetVehicleStartAt(5, 0); },
      [&] { return f.manager.PlaceTeleportEventAt(7, 7); },
  };
  std::vector<std::pair<Bytes, Bytes>> states{{f.EncodedEvents(), f.tree.startPositions.Encoded()}};
  for (const auto& change : changes) {
    ASSERT_TRUE(change());
    f.port.edit = nullptr;
    states.emplace_back(f.EncodedEvents(), f.tree.startPositions.Encoded());
  }
  ASSERT_EQ(f.history.Count(), static_cast<int>(std::size(changes)));
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(f.history.Undo(f.map));
    EXPECT_EQ(states[i - 1].first, f.EncodedEvents()) << "undo of change " << i;
    EXPECT_EQ(states[i - 1].second, f.tree.startPositions.Encoded()) << "undo of change " << i;
  }
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(f.history.Redo(f.map));
    EXPECT_EQ(states[i].first, f.EncodedEvents()) << "redo of change " << i;
    EXPECT_EQ(states[i].second, f.tree.startPositions.Encoded()) << "redo of change " << i;
  }
}

TEST(EventManager, TeleportEventHidesTeleportsShowsOnTouch) {
  TEventFixture f;
  f.port.teleport = TLcfEventScriptList();
  f.port.teleport->AppendLine(TLcfEventScriptLine(10810, 0, {}, {2, 5, 6, 0}));
  f.port.teleportChangedDatabase = true;
  ASSERT_TRUE(f.manager.PlaceTeleportEventAt(3, 4));
  const TLcfEventItem* e = f.map.events.FindById(1);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->name, "EV0001");
  EXPECT_EQ(e->x, 3);
  const TLcfEventPageItem* page = e->pages.ItemAt(0);
  EXPECT_EQ(page->trigger, 1);
  const TLcfEventScriptLine want[] = {{11010, 0, {}, {-1}}, {10810, 0, {}, {2, 5, 6, 0}}, {11020, 0, {}, {-1}}, {0, 0}};
  ASSERT_EQ(page->lines.Count(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(*page->lines.LineAt(i), want[i]) << i;
  EXPECT_EQ(f.port.saves, 1);
  // Cancelled: nothing added, but a database changed on the side is still saved.
  f.port.teleport.reset();
  EXPECT_FALSE(f.manager.PlaceTeleportEventAt(5, 5));
  EXPECT_EQ(f.map.events.Count(), 1);
  EXPECT_EQ(f.port.saves, 2);
}

}  // namespace

// The events pane's rows: texts of every kind of first page, the filter's matches, and Edit by id
// reaching the second of two events that share a cell.
TEST(EventManager, EventsPaneRowsFilterAndEditById) {
  TEventFixture f;
  f.Add(12, 3, 4, "Old Chest").pages.ItemAt(0)->ChangeGraphic("Chests", 2);
  f.Add(3, 3, 4, "Guard").pages.ItemAt(0)->trigger = 4;
  TLcfEventItem& tile = f.Add(7, 9, 1);
  tile.pages.ItemAt(0)->graphicIndex = 12;
  tile.pages.ItemAt(0)->trigger = 9;  // outside the five triggers
  tile.pages.Obtain(2);
  f.Add(9, 0, 0, "Empty").pages.Clear();
  const std::vector<TMapEventRow> all = ListMapEvents(f.map);
  ASSERT_EQ(all.size(), 4u);
  const struct {
    int32_t id;
    int pages;
    const char* trigger;
    const char* graphic;
  } rows[] = {{3, 1, "Parallel Process", "(None)"},
              {7, 2, "Trigger 9", "Tile 10012"},
              {9, 0, "", ""},
              {12, 1, "Action Key", "Chests #2"}};
  for (size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(all[i].id, rows[i].id);
    EXPECT_EQ(all[i].pages, rows[i].pages) << rows[i].id;
    EXPECT_EQ(all[i].trigger, rows[i].trigger) << rows[i].id;
    EXPECT_EQ(all[i].graphic, rows[i].graphic) << rows[i].id;
  }
  const struct {
    const char* filter;
    std::vector<int32_t> ids;
  } filters[] = {{"", {3, 7, 9, 12}}, {"  ", {3, 7, 9, 12}}, {"chest", {12}},   {" GUARD ", {3}}, {"0012", {12, 7}},
                 {"12", {12, 7}},     {"EV", {7}},           {"parallel", {3}}, {"zzz", {}}};
  for (const auto& c : filters) {
    std::vector<int32_t> got;
    for (const TMapEventRow& row : ListMapEvents(f.map, c.filter)) got.push_back(row.id);
    std::vector<int32_t> want = c.ids;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want) << "filter '" << c.filter << "'";
  }
  // Edit by id opens the event itself, even where another event comes first on its cell.
  f.port.edit = [](TLcfEventItem& copy) { copy.name = "Renamed"; };
  EXPECT_EQ(f.manager.FindObjectAt(3, 4), 3);
  ASSERT_TRUE(f.manager.EditEventById(12));
  EXPECT_FALSE(f.port.openedNew);
  EXPECT_EQ(f.map.events.FindById(12)->name, "Renamed");
  EXPECT_EQ(f.map.events.FindById(3)->name, "Guard");
  EXPECT_EQ(f.map.events.FindById(12)->x, 3);
  EXPECT_FALSE(f.manager.EditEventById(44));
  EXPECT_EQ(f.port.opened, 1);
}
