#pragma once
// Whole commands as lines: a new command's lines, the case lines of a block, rebuilding a block
// around a new opening line, checking that lines form whole commands, and removing the lines a
// script kind cannot hold.
//
// A multi-line command is its opening line at depth d, then for each branch a case line at depth d
// (none before the first branch of a branch or loop) followed by the branch's lines at depth d + 1,
// then its end line at depth d. Every branch ends with a command line at its depth, at the least
// the empty line (code 10), so that a selection always finds where a block ends.

#include <vector>

#include "events/LD_EventScript.h"
#include "script/EventCommands.h"

namespace tess {

// The case lines of an opening line's block in branch order, at depth 0: one per choice of Show
// Choices (and the cancellation case when it runs a handler), the handlers an encounter, shop or
// inn has, the else case of a branch that has one.
std::vector<TLcfEventScriptLine> CaseLinesOf(const TLcfEventScriptLine& opener);

// The lines of a command built around its opening line, the first at depth 0. For a block, each
// branch takes the lines of the matching branch of old (the command's lines before an edit, the
// first at any depth), rebased to depth 1, or a single empty line; branches that no longer exist
// lose their lines. Message and comment continuation lines are not made here.
TLcfEventScriptList BuildCommand(const TLcfEventScriptLine& opener, const TLcfEventScriptList* old = nullptr);

// The lines of a new command of this code with its default parameters; empty for a code that is
// not a command of its own.
TLcfEventScriptList NewCommandLines(int32_t code);

// The lines of a command rebuilt without a dialog, for the commands that have none (single lines
// without parameters, and the loop, which keeps its body). Nothing for every other code.
bool RebuildWithoutDialog(const TLcfEventScriptList& lines, TLcfEventScriptList& out);

// Whether lines are whole commands at the depth of the first one: no line shallower, continuation
// lines after their message or comment, every block closed with its own case and end lines, and
// every branch holding lines and ending with a command line.
bool IsWholeCommands(const TLcfEventScriptList& lines);

// Removes the lines a script of this kind cannot hold, each with its block: after a removed line of
// depth d, the lines that follow are removed while they are deeper than d or are structural lines
// of depth d. A branch left without a closing command line gets an empty line.
void RemoveForeignLines(TLcfEventScriptList& lines, TScriptKind kind);

// Gives an empty line to every branch among the case and end lines at positions first .. last
// whose branch does not end with a command line at its depth. Returns the number of lines added.
int RepairBranchEnds(TLcfEventScriptList& lines, int first, int last);

}  // namespace tess
