// quillon-cli info FILE: the document as the program reads it, as JSON.
// quillon-cli resave IN OUT: reads a document and writes it back as the Save command does.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_text.h"
#include "cli/command_table.h"
#include "document/document_file.h"
#include "document/document_json.h"
#include "document/document_writer.h"
#include "document/scene_document.h"

namespace {

using quillon::cli::FromBytes;
using quillon::cli::HelpText;
using quillon::cli::ToBytes;

// File names pass through Latin-1 so that every byte the shell gave comes back unchanged.
// Parses the arguments of one subcommand. Returns -1 to go on, otherwise the exit status
// (help printed, or a usage error reported).
int Parse(const std::vector<std::string>& args, const char* command, const char* description,
          const std::vector<std::pair<const char*, const char*>>& positionals, QStringList& values) {
  QCommandLineParser parser;
  parser.setApplicationDescription(description);
  const QCommandLineOption help({"h", "help"}, "Show this help.");
  parser.addOption(help);
  for (const auto& [name, text] : positionals) parser.addPositionalArgument(name, text);
  QStringList arguments{QString("quillon-cli ") + command};
  for (size_t i = 1; i < args.size(); ++i) arguments << FromBytes(args[i]);
  if (!parser.parse(arguments)) {
    std::fprintf(stderr, "quillon-cli %s: %s\n", command, ToBytes(parser.errorText()).c_str());
    return 2;
  }
  if (parser.isSet(help)) {
    QString text = parser.helpText();
    text.replace(QStringLiteral("<executable_name>"), QString("quillon-cli ") + command);
    std::fputs(text.toStdString().c_str(), stdout);
    return 0;
  }
  values = parser.positionalArguments();
  if (static_cast<size_t>(values.size()) != positionals.size()) {
    std::fprintf(stderr, "quillon-cli %s: expected %zu file name(s), got %lld (see --help)\n", command,
                 positionals.size(), static_cast<long long>(values.size()));
    return 2;
  }
  return -1;
}

// Reads a document; false (with the reason on standard error) when it is not readable.
bool Read(quillon::SceneDocument& document, const char* command, const std::string& file) {
  const quillon::LoadResult result = quillon::LoadDocument(document, file);
  if (!result.ok) {
    std::fprintf(stderr, "quillon-cli %s: %s: %s\n", command, file.c_str(), result.error.c_str());
    return false;
  }
  if (!result.warning.empty()) {
    std::fprintf(stderr, "quillon-cli %s: %s: warning:\n%s\n", command, file.c_str(), result.warning.c_str());
  }
  return true;
}

int RunInfo(const std::vector<std::string>& args) {
  QStringList files;
  const int status = Parse(args, "info",
                           "Read a document file as the program opens it (every graph is sampled) and print "
                           "it as JSON:\nthe scene kind, the IDs, the animation settings, the axis letters, "
                           "every graph record and the axes record, each under its property name.\n"
                           "Problems met while sampling are printed on standard error.",
                           {{"FILE", "The document (.zvt) to read."}}, files);
  if (status >= 0) return status;
  quillon::SceneDocument document;
  if (!Read(document, "info", ToBytes(files[0]))) return 1;
  std::fputs(quillon::DocumentJson(document).c_str(), stdout);
  return 0;
}

int RunResave(const std::vector<std::string>& args) {
  QStringList files;
  const int status =
      Parse(args, "resave",
            "Read a document and write it again as the Save command writes it (current "
            "format, expressions without spaces, the settings block when the document has one).",
            {{"IN", "The document to read."}, {"OUT", "The file to write (replaced)."}}, files);
  if (status >= 0) return status;
  quillon::SceneDocument document;
  if (!Read(document, "resave", ToBytes(files[0]))) return 1;
  const quillon::EncodeResult encoded = quillon::EncodeSceneDocument(document);
  if (!encoded.ok) {
    std::fprintf(stderr, "quillon-cli resave: %s\n", encoded.error.c_str());
    return 1;
  }
  std::string error;
  if (!quillon::WriteDocumentFile(ToBytes(files[1]), encoded.bytes, error)) {
    std::fprintf(stderr, "quillon-cli resave: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

QUILLON_CLI_COMMAND("info", "print a document as JSON, as the program reads it", RunInfo);
QUILLON_CLI_COMMAND("resave", "read a document and write it back as Save does", RunResave);

}  // namespace
