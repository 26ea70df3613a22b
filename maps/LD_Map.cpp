#include "maps/LD_Map.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/AtomicFile.h"
#include "core/CountText.h"
#include "core/PathUtils.h"
#include "core/QuietMode.h"

namespace tess {

std::string MapFileName(int32_t id) {
  char name[32];
  std::snprintf(name, sizeof name, "Map%.4d.lmu", static_cast<int>(id));
  return name;
}

std::string PathInFolder(const std::string& folder, const std::string& name) {
  if (std::optional<std::string> found = FindNameNoCase(folder, name)) return *found;
  return WithTrailingBackslash(folder) + name;
}

// ---------------------------------------------------------------------------------------------
// Layers

void TLcfMapLayer::SetCell(int x, int y, int id) {
  if (!Contains(x, y)) return;
  cells[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = static_cast<uint16_t>(id);
}

void TLcfMapLayer::Resize(int w, int h) {
  w = std::max(0, w);
  h = std::max(0, h);
  if (w == width) {
    // Rows stay where they are: only the end changes.
    cells.resize(static_cast<size_t>(w) * static_cast<size_t>(h), fillValue);
    height = h;
    return;
  }
  TLayerCells resized(static_cast<size_t>(w) * static_cast<size_t>(h), fillValue);
  int keepW = std::min(w, width), keepH = std::min(h, height);
  for (int y = 0; y < keepH; ++y)
    std::copy_n(cells.begin() + static_cast<ptrdiff_t>(y) * width, keepW,
                resized.begin() + static_cast<ptrdiff_t>(y) * w);
  cells = std::move(resized);
  width = w;
  height = h;
}

void TLcfMapLayer::SetBlank(int w, int h) {
  width = std::max(0, w);
  height = std::max(0, h);
  cells.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fillValue);
}

void TLcfMapLayer::Fill() { std::fill(cells.begin(), cells.end(), fillValue); }

void TLcfMapLayer::Assign(const TLcfMapLayer& layer) {
  if (&layer == this) return;
  width = layer.width;
  height = layer.height;
  loopH = layer.loopH;
  loopV = layer.loopV;
  cells = layer.cells;
  fillValue = layer.fillValue;
}

void TLcfMapLayer::Reset() { SetBlank(20, 15); }

void TLcfMapLayer::ReadCells(TCatalogVarData& v, int id, int w, int h) {
  width = w;
  height = h;
  // Every cell is overwritten below, by the chunk or by the blank value; an object that is loaded
  // again keeps its memory.
  const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
  cells.resize(count);
  // The chunk is taken only when its size is exactly the layer's: the descriptor offers it through
  // resize first, and copies as many bytes as the block then says it holds.
  struct TTarget {
    TLcfMapLayer* layer;
    size_t bytes;
    bool taken;
  } target{this, count * sizeof(uint16_t), false};
  TBlockRef ref{&target,
                [](void* o) {
                  auto* t = static_cast<TTarget*>(o);
                  return t->taken ? t->bytes : size_t{0};
                },
                [](void* o) { return reinterpret_cast<uint8_t*>(static_cast<TTarget*>(o)->layer->cells.data()); },
                [](void* o, size_t bytes) {
                  auto* t = static_cast<TTarget*>(o);
                  t->taken = bytes == t->bytes;
                },
                nullptr,
                0,
                TElement::U16};
  v.Block(id, ref);
  if (target.taken) return;
  Fill();
  // A layer is always written with the map's size: one of another size is damage, reported once
  // the rest of the map (its events) has been read.
  v.RequireSize(
      id, target.bytes,
      "a map of " + std::to_string(w) + " x " + std::to_string(h) + " cells takes " + std::to_string(target.bytes));
}

// ---------------------------------------------------------------------------------------------
// Map unit files

void TLcfBaseMapUnit::LoadFromBytes(const Bytes& data) {
  damage_.Clear();
  try {
    LoadRecordBytes(data, kMapMagic, *this);
  } catch (...) {
    Reset();
    throw;
  }
}

Bytes TLcfBaseMapUnit::SaveToBytes() { return SaveRecordBytes(kMapMagic, *this); }

void TLcfBaseMapUnit::LoadFromFile(const std::string& path) {
  Bytes data;
  try {
    data = ReadWholeFile(path);
  } catch (...) {
    damage_.Clear();
    Reset();
    throw;
  }
  try {
    LoadFromBytes(data);
    return;
  } catch (EDamagedData& e) {
    e.SetFile(path);
    if (!QuietMode()) throw;
    // Quiet mode keeps what could be read, with the damage noted: read again, keeping it.
    try {
      LoadRecordBytes(data, kMapMagic, *this);
    } catch (const EReadError&) {
    }
    damage_.Set(std::current_exception(), e.what(), path);
  } catch (const EReadError& e) {
    // A file of another kind: the map stays reset.
    if (!QuietMode()) throw;
    damage_.Set(std::current_exception(), e.what(), path);
  }
}

void TLcfBaseMapUnit::SaveToFile(const std::string& path) {
  damage_.RefuseToOverwrite(path);
  WriteFileAtomic(path, SaveToBytes());
}

namespace {

// Runs a file operation and sets the map's id afterwards, whether it succeeded or not.
template <class Op>
void WithId(TLcfBaseMapUnit& map, int32_t id, Op op) {
  try {
    op();
  } catch (...) {
    map.SetId(id);
    throw;
  }
  map.SetId(id);
}

void DeleteIfPresent(const std::string& folder, int32_t id) {
  std::optional<std::string> path = FindNameNoCase(folder, MapFileName(id));
  if (path && ::unlink(path->c_str()) != 0 && errno != ENOENT)
    throw EFileError("Cannot delete file \"" + *path + "\". " + std::strerror(errno));
}

}  // namespace

void TLcfBaseMapUnit::LoadFromProject(const std::string& projectFolder, int32_t id) {
  WithId(*this, id, [&] { LoadFromFile(PathInFolder(projectFolder, MapFileName(id))); });
}

void TLcfBaseMapUnit::SaveToProject(const std::string& projectFolder, int32_t id) {
  WithId(*this, id, [&] { SaveToFile(PathInFolder(projectFolder, MapFileName(id))); });
}

void TLcfBaseMapUnit::LoadWorkCopy(const std::string& scratchFolder, int32_t id) {
  WithId(*this, id, [&] { LoadFromFile(PathInFolder(scratchFolder, MapFileName(id))); });
}

void TLcfBaseMapUnit::SaveWorkCopy(const std::string& scratchFolder, int32_t id) {
  WithId(*this, id, [&] { SaveToFile(PathInFolder(scratchFolder, MapFileName(id))); });
}

void TLcfBaseMapUnit::DeleteProjectFile(const std::string& projectFolder, int32_t id) {
  DeleteIfPresent(projectFolder, id);
}

void TLcfBaseMapUnit::DeleteWorkCopy(const std::string& scratchFolder, int32_t id) {
  DeleteIfPresent(scratchFolder, id);
}

// ---------------------------------------------------------------------------------------------
// Map

TLcfMap::TLcfMap() { Reset(); }

namespace {

// The map whose load is under way, and whether it has read its layers. A load that fails resets
// the fields after the one where it stopped: the layers then stay as read, or become blank at the
// map's size when the load stopped before them.
struct TMapLoadState {
  const TLcfMap* map = nullptr;
  bool layersRead = false;
};
thread_local TMapLoadState mapLoad;

}  // namespace

void TLcfMap::DescribeChunks(TCatalogVarData& v) {
  v.Integer(1, tilesetId, 1);
  v.Integer(2, width, 20);
  v.Integer(3, height, 15);
  v.Byte(11, scrollType);
  v.Flag(31, usePanorama, 0);
  v.String(32, panoramaName);
  v.Flag(33, panoramaScrollH, 0);
  v.Flag(34, panoramaScrollV, 0);
  v.Flag(35, panoramaAutoH, 0);
  v.Integer(36, panoramaSpeedH, 0);
  v.Flag(37, panoramaAutoV, 0);
  v.Integer(38, panoramaSpeedV, 0);
  v.Flag(40, useGenerator, 0);
  v.Integer(41, generatorStyle, 0);
  v.Flag(42, topLevel, 0);
  v.Integer(43, generatorValueA, 0);
  v.Integer(44, generatorValueB, 0);
  v.Integer(45, generatorChoice1, 0);
  v.Integer(46, generatorChoice2, 0);
  v.Integer(47, generatorChoice3, 0);
  v.Integer(48, passageSize, 0);
  v.Integer(49, roomWidth, 4);
  // Omitted at 1, though a reset map has 2: a reset map writes it.
  v.Integer(50, roomHeight, 1, 2);
  v.Flag(51, surroundWithWalls, 1);
  v.Flag(52, useUpperWall, 1);
  v.Flag(53, useFloorB, 1);
  v.Flag(54, useFloorC, 1);
  v.Flag(55, useObstacleB, 1);
  v.Flag(56, useObstacleC, 1);
  v.FixedArray(60, generatorChips);
  v.FixedArray(61, generatorChipVariants);
  v.FixedArray(62, generatorTiles);
  if (v.Reading()) {
    mapLoad = {this, false};
    // The size chunks come first. The layers take exactly width x height cells: a layer chunk of
    // any other size leaves the layer blank and is reported as damage.
    if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxMapCells) {
      const std::string problem =
          "the map's size, " + std::to_string(width) + " x " + std::to_string(height) + ", is not one a map can have";
      // What a lenient load keeps is a whole map: the layers are reset to the reset size.
      width = 20;
      height = 15;
      throw EDamagedData(problem, -1);
    }
    lower.ReadCells(v, 71, width, height);
    upper.ReadCells(v, 72, width, height);
    mapLoad.layersRead = true;
  } else if (v.Writing()) {
    WriteLayer(v, 71, lower);
    WriteLayer(v, 72, upper);
  } else if (mapLoad.map == this) {
    // The rest of a load that failed: what it read stays.
    if (!mapLoad.layersRead) {
      lower.SetBlank(width, height);
      upper.SetBlank(width, height);
    }
    SetScrollType(scrollType);
  } else {
    lower.Reset();
    upper.Reset();
    SetScrollType(scrollType);
  }
  v.List(81, events);
  v.Integer(91, saveCount, 0);
}

void TLcfMap::WriteLayer(TCatalogVarData& v, int id, const TLcfMapLayer& layer) const {
  // A layer always has the map's size when it is edited through the map; one whose size fields
  // were set directly is written as it would be resized, without changing it.
  if (layer.width == width && layer.height == height)
    return v.Fixed(id, const_cast<uint16_t*>(layer.cells.data()), layer.cells.size() * sizeof(uint16_t), nullptr,
                   nullptr, TElement::U16);
  TLcfMapLayer sized(nullptr, layer.fillValue);
  sized.Assign(layer);
  sized.Resize(width, height);
  v.Fixed(id, sized.cells.data(), sized.cells.size() * sizeof(uint16_t), nullptr, nullptr, TElement::U16);
}

void TLcfMap::AfterLoad() {
  if (mapLoad.map == this) mapLoad = {};
  SetScrollType(scrollType);
}

void TLcfMap::SetWidth(int w) {
  lower.SetWidth(w);
  upper.SetWidth(w);
  width = lower.width;
}

void TLcfMap::SetHeight(int h) {
  lower.SetHeight(h);
  upper.SetHeight(h);
  height = lower.height;
}

void TLcfMap::SetScrollType(int type) {
  scrollType = static_cast<uint8_t>(type);
  bool h = type == 2 || type == 3;
  bool vert = type == 1 || type == 3;
  lower.loopH = upper.loopH = h;
  lower.loopV = upper.loopV = vert;
}

void TLcfMap::Unload() {
  ClearLoadDamage();
  SetId(0);
  lower.SetBlank(0, 0);
  upper.SetBlank(0, 0);
  width = height = 0;
  events.Clear();
  tilesetId = 0;
}

void TLcfMap::ShiftMap(int dx, int dy) {
  const int w = lower.width, h = lower.height;
  if (w <= 0 || h <= 0) return;
  for (TLcfMapLayer* layer : {&lower, &upper}) {
    if (layer->cells.size() != static_cast<size_t>(w) * static_cast<size_t>(h)) continue;
    TLayerCells from;
    CopyCells(layer->cells, from);
    for (int y = 0; y < h; ++y) {
      const size_t src = static_cast<size_t>(WrapCoordinate(y - dy, h)) * static_cast<size_t>(w);
      for (int x = 0; x < w; ++x)
        layer->cells[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
            from[src + static_cast<size_t>(WrapCoordinate(x - dx, w))];
    }
  }
  for (int i = 0; i < events.Count(); ++i) {
    TLcfEventItem* e = events.ItemAt(i);
    e->x = WrapCoordinate(e->x + dx, w);
    e->y = WrapCoordinate(e->y + dy, h);
  }
}

void TLcfMap::RefreshTileset() {
  if (tilesetExists && !tilesetExists(tilesetId)) tilesetId = 1;
}

void TLcfMap::LoadFromFile(const std::string& path) {
  try {
    TLcfBaseMapUnit::LoadFromFile(path);
  } catch (...) {
    Unload();
    throw;
  }
  RefreshTileset();
}

void TLcfMap::SaveToFile(const std::string& path) {
  if (width <= 0 || height <= 0) throw EFileError("Cannot write file \"" + path + "\". The map has no cells.");
  ++saveCount;
  try {
    TLcfBaseMapUnit::SaveToFile(path);
  } catch (...) {
    --saveCount;
    throw;
  }
}

std::string DescribeMap(const TLcfMap& map) {
  static const char* const scroll[] = {"none", "vertical", "horizontal", "both"};
  int pages = 0, lines = 0;
  for (int i = 0; i < map.events.Count(); ++i) {
    const TLcfEventItem* e = map.events.ItemAt(i);
    pages += e->pages.Count();
    for (int p = 0; p < e->pages.Count(); ++p) lines += e->pages.ItemAt(p)->lines.Count();
  }
  char text[128];
  std::snprintf(text, sizeof text, "%d x %d cells, tileset %d, wrapping %s, ", map.width, map.height, map.tilesetId,
                map.scrollType < 4 ? scroll[map.scrollType] : "?");
  return text + CountText(map.events.Count(), "event", "events") + " (" + CountText(pages, "page", "pages") + ", " +
         CountText(lines, "script line", "script lines") + "), saved " + CountText(map.saveCount, "time", "times");
}

}  // namespace tess
