#include "project/StoredNames.h"

#include <unordered_set>

#include "database/DataBaseObj.h"
#include "maps/LD_MapTree.h"

namespace tess {

std::vector<std::string> CollectStoredNames(const TLcfDataBase& database, const TLcfMapTree& mapTree) {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  auto take = [&](const TCatalog& list) {
    for (int i = 0; i < list.Count(); ++i)
      if (const TCatalogItem* item = list.ItemAt(i); item && !item->name.empty() && seen.insert(item->name).second)
        names.push_back(item->name);
  };
  take(mapTree);
  const TCatalog* lists[] = {&database.heroes,     &database.classes,    &database.skills,
                             &database.items,      &database.monsters,   &database.troops,
                             &database.terrain,    &database.tilesets,   &database.attributes,
                             &database.conditions, &database.animations, &database.battlerAnimations,
                             &database.switches,   &database.variables,  &database.commonEvents};
  for (const TCatalog* list : lists) take(*list);
  return names;
}

}  // namespace tess
