#pragma once
// Shaded shapes shared by tiles, sprites and screens. Light comes from the upper left.

#include <cstdint>

#include "tools/rtpgen/Art.h"
#include "tools/rtpgen/IndexedCanvas.h"

namespace tess::rtp {

// An ellipse shaded like a ball; with a non-zero leafSeed the surface is broken into leafy clumps.
void Ball(TIndexedCanvas& c, int x, int y, int w, int h, int ramp, double base = 4, double contrast = 3,
          uint32_t leafSeed = 0);
// A box shaded like a vertical cylinder (barrels, trunks, pillars).
void Cylinder(TIndexedCanvas& c, int x, int y, int w, int h, int ramp, double base = 4, double contrast = 2.5);
// A box with a lighter top face of topH rows and a darker front.
void Block(TIndexedCanvas& c, int x, int y, int w, int h, int topH, int ramp, double base = 4);
// A dithered ground shadow: every other pixel of the ellipse, only where the canvas is still 0.
void GroundShadow(TIndexedCanvas& c, int x, int y, int w, int h);
// Linear vertical gradient between two shades of a ramp, dithered.
void VGradient(TIndexedCanvas& c, TRect r, int ramp, double top, double bottom);
// Ink rim around everything non-zero inside the rectangle.
inline void Ink(TIndexedCanvas& c, TRect r) { c.Outline(r, kInk); }

}  // namespace tess::rtp
