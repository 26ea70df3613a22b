#pragma once
// The block of tiles the drawing tools paint with: up to 6 x 6 tile ids, stored column by column
// (cell (x, y) at 6x + y). The editor keeps one per edit mode.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tess {

class TLcfCurrentChip {
 public:
  static constexpr int kMaxSide = 6;

  // A 1 x 1 block of id.
  explicit TLcfCurrentChip(int id = 0);

  int width = 1;
  int height = 1;

  // Cells outside 0..5 in either coordinate are an internal error (std::out_of_range).
  int Cell(int x, int y) const;
  void SetCell(int x, int y, int id);
  // New size, each side limited to 1..6; the cells keep their values.
  void SetSize(int w, int h);
  bool operator==(const TLcfCurrentChip&) const = default;

 private:
  static size_t Slot(int x, int y);
  std::array<uint16_t, kMaxSide * kMaxSide> ids_{};
};

}  // namespace tess
