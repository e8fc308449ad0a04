// quillon-cli version: the program's name and version.

#include <cstdio>

#include "cli/command_table.h"

namespace {

int RunVersion(const std::vector<std::string>&) {
  std::printf("Quillon %s\n", "1.0.2");
  return 0;
}

QUILLON_CLI_COMMAND("version", "print the program's version", RunVersion);

}  // namespace
