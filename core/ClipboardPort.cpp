#include "core/ClipboardPort.h"

#include "core/StreamUtils.h"

namespace tess {

std::optional<Bytes> TMemoryClipboard::GetBlock(int format) {
  auto it = blocks_.find(format);
  if (it == blocks_.end()) return std::nullopt;
  return it->second;
}

void TMemoryClipboard::SetBlock(int format, const Bytes& block) {
  blocks_.clear();
  text_.clear();
  blocks_[format] = block;
}

void TMemoryClipboard::SetText(const std::string& text) {
  blocks_.clear();
  text_ = text;
}

namespace {
TMemoryClipboard& MemoryClipboard() {
  static TMemoryClipboard clipboard;
  return clipboard;
}
ClipboardPort* currentPort = nullptr;
}  // namespace

ClipboardPort& Clipboard() { return currentPort ? *currentPort : MemoryClipboard(); }
void SetClipboardPort(ClipboardPort* port) { currentPort = port; }

TClipboardPortScope::TClipboardPortScope(ClipboardPort* port) : previous_(currentPort) { currentPort = port; }
TClipboardPortScope::~TClipboardPortScope() { currentPort = previous_; }

Bytes EncodeClipboardBlock(uint32_t itemCount, const Bytes& data) {
  Bytes block;
  block.reserve(data.size() + 8);
  TByteWriter w(block);
  w.WriteU32(static_cast<uint32_t>(data.size()));
  w.WriteU32(itemCount);
  w.WriteBytes(data.data(), data.size());
  return block;
}

TClipboardBlock DecodeClipboardBlock(const Bytes& block) {
  TByteReader r(block.data(), block.size());
  TClipboardBlock out;
  uint32_t size = r.ReadU32();
  out.itemCount = r.ReadU32();
  if (size > r.Remaining()) throw EReadError();
  out.data.assign(r.Here(), r.Here() + size);
  return out;
}

}  // namespace tess
