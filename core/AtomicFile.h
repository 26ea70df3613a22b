#pragma once
// Writing a file so that it is either wholly replaced or left as it was.

#include <string>

#include "core/Stream.h"

namespace tess {

// Writes data to a temporary file in the same folder, flushes it to disk and renames it over path.
// A symbolic link at path is followed, so the link stays a link. On any failure the temporary file
// is removed, the old file is untouched, and EFileError names the file and the reason.
void WriteFileAtomic(const std::string& path, const Bytes& data);
void WriteFileAtomic(const std::string& path, const std::string& data);

// The same, reporting failure through the return value and message instead of raising.
bool TryWriteFileAtomic(const std::string& path, const Bytes& data, std::string* message = nullptr);

}  // namespace tess
