#include "editor/events/EventCommandWindows.h"

#include "editor/events/FormEvCmd10110.h"
#include "editor/events/FormEvCmd10130.h"
#include "editor/events/FormEvCmd10140.h"
#include "editor/events/FormEvCmd11330.h"
#include "editor/events/FormEvCmd12010.h"
#include "ui/script/CommandDialogs.h"

namespace tess {

namespace {

template <int32_t Code>
std::unique_ptr<TFormEvCmdBase> MakeText(const TLcfEventScriptList& lines, TCommandDialogContext& context) {
  return std::make_unique<TFormEvCmd10110>(Code, lines, context);
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
  RegisterCommandDialog(11330, Make<TFormEvCmd11330>);
  RegisterCommandDialog(12010, Make<TFormEvCmd12010>);
}

}  // namespace tess
