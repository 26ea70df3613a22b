#include "maps/StartPosMark.h"

#include <cstring>

namespace tess {

namespace {

// Palette of every strip.
enum : uint8_t {
  kClear = 0,
  kBlack = 1,
  kWhite = 2,
  kPartyFill = 3,
  kSkiffFill = 4,
  kShipFill = 5,
  kAirshipFill = 6,
  kEventFill = 7,
  kBadge = 8,
};

constexpr TPaletteEntry kPalette[] = {
    {0, 0, 0, 0},     {24, 24, 24, 0},   {248, 248, 248, 0}, {208, 64, 48, 0},  {48, 136, 200, 0},
    {40, 80, 176, 0}, {128, 72, 184, 0}, {48, 144, 72, 0},   {248, 208, 56, 0},
};

constexpr uint8_t kFill[kMarkCount] = {kPartyFill, kSkiffFill, kShipFill, kAirshipFill, kEventFill};

constexpr int kSizes[4] = {32, 16, 8, 4};

// Pictures as rows of characters: 'X' black, 'O' white, 'Y' the badge colour, anything else leaves
// what is below (the mark's fill).
using TArt = const char* const*;

// The figures of the two large sizes: 12 x 12, drawn 1:1 at 16 pixels and doubled at 32. Their
// top-left 3 x 3 corner stays free for the badge, and the boat's top-right 3 x 5 for the digit.
constexpr const char* kFigure[12] = {
    "....XXXX....", "...XOOOOX...", "...XOOOOX...", "....XOOX....", "..XXXOOXXX..", ".XOOOOOOOOX.",
    ".XOXOOOOXOX.", ".XXXOOOOXXX.", "...XOOOOX...", "...XOXXOX...", "...XOXXOX...", "...XX..XX...",
};
constexpr const char* kBoat[12] = {
    "...X........", "...XX.......", "...XOX......", "...XOOX.....", "...XOOOX....", "...XOOOOX...",
    "...XXXXXXX..", "...X........", "XXXXXXXXXXXX", "XOOOOOOOOOOX", ".XOOOOOOOOX.", "..XXXXXXXX..",
};
constexpr const char* kRing[12] = {
    "...XXXXXX...", "..XOOOOOOX..", ".XOX....XOX.", "XOX.OOOO.XOX", "XOX.OX...XOX", "XOX.OOO..XOX",
    "XOX.OX...XOX", "XOX.OOOO.XOX", "XOX......XOX", ".XOX....XOX.", "..XOOOOOOX..", "...XXXXXX...",
};
constexpr const char* kDigits[3][5] = {
    {".O.", "OO.", ".O.", ".O.", "OOO"},
    {"OO.", "..O", ".O.", "O..", "OOO"},
    {"OO.", "..O", ".O.", "..O", "OO."},
};
constexpr const char* kLetterS[5] = {".XX", "X..", ".X.", "..X", "XX."};

// The small sizes are drawn whole, frame included.
constexpr const char* kSmallFigure[8] = {"XXXXXXXX", "XY.OO..X", "X..OO..X", "X.OOOO.X",
                                         "X..OO..X", "X.O..O.X", "X......X", "XXXXXXXX"};
constexpr const char* kSmallBoat[8] = {"XXXXXXXX", "XY.O...X", "X..OO..X", "X..OOO.X",
                                       "XOOOOOOX", "X.OOOO.X", "X......X", "XXXXXXXX"};
constexpr const char* kSmallRing[8] = {"XXXXXXXX", "X......X", "X.OOO..X", "X.O....X",
                                       "X.OO...X", "X.O....X", "X.OOO..X", "XXXXXXXX"};
constexpr const char* kTiny[4] = {"XXXX", "X..X", "X..X", "XXXX"};

void Fill(TCorvidSheet& sheet, const TRect& r, uint8_t colour) {
  for (int y = r.top; y < r.bottom; ++y) std::memset(sheet.Row(y) + r.left, colour, static_cast<size_t>(r.Width()));
}

void Paint(TCorvidSheet& sheet, int left, int top, TArt art, int rows, int scale) {
  for (int y = 0; y < rows; ++y) {
    const int columns = static_cast<int>(std::strlen(art[y]));
    for (int x = 0; x < columns; ++x) {
      uint8_t colour;
      switch (art[y][x]) {
        case 'X':
          colour = kBlack;
          break;
        case 'O':
          colour = kWhite;
          break;
        case 'Y':
          colour = kBadge;
          break;
        default:
          continue;
      }
      Fill(sheet, Bounds(left + x * scale, top + y * scale, scale, scale), colour);
    }
  }
}

TArt LargeArt(int mark) { return mark == kMarkParty ? kFigure : mark == kMarkEvent ? kRing : kBoat; }
TArt SmallArt(int mark) { return mark == kMarkParty ? kSmallFigure : mark == kMarkEvent ? kSmallRing : kSmallBoat; }

void DrawLarge(TCorvidSheet& strip, int size, int mark) {
  const int left = mark * size;
  const int scale = size / 16;
  Fill(strip, Bounds(left, 0, size, size), kBlack);
  if (size == 32) {
    Fill(strip, Bounds(left + 1, 0 + 1, 30, 30), kWhite);
    Fill(strip, Bounds(left + 2, 2, 28, 28), kFill[mark]);
  } else {
    Fill(strip, Bounds(left + 1, 1, 14, 14), kFill[mark]);
  }
  const int art = 2 * scale;  // where the 12 x 12 figure starts
  Paint(strip, left + art, art, LargeArt(mark), 12, scale);
  if (mark >= kMarkSkiff && mark <= kMarkAirship)
    Paint(strip, left + art + 9 * scale, art, kDigits[mark - 1], 5, scale);
  if (mark == kMarkEvent) return;
  if (size == 32) {
    Fill(strip, Bounds(left, 0, 9, 9), kBlack);
    Fill(strip, Bounds(left + 1, 1, 7, 7), kBadge);
    Paint(strip, left + 3, 2, kLetterS, 5, 1);
  } else {
    Fill(strip, Bounds(left, 0, 4, 4), kBlack);
    Fill(strip, Bounds(left + 1, 1, 2, 2), kBadge);
  }
}

void DrawSmall(TCorvidSheet& strip, int size, int mark) {
  const int left = mark * size;
  Fill(strip, Bounds(left, 0, size, size), kFill[mark]);
  if (size == 8)
    Paint(strip, left, 0, SmallArt(mark), 8, 1);
  else
    Paint(strip, left, 0, kTiny, 4, 1);
}

}  // namespace

TStartPosMark::TStartPosMark() {
  for (int i = 0; i < 4; ++i) {
    const int size = kSizes[i];
    TCorvidSheet& strip = strips_[i];
    strip.SetSize(kMarkCount * size, size);
    for (size_t c = 0; c < std::size(kPalette); ++c) strip.palette[c] = kPalette[c];
    strip.UpdatePalette16();
    strip.transparent = true;
    for (int mark = 0; mark < kMarkCount; ++mark) {
      if (size >= 16)
        DrawLarge(strip, size, mark);
      else
        DrawSmall(strip, size, mark);
    }
  }
}

TStartPosMark& TStartPosMark::Shared() {
  static TStartPosMark marks;
  return marks;
}

TCorvidSheet* TStartPosMark::Strip(int size) {
  for (int i = 0; i < 4; ++i)
    if (kSizes[i] == size) return &strips_[i];
  return nullptr;
}

void TStartPosMark::DrawMark(TCorvidBoard& board, int x, int y, int size, int mark, bool translucent) {
  TCorvidSheet* strip = Strip(size);
  if (!strip || mark < 0 || mark >= kMarkCount) return;
  strip->opacity = translucent ? 128 : 255;
  board.DrawSheet(x, y, Bounds(mark * size, 0, size, size), *strip);
}

}  // namespace tess
