#pragma once
// The names a project stores as text (the game title, the map tree's nodes and every named entry
// of the database), as the bytes they are stored in: what the editor reads to guess the code page
// of a project it opens for the first time.

#include <string>
#include <vector>

namespace tess {

class TLcfDataBase;
class TLcfMapTree;

// Every non-empty name, each once, in the order met: the map tree's nodes (the root carries the
// game title), then the database's lists.
std::vector<std::string> CollectStoredNames(const TLcfDataBase& database, const TLcfMapTree& mapTree);

}  // namespace tess
