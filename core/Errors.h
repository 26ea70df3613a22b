#pragma once
// Exception classes of the storage core. Each carries the exact text that the editor shows.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tess {

// Base of every exception the system raises on purpose; the editor's handler shows what().
class ETessError : public std::runtime_error {
 public:
  explicit ETessError(const std::string& message) : std::runtime_error(message) {}
  // The wording for logs and the command line, where a file's name stands before it; what() but
  // for the few errors whose shown text says little about the cause.
  virtual std::string Plain() const { return what(); }
};

// Which text an error gives: the one the editor shows, or the plain one of logs and the command line.
enum class TErrorWording { Shown, Plain };
inline std::string ErrorText(const ETessError& e, TErrorWording wording) {
  return wording == TErrorWording::Plain ? e.Plain() : e.what();
}

// A stream ended before the bytes a read asked for, or a size read from input cannot be true.
class EReadError : public ETessError {
 public:
  EReadError() : ETessError("Stream read error.") {}

 protected:
  explicit EReadError(const std::string& message) : ETessError(message) {}
};

// Damage found in chunk-encoded data: bytes after the end of a record or a list, an end missing, a
// count that disagrees with what follows, a size that runs past its parent. The message names the
// file, the chunk path and the byte offset from the start of the file, for example:
//   File "Map0001.lmu" is damaged at byte 1234 (map events > event 7 > page 2 > chunk 52): 4 bytes
//   follow the end of the record.
// The path is built only when damage is found, as the error passes up through the loaders.
class EDamagedData : public EReadError {
 public:
  // problem: what is wrong, a phrase without the final stop. offset: from the start of the data,
  // or -1 when the loader that catches this should place it.
  EDamagedData(std::string problem, int64_t offset);

  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Problem() const { return problem_; }
  int64_t Offset() const { return offset_; }
  bool HasOffset() const { return offset_ >= 0; }
  const std::string& File() const { return file_; }
  // The chunks that lead to the damage, outermost first, joined by " > "; empty at the top level.
  std::string ChunkPath() const;
  // The message without the file: "damaged at byte N (path): problem." and what was salvaged.
  std::string Detail() const;
  // How much of the list the damage lies in was read before it ("6 of the 9 events were read
  // before the damage"): what a lenient load keeps. Empty when the damage lies in no list's items.
  const std::string& Salvaged() const { return salvaged_; }

  // Added by the loaders as the error passes up through them, innermost first.
  void SetOffset(int64_t offset);
  void SetFile(const std::string& file);
  // Leaving a record's chunk: "chunk 41".
  void EnterChunk(int32_t id);
  // Leaving a list's chunk. A named list adds its name; an unnamed one adds nothing when the damage
  // lies in one of its items (the item names itself), else "chunk N".
  void EnterList(int32_t id, const char* name);
  // Leaving an item of a list: "event 7".
  void EnterItem(const char* noun, int32_t id);
  // Leaving a part of a file that has a name ("items", "node order").
  void EnterPart(const char* name);
  // Set by each list the error passes up through: the outermost list's note is the one that
  // tells what survives, since an item that holds the damage is lost as a whole.
  void SetSalvaged(std::string salvaged);

 private:
  void Compose();

  std::string problem_;
  int64_t offset_;
  std::string file_;
  std::vector<std::string> path_;  // innermost first
  bool inItem_ = false;            // the last element added is an item
  std::string salvaged_;
  std::string message_;
};

// A chunk-encoded file that does not start with the magic string of the kind expected. The text is
// the one the runtime has always shown for it.
class EWrongMagic : public EReadError {
 public:
  EWrongMagic() : EReadError("Event script referenced a \"shigunechi\" that does not exist.") {}
  // expected: the magic string of the kind wanted; start: the file's first bytes (empty for an
  // empty file).
  EWrongMagic(std::string expected, std::string start) : EWrongMagic() {
    expected_ = std::move(expected);
    start_ = std::move(start);
    known_ = true;
  }
  // "the file is empty", or "the file is not a map (it starts with "...")".
  std::string Plain() const override;

 private:
  std::string expected_;
  std::string start_;
  bool known_ = false;
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
