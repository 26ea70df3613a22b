#include "maps/AutotileFixup.h"

#include "maps/GR_ChipSet.h"

namespace tess {

namespace {

// The eight neighbours with their mask bits.
struct TNeighbour {
  int dx, dy, bit;
};
constexpr TNeighbour kNeighbours[8] = {
    {-1, -1, kNbNW}, {1, -1, kNbNE}, {1, 1, kNbSE}, {-1, 1, kNbSW},
    {-1, 0, kNbW},   {0, -1, kNbN},  {1, 0, kNbE},  {0, 1, kNbS},
};

constexpr int Bit(int mask, int bit) { return (mask & bit) ? 1 : 0; }

// The chip index at (x, y), -1 outside.
int IndexAt(const TLcfMapLayer& lower, int x, int y) { return ChipIdToIndex(lower.GetCell(x, y)); }

}  // namespace

TAutotileLinks AutotileLinksOf(const TLcfChipSetGraphic& graphic) {
  TAutotileLinks links;
  for (int i = kAutotileIndexFirst; i <= kAutotileIndexLast; ++i)
    links.links[static_cast<size_t>(i - kAutotileIndexFirst)] = graphic.GetLink(i);
  return links;
}

bool LinksOfTileset(const TLcfChipSetItem* tileset, TAutotileLinks& links, std::string* why) {
  TLcfChipSetGraphic graphic;
  graphic.SetTileset(tileset);
  std::string error = !tileset ? "no such tileset" : graphic.pictureError;
  if (error.empty()) links = AutotileLinksOf(graphic);
  if (why) *why = error;
  return error.empty();
}

int ShapeFromMask(int mask) {
  const int nw = Bit(mask, kNbNW), ne = Bit(mask, kNbNE), se = Bit(mask, kNbSE), sw = Bit(mask, kNbSW);
  const int sides = mask & (kNbW | kNbN | kNbE | kNbS);
  switch (sides) {
    case 0:
      return nw + 2 * ne + 4 * se + 8 * sw;
    case kNbW:
      return 16 + ne + 2 * se;
    case kNbN:
      return 20 + se + 2 * sw;
    case kNbE:
      return 24 + sw + 2 * nw;
    case kNbS:
      return 28 + nw + 2 * ne;
    case kNbW | kNbE:
      return 32;
    case kNbN | kNbS:
      return 33;
    case kNbN | kNbW:
      return 34 + se;
    case kNbN | kNbE:
      return 36 + sw;
    case kNbE | kNbS:
      return 38 + nw;
    case kNbS | kNbW:
      return 40 + ne;
    case kNbN | kNbE | kNbW:
      return 42;
    case kNbN | kNbS | kNbW:
      return 43;
    case kNbE | kNbS | kNbW:
      return 44;
    case kNbN | kNbE | kNbS:
      return 45;
    default:
      return 46;
  }
}

int CanonicalMask(int shape) {
  // The differing sides of a shape, then its own diagonal bits.
  int sides = 0, diagonals = 0;
  if (shape < 16) {
    diagonals = (shape & 1 ? kNbNW : 0) | (shape & 2 ? kNbNE : 0) | (shape & 4 ? kNbSE : 0) | (shape & 8 ? kNbSW : 0);
  } else if (shape < 20) {
    sides = kNbW;
    diagonals = (shape & 1 ? kNbNE : 0) | (shape & 2 ? kNbSE : 0);
  } else if (shape < 24) {
    sides = kNbN;
    diagonals = (shape & 1 ? kNbSE : 0) | (shape & 2 ? kNbSW : 0);
  } else if (shape < 28) {
    sides = kNbE;
    diagonals = (shape & 1 ? kNbSW : 0) | (shape & 2 ? kNbNW : 0);
  } else if (shape < 32) {
    sides = kNbS;
    diagonals = (shape & 1 ? kNbNW : 0) | (shape & 2 ? kNbNE : 0);
  } else {
    switch (shape) {
      case 32:
        sides = kNbW | kNbE;
        break;
      case 33:
        sides = kNbN | kNbS;
        break;
      case 34:
      case 35:
        sides = kNbN | kNbW;
        diagonals = shape == 35 ? kNbSE : 0;
        break;
      case 36:
      case 37:
        sides = kNbN | kNbE;
        diagonals = shape == 37 ? kNbSW : 0;
        break;
      case 38:
      case 39:
        sides = kNbE | kNbS;
        diagonals = shape == 39 ? kNbNW : 0;
        break;
      case 40:
      case 41:
        sides = kNbS | kNbW;
        diagonals = shape == 41 ? kNbNE : 0;
        break;
      case 42:
        sides = kNbN | kNbE | kNbW;
        break;
      case 43:
        sides = kNbN | kNbS | kNbW;
        break;
      case 44:
        sides = kNbE | kNbS | kNbW;
        break;
      case 45:
        sides = kNbN | kNbE | kNbS;
        break;
      case 46:
        sides = kNbN | kNbE | kNbS | kNbW;
        break;
      default:
        return 0;  // 47 and 48 draw as 0, 49 is the preview cell
    }
  }
  int adjacent = 0;
  if (sides & kNbW) adjacent |= kNbNW | kNbSW;
  if (sides & kNbN) adjacent |= kNbNW | kNbNE;
  if (sides & kNbE) adjacent |= kNbNE | kNbSE;
  if (sides & kNbS) adjacent |= kNbSE | kNbSW;
  return sides | adjacent | diagonals;
}

bool NeighbourDiffers(int cur, int h, const TFixupRules& rules) {
  if (h == -1) return rules.edgeDiffers;
  if (h == cur) return false;
  if (rules.links.Of(h) == cur) return false;
  // Every water kind and the animated tiles count as one family.
  if (cur < 6 && h < 6) return false;
  return true;
}

int DifferMask(const TLcfMapLayer& lower, int x, int y, int cur, const TFixupRules& rules) {
  int mask = 0;
  for (const TNeighbour& n : kNeighbours)
    if (NeighbourDiffers(cur, IndexAt(lower, x + n.dx, y + n.dy), rules)) mask |= n.bit;
  return mask;
}

int WaterCorners(const TLcfMapLayer& lower, int x, int y, int cur, int mask) {
  if (cur < 0 || cur > 2) return 0;
  const int n = IndexAt(lower, x, y - 1), s = IndexAt(lower, x, y + 1);
  const int w = IndexAt(lower, x - 1, y), e = IndexAt(lower, x + 1, y);
  int corners = 0;
  if (cur < 2) {
    // Shallow water takes corner pieces where deep water lies on two sides and the diagonal
    // between them is water too.
    auto deep = [](int index) { return index == 2; };
    if (deep(n) && deep(w) && !(mask & kNbNW)) corners |= 1;
    if (deep(n) && deep(e) && !(mask & kNbNE)) corners |= 2;
    if (deep(s) && deep(w) && !(mask & kNbSW)) corners |= 4;
    if (deep(s) && deep(e) && !(mask & kNbSE)) corners |= 8;
  } else {
    auto shallow = [](int index) { return index == 0 || index == 1; };
    const int nw = IndexAt(lower, x - 1, y - 1), ne = IndexAt(lower, x + 1, y - 1);
    const int sw = IndexAt(lower, x - 1, y + 1), se = IndexAt(lower, x + 1, y + 1);
    if (shallow(n) && shallow(w) && shallow(nw)) corners |= 1;
    if (shallow(n) && shallow(e) && shallow(ne)) corners |= 2;
    if (shallow(s) && shallow(w) && shallow(sw)) corners |= 4;
    if (shallow(s) && shallow(e) && shallow(se)) corners |= 8;
  }
  return corners;
}

int FixedChipId(const TLcfMapLayer& lower, int x, int y, int id, int mask, const TFixupRules& rules) {
  id = PlainChipId(id);
  // Lower chips keep their id; so does anything that is no palette entry at all.
  if (!TakesShape(id)) return id;
  const int cur = ChipIdToIndex(id);
  const int kept = CanonicalMask(ShapeOf(id));
  const int m = (DifferMask(lower, x, y, cur, rules) & mask) | (kept & ~mask);
  int fixed = IndexToChipId(cur) + ShapeFromMask(m);
  if (cur <= 2) fixed += 50 * WaterCorners(lower, x, y, cur, m);
  return fixed;
}

int LayerFixCell(TLcfMapLayer& layer, int x, int y, int id, int mask, bool apply, const TAutotileLinks& links) {
  const TFixupRules rules{links, false};
  const int fixed = FixedChipId(layer, x, y, id, mask, rules);
  if (apply && layer.Contains(x, y) && layer.GetCell(x, y) != fixed) layer.SetCell(x, y, fixed);
  return fixed;
}

void LayerFixAround(TLcfMapLayer& layer, int x, int y, int pen, const TAutotileLinks& links) {
  layer.WrapPoint(x, y);
  if (!layer.Contains(x, y)) return;
  LayerFixCell(layer, x, y, pen, kAllNeighbours, true, links);
  for (const TNeighbourRefix& n : kNeighbourRefix) {
    int nx = x + n.dx, ny = y + n.dy;
    layer.WrapPoint(nx, ny);
    if (layer.Contains(nx, ny)) LayerFixCell(layer, nx, ny, layer.GetCell(nx, ny), n.mask, true, links);
  }
}

int FixUpLayer(TLcfMapLayer& lower, const TFixupRules& rules) {
  int changed = 0;
  for (int y = 0; y < lower.height; ++y)
    for (int x = 0; x < lower.width; ++x) {
      const int id = lower.GetCell(x, y);
      if (!TakesShape(id)) continue;
      const int fixed = FixedChipId(lower, x, y, id, kAllNeighbours, rules);
      if (fixed != id) {
        lower.SetCell(x, y, fixed);
        ++changed;
      }
    }
  return changed;
}

}  // namespace tess
