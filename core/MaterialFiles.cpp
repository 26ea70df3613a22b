#include "core/MaterialFiles.h"

#include <algorithm>
#include <set>

#include "core/NameEncoding.h"
#include "core/PathUtils.h"
#include "core/ProjectFolder.h"

namespace tess {

namespace {

constexpr size_t kMarkLength = sizeof(kRuntimePackageMark) - 1;

// Base names of the matching files in root's sub-folder folderName, in natural order.
std::vector<std::string> Collect(const std::string& root, const std::string& folderName,
                                 const std::vector<std::string>& extensions) {
  std::vector<std::string> names;
  std::set<std::string> seen;  // lower-cased
  if (root.empty()) return names;
  auto folder = FindNameNoCase(root, folderName);
  if (!folder) return names;
  for (const std::string& entry : ListFolder(*folder)) {
    const size_t dot = entry.find_last_of('.');
    if (dot == std::string::npos || dot == 0) continue;
    const std::string ext = LowerAscii(entry.substr(dot + 1));
    if (std::find(extensions.begin(), extensions.end(), ext) == extensions.end()) continue;
    if (!IsFile(WithTrailingBackslash(*folder) + entry)) continue;
    // Entries are stored names: a file named in UTF-8 lists under its name in the code page.
    const std::string base = StoredNameOf(entry.substr(0, dot));
    if (seen.insert(LowerAscii(base)).second) names.push_back(base);
  }
  SortNatural(names);
  return names;
}

std::string FindIn(const std::string& root, const std::string& baseName, const std::string& folderName,
                   const std::vector<std::string>& extensions) {
  if (root.empty()) return {};
  auto folder = FindNameNoCase(root, folderName);
  if (!folder) return {};
  for (const std::string& name : DiskNameCandidates(baseName)) {
    for (const std::string& ext : extensions) {
      auto file = FindNameNoCase(*folder, name + "." + ext);
      if (file && IsFile(*file)) return *file;
    }
  }
  return {};
}

}  // namespace

const std::vector<std::string>& PictureExtensions() {
  static const std::vector<std::string> list{"bmp", "png", "xyz"};
  return list;
}
const std::vector<std::string>& MusicExtensions() {
  static const std::vector<std::string> list{"mid", "wav", "mp3"};
  return list;
}
const std::vector<std::string>& SoundExtensions() {
  static const std::vector<std::string> list{"wav"};
  return list;
}
const std::vector<std::string>& MovieExtensions() {
  static const std::vector<std::string> list{"avi", "mpg"};
  return list;
}

const std::vector<std::string>& MaterialFolderNames() {
  static const std::vector<std::string> list{"Backdrop",      "Battle",       "CharSet", "ChipSet", "FaceSet",
                                             "GameOver",      "Monster",      "Movie",   "Music",   "Panorama",
                                             "Picture",       "Sound",        "System",  "Title",   "Battle2",
                                             "BattleCharSet", "BattleWeapon", "Frame",   "System2"};
  return list;
}

bool IsRuntimePackageEntry(const std::string& entry) {
  return entry.size() >= kMarkLength &&
         entry.compare(entry.size() - kMarkLength, kMarkLength, kRuntimePackageMark) == 0;
}

std::string StripRuntimePackageMark(const std::string& entry) {
  return IsRuntimePackageEntry(entry) ? entry.substr(0, entry.size() - kMarkLength) : entry;
}

void SortNatural(std::vector<std::string>& names) {
  // Sort keys: the prefix, then the number with leading zeros to a common width. The width is at
  // least ten digits and grows with the longest number in the list, so long digit runs never
  // overflow and keys of one list always compare consistently.
  struct TKey {
    std::string prefix;
    std::string digits;  // without leading zeros
  };
  std::vector<TKey> keys(names.size());
  size_t width = 10;
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    size_t end = name.size();
    while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9') --end;
    if (end == 0) {
      keys[i].prefix = name;
      continue;
    }
    keys[i].prefix = name.substr(0, end);
    const size_t first = name.find_first_not_of('0', end);
    keys[i].digits = first == std::string::npos ? std::string() : name.substr(first);
    width = std::max(width, keys[i].digits.size());
  }
  std::vector<std::string> sortKeys(names.size());
  for (size_t i = 0; i < names.size(); ++i)
    sortKeys[i] = keys[i].prefix + std::string(width - keys[i].digits.size(), '0') + keys[i].digits;
  std::vector<size_t> order(names.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const int c = CompareNoCase(sortKeys[a], sortKeys[b]);
    return c != 0 ? c < 0 : names[a] < names[b];
  });
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (size_t i : order) sorted.push_back(std::move(names[i]));
  names = std::move(sorted);
}

std::vector<std::string> ListMaterials(const std::string& projectFolder, const std::string& runtimePackageFolder,
                                       const std::string& folderName, const std::vector<std::string>& extensions) {
  std::vector<std::string> result = Collect(projectFolder, folderName, extensions);
  std::set<std::string> own;
  for (const std::string& name : result) own.insert(LowerAscii(name));
  for (const std::string& name : Collect(runtimePackageFolder, folderName, extensions))
    if (!own.count(LowerAscii(name))) result.push_back(name + kRuntimePackageMark);
  return result;
}

std::vector<std::string> ListMaterials(const std::string& folderName, const std::vector<std::string>& extensions) {
  return ListMaterials(ProjectFolder(), CurrentRuntimePackageFolder(), folderName, extensions);
}

std::string FindMaterialFile(const std::string& projectFolder, const std::string& runtimePackageFolder,
                             const std::string& baseName, const std::string& folderName,
                             const std::vector<std::string>& extensions) {
  if (baseName.empty()) return {};
  // A stored name is a plain file name; one that would lead into another folder finds nothing.
  if (baseName.find('/') != std::string::npos) return baseName;
  std::string found = FindIn(projectFolder, baseName, folderName, extensions);
  if (found.empty()) found = FindIn(runtimePackageFolder, baseName, folderName, extensions);
  return found.empty() ? baseName : found;
}

std::string FindMaterialFile(const std::string& baseName, const std::string& folderName,
                             const std::vector<std::string>& extensions) {
  return FindMaterialFile(ProjectFolder(), CurrentRuntimePackageFolder(), baseName, folderName, extensions);
}

std::string FindExistingMaterialFile(const std::string& baseName, const std::string& folderName,
                                     const std::vector<std::string>& extensions) {
  // Separators count by the text the name reads as: in Shift_JIS the byte 0x5C is the second half
  // of many characters, not a backslash.
  if (baseName.empty() || baseName == "." || baseName == ".." || baseName.find('/') != std::string::npos ||
      ShownName(baseName).find_first_of("/\\") != std::string::npos)
    return {};
  const std::string found = FindMaterialFile(baseName, folderName, extensions);
  return found != baseName && IsFile(found) ? found : std::string();
}

}  // namespace tess
