#pragma once
// The map editor's editing modes and tools. The numbers are stored: the project's settings file
// keeps the mode, and the command table and tool bar are ordered by them.

#include <cstdint>

namespace tess {

enum class TEditMode : int32_t {
  Lower = 0,  // lower tile layer
  Upper = 1,  // upper tile layer
  Event = 2,  // event layer
  None = 3,   // no map open or no editing
};

enum class TEditTool : int32_t {
  Selection = 0,
  Zoom = 1,
  Pen = 2,
  Rectangle = 3,
  Ellipse = 4,
  FloodFill = 5,
};

// Zoom ratios of the map view: 1/1, 1/2, 1/4, 1/8 (32, 16, 8 and 4 pixels per cell).
enum class TZoom : int32_t {
  Full = 0,
  Half = 1,
  Quarter = 2,
  Eighth = 3,
};

constexpr int CellPixels(TZoom zoom) { return 32 >> static_cast<int>(zoom); }

// The mode and zoom as the project's settings file stores them; a value out of range selects the
// first choice (the lower layer, 1/1).
constexpr TEditMode ModeFromSetting(int value) {
  return value >= 0 && value <= 2 ? static_cast<TEditMode>(value) : TEditMode::Lower;
}
constexpr TZoom ZoomFromSetting(int value) {
  return value >= 0 && value <= 3 ? static_cast<TZoom>(value) : TZoom::Full;
}
constexpr bool IsTileLayer(TEditMode mode) { return mode == TEditMode::Lower || mode == TEditMode::Upper; }

}  // namespace tess
