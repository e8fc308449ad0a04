// Commands of the main window that the file, clipboard, graph-dialog and help code carries
// out. They are wired to their menu items and buttons already; each does nothing until the
// code behind it is added here.

#include "app/main_window.h"

namespace quillon {

void frmF1::OnFileOpen() {}
void frmF1::OnFileSave() {}
void frmF1::OnFileSaveAs() {}
void frmF1::OnFilePrint() {}
void frmF1::OnEditCut() {}
void frmF1::OnEditCopy() {}
void frmF1::OnEditCopyAs() {}
void frmF1::OnEditPaste() {}
// "Edit..." of the graph list's pop-up menu.
void frmF1::OnEditGraph() {}
void frmF1::OnDraw3DGraph() {}
void frmF1::OnDrawColorMap() {}
void frmF1::OnHelpContents() {}
void frmF1::OnHelpHomePage() {}
void frmF1::OnHelpSupport() {}

// Start-up step 7: the desktop's file-type entry for documents.
void frmF1::RegisterFileAssociation() {}

}  // namespace quillon
