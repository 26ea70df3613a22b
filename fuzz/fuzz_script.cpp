// Decodes, renders and edits event scripts from arbitrary bytes. The input is a 16-bit
// little-endian length, a packed script block of that length, and then pairs of bytes, each an
// editing operation and its argument. After every operation the script must still end with its
// end line, the rows must match the lines, and the current row and the selection must lie inside
// the script.
#include <cstdlib>

#include "core/ClipboardPort.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "script/EventCommandLines.h"
#include "script/ScriptEditModel.h"

namespace {

using namespace tess;

struct TWorld {
  TLcfDataBase db;
  TLcfMapTree tree;
  TLcfMap map;
  TLcfMonGroupItem troop;
  TMemoryClipboard clipboard;
  TWorld() {
    db.switches.Resize(3);
    db.switches.ItemAt(0)->name = "Door";
    db.heroes.ItemAt(0)->name = "Alex";
    tree.AddNode(0, 0);
    tree.AddNode(0, 1)->nodeType = TLcfMapTreeItem::kMap;
    map.events.Obtain(1)->name = "Chest";
    troop.members.Append()->monsterId = 1;
    troop.members.Append()->monsterId = 7;
    SetClipboardPort(&clipboard);
  }
};

void Check(const ScriptEditModel& model, const TLcfEventScriptList& script) {
  const int count = script.Count();
  if (count == 0 || script.LineAt(count - 1)->code != 0) std::abort();
  if (model.RowCount() != count) std::abort();
  if (model.ItemIndex() < 0 || model.ItemIndex() >= count) std::abort();
  if (model.SelStart() >= 0 && (model.SelStart() > model.SelEnd() || model.SelEnd() >= count)) std::abort();
  if (model.TopIndex() < 0 || model.TopIndex() >= count) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TWorld world;
  if (size < 2) return 0;
  const size_t length = std::min<size_t>(size - 2, data[0] | data[1] << 8);
  const uint8_t* ops = data + 2 + length;
  const uint8_t* end = data + size;

  TLcfEventScriptList script;
  try {
    script.DecodeFrom(data + 2, length);
    // A block that decodes encodes to one that decodes to the same lines and the same bytes.
    Bytes once;
    script.EncodeTo(once);
    TLcfEventScriptList again;
    if (!again.DecodeFrom(once) || !(again == script)) std::abort();
    Bytes twice;
    again.EncodeTo(twice);
    if (twice != once) std::abort();
  } catch (const ETessError&) {
    if (script.Count() != 0) std::abort();  // a damaged block changes nothing
  }
  TEventScriptConverter converter(world.db);
  converter.EventId = 1;
  converter.MapTree = &world.tree;
  converter.Map = &world.map;
  converter.Troop = &world.troop;
  const TScriptKind kind = static_cast<TScriptKind>(ops < end ? *ops % 3 : 0);
  ScriptEditModel model(converter, kind);
  model.Attach(&script);
  Check(model, script);

  const auto commands = EventCommands();
  for (const uint8_t* op = ops + 1; op + 1 < end; op += 2) {
    const int arg = op[1];
    const bool extend = arg & 0x80;
    // Pasting a script into itself doubles it: past a few thousand lines only the other operations
    // run, so that an input stays quick.
    const int operation = *op % 11;
    if (script.Count() > 4000 && (operation == 2 || operation == 5 || operation == 9)) continue;
    switch (operation) {
      case 0:
        model.SetItemIndex(arg % (script.Count() + 2) - 1, extend);
        break;
      case 1:
        model.Move(static_cast<TScriptKey>(arg % 6), extend);
        break;
      case 2:
        model.Insert(NewCommandLines(commands[static_cast<size_t>(arg) % commands.size()].code));
        break;
      case 3:
        model.Copy();
        break;
      case 4:
        model.Cut();
        break;
      case 5:
        model.Paste();
        break;
      case 6:
        model.Delete();
        break;
      case 7:
        model.SelectAll();
        break;
      case 8: {
        TLcfEventScriptList rebuilt;
        if (RebuildWithoutDialog(model.SelectedLines(), rebuilt)) model.ReplaceSelection(rebuilt);
        break;
      }
      case 9: {
        // The next arg bytes go on the clipboard as a command block, which is then pasted.
        const size_t n = std::min<size_t>(static_cast<size_t>(arg), static_cast<size_t>(end - op - 2));
        Clipboard().SetBlock(kClipEventCommands, Bytes(op + 2, op + 2 + n));
        model.Paste();
        op += n;
        break;
      }
      default:
        model.SetVisibleRows(arg % 40);
        model.SetTopIndex(arg);
        break;
    }
    model.MenuState();
    Check(model, script);
  }
  for (int i = 0; i < script.Count(); ++i) converter.LineText(*script.LineAt(i));
  return 0;
}
