#pragma once
// Message boxes as the models see them. The editor installs a port that shows real modal boxes
// captioned with the application title; tests install a scripted one; without either, messages go
// to the error output and every question is answered in the negative.

#include <deque>
#include <string>
#include <vector>

namespace tess {

enum class TMessageIcon { None, Error, Warning, Information, Question };
enum class TMessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class TMessageResult { Ok, Cancel, Yes, No };

struct TMessageStyle {
  TMessageIcon icon = TMessageIcon::None;
  TMessageButtons buttons = TMessageButtons::Ok;
  bool operator==(const TMessageStyle&) const = default;
};

class MessagePort {
 public:
  virtual ~MessagePort() = default;
  // A modal box with text, the style's icon and buttons; returns the button pressed. owner is the
  // window the box belongs to (the editor's window handle), or null for the application itself:
  // with an owner, the other windows stay disabled while the box is up and the owner is active
  // again afterwards.
  virtual TMessageResult ShowMessageBox(const std::string& text, TMessageStyle style, void* owner) = 0;
};

// The process-wide port. SetMessagePort(nullptr) goes back to the error-output one.
MessagePort& Messages();
void SetMessagePort(MessagePort* port);

// Installs a port for the life of the scope and puts the previous one back afterwards.
class TMessagePortScope {
 public:
  explicit TMessagePortScope(MessagePort* port);
  ~TMessagePortScope();
  TMessagePortScope(const TMessagePortScope&) = delete;
  TMessagePortScope& operator=(const TMessagePortScope&) = delete;

 private:
  MessagePort* previous_;
};

TMessageResult ShowMessageBox(const std::string& text, TMessageStyle style, void* owner = nullptr);
// Error icon, OK button.
void ShowError(const std::string& text, void* owner = nullptr);
// Information icon, OK button.
void ShowInformation(const std::string& text, void* owner = nullptr);
// Question icon, Yes and No buttons; returns Yes or No.
TMessageResult AskYesNo(const std::string& text, void* owner = nullptr);

// The negative answer a box without a user gives: OK when that is the only button, else Cancel
// or No.
TMessageResult NegativeAnswer(TMessageButtons buttons);

// Records every box and answers from a queue; when the queue is empty, the negative answer.
class TScriptedMessages final : public MessagePort {
 public:
  struct TShown {
    std::string text;
    TMessageStyle style;
  };
  TMessageResult ShowMessageBox(const std::string& text, TMessageStyle style, void* owner) override;

  std::vector<TShown> shown;
  std::deque<TMessageResult> answers;
};

}  // namespace tess
