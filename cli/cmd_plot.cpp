// quillon-cli plot: draws one function without a document, as a surface with the 3D graph
// dialog's defaults or (--map) a colour map with the colour map dialog's, into a picture.

#include <QCommandLineParser>
#include <QImage>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli_text.h"
#include "cli/colouring_options.h"
#include "cli/command_table.h"
#include "cli/scene_flags.h"
#include "common/color.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "document/scene_document.h"
#include "document/state_exchange.h"
#include "graph/codes.h"
#include "render/picture_file.h"
#include "scene/headless_render.h"

namespace {

using quillon::Cls9;

struct Axis {
  float min = -2.0f;
  float max = 2.0f;
  int32_t steps = 40;
};

// "MIN,MAX,STEPS" as the graph dialogs take it: MIN below MAX and 1 to 5000 steps.
bool ParseAxis(const QString& text, Axis& axis) {
  const std::optional<quillon::cli::SingleAxisRange> parsed = quillon::cli::ParseSingleAxisRange(text);
  if (!parsed || !(parsed->min < parsed->max) || parsed->steps < 1 || parsed->steps > 5000) return false;
  axis = {parsed->min, parsed->max, parsed->steps};
  return true;
}

bool ParseSize(const QString& text, int32_t& w, int32_t& h) {
  const QStringList parts = text.toLower().split('x');
  if (parts.size() != 2) return false;
  bool okW = false, okH = false;
  w = parts[0].toInt(&okW);
  h = parts[1].toInt(&okH);
  return okW && okH && w >= 1 && h >= 1 && w <= 8192 && h <= 8192;
}

// The graph the dialogs make from their start values, for the function and domain given.
std::shared_ptr<Cls9> DialogGraph(const std::string& function, const Axis& x, const Axis& y, bool map) {
  using namespace quillon;
  const int32_t id = ++State().LastGraphID;
  auto g = std::make_shared<Cls9>(
      Cls9{}.Init(id, "Untitled", map ? gtp::kColorMap : gtp::kSurface, ctp::kCartesian, "", "", function,
                  x.steps, y.steps, x.min, x.max, y.min, y.max, map ? 3 : 0, RGB(255, 0, 0), 0, 0, 1,
                  material::kMetal, shw::kSurface, smt::kSmoothest, false, false, false, 0));
  g->FunForm = fun::kExplicit;
  if (map) {
    g->VarX = quantity::kX;
    g->VarY = quantity::kMagnitude;
    g->VarZ = quantity::kY;
    g->Extras = GraphExtras::NewColorMap();
  } else {
    // The user's X axis is the scene's depth (VarZ), Y its width (VarX), Z its height (VarY).
    g->VarX = quantity::kY;
    g->VarY = quantity::kU;
    g->VarZ = quantity::kX;
    g->Extras = GraphExtras::NewSurface();
  }
  g->ColorR = quantity::kU;
  g->ColorG = quantity::kV;
  g->ColorB = quantity::kMagnitude;
  return g;
}

// The scene a new graph of that kind starts, as the window sets it up.
void StartScene(quillon::SceneDocument& document, const Cls9& g, bool map) {
  using namespace quillon;
  ProgramState& state = State();
  state.SceneKind = map ? 7 : 3;
  state.TrackballActive = false;
  document.Extras = SceneExtras::NewScene();
  if (map) {
    document.Axes = Cls3();
    document.Axes.Show = true;
  } else {
    document.Axes.BetterFonts = false;
    document.Axes.SetDefault();
    document.DrawScene.RotPitch = -15.0f;
    document.DrawScene.RotYaw = 45.0f;
  }
  state.TitleLetterY = std::string(quantity::kLetters[static_cast<size_t>(g.VarX - 1)]);
  state.TitleLetterZ = std::string(quantity::kLetters[static_cast<size_t>(g.VarY - 1)]);
  state.TitleLetterX = std::string(quantity::kLetters[static_cast<size_t>(g.VarZ - 1)]);
}

int RunPlot(const std::vector<std::string>& args) {
  QStringList arguments;
  arguments << QStringLiteral("quillon-cli plot");
  for (size_t i = 1; i < args.size(); ++i) arguments << QString::fromStdString(args[i]);

  QCommandLineParser parser;
  parser.addPositionalArgument("F", "the function of z; may follow --");
  parser.addPositionalArgument("OUT", "the picture: PNG, JPEG, BMP, PDF or SVG by its extension");
  const QCommandLineOption xOption("x", "x range and steps (default -2,2,40)", "MIN,MAX,STEPS");
  const QCommandLineOption yOption("y", "y range and steps (default -2,2,40)", "MIN,MAX,STEPS");
  const QCommandLineOption mapOption("map", "draw a colour map instead of a surface");
  const QCommandLineOption sizeOption("size", "picture size (default 800x600)", "WxH");
  const QCommandLineOption viewOption("view", "front, right, top or iso (default iso; maps face the viewer)",
                                      "VIEW");
  const QCommandLineOption clipOption("clip", "auto (default), off, or MIN,MAX", "CLIP");
  const QCommandLineOption boxOption("box", "true or cube (default cube)", "BOX");
  const QCommandLineOption labelsOption("labels", "screen (default) or 3d", "LABELS");
  const QCommandLineOption colouringOption(
      "colouring", "channels, phase, enhanced or modulus (default phase, enhanced for --map)", "COLOURING");
  const QCommandLineOption contoursOption("contours", "none (default), modulus, phase or both", "CONTOURS");
  const QCommandLineOption legendOption("legend", "on or off (default on)", "LEGEND");
  const QCommandLineOption helpOption({"h", "help"}, "show this help");
  parser.addOptions({xOption, yOption, mapOption, sizeOption, viewOption, clipOption, boxOption, labelsOption,
                     colouringOption, contoursOption, legendOption, helpOption});
  const auto help = [&] {
    return parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("quillon-cli plot"));
  };
  auto usage = [&](const QString& problem) {
    std::fprintf(stderr, "quillon-cli plot: %s\n\n%s", qPrintable(problem), qPrintable(help()));
    return 2;
  };
  if (!parser.parse(arguments)) return usage(parser.errorText());
  if (parser.isSet(helpOption)) {
    std::printf("%s", qPrintable(help()));
    return 0;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() != 2) return usage("give a function and an output file");
  if (!quillon::PictureFormatOf(positional[1])) {
    std::fprintf(stderr, "quillon-cli plot: %s: unknown extension (use .png, .jpg, .bmp, .pdf or .svg)\n",
                 qPrintable(positional[1]));
    return 1;
  }

  Axis x, y;
  if (parser.isSet(xOption) && !ParseAxis(parser.value(xOption), x))
    return usage("--x takes MIN,MAX,STEPS with MIN below MAX and 1 to 5000 steps");
  if (parser.isSet(yOption) && !ParseAxis(parser.value(yOption), y))
    return usage("--y takes MIN,MAX,STEPS with MIN below MAX and 1 to 5000 steps");
  quillon::HeadlessRenderOptions options;
  options.width = 800;
  options.height = 600;
  options.fit = true;
  if (parser.isSet(sizeOption) && !ParseSize(parser.value(sizeOption), options.width, options.height))
    return usage("--size wants WxH, e.g. 800x600");
  if (const auto refused = quillon::RefusePictureSize(options.width, options.height)) {
    std::fprintf(stderr, "quillon-cli plot: %s\n", refused->c_str());
    return 1;
  }
  const bool map = parser.isSet(mapOption);
  if (parser.isSet(viewOption)) {
    const QString v = parser.value(viewOption);
    if (v == "front")
      options.view = quillon::PresetView::Front;
    else if (v == "right")
      options.view = quillon::PresetView::Right;
    else if (v == "top")
      options.view = quillon::PresetView::Top;
    else if (v == "iso")
      options.view = quillon::PresetView::Iso;
    else
      return usage("--view wants front, right, top or iso");
  }
  std::optional<quillon::cli::ClipFlag> clip;
  if (parser.isSet(clipOption) &&
      !(clip = quillon::cli::ParseClipFlag(parser.value(clipOption).toStdString())))
    return usage("--clip wants auto, off or MIN,MAX with MIN below MAX");
  std::optional<quillon::BoxScale> box;
  if (parser.isSet(boxOption) && !(box = quillon::cli::ParseBoxFlag(parser.value(boxOption).toStdString())))
    return usage("--box wants true or cube");
  std::optional<quillon::LabelStyle> labels;
  if (parser.isSet(labelsOption) &&
      !(labels = quillon::cli::ParseLabelsFlag(parser.value(labelsOption).toStdString())))
    return usage("--labels wants screen or 3d");
  quillon::ColouringOverrides overrides;
  for (const QCommandLineOption* option : {&colouringOption, &contoursOption, &legendOption}) {
    if (parser.isSet(*option) &&
        !quillon::ParseColouringOption("quillon-cli plot", "--" + option->names().front().toStdString(),
                                       parser.value(*option).toStdString(), overrides))
      return 2;
  }

  const std::unique_ptr<QGuiApplication> app = quillon::cli::StartOffscreenGui();
  quillon::SceneDocument document;
  const auto graph = DialogGraph(positional[0].toStdString(), x, y, map);
  StartScene(document, *graph, map);
  if (clip) {
    graph->Extras.clip = clip->mode;
    graph->Extras.clipMin = clip->min;
    graph->Extras.clipMax = clip->max;
  }
  try {
    if (!document.AddGraph(graph)) {
      std::fprintf(stderr, "quillon-cli plot: the function does not compile\n");
      return 1;
    }
  } catch (const quillon::RuntimeError& e) {
    std::fprintf(stderr, "quillon-cli plot: run-time error %d (%s)\n", e.Number(), e.Description().c_str());
    return 2;
  }
  if (graph->PointsWithoutValue > 0) {
    const long long holes = graph->PointsWithoutValue;
    std::fprintf(stderr, "quillon-cli plot: %lld %s no value\n", holes,
                 holes == 1 ? "point has" : "points have");
  }
  quillon::ApplyColouringOverrides(overrides, document);
  options.extras = document.Extras;
  options.legend = document.Extras.legend;
  if (box) options.extras.box = *box;
  if (labels) options.extras.labels = *labels;

  QImage image;
  std::string error;
  options.frame = quillon::State().CurrentFrame;
  quillon::SceneDrawState drawState = quillon::LoadSceneDrawState();
  const bool rendered =
      quillon::RenderScene(document.DrawScene, document.Axes, options, drawState, image, error);
  quillon::StoreSceneDrawState(drawState);
  if (!rendered) {
    std::fprintf(stderr, "quillon-cli plot: no OpenGL context: %s\n", error.c_str());
    return 1;
  }
  QString reason;
  if (!quillon::WritePicture(positional[1], image, &reason)) {
    std::fprintf(stderr, "quillon-cli plot: cannot write %s\n", qPrintable(reason));
    return 1;
  }
  return 0;
}

QUILLON_CLI_COMMAND("plot", "draw a function into a PNG or BMP picture without a document", RunPlot);

}  // namespace
