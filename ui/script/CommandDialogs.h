#pragma once
// Where the choosers get a command's lines from: the command's dialog, given the lines to edit (or
// none for a new command) and the editing context.

#include <cstdint>

#include "events/LD_EventScript.h"
#include "script/EventScriptConverter.h"

class QWidget;

namespace tess {

struct TCommandDialogContext {
  const TEventScriptConverter& converter;  // the editing context: event, map tree, map, troop
  QWidget* owner = nullptr;
  // Set when the dialog changed the database on the side.
  bool changedElsewhere = false;
};

// Runs the dialog of code on lines: empty for a new command, else the command's lines. Returns
// true when lines hold the command's new lines, the first at depth 0. A new command is made with
// its default parameters; an existing one is rebuilt here only when its command has no dialog.
bool RunCommandDialog(int32_t code, TLcfEventScriptList& lines, TCommandDialogContext& context);

}  // namespace tess
