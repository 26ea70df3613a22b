#include "editor/events/EventCommandWindows.h"

#include "editor/events/FormEvCmd10110.h"
#include "editor/events/FormEvCmd10130.h"
#include "editor/events/FormEvCmd10140.h"
#include "editor/events/FormEvCmd10680.h"
#include "editor/events/FormEvCmd10720.h"
#include "editor/events/FormEvCmd10810.h"
#include "editor/events/FormEvCmd11330.h"
#include "editor/events/FormEvCmd11750.h"
#include "editor/events/FormEvCmd12010.h"
#include "editor/events/FormEvCmdLocation.h"
#include "editor/events/FormEvCmdMaterial.h"
#include "ui/script/CommandDialogs.h"

namespace tess {

namespace {

template <int32_t Code>
std::unique_ptr<TFormEvCmdBase> MakeText(const TLcfEventScriptList& lines, TCommandDialogContext& context) {
  return std::make_unique<TFormEvCmd10110>(Code, lines, context);
}

// The windows one class serves for several codes.
template <class Window, int32_t Code>
std::unique_ptr<TFormEvCmdBase> MakeFor(const TLcfEventScriptList& lines, TCommandDialogContext& context) {
  return std::make_unique<Window>(Code, lines, context);
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
  RegisterCommandDialog(10630, MakeFor<TFormEvCmdMaterial, 10630>);
  RegisterCommandDialog(10640, MakeFor<TFormEvCmdMaterial, 10640>);
  RegisterCommandDialog(10650, MakeFor<TFormEvCmdMaterial, 10650>);
  RegisterCommandDialog(10660, MakeFor<TFormEvCmdMaterial, 10660>);
  RegisterCommandDialog(10670, MakeFor<TFormEvCmdMaterial, 10670>);
  RegisterCommandDialog(10680, Make<TFormEvCmd10680>);
  RegisterCommandDialog(10710, MakeFor<TFormEvCmdMaterial, 10710>);
  RegisterCommandDialog(10720, Make<TFormEvCmd10720>);
  RegisterCommandDialog(10810, Make<TFormEvCmd10810>);
  RegisterCommandDialog(10850, MakeFor<TFormEvCmdLocation, 10850>);
  RegisterCommandDialog(10860, MakeFor<TFormEvCmdLocation, 10860>);
  RegisterCommandDialog(11720, MakeFor<TFormEvCmdMaterial, 11720>);
  RegisterCommandDialog(11750, Make<TFormEvCmd11750>);
  RegisterCommandDialog(11810, MakeFor<TFormEvCmdLocation, 11810>);
  RegisterCommandDialog(11830, MakeFor<TFormEvCmdLocation, 11830>);
}

}  // namespace tess
