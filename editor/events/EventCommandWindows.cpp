#include "editor/events/EventCommandWindows.h"

#include "editor/events/FormEvCmd10110.h"
#include "editor/events/FormEvCmd10130.h"
#include "editor/events/FormEvCmd10140.h"
#include "editor/events/FormEvCmd11030.h"
#include "editor/events/FormEvCmd11110.h"
#include "editor/events/FormEvCmd11510.h"
#include "editor/events/FormEvCmd11520.h"
#include "editor/events/FormEvCmd11550.h"
#include "editor/events/FormEvCmd11560.h"
#include "editor/events/FormEvCmd11610.h"
#include "editor/events/FormEvCmd12010.h"
#include "editor/events/FormEvCmd12330.h"
#include "editor/events/FormEvCmd13260.h"
#include "ui/script/CommandDialogs.h"

namespace tess {

namespace {

template <int32_t Code>
std::unique_ptr<TFormEvCmdBase> MakeText(const TLcfEventScriptList& lines, TCommandDialogContext& context) {
  return std::make_unique<TFormEvCmd10110>(Code, lines, context);
}

template <int32_t Code>
std::unique_ptr<TFormEvCmdBase> MakePicture(const TLcfEventScriptList& lines, TCommandDialogContext& context) {
  return std::make_unique<TFormEvCmd11110>(Code, lines, context);
}

template <class Window>
std::unique_ptr<TFormEvCmdBase> Make(const TLcfEventScriptList& lines, TCommandDialogContext& context) {
  return std::make_unique<Window>(lines, context);
}

}  // namespace

void RegisterEventCommandWindows() {
  RegisterCommandDialog(10110, MakeText<10110>);
  RegisterCommandDialog(12410, MakeText<12410>);
  RegisterCommandDialog(10130, Make<TFormEvCmd10130>);
  RegisterCommandDialog(10140, Make<TFormEvCmd10140>);
  RegisterCommandDialog(12010, Make<TFormEvCmd12010>);
  RegisterCommandDialog(11030, Make<TFormEvCmd11030>);
  RegisterCommandDialog(11110, MakePicture<11110>);
  RegisterCommandDialog(11120, MakePicture<11120>);
  RegisterCommandDialog(11510, Make<TFormEvCmd11510>);
  RegisterCommandDialog(11520, Make<TFormEvCmd11520>);
  RegisterCommandDialog(11550, Make<TFormEvCmd11550>);
  RegisterCommandDialog(11560, Make<TFormEvCmd11560>);
  RegisterCommandDialog(11610, Make<TFormEvCmd11610>);
  RegisterCommandDialog(12330, Make<TFormEvCmd12330>);
  RegisterCommandDialog(13260, Make<TFormEvCmd13260>);
}

}  // namespace tess
