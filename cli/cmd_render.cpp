// quillon-cli render: draws a document headless with the window's frame code and writes the
// picture in the format the output name's extension names.

#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "cli/colouring_options.h"
#include "cli/command_table.h"
#include "cli/scene_flags.h"
#include "common/memory_budget.h"
#include "common/program_state.h"
#include "common/runtime_error.h"
#include "document/document_file.h"
#include "document/scene_document.h"
#include "document/state_exchange.h"
#include "render/picture_file.h"
#include "scene/headless_render.h"

namespace {

using quillon::HeadlessRenderOptions;
using quillon::PresetView;

void PrintRenderUsage(FILE* out) {
  std::fprintf(out,
               "Usage: quillon-cli render DOC.zvt OUT.png [--size WxH] [--view "
               "front|right|top|iso]\n"
               "                          [--projection ortho|perspective] [--fit] [--roots]\n"
               "                          [--clip auto|off|MIN,MAX] [--box true|cube] [--labels screen|3d]\n"
               "                          [--colouring channels|phase|enhanced|modulus]\n"
               "                          [--contours none|modulus|phase|both] [--legend on|off]\n"
               "Draws the document with the window's start-up camera (--fit frames it as the\n"
               "window does after opening a document) and writes the picture in the format\n"
               "OUT's extension names: .png, .jpg, .bmp, .pdf or .svg (PDF and SVG embed the\n"
               "pixels at the picture's size). Default size 600x600, at most 8192x8192.\n"
               "--clip, --colouring and --contours apply to every graph, --box, --labels and\n"
               "--legend to the scene; without them the document's own settings hold.\n"
               "--roots marks the zeros (o) and poles (x) of each drawn graph's function inside\n"
               "its domain, as the window's Draw > \"Zeros and Poles\" does.\n");
}

bool ParseSize(const std::string& text, int32_t& w, int32_t& h) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  char* end = nullptr;
  const long a = std::strtol(text.c_str(), &end, 10);
  if (end != text.c_str() + x) return false;
  const long b = std::strtol(text.c_str() + x + 1, &end, 10);
  if (*end != '\0' || end == text.c_str() + x + 1) return false;
  if (a < 1 || b < 1 || a > 8192 || b > 8192) return false;
  w = static_cast<int32_t>(a);
  h = static_cast<int32_t>(b);
  return true;
}

int RunRender(const std::vector<std::string>& args) {
  HeadlessRenderOptions options;
  std::optional<quillon::cli::ClipFlag> clip;
  std::optional<quillon::BoxScale> box;
  std::optional<quillon::LabelStyle> labels;
  quillon::ColouringOverrides overrides;
  std::vector<std::string> files;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--help" || a == "-h") {
      PrintRenderUsage(stdout);
      return 0;
    } else if (a == "--size") {
      if (!value(v) || !ParseSize(v, options.width, options.height)) {
        std::fprintf(stderr, "render: --size wants WxH, e.g. 800x600\n");
        return 2;
      }
    } else if (a == "--view") {
      if (!value(v)) v.clear();
      if (v == "front")
        options.view = PresetView::Front;
      else if (v == "right")
        options.view = PresetView::Right;
      else if (v == "top")
        options.view = PresetView::Top;
      else if (v == "iso")
        options.view = PresetView::Iso;
      else {
        std::fprintf(stderr, "render: --view wants front, right, top or iso\n");
        return 2;
      }
    } else if (a == "--projection") {
      if (!value(v)) v.clear();
      if (v == "ortho")
        options.projectType = 1;
      else if (v == "perspective")
        options.projectType = 2;
      else {
        std::fprintf(stderr, "render: --projection wants ortho or perspective\n");
        return 2;
      }
    } else if (a == "--fit") {
      options.fit = true;
    } else if (a == "--clip") {
      if (!value(v) || !(clip = quillon::cli::ParseClipFlag(v))) {
        std::fprintf(stderr, "render: --clip wants auto, off or MIN,MAX with MIN below MAX\n");
        return 2;
      }
    } else if (a == "--box") {
      if (!value(v) || !(box = quillon::cli::ParseBoxFlag(v))) {
        std::fprintf(stderr, "render: --box wants true or cube\n");
        return 2;
      }
    } else if (a == "--labels") {
      if (!value(v) || !(labels = quillon::cli::ParseLabelsFlag(v))) {
        std::fprintf(stderr, "render: --labels wants screen or 3d\n");
        return 2;
      }
    } else if (a == "--colouring" || a == "--contours" || a == "--legend") {
      if (!value(v)) v.clear();
      if (!quillon::ParseColouringOption("render", a, v, overrides)) return 2;
    } else if (a == "--roots") {
      options.markRoots = true;
    } else if (!a.empty() && a[0] == '-') {
      std::fprintf(stderr, "render: unknown option %s\n", a.c_str());
      PrintRenderUsage(stderr);
      return 2;
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) {
    PrintRenderUsage(stderr);
    return 2;
  }

  if (!quillon::PictureFormatOf(QString::fromStdString(files[1]))) {
    std::fprintf(stderr, "render: %s: unknown extension (use .png, .jpg, .bmp, .pdf or .svg)\n",
                 files[1].c_str());
    return 1;
  }
  if (const auto refused = quillon::RefusePictureSize(options.width, options.height)) {
    std::fprintf(stderr, "render: %s\n", refused->c_str());
    return 1;
  }

  // Fonts and images need QtGui, which must not look for a display.
  const std::unique_ptr<QGuiApplication> app = quillon::cli::StartOffscreenGui();

  quillon::SceneDocument document;
  // The window's start-up: the axes frame is shown before any document is read.
  document.Axes.Show = true;
  const quillon::LoadResult loaded = quillon::LoadDocument(document, files[0]);
  if (!loaded.ok) {
    std::fprintf(stderr, "render: %s: %s\n", files[0].c_str(),
                 loaded.error.empty() ? "not a readable document" : loaded.error.c_str());
    return 1;
  }
  if (!loaded.warning.empty()) std::fprintf(stderr, "render: %s\n", loaded.warning.c_str());
  if (clip) quillon::cli::ApplyClipFlag(document, *clip);
  quillon::ApplyColouringOverrides(overrides, document);
  options.extras = document.Extras;
  options.legend = document.Extras.legend;
  if (box) options.extras.box = *box;
  if (labels) options.extras.labels = *labels;

  // Colour and depth buffers, the pixels read back and the image written: four bytes each.
  try {
    quillon::CheckMemory(
        uint64_t{16} * static_cast<uint64_t>(options.width) * static_cast<uint64_t>(options.height),
        "A picture of " + std::to_string(options.width) + " x " + std::to_string(options.height) + " pixels");
  } catch (const quillon::RuntimeError& e) {
    std::fprintf(stderr, "render: %s\n", e.Description().c_str());
    return 1;
  }

  QImage image;
  std::string error;
  std::vector<std::string> problems;
  options.frame = quillon::State().CurrentFrame;
  quillon::SceneDrawState drawState = quillon::LoadSceneDrawState();
  try {
    const bool rendered =
        quillon::RenderScene(document.DrawScene, document.Axes, options, drawState, image, error, &problems);
    quillon::StoreSceneDrawState(drawState);
    if (!rendered) {
      std::fprintf(stderr, "render: no OpenGL context: %s\n", error.c_str());
      return 1;
    }
    for (const std::string& problem : problems) std::fprintf(stderr, "render: %s\n", problem.c_str());
    QString reason;
    if (!quillon::WritePicture(QString::fromStdString(files[1]), image, &reason)) {
      std::fprintf(stderr, "render: cannot write %s\n", qPrintable(reason));
      return 1;
    }
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "render: not enough memory for a picture of %d x %d pixels\n", options.width,
                 options.height);
    return 1;
  }
  return 0;
}

QUILLON_CLI_COMMAND("render", "draw a document into a PNG, JPEG, BMP, PDF or SVG picture, headless",
                    RunRender);

}  // namespace
