#pragma once
// The Help menu's pages: the help page installed with the program and the maker's home and
// support pages, opened by the desktop. The home and support addresses are set when the
// program is built; without them both open the help page.

#include <QString>
#include <QUrl>

namespace quillon {

// The help page: in <prefix>/share/quillon for an installed program, beside the program in
// the build tree. programFolder: the folder of the running program.
QString HelpFilePath(const QString& programFolder);
// configured when it is not empty, otherwise the help page.
QUrl PageAddress(const QString& configured, const QString& programFolder);
// The addresses "Home Page" (and the About box) and "Customer Support" open.
QUrl HomePageAddress(const QString& programFolder);
QUrl SupportPageAddress(const QString& programFolder);

// Ask the desktop to open them; a failure of the desktop is not reported.
void OpenHelpContents(const QString& programFolder);
void OpenHomePage(const QString& programFolder);
void OpenSupportPage(const QString& programFolder);

}  // namespace quillon
