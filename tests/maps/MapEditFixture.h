#pragma once
// A map with its undo history and editing controller, and mouse gestures in cell coordinates.

#include <string>
#include <vector>

#include "core/ClipboardPort.h"
#include "maps/MapEditController.h"
#include "maps/TileId.h"

namespace tess::test {

struct TMapEditFixture {
  TLcfMap map;
  TLcfMapEditUndoManager history;
  TMemoryClipboard clipboard;
  TMapEditController edit;
  int changes = 0;  // notices of an edit of the map

  // A width x height map whose lower layer is lower chip ground everywhere.
  explicit TMapEditFixture(int width = 12, int height = 10, int ground = 5000)
      : edit(MakeMap(map, width, height, ground), history, clipboard) {
    edit.State().onMapChanged = [this] { ++changes; };
  }

  static TLcfMap& MakeMap(TLcfMap& map, int width, int height, int ground) {
    map.SetWidth(width);
    map.SetHeight(height);
    std::fill(map.lower.cells.begin(), map.lower.cells.end(), static_cast<uint16_t>(ground));
    return map;
  }

  TMapEditState& State() { return edit.State(); }
  void Use(TEditTool tool, TEditMode mode = TEditMode::Lower) {
    edit.SetMode(mode);
    edit.SetTool(tool);
  }
  void Chip(int id, TEditMode mode = TEditMode::Lower) { edit.SetCurrentChip(mode, TLcfCurrentChip(id)); }

  // A left-button drag through the cells, released on the last.
  void Drag(const std::vector<TCellPoint>& cells, TMapModifiers mods = {}) {
    edit.Press(TMouseButton::Left, TMapPointer::AtCell(cells.front().x, cells.front().y), mods);
    for (size_t i = 1; i < cells.size(); ++i) edit.Move(TMapPointer::AtCell(cells[i].x, cells[i].y), mods);
    edit.Release(TMouseButton::Left, TMapPointer::AtCell(cells.back().x, cells.back().y), mods);
  }
  void Click(int x, int y, TMapModifiers mods = {}) { Drag({{x, y}}, mods); }

  int Lower(int x, int y) const { return map.lower.GetCell(x, y); }
  int Upper(int x, int y) const { return map.upper.GetCell(x, y); }
  // The lower ids of a rectangle, row by row, as text: "34 20 36 / 16 0 24".
  std::string Shapes(int x, int y, int w, int h) const {
    std::string s;
    for (int j = 0; j < h; ++j) {
      if (j) s += " / ";
      for (int i = 0; i < w; ++i) {
        if (i) s += ' ';
        s += std::to_string(ShapeOf(Lower(x + i, y + j)));
      }
    }
    return s;
  }
};

}  // namespace tess::test
