#pragma once
// Profile files (TESS_RT.ini, Setup.ini): "[section]" lines and "key=value" lines. Sections and
// keys are found without regard to case; every other line (comments, blank lines, lines of other
// programs) is kept as it was, and so is each line's ending (CRLF or LF). Text is bytes, never
// converted. The file itself is found case-insensitively and saved under its name on disk.

#include <optional>
#include <string>
#include <vector>

namespace tess {

class TProfileFile {
 public:
  // Reads the file; a file that does not exist reads as empty. Other read failures raise
  // EFileError.
  explicit TProfileFile(const std::string& path);

  // The file that Save writes: the existing file's own name, or the given one for a new file.
  const std::string& Path() const { return path_; }

  // The value of key in section: blanks around it removed, and one pair of enclosing double
  // quotes. Nothing when the key is absent.
  std::optional<std::string> Read(const std::string& section, const std::string& key) const;
  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  // A whole decimal number within range, else def.
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;
  bool KeyExists(const std::string& section, const std::string& key) const { return Read(section, key).has_value(); }

  // Replaces the key's line (keeping the key's spelling) or adds one at the end of the section;
  // a missing section is added at the end of the file.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);
  void WriteBool(const std::string& section, const std::string& key, bool value);
  void DeleteKey(const std::string& section, const std::string& key);

  // Writes the file atomically; raises EFileError when it cannot be written (the old file is then
  // unchanged).
  void Save() const;
  std::string Text() const;

 private:
  struct TLine {
    std::string text;    // without the line ending
    std::string ending;  // "\r\n", "\n", or "" for a last line without one
  };
  // Index of the section's header line, or npos.
  size_t FindSection(const std::string& section) const;
  // End of the section that starts at header (the next header or the end).
  size_t SectionEnd(size_t header) const;
  size_t FindKey(const std::string& section, const std::string& key) const;
  void Parse(const std::string& text);

  std::string path_;
  std::vector<TLine> lines_;
  std::string newline_ = "\r\n";
};

}  // namespace tess
