#pragma once
// Unsaved work that survives the editor. While it runs, the editor keeps in the scratch folder
// what is not in the project yet: the work copies of pending maps, the current map's edits
// (Unsaved/Map%.4d.lmu) and the database window's working state (Unsaved/TESS_RT.ldb), with the
// project they belong to (Project.txt). A clean exit leaves none of it. What an editor that died
// left is moved at the next start into a set of its own under Left/, so that the new run's work
// copies cannot mix with it, and stays there until the author recovers or discards it.

#include <cstdint>
#include <string>
#include <vector>

#include "core/Stream.h"

namespace tess {

class TLcfMap;
class TProjectDocument;

// --- Keeping, while the editor runs

// The current map's edits since it was last stored. The map's save counter does not change.
void KeepUnsavedMap(const std::string& scratchFolder, TLcfMap& map);
// The database window's working state (the database's bytes).
void KeepUnsavedDatabase(const std::string& scratchFolder, const Bytes& database);
// Forgets what was kept: the edits were stored, saved or discarded. Missing files are fine.
void DropUnsavedMaps(const std::string& scratchFolder);
void DropUnsavedDatabase(const std::string& scratchFolder);
// The map tree while it has changes not saved yet (Unsaved/TESS_RT.lmt): a map added since the last
// save exists only there, and comes back with its work.
void KeepUnsavedTree(const std::string& scratchFolder, const Bytes& tree);
void DropUnsavedTree(const std::string& scratchFolder);

// --- After a crash

struct TLeftMap {
  int32_t mapId = 0;
  std::string path;
  int64_t modifiedTime = 0;  // seconds since 1970
  // The current map's edits (which a stored work copy of the same map only precedes).
  bool unsaved = false;
};

struct TLeftWork {
  std::string folder;          // the set's folder, with a trailing '/'
  std::string projectFolder;   // the project it belongs to, with a trailing '/'; empty when unknown
  std::vector<TLeftMap> maps;  // by map id, one each
  std::string databasePath;    // the database window's working state, or empty
  int64_t databaseTime = 0;
  std::string treePath;  // the map tree with its unsaved nodes, or empty
  // The time of its newest file.
  int64_t Time() const;
  bool Empty() const { return maps.empty() && databasePath.empty(); }
};

// At start, before anything is written to the scratch folder: moves what the last run left there
// into a new set, then returns every set kept (including those kept for later), the newest first.
// Sets with nothing in them are removed.
std::vector<TLeftWork> CollectLeftWork(const std::string& scratchFolder);
// Deletes a set and everything in it.
void DiscardLeftWork(const TLeftWork& set);

struct TRecovered {
  std::vector<int32_t> maps;  // adopted as pending maps
  bool database = false;      // the working state is the document's database now
  // One line per part that could not be recovered; those parts stay in the set.
  std::vector<std::string> failures;
};

// With the set's project open in document: a map the project's tree lacks is taken back into it
// from the kept tree (under its parent when the tree has it, else under the root); each map whose
// work loads becomes a pending map (its
// work copy in the scratch folder, committed by the next "Save Map"), and the database working
// state, when it loads, replaces the document's database in memory and becomes this run's working
// state. No project file is written. What failed stays in the set; an emptied set is removed.
TRecovered RecoverLeftWork(TLeftWork& set, TProjectDocument& document);

}  // namespace tess
