#include "core/MessagePort.h"

namespace tess {

bool TScriptedMessages::AskYesNo(const std::string& text, TMessageIcon) {
  shown_.push_back({TShown::Kind::Question, text});
  if (replies_.empty()) return false;
  bool yes = replies_.front();
  replies_.pop_front();
  return yes;
}

namespace {
TScriptedMessages defaultMessages;
MessagePort* currentMessages = nullptr;
}  // namespace

MessagePort& Messages() { return currentMessages ? *currentMessages : defaultMessages; }

void SetMessagePort(MessagePort* port) { currentMessages = port; }

}  // namespace tess
