#pragma once
// "Play BGM": runs the music picker on the line's music (file, fade-in, volume, tempo and balance) and
// builds the line from the picker's choice on OK. A new command opens on the last one confirmed,
// at first "(OFF)". The picker writes only the values the author changed in it.

#include <functional>

#include "ui/script/FormEvCmdBase.h"

namespace tess {

class TFormSelMusic;

class TFormEvCmd11510 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd11510(const TLcfEventScriptList& lines, TCommandDialogContext& context);
  bool Execute() override;

  // The picker's run, for tests: made by Execute, shown modally.
  static std::function<void(TFormSelMusic& picker)> pickerHook;
};

}  // namespace tess
