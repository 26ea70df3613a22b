#include "editor/events/FormEvCmd11330.h"

#include "maps/LD_Map.h"

namespace tess {

TFormEvCmd11330::TFormEvCmd11330(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(11330, lines, context) {}

TFormEvCmd11330::~TFormEvCmd11330() = default;

bool TFormEvCmd11330::Execute() {
  const TEventScriptConverter& c = context_.converter;
  TFormEDMoveRoute::TContext route;
  route.database = c.EditableDatabase;
  route.map = c.Map;
  route.eventId = static_cast<int32_t>(c.EventId);
  if (c.Event) route.eventName = c.Event->name;
  TFormEDMoveRoute editor(false, route, context_.owner);
  editor_ = &editor;
  if (const TLcfEventScriptLine* line = given_.LineAt(0)) {
    editor.target = line->Param(0);
    editor.frequency = line->Param(1);
    editor.route.repeat = line->Param(2) != 0;
    editor.route.skipImpossible = line->Param(3) != 0;
    Bytes bytes;
    for (int i = 4; i < line->ParamCount(); ++i) bytes.push_back(static_cast<uint8_t>(line->Param(i)));
    try {
      editor.route.SetPackedBytes(bytes.data(), bytes.size());
    } catch (const std::exception&) {
      // A damaged route opens empty; the line stays as it was unless the author confirms.
    }
  }
  const bool ok = editor.exec() == QDialog::Accepted;
  editor_ = nullptr;
  context_.changedElsewhere = context_.changedElsewhere || editor.changedElsewhere;
  if (!ok) return false;
  TLcfEventScriptLine line(11330, 0);
  line.params = {editor.target, editor.frequency, editor.route.repeat, editor.route.skipImpossible};
  const Bytes& packed = editor.route.GetPackedBytes();
  for (uint8_t b : packed) line.params.push_back(b);
  lines_.ClearLines();
  lines_.AppendLine(line);
  edited_ = true;
  return true;
}

void TFormEvCmd11330::Accept() {
  if (edited_) return;
  // Untouched: an existing line as given; a new one as the form's defaults build it.
  if (given_.Count() > 0) {
    lines_ = given_;
    if (TLcfEventScriptLine* first = lines_.LineAt(0)) {
      const int shift = first->indent;
      for (int i = 0; i < lines_.Count(); ++i) lines_.LineAt(i)->indent -= shift;
    }
    return;
  }
  TFormEvCmdBase::Accept();
}

}  // namespace tess
