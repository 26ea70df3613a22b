#pragma once
// Stored text is the game's code-page bytes, kept unconverted in std::string. The editor converts
// only at the widget edge, through this one codec with the project's code page.

#include <QString>
#include <string>

namespace tess {

class TextCodec {
 public:
  // name: a code page the platform's converters know ("windows-1252", "Shift_JIS", "GBK", ...).
  // An unknown name falls back to windows-1252.
  explicit TextCodec(const std::string& name = "windows-1252");

  const std::string& Name() const { return name_; }
  // Bytes the code page cannot read show as U+FFFD; the stored bytes themselves never change.
  QString ToUnicode(const std::string& bytes) const;
  // Only for text CanEncode accepts: anything else would be stored with substitutes.
  std::string FromUnicode(const QString& text) const;

  // Whether every byte sequence of bytes is a character of this code page (one it only passes
  // through as a control character does not count).
  bool Decodes(const std::string& bytes) const;
  // Whether text can be stored in this code page and reads back as the same text. When it cannot,
  // refused (when given) is the first character that stands in the way: one the code page lacks,
  // or the U+FFFD of bytes it could not read.
  bool CanEncode(const QString& text, QString* refused = nullptr) const;

  // The codec of the open project; the editor sets it when a project opens.
  static const TextCodec& Current();
  static void SetCurrent(const std::string& name);

 private:
  std::string name_;
};

// Makes a code page current for the life of the scope and restores the previous one afterwards.
class TTextCodecScope {
 public:
  explicit TTextCodecScope(const std::string& name) : previous_(TextCodec::Current().Name()) {
    TextCodec::SetCurrent(name);
  }
  ~TTextCodecScope() { TextCodec::SetCurrent(previous_); }
  TTextCodecScope(const TTextCodecScope&) = delete;
  TTextCodecScope& operator=(const TTextCodecScope&) = delete;

 private:
  std::string previous_;
};

}  // namespace tess
