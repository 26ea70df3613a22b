#pragma once
// "Teleport": no window of its own; the location picker "Select Location" is the dialog. A new
// teleport opens on the current map at the edited event's cell (else the middle of the map view),
// an edited one on its map, cell and facing. OK writes the picked map, cell and facing.

#include "ui/pickers/FormSelLocation.h"
#include "ui/script/FormEvCmdBase.h"

namespace tess {

class TFormEvCmd10810 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd10810(const TLcfEventScriptList& lines, TCommandDialogContext& context);
  bool Execute() override;
  // Where the picker opens.
  TLocation Start() const;
  // What OK in the picker does with the picked location.
  void Take(const TLocation& location);
};

}  // namespace tess
