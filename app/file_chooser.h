#pragma once
// The file dialog seam of the file commands: a request (open or save, title, filters) and
// the chosen name with the index of the chosen filter. The window uses QFileDialog; tests
// use a scripted chooser so that no modal dialog ever blocks them.

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

class QWidget;

namespace quillon {

struct FileFilter {
  QString description;  // "(*.zvt)", "*.bmp"
  QString pattern;      // "*.zvt"
};

struct FileRequest {
  enum class Mode { kOpen, kSave };
  Mode mode = Mode::kOpen;
  QString title;
  std::vector<FileFilter> filters;
  int initialFilter = 1;  // counting from 1
  QString initialName;    // the name (or folder) the dialog starts from
};

struct FileChoice {
  QString fileName;     // empty when the dialog was cancelled
  int filterIndex = 0;  // the chosen filter, counting from 1; 0 when cancelled
  bool Cancelled() const { return fileName.isEmpty(); }
};

// Parses a filter text of the form "description|pattern|description|pattern".
std::vector<FileFilter> ParseFilterText(const QString& text);

// Shows a file dialog and reports what the user chose.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  virtual FileChoice Choose(const FileRequest& request, QWidget* parent) = 0;
};

// The desktop's file dialog (QFileDialog).
class QtFileChooser : public FileChooser {
 public:
  FileChoice Choose(const FileRequest& request, QWidget* parent) override;
  // The name filter QFileDialog shows for one filter.
  static QString NameFilter(const FileFilter& filter);
};

// Answers from a script and records every request; an empty script answers "cancelled".
class ScriptedFileChooser : public FileChooser {
 public:
  FileChoice Choose(const FileRequest& request, QWidget* parent) override;

  void Script(const QString& fileName, int filterIndex = 1) { answers_.push_back({fileName, filterIndex}); }
  void ScriptCancel() { answers_.push_back({QString(), 0}); }
  const std::vector<FileRequest>& Requests() const { return requests_; }

 private:
  std::deque<FileChoice> answers_;
  std::vector<FileRequest> requests_;
};

}  // namespace quillon
