// quillon-cli: the program's model and drawing without a window (no X server needed).

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "cli/command_table.h"

namespace quillon::cli {

namespace {
std::vector<Command>& Table() {
  static std::vector<Command> table;
  return table;
}

void PrintUsage(FILE* out) {
  std::fprintf(out, "Usage: quillon-cli COMMAND [OPTIONS] [ARGS]\n\nCommands:\n");
  std::vector<Command> sorted = Table();
  std::sort(sorted.begin(), sorted.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
  for (const Command& c : sorted) std::fprintf(out, "  %-10s %s\n", c.name.c_str(), c.summary.c_str());
  std::fprintf(out, "\nRun 'quillon-cli COMMAND --help' for the options of one command.\n");
}
}  // namespace

bool RegisterCommand(Command command) {
  Table().push_back(std::move(command));
  return true;
}

const std::vector<Command>& Commands() {
  return Table();
}

}  // namespace quillon::cli

int main(int argc, char** argv) {
  using namespace quillon::cli;
  if (argc < 2) {
    PrintUsage(stderr);
    return 1;
  }
  const std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    PrintUsage(stdout);
    return 0;
  }
  for (const Command& c : Commands()) {
    if (c.name == name) {
      // Running out of memory ends the command with a message and a failure status.
      try {
        std::vector<std::string> args(argv + 1, argv + argc);
        return c.run(args);
      } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "quillon-cli %s: out of memory; the command was stopped.\n", name.c_str());
        return 3;
      }
    }
  }
  std::fprintf(stderr, "quillon-cli: unknown command '%s'\n\n", name.c_str());
  PrintUsage(stderr);
  return 1;
}
