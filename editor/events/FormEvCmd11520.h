#pragma once
// "Fade Out BGM": the fade-out time entered in seconds (0 to 20) and stored in milliseconds, with
// two preview buttons: fade the playing music out over that time, and play again the music last
// started from a music picker.

#include "ui/script/FormEvCmdBase.h"

class QSpinBox;

namespace tess {

class TFormEvCmd11520 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd11520(const TLcfEventScriptList& lines, TCommandDialogContext& context);
  QSpinBox* Seconds() const { return seconds_; }

 private:
  QSpinBox* seconds_ = nullptr;
};

}  // namespace tess
