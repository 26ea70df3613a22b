#pragma once
// Opening a project whose files fail to load: instead of one message per file as each is met, the
// author learns once, with the list of every file that fails and every reference to nothing.

#include <functional>
#include <string>
#include <vector>

#include "project/ProjectCheck.h"

class QWidget;

namespace tess {

// The head line and the first problems of a list, for a message; the whole list goes into its
// details.
std::string ProblemSummary(const std::string& headLine, const std::vector<TProjectProblem>& problems);

// Runs open (which loads the project at projectFolder and returns whether it opened). When the
// project has problems, the messages open would show are held back and one message lists the
// problems, followed by what they said; an exception from open is part of that message and is not passed on. Returns
// what open returned (false after an exception).
bool OpenReportingProblems(const std::string& projectFolder, const std::function<bool()>& open, QWidget* owner);

}  // namespace tess
