#pragma once
// The documents used last, most recent first, kept between runs with QSettings (the user's
// configuration folder, an INI file of the program's own).

#include <QString>
#include <QStringList>

namespace quillon {

class RecentFiles {
 public:
  static constexpr int kMaxFiles = 8;

  QStringList Files() const;
  // Puts a file first (as an absolute path), dropping an older entry of it and the ninth.
  void Add(const QString& fileName);
  void Remove(const QString& fileName);

  // The menu caption of entry `index` (0-based) of `files`: its number and file name, or its
  // full path when another entry has the same file name.
  static QString Caption(const QStringList& files, int index);

 private:
  void Store(const QStringList& files) const;
};

}  // namespace quillon
