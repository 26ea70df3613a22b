#pragma once
// A scratch folder per test, removed afterwards.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tess::test {

struct TTempDir {
  std::filesystem::path path;
  explicit TTempDir(const std::string& tag) {
    path = std::filesystem::temp_directory_path() / ("tess-platform-" + tag + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TTempDir() {
    std::error_code ec;
    for (auto& e : std::filesystem::recursive_directory_iterator(path, ec))
      if (!e.is_symlink())
        std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ec);
    std::filesystem::remove_all(path, ec);
  }
  std::string operator/(const std::string& rel) const { return (path / rel).string(); }
};

inline void WriteText(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace tess::test
