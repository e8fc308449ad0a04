#pragma once
// Text helpers shared by the subcommands.

#include <QCommandLineParser>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace quillon::cli {

// Latin-1 maps every byte to one character and back, so a text reaches the program with the
// bytes the shell passed, whatever their encoding.
QString FromBytes(const std::string& bytes);
std::string ToBytes(const QString& text);

// The parser's help text with the subcommand's name ("quillon-cli eval") as the program.
std::string HelpText(const QCommandLineParser& parser, const char* command);

// An axis option "MIN,MAX,STEPS": two finite numbers with "." as the decimal point and a whole
// number of steps. Each command checks the order and the range of steps it allows.
struct AxisRange {
  double min = 0.0;
  double max = 0.0;
  int32_t steps = 0;
};
std::optional<AxisRange> ParseAxisRange(const QString& text);
// The same as single-precision limits, as graphs keep them: nothing when a limit leaves that range.
struct SingleAxisRange {
  float min = 0.0f;
  float max = 0.0f;
  int32_t steps = 0;
};
std::optional<SingleAxisRange> ParseSingleAxisRange(const QString& text);

}  // namespace quillon::cli
