#pragma once
// The map tree: the project's table of contents for maps. One node for the project itself (the
// root, id 0), one per map and one per area (a named rectangle inside a map with its own
// encounters). It holds each map's properties that the map file does not (name, music, battle
// background, permissions, encounters), the display order and nesting, the editor's current node
// and the start positions, and the bookkeeping that ties map files to the tree: which maps have
// uncommitted work copies, and which map files wait to be deleted.

#include <cstdint>
#include <string>
#include <vector>

#include "core/Catalog.h"
#include "media/LD_Sound.h"

namespace tess {

inline constexpr const char* kMapTreeMagic = "LcfMapTree";
inline constexpr const char* kMapTreeFileName = "TESS_RT.lmt";
inline constexpr const char* kMapTreeCorrupt = "The map tree data is corrupt.";
inline constexpr int32_t kMaxMapId = 9999;

class TLcfEncountItem : public TCatalogItem {
 public:
  int32_t troopId = 1;

  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfEncount : public TCatalogOf<TLcfEncountItem> {
 public:
  TLcfEncount() : TCatalogOf("Event script referenced a monster group that does not exist.", "encounter") {}
};

class TLcfMapTreeItem : public TCatalogItem {
 public:
  enum : uint8_t { kRoot = 0, kMap = 1, kArea = 2 };

  int32_t parentId = 0;
  int32_t depth = 0;
  uint8_t nodeType = kRoot;
  int32_t scrollX = 0;
  int32_t scrollY = 0;
  uint8_t expanded = 0;
  uint8_t musicType = 0;  // 0 as the parent map, 1 left to events, 2 music
  TLcfMusic music;
  uint8_t backdropType = 0;  // 0 as the parent map, 1 from the terrain, 2 backdropName
  std::string backdropName;
  uint8_t teleport = 0;  // 0 as the parent, 1 allow, 2 forbid
  uint8_t escape = 0;
  uint8_t save = 0;
  TLcfEncount encounters;
  int32_t encounterSteps = 25;
  int32_t areaRect[4] = {};  // left, top, right, bottom in cells (areas)

  // Not stored: the map's current edits are in its work copy and must be committed at the next
  // save of the tree.
  bool pending = false;

  bool IsMap() const { return nodeType == kMap; }
  bool IsArea() const { return nodeType == kArea; }

  void DescribeChunks(TCatalogVarData& v) override;
};

// The four start slots (party, skiff, ship, airship), each a map id and a cell; map id 0 is unset.
class TLcfMapStartPosition : public TCatalogBaseItem {
 public:
  enum { kParty = 0, kSkiff = 1, kShip = 2, kAirship = 3, kSlotCount = 4 };
  // The event grid shows slot i as the pseudo event id kFirstStartEventId + i.
  static constexpr int32_t kFirstStartEventId = 60001;

  TLcfMapStartPosition() { Reset(); }

  int32_t partyMapId{}, partyX{}, partyY{};
  int32_t skiffMapId{}, skiffX{}, skiffY{};
  int32_t shipMapId{}, shipX{}, shipY{};
  int32_t airshipMapId{}, airshipX{}, airshipY{};

  // Slot accessors; out-of-range slots read 0 and ignore writes.
  int32_t MapId(int slot) const;
  int32_t X(int slot) const;
  int32_t Y(int slot) const;
  void SetMapId(int slot, int32_t id);
  void SetX(int slot, int32_t x);
  void SetY(int slot, int32_t y);
  void Clear(int slot);
  // Moves every slot on map mapId by (dx, dy), wrapping into a map of width x height (after the
  // map itself was shifted).
  void ShiftOnMap(int32_t mapId, int dx, int dy, int width, int height);

  void DescribeChunks(TCatalogVarData& v) override;

 private:
  int32_t* Slot(int slot);
};

// The tree control that shows the map tree. The tree window implements it over its widget; tests
// fake it. Nodes are opaque handles; none is nullptr.
class TMapTreeView {
 public:
  using Node = void*;
  virtual ~TMapTreeView() = default;

  virtual void Clear() = 0;
  // Adds a node as the last child of parent, or as the last top-level node when parent is none.
  virtual Node Add(Node parent, const std::string& caption, int32_t id) = 0;
  virtual void SetImageIndex(Node node, int index) = 0;
  virtual void SetExpanded(Node node, bool expanded) = 0;
  virtual bool Expanded(Node node) const = 0;
  virtual int32_t IdOf(Node node) const = 0;
  virtual Node Parent(Node node) const = 0;
  // 0 for top-level nodes.
  virtual int Level(Node node) const = 0;
  // Depth-first iteration: the first top-level node, then each node's successor; none at the end.
  virtual Node First() const = 0;
  virtual Node Next(Node node) const = 0;
  virtual void Select(Node node) = 0;
};

class TLcfMapTree : public TCatalogOf<TLcfMapTreeItem> {
 public:
  TLcfMapTree() : TCatalogOf("Event script referenced a map that does not exist.", "node") {}

  std::vector<int32_t> order;       // node ids in display order: depth-first, parents first
  std::vector<int32_t> deletedIds;  // deleted since the last save: their map files go at the next save
  int32_t currentId = 0;
  TLcfMapStartPosition startPositions;

  // Where the tree reads and writes its file and the map files, and where the work copies are.
  // Empty: the process-wide ProjectFolder() and ScratchFolder().
  std::string projectFolder;
  std::string scratchFolder;
  const std::string& ProjectPath() const;
  const std::string& ScratchPath() const;

  // Creates (or reuses) node id under parentId and places it in order, after the parent's subtree.
  TLcfMapTreeItem* AddNode(int32_t parentId, int32_t id);
  // Adds map node id under parentId as AddNode does, with the stored properties of like (name,
  // music, backdrop, permissions, encounters, scroll position) but its own place in the tree: how a
  // pasted or recovered map takes over the entry of the map it came from.
  TLcfMapTreeItem* AddMapLike(int32_t parentId, int32_t id, const TLcfMapTreeItem& like);
  // Moves the node with its subtree to be the last child of newParentId, adjusting the depths.
  // Refused (false, nothing changes) for the root, an unknown node or parent, or a parent inside
  // the node's own subtree.
  bool MoveNode(int32_t id, int32_t newParentId);
  // Whether dropping node id on target may make it target's last child: a map may go under the
  // root or any map outside its own subtree, an area only under the map it already belongs to.
  bool CanDropNode(int32_t id, int32_t targetId) const;
  // The first id from 1 to 9999 that no node uses; 0 when every one is taken.
  int32_t FirstFreeId() const;
  // Whether node id lies in the subtree of ancestorId (itself included), by its parents.
  bool IsInSubtree(int32_t id, int32_t ancestorId) const;
  // Removes the node and its whole subtree; their ids wait in deletedIds for the next save. A start
  // slot on the node itself is cleared.
  void DeleteNode(int32_t id);
  int OrderIndexOf(int32_t id) const;
  // Destroys all nodes and empties order; deletedIds stays.
  void ClearTree();

  bool IsModified() const;
  bool HasNodes() const { return Count() > 0; }
  bool HasRoot() const { return FindById(0) != nullptr; }
  TLcfMapTreeItem* CurrentNode() const { return ItemById(currentId); }
  // The map whose work copy holds the edits of node id: the node itself, or for an area the map
  // it belongs to. None when there is no such map.
  TLcfMapTreeItem* OwningMap(int32_t id) const;

  // Reads TESS_RT.lmt (in any case) from the project folder. The file is parsed completely first: a
  // file that fails raises, in quiet mode too (damage as EDamagedData naming the file, the chunk
  // path and the offset), and changes nothing. After a good parse the work copies of the nodes held
  // so far are deleted and their pending marks dropped (uncommitted edits are discarded), and the
  // file's tree takes over. The caller then requires the root (RequireRoot).
  void LoadTree();
  // Raises "The map tree data is corrupt." when there is no root node.
  void RequireRoot() const;
  // Commits every pending map (work copy to project file, then the work copy is deleted), deletes
  // the map files of deletedIds, and writes TESS_RT.lmt. Does nothing when the tree is empty. A
  // work copy that is missing, damaged or cannot be read is not committed: its map stays pending,
  // its project file stays as it was, and after the rest is saved the failure is raised.
  void SaveTree();

  // Marks the map that owns node id (see OwningMap) pending; returns it, or none.
  TLcfMapTreeItem* MarkPending(int32_t id);
  // Deletes the work copies of all nodes and drops their pending marks: their edits are discarded.
  void DiscardWorkCopies();

  // Marks pending the maps that have a work copy left in the scratch folder by an editor that
  // died (ids from FindLeftWorkCopies); returns the ids taken. Ids that are not maps of this tree
  // are left alone.
  std::vector<int32_t> AdoptWorkCopies(const std::vector<int32_t>& ids);

  // The file's bytes: magic, nodes, order, current id, start positions.
  void LoadFromBytes(const Bytes& data);
  Bytes SaveToBytes();

  // Fills the view from order; nodes that order misses, or whose parent cannot be placed, come
  // afterwards. A node whose parent is unknown, itself, or part of a cycle hangs under the root.
  void BuildView(TMapTreeView& view, bool includeAreas) const;
  // Takes order, parents, depths and expanded states from the view.
  void SyncOrderFromView(const TMapTreeView& view);
  void SelectCurrentInView(TMapTreeView& view) const;

 protected:
  // A node created in the tree starts with every field zero or empty (encounterSteps too); loading
  // one resets it to the stored defaults first.
  std::unique_ptr<TCatalogItem> CreateItem(int32_t id) const override;

 private:
  // Parses the file's bytes into this (empty) tree.
  void Parse(const Bytes& data);
  // Takes over the nodes, order, current id and start positions of other.
  void TakeFrom(TLcfMapTree& other);
  // The position in order just past the subtree of the node at p.
  size_t SubtreeEnd(size_t p) const;
  // Inserts id into order after its parent's subtree, or at the end when the parent is not there.
  void InsertInOrder(int32_t id, int32_t parentId);
};

// One line about a map tree: its nodes, maps, areas, order and current node.
std::string DescribeMapTree(const TLcfMapTree& tree);

}  // namespace tess
