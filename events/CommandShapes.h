#pragma once
// The shape of every event command code the editor knows: how many parameters a line of it carries
// and which lines a multi-line command spans. Loading checks every script against these facts, so
// that a damaged block is found rather than read as other lines; the command catalogue of the
// script machinery repeats them beside its captions and texts and is checked against this table
// when it is compiled.
//
// A multi-line command is its opening line at depth d, then for each branch a case line at depth d
// (none before the first branch of a branch or loop) followed by the branch's lines at depth d + 1,
// then its end line at depth d.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tess {

class TLcfEventScriptList;
class TLcfEventScriptLine;

// What a line is within its script.
enum class TCommandRole : uint8_t {
  Command,       // a command of its own: the user inserts it, and it begins a selection
  Continuation,  // a further text line of the message or comment above it
  Case,          // opens a branch of a multi-line command; the branch follows one level deeper
  End,           // closes a multi-line command
  EmptyLine,     // code 10: the line an empty branch holds
  EndOfScript,   // code 0: the last line of every script
};

// When an opening line comes with its case and end lines.
enum class TBlockRule : uint8_t {
  None,               // a single line (with continuation lines, for messages and comments)
  Always,             // always a block
  EncounterHandlers,  // only when escape (p3 = 2) or defeat (p4 = 1) runs a handler
  HandlersFlag,       // only when p2 = 1
};

// Which of an opening line's case codes its block has.
enum class TCaseRule : uint8_t {
  All,       // every case code, in order
  Choices,   // one first case per choice of s ("/"-separated, at most four), and a cancellation case
             // (p0 = 4) when p0 is 5
  Handlers,  // the first case; the second when p3 = 2, the third when p4 = 1
  ElseFlag,  // the case only when p5 = 1
};

struct TCommandShape {
  int32_t code = 0;
  // Parameters a new line gets; older lines carry fewer. With moreParams a list of any length
  // follows from there (the goods of a shop, the bytes of a move route).
  int8_t paramCount = 0;
  bool moreParams = false;
  TCommandRole role = TCommandRole::Command;
  TBlockRule block = TBlockRule::None;
  // The first branch follows the opening line without a case line.
  bool directBranch = false;
  TCaseRule caseRule = TCaseRule::All;
  int32_t continuation = 0;
  int32_t cases[3] = {};
  int32_t end = 0;
  // For case, end and continuation lines: the opening command they belong to.
  int32_t owner = 0;

  bool HasCase(int32_t caseCode) const {
    return caseCode != 0 && (cases[0] == caseCode || cases[1] == caseCode || cases[2] == caseCode);
  }
};

// More parameters than any command carries by far: a line of a code the editor does not know is
// kept as it is, unless its count says that it swallowed the lines after it.
inline constexpr int kMaxUnknownParams = 100;

namespace shape_rows {
using R = TCommandRole;
using B = TBlockRule;
using C = TCaseRule;
constexpr TCommandShape Single(int32_t code, int8_t params) { return {.code = code, .paramCount = params}; }
constexpr TCommandShape Structural(int32_t code, R role, int32_t owner, int8_t params = 0) {
  return {.code = code, .paramCount = params, .role = role, .owner = owner};
}
}  // namespace shape_rows

// Every known code, in ascending order.
inline constexpr TCommandShape kCommandShapes[] = {
    shape_rows::Structural(0, TCommandRole::EndOfScript, 0),
    shape_rows::Structural(10, TCommandRole::EmptyLine, 0),
    shape_rows::Single(1005, 1),
    shape_rows::Single(1006, 3),
    shape_rows::Single(1007, 3),
    shape_rows::Single(1008, 7),
    shape_rows::Single(1009, 4),
    {.code = 10110, .continuation = 20110},
    shape_rows::Single(10120, 4),
    shape_rows::Single(10130, 3),
    {.code = 10140,
     .paramCount = 1,
     .block = TBlockRule::Always,
     .caseRule = TCaseRule::Choices,
     .cases = {20140},
     .end = 20141},
    shape_rows::Single(10150, 2),
    shape_rows::Single(10210, 4),
    shape_rows::Single(10220, 7),
    shape_rows::Single(10230, 6),
    shape_rows::Single(10310, 3),
    shape_rows::Single(10320, 5),
    shape_rows::Single(10330, 3),
    shape_rows::Single(10410, 6),
    shape_rows::Single(10420, 6),
    shape_rows::Single(10430, 6),
    shape_rows::Single(10440, 5),
    shape_rows::Single(10450, 5),
    shape_rows::Single(10460, 6),
    shape_rows::Single(10470, 5),
    shape_rows::Single(10480, 4),
    shape_rows::Single(10490, 2),
    shape_rows::Single(10500, 8),
    shape_rows::Single(10610, 1),
    shape_rows::Single(10620, 1),
    shape_rows::Single(10630, 3),
    shape_rows::Single(10640, 2),
    shape_rows::Single(10650, 2),
    shape_rows::Single(10660, 5),
    shape_rows::Single(10670, 4),
    shape_rows::Single(10680, 2),
    shape_rows::Single(10690, 2),
    {.code = 10710,
     .paramCount = 9,
     .block = TBlockRule::EncounterHandlers,
     .caseRule = TCaseRule::Handlers,
     .cases = {20710, 20711, 20712},
     .end = 20713},
    {.code = 10720,
     .paramCount = 4,
     .moreParams = true,
     .block = TBlockRule::HandlersFlag,
     .cases = {20720, 20721},
     .end = 20722},
    {.code = 10730, .paramCount = 3, .block = TBlockRule::HandlersFlag, .cases = {20730, 20731}, .end = 20732},
    shape_rows::Single(10740, 3),
    shape_rows::Single(10810, 4),
    shape_rows::Single(10820, 3),
    shape_rows::Single(10830, 3),
    shape_rows::Single(10840, 0),
    shape_rows::Single(10850, 6),
    shape_rows::Single(10860, 5),
    shape_rows::Single(10870, 2),
    shape_rows::Single(10910, 4),
    shape_rows::Single(10920, 4),
    shape_rows::Single(11010, 1),
    shape_rows::Single(11020, 1),
    shape_rows::Single(11030, 6),
    shape_rows::Single(11040, 7),
    shape_rows::Single(11050, 5),
    shape_rows::Single(11060, 5),
    shape_rows::Single(11070, 2),
    shape_rows::Single(11110, 16),
    shape_rows::Single(11120, 17),
    shape_rows::Single(11130, 1),
    shape_rows::Single(11210, 4),
    shape_rows::Single(11310, 1),
    shape_rows::Single(11320, 7),
    {.code = 11330, .paramCount = 4, .moreParams = true},
    shape_rows::Single(11340, 0),
    shape_rows::Single(11350, 0),
    shape_rows::Single(11410, 2),
    shape_rows::Single(11510, 4),
    shape_rows::Single(11520, 1),
    shape_rows::Single(11530, 0),
    shape_rows::Single(11540, 0),
    shape_rows::Single(11550, 3),
    shape_rows::Single(11560, 5),
    shape_rows::Single(11610, 14),
    shape_rows::Single(11710, 1),
    shape_rows::Single(11720, 6),
    shape_rows::Single(11740, 1),
    shape_rows::Single(11750, 3),
    shape_rows::Single(11810, 6),
    shape_rows::Single(11820, 1),
    shape_rows::Single(11830, 5),
    shape_rows::Single(11840, 1),
    shape_rows::Single(11910, 0),
    shape_rows::Single(11930, 1),
    shape_rows::Single(11950, 0),
    shape_rows::Single(11960, 1),
    {.code = 12010,
     .paramCount = 6,
     .block = TBlockRule::Always,
     .directBranch = true,
     .caseRule = TCaseRule::ElseFlag,
     .cases = {22010},
     .end = 22011},
    shape_rows::Single(12110, 1),
    shape_rows::Single(12120, 1),
    {.code = 12210, .block = TBlockRule::Always, .directBranch = true, .end = 22210},
    shape_rows::Single(12220, 0),
    shape_rows::Single(12310, 0),
    shape_rows::Single(12320, 0),
    shape_rows::Single(12330, 3),
    {.code = 12410, .continuation = 22410},
    shape_rows::Single(12420, 0),
    shape_rows::Single(12510, 0),
    shape_rows::Single(13110, 5),
    shape_rows::Single(13120, 4),
    shape_rows::Single(13130, 3),
    shape_rows::Single(13150, 1),
    shape_rows::Single(13210, 0),
    shape_rows::Single(13260, 5),
    {.code = 13310,
     .paramCount = 6,
     .block = TBlockRule::Always,
     .directBranch = true,
     .caseRule = TCaseRule::ElseFlag,
     .cases = {23310},
     .end = 23311},
    shape_rows::Single(13410, 0),
    shape_rows::Structural(20110, TCommandRole::Continuation, 10110),
    shape_rows::Structural(20140, TCommandRole::Case, 10140, 1),
    shape_rows::Structural(20141, TCommandRole::End, 10140),
    shape_rows::Structural(20710, TCommandRole::Case, 10710),
    shape_rows::Structural(20711, TCommandRole::Case, 10710),
    shape_rows::Structural(20712, TCommandRole::Case, 10710),
    shape_rows::Structural(20713, TCommandRole::End, 10710),
    shape_rows::Structural(20720, TCommandRole::Case, 10720),
    shape_rows::Structural(20721, TCommandRole::Case, 10720),
    shape_rows::Structural(20722, TCommandRole::End, 10720),
    shape_rows::Structural(20730, TCommandRole::Case, 10730),
    shape_rows::Structural(20731, TCommandRole::Case, 10730),
    shape_rows::Structural(20732, TCommandRole::End, 10730),
    shape_rows::Structural(22010, TCommandRole::Case, 12010),
    shape_rows::Structural(22011, TCommandRole::End, 12010),
    shape_rows::Structural(22210, TCommandRole::End, 12210),
    shape_rows::Structural(22410, TCommandRole::Continuation, 12410),
    shape_rows::Structural(23310, TCommandRole::Case, 13310),
    shape_rows::Structural(23311, TCommandRole::End, 13310),
};

// The shape of a code, or none for a code the editor does not know.
constexpr const TCommandShape* FindCommandShape(int32_t code) {
  size_t lo = 0, hi = std::size(kCommandShapes);
  while (lo < hi) {
    const size_t mid = (lo + hi) / 2;
    if (kCommandShapes[mid].code < code)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo < std::size(kCommandShapes) && kCommandShapes[lo].code == code ? &kCommandShapes[lo] : nullptr;
}

// Whether an opening line comes with case and end lines, by its block rule and its parameters.
bool OpensBlock(const TLcfEventScriptLine& line);

// What is wrong with a line of this code carrying count parameters, or nothing: a known code
// carries at most the parameters of its command (older lines carry fewer), an unknown one at most
// kMaxUnknownParams.
std::string ParamCountFault(int32_t code, int64_t count);

// Where a script departs from the shapes: the line (from 0) and what is wrong with it.
struct TScriptFault {
  int line = -1;
  std::string problem;
  explicit operator bool() const { return line >= 0; }
};

// Checks decoded lines against the shapes: every depth follows the block structure (each opening
// line has its case lines, in the order of its shape, and its end line at its depth, only its branches are deeper, and
// each branch holds at least one line, the empty line when it has no command), continuation lines follow their message
// or comment, a known code carries at most the parameters its command has (older lines carry fewer), an unknown code at
// most kMaxUnknownParams, and a script that has lines ends with exactly one end line at depth 0. An empty script
// passes.
TScriptFault CheckScriptShape(const TLcfEventScriptList& lines);

// The same check fed one decoded line at a time, for readers that decode a script without
// keeping its lines (the project search scans packed scripts this way).
class TScriptShapeChecker {
 public:
  // Checks the next line; the first fault sticks and later lines are not looked at. Lines after
  // the end line are only counted, and Finish names them.
  const TScriptFault& Feed(const TLcfEventScriptLine& line);
  // Checks that the script ended whole once every line was fed.
  const TScriptFault& Finish();
  const TScriptFault& Fault() const { return fault_; }

 private:
  struct TOpen {
    int line;      // the opening line's index
    int32_t code;  // the opening line's code
    const TCommandShape* shape;
    int depth;
    int lastCase = -1;  // index in the shape's cases of the last case line, -1 before the first
    int cases = 0;      // case lines seen
    bool awaitingCase;  // the first case line must come next
    bool branchEmpty;   // no line of the current branch has come yet
  };
  void Check(const TLcfEventScriptLine& line);
  void Fail(std::string problem) { fault_ = {index_, std::move(problem)}; }
  void FailUnclosed();

  std::vector<TOpen> open_;
  TScriptFault fault_;
  int index_ = 0;         // the line being fed
  int32_t lastCode_ = 0;  // the line before it
  int32_t lastIndent_ = 0;
  int endLine_ = -1;  // the end line's index once it was fed
};

}  // namespace tess
