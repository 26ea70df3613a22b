#include "ui/pickers/MaterialList.h"

#include "core/MaterialFiles.h"
#include "core/PathUtils.h"

namespace tess {

void TMaterialList::Fill(const std::vector<std::string>& fixedEntries, const std::string& folderName,
                         const std::vector<std::string>& extensions, const std::string& currentName) {
  entries_.clear();
  selected_ = -1;
  for (const std::string& e : fixedEntries) entries_.push_back({e, std::string(), true, false});
  const int firstMaterial = Count();
  for (const std::string& e : ListMaterials(folderName, extensions))
    entries_.push_back({e, StripRuntimePackageMark(e), false, false});

  if (currentName.empty()) {
    selected_ = entries_.empty() ? -1 : 0;
    return;
  }
  auto find = [&](auto&& same) {
    for (int i = firstMaterial; i < Count(); ++i)
      if (same(entries_[i].stored)) return i;
    return -1;
  };
  // Exact spelling first (the project's entry before the package's, as listed), then any case.
  selected_ = find([&](const std::string& s) { return s == currentName; });
  if (selected_ < 0) {
    selected_ = find([&](const std::string& s) { return EqualsNoCase(s, currentName); });
    if (selected_ >= 0) entries_[selected_].stored = currentName;
  }
  if (selected_ >= 0) return;
  entries_.insert(entries_.begin() + firstMaterial,
                  TMaterialEntry{currentName + kMissingMaterialMark, currentName, false, true});
  selected_ = firstMaterial;
}

std::string TMaterialList::NameAt(int index) const {
  if (index < 0 || index >= Count()) return {};
  return entries_[index].stored;
}

}  // namespace tess
