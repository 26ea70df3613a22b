#pragma once
// Tileset pictures: where each kind of tile lives in the 480 x 256 picture, the pieces a tileset
// is drawn from, and the assembly of those pieces into the picture.
//
// A tileset is drawn as separate pieces: for each of the three water frames a 16 x 128 column
// (the edges, centre and corner pieces of the water kinds), water kind 1's own edges per frame,
// the three animated tiles with their four frames, twelve autotile blocks of 48 x 64, and the
// lower and upper palettes as 96 x 384 pictures of 6 x 24 chips (chip k at column k mod 6, row
// k div 6), so objects larger than one chip are drawn whole and cut into chips afterwards.

#include <array>
#include <string>

#include "tools/rtpgen/IndexedCanvas.h"

namespace tess::rtp {

constexpr int kTilesetWidth = 480, kTilesetHeight = 256;
constexpr int kChipCount = 144;

TRect WaterFrameRect(int frame);      // 16 x 128: kinds 0 and 2 and the shared pieces
TRect WaterKind1EdgeRect(int frame);  // 16 x 64: kind 1's own edges and corners
TRect AnimatedTileRect(int tile);     // 16 x 64: four frames top to bottom
TRect AutotileBlockRect(int block);   // 48 x 64
TRect LowerChipRect(int chip);        // 16 x 16
TRect UpperChipRect(int chip);        // 16 x 16
TRect PaletteCellRect(int chip);      // 16 x 16 inside a 96 x 384 palette picture

// Tiles the dungeon generator of a map can be set to, as tile ids (lower layer) and upper chip
// numbers of the top-left cell of 2 x 2 obstacles.
struct TDungeonTiles {
  int ceiling = 0, lowerWall = 0, upperWall = 0, floorA = 0, floorB = 0, floorC = 0;
  std::array<int, 3> obstacles{};
};

struct TTilesetArt {
  std::string name;
  std::array<TIndexedCanvas, 3> waterFrames;  // 16 x 128 each
  std::array<TIndexedCanvas, 3> kind1Edges;   // 16 x 64 each
  std::array<TIndexedCanvas, 3> animated;     // 16 x 64 each
  std::array<TIndexedCanvas, 12> blocks;      // 48 x 64 each
  TIndexedCanvas lowerPalette{96, 384};
  TIndexedCanvas upperPalette{96, 384};
  TDungeonTiles dungeon;
};

// Places every piece where the picture layout wants it; the palette is the shared one.
TIndexedCanvas AssembleTileset(const TTilesetArt& art);

TTilesetArt DrawFieldTileset();
TTilesetArt DrawDungeonTileset();

}  // namespace tess::rtp
