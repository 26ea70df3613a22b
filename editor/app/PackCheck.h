#pragma once
// Before a game disk is made: the project is checked as the check tool checks it, and a project
// with problems (damaged files, references to nothing) is packed only when the author says so.

#include <string>

class QWidget;

namespace tess {

inline constexpr const char* kPackProblemsQuestion = "Create the game disk anyway?";

// True when the project is sound, or the author chose to pack it anyway; the question lists the
// problems, with the whole list as details. No is its default.
bool ConfirmPackingProblems(const std::string& projectFolder, QWidget* owner);

}  // namespace tess
