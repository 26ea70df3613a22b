#include "cli/MapChoice.h"

#include "core/Errors.h"
#include "core/QuietMode.h"
#include "maps/LD_MapTree.h"

namespace tess {

std::string MapIdProblem(const std::string& projectFolder, int32_t mapId) {
  TLcfMapTree tree;
  tree.projectFolder = projectFolder;
  try {
    TQuietModeScope loud(false);
    tree.LoadTree();
  } catch (const ETessError&) {
    return {};
  }
  const TLcfMapTreeItem* node = tree.FindById(mapId);
  if (!node) return "the map tree has no map " + std::to_string(mapId);
  if (!node->IsMap()) return "map " + std::to_string(mapId) + " is an area, which has no cells of its own";
  return {};
}

}  // namespace tess
