#pragma once
// Looks a whole project over without changing it: the database, the map tree and every map the
// tree names are loaded, and the references between them are followed.

#include <string>
#include <vector>

namespace tess {

struct TProjectProblem {
  std::string file;     // the file the problem was found in, by its name in the project
  std::string message;  // what failed, or which reference points nowhere
};

// Every file that fails to load and every reference that points nowhere (a map the tree lacks, a
// tileset, troop, class or hero the database lacks). Empty when the project is sound.
std::vector<TProjectProblem> CheckProject(const std::string& projectFolder);

// "FILE: MESSAGE", one line of a list of problems as the check tool prints it.
std::string ProblemLine(const TProjectProblem& problem);
// The lines of the problems, each ending in a line break.
std::string ProblemLines(const std::vector<TProjectProblem>& problems);

}  // namespace tess
