#pragma once
// What the map tree window's commands do to the open project, without the window: new maps and
// areas, their properties, copying, pasting, deleting and moving nodes, generating a dungeon and
// shifting a map. Each works on the document (its tree, its current map and its undo history);
// the window asks the author first (dialogs, questions) and then calls one of these. Failures to
// write a file raise and leave the tree as it was.

#include <cstdint>
#include <string>

#include "maps/AutotileFixup.h"
#include "maps/CellRect.h"
#include "project/ProjectDocument.h"

namespace tess {

class TMapProperties;

// "%s will be deleted.  Proceed?"
std::string DeleteNodeQuestion(const std::string& name);

class TMapTreeCommands {
 public:
  explicit TMapTreeCommands(TProjectDocument& document) : document_(document) {}

  // --- Selecting

  // Selects a node as the document does; an area first gets the scroll position that centres it
  // in a map view of clientWidth x clientHeight pixels, and so does its map, which the view opens.
  void SelectNode(int32_t id, int clientWidth, int clientHeight);

  // --- Maps

  // What "New Map" proposes under node parentId (the root or a map): the first free id, its name,
  // and the tileset of the selected map. False when every id is taken.
  bool PrepareNewMap(int32_t parentId, TMapProperties& properties) const;
  // Creates the map with the dialog's values under parentId as the current node; a generator map
  // is generated from seed. The new map is kept as a work copy (the node is pending) before the
  // node is added, so a failed write adds nothing.
  bool NewMap(int32_t parentId, const TMapProperties& properties, uint32_t seed);
  // The current map's values for "Map Properties"; false unless the node is the current map.
  bool PrepareMapProperties(int32_t id, TMapProperties& properties) const;
  // Applies the dialog's values to the current map and its item: the resize rule, events and
  // start positions outside the new size dropped, and a generator map generated from seed. The
  // map's part is one edit of the map (its layers one undo step while the size stays).
  bool ApplyMapProperties(int32_t id, const TMapProperties& properties, uint32_t seed);
  // The map the dialog's values would make, as OK would make it from the same seed, without
  // touching the project: for the dialog's preview.
  void PreviewMap(const TMapProperties& properties, uint32_t seed, TLcfMap& preview) const;

  // Regenerates the current map when its generator is on, as one undo step.
  bool GenerateDungeon(uint32_t seed);
  // Moves the current map's layers, events and start positions by (dx, dy) cells, wrapping, as one
  // undo step (undo puts the events and start positions back too); the map is then kept as its
  // work copy.
  bool ShiftMap(int dx, int dy);

  // --- Areas

  // What "Create Area" proposes on the map node mapId: the first free id (0 when none), its name
  // and the whole map as its rectangle.
  int32_t PrepareNewArea(int32_t mapId, std::string& name, TCellRect& rect) const;
  // Adds the area under the current map as the current node, pending.
  bool CreateArea(int32_t mapId, int32_t id, const std::string& name, const TCellRect& rect,
                  const TLcfEncount& encounters);
  bool SetAreaProperties(int32_t id, const std::string& name, const TCellRect& rect, const TLcfEncount& encounters);

  // --- The tree

  // Deletes a map or an area with its subtree (not the root) and selects its parent. The work
  // copies of the deleted maps go at once; their project files at the next save.
  bool DeleteNode(int32_t id);
  // Puts a map node on the clipboard: its name, the map as it stands (the current map with its
  // unsaved edits) and its item.
  bool CopyMap(int32_t id);
  bool CanPasteMap() const;
  // Pastes the clipboard's map as a new map under parentId (the root or a map) and selects it; 0
  // when nothing was pasted (no map on the clipboard, no free id, a parent that cannot hold it).
  // The whole block is parsed before anything changes: a damaged one raises and adds nothing.
  int32_t PasteMap(int32_t parentId);
  // Drops node id on target (see TLcfMapTree::CanDropNode): it becomes target's last child and the
  // tree counts as modified.
  bool DropNode(int32_t id, int32_t target);

  // The autotile links of a tileset (none known when its picture cannot be read).
  TAutotileLinks LinksOf(int32_t tilesetId) const;

 private:
  bool IsCurrentMap(int32_t id) const;
  // The properties applied to a map as New Map and Map Properties do: values, what lies outside,
  // the generator.
  void MakeMap(TLcfMap& map, const TMapProperties& properties, TLcfMapStartPosition& starts, uint32_t seed) const;

  TProjectDocument& document_;
};

}  // namespace tess
