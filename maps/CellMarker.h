#pragma once
// The marker of one map cell on the event layer, drawn from the cell's value in the event grid:
// 0 nothing, 1..60000 the id of the event standing there, 60001..60004 the start positions of the
// party, skiff, ship and airship. Start positions show their marks; an event shows the generic
// mark, or in the event mode at 16 and 32 pixels per cell a small picture of its first page (a
// frame of its character sheet or an upper-layer tile) in a white square.

#include "media/CorvidSheet.h"

namespace tess {

class TLcfCharSetGraphic;
class TLcfChipSetGraphic;
class TLcfEventItem;
class TStartPosMark;

enum class TMarkerStyle {
  // Every view but the event mode: the marks half transparent, an event as the generic mark.
  Translucent,
  // The event mode: opaque marks; at 16 and 32 pixels an event shows its picture in a white square.
  EventMode,
  // As the event mode, without the white squares and the tile backgrounds: a picture of the map.
  Picture,
};

class TCellMarkerPainter {
 public:
  explicit TCellMarkerPainter(TStartPosMark& marks);
  // With the marks every view shares.
  TCellMarkerPainter();

  // Draws the marker of a cell value with the cell's top-left at (x, y). event is the event whose
  // id the value is (null when the value is none or the map lacks it); charSets the map's sheet
  // cache, which is only looked up here, never loaded from; chipSet the map's tileset graphic,
  // whose drawing state is left as it was. An event that cannot be shown as its picture (no pages,
  // a sheet that failed to load, a frame or tile outside the sheet) shows the generic mark. Never
  // throws.
  void DrawCellMarker(TCorvidBoard& board, int x, int y, int size, int value, const TLcfEventItem* event,
                      TLcfCharSetGraphic& charSets, TLcfChipSetGraphic& chipSet, TMarkerStyle style);

 private:
  // Draws the event's picture at 16 or 32 pixels; false when it has none to show.
  bool DrawEventPicture(TCorvidBoard& board, int x, int y, int size, const TLcfEventItem* event,
                        TLcfCharSetGraphic& charSets, TLcfChipSetGraphic& chipSet, bool framed);
  void DrawUpperTile(TCorvidBoard& board, int x, int y, int size, int tile, TLcfChipSetGraphic& chipSet, bool framed);

  TStartPosMark& marks_;
  TCorvidBoard scratch_;  // 16 x 16: a tile cut to its middle at 16 pixels
};

}  // namespace tess
