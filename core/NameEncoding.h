#pragma once
// File names between the project's code page and the disk. Material names are stored as bytes in
// the project's code page ("M\xfchle" in windows-1252); on this system the file is usually named in
// UTF-8 ("Mühle.png"), as archive tools and version control unpack it, and sometimes with the raw
// bytes. Core knows no code pages itself: the platform layer installs a converter for the open
// project's code page, and everything here falls back to the raw bytes while none is installed.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tess {

class TNameConverter {
 public:
  virtual ~TNameConverter() = default;
  // The UTF-8 text of bytes in the code page; nothing when some byte sequence is not a character
  // of it.
  virtual std::optional<std::string> ToUtf8(const std::string& bytes) const = 0;
  // The code-page bytes of UTF-8 text; nothing when a character has no exact place in it.
  virtual std::optional<std::string> FromUtf8(const std::string& text) const = 0;
};

// The converter of the open project's code page; null while none is installed.
const TNameConverter* CurrentNameConverter();
void SetNameConverter(std::shared_ptr<const TNameConverter> converter);

bool IsValidUtf8(const std::string& bytes);
bool IsAscii(const std::string& bytes);

// The names a stored name may have on disk, in lookup order: its UTF-8 form (when it is not plain
// ASCII and the code page reads it), then the raw bytes. Never empty.
std::vector<std::string> DiskNameCandidates(const std::string& stored);

// The stored form of a name found on disk: a UTF-8 name the code page can hold becomes its bytes in
// the code page; any other name (ASCII, raw bytes, text the code page lacks) stays as it is.
std::string StoredNameOf(const std::string& diskName);
// The same for each part of a path separated by '/'.
std::string StoredPathOf(const std::string& diskPath);

// The name a file gets on disk: a name that is not UTF-8 but reads in the code page becomes its
// UTF-8 text; any other name stays as it is.
std::string DiskNameOf(const std::string& name);

// A stored name as UTF-8 text for a message: the code page's reading when it has one, else the
// bytes that are not UTF-8 as "\xNN". Never holds a broken character.
std::string ShownName(const std::string& stored);
// A path found on disk as UTF-8 text for a message: unchanged when it is UTF-8, else read through
// the code page, else with the bytes that are not UTF-8 written as "\xNN".
std::string ShownPath(const std::string& path);
// A name that could not be found, in both forms: "Mühle (bytes 4D FC 68 6C 65)"; a plain ASCII
// name as it is.
std::string DescribeMissingName(const std::string& stored);

}  // namespace tess
