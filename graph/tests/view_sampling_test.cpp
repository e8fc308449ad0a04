// Sampling a colour map again over a rectangle, and reading values under the mouse: pixel
// centres, colours against the colouring of f there, the visible part of the domain, the
// text of the readout and the nearest grid point past holes.

#include "graph/view_sampling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "common/program_state.h"
#include "graph/codes.h"
#include "graph/graph.h"
#include "graph/sample_value.h"
#include "graph/sampling.h"
#include "graph/value_readout.h"

namespace quillon {
namespace {

Cls9 Map(const char* text, Colouring colouring) {
  Cls9 g;
  g.GraphType = gtp::kColorMap;
  g.CoordType = ctp::kCartesian;
  g.FunForm = fun::kExplicit;
  g.ExpressZ = text;
  g.VarX = quantity::kX;
  g.VarY = quantity::kMagnitude;
  g.VarZ = quantity::kY;
  g.MinU = g.MinV = -2.0f;
  g.MaxU = g.MaxV = 2.0f;
  g.StepU = g.StepV = 8;
  g.Extras.colouring = colouring;
  return g;
}

TEST(ViewSampling, PixelsAreTheColouringOfFAtTheirCentres) {
  State() = ProgramState{};
  const Cls9 g = Map("z^2-1/z", Colouring::kEnhancedPhase);
  const PlaneRect rect{0.25, 1.25, -0.5, 0.25};
  const auto image = SampleView(g, rect, 20, 15, {});
  ASSERT_TRUE(image);
  ASSERT_EQ(image->rgba.size(), 20u * 15u * 4u);
  const ComplexColouring colour(Colouring::kEnhancedPhase);
  for (int32_t px : {0, 7, 19}) {
    for (int32_t py : {0, 9, 14}) {
      const std::complex<double> z(0.25 + (px + 0.5) * 0.05, -0.5 + (py + 0.5) * 0.05);
      const std::complex<double> w = z * z - 1.0 / z;
      const Rgb expected = colour(w.real(), w.imag());
      const uint8_t* got = &image->rgba[(static_cast<size_t>(py) * 20 + px) * 4];
      EXPECT_NEAR(got[0], expected.r * 255, 1.5) << px << "," << py;
      EXPECT_NEAR(got[1], expected.g * 255, 1.5) << px << "," << py;
      EXPECT_NEAR(got[2], expected.b * 255, 1.5) << px << "," << py;
    }
  }
  // A point without a value is the hole grey: 1/z at a pixel centre on 0.
  const auto holed = SampleView(Map("1/z", Colouring::kPhase), {-1, 1, -1, 1}, 3, 3, {});
  ASSERT_TRUE(holed);
  EXPECT_EQ(holed->rgba[4 * 4], 128);
  EXPECT_EQ(holed->rgba[4 * 4 + 1], 128);
}

TEST(ViewSampling, OnlyMapsOfZColouredFromWAndOnlyTheVisiblePart) {
  struct Case {
    const char* name;
    void (*change)(Cls9&);
    bool can;
  };
  const Case cases[] = {
      {"phase map", [](Cls9&) {}, true},
      {"channels", [](Cls9& g) { g.Extras.colouring = Colouring::kChannels; }, false},
      {"u across", [](Cls9& g) { g.VarX = quantity::kU; }, false},
      {"surface", [](Cls9& g) { g.GraphType = gtp::kSurface; }, false},
  };
  for (const Case& c : cases) {
    Cls9 g = Map("z", Colouring::kPhase);
    c.change(g);
    EXPECT_EQ(CanSampleView(g), c.can) << c.name;
    if (!c.can) {
      EXPECT_FALSE(SampleView(g, {0, 1, 0, 1}, 4, 4, {})) << c.name;
    }
  }
  const Cls9 g = Map("z", Colouring::kPhase);
  EXPECT_EQ(VisiblePart(g, {-5, 1, 1.5, 9}), (PlaneRect{-2, 1, 1.5, 2}));
  EXPECT_FALSE(VisiblePart(g, {2.5, 3, -1, 1}));
}

TEST(ValueReadout, TextPlacementAndNearestPoint) {
  EXPECT_EQ(ReadoutText({0.5, -0.25}, ComplexValue{-1, 0}),
            "z = 0.5 - 0.25i   f(z) = -1 + 0i   |f| = 1   arg f = 3.14159");
  EXPECT_EQ(ReadoutText({0, 0}, std::nullopt), "z = 0 + 0i   f(z) has no value");
  const auto program = CompileQuietly("1/z");
  ASSERT_TRUE(program);
  EXPECT_FALSE(EvaluateAt(*program, 0, 0));
  EXPECT_NEAR(EvaluateAt(*program, 0, 2)->im, -0.5, 1e-7);
  EXPECT_FALSE(CompileQuietly("1/(z"));

  State() = ProgramState{};
  Cls9 g = Map("1/z", Colouring::kPhase);
  ASSERT_TRUE(g.GetPoints({}));
  const auto place = PlacementOf(g);
  ASSERT_TRUE(place);
  EXPECT_NEAR(place->PlaneX(place->SceneX(1.25)), 1.25, 1e-9);
  EXPECT_NEAR(place->SceneZ(g.QuantityY.at(0, 3)), g.SceneZ.at(0, 3), 1e-6);
  // The grid point at 0 has no value; the point nearest a pick there is a neighbour.
  const auto hit = NearestGridPoint(g, g.SceneX.at(4, 4), g.SceneY.at(4, 5), g.SceneZ.at(4, 4));
  ASSERT_TRUE(hit);
  EXPECT_FALSE(hit->k == 4 && hit->j == 4);
  EXPECT_TRUE(HasValue(g.QuantityU.at(hit->k, hit->j)));
}

}  // namespace
}  // namespace quillon
