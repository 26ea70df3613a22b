#pragma once
// Stored text (bytes in a project's code page) as UTF-8 and back, without loss. Text in a project's
// code page converts character by character; a byte that does not begin a character the code page
// maps, or a character that would not convert back to the same bytes, is kept as the escape
// ESC 'x' and two hex digits (ESC is U+001B). A stored ESC itself is written as two ESCs. Other
// text never holds ESC, so the escape is unambiguous, and a text with no such bytes reads exactly as
// the editor shows it.

#include <iconv.h>

#include <memory>
#include <string>

namespace tess {

// The conversion to the code page failed: the text holds an escape that is not one, or a character
// the code page has no bytes for. Carries the problem as a phrase.
struct TStoredTextError {
  std::string problem;
};

class TStoredText {
 public:
  // codePage: one of the names the editor offers ("windows-1252", "Shift_JIS", "GBK", "Big5",
  // "EUC-KR", "windows-1250" ...). Raises std::invalid_argument for a name it does not know.
  explicit TStoredText(const std::string& codePage);
  ~TStoredText();
  TStoredText(const TStoredText&) = delete;
  TStoredText& operator=(const TStoredText&) = delete;

  const std::string& CodePage() const { return codePage_; }
  // Stored bytes as UTF-8 with escapes.
  std::string ToUtf8(const std::string& stored) const;
  // UTF-8 with escapes as stored bytes. Returns false with the problem in error when the text holds
  // a character the code page cannot store, or a broken escape.
  bool FromUtf8(const std::string& utf8, std::string& stored, TStoredTextError& error) const;

 private:
  bool Convert(iconv_t cd, const char* in, size_t size, std::string& out) const;
  std::string codePage_;
  iconv_t toUtf8_;
  iconv_t fromUtf8_;
};

}  // namespace tess
