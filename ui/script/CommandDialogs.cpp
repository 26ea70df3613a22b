#include "ui/script/CommandDialogs.h"

#include "script/EventCommandLines.h"

namespace tess {

bool RunCommandDialog(int32_t code, TLcfEventScriptList& lines, TCommandDialogContext&) {
  if (lines.Count() == 0) {
    lines = NewCommandLines(code);
    return lines.Count() > 0;
  }
  if (lines.LineAt(0)->code != code) return false;
  TLcfEventScriptList rebuilt;
  if (!RebuildWithoutDialog(lines, rebuilt)) return false;
  lines = std::move(rebuilt);
  return true;
}

}  // namespace tess
