#pragma once
// The clipboard as the models see it: private blocks under numbered formats and plain text. The
// editor installs an adapter for the desktop clipboard; tools and tests use the in-memory one.

#include <map>
#include <optional>
#include <string>

#include "core/Stream.h"

namespace tess {

class ClipboardPort {
 public:
  virtual ~ClipboardPort() = default;
  virtual bool HasBlock(int format) = 0;
  // The block under format, or nothing when the clipboard holds none of that format.
  virtual std::optional<Bytes> GetBlock(int format) = 0;
  // Replaces the clipboard's contents with this one block.
  virtual void SetBlock(int format, const Bytes& block) = 0;
  virtual std::string GetText() = 0;
  virtual void SetText(const std::string& text) = 0;
};

// A clipboard that lives in the process: the default until the editor installs its own.
class TMemoryClipboard final : public ClipboardPort {
 public:
  bool HasBlock(int format) override { return blocks_.count(format) != 0; }
  std::optional<Bytes> GetBlock(int format) override;
  void SetBlock(int format, const Bytes& block) override;
  std::string GetText() override { return text_; }
  void SetText(const std::string& text) override;

 private:
  std::map<int, Bytes> blocks_;
  std::string text_;
};

// The process-wide clipboard. SetClipboardPort(nullptr) goes back to the in-memory one.
ClipboardPort& Clipboard();
void SetClipboardPort(ClipboardPort* port);

// Installs a clipboard for the life of the scope and puts the previous one back afterwards.
class TClipboardPortScope {
 public:
  explicit TClipboardPortScope(ClipboardPort* port);
  ~TClipboardPortScope();
  TClipboardPortScope(const TClipboardPortScope&) = delete;
  TClipboardPortScope& operator=(const TClipboardPortScope&) = delete;

 private:
  ClipboardPort* previous_;
};

// A private clipboard block: the data's byte size (32-bit little-endian), the number of items
// (32-bit little-endian), then the data.
Bytes EncodeClipboardBlock(uint32_t itemCount, const Bytes& data);
struct TClipboardBlock {
  uint32_t itemCount = 0;
  Bytes data;
};
// Raises "Stream read error." when the block is shorter than its header says.
TClipboardBlock DecodeClipboardBlock(const Bytes& block);

}  // namespace tess
