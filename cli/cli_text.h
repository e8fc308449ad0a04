#pragma once
// Text helpers shared by the subcommands.

#include <QCommandLineParser>
#include <QString>
#include <string>

namespace quillon::cli {

// Latin-1 maps every byte to one character and back, so a text reaches the program with the
// bytes the shell passed, whatever their encoding.
QString FromBytes(const std::string& bytes);
std::string ToBytes(const QString& text);

// The parser's help text with the subcommand's name ("quillon-cli eval") as the program.
std::string HelpText(const QCommandLineParser& parser, const char* command);

}  // namespace quillon::cli
