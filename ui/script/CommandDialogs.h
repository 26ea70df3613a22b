#pragma once
// Where the choosers get a command's lines from: the command's window, given the lines to edit (or
// none for a new command) and the editing context. A code's window is the hand-written dialog
// registered for it, else a dialog built from the command's parameter schema; commands without
// parameters (and the loop) are built with no window at all.

#include <cstdint>
#include <memory>

#include "events/LD_EventScript.h"
#include "script/EventScriptConverter.h"

class QWidget;

namespace tess {

class TFormEvCmdBase;

struct TCommandDialogContext {
  const TEventScriptConverter& converter;  // the editing context: event, map tree, map, troop
  QWidget* owner = nullptr;
  // Set when the dialog changed the database on the side, even when it was cancelled.
  bool changedElsewhere = false;
};

// Makes the hand-written window of a code.
using TCommandDialogMaker = std::unique_ptr<TFormEvCmdBase> (*)(const TLcfEventScriptList& lines,
                                                                TCommandDialogContext& context);
// Registers the hand-written window of a code (the editor registers its dialogs at start).
void RegisterCommandDialog(int32_t code, TCommandDialogMaker make);

// The window of a code on lines (empty for a new command), not yet shown; none when the code is
// built without a window or has no window yet.
std::unique_ptr<TFormEvCmdBase> MakeCommandDialog(int32_t code, const TLcfEventScriptList& lines,
                                                  TCommandDialogContext& context);

// Runs the window of code on lines: empty for a new command, else the command's lines. Returns
// true when lines hold the command's new lines, the first at depth 0; on false lines are as given.
bool RunCommandDialog(int32_t code, TLcfEventScriptList& lines, TCommandDialogContext& context);

}  // namespace tess
