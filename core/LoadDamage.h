#pragma once
// What a lenient load found damaged and let pass. In quiet mode the loaders of the database, the
// map tree and the maps swallow the errors of a damaged file and keep what they could read; the
// damage stays on the loaded object, so that its callers can show it and nothing that loaded
// damaged is written back over its file unless the author chooses so.

#include <exception>
#include <string>

namespace tess {

class TLoadDamage {
 public:
  // True when the last load let damage pass.
  explicit operator bool() const { return static_cast<bool>(error_); }
  // The error's message: the file, the chunk path and the byte offset.
  const std::string& Message() const { return message_; }
  // The file the damage was found in.
  const std::string& File() const { return file_; }

  // Raises the error the load let pass; does nothing when there was none.
  void Raise() const;
  // Raises EFileError when path is the file the damage was found in: a damaged file is not
  // written over with what could be read of it.
  void RefuseToOverwrite(const std::string& path) const;

  void Set(std::exception_ptr error, std::string message, std::string file);
  void Clear();

 private:
  std::exception_ptr error_;
  std::string message_;
  std::string file_;
};

}  // namespace tess
