#pragma once
// The pictures a project names, and whether each of them can be read: the game needs every one,
// and a placeholder or a damaged file only shows when the game reaches it.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "project/ProjectCheck.h"

namespace tess {

class TLcfDataBase;
class TLcfMapTree;
class TLcfMap;

namespace cli {

// Collects the picture names of the files it is shown, once per material folder and name, with
// the first place that names each.
class TProjectPictures {
 public:
  void AddDatabase(const TLcfDataBase& db);
  void AddMapTree(const TLcfMapTree& tree);
  void AddMap(const std::string& file, const TLcfMap& map);

  // A visitor for CheckProject that collects from every file it loads.
  TProjectVisitor Visitor();

  // Finds each picture in the project, then in the runtime package (either folder may be empty),
  // and decodes it. Every picture that is missing or cannot be decoded is a problem of the file
  // where it was found, or of the file that names it.
  std::vector<TProjectProblem> Check(const std::string& projectFolder, const std::string& runtimePackageFolder) const;

  size_t Count() const { return pictures_.size(); }

 private:
  struct TUse {
    std::string file;  // the data file that names the picture
    std::string what;  // what names it there ("hero 3")
  };
  void Add(const std::string& folder, const std::string& name, const std::string& file, const std::string& what);

  // (folder, name) -> the first use.
  std::map<std::pair<std::string, std::string>, TUse> pictures_;
};

}  // namespace cli
}  // namespace tess
