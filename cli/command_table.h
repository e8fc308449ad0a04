#pragma once
// The subcommands of quillon-cli. Each cli/cmd_*.cpp registers its commands at start-up
// with QUILLON_CLI_COMMAND; main() dispatches on the first argument.

#include <string>
#include <vector>

namespace quillon::cli {

// Runs one subcommand. args[0] is the subcommand's name, the rest its arguments.
using CommandFn = int (*)(const std::vector<std::string>& args);

struct Command {
  std::string name;
  std::string summary;
  CommandFn run;
};

bool RegisterCommand(Command command);
const std::vector<Command>& Commands();

}  // namespace quillon::cli

#define QUILLON_CLI_CONCAT2(a, b) a##b
#define QUILLON_CLI_CONCAT(a, b) QUILLON_CLI_CONCAT2(a, b)
#define QUILLON_CLI_COMMAND(name, summary, fn)                              \
  static const bool QUILLON_CLI_CONCAT(quillon_cli_registered_, __LINE__) = \
      ::quillon::cli::RegisterCommand(::quillon::cli::Command{name, summary, fn})
