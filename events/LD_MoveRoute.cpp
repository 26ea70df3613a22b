#include "events/LD_MoveRoute.h"

namespace tess {

namespace {

// In the 8-bit code page of the texts they are shown with: the degree sign is the single byte B0,
// and a name's length is its byte count (the Move Event text is cut by length).
const char* const kMoveCommandNames[kMoveCommandCount] = {
    "Move Up",
    "Move Right",
    "Move Down",
    "Move Left",
    "Move Up/Right",
    "Move Down/Right",
    "Move Down/Left",
    "Move Up/Left",
    "Move Randomly",
    "Move Toward Hero",
    "Move Away from Hero",
    "Move Forward",
    "Face Up",
    "Face Right",
    "Face Down",
    "Face Left",
    "Turn 90\xB0 Right",
    "Turn 90\xB0 Left",
    "Turn 180\xB0",
    "Right/Left 90\xB0 Turn",
    "Face Random Direction",
    "Face Hero",
    "Face Away from Hero",
    "Wait",
    "Begin Jump",
    "End Jump",
    "Lock Facing",
    "Unlock Facing",
    "Increase Move Speed",
    "Decrease Move Speed",
    "Move Frequency Up",
    "Move Frequency Down",
    "Switch ON",
    "Switch OFF",
    "Change Graphic",
    "Sound Effect",
    "Phasing Mode ON",
    "Phasing Mode OFF",
    "Stop Animation",
    "Start Animation",
    "Increase Transp",
    "Reduce Transp",
};

int32_t ReadTracked(TByteReader& r, bool& shortest) {
  size_t start = r.Pos();
  int32_t value = r.ReadInt();
  if (r.Pos() - start != static_cast<size_t>(EncodedIntSize(value))) shortest = false;
  return value;
}

std::string ReadTrackedString(TByteReader& r, bool& shortest) {
  int32_t length = ReadTracked(r, shortest);
  if (length < 0 || static_cast<size_t>(length) > r.Remaining()) throw EReadError();
  std::string s(reinterpret_cast<const char*>(r.Here()), static_cast<size_t>(length));
  r.Skip(static_cast<size_t>(length));
  return s;
}

}  // namespace

const char* MoveCommandName(int32_t code) {
  return code >= 0 && code < kMoveCommandCount ? kMoveCommandNames[code] : "?";
}

TLcfMoveRouteItem* TLcfMoveRoute::CommandAt(int index) {
  return index >= 0 && index < CommandCount() ? &commands_[static_cast<size_t>(index)] : nullptr;
}

const TLcfMoveRouteItem* TLcfMoveRoute::CommandAt(int index) const {
  return index >= 0 && index < CommandCount() ? &commands_[static_cast<size_t>(index)] : nullptr;
}

TLcfMoveRouteItem& TLcfMoveRoute::AppendCommand(const TLcfMoveRouteItem& command) {
  commands_.push_back(command);
  return commands_.back();
}

void TLcfMoveRoute::InsertCommand(int index, const TLcfMoveRouteItem& command) {
  if (index < 0 || index > CommandCount()) index = CommandCount();
  commands_.insert(commands_.begin() + index, command);
}

void TLcfMoveRoute::DeleteCommand(int index) {
  if (index >= 0 && index < CommandCount()) commands_.erase(commands_.begin() + index);
}

bool TLcfMoveRoute::DecodeCommands(const uint8_t* data, size_t size, std::vector<TLcfMoveRouteItem>& out) {
  std::vector<TLcfMoveRouteItem> decoded;
  TByteReader r(data, size);
  bool shortest = true;
  while (!r.AtEnd()) {
    TLcfMoveRouteItem c;
    c.code = ReadTracked(r, shortest);
    switch (c.code) {
      case mcSwitchOn:
      case mcSwitchOff:
        c.switchId = ReadTracked(r, shortest);
        break;
      case mcChangeGraphic:
        c.graphicName = ReadTrackedString(r, shortest);
        c.graphicIndex = ReadTracked(r, shortest);
        break;
      case mcSoundEffect:
        c.soundName = ReadTrackedString(r, shortest);
        c.volume = ReadTracked(r, shortest);
        c.tempo = ReadTracked(r, shortest);
        c.balance = ReadTracked(r, shortest);
        break;
      default:
        break;
    }
    decoded.push_back(std::move(c));
  }
  out = std::move(decoded);
  return shortest;
}

void TLcfMoveRoute::EncodeCommands(const std::vector<TLcfMoveRouteItem>& commands, Bytes& block) {
  block.clear();
  TByteWriter w(block);
  for (const TLcfMoveRouteItem& c : commands) {
    w.WriteInt(c.code);
    switch (c.code) {
      case mcSwitchOn:
      case mcSwitchOff:
        w.WriteInt(c.switchId);
        break;
      case mcChangeGraphic:
        w.WriteString(c.graphicName);
        w.WriteInt(c.graphicIndex);
        break;
      case mcSoundEffect:
        w.WriteString(c.soundName);
        w.WriteInt(c.volume);
        w.WriteInt(c.tempo);
        w.WriteInt(c.balance);
        break;
      default:
        break;
    }
  }
}

void TLcfMoveRoute::SetPackedBytes(const uint8_t* bytes, size_t size) {
  std::vector<TLcfMoveRouteItem> decoded;
  bool shortest = DecodeCommands(bytes, size, decoded);
  commands_ = std::move(decoded);
  routeBytes.assign(bytes, bytes + size);
  routeSize = static_cast<int32_t>(size);
  loadedBlock_.clear();
  loadedBlockRepacked_.clear();
  if (!shortest) {
    loadedBlock_ = routeBytes;
    EncodeCommands(commands_, loadedBlockRepacked_);
  }
}

const Bytes& TLcfMoveRoute::GetPackedBytes() {
  Pack();
  return routeBytes;
}

void TLcfMoveRoute::PackInto(Bytes& block) const {
  EncodeCommands(commands_, block);
  if (!loadedBlock_.empty() && block == loadedBlockRepacked_) block = loadedBlock_;
}

void TLcfMoveRoute::Pack() {
  PackInto(routeBytes);
  routeSize = static_cast<int32_t>(routeBytes.size());
}

void TLcfMoveRoute::DescribeChunks(TCatalogVarData& v) {
  if (v.Writing()) {
    // The commands are the route; the block is written as they pack now.
    Bytes packed;
    PackInto(packed);
    v.Count(11, routeSize, packed.size());
    v.Array(12, packed);
  } else {
    v.Integer(11, routeSize, 0);
    v.Array(12, routeBytes);
    if (v.Reading()) {
      Bytes block = std::move(routeBytes);
      SetPackedBytes(block.data(), block.size());
    } else {
      commands_.clear();
      loadedBlock_.clear();
      loadedBlockRepacked_.clear();
    }
  }
  v.Flag(21, repeat, 1);
  v.Flag(22, skipImpossible, 0);
}

}  // namespace tess
