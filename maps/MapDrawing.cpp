#include "maps/MapDrawing.h"

#include <exception>

#include "core/MaterialFiles.h"
#include "core/NameEncoding.h"
#include "core/PathUtils.h"
#include "maps/EventMap.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"

namespace tess {

bool PanoramaShown(const TLcfMap& map, const TCorvidSheet* panorama) {
  return panorama && map.usePanorama && !map.panoramaScrollH && !map.panoramaScrollV &&
         int64_t{panorama->Width()} == int64_t{map.width} * 16 &&
         int64_t{panorama->Height()} == int64_t{map.height} * 16;
}

std::string LoadMapPanorama(TCorvidSheet& panorama, const std::string& name) {
  panorama.autoSize = true;
  panorama.FreePixels();
  panorama.ClearAll();
  if (name.empty()) return {};
  const std::string found = FindMaterialFile(name, "Panorama", PictureExtensions());
  if (found.empty() || found == name || !IsFile(found))
    return "Panorama/" + DescribeMissingName(name) + ": no such picture in the project or the runtime package";
  try {
    panorama.LoadFromFile(found, true);
  } catch (const std::exception& e) {
    panorama.FreePixels();
    return ShownPath(found) + ": " + e.what();
  }
  return {};
}

void DrawMapCells(TCorvidBoard& board, TPoint origin, const TLcfMap& map, const TRect& cells,
                  TLcfChipSetGraphic& graphic, TCorvidSheet* panorama, const TMapDrawOptions& options) {
  const int size = options.cellSize;
  if (size <= 0) return;
  const TLcfMapLayer& lower = map.lower;
  const TLcfMapLayer& upper = map.upper;
  const TRect r =
      Intersect(cells, TRect{0, 0, std::min(lower.width, upper.width), std::min(lower.height, upper.height)});
  if (r.IsEmpty()) return;
  // Only the cells that can reach the board are drawn.
  const TRect visible =
      Intersect(r, TRect{(0 - origin.x) / size - 1, (0 - origin.y) / size - 1, (board.Width() - origin.x) / size + 1,
                         (board.Height() - origin.y) / size + 1});
  if (visible.IsEmpty()) return;
  const int32_t savedOpacity = graphic.dimmedSheet.opacity;
  auto at = [&](int x, int y) { return TPoint{origin.x + x * size, origin.y + y * size}; };

  if (options.lower) {
    const bool withPanorama = PanoramaShown(map, panorama);
    graphic.SetTransparent(withPanorama);
    graphic.dimmedSheet.opacity = 255;
    const bool dimmed = options.dimming == TLayerDimming::Lower;
    for (int y = visible.top; y < visible.bottom; ++y) {
      const uint16_t* row = lower.cells.data() + static_cast<size_t>(y) * lower.width;
      for (int x = visible.left; x < visible.right; ++x) {
        const TPoint p = at(x, y);
        if (withPanorama) board.StretchSheet(Bounds(p.x, p.y, size, size), *panorama, Bounds(16 * x, 16 * y, 16, 16));
        graphic.DrawChip(board, p.x, p.y, size, dimmed, row[x], options.counter);
      }
    }
  }
  graphic.SetTransparent(true);
  if (options.upper) {
    graphic.dimmedSheet.opacity = kDimmedUpperOpacity;
    const bool dimmed = options.dimming == TLayerDimming::Upper;
    for (int y = visible.top; y < visible.bottom; ++y) {
      const uint16_t* row = upper.cells.data() + static_cast<size_t>(y) * upper.width;
      for (int x = visible.left; x < visible.right; ++x) {
        const TPoint p = at(x, y);
        graphic.DrawChip(board, p.x, p.y, size, dimmed, row[x], options.counter);
      }
    }
  }
  graphic.dimmedSheet.opacity = savedOpacity;
  const TEventLayer* events = options.events;
  if (!events || !events->grid || !events->charSets || !events->painter) return;
  const TRect grid = Intersect(visible, TRect{0, 0, events->grid->Width(), events->grid->Height()});
  for (int y = grid.top; y < grid.bottom; ++y) {
    for (int x = grid.left; x < grid.right; ++x) {
      const int value = events->grid->GetAt(x, y);
      if (value <= 0) continue;
      const TLcfEventItem* event = value <= TLcfEventMap::kMaxEventId ? map.events.FindById(value) : nullptr;
      const TPoint p = at(x, y);
      events->painter->DrawCellMarker(board, p.x, p.y, size, value, event, *events->charSets, graphic, events->style);
    }
  }
}

}  // namespace tess
