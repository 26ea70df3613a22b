#pragma once
// The editor's message port: modal message boxes captioned with the application title. The owner
// a model passes is the window the box belongs to (a QWidget), or none for the application.

#include <memory>

#include "core/MessagePort.h"

class QMessageBox;
class QWidget;

namespace tess {

class TQtMessagePort final : public MessagePort {
 public:
  TMessageResult ShowMessageBox(const std::string& text, TMessageStyle style, void* owner) override;
  TMessageResult ShowDetailedMessageBox(const std::string& text, const std::string& details, TMessageStyle style,
                                        void* owner) override;

  // The box the port shows, not yet shown: its icon, buttons, default button and details.
  static std::unique_ptr<QMessageBox> BuildBox(const std::string& text, const std::string& details, TMessageStyle style,
                                               QWidget* parent);
};

// The owner value for a window.
inline void* MessageOwner(QWidget* window) { return window; }

}  // namespace tess
