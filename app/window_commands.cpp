#include "app/window_commands.h"

#include <QCoreApplication>

#include "app/draw_area.h"
#include "app/main_window.h"
#include "common/program_state.h"

namespace quillon {

QString WindowCommands::ProgramFolder() {
  return QCoreApplication::applicationDirPath();
}

WindowCommands::WindowCommands(frmF1& window)
    : association(ProgramFolder()),
      files(window.Document(), fileDialog, association, &window),
      dialogs(window.Document(), window.Light(), &window),
      draw(files, dialogs),
      edit(window.Document(), dialogs, window.ClipGraphCount),
      exports(window.Document(), [&window] { return ExportCommands::CaptureDrawingArea(window.picDraw()); }) {
  files.SetCapture([&window] { return ExportCommands::CaptureDrawingArea(window.picDraw()); });
  files.SetClearResult([&window] {
    State().ResultText.clear();
    window.RecompileAndRepaint();
  });
  edit.SetOnChanged([&window] {
    window.RefreshGraphList();
    window.RecompileAndRepaint();
  });
}

}  // namespace quillon
