#pragma once
// Test helpers: the tool run in this process on a list of words, and a shell command line.

#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"

namespace tess::test {

struct TRun {
  int status;
  std::string out, err;
};

inline TRun RunCliWords(std::vector<std::string> words) {
  std::ostringstream out, err;
  int status = cli::RunCli(words, out, err);
  return {status, out.str(), err.str()};
}

// Runs a shell command line; its standard output and exit status.
inline TRun RunShell(const std::string& line) {
  TRun run{-1, {}, {}};
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
