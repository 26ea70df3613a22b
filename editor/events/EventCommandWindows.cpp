#include "editor/events/EventCommandWindows.h"

#include "editor/events/FormEvCmd10110.h"
#include "editor/events/FormEvCmd10130.h"
#include "editor/events/FormEvCmd10140.h"
#include "editor/events/FormEvCmd10680.h"
#include "editor/events/FormEvCmd10720.h"
#include "editor/events/FormEvCmd10810.h"
#include "editor/events/FormEvCmd11030.h"
#include "editor/events/FormEvCmd11050.h"
#include "editor/events/FormEvCmd11110.h"
#include "editor/events/FormEvCmd11330.h"
#include "editor/events/FormEvCmd11510.h"
#include "editor/events/FormEvCmd11520.h"
#include "editor/events/FormEvCmd11550.h"
#include "editor/events/FormEvCmd11560.h"
#include "editor/events/FormEvCmd11610.h"
#include "editor/events/FormEvCmd11750.h"
#include "editor/events/FormEvCmd12010.h"
#include "editor/events/FormEvCmd12330.h"
#include "editor/events/FormEvCmd13260.h"
#include "editor/events/FormEvCmdLocation.h"
#include "editor/events/FormEvCmdMaterial.h"
#include "ui/script/CommandDialogs.h"

namespace tess {

namespace {

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
  RegisterCommandDialog(10110, MakeFor<TFormEvCmd10110, 10110>);
  RegisterCommandDialog(10130, Make<TFormEvCmd10130>);
  RegisterCommandDialog(10140, Make<TFormEvCmd10140>);
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
  RegisterCommandDialog(11030, MakeFor<TFormEvCmd11030, 11030>);
  RegisterCommandDialog(11040, MakeFor<TFormEvCmd11030, 11040>);
  RegisterCommandDialog(11050, Make<TFormEvCmd11050>);
  RegisterCommandDialog(11110, MakeFor<TFormEvCmd11110, 11110>);
  RegisterCommandDialog(11120, MakeFor<TFormEvCmd11110, 11120>);
  RegisterCommandDialog(11320, MakeFor<TFormEvCmd11030, 11320>);
  RegisterCommandDialog(11330, Make<TFormEvCmd11330>);
  RegisterCommandDialog(11510, Make<TFormEvCmd11510>);
  RegisterCommandDialog(11520, Make<TFormEvCmd11520>);
  RegisterCommandDialog(11550, Make<TFormEvCmd11550>);
  RegisterCommandDialog(11560, Make<TFormEvCmd11560>);
  RegisterCommandDialog(11610, Make<TFormEvCmd11610>);
  RegisterCommandDialog(11720, MakeFor<TFormEvCmdMaterial, 11720>);
  RegisterCommandDialog(11750, Make<TFormEvCmd11750>);
  RegisterCommandDialog(11810, MakeFor<TFormEvCmdLocation, 11810>);
  RegisterCommandDialog(11830, MakeFor<TFormEvCmdLocation, 11830>);
  RegisterCommandDialog(12010, MakeFor<TFormEvCmd12010, 12010>);
  RegisterCommandDialog(12330, Make<TFormEvCmd12330>);
  RegisterCommandDialog(12410, MakeFor<TFormEvCmd10110, 12410>);
  RegisterCommandDialog(13210, MakeFor<TFormEvCmdMaterial, 13210>);
  RegisterCommandDialog(13260, Make<TFormEvCmd13260>);
  RegisterCommandDialog(13310, MakeFor<TFormEvCmd12010, 13310>);
}

}  // namespace tess
