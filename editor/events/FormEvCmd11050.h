#pragma once
// "Shake Screen": strength and speed each on a slider from 1 to 9 named "Weak", "Medium", "Strong"
// and "Slow", "Medium", "Fast" along it, with its number beside it; then "Shake once for" with
// the duration, "Begin Shaking" and "Cease Shaking", and the wait. A stored strength or speed off
// the scale shows in its number and is kept until the author moves it.

#include "ui/script/FormEvCmdBase.h"

class QSlider;

namespace tess {

class TFormEvCmd11050 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd11050(const TLcfEventScriptList& lines, TCommandDialogContext& context);
  QSlider* Slider(const char* key) const;

 private:
  void FollowEnabling();
};

}  // namespace tess
