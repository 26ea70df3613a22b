#pragma once
// "Play Sound Effect": runs the sound picker on the line's sound (file, volume, tempo and balance) and
// builds the line from the picker's choice on OK. A new command opens on the last one confirmed,
// at first "(OFF)". The picker writes only the values the author changed in it.

#include <functional>

#include "ui/script/FormEvCmdBase.h"

namespace tess {

class TFormSelSound;

class TFormEvCmd11550 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd11550(const TLcfEventScriptList& lines, TCommandDialogContext& context);
  bool Execute() override;

  // The picker's run, for tests: made by Execute, shown modally.
  static std::function<void(TFormSelSound& picker)> pickerHook;
};

}  // namespace tess
