#include "app/zeros_poles_command.h"

#include <QRect>
#include <QScreen>
#include <QSize>
#include <QWidget>
#include <optional>
#include <utility>

#include "common/message_sink.h"
#include "common/runtime_error.h"
#include "graph/dialogs/sampling_runner.h"
#include "graph/zeros_poles.h"

namespace quillon {

ZerosPolesCommand::ZerosPolesCommand(SceneDocument& doc, QWidget* parent, MarksSink showMarks)
    : doc_(doc), parent_(parent), showMarks_(std::move(showMarks)) {}

ZerosPolesCommand::~ZerosPolesCommand() = default;

ZerosPolesCommand::Definition ZerosPolesCommand::DefinitionOf(const Cls9& g) {
  return {g.ID,    g.ExpressZ, g.MinU,      g.MaxU, g.MinV, g.MaxV,
          g.StepU, g.StepV,    g.GraphType, g.VarX, g.VarY, g.VarZ};
}

Cls8::GraphPtr ZerosPolesCommand::SelectedGraph() const {
  const int32_t index = doc_.CurrentIndex();
  if (index < 0 || static_cast<size_t>(index) >= doc_.Items().size() ||
      !doc_.Items()[static_cast<size_t>(index)].checked)
    return nullptr;
  const Cls8::GraphPtr listed = doc_.GraphAt(index);
  if (!listed) return nullptr;
  for (const Cls8::Entry& entry : doc_.DrawScene.FunSurfs()) {
    if (entry.graph->ID == listed->ID) return entry.graph;
  }
  return nullptr;
}

void ZerosPolesCommand::Dismiss() {
  if (showMarks_) showMarks_({});
  if (list_) {
    list_->disconnect(this);
    list_->close();
    list_ = nullptr;
  }
}

bool ZerosPolesCommand::Run() {
  Dismiss();  // a new search replaces the list before it
  const Cls8::GraphPtr graph = SelectedGraph();
  if (!graph) {
    MsgBox("Select a function first.", "Warning", MsgIcon::Exclamation);
    return false;
  }
  if (!CanSearchRoots(*graph)) {
    MsgBox("Zeros and poles are found for the function w = f(z) of a 3D graph or a colour map.", "Note",
           MsgIcon::Exclamation);
    return false;
  }
  const std::optional<CompiledProgram> program = CompileGraphFunction(graph->ExpressZ);
  if (!program) return false;  // the compiler has shown its box

  const RootSearchDomain domain = DomainOf(*graph);
  RootSearchResult result;
  SamplingRunner runner(parent_);
  runner.SetProgressLabel(QStringLiteral("Finding zeros and poles..."));
  std::optional<RuntimeError> error;
  const SamplingRunner::Outcome outcome = runner.RunJob(
      [&](SamplingControl& control) {
        result = FindZerosAndPoles(*program, domain, {&control.cancel, &control.done});
        return !result.cancelled;
      },
      RootSearchUnits(domain), &error);
  if (outcome == SamplingRunner::Outcome::kError && error) {
    MsgBox(error->Description(), "Error", MsgIcon::Critical);
    return false;
  }
  if (outcome != SamplingRunner::Outcome::kSampled) return false;  // cancelled

  std::vector<RootMark> marks = MarksOf(*graph, result.roots);
  list_ = new ZerosPolesDialog(QString::fromStdString(graph->ExpressZ), domain, result, parent_);
  list_->setAttribute(Qt::WA_DeleteOnClose);
  connect(list_, &QDialog::finished, this, [this] {
    list_ = nullptr;
    if (showMarks_) showMarks_({});
  });
  listed_ = DefinitionOf(*graph);
  if (showMarks_) showMarks_(std::move(marks));
  // Beside the window where the screen has room, else in its lower right corner: not over the
  // middle of the picture, where the marks are.
  if (parent_) {
    const QRect frame = parent_->window()->frameGeometry();
    const QScreen* screen = parent_->window()->screen();
    const QSize size = list_->frameGeometry().size();
    if (screen && screen->availableGeometry().right() - frame.right() >= size.width()) {
      list_->move(frame.right() + 1, frame.top());
    } else {
      list_->move(frame.right() - size.width() - 40, frame.bottom() - size.height() - 40);
    }
  }
  list_->show();
  return true;
}

void ZerosPolesCommand::Follow() {
  if (!list_) return;
  const Cls8::GraphPtr graph = SelectedGraph();
  if (!graph || !(DefinitionOf(*graph) == listed_)) Dismiss();
}

}  // namespace quillon
