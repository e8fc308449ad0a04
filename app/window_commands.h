#pragma once
// The command controllers of the main window, built from its pieces: the file dialog, the
// association, the document's history and recent files, the File, Draw, Edit, picture and
// export commands. The window's command slots call them (main_window_commands.cpp).

#include <QString>

#include "app/document_history.h"
#include "app/draw_commands.h"
#include "app/edit_commands.h"
#include "app/export_commands.h"
#include "app/file_association.h"
#include "app/file_chooser.h"
#include "app/file_commands.h"
#include "app/file_export_commands.h"
#include "app/recent_files.h"
#include "app/zeros_poles_command.h"

namespace quillon {

class frmF1;

struct WindowCommands {
  explicit WindowCommands(frmF1& window);

  // The folder of the running program, without a trailing separator.
  static QString ProgramFolder();

  QtFileChooser fileDialog;
  FileAssociation association;
  DocumentHistory history;
  RecentFiles recent;
  FileCommands files;
  GraphDialogLauncher dialogs;
  DrawCommands draw;
  EditCommands edit;
  ExportCommands exports;
  ZerosPolesCommand zerosPoles;
  FileExportCommands fileExports;
};

}  // namespace quillon
