#include "script/EventCommandLines.h"

#include <map>
#include <utility>

namespace tess {

namespace {

bool IsRole(const TLcfEventScriptLine& line, TCommandRole role) {
  const TEventCommandInfo* info = FindEventCommand(line.code);
  return info && info->role == role;
}

// Identifies a branch across an edit: the direct branch, a choice by its index, a handler by its
// case code.
using TBranchKey = std::pair<int32_t, int32_t>;
constexpr TBranchKey kDirectBranch{0, 0};

TBranchKey KeyOf(const TLcfEventScriptLine& caseLine) {
  const TEventCommandInfo* info = FindEventCommand(caseLine.code);
  const TEventCommandInfo* owner = info ? FindEventCommand(info->owner) : nullptr;
  const bool choice = owner && owner->caseRule == TCaseRule::Choices;
  return {caseLine.code, choice ? caseLine.Param(0) : 0};
}

// The branches of a block, each with its lines as they stand.
using TBranches = std::map<TBranchKey, std::vector<const TLcfEventScriptLine*>>;

TBranches BranchesOf(const TLcfEventScriptList& lines) {
  TBranches branches;
  if (lines.Count() == 0) return branches;
  const int depth = lines.LineAt(0)->indent;
  TBranchKey current = kDirectBranch;
  for (int i = 1; i < lines.Count(); ++i) {
    const TLcfEventScriptLine* line = lines.LineAt(i);
    if (line->indent > depth) {
      branches[current].push_back(line);
    } else if (line->indent == depth && IsRole(*line, TCommandRole::Case)) {
      current = KeyOf(*line);
    } else {
      break;  // the end line, or whatever follows the block
    }
  }
  return branches;
}

void AppendBranch(TLcfEventScriptList& out, const std::vector<const TLcfEventScriptLine*>* kept) {
  if (!kept || kept->empty()) {
    out.AppendLine(TLcfEventScriptLine(10, 1));
    return;
  }
  const int first = kept->front()->indent;
  for (const TLcfEventScriptLine* line : *kept) {
    TLcfEventScriptLine copy = *line;
    copy.indent = 1 + (line->indent - first);
    out.AppendLine(copy);
  }
}

}  // namespace

std::vector<TLcfEventScriptLine> CaseLinesOf(const TLcfEventScriptLine& opener) {
  std::vector<TLcfEventScriptLine> cases;
  if (!OpensBlock(opener)) return cases;
  const TEventCommandInfo& info = *FindEventCommand(opener.code);
  switch (info.caseRule) {
    case TCaseRule::All:
      for (int32_t code : info.cases)
        if (code != 0) cases.emplace_back(code, 0);
      break;
    case TCaseRule::Choices: {
      size_t from = 0;
      for (int32_t index = 0; index < 4; ++index) {
        const size_t slash = opener.text.find('/', from);
        cases.emplace_back(info.cases[0], 0, opener.text.substr(from, slash - from), std::vector<int32_t>{index});
        if (slash == std::string::npos) break;
        from = slash + 1;
      }
      if (opener.Param(0) == 5) cases.emplace_back(info.cases[0], 0, "", std::vector<int32_t>{4});
      break;
    }
    case TCaseRule::Handlers:
      cases.emplace_back(info.cases[0], 0);
      if (opener.Param(3) == 2) cases.emplace_back(info.cases[1], 0);
      if (opener.Param(4) == 1) cases.emplace_back(info.cases[2], 0);
      break;
    case TCaseRule::ElseFlag:
      if (opener.Param(5) == 1) cases.emplace_back(info.cases[0], 0);
      break;
  }
  return cases;
}

TLcfEventScriptList BuildCommand(const TLcfEventScriptLine& opener, const TLcfEventScriptList* old) {
  TLcfEventScriptList out;
  TLcfEventScriptLine first = opener;
  first.indent = 0;
  out.AppendLine(first);
  if (!OpensBlock(opener)) return out;
  const TEventCommandInfo& info = *FindEventCommand(opener.code);
  const TBranches branches = old ? BranchesOf(*old) : TBranches{};
  auto keptLines = [&](TBranchKey key) {
    auto it = branches.find(key);
    return it == branches.end() ? nullptr : &it->second;
  };
  if (info.directBranch) AppendBranch(out, keptLines(kDirectBranch));
  for (const TLcfEventScriptLine& caseLine : CaseLinesOf(opener)) {
    out.AppendLine(caseLine);
    AppendBranch(out, keptLines(KeyOf(caseLine)));
  }
  out.AppendLine(TLcfEventScriptLine(info.end, 0));
  return out;
}

TLcfEventScriptList NewCommandLines(int32_t code) {
  const TEventCommandInfo* info = FindEventCommand(code);
  if (!info || info->role != TCommandRole::Command) return {};
  TLcfEventScriptLine opener(code, 0, info->defaultText);
  opener.params.assign(info->defaults, info->defaults + info->paramCount);
  return BuildCommand(opener);
}

bool RebuildWithoutDialog(const TLcfEventScriptList& lines, TLcfEventScriptList& out) {
  if (lines.Count() == 0) return false;
  const TEventCommandInfo* info = FindEventCommand(lines.LineAt(0)->code);
  if (!info || info->role != TCommandRole::Command || info->hasDialog) return false;
  out = BuildCommand(TLcfEventScriptLine(info->code, 0), &lines);
  return true;
}

bool IsWholeCommands(const TLcfEventScriptList& lines) {
  if (lines.Count() == 0) return false;
  struct TOpenBlock {
    const TEventCommandInfo* info;
    int depth;
  };
  std::vector<TOpenBlock> open;
  const int base = lines.LineAt(0)->indent;
  // The line before must begin the branch that a line opened (a case, or a block whose first
  // branch follows it directly).
  bool branchMustFollow = false;
  for (int i = 0; i < lines.Count(); ++i) {
    const TLcfEventScriptLine& line = *lines.LineAt(i);
    const TLcfEventScriptLine* prev = i > 0 ? lines.LineAt(i - 1) : nullptr;
    const TEventCommandInfo* info = FindEventCommand(line.code);
    const TCommandRole role = info ? info->role : TCommandRole::Command;
    if (line.indent < base) return false;
    if (branchMustFollow && (line.indent != open.back().depth + 1 || !IsCommandCode(line.code))) return false;
    branchMustFollow = false;
    switch (role) {
      case TCommandRole::Continuation: {
        if (!prev || prev->indent != line.indent) return false;
        const TEventCommandInfo* before = FindEventCommand(prev->code);
        if (!before || (before->continuation != line.code && prev->code != line.code)) return false;
        break;
      }
      case TCommandRole::Case:
      case TCommandRole::End: {
        if (open.empty() || open.back().depth != line.indent) return false;
        const TEventCommandInfo& owner = *open.back().info;
        if (role == TCommandRole::Case ? !owner.HasCase(line.code) : owner.end != line.code) return false;
        // The branch before ends with a command line, unless this is the first case of a block
        // whose branches all follow case lines.
        const bool afterOpener = prev->indent == line.indent && IsCommandCode(prev->code);
        if (afterOpener ? owner.directBranch || role == TCommandRole::End
                        : prev->indent != line.indent + 1 || !IsCommandCode(prev->code))
          return false;
        if (role == TCommandRole::Case) branchMustFollow = true;
        if (role == TCommandRole::End) open.pop_back();
        break;
      }
      default: {
        if (line.indent != (open.empty() ? base : open.back().depth + 1)) return false;
        if (OpensBlock(line)) {
          open.push_back({info, line.indent});
          branchMustFollow = info->directBranch;
          // The first case of the other blocks must follow at once.
          if (!info->directBranch) {
            const TLcfEventScriptLine* next = lines.LineAt(i + 1);
            if (!next || next->indent != line.indent || !IsRole(*next, TCommandRole::Case)) return false;
          }
        }
        break;
      }
    }
  }
  return open.empty() && !branchMustFollow;
}

void RemoveForeignLines(TLcfEventScriptList& lines, TScriptKind kind) {
  for (int i = 0; i < lines.Count();) {
    const TLcfEventScriptLine* line = lines.LineAt(i);
    if (MayStandIn(line->code, kind)) {
      ++i;
      continue;
    }
    const int depth = line->indent;
    lines.DeleteLine(i);
    while (i < lines.Count()) {
      const TLcfEventScriptLine* next = lines.LineAt(i);
      if (next->indent > depth || (next->code >= kFirstStructuralCode && next->indent == depth))
        lines.DeleteLine(i);
      else
        break;
    }
  }
  RepairBranchEnds(lines, 0, lines.Count() - 1);
}

int RepairBranchEnds(TLcfEventScriptList& lines, int first, int last) {
  int added = 0;
  for (int i = std::max(first, 1); i <= last && i < lines.Count(); ++i) {
    const TLcfEventScriptLine& line = *lines.LineAt(i);
    const bool isCase = IsRole(line, TCommandRole::Case);
    if (!isCase && !IsRole(line, TCommandRole::End)) continue;
    const TLcfEventScriptLine& prev = *lines.LineAt(i - 1);
    const int depth = line.indent;
    if (prev.indent == depth + 1 && IsCommandCode(prev.code)) continue;
    // The first case right after its opening line begins the first branch; nothing ends there.
    if (isCase && prev.indent == depth && IsCommandCode(prev.code)) {
      const TEventCommandInfo* opener = FindEventCommand(prev.code);
      if (opener && !opener->directBranch) continue;
    }
    lines.InsertLine(i, std::make_unique<TLcfEventScriptLine>(10, depth + 1));
    ++added;
    ++i;
    ++last;
  }
  return added;
}

}  // namespace tess
