// quillon-cli version: the program's name and version.

#include <cstdio>

#include "cli/command_table.h"

namespace {

int RunVersion(const std::vector<std::string>& args) {
  if (args.size() > 1 && (args[1] == "--help" || args[1] == "-h")) {
    std::printf("Usage: quillon-cli version\nPrint the program's name and version.\n");
    return 0;
  }
  std::printf("Quillon %s\n", "1.0.2");
  return 0;
}

QUILLON_CLI_COMMAND("version", "print the program's version", RunVersion);

}  // namespace
