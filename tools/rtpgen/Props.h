#pragma once
// Objects of the upper tile layer: trees, rocks, furniture, dungeon fittings. Each draws itself,
// inked, into the given box of a transparent canvas (index 0 stays where nothing is drawn).

#include <cstdint>

#include "tools/rtpgen/IndexedCanvas.h"

namespace tess::rtp::props {

void Tree(TIndexedCanvas& c, int x, int y, int w, int h, int leafRamp, uint32_t seed);
void Pine(TIndexedCanvas& c, int x, int y, int w, int h, bool snowy, uint32_t seed);
void Bush(TIndexedCanvas& c, int x, int y, int w, int h, int ramp, uint32_t seed, bool berries = false);
void Boulder(TIndexedCanvas& c, int x, int y, int w, int h, int ramp, uint32_t seed);
void Stump(TIndexedCanvas& c, int x, int y);
void FlowerClump(TIndexedCanvas& c, int x, int y, int petalRamp, uint32_t seed);
void TallGrass(TIndexedCanvas& c, int x, int y, int ramp, uint32_t seed);
void Mushrooms(TIndexedCanvas& c, int x, int y, int capRamp);
// Fence pieces: horizontal with optional end posts, vertical, single post.
void FenceH(TIndexedCanvas& c, int x, int y, bool leftPost, bool rightPost);
void FenceV(TIndexedCanvas& c, int x, int y);
void Sign(TIndexedCanvas& c, int x, int y);
void Barrel(TIndexedCanvas& c, int x, int y);
void Crate(TIndexedCanvas& c, int x, int y, int w, int h);
void Pot(TIndexedCanvas& c, int x, int y, int ramp);
void Sack(TIndexedCanvas& c, int x, int y);
void Chest(TIndexedCanvas& c, int x, int y, bool open, int ramp);
void LampPost(TIndexedCanvas& c, int x, int y);          // 16 x 32
void Statue(TIndexedCanvas& c, int x, int y, int ramp);  // 16 x 32
void Grave(TIndexedCanvas& c, int x, int y, bool cross);
void Well(TIndexedCanvas& c, int x, int y);                // 32 x 32
void Bed(TIndexedCanvas& c, int x, int y, int sheetRamp);  // 16 x 32
void Shelf(TIndexedCanvas& c, int x, int y, bool books);   // 16 x 32
void Table(TIndexedCanvas& c, int x, int y, int w);        // w x 16
void Chair(TIndexedCanvas& c, int x, int y);
void PlantPot(TIndexedCanvas& c, int x, int y);
void Window(TIndexedCanvas& c, int x, int y);
void Door(TIndexedCanvas& c, int x, int y, int h, int ramp);  // 16 wide
void Painting(TIndexedCanvas& c, int x, int y);
void Hay(TIndexedCanvas& c, int x, int y, int w, int h);
void Logs(TIndexedCanvas& c, int x, int y);
void Stalagmite(TIndexedCanvas& c, int x, int y, int w, int h, int ramp);
void Pillar(TIndexedCanvas& c, int x, int y, int h, int ramp, bool broken);  // 16 wide
void Crystals(TIndexedCanvas& c, int x, int y, int w, int h, int ramp, uint32_t seed);
void Bones(TIndexedCanvas& c, int x, int y, bool skull);
void TorchStand(TIndexedCanvas& c, int x, int y);  // 16 x 32
void WallTorch(TIndexedCanvas& c, int x, int y);
void Cobweb(TIndexedCanvas& c, int x, int y, bool left);
void Chains(TIndexedCanvas& c, int x, int y);
void Altar(TIndexedCanvas& c, int x, int y);   // 32 x 16
void Coffin(TIndexedCanvas& c, int x, int y);  // 16 x 32
void Rubble(TIndexedCanvas& c, int x, int y, uint32_t seed);
void Skeleton(TIndexedCanvas& c, int x, int y);
void Brazier(TIndexedCanvas& c, int x, int y);
void Banner(TIndexedCanvas& c, int x, int y, int ramp);  // 16 x 32

}  // namespace tess::rtp::props
