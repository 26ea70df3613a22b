#pragma once
// The editor's message port: modal message boxes captioned with the application title. The owner
// a model passes is the window the box belongs to (a QWidget), or none for the application.

#include "core/MessagePort.h"

class QWidget;

namespace tess {

class TQtMessagePort final : public MessagePort {
 public:
  TMessageResult ShowMessageBox(const std::string& text, TMessageStyle style, void* owner) override;
};

// The owner value for a window.
inline void* MessageOwner(QWidget* window) { return window; }

}  // namespace tess
