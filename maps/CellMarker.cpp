#include "maps/CellMarker.h"

#include "events/LD_Event.h"
#include "maps/EventMap.h"
#include "maps/GR_CharSet.h"
#include "maps/GR_ChipSet.h"
#include "maps/StartPosMark.h"
#include "maps/TileId.h"

namespace tess {

namespace {

constexpr uint16_t kWhite = Rgb565(255, 255, 255);

// Where the picture of an event sits in its cell, by cell size: the white square, the square of
// the picture inside it, and the part of a character frame shown there.
struct TPictureGeometry {
  TRect white;
  TRect inner;
  TPoint frameOffset;
};

TPictureGeometry GeometryFor(int size) {
  if (size == 16) return {Bounds(1, 1, 13, 13), Bounds(2, 2, 11, 11), {6, 9}};
  return {Bounds(4, 4, 23, 23), Bounds(5, 5, 21, 21), {1, 6}};
}

TRect Offset(const TRect& r, int x, int y) { return {r.left + x, r.top + y, r.right + x, r.bottom + y}; }

}  // namespace

TCellMarkerPainter::TCellMarkerPainter(TStartPosMark& marks) : marks_(marks) { scratch_.SetSize(16, 16); }

TCellMarkerPainter::TCellMarkerPainter() : TCellMarkerPainter(TStartPosMark::Shared()) {}

void TCellMarkerPainter::DrawCellMarker(TCorvidBoard& board, int x, int y, int size, int value,
                                        const TLcfEventItem* event, TLcfCharSetGraphic& charSets,
                                        TLcfChipSetGraphic& chipSet, TMarkerStyle style) {
  const bool translucent = style == TMarkerStyle::Translucent;
  if (TLcfEventMap::IsStartPosition(value)) {
    marks_.DrawMark(board, x, y, size, value - TLcfEventMap::kPartyStart, translucent);
    return;
  }
  if (value < 1 || value > TLcfEventMap::kMaxEventId) return;
  if (!translucent && (size == 16 || size == 32) &&
      DrawEventPicture(board, x, y, size, event, charSets, chipSet, style == TMarkerStyle::EventMode))
    return;
  marks_.DrawMark(board, x, y, size, kMarkEvent, translucent);
}

bool TCellMarkerPainter::DrawEventPicture(TCorvidBoard& board, int x, int y, int size, const TLcfEventItem* event,
                                          TLcfCharSetGraphic& charSets, TLcfChipSetGraphic& chipSet, bool framed) {
  if (!event || event->pages.Count() == 0) return false;
  const TLcfEventPageItem& page = *event->pages.ItemAt(0);
  const TPictureGeometry g = GeometryFor(size);

  if (page.graphicName.empty()) {
    const int tile = page.graphicIndex;
    if (tile < 0 || tile >= kUpperChipCount || !chipSet.HasTileset()) return false;
    if (framed) board.FillRect(Offset(g.white, x, y), kWhite);
    DrawUpperTile(board, x, y, size, tile, chipSet, framed);
    return true;
  }

  const int index = charSets.IndexOf(page.graphicName);
  if (index < 0) {
    // Not cached: the view has not refreshed the cache yet. Drawing never loads a file.
    if (!framed) return false;
    board.FillRect(Offset(g.white, x, y), kWhite);
    return true;
  }
  if (!charSets.LoadedAt(index) || !IsCharFrame(page.graphicIndex, page.direction, page.pattern)) return false;
  if (framed) board.FillRect(Offset(g.white, x, y), kWhite);
  TCorvidSheet& sheet = charSets.SheetAt(index);
  sheet.opacity = 255;
  const TRect frame = CharFrameRect(page.graphicIndex, page.direction, page.pattern);
  const TRect source =
      Bounds(frame.left + g.frameOffset.x, frame.top + g.frameOffset.y, g.inner.Width(), g.inner.Height());
  board.DrawSheet(x + g.inner.left, y + g.inner.top, source, sheet);
  return true;
}

void TCellMarkerPainter::DrawUpperTile(TCorvidBoard& board, int x, int y, int size, int tile,
                                       TLcfChipSetGraphic& chipSet, bool framed) {
  TCorvidSheet& sheet = chipSet.sheet;
  TCorvidSheet& dimmed = chipSet.dimmedSheet;
  const bool wasTransparent = sheet.transparent, dimmedWasTransparent = dimmed.transparent;
  const int32_t opacity = sheet.opacity, dimmedOpacity = dimmed.opacity;
  chipSet.SetTransparent(true);
  chipSet.SetFade(0);
  // The tile shows on the tileset's own background colour in the white square; on a map picture
  // it shows over the map.
  const TPaletteEntry& c = sheet.palette[0];
  const uint16_t background = Rgb565(c.red, c.green, c.blue);
  const int id = kUpperChipFirst + tile;
  if (size == 16) {
    // Drawn whole on a board of its own, of which the middle 11 x 11 is taken.
    if (framed)
      scratch_.Fill(background);
    else
      scratch_.CopyBoard(0, 0, Bounds(x, y, 16, 16), board);
    chipSet.DrawChip(scratch_, 0, 0, 16, false, id, 0);
    board.CopyBoard(x + 2, y + 2, Bounds(2, 2, 11, 11), scratch_);
  } else {
    if (framed) board.FillRect(Bounds(x + 5, y + 5, 21, 21), background);
    chipSet.DrawChip(board, x + 8, y + 8, 16, false, id, 0);
  }
  sheet.transparent = wasTransparent;
  dimmed.transparent = dimmedWasTransparent;
  sheet.opacity = opacity;
  dimmed.opacity = dimmedOpacity;
}

}  // namespace tess
