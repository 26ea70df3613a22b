#include "tools/rtpgen/TilesetArt.h"

#include "tools/rtpgen/Art.h"

namespace tess::rtp {

TRect WaterFrameRect(int frame) { return {16 * frame, 0, 16, 128}; }
TRect WaterKind1EdgeRect(int frame) { return {48 + 16 * frame, 0, 16, 64}; }
TRect AnimatedTileRect(int tile) { return {48 + 16 * tile, 64, 16, 64}; }

TRect AutotileBlockRect(int block) {
  if (block < 4) return {48 * (block % 2), 128 + 64 * (block / 2), 48, 64};
  int b = block - 4;
  return {96 + 48 * (b % 2), 64 * (b / 2), 48, 64};
}

// Both palettes run six chips a row, top to bottom, then on in the next 96-pixel column; the
// upper palette starts half-way down the column at x 288, as if 48 chips came before it.
TRect LowerChipRect(int k) { return {192 + (k / 96) * 96 + (k % 6) * 16, ((k % 96) / 6) * 16, 16, 16}; }
TRect UpperChipRect(int k) {
  int j = k + 48;
  return {288 + (j / 96) * 96 + (k % 6) * 16, ((j % 96) / 6) * 16, 16, 16};
}
TRect PaletteCellRect(int k) { return {(k % 6) * 16, (k / 6) * 16, 16, 16}; }

TIndexedCanvas AssembleTileset(const TTilesetArt& art) {
  TIndexedCanvas sheet(kTilesetWidth, kTilesetHeight);
  ApplyPalette(sheet);
  for (int f = 0; f < 3; ++f) {
    TRect w = WaterFrameRect(f), e = WaterKind1EdgeRect(f);
    sheet.Blit(art.waterFrames[f], w.x, w.y);
    sheet.Blit(art.kind1Edges[f], e.x, e.y);
  }
  for (int t = 0; t < 3; ++t) {
    TRect r = AnimatedTileRect(t);
    sheet.Blit(art.animated[t], r.x, r.y);
  }
  for (int b = 0; b < 12; ++b) {
    TRect r = AutotileBlockRect(b);
    sheet.Blit(art.blocks[b], r.x, r.y);
  }
  for (int k = 0; k < kChipCount; ++k) {
    TRect from = PaletteCellRect(k), lower = LowerChipRect(k), upper = UpperChipRect(k);
    sheet.Blit(art.lowerPalette, from, lower.x, lower.y);
    sheet.Blit(art.upperPalette, from, upper.x, upper.y);
  }
  return sheet;
}

}  // namespace tess::rtp
