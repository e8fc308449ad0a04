#pragma once
// The document type's association with the desktop, the freedesktop way: a shared-mime-info
// package that maps *.zvt to the class "wdxfile" (caption "Quillon") and a desktop entry
// whose Exec line opens such files with this program. A program installed where the desktop
// reads its shared files relies on the entry and type installed with it; any other (the build
// tree, an install tree outside the XDG data folders) writes them into the user's data home at every
// start and refreshes them at every document save. Failures are ignored like the registry
// calls they stand for.

#include <QString>

namespace quillon {

struct AssociationPaths {
  QString mimePackage;   // $XDG_DATA_HOME/mime/packages/quillon-wdxfile.xml
  QString desktopEntry;  // $XDG_DATA_HOME/applications/quillon.desktop
  QString icon;          // the program's icon file: beside the program, or the installed one
};

class FileAssociation {
 public:
  // programFolder: the folder of the running program, without a trailing separator.
  explicit FileAssociation(QString programFolder);

  // Creates or rewrites the mime package and the desktop entry (start-up).
  void Register() const;
  // Reads the class of *.zvt back from the mime package and rewrites the open command and
  // icon of that class (after a save). Does nothing when the package is missing.
  void Refresh() const;
  // True when the program runs from an install tree whose desktop entry the desktop reads (its
  // share folder is the data home or one of SystemDataFolders()): Register and Refresh then
  // write nothing.
  bool UsesInstalledAssociation() const;

  AssociationPaths Paths() const;
  // The class name the mime package gives *.zvt, empty when there is none.
  QString RegisteredClass() const;

  // The data home: $XDG_DATA_HOME, or ~/.local/share.
  static QString DataHome();

  static constexpr const char* kExtension = ".zvt";
  static constexpr const char* kClassName = "wdxfile";
  static constexpr const char* kCaption = "Quillon";

 private:
  void WriteDesktopEntry(const QString& className) const;
  void RefreshDatabases() const;

  QString programFolder_;
};

}  // namespace quillon
