#pragma once
// Looks a whole project over without changing it: the database, the map tree and every map the
// tree names are loaded, and the references between them are followed.

#include <functional>
#include <string>
#include <vector>

namespace tess {

class TLcfDataBase;
class TLcfMapTree;
class TLcfMap;

struct TProjectProblem {
  std::string file;     // the file the problem was found in, by its name in the project
  std::string message;  // what failed, or which reference points nowhere
};

// Called with each file that loaded, for checks of the caller's own (each map by its file name).
struct TProjectVisitor {
  std::function<void(const TLcfDataBase&)> database;
  std::function<void(const TLcfMapTree&)> tree;
  std::function<void(const std::string& file, const TLcfMap&)> map;
  // After each map of the tree: how many were looked at, of how many.
  std::function<void(int done, int total)> progress;
};

// Every file that fails to load and every reference that points nowhere (a map the tree lacks, a
// tileset, troop, class or hero the database lacks). Empty when the project is sound.
std::vector<TProjectProblem> CheckProject(const std::string& projectFolder, const TProjectVisitor& visitor = {});

// "FILE: MESSAGE", one line of a list of problems as the check tool prints it.
std::string ProblemLine(const TProjectProblem& problem);
// The lines of the problems, each ending in a line break.
std::string ProblemLines(const std::vector<TProjectProblem>& problems);

}  // namespace tess
