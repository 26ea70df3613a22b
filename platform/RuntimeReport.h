#pragma once
// What the editor tells the author after the game runtime ran: nothing after a clean exit; when it
// could not start, why and what to do; after a failure, how it ended and the last lines it printed
// (or, when it printed nothing, the report file it wrote into the project), with the longer text as
// details.

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tess {

// The report the test runtime writes into the project folder on every run.
inline constexpr const char* kRuntimeLogName = "tess-rt.log";
inline constexpr const char* kTestPlayFailedMessage =
    "Unable to test play due to a fatal error during project compilation.";

// The last lines of what a program printed. Memory stays bounded however much it prints: only
// maxLines lines of at most maxLineLength characters are kept, and characters that would control
// a terminal or a text box are dropped.
class TOutputTail {
 public:
  static constexpr size_t kMaxLines = 200;
  static constexpr size_t kMaxLineLength = 1000;

  explicit TOutputTail(size_t maxLines = kMaxLines) : maxLines_(maxLines) {}
  void Append(const char* data, size_t size);
  void Append(const std::string& text) { Append(text.data(), text.size()); }
  // The kept lines, the unfinished last one included.
  std::vector<std::string> Lines() const;
  bool Empty() const { return lines_.empty() && partial_.empty(); }

 private:
  void EndLine();

  size_t maxLines_;
  std::deque<std::string> lines_;
  std::string partial_;
  bool skippingCarriageReturn_ = false;
};

enum class TRuntimeEnd { NotStarted, Exited, Crashed };

struct TRuntimeOutcome {
  TRuntimeEnd end = TRuntimeEnd::Exited;
  int exitCode = 0;
  // Why it did not start.
  std::string whyNotStarted;
  // The last lines it printed (standard output and error together).
  std::vector<std::string> output;
  // The report file it wrote during this run, and the file's last lines; empty when it wrote none.
  std::string logPath;
  std::vector<std::string> log;
};

struct TRuntimeMessage {
  std::string text;
  std::string details;
};

// How many of the last lines the message itself shows; the details hold all that were kept.
inline constexpr size_t kShownRuntimeLines = 8;

// The message after the runtime ran, or none after a clean exit.
std::optional<TRuntimeMessage> RuntimeFailureMessage(const TRuntimeOutcome& outcome);

}  // namespace tess
