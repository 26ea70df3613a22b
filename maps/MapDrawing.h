#pragma once
// The one routine that draws a rectangle of a map's cells onto a board at a cell size: the map
// view, the chip palette and the command-line renderer all draw through it. Per cell, first the
// background (the panorama, where the map shows one in the editor), then the lower tile, then the
// upper tile over it, then the marker of the event layer; optionally one layer is drawn dimmed so
// the layer being edited stands out. Only the cells asked for are touched, so a view can repaint
// one changed cell.

#include <string>

#include "maps/CellMarker.h"
#include "media/CorvidSheet.h"

namespace tess {

class TLcfMap;
class TLcfChipSetGraphic;
class TLcfCharSetGraphic;
class TLcfEventMap;

// Which layer is drawn from the dimmed sheet: the lower one fully opaque (while the upper layer
// is edited), or the upper one at opacity 160 (while the lower layer is edited).
enum class TLayerDimming { None, Lower, Upper };

constexpr int kDimmedUpperOpacity = 160;

// The event layer: the marker of each cell's event grid value (see CellMarker), over both layers.
struct TEventLayer {
  const TLcfEventMap* grid = nullptr;  // built for the map drawn
  TLcfCharSetGraphic* charSets = nullptr;
  TCellMarkerPainter* painter = nullptr;
  TMarkerStyle style = TMarkerStyle::Translucent;
};

struct TMapDrawOptions {
  int cellSize = 32;
  bool lower = true;  // the background and the lower layer
  bool upper = true;
  TLayerDimming dimming = TLayerDimming::None;
  int counter = 0;                      // animation ticks; the map view shows tiles still (0)
  const TEventLayer* events = nullptr;  // none: no markers
};

// True when the editor shows the panorama behind the lower layer: the map uses one, the picture is
// exactly 16 pixels per cell of the map, and it scrolls in neither direction.
bool PanoramaShown(const TLcfMap& map, const TCorvidSheet* panorama);

// Loads a picture of the Panorama folder (the project's, then the runtime package's) into the
// sheet, which takes the picture's size. A missing or unreadable picture leaves the sheet 0 x 0
// and returns why; an empty name loads nothing and is no error.
std::string LoadMapPanorama(TCorvidSheet& panorama, const std::string& name);

// Draws the cells of `cells` (in cells, clipped to the map) with the top-left corner of cell
// (0, 0) at `origin` on the board. panorama may be null. The graphic's transparency is left on
// and its dimmed sheet's opacity as it was.
void DrawMapCells(TCorvidBoard& board, TPoint origin, const TLcfMap& map, const TRect& cells,
                  TLcfChipSetGraphic& graphic, TCorvidSheet* panorama, const TMapDrawOptions& options);

}  // namespace tess
