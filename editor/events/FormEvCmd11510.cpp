#include "editor/events/FormEvCmd11510.h"

#include "ui/pickers/FormSelMusic.h"

namespace tess {

std::function<void(TFormSelMusic& picker)> TFormEvCmd11510::pickerHook;

TFormEvCmd11510::TFormEvCmd11510(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(11510, lines, context) {}

bool TFormEvCmd11510::Execute() {
  TFormSelMusic picker(context_.owner);
  TLcfMusic& music = picker.Music();
  music.name = form_.Text();
  int32_t* levels[] = {&music.fadeIn, &music.volume, &music.tempo, &music.balance};
  for (int i = 0; i < 4; ++i) *levels[i] = form_.Param(i);
  if (pickerHook)
    pickerHook(picker);
  else
    picker.exec();
  if (picker.result() != QDialog::Accepted) return false;
  if (music.name != form_.Text()) form_.SetText(music.name);
  for (int i = 0; i < 4; ++i)
    if (*levels[i] != form_.Param(i)) form_.SetParam(i, *levels[i]);
  Accept();
  return true;
}

}  // namespace tess
