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

// Copies the file source to path the same way, reading it a piece at a time, so that path is
// wholly replaced or left as it was. The copy gets the permissions of a new file, so a read-only
// source gives a writable copy. Copying a file onto itself (the same file under another name) is
// refused with EFileError, and so is a source that cannot be read.
void CopyFileAtomic(const std::string& source, const std::string& path);
// True when both names lead to the same existing file.
bool SameFile(const std::string& a, const std::string& b);

// The same, reporting failure through the return value and message instead of raising.
bool TryWriteFileAtomic(const std::string& path, const Bytes& data, std::string* message = nullptr);

}  // namespace tess
