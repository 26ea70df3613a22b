#include "project/WorkRecovery.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/FolderTree.h"
#include "core/PathUtils.h"
#include "core/ScratchFolder.h"
#include "maps/LD_Map.h"
#include "project/ProjectDocument.h"

namespace tess {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUnsavedFolder = "Unsaved/";
constexpr const char* kLeftFolder = "Left/";
constexpr const char* kDatabaseName = "TESS_RT.ldb";
constexpr const char* kTreeName = "TESS_RT.lmt";

std::string Unsaved(const std::string& scratchFolder) { return WithTrailingBackslash(scratchFolder) + kUnsavedFolder; }

int64_t ModifiedTime(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? static_cast<int64_t>(st.st_mtime) : 0;
}

// The project's file name (found under any case, as loading finds it) was saved after the work was
// kept: the work started from an older state of it, or from another map that had the same id, and
// adopting it would bring back what the save replaced.
bool SavedSince(const std::string& projectFolder, const std::string& name, int64_t keptTime) {
  return ModifiedTime(PathInFolder(projectFolder, name)) > keptTime;
}

// Moves from into to (same file system); false when it could not.
bool Move(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  return !ec;
}

bool HoldsWork(const std::string& folder) {
  return !FindLeftWorkCopies(folder).empty() || !FindLeftWorkCopies(folder + kUnsavedFolder).empty() ||
         IsFile(folder + kUnsavedFolder + kDatabaseName);
}

TLeftWork ReadSet(const std::string& folder) {
  TLeftWork set;
  set.folder = folder;
  set.projectFolder = WithTrailingBackslash(NotedScratchProject(folder));
  std::vector<TLeftMap> maps;
  for (const TLeftWorkCopy& c : FindLeftWorkCopies(folder + kUnsavedFolder))
    maps.push_back({c.mapId, c.path, c.modifiedTime, true});
  std::set<int32_t> taken;
  for (const TLeftMap& m : maps) taken.insert(m.mapId);
  // A stored work copy is older than the same map's unsaved edits, which started from it.
  for (const TLeftWorkCopy& c : FindLeftWorkCopies(folder))
    if (taken.insert(c.mapId).second) maps.push_back({c.mapId, c.path, c.modifiedTime, false});
  std::sort(maps.begin(), maps.end(), [](const TLeftMap& a, const TLeftMap& b) { return a.mapId < b.mapId; });
  set.maps = std::move(maps);
  const std::string database = folder + kUnsavedFolder + kDatabaseName;
  if (IsFile(database)) {
    set.databasePath = database;
    set.databaseTime = ModifiedTime(database);
  }
  if (IsFile(folder + kUnsavedFolder + kTreeName)) set.treePath = folder + kUnsavedFolder + kTreeName;
  return set;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Keeping

void KeepUnsavedMap(const std::string& scratchFolder, TLcfMap& map) {
  if (scratchFolder.empty() || map.Id() <= 0) return;
  const std::string folder = Unsaved(scratchFolder);
  fs::create_directories(folder);
  // One map is current at a time: the copies of maps left since are stored work copies now.
  for (const TLeftWorkCopy& c : FindLeftWorkCopies(folder))
    if (c.mapId != map.Id()) std::remove(c.path.c_str());
  WriteFileAtomic(folder + MapFileName(map.Id()), map.SaveToBytes());
}

void KeepUnsavedDatabase(const std::string& scratchFolder, const Bytes& database) {
  if (scratchFolder.empty()) return;
  const std::string folder = Unsaved(scratchFolder);
  fs::create_directories(folder);
  WriteFileAtomic(folder + kDatabaseName, database);
}

void DropUnsavedMaps(const std::string& scratchFolder) {
  if (scratchFolder.empty()) return;
  for (const TLeftWorkCopy& c : FindLeftWorkCopies(Unsaved(scratchFolder))) std::remove(c.path.c_str());
}

void DropUnsavedDatabase(const std::string& scratchFolder) {
  if (!scratchFolder.empty()) std::remove((Unsaved(scratchFolder) + kDatabaseName).c_str());
}

void KeepUnsavedTree(const std::string& scratchFolder, const Bytes& tree) {
  if (scratchFolder.empty()) return;
  const std::string folder = Unsaved(scratchFolder);
  fs::create_directories(folder);
  WriteFileAtomic(folder + kTreeName, tree);
}

void DropUnsavedTree(const std::string& scratchFolder) {
  if (!scratchFolder.empty()) std::remove((Unsaved(scratchFolder) + kTreeName).c_str());
}

// ---------------------------------------------------------------------------------------------
// After a crash

int64_t TLeftWork::Time() const {
  int64_t time = databaseTime;
  for (const TLeftMap& m : maps) time = std::max(time, m.modifiedTime);
  return time;
}

std::vector<TLeftWork> CollectLeftWork(const std::string& scratchFolder) {
  std::vector<TLeftWork> sets;
  if (scratchFolder.empty()) return sets;
  const std::string scratch = WithTrailingBackslash(scratchFolder);
  const std::string left = scratch + kLeftFolder;
  if (HoldsWork(scratch)) {
    // A folder of its own, named after the time it was found.
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::string folder;
    for (int n = 0; folder.empty() || fs::exists(folder); ++n)
      folder = left + std::to_string(std::chrono::duration_cast<std::chrono::seconds>(now).count()) + "-" +
               std::to_string(n) + "/";
    fs::create_directories(folder + kUnsavedFolder);
    for (const TLeftWorkCopy& c : FindLeftWorkCopies(scratch))
      Move(c.path, folder + fs::path(c.path).filename().string());
    for (const TLeftWorkCopy& c : FindLeftWorkCopies(scratch + kUnsavedFolder))
      Move(c.path, folder + kUnsavedFolder + fs::path(c.path).filename().string());
    Move(scratch + kUnsavedFolder + kDatabaseName, folder + kUnsavedFolder + kDatabaseName);
    Move(scratch + kUnsavedFolder + kTreeName, folder + kUnsavedFolder + kTreeName);
    std::error_code ec;
    fs::copy_file(scratch + kScratchProjectNote, folder + kScratchProjectNote, ec);
  }
  for (const std::string& name : ListFolder(left)) {
    const std::string folder = left + name + "/";
    if (!IsFolder(folder)) continue;
    TLeftWork set = ReadSet(folder);
    if (set.Empty())
      DeleteFolderTree(folder);
    else
      sets.push_back(std::move(set));
  }
  std::stable_sort(sets.begin(), sets.end(),
                   [](const TLeftWork& a, const TLeftWork& b) { return a.Time() > b.Time(); });
  return sets;
}

void DiscardLeftWork(const TLeftWork& set) {
  if (!set.folder.empty()) DeleteFolderTree(set.folder);
}

TRecovered RecoverLeftWork(TLeftWork& set, TProjectDocument& document) {
  TRecovered recovered;
  const std::string scratch = document.ScratchPath();
  const std::string project = WithTrailingBackslash(document.ProjectPath());
  std::vector<TLeftMap> kept;
  std::vector<int32_t> placed;
  // Maps added after the last save are known only to the kept tree.
  if (!set.treePath.empty()) {
    TLcfMapTree keptTree;
    try {
      keptTree.LoadFromBytes(ReadWholeFile(set.treePath));
    } catch (const std::exception&) {
      keptTree.ClearTree();
    }
    for (const TLeftMap& left : set.maps) {
      const TLcfMapTreeItem* node = keptTree.FindById(left.mapId);
      if (!node || !node->IsMap() || document.MapTree().FindById(left.mapId)) continue;
      document.ChangeTree([&](TLcfMapTree& tree) {
        const TLcfMapTreeItem* parent = tree.FindById(node->parentId);
        tree.AddMapLike(parent && (parent->IsMap() || parent->Id() == 0) ? node->parentId : 0, left.mapId, *node);
      });
    }
  }
  for (const TLeftMap& left : set.maps) {
    const TLcfMapTreeItem* node = document.MapTree().FindById(left.mapId);
    const char* refusal = !node || !node->IsMap() ? "the project has no such map any more"
                          : SavedSince(project, MapFileName(left.mapId), left.modifiedTime)
                              ? "the project's map was saved after this work was kept"
                              : nullptr;
    if (refusal) {
      recovered.failures.push_back(MapFileName(left.mapId) + ": " + refusal);
      kept.push_back(left);
      continue;
    }
    try {
      // Parsed strictly: in the editor's quiet mode a file load would keep half of a damaged map.
      TLcfMap map;
      map.LoadFromBytes(ReadWholeFile(left.path));
      if (left.unsaved) {
        // Stored as leaving the map would have stored it.
        map.SaveWorkCopy(scratch, left.mapId);
        std::remove(left.path.c_str());
      } else if (!Move(left.path, WithTrailingBackslash(scratch) + MapFileName(left.mapId))) {
        map.SaveWorkCopy(scratch, left.mapId);
        std::remove(left.path.c_str());
      }
      placed.push_back(left.mapId);
    } catch (const std::exception& e) {
      recovered.failures.push_back(MapFileName(left.mapId) + ": " + e.what());
      kept.push_back(left);
    }
  }
  // A stored work copy that the unsaved edits of the same map superseded goes with them.
  for (int32_t id : placed) {
    const std::string older = set.folder + MapFileName(id);
    if (IsFile(older)) std::remove(older.c_str());
  }
  recovered.maps = document.AdoptWorkCopies(placed);
  set.maps = std::move(kept);

  if (!set.databasePath.empty()) {
    if (SavedSince(project, kDatabaseName, set.databaseTime)) {
      recovered.failures.push_back(std::string(kDatabaseName) +
                                   ": the project's database was saved after this work was kept");
    } else {
      try {
        const Bytes data = ReadWholeFile(set.databasePath);
        document.DataBase().LoadFromMemory(data, true);
        KeepUnsavedDatabase(scratch, data);
        std::remove(set.databasePath.c_str());
        set.databasePath.clear();
        recovered.database = true;
      } catch (const std::exception& e) {
        recovered.failures.push_back(std::string(kDatabaseName) + ": " + e.what());
      }
    }
  }
  if (set.Empty()) DiscardLeftWork(set);
  return recovered;
}

}  // namespace tess
