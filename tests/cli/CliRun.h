#pragma once
// Runs tessaly-cli's commands in the test process and keeps what they printed; runs a shell command
// line the same way.

#include <sys/wait.h>

#include <cstdio>
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

// A shell command line: its standard output and exit status.
inline TCliRun RunShell(const std::string& line) {
  TCliRun run{-1, {}, {}};
  FILE* pipe = ::popen(line.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace tess::test
