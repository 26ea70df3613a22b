#pragma once
// "Change System Graphics": no window of its own; the picker "Select System Graphic" is the
// dialog, preset from the line (the file, the wallpaper and the font), and OK builds the line from
// what it chose.

#include "ui/script/FormEvCmdBase.h"

namespace tess {

class TFormEvCmd10680 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd10680(const TLcfEventScriptList& lines, TCommandDialogContext& context);
  bool Execute() override;
  // What OK in the picker writes.
  void Take(const std::string& name, int32_t wallpaper, int32_t font);
};

}  // namespace tess
