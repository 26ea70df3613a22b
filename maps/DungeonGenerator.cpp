#include "maps/DungeonGenerator.h"

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

#include "maps/DungeonPalette.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "maps/TileId.h"

namespace tess {

namespace {

// A small permuted congruential generator: the same numbers from the same seed everywhere.
class TDungeonRandom {
 public:
  explicit TDungeonRandom(uint32_t seed) : inc_((uint64_t{seed} << 1) | 1) {
    Next();
    state_ += 0x853c49e6748fea9bULL ^ seed;
    Next();
  }
  uint32_t Next() {
    const uint64_t old = state_;
    state_ = old * 6364136223846793005ULL + inc_;
    const auto xorshifted = static_cast<uint32_t>(((old >> 18) ^ old) >> 27);
    const auto rot = static_cast<uint32_t>(old >> 59);
    return (xorshifted >> rot) | (xorshifted << ((32 - rot) & 31));
  }
  // A uniform integer 0..n-1 (0 for n below 2), without the bias of a plain remainder.
  int Below(int n) {
    if (n <= 1) return 0;
    const auto bound = static_cast<uint32_t>(n);
    const uint32_t threshold = (0u - bound) % bound;
    for (;;) {
      const uint32_t r = Next();
      if (r >= threshold) return static_cast<int>(r % bound);
    }
  }

 private:
  uint64_t state_ = 0;
  uint64_t inc_;
};

// What a cell of the lower work grid holds: ceiling, or one of the floors. The tiles they stand
// for are looked up at the end, so a floor tile that happens to be id 0 still counts as floor.
enum TWorkCell : uint8_t { kCeiling = 0, kFloorA = 1, kFloorB = 2, kFloorC = 3 };

constexpr int kNoRoom = -1;
constexpr int kFirstRoomId = 30000;

// A map-sized grid of small values; reads outside it give `outside`.
template <class T>
class TGrid {
 public:
  TGrid(int width, int height, T fill)
      : width_(width), height_(height), cells_(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  T At(int x, int y, T outside) const { return Inside(x, y) ? cells_[Index(x, y)] : outside; }
  void Set(int x, int y, T v) {
    if (Inside(x, y)) cells_[Index(x, y)] = v;
  }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  size_t Index(int x, int y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
  }
  int width_, height_;
  std::vector<T> cells_;
};

using TWorkGrid = TGrid<uint8_t>;

class TDungeonMaker {
 public:
  TDungeonMaker(TLcfMap& map, const TDungeonSettings& settings, uint32_t seed)
      : map_(map), s_(settings), rnd_(seed), w_(map.lower.width), h_(map.lower.height) {}

  void Run() {
    UpperPass();
    LowerPass();
  }

 private:
  // --- Points

  TCellPoint OffBorder(int x, int y) const { return {std::clamp(x, 1, w_ - 2), std::clamp(y, 1, h_ - 2)}; }

  // The events' cells, random cells, the start positions in place of the random cells that
  // follow the events', shuffled. Each pass draws its own.
  std::vector<TCellPoint> MakePoints() {
    const int events = map_.events.Count();
    const auto count = static_cast<size_t>(DungeonPointCount(w_, h_, events));
    std::vector<TCellPoint> points;
    points.reserve(count);
    for (int i = 0; i < events; ++i) {
      const TLcfEventItem* e = map_.events.ItemAt(i);
      points.push_back(OffBorder(e->x, e->y));
    }
    while (points.size() < count) {
      const int x = 1 + rnd_.Below(w_ - 2);
      const int y = 2 + rnd_.Below(h_ - 3);
      points.push_back({x, y});
    }
    // The skiff, the ship and the airship take the three points after the events', the party the
    // fourth: a party start buried in the ceiling could not move.
    constexpr int kOrder[4] = {TLcfMapStartPosition::kSkiff, TLcfMapStartPosition::kShip,
                               TLcfMapStartPosition::kAirship, TLcfMapStartPosition::kParty};
    for (int k = 0; k < 4; ++k)
      if (const auto& start = s_.starts[static_cast<size_t>(kOrder[k])])
        points[static_cast<size_t>(events + k)] = OffBorder(start->x, start->y);
    const int n = static_cast<int>(points.size());
    for (int i = 0; i < n; ++i) std::swap(points[static_cast<size_t>(i)], points[static_cast<size_t>(rnd_.Below(n))]);
    return points;
  }

  // --- Upper layer

  void UpperPass() {
    TLcfMapLayer& upper = map_.upper;
    upper.Fill();
    if (s_.guideline != kOpenRoomWithObstacles) return;
    TWorkGrid used(w_, h_, 0);
    for (const TCellPoint& p : MakePoints()) used.Set(p.x, p.y, 1);
    const int top = s_.upperWall ? 2 : 1;
    bool place = false;
    for (int y = top; y <= h_ - 3; ++y)
      for (int x = 1; x <= w_ - 3; ++x)
        for (int k = 0; k < 3; ++k) {
          if ((k == 1 && !s_.obstacleB) || (k == 2 && !s_.obstacleC)) continue;
          if (rnd_.Below(32 << k) == 0) place = true;
          const uint16_t* tiles = s_.tiles + 6 + 4 * k;
          const TCellPoint cells[4] = {{x, y}, {x + 1, y}, {x, y + 1}, {x + 1, y + 1}};
          // A tile that is no upper chip (a slot never chosen) is left out like a blank one.
          auto blank = [&](int i) { return tiles[i] == upper.fillValue || !IsUpperChipId(tiles[i]); };
          // The block needs its own cell free, and the cell of each tile it would put down.
          if (used.At(x, y, 1)) place = false;
          for (int i = 1; i < 4; ++i)
            if (!blank(i) && used.At(cells[i].x, cells[i].y, 1)) place = false;
          if (!place) continue;
          for (int i = 0; i < 4; ++i) {
            if (blank(i)) continue;
            upper.SetCell(cells[i].x, cells[i].y, tiles[i]);
            used.Set(cells[i].x, cells[i].y, 1);
          }
        }
  }

  // --- Lower layer: the guidelines

  // Floor A over the straight run of cells between two cells, both included.
  void Carve(TWorkGrid& work, int x0, int y0, int x1, int y1) {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
      for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) work.Set(x, y, kFloorA);
  }

  // Corridors from point to point, each starting from where the last one branched off.
  void ConnectPoints(TWorkGrid& work, const std::vector<TCellPoint>& points) {
    if (points.empty()) return;
    TCellPoint from = points[0];
    for (size_t i = 0; i + 1 < points.size(); ++i) {
      const TCellPoint to = points[i + 1];
      TCellPoint branch = to;
      const bool firstKind = from.x == to.x || from.y == to.y || rnd_.Below(2) == 0;
      if (firstKind) {
        const int row = from.x >= to.x ? to.y : from.y;
        const int column = from.x >= to.x ? from.x : to.x;
        Carve(work, to.x, row, from.x, row);
        Carve(work, column, from.y, column, to.y);
        for (int x = std::min(from.x, to.x); x <= std::max(from.x, to.x); ++x)
          if (rnd_.Below(16) == 15) branch = {x, row};
      } else {
        const int row = from.x >= to.x ? from.y : to.y;
        const int column = from.x >= to.x ? to.x : from.x;
        Carve(work, from.x, row, to.x, row);
        Carve(work, column, from.y, column, to.y);
      }
      from = branch;
    }
  }

  void CarveRoom(TGrid<int32_t>& rooms, int x, int y, int32_t id) {
    const int left = std::max(0, x - rnd_.Below(2) - s_.roomWidth / 2);
    const int top = std::max(0, y - rnd_.Below(2) - s_.roomHeight / 2);
    const int right = std::min(x + rnd_.Below(2) + s_.roomWidth / 2, w_ - 1);
    const int bottom = std::min(y + rnd_.Below(2) + s_.roomHeight / 2, h_ - 1);
    for (int cy = top; cy <= bottom; ++cy)
      for (int cx = left; cx <= right; ++cx) rooms.Set(cx, cy, id);
  }

  void Rooms(TWorkGrid& work, const std::vector<TCellPoint>& points) {
    TGrid<int32_t> rooms(w_, h_, kNoRoom);
    auto mark = [&](int x, int y, int32_t id) {
      const int32_t there = rooms.At(x, y, kNoRoom);
      if (there != kNoRoom && there != id) CarveRoom(rooms, x, y, id);
      rooms.Set(x, y, id);
    };
    for (size_t i = 0; i + 1 < points.size(); ++i) {
      const auto id = static_cast<int32_t>(kFirstRoomId + i);
      const TCellPoint p = points[i], q = points[i + 1];
      for (int x = p.x, step = q.x > p.x ? 1 : -1; x != q.x; x += step) mark(x, p.y, id);
      for (int y = p.y, step = q.y > p.y ? 1 : -1; y != q.y; y += step) mark(q.x, y, id);
    }
    for (size_t i = 0; i < points.size(); ++i)
      CarveRoom(rooms, points[i].x, points[i].y, static_cast<int32_t>(kFirstRoomId + i));
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x)
        if (rooms.At(x, y, kNoRoom) != kNoRoom) work.Set(x, y, kFloorA);
  }

  void SetRing(TWorkGrid& work, uint8_t value) {
    for (int x = 0; x < w_; ++x) {
      work.Set(x, 0, value);
      work.Set(x, h_ - 1, value);
    }
    for (int y = 0; y < h_; ++y) {
      work.Set(0, y, value);
      work.Set(w_ - 1, y, value);
    }
  }

  // One walker of the maze: straight segments until it meets floor.
  void Walk(TWorkGrid& work, int x, int y, int initial, int rowStep, int columnStep) {
    static constexpr int kDx[4] = {0, 1, 0, -1}, kDy[4] = {-1, 0, 1, 0};
    int previous = initial;
    for (bool first = true;; first = false) {
      const int drawn = rnd_.Below(8);
      int heading = drawn > 3 ? initial : drawn;
      if (heading == (previous + 2) % 4) heading = (heading + 1) % 4;
      if (first && heading != initial) return;
      const int length = heading % 2 == 0 ? rowStep : columnStep;
      for (int k = 0; k < length; ++k) {
        const int cx = x + k * kDx[heading], cy = y + k * kDy[heading];
        if (work.At(cx, cy, kFloorA) != kCeiling) return;  // joined floor (or reached the edge)
        work.Set(cx, cy, kFloorA);
      }
      x += length * kDx[heading];
      y += length * kDy[heading];
      previous = heading;
    }
  }

  void Maze(TWorkGrid& work, const std::vector<TCellPoint>& points) {
    SetRing(work, kFloorA);
    const int e = 4;
    const int d = s_.granularity == 0 ? (s_.upperWall ? 8 : 6) : (s_.upperWall ? 6 : 5);
    for (int r = 1; r < h_ - 1; r += d) {
      Walk(work, 1, r, 1, d, e);
      Walk(work, (w_ - 2) / 4 * 4 + 1, r, 3, d, e);
    }
    for (int c = 1; c < w_ - 1; c += 4) {
      Walk(work, c, 1, 2, d, e);
      Walk(work, c, (h_ - 2) / 4 * 4 + 1, 0, d, e);
    }
    ConnectPoints(work, points);
    SetRing(work, kCeiling);
    JoinIslands(work, points);
  }

  // Walkers that met only the temporary border, or each other, leave passages the points do not
  // reach. Each such island is joined to the points' region by the shortest passage through the
  // ceiling (never along the border), so all the maze can be walked.
  void JoinIslands(TWorkGrid& work, const std::vector<TCellPoint>& points) {
    if (points.empty()) return;
    TGrid<uint8_t> reached(w_, h_, 0);
    std::deque<TCellPoint> queue;
    auto flood = [&](TCellPoint start) {
      // Adds the floor region of start to the reached cells.
      std::vector<TCellPoint> stack{start};
      reached.Set(start.x, start.y, 1);
      while (!stack.empty()) {
        const TCellPoint p = stack.back();
        stack.pop_back();
        queue.push_back(p);
        for (const TCellPoint n : {TCellPoint{p.x - 1, p.y}, {p.x + 1, p.y}, {p.x, p.y - 1}, {p.x, p.y + 1}})
          if (work.At(n.x, n.y, kCeiling) != kCeiling && !reached.At(n.x, n.y, 1)) {
            reached.Set(n.x, n.y, 1);
            stack.push_back(n);
          }
      }
    };
    flood(points[0]);
    for (;;) {
      // Breadth first from everything reached, through the inner ceiling, to the nearest island.
      TGrid<int32_t> cameFrom(w_, h_, -1);
      std::deque<TCellPoint> frontier = queue;
      for (const TCellPoint& p : frontier) cameFrom.Set(p.x, p.y, p.y * w_ + p.x);
      std::optional<TCellPoint> island;
      while (!frontier.empty() && !island) {
        const TCellPoint p = frontier.front();
        frontier.pop_front();
        for (const TCellPoint n : {TCellPoint{p.x - 1, p.y}, {p.x + 1, p.y}, {p.x, p.y - 1}, {p.x, p.y + 1}}) {
          if (n.x < 1 || n.y < 1 || n.x > w_ - 2 || n.y > h_ - 2 || cameFrom.At(n.x, n.y, 0) != -1) continue;
          cameFrom.Set(n.x, n.y, p.y * w_ + p.x);
          if (work.At(n.x, n.y, kCeiling) != kCeiling) {
            island = n;
            break;
          }
          frontier.push_back(n);
        }
      }
      if (!island) return;
      // Carve the way back from the island to the reached region.
      for (int at = cameFrom.At(island->x, island->y, -1);;) {
        const int x = at % w_, y = at / w_;
        if (reached.At(x, y, 1)) break;
        work.Set(x, y, kFloorA);
        reached.Set(x, y, 1);
        queue.push_back({x, y});
        at = cameFrom.At(x, y, -1);
      }
      flood(*island);
    }
  }

  void OpenRoom(TWorkGrid& work) {
    const int top = s_.upperWall ? 2 : 1;
    for (int y = top; y < h_; ++y)
      for (int x = 1; x < w_; ++x) work.Set(x, y, kFloorA);
  }

  // --- Lower layer: finishing

  uint16_t TileOf(uint8_t cell) const {
    switch (cell) {
      case kFloorB:
        return s_.floorB ? s_.tiles[kSlotFloorB] : s_.tiles[kSlotFloorA];
      case kFloorC:
        return s_.floorC ? s_.tiles[kSlotFloorC] : s_.tiles[kSlotFloorA];
      case kFloorA:
        return s_.tiles[kSlotFloorA];
      default:
        return s_.tiles[kSlotCeiling];
    }
  }

  void Place(int x, int y, int tile) { LayerFixAround(map_.lower, x, y, tile, s_.links); }

  // The cells of the outer ring that stay floor under a surrounding wall: every event and start
  // position on the ring, and the ring cell that joins it to its point inside.
  std::vector<TCellPoint> KeptRingCells() const {
    std::vector<TCellPoint> kept;
    auto keep = [&](int x, int y) {
      if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
      if (x != 0 && y != 0 && x != w_ - 1 && y != h_ - 1) return;
      const TCellPoint point = OffBorder(x, y);
      kept.push_back({x, y});
      kept.push_back({point.x, y});
    };
    for (int i = 0; i < map_.events.Count(); ++i) keep(map_.events.ItemAt(i)->x, map_.events.ItemAt(i)->y);
    for (const auto& start : s_.starts)
      if (start) keep(start->x, start->y);
    return kept;
  }

  void LowerPass() {
    TLcfMapLayer& lower = map_.lower;
    const uint16_t ceiling = s_.tiles[kSlotCeiling];
    std::fill(lower.cells.begin(), lower.cells.end(), ceiling);
    TWorkGrid work(w_, h_, kCeiling);
    const std::vector<TCellPoint> points = MakePoints();
    switch (s_.guideline) {
      case kRoomsLinkedWithPassages:
        Rooms(work, points);
        break;
      case kMazeLikePassages:
        Maze(work, points);
        break;
      case kOpenRoomWithObstacles:
        OpenRoom(work);
        break;
      default:
        ConnectPoints(work, points);
        break;
    }

    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) Place(x, y, ceiling);
    if (s_.granularity == 1) {
      // Passages grow by one cell to the west, then to the north.
      for (int y = 1; y < h_; ++y)
        for (int x = 1; x < w_ - 1; ++x)
          if (const uint8_t east = work.At(x + 1, y, kCeiling)) work.Set(x, y, east);
      for (int y = 1; y < h_ - 1; ++y)
        for (int x = 1; x < w_; ++x)
          if (const uint8_t south = work.At(x, y + 1, kCeiling)) work.Set(x, y, south);
    }
    for (const TCellPoint& p : points)
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (dx || dy) work.Set(p.x + dx, p.y + dy, kFloorA);
    if (s_.surround) {
      SetRing(work, kCeiling);
      for (const TCellPoint& p : KeptRingCells()) work.Set(p.x, p.y, kFloorA);
    }
    for (const TCellPoint& p : points) work.Set(p.x, p.y, kFloorA);
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        if (work.At(x, y, kCeiling) != kFloorA) continue;
        const int r = rnd_.Below(16);
        if (r >= 1 && r <= 3)
          work.Set(x, y, kFloorB);
        else if (r == 4)
          work.Set(x, y, kFloorC);
      }
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x)
        if (const uint8_t cell = work.At(x, y, kCeiling)) Place(x, y, TileOf(cell));
    Walls(work);
  }

  // Walls above every floor that has ceiling above it; a gap of one cell between floors becomes
  // floor instead, and so does a gap of two when the upper wall is used.
  void Walls(const TWorkGrid& work) {
    auto ceilingAt = [&](int x, int y) { return work.At(x, y, kCeiling) == kCeiling; };
    for (int y = 1; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        if (ceilingAt(x, y) || !ceilingAt(x, y - 1)) continue;
        if (y >= 2 && !ceilingAt(x, y - 2)) {
          Place(x, y - 1, s_.tiles[kSlotFloorA]);
          continue;
        }
        Place(x, y - 1, s_.tiles[kSlotLowerWall]);
        if (!s_.upperWall || y < 2) continue;
        if (y >= 3 && !ceilingAt(x, y - 3)) {
          Place(x, y - 1, s_.tiles[kSlotFloorA]);
          Place(x, y - 2, s_.tiles[kSlotFloorA]);
        } else {
          Place(x, y - 2, s_.tiles[kSlotUpperWall]);
        }
      }
  }

  TLcfMap& map_;
  const TDungeonSettings& s_;
  TDungeonRandom rnd_;
  const int w_, h_;
};

}  // namespace

TDungeonSettings DungeonSettingsOf(const TLcfMap& map, const TLcfMapStartPosition& starts,
                                   const TAutotileLinks& links) {
  TDungeonSettings s;
  s.guideline = std::clamp<int>(map.generatorStyle, kSingleWindingPassage, kOpenRoomWithObstacles);
  s.granularity = map.passageSize == 1 ? 1 : 0;
  // A room is at least one cell wide and high whatever a file says.
  s.roomWidth = std::max<int>(1, map.roomWidth);
  s.roomHeight = std::max<int>(1, map.roomHeight);
  s.surround = map.surroundWithWalls != 0;
  s.upperWall = map.useUpperWall != 0;
  s.floorB = map.useFloorB != 0;
  s.floorC = map.useFloorC != 0;
  s.obstacleB = map.useObstacleB != 0;
  s.obstacleC = map.useObstacleC != 0;
  std::copy(std::begin(map.generatorTiles), std::end(map.generatorTiles), s.tiles);
  if (map.Id() > 0)
    for (int slot = 0; slot < TLcfMapStartPosition::kSlotCount; ++slot)
      if (starts.MapId(slot) == map.Id())
        s.starts[static_cast<size_t>(slot)] = TCellPoint{starts.X(slot), starts.Y(slot)};
  s.links = links;
  return s;
}

int DungeonPointCount(int width, int height, int events) { return events + (width + height) / 100 + 5; }

bool GenerateDungeon(TLcfMap& map, const TDungeonSettings& settings, uint32_t seed) {
  const TLcfMapLayer& lower = map.lower;
  const size_t cells = static_cast<size_t>(std::max(0, lower.width)) * static_cast<size_t>(std::max(0, lower.height));
  if (lower.width < 4 || lower.height < 4 || map.upper.width != lower.width || map.upper.height != lower.height ||
      lower.cells.size() != cells || map.upper.cells.size() != cells)
    return false;
  TDungeonMaker(map, settings, seed).Run();
  return true;
}

}  // namespace tess
