#pragma once
// "Move Event": the move route editor in its Move Event mode, with the event context. The line
// holds the target (p0), the frequency (p1), the two route flags (p2, p3) and the route's packed
// bytes one per parameter from p4 on. Accepted untouched, an existing line comes back as it was.

#include "editor/events/FormEDMoveRoute.h"
#include "ui/script/FormEvCmdBase.h"

namespace tess {

class TFormEvCmd11330 : public TFormEvCmdBase {
  Q_OBJECT
 public:
  TFormEvCmd11330(const TLcfEventScriptList& lines, TCommandDialogContext& context);
  ~TFormEvCmd11330() override;
  bool Execute() override;
  void Accept() override;
  // The route editor the command is edited in (made by Execute; tests reach it while it is shown).
  TFormEDMoveRoute* Editor() const { return editor_; }

 private:
  TFormEDMoveRoute* editor_ = nullptr;
  bool edited_ = false;
};

}  // namespace tess
