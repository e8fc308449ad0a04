// quillon-cli example: writes the bundled example documents with the program's own writer.
//   quillon-cli example --list          names and summaries
//   quillon-cli example NAME OUT        one example to OUT
//   quillon-cli example --all DIR       every example to DIR/NAME.zvt (how examples/ is made)

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "document/document_file.h"
#include "document/document_writer.h"
#include "document/examples.h"

namespace {

std::string ToBytes(const QString& text) {
  return text.toLatin1().toStdString();
}

bool WriteExample(const std::string& name, const std::string& file) {
  quillon::SceneDocument document;
  if (!quillon::BuildExample(document, name)) {
    std::fprintf(stderr, "quillon-cli example: no example named '%s' (see --list)\n", name.c_str());
    return false;
  }
  const quillon::EncodeResult encoded = quillon::EncodeSceneDocument(document);
  std::string error = encoded.error;
  if (!encoded.ok || !quillon::WriteDocumentFile(file, encoded.bytes, error)) {
    std::fprintf(stderr, "quillon-cli example: %s\n", error.c_str());
    return false;
  }
  return true;
}

int RunExample(const std::vector<std::string>& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Write the example documents bundled in examples/, built as the graph dialogs build a new scene "
      "and saved by the program's own writer.\nRegenerate the bundle with: quillon-cli example --all "
      "examples");
  const QCommandLineOption help({"h", "help"}, "Show this help.");
  const QCommandLineOption list({"l", "list"}, "List the examples.");
  const QCommandLineOption all({"a", "all"}, "Write every example as DIR/NAME.zvt.", "DIR");
  parser.addOptions({help, list, all});
  parser.addPositionalArgument("NAME", "The example to write.", "[NAME OUT]");
  parser.addPositionalArgument("OUT", "The file to write.");
  QStringList arguments{"quillon-cli example"};
  for (size_t i = 1; i < args.size(); ++i) arguments << QString::fromLatin1(args[i].c_str());
  if (!parser.parse(arguments)) {
    std::fprintf(stderr, "quillon-cli example: %s\n", ToBytes(parser.errorText()).c_str());
    return 2;
  }
  if (parser.isSet(help)) {
    QString text = parser.helpText();
    text.replace(QStringLiteral("<executable_name>"), QStringLiteral("quillon-cli example"));
    std::fputs(text.toStdString().c_str(), stdout);
    return 0;
  }
  if (parser.isSet(list)) {
    for (const quillon::ExampleInfo& e : quillon::Examples()) {
      std::printf("%-22s %s\n", e.name.c_str(), e.summary.c_str());
    }
    return 0;
  }
  if (parser.isSet(all)) {
    const std::string dir = ToBytes(parser.value(all));
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
      std::fprintf(stderr, "quillon-cli example: cannot create %s: %s\n", dir.c_str(),
                   error.message().c_str());
      return 1;
    }
    for (const quillon::ExampleInfo& e : quillon::Examples()) {
      if (!WriteExample(e.name, dir + "/" + e.name + ".zvt")) return 1;
    }
    return 0;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() != 2) {
    std::fprintf(stderr, "quillon-cli example: expected NAME and OUT (see --help)\n");
    return 2;
  }
  return WriteExample(ToBytes(positional[0]), ToBytes(positional[1])) ? 0 : 1;
}

QUILLON_CLI_COMMAND("example", "write the bundled example documents", RunExample);

}  // namespace
