#pragma once
// The Help menu's pages: the help page shipped beside the program and the maker's home and
// support pages (addresses set when the program is built), opened by the desktop.

#include <QString>

namespace quillon {

// The help page in the program folder.
QString HelpFilePath(const QString& programFolder);
// The addresses "Home Page" and "Customer Support" open.
QString HomePageAddress();
QString SupportPageAddress();

// Ask the desktop to open them; a failure of the desktop is not reported.
void OpenHelpContents(const QString& programFolder);
void OpenHomePage();
void OpenSupportPage();

}  // namespace quillon
