#pragma once
// Exception classes of the storage core. Each carries the exact text that the editor shows.

#include <stdexcept>
#include <string>

namespace tess {

// Base of every exception the system raises on purpose; the editor's handler shows what().
class ETessError : public std::runtime_error {
 public:
  explicit ETessError(const std::string& message) : std::runtime_error(message) {}
};

// A stream ended before the bytes a read asked for, or a size read from input cannot be true.
class EReadError : public ETessError {
 public:
  EReadError() : ETessError("Stream read error.") {}

 protected:
  explicit EReadError(const std::string& message) : ETessError(message) {}
};

// A chunk-encoded file that does not start with the magic string of the kind expected. The text is
// the one the runtime has always shown for it.
class EWrongMagic : public EReadError {
 public:
  EWrongMagic() : EReadError("Event script referenced a \"shigunechi\" that does not exist.") {}
};

class EWriteError : public ETessError {
 public:
  EWriteError() : ETessError("Stream write error.") {}
};

// A file could not be opened or replaced; the message names the file and the reason.
class EFileError : public ETessError {
 public:
  using ETessError::ETessError;
};

// A typed catalog lookup found nothing outside quiet mode.
class ELookupError : public ETessError {
 public:
  using ETessError::ETessError;
};

class EOutOfMemory : public ETessError {
 public:
  EOutOfMemory() : ETessError("Insufficient memory.") {}
};

}  // namespace tess
