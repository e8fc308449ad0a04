#include "app/window_commands.h"

#include <QCoreApplication>
#include <utility>
#include <vector>

#include "app/draw_area.h"
#include "app/main_window.h"
#include "common/program_state.h"

namespace quillon {

QString WindowCommands::ProgramFolder() {
  return QCoreApplication::applicationDirPath();
}

WindowCommands::WindowCommands(frmF1& window)
    : association(ProgramFolder()),
      history(UndoTarget{window.Document(), window.Light(), window.Camera(),
                         [&window] { window.FollowDocument(); }}),
      files(window.Document(), fileDialog, association, &window),
      dialogs(window.Document(), window.Light(), &window),
      draw(files, dialogs),
      edit(window.Document(), dialogs, window.ClipGraphCount),
      exports(window.Document(), [&window] { return ExportCommands::CaptureDrawingArea(window.picDraw()); }),
      zerosPoles(window.Document(), &window,
                 [&window](std::vector<RootMark> marks) {
                   if (window.picDraw()) window.picDraw()->SetRootMarks(std::move(marks));
                 }),
      fileExports(window.Document(), files, &window) {
  files.SetCapture([&window] { return ExportCommands::CaptureDrawingArea(window.picDraw()); });
  const auto clearResult = [&window] {
    State().ResultText.clear();
    window.RecompileAndRepaint();
  };
  files.SetClearResult(clearResult);
  files.SetHistory(&history);
  draw.SetClearResult(clearResult);
  draw.SetHistory(&history);
  exports.SetParent(&window);
  fileExports.SetRenderer(
      [&window](const QSize& size, QString* error) { return window.picDraw()->RenderPicture(size, error); });
  fileExports.SetDefaultSize([&window] { return window.picDraw()->PixelSize(); });
  edit.SetOnChanged([&window] {
    window.RefreshGraphList();
    window.RecompileAndRepaint();
  });
}

}  // namespace quillon
