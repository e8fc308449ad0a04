#pragma once
// Where the program's shared files are. An installed program sits in <prefix>/bin, with its
// help page in <prefix>/share/quillon and its desktop entry, document type and icons in the
// freedesktop folders of <prefix>/share. A program run from the build tree has its help page
// and icon beside it.

#include <QString>
#include <QStringList>

namespace quillon {

// <prefix>/share of the install tree the program runs from; empty when it runs from anywhere
// else (the build tree). programFolder: the folder of the running program.
QString InstalledDataFolder(const QString& programFolder);

// The folders the desktop reads shared files from: $XDG_DATA_DIRS, or /usr/local/share and
// /usr/share when that is unset or empty.
QStringList SystemDataFolders();

}  // namespace quillon
