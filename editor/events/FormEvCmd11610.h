#pragma once
// "Key Input Processing": the variable that receives the key code, the wait, every key box under
// "Keys", and the time taken stored in a second variable (only while waiting). An older line with
// one box for all four directions shows each direction from it.

#include "ui/script/FormEvCmdBase.h"

namespace tess {

class TFormEvCmd11610 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd11610(const TLcfEventScriptList& lines, TCommandDialogContext& context);
};

}  // namespace tess
