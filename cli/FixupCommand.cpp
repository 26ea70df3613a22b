#include "cli/FixupCommand.h"

#include <ostream>

#include "cli/MapChoice.h"
#include "cli/ProgramFolder.h"
#include "core/PathUtils.h"
#include "database/DataBaseObj.h"
#include "maps/AutotileFixup.h"
#include "maps/LD_Map.h"

namespace tess::cli {

namespace {

constexpr const char* kUsage =
    "usage: tessaly-cli fixup PROJECT_DIR MAP_ID [--out OUT.lmu] [--ctrl] [--rtp-folder PATH]\n";

bool ParseMapId(const std::string& text, int32_t& id) {
  if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  id = std::stoi(text);
  return id > 0;
}

}  // namespace

int Fixup(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> words;
  std::string outPath, runtimePackage;
  bool ctrl = false, haveRuntimePackage = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--out" && i + 1 < args.size()) {
      outPath = args[++i];
    } else if (args[i] == "--rtp-folder" && i + 1 < args.size()) {
      runtimePackage = args[++i];
      haveRuntimePackage = true;
    } else if (args[i] == "--ctrl") {
      ctrl = true;
    } else if (args[i].rfind("--", 0) == 0) {
      err << kUsage;
      return 2;
    } else {
      words.push_back(args[i]);
    }
  }
  int32_t mapId = 0;
  if (words.size() != 2 || !ParseMapId(words[1], mapId)) {
    err << kUsage;
    return 2;
  }
  const std::string project = UseProjectFolder(words[0], haveRuntimePackage ? &runtimePackage : nullptr, err);
  if (project.empty()) return 1;

  TLcfDataBase db;
  std::string why;
  if (!db.LoadDatabase(project, &why, TErrorWording::Plain)) {
    err << "tessaly-cli: " << kDataBaseFileName << ": " << why << "\n";
    return 1;
  }
  if (const std::string problem = MapIdProblem(project, mapId); !problem.empty()) {
    err << "tessaly-cli: " << problem << "\n";
    return 1;
  }
  TLcfMap map;
  map.tilesetExists = [&db](int32_t id) { return db.tilesets.FindById(id) != nullptr; };
  try {
    map.LoadFromProject(project, mapId);
  } catch (const ETessError& e) {
    err << "tessaly-cli: " << MapFileName(mapId) << ": " << e.Plain() << "\n";
    return 1;
  }

  // The links come from the tileset's picture, found as the editor finds it: the project's ChipSet
  // folder, then the runtime package's.
  TFixupRules rules;
  rules.edgeDiffers = ctrl;
  if (!LinksOfTileset(db.tilesets.FindById(map.tilesetId), rules.links, &why)) {
    // Without the picture the links between autotile blocks are unknown, and shapes made without
    // them could be wrong.
    err << "tessaly-cli: map " << mapId << ", tileset " << map.tilesetId << ": " << why << "\n";
    return 1;
  }
  const int changed = FixUpLayer(map.lower, rules);
  out << changed << (changed == 1 ? " cell changed\n" : " cells changed\n");
  if (!outPath.empty()) {
    map.SaveToFile(outPath);
    out << "written to " << outPath << "\n";
  } else if (changed > 0) {
    map.SaveToProject(project, mapId);
    out << "written to " << PathInFolder(project, MapFileName(mapId)) << "\n";
  }
  return 0;
}

}  // namespace tess::cli
