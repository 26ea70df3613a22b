#include "events/MoveRouteEdit.h"

#include <algorithm>
#include <cstdio>

#include "core/ClipboardPort.h"

namespace tess {

const TMoveButton kMoveButtons[kMoveCommandCount] = {
    {"Move Up", 0},
    {"Move Right", 1},
    {"Move Down", 2},
    {"Move Left", 3},
    {"Move Up/Right", 4},
    {"Move Down/Right", 5},
    {"Move Down/Left", 6},
    {"Move Up/Left", 7},
    {"Move Randomly", 8},
    {"Move Toward Hero", 9},
    {"Move Away from Hero", 10},
    {"Move Forward", 11},
    {"Increase Move Speed", 28},
    {"Decrease Move Speed", 29},
    {"Face Up", 12},
    {"Face Right", 13},
    {"Face Down", 14},
    {"Face Left", 15},
    {"Turn 90\xB0 Right", 16},
    {"Turn 90\xB0 Left", 17},
    {"Turn 180\xB0", 18},
    {"Right/Left 90\xB0 Turn", 19},
    {"Face Random Direction", 20},
    {"Face Hero", 21},
    {"Face Away from Hero", 22},
    {"Wait", 23},
    {"Move Frequency Up", 30},
    {"Move Frequency Down", 31},
    {"Begin Jump", 24},
    {"End Jump", 25},
    {"Lock Facing", 26},
    {"Unlock Facing", 27},
    {"Phasing Mode ON", 36},
    {"Phasing Mode OFF", 37},
    {"Stop Animation", 38},
    {"Resume Animation", 39},
    {"Increase Transparency", 40},
    {"Reduce Transparency", 41},
    {"Switch ON", 32},
    {"Switch OFF", 33},
    {"Change Graphic", 34},
    {"Play Sound Effect", 35},
};

std::string MoveRouteRowText(const TLcfMoveRouteItem& c) {
  char text[64];
  switch (c.code) {
    case mcSwitchOn:
      std::snprintf(text, sizeof text, "<>Switch [%.4d] ON", static_cast<int>(c.switchId));
      return text;
    case mcSwitchOff:
      std::snprintf(text, sizeof text, "<>Swtich [%.4d] OFF", static_cast<int>(c.switchId));
      return text;
    case mcChangeGraphic:
      std::snprintf(text, sizeof text, "-%d", static_cast<int>(c.graphicIndex) + 1);
      return "<>Change Graphic " + c.graphicName + text;
    case mcSoundEffect:
      return "<>Sound Effect: " + c.soundName;
    default:
      return std::string("<>") + MoveCommandName(c.code);
  }
}

std::string TMoveRouteEdit::RowText(int row) const {
  const TLcfMoveRouteItem* c = route_.CommandAt(row);
  return c ? MoveRouteRowText(*c) : std::string("<>");
}

void TMoveRouteEdit::Select(int row) { selected_ = std::clamp(row, 0, route_.CommandCount()); }

bool TMoveRouteEdit::Insert(const TLcfMoveRouteItem& command) {
  if (!CanAdd()) return false;
  route_.InsertCommand(selected_, command);
  ++selected_;
  return true;
}

bool TMoveRouteEdit::Delete() {
  if (!CommandSelected()) return false;
  route_.DeleteCommand(selected_);
  Select(selected_);
  return true;
}

bool TMoveRouteEdit::Clear() {
  if (route_.CommandCount() == 0) return false;
  route_.ClearCommands();
  selected_ = 0;
  return true;
}

bool TMoveRouteEdit::Copy() const {
  const TLcfMoveRouteItem* c = route_.CommandAt(selected_);
  if (!c) return false;
  Bytes encoding;
  TLcfMoveRoute::EncodeCommands({*c}, encoding);
  Bytes block;
  TByteWriter w(block);
  w.WriteU32(static_cast<uint32_t>(encoding.size()));
  w.WriteBytes(encoding.data(), encoding.size());
  Clipboard().SetBlock(kMoveRouteClipboardFormat, block);
  return true;
}

bool TMoveRouteEdit::CanPaste() { return Clipboard().HasBlock(kMoveRouteClipboardFormat); }

bool TMoveRouteEdit::Paste() {
  const std::optional<Bytes> block = Clipboard().GetBlock(kMoveRouteClipboardFormat);
  if (!block || block->size() < 4) return false;
  std::vector<TLcfMoveRouteItem> commands;
  try {
    TByteReader r(block->data(), block->size());
    const uint32_t size = r.ReadU32();
    if (size > r.Remaining()) return false;
    TLcfMoveRoute::DecodeCommands(r.Here(), size, commands);
  } catch (const std::exception&) {
    return false;
  }
  if (commands.size() != 1) return false;
  route_.InsertCommand(selected_, commands.front());
  ++selected_;
  return true;
}

}  // namespace tess
