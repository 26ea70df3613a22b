#pragma once
// "Show Choices": four choice boxes and the cancellation. Trailing empty choices are dropped (the
// first is always kept); each kept choice keeps its branch, and "Execute Handler" adds the
// cancellation branch.

#include <array>

#include "ui/script/FormEvCmdBase.h"

class QLineEdit;
class QButtonGroup;

namespace tess {

class TFormEvCmd10140 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd10140(const TLcfEventScriptList& lines, TCommandDialogContext& context);
  QLineEdit* Choice(int index) const { return choices_[static_cast<size_t>(index)]; }
  QButtonGroup* Cancellation() const { return cancel_; }

 private:
  void ShowCancellation();
  std::array<QLineEdit*, 4> choices_{};
  QButtonGroup* cancel_ = nullptr;
};

}  // namespace tess
