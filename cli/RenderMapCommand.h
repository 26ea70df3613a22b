#pragma once
// tessaly-cli render-map: a whole map as one picture, drawn as the editor draws it.

#include <iosfwd>
#include <string>
#include <vector>

#include "core/Stream.h"

namespace tess {
class TLcfMap;
class TLcfChipSetGraphic;
class TCorvidSheet;
struct TEventLayer;
}  // namespace tess

namespace tess::cli {

struct TRenderMapOptions {
  int cellSize = 32;  // 32, 16, 8 or 4 pixels per cell (1/1 to 1/8)
  int counter = 0;    // animation ticks
  bool lower = true, upper = true;
  bool events = false;  // each event as its first page's picture, the start positions as their marks
};

// The map drawn a band of rows at a time into a PNG file's bytes: 8-bit with a palette when the
// colours the drawing can produce number 256 or fewer (the usual case: one tileset, one panorama),
// else 24-bit. events is drawn when options.events is set (it may be null otherwise).
Bytes RenderMapPng(const TLcfMap& map, TLcfChipSetGraphic& graphic, TCorvidSheet* panorama,
                   const TRenderMapOptions& options, const TEventLayer* events = nullptr);

// render-map PROJECT_DIR MAP_ID OUT.png [--zoom 1|2|4|8] [--frame N] [--layers lower,upper,events]
//            [--rtp-folder PATH]
int RenderMap(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tess::cli
