#include "maps/EventManager.h"

#include <cstring>

#include "core/ClipboardPort.h"
#include "core/StreamUtils.h"

namespace tess {

namespace {

constexpr int32_t kFirstStart = TLcfMapStartPosition::kFirstStartEventId;
constexpr const char* kStartNames[] = {"Hero", "Skiff", "Ship", "Airship"};

// The block of format 563: the encoding's byte size, then the encoding.
Bytes SizedBlock(const Bytes& encoding) {
  Bytes block;
  TByteWriter w(block);
  w.WriteU32(static_cast<uint32_t>(encoding.size()));
  w.WriteBytes(encoding.data(), encoding.size());
  return block;
}

// The encoding inside a block of format 563; none when the block is shorter than it says.
std::optional<Bytes> BlockContents(const Bytes& block) {
  if (block.size() < 4) return std::nullopt;
  TByteReader r(block.data(), block.size());
  const uint32_t size = r.ReadU32();
  if (size > r.Remaining()) return std::nullopt;
  return Bytes(r.Here(), r.Here() + size);
}

}  // namespace

TLcfEventManager::TLcfEventManager(TLcfMap& map, TLcfMapTree* tree, TEventManagerPort& port)
    : map_(map), tree_(tree), port_(port) {}

bool TLcfEventManager::StartOnCell(int slot, int x, int y) const {
  const TLcfMapStartPosition& s = tree_->startPositions;
  return s.MapId(slot) == map_.Id() && s.X(slot) == x && s.Y(slot) == y;
}

int32_t TLcfEventManager::FindObjectAt(int x, int y) {
  cellX_ = x;
  cellY_ = y;
  objectId_ = 0;
  for (int i = 0; i < map_.events.Count(); ++i) {
    const TLcfEventItem* e = map_.events.ItemAt(i);
    if (e->x == x && e->y == y) return objectId_ = e->Id();
  }
  if (tree_ && map_.Id() > 0)
    for (int k = 0; k < TLcfMapStartPosition::kSlotCount; ++k)
      if (StartOnCell(k, x, y)) return objectId_ = kFirstStart + k;
  return 0;
}

std::string TLcfEventManager::ObjectNameAt(int x, int y) {
  const int32_t id = FindObjectAt(x, y);
  if (id >= kFirstStart) return kStartNames[id - kFirstStart];
  if (const TLcfEventItem* e = id > 0 ? map_.events.FindById(id) : nullptr) return e->name;
  return {};
}

int32_t TLcfEventManager::LowestFreeId() const {
  // The list is in ascending id order: the first gap is the lowest free id.
  int32_t want = 1;
  for (int i = 0; i < map_.events.Count() && want <= kMaxMapEventId; ++i) {
    const int32_t id = map_.events.ItemAt(i)->Id();
    if (id > want) break;
    if (id == want) ++want;
  }
  return want <= kMaxMapEventId ? want : 0;
}

// ---------------------------------------------------------------------------------------------
// Changes and their undo

TEventSnapshot TLcfEventManager::Snapshot(int32_t eventId) const {
  TEventSnapshot s;
  s.eventId = eventId;
  if (const TLcfEventItem* e = eventId > 0 ? map_.events.FindById(eventId) : nullptr) s.event = e->Encoded();
  if (tree_)
    for (int k = 0; k < TLcfMapStartPosition::kSlotCount; ++k) {
      s.starts[k][0] = tree_->startPositions.MapId(k);
      s.starts[k][1] = tree_->startPositions.X(k);
      s.starts[k][2] = tree_->startPositions.Y(k);
    }
  return s;
}

void TLcfEventManager::Restore(TLcfMap& map, TLcfMapTree* tree, const TEventSnapshot& s) {
  if (s.eventId > 0) {
    if (s.event) {
      TByteReader r(s.event->data(), s.event->size());
      map.events.Obtain(s.eventId)->LoadFrom(r);
    } else {
      map.events.Delete(s.eventId);
    }
  }
  if (tree)
    for (int k = 0; k < TLcfMapStartPosition::kSlotCount; ++k) {
      tree->startPositions.SetMapId(k, s.starts[k][0]);
      tree->startPositions.SetX(k, s.starts[k][1]);
      tree->startPositions.SetY(k, s.starts[k][2]);
    }
}

void TLcfEventManager::Change(int32_t eventId, const std::function<void()>& edit) {
  auto before = std::make_shared<TEventSnapshot>(Snapshot(eventId));
  auto after = std::make_shared<TEventSnapshot>();
  TLcfMap* map = &map_;
  TLcfMapTree* tree = tree_;
  auto effect = [map, tree, before, after](bool undo) { Restore(*map, tree, undo ? *before : *after); };
  auto run = [&] {
    edit();
    *after = Snapshot(eventId);
  };
  if (commit)
    commit(run, effect);
  else
    run();
  if (OnChanged) OnChanged();
}

void TLcfEventManager::SetStart(int slot, int32_t mapId, int x, int y) {
  tree_->startPositions.SetMapId(slot, mapId);
  tree_->startPositions.SetX(slot, x);
  tree_->startPositions.SetY(slot, y);
}

// ---------------------------------------------------------------------------------------------
// Operations

bool TLcfEventManager::EditEventAt(int x, int y, int tileId) {
  int32_t id = FindObjectAt(x, y);
  if (id >= kFirstStart) return false;
  const bool isNew = id == 0;
  if (isNew && (id = LowestFreeId()) == 0) {
    port_.Say(kNoFreeEventId);
    return false;
  }
  OpenEditor(id, isNew, x, y, tileId);
  return true;
}

bool TLcfEventManager::EditEventById(int32_t id) {
  const TLcfEventItem* event = id > 0 ? map_.events.FindById(id) : nullptr;
  if (!event) return false;
  cellX_ = event->x;
  cellY_ = event->y;
  objectId_ = id;
  OpenEditor(id, false, event->x, event->y, 0);
  return true;
}

void TLcfEventManager::OpenEditor(int32_t id, bool isNew, int x, int y, int tileId) {
  TLcfEventItem copy;
  copy.Reset();
  copy.SetId(id);
  if (isNew) {
    copy.name = DefaultEventName(id);
    if (TLcfEventPageItem* page = copy.pages.ItemAt(0)) page->graphicIndex = tileId - 10000;
  } else {
    copy.Assign(*map_.events.FindById(id));
  }
  copy.x = x;
  copy.y = y;
  port_.EditEvent(copy, isNew, [this, id, x, y](const TLcfEventItem& edited) { ApplyEvent(id, edited, x, y); });
}

void TLcfEventManager::ApplyEvent(int32_t id, const TLcfEventItem& copy, int x, int y) {
  Change(id, [&] {
    TLcfEventItem* e = map_.events.Obtain(id);
    e->Assign(copy);
    e->x = x;
    e->y = y;
  });
}

bool TLcfEventManager::CopyObjectAt(int x, int y) {
  const int32_t id = FindObjectAt(x, y);
  if (id == 0) return false;
  Bytes encoding;
  TByteWriter w(encoding);
  if (id >= kFirstStart) {
    w.WriteInt(id);
  } else {
    w.WriteInt(0);
    const Bytes record = map_.events.FindById(id)->Encoded();
    w.WriteBytes(record.data(), record.size());
  }
  Clipboard().SetBlock(kMapEventClipboardFormat, SizedBlock(encoding));
  return true;
}

bool TLcfEventManager::CutObjectAt(int x, int y) { return CopyObjectAt(x, y) && DeleteObjectAt(x, y); }

bool TLcfEventManager::CanPaste() { return Clipboard().HasBlock(kMapEventClipboardFormat); }

std::string TLcfEventManager::PastedName(const std::string& name, int32_t newId) {
  if (name.size() != 6 || name.compare(0, 2, "EV") != 0) return name;
  int number = 0;
  for (size_t i = 2; i < 6; ++i) {
    if (name[i] < '0' || name[i] > '9') return name;
    number = number * 10 + (name[i] - '0');
  }
  return number > 0 ? DefaultEventName(newId) : name;
}

bool TLcfEventManager::PasteObjectAt(int x, int y) {
  if (FindObjectAt(x, y) != 0) return false;
  const int32_t id = LowestFreeId();
  if (id == 0) {
    port_.Say(kNoFreeEventId);
    return false;
  }
  const std::optional<Bytes> block = Clipboard().GetBlock(kMapEventClipboardFormat);
  const std::optional<Bytes> encoding = block ? BlockContents(*block) : std::nullopt;
  if (!encoding) return false;
  // Decoded completely before the map is touched: a damaged or foreign block adds nothing.
  TLcfEventItem pasted;
  int32_t first = 0;
  try {
    TByteReader r(encoding->data(), encoding->size());
    first = r.ReadInt();
    if (first != 0) {
      if (first < kFirstStart || first >= kFirstStart + TLcfMapStartPosition::kSlotCount || !r.AtEnd()) return false;
    } else {
      pasted.LoadFrom(r);
      if (!r.AtEnd()) return false;
    }
  } catch (const std::exception&) {
    return false;
  }
  if (first != 0) {
    if (!tree_ || map_.Id() <= 0) return false;
    Change(0, [&] { SetStart(first - kFirstStart, map_.Id(), x, y); });
    return true;
  }
  pasted.name = PastedName(pasted.name, id);
  pasted.SetId(id);
  ApplyEvent(id, pasted, x, y);
  return true;
}

bool TLcfEventManager::DeleteObjectAt(int x, int y) {
  const int32_t id = FindObjectAt(x, y);
  if (id == 0) return false;
  if (id >= kFirstStart) {
    Change(0, [&] { SetStart(id - kFirstStart, 0, 0, 0); });
  } else {
    Change(id, [&] { map_.events.Delete(id); });
  }
  return true;
}

bool TLcfEventManager::MoveObject(int fromX, int fromY, int toX, int toY) {
  if (!map_.lower.Contains(toX, toY) || FindObjectAt(toX, toY) != 0) return false;
  const int32_t id = FindObjectAt(fromX, fromY);
  if (id == 0) return false;
  if (id >= kFirstStart) {
    Change(0, [&] { SetStart(id - kFirstStart, map_.Id(), toX, toY); });
  } else {
    Change(id, [&] {
      TLcfEventItem* e = map_.events.FindById(id);
      e->x = toX;
      e->y = toY;
    });
  }
  cellX_ = toX;
  cellY_ = toY;
  return true;
}

bool TLcfEventManager::SetPartyStartAt(int x, int y) {
  if (!tree_ || map_.Id() <= 0 || FindObjectAt(x, y) != 0) return false;
  Change(0, [&] { SetStart(TLcfMapStartPosition::kParty, map_.Id(), x, y); });
  return true;
}

bool TLcfEventManager::SetVehicleStartAt(int x, int y) {
  cellX_ = x;
  cellY_ = y;
  const int slot = port_.AskVehicle();
  return slot >= 1 && slot <= 3 && PlaceVehicleAt(slot, x, y);
}

bool TLcfEventManager::PlaceVehicleAt(int slot, int x, int y) {
  if (!tree_ || map_.Id() <= 0 || slot < 1 || slot > 3) return false;
  Change(0, [&] { SetStart(slot, map_.Id(), x, y); });
  return true;
}

bool TLcfEventManager::PlaceTeleportEventAt(int x, int y) {
  if (FindObjectAt(x, y) != 0) return false;
  const int32_t id = LowestFreeId();
  if (id == 0) {
    port_.Say(kNoFreeEventId);
    return false;
  }
  TLcfEventItem event;
  event.Reset();
  event.SetId(id);
  event.name = DefaultEventName(id);
  event.x = x;
  event.y = y;
  bool databaseChanged = false;
  const std::optional<TLcfEventScriptList> teleport = port_.AskTeleport(event, databaseChanged);
  const bool added = teleport && AddTeleportEvent(id, *teleport, x, y);
  if (databaseChanged) port_.SaveDatabase();
  return added;
}

bool TLcfEventManager::AddTeleportEvent(int32_t id, const TLcfEventScriptList& teleport, int x, int y) {
  if (id <= 0 || teleport.Count() == 0) return false;
  TLcfEventItem event;
  event.Reset();
  event.SetId(id);
  event.name = DefaultEventName(id);
  TLcfEventPageItem* page = event.pages.ItemAt(0);
  if (!page) return false;
  page->lines.ClearLines();
  page->lines.AppendLine(TLcfEventScriptLine(11010, 0, {}, {-1}));
  for (int i = 0; i < teleport.Count(); ++i) page->lines.AppendLine(*teleport.LineAt(i));
  page->lines.AppendLine(TLcfEventScriptLine(11020, 0, {}, {-1}));
  page->lines.AppendLine(TLcfEventScriptLine(0, 0));
  page->trigger = 1;
  ApplyEvent(id, event, x, y);
  return true;
}

}  // namespace tess
