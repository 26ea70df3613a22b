#pragma once
// "Tint Screen" (11030), "Flash Screen" (11040) and "Flash Sprite" (11320): the colour (tint
// percentages, or a flash colour and strength 0 to 31) in a group with the colour preview strip
// following it as the author changes it (the tint applied to the samples, or the flash laid over
// them), and the command's other rows under it.

#include "ui/script/FormEvCmdBase.h"

namespace tess {

class TColorBar;

class TFormEvCmd11030 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd11030(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context);
  TColorBar* Bar() const { return bar_; }

 private:
  void ShowColor();
  TColorBar* bar_ = nullptr;
};

}  // namespace tess
