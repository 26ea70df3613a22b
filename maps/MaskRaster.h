#pragma once
// A map-sized mask with one byte per cell, on which the rectangle, ellipse and flood-fill tools mark
// the cells they cover before the marks become tiles. 0 is unmarked; a marked cell is 1, or after
// Classify 1 on the shape's edge and 2 inside it.

#include <cstdint>
#include <vector>

#include "maps/CellRect.h"

namespace tess {

class TMaskRaster {
 public:
  static constexpr uint8_t kEdge = 1;
  static constexpr uint8_t kInterior = 2;

  // Nothing when the size is unchanged; otherwise every cell unmarked. Raises ETessError
  // "Operation could not be completed due to low system resources." when the memory is not there
  // (the raster is then 0 x 0).
  void SetSize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Clear();

  // 0 outside the raster.
  uint8_t At(int x, int y) const { return Contains(x, y) ? cells_[Index(x, y)] : 0; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Marks falling outside the raster are dropped.
  void Mark(int x, int y) {
    if (Contains(x, y)) cells_[Index(x, y)] = kEdge;
  }
  void FillRect(const TCellRect& rect);
  // The filled ellipse inscribed in rect: a cell is inside when its centre is.
  void FillEllipse(const TCellRect& rect);
  // Every marked cell of area (cells taken modulo the raster size) becomes kInterior when its eight
  // neighbours, wrapping round the raster's edges, are all marked, else kEdge.
  void Classify(const TCellRect& area);
  // Keeps only the marked cells 4-connected to (x, y), never across the raster's edge; nothing
  // stays marked when (x, y) is not marked.
  void KeepConnected(int x, int y);
  // How many cells are marked.
  int CountMarked() const;

 private:
  size_t Index(int x, int y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
  }
  void FillRowSpan(int y, int x0, int x1);

  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> cells_;
};

// The area rect addressed modulo a map of width x height: no wider or taller than the map, so that
// no cell is visited twice.
TCellRect WrappedArea(const TCellRect& area, int width, int height);

}  // namespace tess
