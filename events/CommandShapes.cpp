#include "events/CommandShapes.h"

#include <algorithm>

#include "events/LD_EventScript.h"

namespace tess {

namespace {

constexpr bool SortedByCode() {
  for (size_t i = 1; i < std::size(kCommandShapes); ++i)
    if (kCommandShapes[i - 1].code >= kCommandShapes[i].code) return false;
  return true;
}
static_assert(SortedByCode(), "the shapes are looked up by binary search");

// Show Choices holds at most four choices and the cancellation case.
constexpr int kMaxChoiceCases = 5;

std::string Code(int32_t code) { return "code " + std::to_string(code); }

}  // namespace

std::string ParamCountFault(int32_t code, int64_t count) {
  const TCommandShape* shape = FindCommandShape(code);
  if (shape && !shape->moreParams && count > shape->paramCount)
    return "it carries " + std::to_string(count) + " parameters where " + Code(code) + " has at most " +
           std::to_string(shape->paramCount);
  if (!shape && count > kMaxUnknownParams)
    return "it carries " + std::to_string(count) + " parameters, far more than any command";
  return {};
}

bool OpensBlock(const TLcfEventScriptLine& line) {
  const TCommandShape* shape = FindCommandShape(line.code);
  if (!shape || shape->role != TCommandRole::Command) return false;
  switch (shape->block) {
    case TBlockRule::None:
      return false;
    case TBlockRule::Always:
      return true;
    case TBlockRule::EncounterHandlers:
      return line.Param(3) == 2 || line.Param(4) == 1;
    case TBlockRule::HandlersFlag:
      return line.Param(2) == 1;
  }
  return false;
}

TScriptFault CheckScriptShape(const TLcfEventScriptList& lines) {
  TScriptShapeChecker checker;
  for (int i = 0; i < lines.Count() && !checker.Fault(); ++i) checker.Feed(*lines.LineAt(i));
  return lines.Count() > 0 ? checker.Finish() : checker.Fault();
}

const TScriptFault& TScriptShapeChecker::Feed(const TLcfEventScriptLine& line) {
  if (!fault_) Check(line);
  lastCode_ = line.code;
  lastIndent_ = line.indent;
  ++index_;
  return fault_;
}

const TScriptFault& TScriptShapeChecker::Finish() {
  if (fault_ || index_ == 0) return fault_;
  if (endLine_ < 0)
    fault_ = {index_ - 1, "the script does not end with its end line"};
  else if (const int more = index_ - 1 - endLine_; more > 0)
    fault_ = {endLine_, "the end line is followed by " + std::to_string(more) + " more lines"};
  return fault_;
}

void TScriptShapeChecker::FailUnclosed() {
  const TOpen& o = open_.back();
  Fail("the command at line " + std::to_string(o.line + 1) + " (" + Code(o.code) + ") has no end line");
}

void TScriptShapeChecker::Check(const TLcfEventScriptLine& line) {
  const TCommandShape* shape = FindCommandShape(line.code);
  if (endLine_ >= 0) return;  // counted by Finish
  if (line.indent < 0) return Fail("it stands at depth " + std::to_string(line.indent));
  if (std::string problem = ParamCountFault(line.code, line.ParamCount()); !problem.empty())
    return Fail(std::move(problem));
  auto opener = [](const TOpen& o) {
    return "the command at line " + std::to_string(o.line + 1) + " (" + Code(o.code) + ")";
  };

  const TCommandRole role = shape ? shape->role : TCommandRole::Command;
  if (role == TCommandRole::EndOfScript) {
    if (!open_.empty()) return FailUnclosed();
    if (line.indent != 0) return Fail("the end line stands at depth " + std::to_string(line.indent));
    endLine_ = index_;
    return;
  }
  if (role == TCommandRole::Continuation) {
    if (index_ == 0 || lastIndent_ != line.indent || (lastCode_ != shape->owner && lastCode_ != line.code))
      return Fail("it continues no " + Code(shape->owner) + " above it");
    return;
  }
  if (role == TCommandRole::Case || role == TCommandRole::End) {
    if (open_.empty() || open_.back().shape->code != shape->owner || open_.back().depth != line.indent) {
      if (!open_.empty() && open_.back().depth > line.indent) return FailUnclosed();
      return Fail("it stands outside the " + Code(shape->owner) + " it belongs to");
    }
    TOpen& o = open_.back();
    // A branch holds at least one line, the empty line when it has no command.
    if (!o.awaitingCase && o.branchEmpty) return Fail("the branch before it, of " + opener(o) + ", holds no line");
    if (role == TCommandRole::Case) {
      // Which cases a block has follows its parameters when the editor writes it; a file that
      // holds another case of the same command keeps it, as its lines are all there.
      int position = 0;
      while (o.shape->cases[position] != line.code) ++position;
      const bool repeatable = o.shape->caseRule == TCaseRule::Choices;
      if (repeatable ? o.cases >= kMaxChoiceCases : position <= o.lastCase)
        return Fail(opener(o) + " has one case too many");
      o.lastCase = position;
      ++o.cases;
      o.awaitingCase = false;
      o.branchEmpty = true;
      return;
    }
    if (o.awaitingCase) return Fail(opener(o) + " misses its case lines");
    open_.pop_back();
    return;
  }
  // A command of its own, an empty line or an unknown code.
  if (!open_.empty() && open_.back().awaitingCase) return Fail(opener(open_.back()) + " has no case line after it");
  const int depth = open_.empty() ? 0 : open_.back().depth + 1;
  if (line.indent < depth) return FailUnclosed();
  if (line.indent > depth)
    return Fail("it stands at depth " + std::to_string(line.indent) + " where its block's lines stand at " +
                std::to_string(depth));
  if (!open_.empty()) open_.back().branchEmpty = false;
  if (OpensBlock(line)) open_.push_back({index_, line.code, shape, line.indent, -1, 0, !shape->directBranch, true});
}

}  // namespace tess
