#pragma once
// Pieces both tilesets are built from: water with its banks, cliff and wall faces, roofs.

#include <cstdint>

#include "tools/rtpgen/TileArt.h"
#include "tools/rtpgen/TilesetArt.h"

namespace tess::rtp {

// Fills the three water frames and kind 1's edges: kinds 0 and 2 share the edges against bank0,
// kind 1 has its own edges against bank1; kind 0 and 1 water is `shallow`, kind 2 `deep`.
void DrawWater(TTilesetArt& art, TTex shallow, TTex deep, TTex bank0, uint32_t bank0Seed, TTex bank1,
               uint32_t bank1Seed, uint32_t seed);

// Which sides of a multi-cell face a cell stands on.
struct TFaceCell {
  bool top = false, bottom = false, left = false, right = false;
};

// A rock or earth cliff face; the top row carries a lip of the ground above.
void CliffCell(TIndexedCanvas& c, int x, int y, int ramp, TFaceCell where, const TIndexedCanvas& lip, uint32_t seed);

enum class TWall { Wood, Stone, Plaster, Brick, Rock, Panel, Ice };
// A wall face: timber beam at the top of a house wall, foundation at its bottom.
void WallCell(TIndexedCanvas& c, int x, int y, TWall kind, TFaceCell where, uint32_t seed);

// Roof shingles: ridge along the top row, eaves along the bottom, barge boards at the sides.
void RoofCell(TIndexedCanvas& c, int x, int y, int ramp, TFaceCell where);

// A 16 x 16 texture copied to (x, y).
void PutTexture(TIndexedCanvas& c, int x, int y, TTex tex, uint32_t seed);

}  // namespace tess::rtp
