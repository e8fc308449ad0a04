#include "cli/cli_text.h"

namespace quillon::cli {

QString FromBytes(const std::string& bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) {
  return text.toLatin1().toStdString();
}

std::string HelpText(const QCommandLineParser& parser, const char* command) {
  QString text = parser.helpText();
  text.replace(QStringLiteral("<executable_name>"), QString::fromLatin1(command));
  return text.toStdString();
}

}  // namespace quillon::cli
