#include "project/MapTreeCommands.h"

#include <algorithm>
#include <exception>

#include "core/ClipboardPort.h"
#include "maps/AreaRect.h"
#include "maps/DungeonGenerator.h"
#include "maps/MapClipboard.h"
#include "maps/MapProperties.h"

namespace tess {

std::string DeleteNodeQuestion(const std::string& name) { return name + " will be deleted.  Proceed?"; }

namespace {

// A new node is shown: its parent opens.
void ExpandParent(TLcfMapTree& tree, int32_t parentId) {
  if (TLcfMapTreeItem* parent = tree.FindById(parentId)) parent->expanded = 1;
}

}  // namespace

bool TMapTreeCommands::IsCurrentMap(int32_t id) const {
  const TLcfMapTreeItem* node = document_.MapTree().FindById(id);
  return node && node->IsMap() && document_.Map().Id() == id && document_.CanEditMap();
}

TAutotileLinks TMapTreeCommands::LinksOf(int32_t tilesetId) const {
  TAutotileLinks links;
  LinksOfTileset(document_.DataBase().tilesets.FindById(tilesetId), links, nullptr);
  return links;
}

void TMapTreeCommands::SelectNode(int32_t id, int clientWidth, int clientHeight) {
  TLcfMapTree& tree = document_.MapTree();
  if (TLcfMapTreeItem* node = tree.FindById(id); node && node->IsArea()) {
    const TCellPoint scroll = AreaCentreScroll(AreaRectOf(node->areaRect), clientWidth, clientHeight);
    // The map view opens its map where the map's entry says: the area's map shows the area.
    for (TLcfMapTreeItem* entry : {node, tree.OwningMap(id)})
      if (entry) {
        entry->scrollX = scroll.x;
        entry->scrollY = scroll.y;
      }
  }
  document_.SelectNode(id);
}

// ---------------------------------------------------------------------------------------------
// Maps

void TMapTreeCommands::MakeMap(TLcfMap& map, const TMapProperties& properties, TLcfMapStartPosition& starts,
                               uint32_t seed) const {
  properties.ApplyToMap(map);
  DropOutsideMap(map, starts);
  map.RefreshTileset();
  if (!map.useGenerator) return;
  ::tess::GenerateDungeon(map, DungeonSettingsOf(map, starts, LinksOf(map.tilesetId)), seed);
}

bool TMapTreeCommands::PrepareNewMap(int32_t parentId, TMapProperties& properties) const {
  const TLcfMapTree& tree = document_.MapTree();
  const TLcfMapTreeItem* parent = tree.FindById(parentId);
  const int32_t id = tree.FirstFreeId();
  if (!parent || parent->IsArea() || id == 0) return false;
  const TLcfMap& map = document_.Map();
  properties.SetUpNew(id, parentId == 0, parentId != 0 && map.Id() == parentId ? map.tilesetId : 1);
  properties.ApplyRootParent();
  return true;
}

bool TMapTreeCommands::NewMap(int32_t parentId, const TMapProperties& properties, uint32_t seed) {
  TLcfMapTree& tree = document_.MapTree();
  const TLcfMapTreeItem* parent = tree.FindById(parentId);
  const int32_t id = properties.mapId;
  if (!document_.IsOpen() || !parent || parent->IsArea() || id <= 0 || id > kMaxMapId || tree.FindById(id))
    return false;
  document_.StoreCurrentMap();
  TLcfMap map;
  map.tilesetExists = [this](int32_t t) { return document_.DataBase().tilesets.FindById(t) != nullptr; };
  map.SetId(id);
  MakeMap(map, properties, tree.startPositions, seed);
  // Written before the node exists: a map that cannot be kept adds nothing.
  map.SaveWorkCopy(document_.ScratchPath(), id);
  document_.ChangeTree([&](TLcfMapTree& t) {
    TLcfMapTreeItem* node = t.AddNode(parentId, id);
    node->nodeType = TLcfMapTreeItem::kMap;
    properties.ApplyToItem(*node);
    node->pending = true;
    ExpandParent(t, parentId);
  });
  document_.SelectNode(id);
  return true;
}

bool TMapTreeCommands::PrepareMapProperties(int32_t id, TMapProperties& properties) const {
  if (!IsCurrentMap(id)) return false;
  const TLcfMapTreeItem* node = document_.MapTree().FindById(id);
  properties.mapId = id;
  properties.isNew = false;
  properties.parentIsRoot = node->parentId == 0;
  properties.LoadFromItem(*node);
  properties.LoadFromMap(document_.Map());
  properties.ApplyRootParent();
  return true;
}

bool TMapTreeCommands::ApplyMapProperties(int32_t id, const TMapProperties& properties, uint32_t seed) {
  if (!IsCurrentMap(id)) return false;
  TLcfMapTree& tree = document_.MapTree();
  if (!document_.EditMap([&](TLcfMap& map) { MakeMap(map, properties, tree.startPositions, seed); })) return false;
  document_.ChangeTree([&](TLcfMapTree& t) { properties.ApplyToItem(*t.FindById(id)); });
  return true;
}

void TMapTreeCommands::PreviewMap(const TMapProperties& properties, uint32_t seed, TLcfMap& preview) const {
  const TLcfMap& current = document_.Map();
  if (!properties.isNew && current.Id() == properties.mapId && current.width > 0)
    preview.Assign(current);
  else
    preview.Reset();
  preview.SetId(properties.mapId);
  preview.tilesetExists = [this](int32_t t) { return document_.DataBase().tilesets.FindById(t) != nullptr; };
  TLcfMapStartPosition starts;
  starts.Assign(document_.MapTree().startPositions);
  MakeMap(preview, properties, starts, seed);
}

bool TMapTreeCommands::GenerateDungeon(uint32_t seed) {
  TLcfMap& map = document_.Map();
  if (!document_.CanEditMap() || !map.useGenerator) return false;
  const TDungeonSettings settings = DungeonSettingsOf(map, document_.MapTree().startPositions, LinksOf(map.tilesetId));
  return document_.EditMap([&](TLcfMap& m) { ::tess::GenerateDungeon(m, settings, seed); });
}

bool TMapTreeCommands::ShiftMap(int dx, int dy) {
  if (!document_.CanEditMap()) return false;
  const TLcfMap& map = document_.Map();
  const int32_t id = map.Id();
  const int width = map.width, height = map.height;
  // The layers go back with the undo step; the events and the start positions are moved back here.
  auto moveRest = [this, id, width, height](int sx, int sy) {
    TLcfMap& m = document_.Map();
    if (m.Id() != id || m.width != width || m.height != height) return;
    for (int i = 0; i < m.events.Count(); ++i) {
      TLcfEventItem* e = m.events.ItemAt(i);
      e->x = WrapCoordinate(e->x + sx, width);
      e->y = WrapCoordinate(e->y + sy, height);
    }
    document_.MapTree().startPositions.ShiftOnMap(id, sx, sy, width, height);
  };
  const bool shifted = document_.EditMap(
      [&](TLcfMap& m) {
        m.ShiftMap(dx, dy);
        document_.MapTree().startPositions.ShiftOnMap(id, dx, dy, width, height);
      },
      [moveRest, dx, dy](bool undo) { undo ? moveRest(-dx, -dy) : moveRest(dx, dy); });
  if (shifted) document_.StoreCurrentMap();
  return shifted;
}

// ---------------------------------------------------------------------------------------------
// Areas

int32_t TMapTreeCommands::PrepareNewArea(int32_t mapId, std::string& name, TCellRect& rect) const {
  if (!IsCurrentMap(mapId)) return 0;
  const int32_t id = document_.MapTree().FirstFreeId();
  if (id == 0) return 0;
  name = DefaultAreaName(id);
  rect = {0, 0, document_.Map().width, document_.Map().height};
  return id;
}

bool TMapTreeCommands::CreateArea(int32_t mapId, int32_t id, const std::string& name, const TCellRect& rect,
                                  const TLcfEncount& encounters) {
  if (!IsCurrentMap(mapId) || id <= 0 || id > kMaxMapId || document_.MapTree().FindById(id)) return false;
  document_.StoreCurrentMap();
  document_.ChangeTree([&](TLcfMapTree& t) {
    TLcfMapTreeItem* node = t.AddNode(mapId, id);
    node->nodeType = TLcfMapTreeItem::kArea;
    node->name = name;
    SetAreaRect(node->areaRect, rect);
    node->encounters.Assign(encounters);
    // The area's own mark: the tree has changed. Its map keeps its own state.
    node->pending = true;
    ExpandParent(t, mapId);
  });
  document_.SelectNode(id);
  return true;
}

bool TMapTreeCommands::SetAreaProperties(int32_t id, const std::string& name, const TCellRect& rect,
                                         const TLcfEncount& encounters) {
  TLcfMapTreeItem* node = document_.MapTree().FindById(id);
  if (!node || !node->IsArea()) return false;
  document_.ChangeTree([&](TLcfMapTree&) {
    node->name = name;
    SetAreaRect(node->areaRect, rect);
    node->encounters.Assign(encounters);
    node->pending = true;
  });
  return true;
}

// ---------------------------------------------------------------------------------------------
// The tree

bool TMapTreeCommands::DeleteNode(int32_t id) {
  TLcfMapTree& tree = document_.MapTree();
  const TLcfMapTreeItem* node = tree.FindById(id);
  if (!node || id == 0) return false;
  const int32_t parent = tree.FindById(node->parentId) ? node->parentId : 0;
  std::vector<int32_t> gone;
  document_.ChangeTree([&](TLcfMapTree& t) {
    const size_t before = t.deletedIds.size();
    t.DeleteNode(id);
    gone.assign(t.deletedIds.begin() + static_cast<ptrdiff_t>(std::min(before, t.deletedIds.size())),
                t.deletedIds.end());
  });
  for (int32_t deleted : gone) {
    try {
      TLcfBaseMapUnit::DeleteWorkCopy(document_.ScratchPath(), deleted);
    } catch (const std::exception&) {
      // A copy that stays is never read: its node is gone, and a new map of that id writes its own.
    }
  }
  document_.SelectNode(parent);
  return true;
}

bool TMapTreeCommands::CopyMap(int32_t id) {
  TLcfMapTreeItem* node = document_.MapTree().FindById(id);
  if (!node || !node->IsMap()) return false;
  TLcfMap& current = document_.Map();
  if (current.Id() == id && current.width > 0) {
    Clipboard().SetBlock(kMapClipboardFormat, EncodeMapBlock(node->name, current, *node));
    return true;
  }
  TLcfMap map;
  if (node->pending)
    map.LoadWorkCopy(document_.ScratchPath(), id);
  else
    map.LoadFromProject(document_.ProjectPath(), id);
  Clipboard().SetBlock(kMapClipboardFormat, EncodeMapBlock(node->name, map, *node));
  return true;
}

bool TMapTreeCommands::CanPasteMap() const { return Clipboard().HasBlock(kMapClipboardFormat); }

int32_t TMapTreeCommands::PasteMap(int32_t parentId) {
  TLcfMapTree& tree = document_.MapTree();
  const TLcfMapTreeItem* parent = tree.FindById(parentId);
  if (!document_.IsOpen() || !parent || parent->IsArea()) return 0;
  std::optional<Bytes> block = Clipboard().GetBlock(kMapClipboardFormat);
  if (!block) return 0;
  // Everything is read before anything changes.
  std::string name;
  TLcfMap map;
  TLcfMapTreeItem item;
  DecodeMapBlock(*block, name, map, item);
  const int32_t id = tree.FirstFreeId();
  if (id == 0) return 0;
  document_.StoreCurrentMap();
  map.tilesetExists = [this](int32_t t) { return document_.DataBase().tilesets.FindById(t) != nullptr; };
  map.RefreshTileset();
  map.SaveWorkCopy(document_.ScratchPath(), id);
  document_.ChangeTree([&](TLcfMapTree& t) {
    TLcfMapTreeItem* node = t.AddMapLike(parentId, id, item);
    node->name = PastedMapName(name, id);
    node->pending = true;
    ExpandParent(t, parentId);
  });
  document_.SelectNode(id);
  return id;
}

bool TMapTreeCommands::DropNode(int32_t id, int32_t target) {
  if (!document_.MapTree().CanDropNode(id, target)) return false;
  document_.ChangeTree([&](TLcfMapTree& t) {
    t.MoveNode(id, target);
    ExpandParent(t, target);
    // The order lives in the tree file: the root's mark makes the tree count as modified.
    if (TLcfMapTreeItem* root = t.FindById(0)) root->pending = true;
  });
  return true;
}

}  // namespace tess
