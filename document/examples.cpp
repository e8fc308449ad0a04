#include "document/examples.h"

#include <memory>

#include "common/program_state.h"
#include "graph/codes.h"

namespace quillon {
namespace {

struct Recipe {
  const char* name;
  const char* summary;
  bool colorMap;
  const char* graphName;
  const char* function;
  int32_t varY;   // the quantity on the scene's vertical axis (surfaces)
  int32_t steps;  // per direction
};

// 1/(z^2+1) has poles at z = ±i; 41 steps keep every grid point off them (and off x = 0).
constexpr Recipe kRecipes[] = {
    {"welcome", "Welcome scene: the real part of sin(z) as a lit metal surface coloured by u, v and |w|",
     false, "Welcome to Quillon: sin z", "sin(z)", quantity::kU, 40},
    {"surface_z2_plus_1", "The real part of z^2+1 over the square -2..2", false, "z squared plus one",
     "z^2+1", quantity::kU, 40},
    {"magnitude_reciprocal", "The magnitude of 1/(z^2+1), with its two poles at i and -i", false,
     "Poles at i and -i", "1/(z^2+1)", quantity::kMagnitude, 41},
    {"colormap_exp", "A colour map of exp(z): red the real part, green the imaginary part, blue |w|", true,
     "exp z", "exp(z)", quantity::kMagnitude, 40},
    {"colormap_sin", "A colour map of sin(z): red the real part, green the imaginary part, blue |w|", true,
     "sin z", "sin(z)", quantity::kMagnitude, 40},
};

// The graph as the dialogs create it (surface: the 3D function dialog; colour map: the colour
// map dialog), with the colour channels on u, v and the magnitude.
std::shared_ptr<Cls9> MakeGraph(const Recipe& recipe, int32_t id) {
  auto g = std::make_shared<Cls9>();
  g->ID = id;
  g->NameS = recipe.graphName;
  g->CoordType = ctp::kCartesian;
  g->FunForm = fun::kExplicit;
  g->ExpressZ = recipe.function;
  g->StepU = g->StepV = recipe.steps;
  const float extent = recipe.colorMap ? 4.0f : 2.0f;
  g->MinU = g->MinV = -extent;
  g->MaxU = g->MaxV = extent;
  g->LineWidth = 1;
  g->Material = material::kMetal;
  g->Show = shw::kSurface;
  g->Smoothness = smt::kSmoothest;
  g->VarX = quantity::kX;
  g->VarZ = quantity::kY;
  g->ColorR = quantity::kU;
  g->ColorG = quantity::kV;
  g->ColorB = quantity::kMagnitude;
  if (recipe.colorMap) {
    g->GraphType = gtp::kColorMap;
    g->FillStyle = 3;
    g->FirstColor = 255;
    g->VarY = quantity::kMagnitude;
  } else {
    g->GraphType = gtp::kSurface;
    g->VarY = recipe.varY;
  }
  return g;
}

}  // namespace

const std::vector<ExampleInfo>& Examples() {
  static const std::vector<ExampleInfo> examples = [] {
    std::vector<ExampleInfo> list;
    for (const Recipe& r : kRecipes) list.push_back({r.name, r.summary});
    return list;
  }();
  return examples;
}

bool BuildExample(SceneDocument& document, const std::string& name) {
  const Recipe* recipe = nullptr;
  for (const Recipe& r : kRecipes) {
    if (name == r.name) recipe = &r;
  }
  if (!recipe) return false;

  document.DeleteAll();
  ProgramState& state = State();
  state.SceneKind = recipe->colorMap ? 7 : 3;
  state.TrackballActive = false;
  if (recipe->colorMap) {
    document.DrawScene.RotRoll = document.DrawScene.RotPitch = document.DrawScene.RotYaw = 0;
    document.Axes = Cls3();
    document.Axes.Show = true;
  } else {
    // A new 3D scene: the ISO view and the default frame.
    document.DrawScene.RotRoll = 0;
    document.DrawScene.RotPitch = -15;
    document.DrawScene.RotYaw = 45;
    document.Axes.BetterFonts = false;
    document.Axes.SetDefault();
    if (name == "welcome") {
      // A floor under the surface and a tick at every unit of the domain.
      document.Axes.ShowXYPanel = true;
      document.Axes.LabelNumX = document.Axes.LabelNumY = 4;
    }
  }
  auto graph = MakeGraph(*recipe, ++state.LastGraphID);
  state.TitleLetterY = std::string(quantity::kLetters[static_cast<size_t>(graph->VarX - 1)]);
  state.TitleLetterZ = std::string(quantity::kLetters[static_cast<size_t>(graph->VarY - 1)]);
  state.TitleLetterX = std::string(quantity::kLetters[static_cast<size_t>(graph->VarZ - 1)]);
  document.AddGraph(graph);
  return true;
}

}  // namespace quillon
