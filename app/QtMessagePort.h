#pragma once
// Message boxes of the editor: modal, captioned with the application title, text converted from
// the project's code page only here at the widget edge.

#include "core/MessagePort.h"

namespace tess {

class TQtMessagePort final : public MessagePort {
public:
  TMessageResult ShowMessageBox(const std::string& text, TMessageStyle style, void* owner) override;
};

}  // namespace tess
