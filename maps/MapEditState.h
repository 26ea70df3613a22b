#pragma once
// The editing state of the map editor: mode and tool, the copies of the layers taken when a stroke
// starts, the selection with its lifted contents, the hotspot and pattern origin, the modifier
// keys and the mask raster, together with the map and undo history they work on. The buffers
// follow the map's size in one place, SetMap.

#include <array>
#include <functional>
#include <vector>

#include "maps/CellRect.h"
#include "maps/CurrentChip.h"
#include "maps/EditModes.h"
#include "maps/LD_Map.h"
#include "maps/MapCellWriter.h"
#include "maps/MapEditUndo.h"
#include "maps/MaskRaster.h"

namespace tess {

// The contents of a selection: both layers' ids, row by row.
struct TSelectionCells {
  int width = 0;
  int height = 0;
  std::vector<uint16_t> lower;
  std::vector<uint16_t> upper;

  void Resize(int w, int h);
  size_t Slot(int x, int y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
  }
  bool operator==(const TSelectionCells&) const = default;
};

class TMapEditState {
 public:
  TMapEditState(TLcfMap& map, TLcfMapEditUndoManager& history);
  TMapEditState(const TMapEditState&) = delete;
  TMapEditState& operator=(const TMapEditState&) = delete;

  TLcfMap& map;
  TLcfMapEditUndoManager& history;
  TMapCellWriter writer;

  TEditMode mode = TEditMode::Lower;
  TEditTool tool = TEditTool::Pen;
  // The layers when the current stroke started; after a lift, the map with the selection vacated.
  TLayerCells beforeLower;
  TLayerCells beforeUpper;
  TCellRect selection;       // empty: none
  TSelectionCells selected;  // the lifted contents of the selection
  bool lifted = false;       // lifted and not yet moved
  TCellPoint hotspot;        // the mouse cell's offset inside the current chip block
  TCellPoint patternOrigin;  // where the stroke started, minus the hotspot
  bool shiftHeld = false;
  bool ctrlHeld = false;
  TMaskRaster mask;
  // The block each mode paints with: lower, upper, event (its first cell is a new event's
  // graphic), none.
  std::array<TLcfCurrentChip, 4> chips{TLcfCurrentChip(49), TLcfCurrentChip(10000), TLcfCurrentChip(10000),
                                       TLcfCurrentChip(0)};
  // Told whenever an operation changed the map (the map's modified mark is set first).
  std::function<void()> onMapChanged;

  // A map was loaded (or resized): the before-copies, the mask raster, the changed-cell region and
  // the undo history take its size, and the selection is dropped.
  void SetMap();
  // Whether every buffer has the map's size; operations call EnsureSized first, so none runs on
  // the buffers of another map.
  bool SizesMatch() const;
  void EnsureSized();

  TLcfCurrentChip& CurrentChip() { return chips[static_cast<size_t>(mode)]; }
  const TLcfCurrentChip& CurrentChip() const { return chips[static_cast<size_t>(mode)]; }
  // Lower in the lower-layer mode, upper otherwise.
  TLcfMapLayer& ActiveLayer() { return writer.LayerOf(mode); }
  TLayerCells& ActiveBefore() { return mode == TEditMode::Lower ? beforeLower : beforeUpper; }
  bool IsLayerMode() const { return mode == TEditMode::Lower || mode == TEditMode::Upper; }

  // The modifier keys of the last mouse event; Shift places exact ids, Ctrl makes the edge a border.
  void SetModifiers(bool shift, bool ctrl);
  void SetLinks(const TAutotileLinks& links) { writer.rules.links = links; }
  void TakeBeforeCopies();
  // Writes the before-copies back into the map (a cancelled stroke).
  void RestoreBeforeCopies();
  // Tells the owner that the map was edited; whether it differs from the saved one follows from the
  // history's clean mark and the owner's own record of edits beside the layers.
  void MarkModified();
};

}  // namespace tess
