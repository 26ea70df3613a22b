#pragma once
// The windows of the commands that name a material file beside their other rows: 10630 Change
// Sprite Association and 10650 Change Vehicle Graphics (a character of a sheet, "Select Sprite"),
// 10640 Change Face Association (a face, "Select Face Graphic"), 10660 Change System BGM (the music
// picker with fade-in, volume, tempo and balance), 10670 Change System Sound Effects (the sound
// picker with volume, tempo and balance), 10710 Enemy Encounter (the backdrop, "Select Battle
// Background") and 11720 Change Parallax Background (the panorama picker). The rows are laid out as
// the generic window does; the file's row gets a "..." button that runs its picker, preset from
// the line, and writes back what the picker chose. A file that no longer exists is shown by name
// and kept until another is picked.
//
// 13210 Change Battle Background has nothing but its file: the backdrop picker is its whole
// window, and OK there builds the line.

#include <functional>

#include "ui/script/FormEvCmdBase.h"

class QPushButton;

namespace tess {

class TFormEvCmdMaterial : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmdMaterial(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context);

  QPushButton* PickButton() const { return pick_; }
  // Runs the picker of the file row only, when the file is all the command holds; else the window.
  bool Execute() override;
  // Runs the picker of the file row (modal); true when it was confirmed.
  bool Pick();
  // What OK in the picker writes: the file, and the cell or the levels the picker chose (values
  // the command keeps from index on: the cell, or fade-in/volume/tempo/balance).
  void TakeFile(const std::string& name, const std::vector<int32_t>& values);

  // The pickers' runs, for tests: made by Pick, shown modally.
  static std::function<void(QDialog& picker)> pickerHook;

 private:
  const TFieldRow* file_ = nullptr;
  QPushButton* pick_ = nullptr;
};

}  // namespace tess
