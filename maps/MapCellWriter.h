#pragma once
// The one place where the editing operations write map cells. It checks bounds, applies the
// water and autotile fix-up, tells the undo history and collects the changed cells, so that the
// map view repaints only those.

#include <cstdint>
#include <vector>

#include "maps/AutotileFixup.h"
#include "maps/CellRect.h"
#include "maps/EditModes.h"
#include "maps/LD_Map.h"
#include "maps/MapEditUndo.h"

namespace tess {

// Changed cells of a map: the whole map (all), each cell once (cells, with bounds around them), or
// every cell of bounds when no cell is listed.
struct TChangedCells {
  bool all = false;
  TCellRect bounds;
  std::vector<TCellPoint> cells;
  bool Empty() const { return !all && cells.empty() && bounds.Empty(); }
};

class TMapRegion {
 public:
  void SetSize(int width, int height);
  void Add(int x, int y);
  void AddAll() { all_ = true; }
  bool Empty() const { return !all_ && cells_.empty(); }
  TChangedCells Take();

 private:
  int width_ = 0;
  int height_ = 0;
  bool all_ = false;
  std::vector<uint8_t> seen_;
  std::vector<TCellPoint> cells_;
  TCellRect bounds_;
};

class TMapCellWriter {
 public:
  TMapCellWriter(TLcfMap& map, TLcfMapEditUndoManager& history) : map_(map), history_(history) {}

  // Follows the map's size; the collected cells are dropped.
  void Resize();

  // The fix-up's neighbour rules: the tileset's autotile links and whether the map edge counts as
  // a border (Ctrl held).
  TFixupRules rules;
  // Shift held: lower ids are stored as chosen (the preview shape only turned into shape 0).
  bool exact = false;

  // Writes id into a cell of layer (the map's lower or upper layer): nothing outside the map or
  // when the cell already holds it. Returns whether the cell changed.
  bool Write(TLcfMapLayer& layer, int x, int y, int id);
  // Places one tile id in the layer of mode (lower in the lower-layer mode, upper otherwise). On
  // the lower layer, with fixUp and not exact, the bits of mask are computed from the neighbours.
  void PutChip(TEditMode mode, int x, int y, bool fixUp, int mask, int id);
  // The same after wrapping (x, y) by the layer's loop flags.
  void PutChipWrapped(TEditMode mode, int x, int y, bool fixUp, int mask, int id);

  TLcfMapLayer& LayerOf(TEditMode mode) { return mode == TEditMode::Lower ? map_.lower : map_.upper; }
  // Reports every cell (after undo, redo or a new map).
  void ReportAll() { region_.AddAll(); }
  TChangedCells TakeChanged() { return region_.Take(); }

 private:
  TLcfMap& map_;
  TLcfMapEditUndoManager& history_;
  TMapRegion region_;
};

}  // namespace tess
