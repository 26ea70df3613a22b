#pragma once
// Questions and messages to the user as the models see them. The editor installs an adapter that
// shows message boxes; tools and tests use the scripted one, which records what was shown and
// answers from a list of prepared replies.

#include <deque>
#include <string>
#include <vector>

namespace tess {

enum class TMessageIcon { Information, Warning, Error, Question };

class MessagePort {
 public:
  virtual ~MessagePort() = default;
  // A question with Yes and No buttons; true means Yes.
  virtual bool AskYesNo(const std::string& text, TMessageIcon icon) = 0;
  virtual void ShowError(const std::string& text) = 0;
  virtual void ShowInformation(const std::string& text) = 0;
};

// Answers questions from a queue of replies (No once the queue is empty, so that nothing
// irreversible happens unasked) and keeps every text it was given.
class TScriptedMessages final : public MessagePort {
 public:
  struct TShown {
    enum class Kind { Question, Error, Information } kind;
    std::string text;
  };

  void QueueReply(bool yes) { replies_.push_back(yes); }
  bool AskYesNo(const std::string& text, TMessageIcon icon) override;
  void ShowError(const std::string& text) override { shown_.push_back({TShown::Kind::Error, text}); }
  void ShowInformation(const std::string& text) override { shown_.push_back({TShown::Kind::Information, text}); }

  const std::vector<TShown>& Shown() const { return shown_; }
  void ClearShown() { shown_.clear(); }

 private:
  std::deque<bool> replies_;
  std::vector<TShown> shown_;
};

// The process-wide port. SetMessagePort(nullptr) goes back to a scripted one with no replies.
MessagePort& Messages();
void SetMessagePort(MessagePort* port);

}  // namespace tess
