#pragma once
// "Call Event": a common event, a map event with its page number (from 1), or an event and a page
// whose numbers are stored in variables; each choice with its own controls beside it.

#include "ui/script/FormEvCmdBase.h"

namespace tess {

class TFormEvCmd12330 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd12330(const TLcfEventScriptList& lines, TCommandDialogContext& context);
};

}  // namespace tess
