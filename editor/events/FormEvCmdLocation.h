#pragma once
// The windows of the commands that name a place: 10850 Set Vehicle Location, 10860 Change Event
// Location, 11810 Teleport Target Management and 11830 Set Escape Target. Each shows its rows as
// the generic window does and adds "Select Location...", which runs the location picker on the
// place shown and writes the picked map, cell (and facing, where the command has one). Change
// Event Location picks a cell of the current map only.

#include "ui/pickers/FormSelLocation.h"
#include "ui/script/FormEvCmdBase.h"

class QPushButton;

namespace tess {

class TFormEvCmdLocation : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmdLocation(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context);

  // The place the picker opens on, and what its OK does with the picked one.
  TLocation Place() const;
  void Take(const TLocation& location);
  QPushButton* SelectButton() const { return select_; }

 private:
  void UpdateButton();
  // The keys of the place's rows; "" where the command has none.
  const char* map_ = "";
  const char* facing_ = "";
  QPushButton* select_ = nullptr;
};

}  // namespace tess
