#include "maps/LD_MapTree.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <unordered_set>

#include "core/AtomicFile.h"
#include "core/CountText.h"
#include "core/ProjectFolder.h"
#include "maps/LD_Map.h"

namespace tess {

// ---------------------------------------------------------------------------------------------
// Records

void TLcfEncountItem::DescribeChunks(TCatalogVarData& v) {
  // Omitted at 0, though a reset entry names troop 1.
  v.Integer(1, troopId, 0, 1);
}

void TLcfMapTreeItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.Integer(2, parentId, 0);
  v.Integer(3, depth, 0);
  v.Byte(4, nodeType);
  v.Integer(5, scrollX, 0);
  v.Integer(6, scrollY, 0);
  v.Flag(7, expanded, 0);
  v.Byte(11, musicType);
  v.Record(12, music);
  v.Byte(21, backdropType);
  v.String(22, backdropName);
  v.Byte(31, teleport);
  v.Byte(32, escape);
  v.Byte(33, save);
  v.List(41, encounters);
  v.Integer(44, encounterSteps, 25);
  v.FixedArray(51, areaRect);
}

int32_t* TLcfMapStartPosition::Slot(int slot) {
  switch (slot) {
    case kParty:
      return &partyMapId;
    case kSkiff:
      return &skiffMapId;
    case kShip:
      return &shipMapId;
    case kAirship:
      return &airshipMapId;
    default:
      return nullptr;
  }
}

// Each slot is three consecutive fields: map id, x, y.
int32_t TLcfMapStartPosition::MapId(int slot) const {
  const int32_t* s = const_cast<TLcfMapStartPosition*>(this)->Slot(slot);
  return s ? s[0] : 0;
}
int32_t TLcfMapStartPosition::X(int slot) const {
  const int32_t* s = const_cast<TLcfMapStartPosition*>(this)->Slot(slot);
  return s ? s[1] : 0;
}
int32_t TLcfMapStartPosition::Y(int slot) const {
  const int32_t* s = const_cast<TLcfMapStartPosition*>(this)->Slot(slot);
  return s ? s[2] : 0;
}
void TLcfMapStartPosition::SetMapId(int slot, int32_t id) {
  if (int32_t* s = Slot(slot)) s[0] = id;
}
void TLcfMapStartPosition::SetX(int slot, int32_t x) {
  if (int32_t* s = Slot(slot)) s[1] = x;
}
void TLcfMapStartPosition::SetY(int slot, int32_t y) {
  if (int32_t* s = Slot(slot)) s[2] = y;
}
void TLcfMapStartPosition::Clear(int slot) {
  if (int32_t* s = Slot(slot)) s[0] = s[1] = s[2] = 0;
}

void TLcfMapStartPosition::ShiftOnMap(int32_t mapId, int dx, int dy, int width, int height) {
  if (mapId <= 0 || width <= 0 || height <= 0) return;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (MapId(slot) != mapId) continue;
    SetX(slot, WrapCoordinate(X(slot) + dx, width));
    SetY(slot, WrapCoordinate(Y(slot) + dy, height));
  }
}

void TLcfMapStartPosition::DescribeChunks(TCatalogVarData& v) {
  v.Integer(1, partyMapId, 0);
  v.Integer(2, partyX, 0);
  v.Integer(3, partyY, 0);
  v.Integer(11, skiffMapId, 0);
  v.Integer(12, skiffX, 0);
  v.Integer(13, skiffY, 0);
  v.Integer(21, shipMapId, 0);
  v.Integer(22, shipX, 0);
  v.Integer(23, shipY, 0);
  v.Integer(31, airshipMapId, 0);
  v.Integer(32, airshipX, 0);
  v.Integer(33, airshipY, 0);
}

// ---------------------------------------------------------------------------------------------
// Tree structure

std::unique_ptr<TCatalogItem> TLcfMapTree::CreateItem(int32_t id) const {
  auto item = std::make_unique<TLcfMapTreeItem>();
  item->SetId(id);
  item->Reset();
  item->encounterSteps = 0;
  return item;
}

const std::string& TLcfMapTree::ProjectPath() const { return projectFolder.empty() ? ProjectFolder() : projectFolder; }

const std::string& TLcfMapTree::ScratchPath() const { return scratchFolder.empty() ? ScratchFolder() : scratchFolder; }

int TLcfMapTree::OrderIndexOf(int32_t id) const {
  auto it = std::find(order.begin(), order.end(), id);
  return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

void TLcfMapTree::InsertInOrder(int32_t id, int32_t parentId) {
  int p = OrderIndexOf(parentId);
  if (p < 0 || parentId == id) {
    order.push_back(id);
    return;
  }
  // The parent's subtree ends at the first later node that is not deeper than the parent (a node
  // of the parent's own depth need not come first: the parent may be the last of its siblings).
  order.insert(order.begin() + static_cast<ptrdiff_t>(SubtreeEnd(static_cast<size_t>(p))), id);
}

size_t TLcfMapTree::SubtreeEnd(size_t p) const {
  const TLcfMapTreeItem* top = FindById(order[p]);
  const int32_t d = top ? top->depth : 0;
  size_t end = p + 1;
  for (; end < order.size(); ++end) {
    const TLcfMapTreeItem* node = FindById(order[end]);
    if (node && node->depth <= d) break;
  }
  return end;
}

bool TLcfMapTree::MoveNode(int32_t id, int32_t newParentId) {
  TLcfMapTreeItem* node = FindById(id);
  const TLcfMapTreeItem* parent = FindById(newParentId);
  if (id == 0 || !node || !parent || id == newParentId) return false;
  int p = OrderIndexOf(id);
  if (p < 0) {
    node->parentId = newParentId;
    node->depth = parent->depth + 1;
    InsertInOrder(id, newParentId);
    return true;
  }
  const size_t begin = static_cast<size_t>(p), end = SubtreeEnd(begin);
  const int q = OrderIndexOf(newParentId);
  if (q >= static_cast<int>(begin) && q < static_cast<int>(end)) return false;
  std::vector<int32_t> subtree(order.begin() + p, order.begin() + static_cast<ptrdiff_t>(end));
  order.erase(order.begin() + p, order.begin() + static_cast<ptrdiff_t>(end));
  const int32_t delta = parent->depth + 1 - node->depth;
  for (int32_t member : subtree)
    if (TLcfMapTreeItem* m = FindById(member)) m->depth += delta;
  node->parentId = newParentId;
  const int at = OrderIndexOf(newParentId);
  const size_t insertAt = at < 0 ? order.size() : SubtreeEnd(static_cast<size_t>(at));
  order.insert(order.begin() + static_cast<ptrdiff_t>(insertAt), subtree.begin(), subtree.end());
  return true;
}

bool TLcfMapTree::IsInSubtree(int32_t id, int32_t ancestorId) const {
  // Parents of a damaged file may form a cycle: a walk longer than the tree stops.
  const TLcfMapTreeItem* node = FindById(id);
  for (int steps = 0; node && steps <= Count(); ++steps) {
    if (node->Id() == ancestorId) return true;
    if (node->Id() == 0 || node->parentId == node->Id()) return false;
    node = FindById(node->parentId);
  }
  return false;
}

bool TLcfMapTree::CanDropNode(int32_t id, int32_t targetId) const {
  const TLcfMapTreeItem* node = FindById(id);
  const TLcfMapTreeItem* target = FindById(targetId);
  if (!node || !target || id == 0 || target->IsArea()) return false;
  if (node->IsArea()) return node->parentId == targetId;
  return node->IsMap() && !IsInSubtree(targetId, id);
}

int32_t TLcfMapTree::FirstFreeId() const {
  for (int32_t id = 1; id <= kMaxMapId; ++id)
    if (!FindById(id)) return id;
  return 0;
}

TLcfMapTreeItem* TLcfMapTree::AddNode(int32_t parentId, int32_t id) {
  TLcfMapTreeItem* node = Obtain(id);
  std::erase(deletedIds, id);
  node->parentId = parentId;
  // The root, added as its own parent, thereby goes one level deeper than it was; the view puts it
  // back at the top, and the next synchronisation from the view stores depth 0 again.
  if (const TLcfMapTreeItem* parent = FindById(parentId)) node->depth = parent->depth + 1;
  std::erase(order, id);  // a reused node moves
  InsertInOrder(id, parentId);
  return node;
}

TLcfMapTreeItem* TLcfMapTree::AddMapLike(int32_t parentId, int32_t id, const TLcfMapTreeItem& like) {
  TLcfMapTreeItem* node = AddNode(parentId, id);
  const int32_t parentOfNode = node->parentId, depth = node->depth;
  if (node != &like) node->Assign(like);
  node->parentId = parentOfNode;
  node->depth = depth;
  node->nodeType = TLcfMapTreeItem::kMap;
  return node;
}

void TLcfMapTree::DeleteNode(int32_t id) {
  int p = OrderIndexOf(id);
  auto forget = [&](int32_t gone) {
    if (std::find(deletedIds.begin(), deletedIds.end(), gone) == deletedIds.end()) deletedIds.push_back(gone);
    Delete(gone);
  };
  if (p < 0) {
    // Only a damaged file leaves a node out of order; it still goes.
    if (FindById(id)) forget(id);
  } else {
    const size_t end = SubtreeEnd(static_cast<size_t>(p));
    for (size_t i = static_cast<size_t>(p); i < end; ++i)
      if (FindById(order[i])) forget(order[i]);
    order.erase(order.begin() + p, order.begin() + static_cast<ptrdiff_t>(end));
  }
  for (int slot = 0; slot < TLcfMapStartPosition::kSlotCount; ++slot)
    if (startPositions.MapId(slot) == id) startPositions.Clear(slot);
}

void TLcfMapTree::ClearTree() {
  Clear();
  order.clear();
}

bool TLcfMapTree::IsModified() const {
  if (!deletedIds.empty()) return true;
  for (int i = 0; i < Count(); ++i)
    if (ItemAt(i)->pending) return true;
  return false;
}

TLcfMapTreeItem* TLcfMapTree::OwningMap(int32_t id) const {
  TLcfMapTreeItem* node = FindById(id);
  // Areas may nest; a damaged file may make their parents circular.
  for (int steps = 0; node && node->IsArea() && steps <= Count(); ++steps) node = FindById(node->parentId);
  return node && node->IsMap() ? node : nullptr;
}

TLcfMapTreeItem* TLcfMapTree::MarkPending(int32_t id) {
  TLcfMapTreeItem* map = OwningMap(id);
  if (map) map->pending = true;
  return map;
}

void TLcfMapTree::DiscardWorkCopies() {
  for (int i = 0; i < Count(); ++i) {
    TLcfMapTreeItem* node = ItemAt(i);
    try {
      TLcfBaseMapUnit::DeleteWorkCopy(ScratchPath(), node->Id());
    } catch (const EFileError&) {
      // A copy that cannot be deleted is only stale: it is read only for a pending map, and
      // marking a map pending writes its copy first.
    }
    node->pending = false;
  }
}

std::vector<int32_t> TLcfMapTree::AdoptWorkCopies(const std::vector<int32_t>& ids) {
  std::vector<int32_t> taken;
  for (int32_t id : ids) {
    TLcfMapTreeItem* node = FindById(id);
    if (node && node->IsMap() && !node->pending) {
      node->pending = true;
      taken.push_back(id);
    }
  }
  return taken;
}

void TLcfMapTree::RequireRoot() const {
  if (!HasRoot()) throw ETessError(kMapTreeCorrupt);
}

// ---------------------------------------------------------------------------------------------
// File

void TLcfMapTree::Parse(const Bytes& data) {
  TByteReader r(data.data(), data.size());
  ExpectMagic(r, kMapTreeMagic);
  TCatalog::LoadFrom(r);
  try {
    const int64_t at = r.Offset();
    int32_t n;
    if (!r.TryReadInt(n)) throw EDamagedData("the data ends inside the number of entries", at);
    // Every id takes at least one byte.
    if (n < 0 || static_cast<size_t>(n) > r.Remaining())
      throw EDamagedData(
          "the order claims " + std::to_string(n) + " entries where at most " + std::to_string(r.Remaining()) + " fit",
          at);
    order.clear();
    order.reserve(static_cast<size_t>(n));
    std::unordered_set<int32_t> seen;
    for (int32_t i = 0; i < n; ++i) {
      const int64_t entryAt = r.Offset();
      int32_t id;
      if (!r.TryReadInt(id))
        throw EDamagedData("the order ends after " + std::to_string(i) + " of its " + std::to_string(n) + " entries",
                           entryAt);
      // Every entry of order is a node of the tree, once: a saved tree never writes another.
      if (!FindById(id))
        throw EDamagedData(
            "entry " + std::to_string(i + 1) + " names node " + std::to_string(id) + ", which the tree does not hold",
            entryAt);
      if (!seen.insert(id).second)
        throw EDamagedData("entry " + std::to_string(i + 1) + " names node " + std::to_string(id) + " a second time",
                           entryAt);
      order.push_back(id);
    }
  } catch (EDamagedData& e) {
    e.EnterPart("node order");
    throw;
  }
  if (!r.TryReadInt(currentId)) throw EDamagedData("the data ends before the current node", r.Offset());
  try {
    startPositions.LoadFrom(r);
  } catch (EDamagedData& e) {
    e.EnterPart("start positions");
    throw;
  }
  ExpectEnd(r, "start positions");
}

void TLcfMapTree::TakeFrom(TLcfMapTree& other) {
  SwapItems(other);
  order.swap(other.order);
  currentId = other.currentId;
  startPositions.Assign(other.startPositions);
}

void TLcfMapTree::LoadFromBytes(const Bytes& data) {
  TLcfMapTree fresh;
  fresh.Parse(data);
  TakeFrom(fresh);
  deletedIds.clear();
}

Bytes TLcfMapTree::SaveToBytes() {
  Bytes out;
  TByteWriter w(out);
  w.WriteString(kMapTreeMagic);
  TCatalog::SaveTo(out);
  w.WriteInt(static_cast<int32_t>(order.size()));
  for (int32_t id : order) w.WriteInt(id);
  w.WriteInt(currentId);
  startPositions.SaveTo(out);
  return out;
}

void TLcfMapTree::LoadTree() {
  const std::string path = PathInFolder(ProjectPath(), kMapTreeFileName);
  Bytes data = ReadWholeFile(path);
  TLcfMapTree fresh;
  try {
    fresh.Parse(data);
  } catch (EDamagedData& e) {
    e.SetFile(path);
    throw;
  }
  // Only a tree that was read completely replaces this one and discards its uncommitted edits.
  DiscardWorkCopies();
  deletedIds.clear();
  TakeFrom(fresh);
}

void TLcfMapTree::SaveTree() {
  if (Count() == 0) return;
  std::string problems;
  auto note = [&](const std::string& what, const std::exception& e) {
    if (!problems.empty()) problems += "\n";
    problems += what + ": " + e.what();
  };

  TLcfMap scratch;
  for (int i = 0; i < Count(); ++i) {
    TLcfMapTreeItem* node = ItemAt(i);
    if (!node->pending) continue;
    if (node->IsMap()) {
      try {
        // A copy that is missing or cannot be read raises here, before the project file is touched.
        scratch.LoadWorkCopy(ScratchPath(), node->Id());
        scratch.LoadDamage().Raise();
        scratch.SaveToProject(ProjectPath(), node->Id());
      } catch (const std::exception& e) {
        note(MapFileName(node->Id()), e);
        continue;
      }
      try {
        TLcfBaseMapUnit::DeleteWorkCopy(ScratchPath(), node->Id());
      } catch (const std::exception&) {
        // Committed; a stale copy is overwritten before it is read again.
      }
    }
    node->pending = false;
  }

  std::vector<int32_t> kept;
  for (int32_t id : deletedIds) {
    // A node that is in the tree again keeps its file.
    if (FindById(id)) continue;
    try {
      TLcfBaseMapUnit::DeleteProjectFile(ProjectPath(), id);
    } catch (const std::exception& e) {
      note(MapFileName(id), e);
      kept.push_back(id);
    }
  }
  deletedIds = std::move(kept);

  WriteFileAtomic(PathInFolder(ProjectPath(), kMapTreeFileName), SaveToBytes());
  if (!problems.empty()) throw EFileError("Some maps could not be saved.\n" + problems);
}

// ---------------------------------------------------------------------------------------------
// View

void TLcfMapTree::BuildView(TMapTreeView& view, bool includeAreas) const {
  view.Clear();
  std::unordered_map<int32_t, TMapTreeView::Node> placed;
  // The root is shown whatever a damaged file says its type is.
  auto shown = [&](const TLcfMapTreeItem* node) { return includeAreas || !node->IsArea() || node->Id() == 0; };
  auto add = [&](const TLcfMapTreeItem* node, TMapTreeView::Node parent) {
    TMapTreeView::Node v = view.Add(parent, node->name, node->Id());
    view.SetImageIndex(v, std::min<int>(node->nodeType, TLcfMapTreeItem::kArea));
    placed[node->Id()] = v;
    return v;
  };
  auto placedNode = [&](int32_t id) -> TMapTreeView::Node {
    auto it = placed.find(id);
    return it == placed.end() ? nullptr : it->second;
  };

  // In display order, each node under its parent when the parent is already there.
  for (int32_t id : order) {
    const TLcfMapTreeItem* node = FindById(id);
    if (!node || !shown(node) || placed.count(id)) continue;
    if (id == 0) {
      add(node, nullptr);
    } else if (node->parentId != id) {
      if (TMapTreeView::Node parent = placedNode(node->parentId)) add(node, parent);
    }
  }

  // The rest in id order: under its parent, placing unplaced ancestors first. A node whose parent
  // is unknown, hidden, itself, or on a cycle hangs under the root (or at the top without one).
  auto rootNode = [&]() -> TMapTreeView::Node {
    if (TMapTreeView::Node root = placedNode(0)) return root;
    if (const TLcfMapTreeItem* root = FindById(0)) return add(root, nullptr);
    return nullptr;
  };
  for (int i = 0; i < Count(); ++i) {
    const TLcfMapTreeItem* node = ItemAt(i);
    if (placed.count(node->Id()) || !shown(node)) continue;
    if (node->Id() == 0) {
      rootNode();
      continue;
    }
    // The chain of unplaced ancestors, nearest first.
    std::vector<const TLcfMapTreeItem*> chain{node};
    std::unordered_set<int32_t> onChain{node->Id()};
    TMapTreeView::Node anchor = nullptr;
    for (;;) {
      const TLcfMapTreeItem* last = chain.back();
      const TLcfMapTreeItem* parent = FindById(last->parentId);
      if (last->parentId != 0 && parent && shown(parent) && !onChain.count(parent->Id())) {
        if (TMapTreeView::Node p = placedNode(parent->Id())) {
          anchor = p;
          break;
        }
        chain.push_back(parent);
        onChain.insert(parent->Id());
        continue;
      }
      anchor = rootNode();
      break;
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) anchor = add(*it, anchor);
  }

  for (const auto& [id, v] : placed)
    if (FindById(id)->expanded) view.SetExpanded(v, true);
}

void TLcfMapTree::SyncOrderFromView(const TMapTreeView& view) {
  std::vector<int32_t> previous = std::move(order);
  order.clear();
  std::unordered_set<int32_t> seen;
  for (TMapTreeView::Node v = view.First(); v; v = view.Next(v)) {
    int32_t id = view.IdOf(v);
    TLcfMapTreeItem* node = FindById(id);
    if (!node || !seen.insert(id).second) continue;
    if (TMapTreeView::Node parent = view.Parent(v)) node->parentId = view.IdOf(parent);
    node->depth = view.Level(v);
    node->expanded = view.Expanded(v) ? 1 : 0;
    order.push_back(id);
  }
  // Nodes the view does not show (areas of a view without them) stay after their parent.
  for (int32_t id : previous) {
    if (seen.count(id)) continue;
    TLcfMapTreeItem* node = FindById(id);
    if (!node) continue;
    seen.insert(id);
    if (const TLcfMapTreeItem* parent = FindById(node->parentId); parent && parent != node)
      node->depth = parent->depth + 1;
    InsertInOrder(id, node->parentId);
  }
}

void TLcfMapTree::SelectCurrentInView(TMapTreeView& view) const {
  for (TMapTreeView::Node v = view.First(); v; v = view.Next(v)) {
    if (view.IdOf(v) == currentId) {
      view.Select(v);
      return;
    }
  }
}

std::string DescribeMapTree(const TLcfMapTree& tree) {
  int maps = 0, areas = 0;
  for (int i = 0; i < tree.Count(); ++i) {
    const TLcfMapTreeItem* node = tree.ItemAt(i);
    maps += node->IsMap();
    areas += node->IsArea();
  }
  return CountText(tree.Count(), "node", "nodes") + " (" + CountText(maps, "map", "maps") + ", " +
         CountText(areas, "area", "areas") + (tree.HasRoot() ? ", root" : ", no root") + "), order of " +
         std::to_string(tree.order.size()) + ", current node " + std::to_string(tree.currentId);
}

}  // namespace tess
