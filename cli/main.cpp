#include <iostream>

#include "cli/CliCommands.h"

int main(int argc, char** argv) {
  return tess::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
