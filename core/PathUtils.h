#pragma once
// Path helpers shared by every layer. Paths use '/'. Names that other systems treat without regard
// to case (project files, maps, materials and their folders) are found here case-insensitively,
// the exact spelling first, so that projects copied from such a system open unchanged.

#include <optional>
#include <string>
#include <vector>

namespace tess {

// path unchanged if it ends in '/', else path + "/"; an empty path stays empty. The name is the one
// the interface has always had; the separator it appends is '/'.
std::string WithTrailingBackslash(const std::string& path);
// path without the '/' at its end, any number of them; "/" itself stays.
std::string StripTrailingSlashes(std::string path);

std::string LowerAscii(std::string text);
bool EqualsNoCase(const std::string& a, const std::string& b);
// Compares like a case-insensitive file-name comparison: ASCII letters folded to lower case, other
// bytes by value. Returns <0, 0 or >0.
int CompareNoCase(const std::string& a, const std::string& b);

// '*' matches any run of characters, '?' exactly one; letters match regardless of case.
bool WildcardMatchNoCase(const std::string& pattern, const std::string& name);
bool HasWildcard(const std::string& name);

// The entry of folder named name: folder + name when it exists with that spelling, else the first
// entry (in name order) whose name equals it regardless of case. Nothing when there is none.
std::optional<std::string> FindNameNoCase(const std::string& folder, const std::string& name);

// Resolves every component of relative (separated by '/') below base the same way; base itself is
// taken as it is, and an absolute relative ignores it. Returns the full path as it exists on disk.
std::optional<std::string> ResolvePathNoCase(const std::string& base, const std::string& relative);

// The names in folder (files and folders, without "." and ".."), sorted by byte value; empty when
// the folder cannot be read.
std::vector<std::string> ListFolder(const std::string& folder);

bool IsFolder(const std::string& path);  // follows symbolic links
bool IsFile(const std::string& path);    // a regular file, following symbolic links

}  // namespace tess
