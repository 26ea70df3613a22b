#include "editor/events/FormEvCmd10680.h"

#include "ui/pickers/FormSelSystem.h"

namespace tess {

TFormEvCmd10680::TFormEvCmd10680(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(10680, lines, context) {}

void TFormEvCmd10680::Take(const std::string& name, int32_t wallpaper, int32_t font) {
  if (name != form_.Text()) form_.SetText(name);
  if (wallpaper != form_.Value("wallpaper")) form_.Set("wallpaper", wallpaper);
  if (font != form_.Value("font")) form_.Set("font", font);
}

bool TFormEvCmd10680::Execute() {
  TFormSelSystem picker(parentWidget());
  picker.materialName = form_.Text();
  picker.wallpaper = form_.Value("wallpaper");
  picker.font = form_.Value("font");
  if (picker.exec() != QDialog::Accepted) return false;
  Take(picker.materialName, picker.wallpaper, picker.font);
  Accept();
  return true;
}

}  // namespace tess
