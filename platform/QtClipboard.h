#pragma once
// The desktop clipboard behind the models' clipboard port: private blocks travel under the MIME
// type application/x-tessaly-NNN with the same bytes, text as plain text.

#include "core/ClipboardPort.h"

class QClipboard;

namespace tess {

class TQtClipboard final : public ClipboardPort {
 public:
  // Uses the application's clipboard; a QGuiApplication must exist.
  TQtClipboard();
  static std::string MimeType(int format);

  bool HasBlock(int format) override;
  std::optional<Bytes> GetBlock(int format) override;
  void SetBlock(int format, const Bytes& block) override;
  std::string GetText() override;
  void SetText(const std::string& text) override;

 private:
  QClipboard* clipboard_;
};

}  // namespace tess
