#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "tools/tess-rt/TestRuntime.h"

// The game runtime is started with the project folder as its current directory.
int main(int argc, char** argv) {
  std::string folder = ".";
  if (char* cwd = ::getcwd(nullptr, 0)) {
    folder = cwd;
    ::free(cwd);
  }
  return tess::RunTestRuntime(std::vector<std::string>(argv + 1, argv + argc), folder, std::cout, std::cerr);
}
