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
  QString ToUnicode(const std::string& bytes) const;
  std::string FromUnicode(const QString& text) const;

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
