#include "app/file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>

namespace quillon {

std::vector<FileFilter> ParseFilterText(const QString& text) {
  const QStringList parts = text.split(QLatin1Char('|'));
  std::vector<FileFilter> filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) filters.push_back({parts[i], parts[i + 1]});
  return filters;
}

QString QtFileChooser::NameFilter(const FileFilter& filter) {
  // QFileDialog reads the patterns from a trailing "(...)"; a description that is itself the
  // pattern is shown as it is.
  if (filter.description.endsWith(QLatin1Char(')')) || filter.description == filter.pattern) {
    return filter.description;
  }
  return QStringLiteral("%1 (%2)").arg(filter.description, filter.pattern);
}

FileChoice QtFileChooser::Choose(const FileRequest& request, QWidget* parent) {
  QFileDialog dialog(parent, request.title);
  dialog.setObjectName(QStringLiteral("dlgSave"));
  QStringList nameFilters;
  for (const FileFilter& filter : request.filters) nameFilters << NameFilter(filter);
  dialog.setNameFilters(nameFilters);
  if (request.initialFilter >= 1 && request.initialFilter <= nameFilters.size()) {
    dialog.selectNameFilter(nameFilters[request.initialFilter - 1]);
  }
  if (request.mode == FileRequest::Mode::kOpen) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  } else {
    // The file commands add the filter's extension to a bare name and ask before replacing a
    // file themselves, about the name they will really write.
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  }
  if (QFileInfo(request.initialName).isDir()) {
    dialog.setDirectory(request.initialName);
  } else if (!request.initialName.isEmpty()) {
    dialog.selectFile(request.initialName);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const int index = static_cast<int>(nameFilters.indexOf(dialog.selectedNameFilter())) + 1;
  return {dialog.selectedFiles().constFirst(), index > 0 ? index : 1};
}

FileChoice ScriptedFileChooser::Choose(const FileRequest& request, QWidget*) {
  requests_.push_back(request);
  if (answers_.empty()) return {};
  FileChoice answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace quillon
