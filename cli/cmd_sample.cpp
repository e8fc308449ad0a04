// quillon-cli sample: samples f(z) over a grid of the z-plane as a 3D function graph does and
// prints the sampled quantities or their extremes.

#include <QCommandLineParser>
#include <QStringList>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_text.h"
#include "cli/command_table.h"
#include "common/runtime_error.h"
#include "document/state_exchange.h"
#include "graph/codes.h"
#include "graph/graph.h"
#include "graph/sample_value.h"
#include "graph/sampling.h"

namespace {

using quillon::Cls9;

// Any order of the limits and any number of steps from 0 (taken as 1) on: the command line
// samples what it is given.
std::optional<quillon::cli::SingleAxisRange> ParseAxis(const QString& text) {
  std::optional<quillon::cli::SingleAxisRange> axis = quillon::cli::ParseSingleAxisRange(text);
  if (axis && axis->steps < 0) axis.reset();
  return axis;
}

void PrintSummary(const Cls9& g, double milliseconds, unsigned threads) {
  const long long points = static_cast<long long>(g.StepU + 1) * (g.StepV + 1);
  std::printf("points     %lld (%d x %d)\n", points, g.StepU + 1, g.StepV + 1);
  std::printf("holes      %lld\n", static_cast<long long>(g.PointsWithoutValue));
  std::printf("x          %.9g .. %.9g\n", g.MinXq, g.MaxXq);
  std::printf("y          %.9g .. %.9g\n", g.MinYq, g.MaxYq);
  std::printf("u          %.9g .. %.9g\n", g.MinUq, g.MaxUq);
  std::printf("v          %.9g .. %.9g\n", g.MinVq, g.MaxVq);
  std::printf("magnitude  %.9g .. %.9g\n", g.MinMag, g.MaxMag);
  std::printf("time       %.3f ms (%u thread%s)\n", milliseconds, threads, threads == 1 ? "" : "s");
}

// A sampled value, or "nan" where the function has none.
void PrintValue(float value, char end) {
  if (quillon::HasValue(value))
    std::printf("%.9g%c", value, end);
  else
    std::printf("nan%c", end);
}

void PrintCsv(const Cls9& g) {
  std::vector<char> buffer(1 << 16);
  std::setvbuf(stdout, buffer.data(), _IOFBF, buffer.size());
  std::printf("x,y,u,v,magnitude\n");
  for (int32_t k = 0; k <= g.StepU; ++k) {
    for (int32_t j = 0; j <= g.StepV; ++j) {
      std::printf("%.9g,%.9g,", g.QuantityX.at(k, j), g.QuantityY.at(k, j));
      PrintValue(g.QuantityU.at(k, j), ',');
      PrintValue(g.QuantityV.at(k, j), ',');
      PrintValue(g.QuantityMagnitude.at(k, j), '\n');
    }
  }
  std::fflush(stdout);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
}

int RunSample(const std::vector<std::string>& args) {
  QStringList arguments;
  for (const std::string& a : args) arguments << QString::fromStdString(a);

  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Samples w = f(z) over a grid of the z-plane, z = x + yi, as a 3D graph does.");
  parser.addPositionalArgument("F", "the function of z, e.g. \"z^2+1\"");
  const QCommandLineOption xOption("x", "x range and number of steps", "MIN,MAX,STEPS");
  const QCommandLineOption yOption("y", "y range and number of steps", "MIN,MAX,STEPS");
  const QCommandLineOption csvOption("csv", "print x,y,u,v,magnitude for every grid point");
  const QCommandLineOption summaryOption(
      "summary", "print only the extremes, the points without a value and the time spent (default)");
  const QCommandLineOption threadsOption("threads", "threads to sample on (default: all)", "N");
  const QCommandLineOption stopOption("stop-at-error",
                                      "stop with the run-time error at the first point without a value "
                                      "(default: such points are holes, nan in --csv)");
  const QCommandLineOption helpOption({"h", "help"}, "show this help");
  parser.addOptions({xOption, yOption, csvOption, summaryOption, threadsOption, stopOption, helpOption});

  // Without a QCoreApplication the help names no program; name it.
  const auto help = [&] {
    return parser.helpText().replace(QStringLiteral("<executable_name>"),
                                     QStringLiteral("quillon-cli sample"));
  };
  auto usage = [&](const QString& problem) {
    std::fprintf(stderr, "quillon-cli sample: %s\n\n%s", qPrintable(problem), qPrintable(help()));
    return 1;
  };
  if (!parser.parse(arguments)) return usage(parser.errorText());
  if (parser.isSet(helpOption)) {
    std::printf("%s", qPrintable(help()));
    return 0;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() != 1) return usage("give exactly one function");
  if (!parser.isSet(xOption) || !parser.isSet(yOption)) return usage("--x and --y are required");
  if (parser.isSet(csvOption) && parser.isSet(summaryOption))
    return usage("--csv and --summary exclude each other");
  const auto xAxis = ParseAxis(parser.value(xOption));
  if (!xAxis) return usage("--x takes MIN,MAX,STEPS");
  const auto yAxis = ParseAxis(parser.value(yOption));
  if (!yAxis) return usage("--y takes MIN,MAX,STEPS");
  const quillon::cli::SingleAxisRange &x = *xAxis, &y = *yAxis;
  unsigned threads = quillon::SamplingThreads();
  if (parser.isSet(threadsOption)) {
    bool ok = false;
    const int n = parser.value(threadsOption).toInt(&ok);
    if (!ok || n < 1) return usage("--threads takes a positive number");
    threads = static_cast<unsigned>(n);
  }

  Cls9 g = Cls9().Init(1, "", quillon::gtp::kSurface, quillon::ctp::kCartesian, "", "",
                       positional[0].toStdString(), x.steps, y.steps, x.min, x.max, y.min, y.max, 0, 0, 0, 0,
                       1, 0, quillon::shw::kSurface, quillon::smt::kSmoothest, false, false, false, 0);
  g.FunForm = quillon::fun::kExplicit;
  g.VarX = quillon::quantity::kX;
  g.VarY = quillon::quantity::kY;
  g.VarZ = quillon::quantity::kU;
  g.Extras.stopAtFirstError = parser.isSet(stopOption);

  quillon::SamplingStop stop;
  quillon::SamplingOptions options;
  options.settings = quillon::ProgramSamplingSettings();
  options.threads = threads;
  options.stop = &stop;
  options.drawn = false;  // nothing is drawn here: only the tables count against memory
  const auto start = std::chrono::steady_clock::now();
  bool sampled = false;
  try {
    sampled = quillon::SampleGraph(g, options);
  } catch (const quillon::RuntimeError& e) {
    if (e.Number() == quillon::err::kOutOfMemory) {
      std::fprintf(stderr, "quillon-cli sample: %s\n", e.Description().c_str());
      return 2;
    }
    if (stop.stopped) {
      std::fprintf(stderr, "quillon-cli sample: run-time error %d (%s) at x = %.9g, y = %.9g\n", e.Number(),
                   e.Description().c_str(), stop.x, stop.y);
    } else {
      std::fprintf(stderr, "quillon-cli sample: run-time error %d (%s)\n", e.Number(),
                   e.Description().c_str());
    }
    return 2;
  }
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (!sampled) {
    if (stop.stopped) {
      std::fprintf(stderr, "quillon-cli sample: the function gives no value at x = %.9g, y = %.9g\n", stop.x,
                   stop.y);
    } else {
      std::fprintf(stderr, "quillon-cli sample: the function does not compile\n");
    }
    return 1;
  }
  if (parser.isSet(csvOption)) {
    PrintCsv(g);
  } else {
    PrintSummary(g, ms, threads);
  }
  return 0;
}

QUILLON_CLI_COMMAND("sample", "sample f(z) over a grid and print values or extremes", RunSample);

}  // namespace
