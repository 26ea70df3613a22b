#include "core/LoadDamage.h"

#include <filesystem>
#include <system_error>

#include "core/Errors.h"

namespace tess {

void TLoadDamage::Raise() const {
  if (error_) std::rethrow_exception(error_);
}

void TLoadDamage::RefuseToOverwrite(const std::string& path) const {
  if (!error_) return;
  std::error_code ec;
  const bool same = path == file_ || std::filesystem::equivalent(path, file_, ec);
  if (same)
    throw EFileError("Cannot write file \"" + path +
                     "\". It was damaged when it was loaded, and only part of it could be read: " + message_);
}

void TLoadDamage::Set(std::exception_ptr error, std::string message, std::string file) {
  error_ = std::move(error);
  message_ = std::move(message);
  file_ = std::move(file);
}

void TLoadDamage::Clear() {
  error_ = nullptr;
  message_.clear();
  file_.clear();
}

}  // namespace tess
