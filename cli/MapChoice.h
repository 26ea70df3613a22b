#pragma once
// Which map a command was asked for: the verbs that take a map id say the same thing when the id
// names an area or nothing in the project's map tree.

#include <cstdint>
#include <string>

namespace tess {

// Why mapId cannot be drawn or edited in the project: "map N is an area, which has no cells of
// its own" or "the map tree has no map N"; empty when the tree names a map of that id, or when the
// tree cannot be read (the map's own file then decides).
std::string MapIdProblem(const std::string& projectFolder, int32_t mapId);

}  // namespace tess
