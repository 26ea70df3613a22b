#pragma once
// The floating selection of the map editor: lifting a rectangle of both layers, moving it cell by
// cell, and exchanging it with the clipboard as a block of map tiles.

#include <optional>

#include "core/ClipboardPort.h"
#include "maps/MapEditState.h"

namespace tess {

// The clipboard format of a rectangle of map tiles.
constexpr int kMapCellsClipboardFormat = 562;

// The block: width and height (unsigned 16-bit), then for each column and each row of that column
// the lower id and the upper id (unsigned 16-bit each), little-endian: 4 + 4 * width * height bytes.
Bytes EncodeMapCells(const TSelectionCells& cells);
// The cells of a block, or nothing unless the block is exactly that long, both sizes are positive
// and every id belongs to its layer.
std::optional<TSelectionCells> DecodeMapCells(const Bytes& block);

// What a lifted cell of the lower layer leaves behind: the lower current chip's first cell in its
// shape-0 form.
int VacatedValue(const TMapEditState& state);

// Copies both layers under the selection into its buffers and vacates the selection in the
// before-copies (the map itself is unchanged); the selection is then lifted.
void LiftSelection(TMapEditState& state);
// Moves the selection to rect (same size): cells it leaves get their before values, cells it
// covers its contents; cells outside the map are skipped, the contents keep them.
void PlaceSelection(TMapEditState& state, const TCellRect& rect);
// Forgets the selection; the map stays as it is.
void DropSelection(TMapEditState& state);
void SelectAll(TMapEditState& state);

void CopySelection(const TMapEditState& state, ClipboardPort& clipboard);
bool CanPaste(ClipboardPort& clipboard);
// Pastes a block of the clipboard centred on the view's centre cell, without fix-up, as one undo
// step. False when the clipboard holds no sound block.
bool PasteSelection(TMapEditState& state, ClipboardPort& clipboard, TCellPoint viewCentre);
// Writes the before values (what a lift vacated, or what lay under a pasted block) into the
// selected cells as one undo step and drops the selection. False without a selection.
bool ClearSelection(TMapEditState& state);

}  // namespace tess
