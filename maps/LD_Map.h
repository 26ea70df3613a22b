#pragma once
// A map: a rectangle of tiles on a lower and an upper layer plus the events placed on it, with its
// tileset, wrapping, panorama and random-dungeon settings. It is stored as "Map%.4d.lmu" in the
// project folder, or as a work copy of the same name in the scratch folder while it has edits the
// map tree has not committed yet.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Catalog.h"
#include "core/LoadDamage.h"
#include "core/ProjectFolder.h"
#include "events/LD_Event.h"

namespace tess {

class TLcfMap;

inline constexpr const char* kMapMagic = "LcfMapUnit";
// Most cells a layer may have; a file that claims more is damaged.
inline constexpr int64_t kMaxMapCells = int64_t{1} << 24;

// An allocator whose growth leaves new cells uninitialised, so loading a layer writes each cell once
// (from the file, or with the blank value), as a plain copy would.
template <class T>
struct TNoInitAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = TNoInitAllocator<U>;
  };
  TNoInitAllocator() = default;
  template <class U>
  TNoInitAllocator(const TNoInitAllocator<U>&) {}
  template <class U>
  void construct(U* p) {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

using TLayerCells = std::vector<uint16_t, TNoInitAllocator<uint16_t>>;

// Makes to a copy of from as one block copy (a plain assignment would construct cell by cell).
inline void CopyCells(const TLayerCells& from, TLayerCells& to) {
  to.resize(from.size());
  std::copy(from.data(), from.data() + from.size(), to.data());
}

// v brought into 0..size-1 by whole turns (a non-negative remainder); size must be positive.
constexpr int WrapCoordinate(int v, int size) {
  int r = v % size;
  return r < 0 ? r + size : r;
}

// "Map%.4d.lmu" for a map id.
std::string MapFileName(int32_t id);
// The path of name in folder: the entry already there under any case (so a file keeps its
// spelling when it is saved again), else folder + name.
std::string PathInFolder(const std::string& folder, const std::string& name);

// One tile layer. Cells are 16-bit tile ids, row by row from the top; they are kept, read and
// written as one block.
class TLcfMapLayer {
 public:
  TLcfMapLayer(TLcfMap* owner, uint16_t fill) : fillValue(fill), map(owner) {}

  int32_t width = 0;
  int32_t height = 0;
  bool loopH = false;
  bool loopV = false;
  TLayerCells cells;
  uint16_t fillValue;  // a blank cell: 0 on the lower layer, 10000 on the upper
  TLcfMap* map;

  // The cell at (x, y). Outside the layer a looping direction wraps around; what is still outside
  // reads -1.
  int GetCell(int x, int y) const {
    WrapPoint(x, y);
    if (!Contains(x, y)) return -1;
    return cells[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
  // Ignored outside the layer (no wrapping).
  void SetCell(int x, int y, int id);
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  // Wraps x into the layer when it loops horizontally and y when it loops vertically.
  void WrapPoint(int& x, int& y) const {
    if (loopH && width > 0 && (x < 0 || x >= width)) x = WrapCoordinate(x, width);
    if (loopV && height > 0 && (y < 0 || y >= height)) y = WrapCoordinate(y, height);
  }

  // New size; the top-left rectangle common to both sizes keeps its cells, the rest is blank.
  // Negative sizes count as 0.
  void Resize(int w, int h);
  void SetWidth(int w) { Resize(w, height); }
  void SetHeight(int h) { Resize(width, h); }
  void Fill();
  // Same size, cells, loop flags and blank value as the other layer.
  void Assign(const TLcfMapLayer& layer);
  // 20 x 15 blank cells.
  void Reset();

 private:
  friend class TLcfMap;
  // Sizes the layer to w x h blank cells without keeping any.
  void SetBlank(int w, int h);
  // Loading: sizes the layer to w x h and takes the layer chunk id when it holds exactly that many
  // cells, else leaves the layer blank; a chunk of another size is damage.
  void ReadCells(TCatalogVarData& v, int id, int w, int h);
};

// The part of a map unit that knows about files: loading and saving, in the project folder or as
// a work copy in the scratch folder. The file does not store the map's id; its name does. Whether
// a map has unsaved edits is the document's to know (its undo history), not the map's.
class TLcfBaseMapUnit : public TCatalogItem {
 public:
  // Loads the file (magic "LcfMapUnit", then the record, which ends with the file). Any failure
  // raises: a missing file EFileError, another kind of file EWrongMagic, damage EDamagedData
  // naming the file, the chunk path and the offset; the map is then reset, so it never holds half
  // of a file. In quiet mode damage and another kind of file raise nothing: the map keeps what
  // could be read (a file of another kind leaves it reset), and LoadDamage() holds the error. A
  // missing or unreadable file raises in every mode.
  virtual void LoadFromFile(const std::string& path);
  // Writes the file atomically. A failed write raises and leaves the old file. The file a damaged
  // load came from is refused (EFileError) until the damage is cleared.
  virtual void SaveToFile(const std::string& path);

  // Parsing and producing the file's bytes, with no side effects on counters. Damage raises and
  // leaves the map reset.
  void LoadFromBytes(const Bytes& data);
  Bytes SaveToBytes();

  // The damage the last load of a file let pass (quiet mode); empty after a clean load.
  const TLoadDamage& LoadDamage() const { return damage_; }
  // The author's choice to keep what a damaged load could read: the map may then be saved over its
  // file again.
  void ClearLoadDamage() { damage_.Clear(); }

  // The same in a folder, under the file name of a map id (found whatever its case on disk, and
  // saved under the name already there). Each sets the map's id afterwards, also when it fails.
  void LoadFromProject(const std::string& projectFolder, int32_t id);
  void SaveToProject(const std::string& projectFolder, int32_t id);
  void LoadWorkCopy(const std::string& scratchFolder, int32_t id);
  void SaveWorkCopy(const std::string& scratchFolder, int32_t id);
  // A missing file is ignored.
  static void DeleteProjectFile(const std::string& projectFolder, int32_t id);
  static void DeleteWorkCopy(const std::string& scratchFolder, int32_t id);
  // The same in the process-wide ProjectFolder() and ScratchFolder().
  void LoadFromProject(int32_t id) { LoadFromProject(ProjectFolder(), id); }
  void SaveToProject(int32_t id) { SaveToProject(ProjectFolder(), id); }
  void LoadWorkCopy(int32_t id) { LoadWorkCopy(ScratchFolder(), id); }
  void SaveWorkCopy(int32_t id) { SaveWorkCopy(ScratchFolder(), id); }
  static void DeleteProjectFile(int32_t id) { DeleteProjectFile(ProjectFolder(), id); }
  static void DeleteWorkCopy(int32_t id) { DeleteWorkCopy(ScratchFolder(), id); }

 private:
  TLoadDamage damage_;
};

class TLcfMap : public TLcfBaseMapUnit {
 public:
  TLcfMap();

  int32_t tilesetId{};
  int32_t width{};
  int32_t height{};
  uint8_t scrollType{};  // 0 none, 1 vertical, 2 horizontal, 3 both
  uint8_t usePanorama{};
  std::string panoramaName;
  uint8_t panoramaScrollH{};
  uint8_t panoramaScrollV{};
  uint8_t panoramaAutoH{};
  int32_t panoramaSpeedH{};
  uint8_t panoramaAutoV{};
  int32_t panoramaSpeedV{};
  uint8_t useGenerator{};
  int32_t generatorStyle{};
  uint8_t topLevel{};
  int32_t generatorValueA{};
  int32_t generatorValueB{};
  int32_t generatorChoice1{};
  int32_t generatorChoice2{};
  int32_t generatorChoice3{};
  int32_t passageSize{};
  int32_t roomWidth{};
  int32_t roomHeight{};
  uint8_t surroundWithWalls{};
  uint8_t useUpperWall{};
  uint8_t useFloorB{};
  uint8_t useFloorC{};
  uint8_t useObstacleB{};
  uint8_t useObstacleC{};
  int32_t generatorChips[9] = {};
  int32_t generatorChipVariants[9] = {};
  uint16_t generatorTiles[18] = {};
  TLcfMapLayer lower{this, 0};
  TLcfMapLayer upper{this, 10000};
  TLcfEvent events;
  int32_t saveCount{};

  // Answers whether a tileset id names a tileset of the database; a map that names none gets
  // tileset 1 when it is loaded from a file or refreshed. Without it every id is accepted.
  std::function<bool(int32_t)> tilesetExists;

  // Resize both layers and set the field.
  void SetWidth(int w);
  void SetHeight(int h);
  // Sets the field and both layers' loop flags.
  void SetScrollType(int type);
  // The state shown when no map is selected: id 0, 0 x 0 cells, no events, tileset 0.
  void Unload();
  // Replaces a tileset id that names no tileset by 1.
  void RefreshTileset();
  // Moves both layers and every event by (dx, dy) cells, wrapping round the map's edges: a cell
  // (x, y) takes what stood at (x - dx, y - dy). Any offset works, negative ones included.
  void ShiftMap(int dx, int dy);

  // Loads as the base does, then applies the tileset check. A failed load leaves the map unloaded.
  void LoadFromFile(const std::string& path) override;
  // Adds 1 to saveCount, then saves; the count is restored when the write fails. An unloaded map
  // (0 x 0) is refused: its file could not be read back.
  void SaveToFile(const std::string& path) override;

  void DescribeChunks(TCatalogVarData& v) override;

 protected:
  void AfterLoad() override;

 private:
  void WriteLayer(TCatalogVarData& v, int id, const TLcfMapLayer& layer) const;
};

// One line about a map: its size, tileset, wrapping, events and saves.
std::string DescribeMap(const TLcfMap& map);

}  // namespace tess
