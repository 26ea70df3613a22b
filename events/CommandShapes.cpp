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

std::string Line(int index, const TLcfEventScriptLine& line) {
  return "line " + std::to_string(index + 1) + " (" + Code(line.code) + ")";
}

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
  const int count = lines.Count();
  struct TOpen {
    int line;  // the opening line's index
    const TLcfEventScriptLine* opener;
    const TCommandShape* shape;
    int depth;
    int lastCase = -1;  // index in the shape's cases of the last case line, -1 before the first
    int cases = 0;      // case lines seen
    bool awaitingCase;  // the first case line must come next
    bool branchEmpty;   // no line of the current branch has come yet
  };
  std::vector<TOpen> open;
  auto fault = [](int index, std::string problem) { return TScriptFault{index, std::move(problem)}; };
  auto unclosed = [&](int index) {
    const TOpen& o = open.back();
    return fault(index, "the command at " + Line(o.line, *o.opener) + " has no end line");
  };

  for (int i = 0; i < count; ++i) {
    const TLcfEventScriptLine& line = *lines.LineAt(i);
    const TCommandShape* shape = FindCommandShape(line.code);
    if (line.indent < 0) return fault(i, "it stands at depth " + std::to_string(line.indent));
    if (std::string problem = ParamCountFault(line.code, line.ParamCount()); !problem.empty())
      return fault(i, std::move(problem));

    const TCommandRole role = shape ? shape->role : TCommandRole::Command;
    if (role == TCommandRole::EndOfScript) {
      if (!open.empty()) return unclosed(i);
      if (line.indent != 0) return fault(i, "the end line stands at depth " + std::to_string(line.indent));
      if (i != count - 1)
        return fault(i, "the end line is followed by " + std::to_string(count - 1 - i) + " more lines");
      continue;
    }
    if (role == TCommandRole::Continuation) {
      const TLcfEventScriptLine* prev = lines.LineAt(i - 1);
      if (!prev || prev->indent != line.indent || (prev->code != shape->owner && prev->code != line.code))
        return fault(i, "it continues no " + Code(shape->owner) + " above it");
      continue;
    }
    if (role == TCommandRole::Case || role == TCommandRole::End) {
      if (open.empty() || open.back().shape->code != shape->owner || open.back().depth != line.indent) {
        if (!open.empty() && open.back().depth > line.indent) return unclosed(i);
        return fault(i, "it stands outside the " + Code(shape->owner) + " it belongs to");
      }
      TOpen& o = open.back();
      // A branch holds at least one line, the empty line when it has no command.
      if (!o.awaitingCase && o.branchEmpty)
        return fault(i, "the branch before it, of the command at " + Line(o.line, *o.opener) + ", holds no line");
      if (role == TCommandRole::Case) {
        // Which cases a block has follows its parameters when the editor writes it; a file that
        // holds another case of the same command keeps it, as its lines are all there.
        int position = 0;
        while (o.shape->cases[position] != line.code) ++position;
        const bool repeatable = o.shape->caseRule == TCaseRule::Choices;
        if (repeatable ? o.cases >= kMaxChoiceCases : position <= o.lastCase)
          return fault(i, "the command at " + Line(o.line, *o.opener) + " has one case too many");
        o.lastCase = position;
        ++o.cases;
        o.awaitingCase = false;
        o.branchEmpty = true;
        continue;
      }
      if (o.awaitingCase) return fault(i, "the command at " + Line(o.line, *o.opener) + " misses its case lines");
      open.pop_back();
      continue;
    }
    // A command of its own, an empty line or an unknown code.
    if (!open.empty() && open.back().awaitingCase)
      return fault(i, "the command at " + Line(open.back().line, *open.back().opener) + " has no case line after it");
    const int depth = open.empty() ? 0 : open.back().depth + 1;
    if (line.indent < depth) return unclosed(i);
    if (line.indent > depth)
      return fault(i, "it stands at depth " + std::to_string(line.indent) + " where its block's lines stand at " +
                          std::to_string(depth));
    if (!open.empty()) open.back().branchEmpty = false;
    if (OpensBlock(line)) open.push_back({i, &line, shape, line.indent, -1, 0, !shape->directBranch, true});
  }
  if (count > 0 && lines.LineAt(count - 1)->code != 0)
    return fault(count - 1, "the script does not end with its end line");
  return {};
}

}  // namespace tess
