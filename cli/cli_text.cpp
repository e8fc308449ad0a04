#include "cli/cli_text.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

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

std::optional<AxisRange> ParseAxisRange(const QString& text) {
  const QStringList parts = text.split(',');
  if (parts.size() != 3) return std::nullopt;
  bool okMin = false, okMax = false, okSteps = false;
  AxisRange axis;
  axis.min = QLocale::c().toDouble(parts[0].trimmed(), &okMin);
  axis.max = QLocale::c().toDouble(parts[1].trimmed(), &okMax);
  axis.steps = parts[2].trimmed().toInt(&okSteps);
  if (!okMin || !okMax || !okSteps || !std::isfinite(axis.min) || !std::isfinite(axis.max))
    return std::nullopt;
  return axis;
}

std::optional<SingleAxisRange> ParseSingleAxisRange(const QString& text) {
  const std::optional<AxisRange> axis = ParseAxisRange(text);
  if (!axis) return std::nullopt;
  const SingleAxisRange single{static_cast<float>(axis->min), static_cast<float>(axis->max), axis->steps};
  if (!std::isfinite(single.min) || !std::isfinite(single.max)) return std::nullopt;
  return single;
}

}  // namespace quillon::cli
