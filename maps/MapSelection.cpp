#include "maps/MapSelection.h"

#include <new>

#include "core/Errors.h"
#include "core/StreamUtils.h"
#include "maps/AutotileFixup.h"
#include "maps/TileId.h"

namespace tess {

Bytes EncodeMapCells(const TSelectionCells& cells) {
  Bytes block;
  try {
    block.reserve(4 + 4 * cells.lower.size());
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory();
  }
  TByteWriter out(block);
  out.WriteU16(static_cast<uint16_t>(cells.width));
  out.WriteU16(static_cast<uint16_t>(cells.height));
  for (int x = 0; x < cells.width; ++x)
    for (int y = 0; y < cells.height; ++y) {
      out.WriteU16(cells.lower[cells.Slot(x, y)]);
      out.WriteU16(cells.upper[cells.Slot(x, y)]);
    }
  return block;
}

std::optional<TSelectionCells> DecodeMapCells(const Bytes& block) {
  if (block.size() < 4) return std::nullopt;
  TByteReader in(block.data(), block.size());
  const int w = in.ReadU16(), h = in.ReadU16();
  if (w == 0 || h == 0 || block.size() != 4 + 4 * size_t(w) * size_t(h)) return std::nullopt;
  TSelectionCells cells;
  cells.Resize(w, h);
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      const int lower = in.ReadU16(), upper = in.ReadU16();
      if (!(TakesShape(lower) || IsLowerChipId(lower)) || !IsUpperChipId(upper)) return std::nullopt;
      cells.lower[cells.Slot(x, y)] = static_cast<uint16_t>(lower);
      cells.upper[cells.Slot(x, y)] = static_cast<uint16_t>(upper);
    }
  return cells;
}

int VacatedValue(const TMapEditState& state) {
  const int id = state.chips[static_cast<size_t>(TEditMode::Lower)].Cell(0, 0);
  return id < kLowerChipFirst ? id - ShapeOf(id) : id;
}

void LiftSelection(TMapEditState& state) {
  const TCellRect& r = state.selection;
  if (r.Empty()) return;
  TLcfMap& map = state.map;
  state.TakeBeforeCopies();
  state.selected.Resize(r.width, r.height);
  const int vacated = VacatedValue(state);
  for (int j = 0; j < r.height; ++j)
    for (int i = 0; i < r.width; ++i) {
      const int x = r.x + i, y = r.y + j;
      if (!map.lower.Contains(x, y)) continue;
      state.selected.lower[state.selected.Slot(i, j)] = static_cast<uint16_t>(map.lower.GetCell(x, y));
      state.selected.upper[state.selected.Slot(i, j)] = static_cast<uint16_t>(map.upper.GetCell(x, y));
      const size_t cell = static_cast<size_t>(y) * static_cast<size_t>(map.lower.width) + static_cast<size_t>(x);
      state.beforeLower[cell] = static_cast<uint16_t>(vacated);
      state.beforeUpper[cell] = map.upper.fillValue;
    }
  state.lifted = true;
}

void PlaceSelection(TMapEditState& state, const TCellRect& rect) {
  TLcfMap& map = state.map;
  const TCellRect old = state.selection;
  const int w = map.lower.width;
  for (int y = std::max(old.y, 0); y < std::min(old.Bottom(), map.lower.height); ++y)
    for (int x = std::max(old.x, 0); x < std::min(old.Right(), w); ++x) {
      if (rect.Contains(x, y)) continue;
      const size_t cell = static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x);
      state.writer.Write(map.lower, x, y, state.beforeLower[cell]);
      state.writer.Write(map.upper, x, y, state.beforeUpper[cell]);
    }
  const TSelectionCells& s = state.selected;
  for (int j = 0; j < rect.height && j < s.height; ++j)
    for (int i = 0; i < rect.width && i < s.width; ++i) {
      state.writer.Write(map.lower, rect.x + i, rect.y + j, s.lower[s.Slot(i, j)]);
      state.writer.Write(map.upper, rect.x + i, rect.y + j, s.upper[s.Slot(i, j)]);
    }
  state.selection = rect;
}

void DropSelection(TMapEditState& state) {
  state.selection = {};
  state.selected.Resize(0, 0);
  state.lifted = false;
}

void SelectAll(TMapEditState& state) {
  DropSelection(state);
  state.selection = {0, 0, state.map.lower.width, state.map.lower.height};
  LiftSelection(state);
}

void CopySelection(const TMapEditState& state, ClipboardPort& clipboard) {
  const TSelectionCells& s = state.selected;
  if (state.selection.Empty() || s.width > 0xFFFF || s.height > 0xFFFF) return;
  clipboard.SetBlock(kMapCellsClipboardFormat, EncodeMapCells(s));
}

bool CanPaste(ClipboardPort& clipboard) { return clipboard.HasBlock(kMapCellsClipboardFormat); }

bool PasteSelection(TMapEditState& state, ClipboardPort& clipboard, TCellPoint viewCentre) {
  std::optional<Bytes> block = clipboard.GetBlock(kMapCellsClipboardFormat);
  if (!block) return false;
  std::optional<TSelectionCells> cells = DecodeMapCells(*block);
  if (!cells) return false;
  state.EnsureSized();
  state.selected = std::move(*cells);
  const TCellRect rect{viewCentre.x - state.selected.width / 2, viewCentre.y - state.selected.height / 2,
                       state.selected.width, state.selected.height};
  state.TakeBeforeCopies();
  state.history.PushMap(state.map);
  state.selection = {};
  PlaceSelection(state, rect);
  state.lifted = false;
  state.history.Sync(state.map);
  state.MarkModified();
  return true;
}

bool ClearSelection(TMapEditState& state) {
  if (state.selection.Empty()) return false;
  state.EnsureSized();
  state.history.PushMap(state.map);
  // Moving the selection onto nothing leaves every cell it covered at its before value.
  PlaceSelection(state, {});
  state.history.Sync(state.map);
  DropSelection(state);
  state.MarkModified();
  return true;
}

}  // namespace tess
