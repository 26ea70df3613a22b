#include "core/MessagePort.h"

#include <cstdio>

namespace tess {

namespace {

class TErrorOutputMessages final : public MessagePort {
 public:
  TMessageResult ShowMessageBox(const std::string& text, TMessageStyle style, void*) override {
    std::fprintf(stderr, "%s\n", text.c_str());
    return NegativeAnswer(style.buttons);
  }
};

MessagePort* currentPort = nullptr;

}  // namespace

TMessageResult NegativeAnswer(TMessageButtons buttons) {
  switch (buttons) {
    case TMessageButtons::Ok:
      return TMessageResult::Ok;
    case TMessageButtons::YesNo:
      return TMessageResult::No;
    case TMessageButtons::OkCancel:
    case TMessageButtons::YesNoCancel:
      break;
  }
  return TMessageResult::Cancel;
}

MessagePort& Messages() {
  static TErrorOutputMessages fallback;
  return currentPort ? *currentPort : fallback;
}

void SetMessagePort(MessagePort* port) { currentPort = port; }

TMessagePortScope::TMessagePortScope(MessagePort* port) : previous_(currentPort) { currentPort = port; }
TMessagePortScope::~TMessagePortScope() { currentPort = previous_; }

TMessageResult ShowMessageBox(const std::string& text, TMessageStyle style, void* owner) {
  return Messages().ShowMessageBox(text, style, owner);
}

void ShowError(const std::string& text, void* owner) {
  ShowMessageBox(text, {TMessageIcon::Error, TMessageButtons::Ok}, owner);
}

void ShowInformation(const std::string& text, void* owner) {
  ShowMessageBox(text, {TMessageIcon::Information, TMessageButtons::Ok}, owner);
}

TMessageResult AskYesNo(const std::string& text, void* owner) {
  return ShowMessageBox(text, {TMessageIcon::Question, TMessageButtons::YesNo}, owner);
}

TMessageResult TScriptedMessages::ShowMessageBox(const std::string& text, TMessageStyle style, void*) {
  shown.push_back({text, style});
  if (answers.empty()) return NegativeAnswer(style.buttons);
  TMessageResult answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace tess
