#pragma once
// Test helpers for the project folder rules: scripted message boxes for the life of a test, the
// current directory put back afterwards, and a folder made to look like a project.

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/MessagePort.h"
#include "project/ProjectNames.h"
#include "tests/TempDir.h"

namespace tess::test {

struct TScriptedPort {
  TScriptedMessages messages;
  TMessagePortScope port{&messages};
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : messages.shown) texts.push_back(shown.text);
    return texts;
  }
};

struct TKeepCurrentDirectory {
  std::string saved = std::filesystem::current_path().string();
  ~TKeepCurrentDirectory() { [[maybe_unused]] int r = ::chdir(saved.c_str()); }
};

// A runtime file makes the folder a project; title, when given, is written as its game title.
inline void MakeProject(const std::string& folder, const char* title = nullptr) {
  WriteText(folder + "/TESS_RT.exe", "runtime");
  if (title) WriteGameTitle(folder, title);
}

}  // namespace tess::test
