#pragma once
// Finding files whose names other systems treat case-insensitively (project files, map files,
// materials): the exact name first, then any entry of the folder that differs only in case.

#include <string>

namespace tess {

// folder with a trailing '/' (unchanged when it has one or is empty).
std::string WithTrailingSlash(const std::string& folder);

// The full path of the entry of folder named name, matched exactly or else ignoring ASCII case;
// empty when there is none.
std::string FindFileNoCase(const std::string& folder, const std::string& name);

// The path to use for name in folder: the entry already on disk under any case, else folder + name.
// Saving through it keeps the name a file already has.
std::string PathNoCase(const std::string& folder, const std::string& name);

}  // namespace tess
