#pragma once
// "Tint Screen": the colour percentages, the duration and the wait, with the colour preview strip
// following the percentages as the author changes them.

#include "ui/script/FormEvCmdBase.h"

namespace tess {

class TColorBar;

class TFormEvCmd11030 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd11030(const TLcfEventScriptList& lines, TCommandDialogContext& context);
  TColorBar* Bar() const { return bar_; }

 private:
  void ShowColor();
  TColorBar* bar_ = nullptr;
};

}  // namespace tess
