#include "editor/events/FormEvCmd11550.h"

#include "ui/pickers/FormSelSound.h"

namespace tess {

std::function<void(TFormSelSound& picker)> TFormEvCmd11550::pickerHook;

TFormEvCmd11550::TFormEvCmd11550(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(11550, lines, context) {}

bool TFormEvCmd11550::Execute() {
  TFormSelSound picker(context_.owner);
  TLcfSound& sound = picker.Sound();
  sound.name = form_.Text();
  int32_t* levels[] = {&sound.volume, &sound.tempo, &sound.balance};
  for (int i = 0; i < 3; ++i) *levels[i] = form_.Param(i);
  if (pickerHook)
    pickerHook(picker);
  else
    picker.exec();
  if (picker.result() != QDialog::Accepted) return false;
  if (sound.name != form_.Text()) form_.SetText(sound.name);
  for (int i = 0; i < 3; ++i)
    if (*levels[i] != form_.Param(i)) form_.SetParam(i, *levels[i]);
  Accept();
  return true;
}

}  // namespace tess
