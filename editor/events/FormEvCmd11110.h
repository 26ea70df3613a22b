#pragma once
// "Show Picture" and "Move Picture": the picture number, position, magnification and transparency
// in the window, and the tint and effect in "Picture Transformations", opened by "Additional
// Attributes": red, green, blue and saturation sliders with the colour preview strip, and
// "Rotation" or "Waver" (never both) with its speed or magnitude.

#include <functional>

#include "ui/script/FormEvCmdBase.h"

class QLabel;

namespace tess {

class TFormEvCmd11110 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  // code: 11110 or 11120.
  TFormEvCmd11110(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context);
  // Runs "Picture Transformations"; true when it was confirmed with a change.
  bool RunTransformations();
  QString Summary() const;

  // The sub-dialog's window, for tests: made by RunTransformations, shown modally.
  static std::function<void(QDialog&)> transformationsHook;

 private:
  void ShowSummary();
  QLabel* summary_ = nullptr;
};

}  // namespace tess
