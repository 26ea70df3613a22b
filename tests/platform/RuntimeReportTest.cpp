#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RuntimeReport.h"

using namespace tess;

namespace {
using Lines = std::vector<std::string>;
}  // namespace

TEST(OutputTail, SplitsLinesAndKeepsOnlyTheTail) {
  const struct {
    std::vector<std::string> chunks;
    Lines lines;
  } cases[] = {
      {{"one\ntwo\n"}, {"one", "two"}},
      {{"one\r\ntwo"}, {"one", "two"}},                       // CRLF is one break; the open line counts
      {{"on", "e\r", "\ntwo\n"}, {"one", "two"}},             // a CRLF split between reads
      {{"a\rb\n"}, {"a", "b"}},                               // a lone CR breaks too
      {{"\x1b[31mred\x1b[0m\a\tend\n"}, {"[31mred[0m end"}},  // controls dropped, tab a blank
      {{"caf\xc3\xa9\n"}, {"caf\xc3\xa9"}},                   // the text's own bytes are kept
      {{"\n\n"}, {"", ""}},
  };
  for (const auto& c : cases) {
    TOutputTail tail;
    for (const std::string& chunk : c.chunks) tail.Append(chunk);
    EXPECT_EQ(tail.Lines(), c.lines) << c.chunks[0];
  }

  // However much is printed, only the last lines stay, each of bounded length.
  TOutputTail tail(3);
  for (int i = 0; i < 10000; ++i) tail.Append("line " + std::to_string(i) + "\n");
  tail.Append(std::string(TOutputTail::kMaxLineLength * 3, 'x'));
  EXPECT_EQ(tail.Lines(), (Lines{"line 9998", "line 9999", std::string(TOutputTail::kMaxLineLength, 'x')}));
}

TEST(RuntimeFailureMessage, SaysHowTheRuntimeEndedAndWhatItSaid) {
  TRuntimeOutcome clean;
  clean.output = {"all well"};
  EXPECT_FALSE(RuntimeFailureMessage(clean));

  TRuntimeOutcome notStarted;
  notStarted.end = TRuntimeEnd::NotStarted;
  notStarted.whyNotStarted = "The game runtime \"/p/TESS_RT.exe\" is missing.";
  auto message = RuntimeFailureMessage(notStarted);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text, std::string(kTestPlayFailedMessage) + "\n\n" + notStarted.whyNotStarted);
  EXPECT_EQ(message->details, "");

  Lines many;
  for (int i = 1; i <= 12; ++i) many.push_back("line " + std::to_string(i));
  const struct {
    TRuntimeEnd end;
    int code;
    Lines output, log;
    std::string logPath, text, details;
  } cases[] = {
      {TRuntimeEnd::Exited, 1, {}, {}, "", "The game runtime ended with exit status 1.\n\nIt printed nothing.", ""},
      // Trailing blank lines say nothing.
      {TRuntimeEnd::Exited,
       2,
       {"Map0002.lmu: Stream read error.", "", " "},
       {"ignored"},
       "/p/tess-rt.log",
       "The game runtime ended with exit status 2.\n\nIt printed last:\nMap0002.lmu: Stream read error.",
       "Map0002.lmu: Stream read error.\n\nThe runtime's report is in /p/tess-rt.log."},
      // Nothing printed: the report file.
      {TRuntimeEnd::Crashed,
       0,
       {},
       {"loading", "TESS_RT.ldb: damaged"},
       "/p/tess-rt.log",
       "The game runtime stopped unexpectedly.\n\nIts report ends with:\nloading\nTESS_RT.ldb: damaged",
       "loading\nTESS_RT.ldb: damaged\n\nThe runtime's report is in /p/tess-rt.log."},
      // The message shows the last lines; the details hold all.
      {TRuntimeEnd::Exited,
       1,
       many,
       {},
       "",
       "The game runtime ended with exit status 1.\n\nIt printed last:\nline 5\nline 6\nline 7\nline 8\nline 9\nline "
       "10\nline 11\nline 12",
       "line 1\nline 2\nline 3\nline 4\nline 5\nline 6\nline 7\nline 8\nline 9\nline 10\nline 11\nline 12"},
  };
  for (const auto& c : cases) {
    TRuntimeOutcome outcome;
    outcome.end = c.end;
    outcome.exitCode = c.code;
    outcome.output = c.output;
    outcome.log = c.log;
    outcome.logPath = c.logPath;
    message = RuntimeFailureMessage(outcome);
    ASSERT_TRUE(message) << c.text;
    EXPECT_EQ(message->text, c.text);
    EXPECT_EQ(message->details, c.details);
  }
}
