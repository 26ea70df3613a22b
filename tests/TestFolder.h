#pragma once
// Test helper: a fresh folder under the system's temporary folder, removed again at the end.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

namespace tess::test {

class TTestFolder {
 public:
  TTestFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("tess-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TTestFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TTestFolder(const TTestFolder&) = delete;
  TTestFolder& operator=(const TTestFolder&) = delete;

  // The folder with a trailing '/'.
  std::string Path() const { return path_.string() + "/"; }
  std::string operator/(const std::string& name) const { return Path() + name; }
  std::string Sub(const std::string& name) const {
    std::filesystem::create_directories(path_ / name);
    return (path_ / name).string() + "/";
  }

 private:
  std::filesystem::path path_;
};

}  // namespace tess::test
