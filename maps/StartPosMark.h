#pragma once
// The marks a map view shows for the start positions of the party and the three vehicles, and the
// generic mark of an event. There is one strip of five square marks per cell size (32, 16, 8 and 4
// pixels); mark k of a strip lies at (k * size, 0). The artwork is drawn here by code: framed
// squares with a standing figure (party) or a boat with the digit 1, 2 or 3 (skiff, ship, airship),
// the four start marks with a small S badge, and a ring with the letter E for an event. Index 0 of
// every strip is transparent.

#include <array>

#include "media/CorvidSheet.h"

namespace tess {

enum TStartMark : int {
  kMarkParty = 0,
  kMarkSkiff = 1,
  kMarkShip = 2,
  kMarkAirship = 3,
  kMarkEvent = 4,
  kMarkCount = 5,
};

class TStartPosMark {
 public:
  TStartPosMark();
  TStartPosMark(const TStartPosMark&) = delete;
  TStartPosMark& operator=(const TStartPosMark&) = delete;

  // The marks every view of this process shares.
  static TStartPosMark& Shared();

  // Draws the size x size square of the mark with its top-left at (x, y), at opacity 128 when
  // translucent, else opaque. Sizes other than 32, 16, 8 and 4 and marks outside 0..4 draw nothing.
  void DrawMark(TCorvidBoard& board, int x, int y, int size, int mark, bool translucent);

  // The strip of a cell size (5 size x size marks); null for any other size.
  TCorvidSheet* Strip(int size);

 private:
  std::array<TCorvidSheet, 4> strips_;  // sizes 32, 16, 8, 4
};

}  // namespace tess
