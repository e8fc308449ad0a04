// quillon-cli roots: the zeros and poles of f(z) inside a rectangle of the z-plane, as Draw >
// "Zeros and Poles" lists them for a graph over the same domain and grid.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QLocale>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_text.h"
#include "cli/command_table.h"
#include "common/message_sink.h"
#include "common/runtime_error.h"
#include "graph/zeros_poles.h"

namespace {

using quillon::cli::FromBytes;
using quillon::cli::HelpText;
using quillon::cli::ToBytes;

// "MIN,MAX,STEPS" as `sample` reads it, in double precision.
bool ParseAxis(const QString& text, double& min, double& max, int32_t& steps) {
  const std::optional<quillon::cli::AxisRange> axis = quillon::cli::ParseAxisRange(text);
  if (!axis || axis->steps < 0) return false;
  min = axis->min;
  max = axis->max;
  steps = axis->steps;
  return true;
}

int RunRoots(const std::vector<std::string>& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Find the zeros and poles of w = f(z), z = x + yi, inside the rectangle of --x and --y (edges "
      "included), counting each cell of the grid by how often arg w turns around it and refining each "
      "point by Newton's method.\nPrints one line per point, sorted by x, then y: \"zero X Y ORDER\" or "
      "\"pole X Y ORDER\".\nExit status: 0 (also when there are none); 1 on a syntax error or bad "
      "arguments; 2 when the grid is too large.");
  parser.addPositionalArgument("F", "The function of z, e.g. \"z^3-1\".", "[--] F");
  const QCommandLineOption xOption("x", "x range and number of steps (default -2,2,40).", "MIN,MAX,STEPS");
  const QCommandLineOption yOption("y", "y range and number of steps (default -2,2,40).", "MIN,MAX,STEPS");
  const QCommandLineOption helpOption({"h", "help"}, "Show this help.");
  parser.addOptions({xOption, yOption, helpOption});
  QStringList arguments;
  arguments << QStringLiteral("quillon-cli roots");
  for (std::size_t i = 1; i < args.size(); ++i) arguments << FromBytes(args[i]);

  const auto usage = [&](const QString& problem) {
    std::fprintf(stderr, "quillon-cli roots: %s\n\n%s", ToBytes(problem).c_str(),
                 HelpText(parser, "quillon-cli roots").c_str());
    return 1;
  };
  if (!parser.parse(arguments)) return usage(parser.errorText());
  if (parser.isSet(helpOption)) {
    std::fputs(HelpText(parser, "quillon-cli roots").c_str(), stdout);
    return 0;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() != 1) return usage("give exactly one function");
  quillon::RootSearchDomain domain;
  if (parser.isSet(xOption) && !ParseAxis(parser.value(xOption), domain.minX, domain.maxX, domain.stepsX))
    return usage("--x takes MIN,MAX,STEPS");
  if (parser.isSet(yOption) && !ParseAxis(parser.value(yOption), domain.minY, domain.maxY, domain.stepsY))
    return usage("--y takes MIN,MAX,STEPS");

  quillon::RecordingSink sink;
  quillon::ScopedMessageSink guard(&sink);
  const std::optional<quillon::CompiledProgram> program =
      quillon::CompileGraphFunction(ToBytes(positional[0]));
  if (!program) {
    const std::string box = sink.Requests().empty() ? "syntax error" : sink.Requests().back().text;
    std::fprintf(stderr, "quillon-cli roots: %s\n", box.c_str());
    return 1;
  }
  quillon::RootSearchResult result;
  try {
    result = quillon::FindZerosAndPoles(*program, domain);
  } catch (const quillon::RuntimeError& e) {
    std::fprintf(stderr, "quillon-cli roots: run-time error %d (%s)\n", e.Number(), e.Description().c_str());
    return 2;
  }
  for (const quillon::ZeroOrPole& p : result.roots) {
    std::printf("%s\n", quillon::ZeroOrPoleLine(p).c_str());
  }
  if (result.unresolvedCells > 0) {
    std::fprintf(stderr,
                 "quillon-cli roots: %lld cell(s) could not be counted (no value there, or arg w jumps "
                 "across them)\n",
                 static_cast<long long>(result.unresolvedCells));
  }
  if (result.unrefinedPoints > 0) {
    std::fprintf(stderr, "quillon-cli roots: %lld point(s) counted could not be placed\n",
                 static_cast<long long>(result.unrefinedPoints));
  }
  return 0;
}

QUILLON_CLI_COMMAND("roots", "list the zeros and poles of f(z) inside a rectangle", RunRoots);

}  // namespace
