// quillon-cli postfix: compiles a function text exactly as typed and prints its postfix tokens,
// or the syntax error the program would show in its message box.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_text.h"
#include "cli/command_table.h"
#include "common/message_sink.h"
#include "expr/expression.h"

namespace {

using quillon::cli::FromBytes;
using quillon::cli::HelpText;
using quillon::cli::ToBytes;

int RunPostfix(const std::vector<std::string>& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Compile a function text into the postfix tokens the evaluator reads, each followed by one "
      "space.\nThe text is compiled as typed: implied products such as \"2z\" are not made explicit.\n"
      "On a syntax error the message is printed and the exit status is 1.");
  // Our own help option: the parser's standard one also offers Qt's options, which do not apply.
  const QCommandLineOption help({"h", "help"}, "Show this help.");
  parser.addOption(help);
  parser.addPositionalArgument("TEXT", "The function text. Put -- before a text that starts with \"-\".",
                               "[--] TEXT");
  QStringList arguments;
  arguments << QStringLiteral("quillon-cli postfix");
  for (std::size_t i = 1; i < args.size(); ++i) arguments << FromBytes(args[i]);

  if (!parser.parse(arguments)) {
    std::fprintf(stderr, "quillon-cli postfix: %s\n(put -- before a text that starts with \"-\")\n",
                 ToBytes(parser.errorText()).c_str());
    return 2;
  }
  if (parser.isSet(help)) {
    std::fputs(HelpText(parser, "quillon-cli postfix").c_str(), stdout);
    return 0;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() != 1) {
    std::fprintf(stderr, "quillon-cli postfix: expected one function text, got %lld\n%s",
                 static_cast<long long>(positional.size()), HelpText(parser, "quillon-cli postfix").c_str());
    return 2;
  }

  quillon::RecordingSink sink;
  quillon::ScopedMessageSink guard(&sink);
  quillon::Cls6 expression;
  std::string postfix;
  if (expression.InfixToPostfix(ToBytes(positional[0]), postfix) != 0) {
    const std::string box = sink.Requests().empty() ? expression.ErrorText() : sink.Requests().back().text;
    std::printf("%s\n", box.c_str());
    return 1;
  }
  std::fwrite(postfix.data(), 1, postfix.size(), stdout);
  std::fputc('\n', stdout);
  return 0;
}

QUILLON_CLI_COMMAND("postfix", "compile a function text into postfix tokens", RunPostfix);

}  // namespace
