#include "cli/DungeonCommand.h"

#include <cstdlib>
#include <ostream>
#include <random>

#include "cli/MapChoice.h"
#include "cli/ProgramFolder.h"
#include "core/FolderTree.h"
#include "core/PathUtils.h"
#include "maps/AutotileFixup.h"
#include "project/MapTreeCommands.h"
#include "project/ProjectDocument.h"

namespace tess::cli {

namespace {

constexpr const char* kUsage = "usage: tessaly-cli dungeon PROJECT_DIR MAP_ID [--seed N] [--rtp-folder PATH]\n";

bool ParseNumber(const std::string& text, size_t maxDigits, uint64_t& value) {
  if (text.empty() || text.size() > maxDigits || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  value = std::stoull(text);
  return true;
}

// The work copies live in a folder of this run only, removed whatever happens.
class TScratch {
 public:
  TScratch() { path_ = MakeOwnedTempFolder("tessaly-dungeon"); }
  ~TScratch() {
    if (!path_.empty()) DeleteFolderTree(path_);
  }
  TScratch(const TScratch&) = delete;
  TScratch& operator=(const TScratch&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

int Dungeon(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> words;
  std::string runtimePackage;
  bool haveRuntimePackage = false, haveSeed = false;
  uint64_t seed = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--seed" && i + 1 < args.size()) {
      if (!ParseNumber(args[++i], 10, seed) || seed > UINT32_MAX) {
        err << kUsage;
        return 2;
      }
      haveSeed = true;
    } else if (args[i] == "--rtp-folder" && i + 1 < args.size()) {
      runtimePackage = args[++i];
      haveRuntimePackage = true;
    } else if (args[i].rfind("--", 0) == 0) {
      err << kUsage;
      return 2;
    } else {
      words.push_back(args[i]);
    }
  }
  uint64_t mapId = 0;
  if (words.size() != 2 || !ParseNumber(words[1], 4, mapId) || mapId == 0) {
    err << kUsage;
    return 2;
  }
  const std::string project = UseProjectFolder(words[0], haveRuntimePackage ? &runtimePackage : nullptr, err);
  if (project.empty()) return 1;
  if (!haveSeed) seed = std::random_device{}();

  TScratch scratch;
  if (scratch.Path().empty()) {
    err << "tessaly-cli: no scratch folder could be made in " << TempFolder() << "\n";
    return 1;
  }
  TProjectDocument document(EditorFolder());
  if (!document.Open(project, scratch.Path())) return 1;
  const auto id = static_cast<int32_t>(mapId);
  if (const std::string problem = MapIdProblem(project, id); !problem.empty()) {
    err << "tessaly-cli: " << problem << "\n";
    return 1;
  }
  document.SelectNode(id);
  if (document.Map().Id() != id || !document.CanEditMap()) {
    err << "tessaly-cli: map " << id << " could not be loaded\n";
    return 1;
  }
  if (!document.Map().useGenerator) {
    err << "tessaly-cli: map " << id << " does not use the random dungeon generator\n";
    return 1;
  }
  // Shapes made without the links between the autotile blocks could be wrong.
  TAutotileLinks links;
  std::string why;
  if (!LinksOfTileset(document.DataBase().tilesets.FindById(document.Map().tilesetId), links, &why)) {
    err << "tessaly-cli: map " << id << ", tileset " << document.Map().tilesetId << ": " << why << "\n";
    return 1;
  }
  TMapTreeCommands commands(document);
  commands.GenerateDungeon(static_cast<uint32_t>(seed));
  if (!document.SaveMap()) return 1;
  out << "map " << id << " generated with seed " << seed << "\nwritten to " << PathInFolder(project, MapFileName(id))
      << "\n";
  return 0;
}

}  // namespace tess::cli
