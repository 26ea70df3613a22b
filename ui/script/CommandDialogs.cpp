#include "ui/script/CommandDialogs.h"

#include <map>

#include "script/EventCommandLines.h"
#include "script/EventCommands.h"
#include "ui/script/FormEvCmdBase.h"

namespace tess {

namespace {

std::map<int32_t, TCommandDialogMaker>& Registry() {
  static std::map<int32_t, TCommandDialogMaker> registry;
  return registry;
}

// The window made from the command's parameter schema.
class TFormEvCmdGeneric final : public TFormEvCmdBase {
 public:
  TFormEvCmdGeneric(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context)
      : TFormEvCmdBase(code, lines, context) {
    BuildGenericLayout();
  }
};

// Whether the schema says all a window must: a command whose lines are its opening line and the
// branches BuildCommand makes. Messages and comments have continuation lines, which need their own
// window.
bool SchemaIsEnough(int32_t code) {
  const TEventCommandInfo* info = FindEventCommand(code);
  return info && info->continuation == 0 && FindCommandSchema(code) != nullptr;
}

}  // namespace

void RegisterCommandDialog(int32_t code, TCommandDialogMaker make) { Registry()[code] = make; }

std::unique_ptr<TFormEvCmdBase> MakeCommandDialog(int32_t code, const TLcfEventScriptList& lines,
                                                  TCommandDialogContext& context) {
  if (lines.Count() > 0 && lines.LineAt(0)->code != code) return nullptr;
  if (auto it = Registry().find(code); it != Registry().end()) return it->second(lines, context);
  if (SchemaIsEnough(code)) return std::make_unique<TFormEvCmdGeneric>(code, lines, context);
  return nullptr;
}

bool RunCommandDialog(int32_t code, TLcfEventScriptList& lines, TCommandDialogContext& context) {
  if (std::unique_ptr<TFormEvCmdBase> window = MakeCommandDialog(code, lines, context)) {
    if (!window->Execute()) return false;
    lines = window->Lines();
    return lines.Count() > 0;
  }
  // Commands without a window, and those whose window is not written yet, are built from their
  // defaults or rebuilt as they are.
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
