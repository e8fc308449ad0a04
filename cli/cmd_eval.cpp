// quillon-cli eval: evaluates a function text at one point as a graph would (implied products
// made explicit, compiled once, evaluated by the compiled program) and prints "u v".

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_text.h"
#include "cli/command_table.h"
#include "common/message_sink.h"
#include "common/runtime_error.h"
#include "expr/expression.h"
#include "expr/program.h"
#include "expr/text_helpers.h"

namespace {

using quillon::cli::FromBytes;
using quillon::cli::HelpText;
using quillon::cli::ToBytes;

constexpr int kUsageError = 64;

// A coordinate as typed: "." or "," as the decimal point, an optional sign and exponent; it
// must fit in single precision.
std::optional<float> ParseCoordinate(QString text) {
  text.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double value = QLocale::c().toDouble(text.trimmed(), &ok);
  if (!ok || !std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
    return std::nullopt;
  return static_cast<float>(value);
}

int RunEval(const std::vector<std::string>& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Evaluate a function text at z = X + Yi and print the real and imaginary parts of w = f(z) as "
      "\"u v\".\nImplied products such as \"2z\" are made explicit first, as for a graph.\n"
      "Exit status: 0 with a value; 1 on a syntax error (its message is printed) or when the text "
      "yields no value (\"no value\"); 2 on a run-time error (\"error NUMBER: DESCRIPTION\"); 64 on "
      "bad arguments.");
  const QCommandLineOption help({"h", "help"}, "Show this help.");
  parser.addOption(help);
  parser.addPositionalArgument("TEXT", "The function text, e.g. \"z^2+1\".", "[--] TEXT");
  parser.addPositionalArgument("X", "The real part of z (\".\" or \",\" as decimal point).");
  parser.addPositionalArgument("Y",
                               "The imaginary part of z. Put -- before the arguments when one starts "
                               "with \"-\".");
  QStringList arguments;
  arguments << QStringLiteral("quillon-cli eval");
  for (std::size_t i = 1; i < args.size(); ++i) arguments << FromBytes(args[i]);

  if (!parser.parse(arguments)) {
    std::fprintf(stderr, "quillon-cli eval: %s\n(put -- before arguments that start with \"-\")\n",
                 ToBytes(parser.errorText()).c_str());
    return kUsageError;
  }
  if (parser.isSet(help)) {
    std::fputs(HelpText(parser, "quillon-cli eval").c_str(), stdout);
    return 0;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() != 3) {
    std::fprintf(stderr, "quillon-cli eval: expected TEXT X Y, got %lld arguments\n%s",
                 static_cast<long long>(positional.size()), HelpText(parser, "quillon-cli eval").c_str());
    return kUsageError;
  }
  const std::optional<float> x = ParseCoordinate(positional[1]);
  const std::optional<float> y = ParseCoordinate(positional[2]);
  if (!x || !y) {
    std::fprintf(stderr, "quillon-cli eval: '%s' is not a number\n", ToBytes(positional[x ? 2 : 1]).c_str());
    return kUsageError;
  }

  quillon::RecordingSink sink;
  quillon::ScopedMessageSink guard(&sink);
  quillon::Cls6 expression;
  std::string postfix;
  if (expression.InfixToPostfix(quillon::AddMultiplySigns(ToBytes(positional[0])), postfix) != 0) {
    const std::string box = sink.Requests().empty() ? expression.ErrorText() : sink.Requests().back().text;
    std::printf("%s\n", box.c_str());
    return 1;
  }
  const quillon::CompiledProgram program = quillon::CompiledProgram::FromPostfix(postfix);
  float u = 0.0f;
  float v = 0.0f;
  try {
    if (!program.Evaluate(*x, *y, u, v)) {
      std::printf("no value\n");
      return 1;
    }
  } catch (const quillon::RuntimeError& e) {
    std::printf("error %d: %s\n", static_cast<int>(e.Number()), e.Description().c_str());
    return 2;
  }
  std::printf("%.9g %.9g\n", static_cast<double>(u), static_cast<double>(v));
  return 0;
}

QUILLON_CLI_COMMAND("eval", "evaluate a function text at one point", RunEval);

}  // namespace
