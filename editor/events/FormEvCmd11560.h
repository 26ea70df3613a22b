#pragma once
// "Play Movie": the movie chosen in "Select Movie File" (shown by name, "Set" opens the picker),
// the position given directly or through two variables, and the size.

#include "ui/script/FormEvCmdBase.h"

class QLabel;

namespace tess {

class TFormEvCmd11560 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd11560(const TLcfEventScriptList& lines, TCommandDialogContext& context);
  QString MovieText() const;
  // What choosing a movie in the picker does.
  void SetMovie(const std::string& name);

 private:
  void ShowMovie();
  QLabel* movie_ = nullptr;
};

}  // namespace tess
