#include "maps/ChipSetFlagBoard.h"

#include <array>
#include <cmath>
#include <string>

#include "maps/ChipPalette.h"
#include "maps/GR_ChipSet.h"

namespace tess {

namespace {

constexpr int kCell = TChipSetFlagBoard::kCell;
constexpr uint16_t kOutline = Rgb565(0, 0, 0);
constexpr uint16_t kWhite = Rgb565(255, 255, 255);
constexpr uint16_t kRed = Rgb565(240, 64, 64);
constexpr uint16_t kYellow = Rgb565(255, 224, 64);
constexpr uint16_t kCyan = Rgb565(96, 208, 255);
constexpr uint16_t kNeutral = Rgb565(120, 128, 120);
constexpr uint16_t kNeutralLine = Rgb565(80, 88, 80);

// A mark as the pixels of a cell it covers.
using TMask = std::array<std::array<bool, kCell>, kCell>;

template <class Inside>
TMask MakeMask(Inside inside) {
  TMask m{};
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) m[y][x] = inside(x + 0.5 - kCell / 2.0, y + 0.5 - kCell / 2.0);
  return m;
}

// Even-odd test of a point against a polygon given as x, y pairs.
template <size_t N>
bool InPolygon(const std::array<double, N>& p, double x, double y) {
  bool in = false;
  for (size_t i = 0, j = N - 2; i < N; j = i, i += 2) {
    const double xi = p[i], yi = p[i + 1], xj = p[j], yj = p[j + 1];
    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
  }
  return in;
}

std::array<double, 20> StarPolygon() {
  std::array<double, 20> p{};
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 ? 3.2 : 8.0, a = -M_PI / 2 + i * M_PI / 5;
    p[2 * i] = r * std::cos(a);
    p[2 * i + 1] = r * std::sin(a) + 0.8;
  }
  return p;
}

const TMask& Circle() {
  static const TMask m = MakeMask([](double x, double y) {
    const double d = std::hypot(x, y);
    return d >= 4.5 && d <= 7.5;
  });
  return m;
}
const TMask& Cross() {
  static const TMask m = MakeMask([](double x, double y) {
    return std::abs(x) <= 7 && std::abs(y) <= 7 && (std::abs(x - y) <= 1.6 || std::abs(x + y) <= 1.6);
  });
  return m;
}
const TMask& Star() {
  static const TMask m = MakeMask([](double x, double y) {
    static const auto p = StarPolygon();
    return InPolygon(p, x, y);
  });
  return m;
}
const TMask& Square() {
  static const TMask m = MakeMask([](double x, double y) { return std::abs(x) <= 6 && std::abs(y) <= 6; });
  return m;
}
const TMask& Diamond() {
  static const TMask m = MakeMask([](double x, double y) { return std::abs(x) + std::abs(y) <= 6; });
  return m;
}
// The arrow toward the edge of a direction bit.
const TMask& Arrow(uint8_t bit) {
  auto make = [](int dx, int dy) {
    return MakeMask([dx, dy](double x, double y) {
      // v runs from the centre toward the edge, u across it; the tip is at the edge.
      const double v = x * dx + y * dy, u = x * dy - y * dx;
      return v >= 6 && v <= 13 && std::abs(u) <= (13 - v) * 0.9;
    });
  };
  static const TMask up = make(0, -1), down = make(0, 1), left = make(-1, 0), right = make(1, 0);
  return bit == kPassUp ? up : bit == kPassDown ? down : bit == kPassLeft ? left : right;
}

void Plot(TCorvidBoard& board, int x, int y, uint16_t colour) {
  if (x >= 0 && y >= 0 && x < board.Width() && y < board.Height()) board.Row(y)[x] = colour;
}

// The mask in colour, with a one-pixel dark outline around it so it reads on any tile.
void DrawMask(TCorvidBoard& board, int left, int top, const TMask& m, uint16_t colour) {
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) {
      if (m[y][x]) {
        Plot(board, left + x, top + y, colour);
        continue;
      }
      bool edge = false;
      for (int j = -1; j <= 1 && !edge; ++j)
        for (int i = -1; i <= 1 && !edge; ++i) {
          const int u = x + i, v = y + j;
          edge = u >= 0 && v >= 0 && u < kCell && v < kCell && m[v][u];
        }
      if (edge) Plot(board, left + x, top + y, kOutline);
    }
}

// Digits 3 x 5, one row of bits per line, most significant bit left.
constexpr uint8_t kDigits[10][5] = {{7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7},
                                    {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2},
                                    {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};

void DrawNumber(TCorvidBoard& board, int left, int top, int value) {
  const std::string text = std::to_string(value);
  const int scale = text.size() <= 3 ? 2 : 1;
  const int width = static_cast<int>(text.size()) * 4 * scale - scale;
  const int x0 = left + (kCell - width) / 2, y0 = top + (kCell - 5 * scale) / 2;
  TMask m{};
  for (size_t c = 0; c < text.size(); ++c) {
    if (text[c] < '0' || text[c] > '9') continue;  // the sign of a negative number shows as its gap
    for (int row = 0; row < 5; ++row)
      for (int col = 0; col < 3; ++col)
        if (kDigits[text[c] - '0'][row] & (4 >> col))
          for (int j = 0; j < scale; ++j)
            for (int i = 0; i < scale; ++i) {
              const int x = x0 - left + static_cast<int>(c) * 4 * scale + col * scale + i;
              const int y = y0 - top + row * scale + j;
              if (x >= 0 && y >= 0 && x < kCell && y < kCell) m[y][x] = true;
            }
  }
  DrawMask(board, left, top, m, kWhite);
}

}  // namespace

void TChipSetFlagBoard::SetTool(TChipSetTool tool) {
  tool_ = tool;
  if (board_.Width() != kColumns * kCell || board_.Height() != Rows() * kCell)
    board_.SetSize(kColumns * kCell, Rows() * kCell);
}

int TChipSetFlagBoard::Rows() const { return ToolEntryCount(tool_) / kColumns; }

int TChipSetFlagBoard::EntryAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= kColumns * kCell || y >= Rows() * kCell) return -1;
  return x / kCell + y / kCell * kColumns;
}

void TChipSetFlagBoard::Draw(const TLcfChipSetItem& tileset, TLcfChipSetGraphic* graphic) {
  SetTool(tool_);
  for (int i = 0; i < ToolEntryCount(tool_); ++i) DrawCell(tileset, graphic, i);
}

void TChipSetFlagBoard::DrawCell(const TLcfChipSetItem& tileset, TLcfChipSetGraphic* graphic, int index) {
  if (index < 0 || index >= ToolEntryCount(tool_)) return;
  const bool upper = IsUpperTool(tool_);
  const int left = CellX(index), top = CellY(index);
  const TRect cell{left, top, left + kCell, top + kCell};
  const bool picture = graphic && graphic->HasTileset() && graphic->pictureError.empty();
  if (picture) {
    board_.FillRect(cell, 0);
    const int id = PaletteId(upper ? TEditMode::Upper : TEditMode::Lower, index % kColumns, index / kColumns);
    graphic->DrawChip(board_, left, top, kCell, false, id, 0);
  } else {
    board_.FillRect(cell, kNeutralLine);
    board_.FillRect({left + 1, top + 1, left + kCell, top + kCell}, kNeutral);
  }
  // The empty upper tile keeps its flags and shows none.
  if (upper && index == 0) return;
  const uint8_t flags = static_cast<uint8_t>(upper ? tileset.GetUpperFlags(index) : tileset.GetLowerFlags(index));
  switch (tool_) {
    case TChipSetTool::Terrain:
      DrawNumber(board_, left, top, tileset.GetTerrain(index));
      break;
    case TChipSetTool::LowerPassability:
    case TChipSetTool::UpperPassability:
      switch (PassStateOf(flags)) {
        case TPassState::Circle:
          DrawMask(board_, left, top, Circle(), kWhite);
          break;
        case TPassState::Cross:
          DrawMask(board_, left, top, Cross(), kRed);
          break;
        case TPassState::Star:
          DrawMask(board_, left, top, Star(), kYellow);
          break;
        case TPassState::Square:
          DrawMask(board_, left, top, Square(), kCyan);
          break;
      }
      break;
    case TChipSetTool::LowerDirections:
    case TChipSetTool::UpperDirections:
      for (uint8_t bit : {kPassUp, kPassDown, kPassLeft, kPassRight})
        if (flags & bit) DrawMask(board_, left, top, Arrow(bit), kWhite);
      break;
    case TChipSetTool::Counter:
      if (flags & kChipCounter) DrawMask(board_, left, top, Diamond(), kYellow);
      break;
  }
}

}  // namespace tess
