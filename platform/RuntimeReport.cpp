#include "platform/RuntimeReport.h"

#include <cstddef>

namespace tess {

void TOutputTail::EndLine() {
  lines_.push_back(std::move(partial_));
  partial_.clear();
  while (lines_.size() > maxLines_) lines_.pop_front();
}

void TOutputTail::Append(const char* data, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    const unsigned char c = static_cast<unsigned char>(data[i]);
    if (c == '\n') {
      // "\r\n" ends one line, not two.
      if (!skippingCarriageReturn_) EndLine();
      skippingCarriageReturn_ = false;
      continue;
    }
    skippingCarriageReturn_ = false;
    if (c == '\r') {
      EndLine();
      skippingCarriageReturn_ = true;
      continue;
    }
    // Tabs become blanks; other control characters (escape sequences, bells) are dropped. Bytes
    // from 0x80 up are kept: they are the text's own characters.
    if (c == '\t') {
      if (partial_.size() < kMaxLineLength) partial_ += ' ';
    } else if (c >= 0x20 && c != 0x7f) {
      if (partial_.size() < kMaxLineLength) partial_ += static_cast<char>(c);
    }
  }
}

std::vector<std::string> TOutputTail::Lines() const {
  // The unfinished line counts as one of the kept ones.
  const size_t skip = !partial_.empty() && !lines_.empty() && lines_.size() == maxLines_ ? 1 : 0;
  std::vector<std::string> lines(lines_.begin() + static_cast<ptrdiff_t>(skip), lines_.end());
  if (!partial_.empty()) lines.push_back(partial_);
  return lines;
}

namespace {

// Blank lines at the end say nothing.
std::vector<std::string> Trimmed(std::vector<std::string> lines) {
  while (!lines.empty() && lines.back().find_first_not_of(' ') == std::string::npos) lines.pop_back();
  return lines;
}

std::string Joined(const std::vector<std::string>& lines, size_t from) {
  std::string text;
  for (size_t i = from; i < lines.size(); ++i) text += (i > from ? "\n" : "") + lines[i];
  return text;
}

}  // namespace

std::optional<TRuntimeMessage> RuntimeFailureMessage(const TRuntimeOutcome& outcome) {
  TRuntimeMessage message;
  switch (outcome.end) {
    case TRuntimeEnd::NotStarted:
      // Why, in plain words with the fix, belongs in the message itself, not folded away.
      message.text = kTestPlayFailedMessage;
      if (!outcome.whyNotStarted.empty()) message.text += "\n\n" + outcome.whyNotStarted;
      return message;
    case TRuntimeEnd::Exited:
      if (outcome.exitCode == 0) return std::nullopt;
      message.text = "The game runtime ended with exit status " + std::to_string(outcome.exitCode) + ".";
      break;
    case TRuntimeEnd::Crashed:
      message.text = "The game runtime stopped unexpectedly.";
      break;
  }
  const std::vector<std::string> output = Trimmed(outcome.output);
  const std::vector<std::string> log = Trimmed(outcome.log);
  // What it printed tells most; a runtime that printed nothing may still have written its report.
  const std::vector<std::string>& lines = output.empty() ? log : output;
  const char* source = output.empty() ? "Its report ends with:" : "It printed last:";
  if (lines.empty()) {
    message.text += "\n\nIt printed nothing.";
    return message;
  }
  const size_t shown = lines.size() > kShownRuntimeLines ? lines.size() - kShownRuntimeLines : 0;
  message.text += std::string("\n\n") + source + "\n" + Joined(lines, shown);
  message.details = Joined(lines, 0);
  if (!outcome.logPath.empty()) message.details += "\n\nThe runtime's report is in " + outcome.logPath + ".";
  return message;
}

}  // namespace tess
