#pragma once
// The commands of tessaly-cli. Each takes its words (after the command name) and the output
// streams, and returns the process exit status.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace tess::cli {

struct TCliCommand {
  const char* name;
  const char* usage;
  const char* summary;
  std::function<int(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)> run;
};

const std::vector<TCliCommand>& Commands();
int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

}  // namespace tess::cli
