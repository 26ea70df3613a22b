#pragma once
// Runs tessaly-cli's commands in the test process and keeps what they printed.

#include <sstream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"

namespace tess::test {

struct TCliRun {
  int status;
  std::string out, err;
};

inline TCliRun RunCliWords(const std::vector<std::string>& words) {
  std::ostringstream out, err;
  const int status = cli::RunCli(words, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace tess::test
