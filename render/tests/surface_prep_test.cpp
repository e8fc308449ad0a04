// The surface renderer's arithmetic: positions, colour ranges and colours, normals and seams.

#include "render/surface_prep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "common/runtime_error.h"
#include "graph/point.h"
#include "render/tests/surface_test_support.h"

namespace quillon {
namespace {

using testing::FlatGrid;
using testing::MakeSurface;
using testing::Position;

void ExpectNormal(const std::array<GridTable, 3>& t, int32_t k, int32_t j, double x, double y, double z) {
  EXPECT_NEAR(t[0].at(k, j), x, 1e-6) << "at " << k << "," << j;
  EXPECT_NEAR(t[1].at(k, j), y, 1e-6) << "at " << k << "," << j;
  EXPECT_NEAR(t[2].at(k, j), z, 1e-6) << "at " << k << "," << j;
}

TEST(SurfaceNormalsTest, CellNormalIsTheCrossProductOfTheDiagonals) {
  Cls9 g = MakeSurface(1, 1, FlatGrid);
  SurfaceVertices v(g, 0);
  std::array<GridTable, 3> cell;
  ComputeCellNormals(v.Positions(), false, 0.0f, cell);
  // (P0 - P2) x (P1 - P3) = (-1, 0, -1) x (1, 0, -1) = (0, -2, 0).
  ExpectNormal(cell, 0, 0, 0.0, -1.0, 0.0);
  EXPECT_EQ(cell[0].Columns(), 1);
  EXPECT_EQ(cell[0].Rows(), 1);
}

TEST(SurfaceNormalsTest, DegenerateCellAndVertexKeepZeroNormals) {
  Cls9 g = MakeSurface(1, 1, [](int32_t, int32_t) { return Position{2.0f, 2.0f, 2.0f}; });
  SurfaceVertices v(g, 0);
  std::array<GridTable, 3> cell, vertex;
  ComputeCellNormals(v.Positions(), false, 0.0f, cell);
  ComputeVertexNormals(v.Positions(), cell, Seam::kNone, vertex);
  ExpectNormal(cell, 0, 0, 0.0, 0.0, 0.0);
  ExpectNormal(vertex, 1, 1, 0.0, 0.0, 0.0);
}

TEST(SurfaceNormalsTest, TwoByTwoTentSumsTheCellsAroundEachVertex) {
  // A 2 x 2 grid with its centre raised to 1.
  Cls9 g = MakeSurface(2, 2, [](int32_t k, int32_t j) {
    return Position{static_cast<float>(k), (k == 1 && j == 1) ? 1.0f : 0.0f, static_cast<float>(j)};
  });
  SurfaceVertices v(g, 0);
  std::array<GridTable, 3> cell, vertex;
  ComputeCellNormals(v.Positions(), false, 0.0f, cell);
  ComputeVertexNormals(v.Positions(), cell, Seam::kNone, vertex);
  const double s6 = std::sqrt(6.0);
  ExpectNormal(cell, 0, 0, 1 / s6, -2 / s6, 1 / s6);
  ExpectNormal(cell, 1, 0, -1 / s6, -2 / s6, 1 / s6);
  // Corner: its one cell. Border: its two cells. Centre: four cells, the tilts cancel.
  ExpectNormal(vertex, 0, 0, 1 / s6, -2 / s6, 1 / s6);
  const double s5 = std::sqrt(5.0);
  ExpectNormal(vertex, 1, 0, 0.0, -2 / s5, 1 / s5);
  ExpectNormal(vertex, 1, 1, 0.0, -1.0, 0.0);
}

TEST(SurfaceNormalsTest, ColourMapCellsUseTheMinimumY) {
  Cls9 g = MakeSurface(1, 1, [](int32_t k, int32_t j) {
    return Position{static_cast<float>(k), static_cast<float>(3 * k + j), static_cast<float>(j)};
  });
  SurfaceVertices v(g, 0);
  std::array<GridTable, 3> cell;
  ComputeCellNormals(v.Positions(), true, -5.0f, cell);
  ExpectNormal(cell, 0, 0, 0.0, -1.0, 0.0);
  // The map's height is not used, but a cell with a point without a value is still left out.
  g.SceneY.at(1, 1) = std::numeric_limits<float>::quiet_NaN();
  SurfaceVertices holed(g, 0);
  ComputeCellNormals(holed.Positions(), true, -5.0f, cell);
  ExpectNormal(cell, 0, 0, 0.0, 0.0, 0.0);
}

// Every vertex normal of an uneven, non-square grid against the cells around it, each cell
// normal worked out here from the corner positions; with a point without a value inside, on
// the border or at a corner, only the cells that do not touch it count.
TEST(SurfaceNormalsTest, EveryVertexSumsExactlyTheCellsThatShareIt) {
  const int32_t stepU = 3, stepV = 5;
  struct Hole {
    int32_t k, j;
  };
  for (const Hole hole : {Hole{-1, -1}, Hole{1, 2}, Hole{2, 0}, Hole{0, 0}, Hole{3, 5}}) {
    SCOPED_TRACE("hole at " + std::to_string(hole.k) + "," + std::to_string(hole.j));
    Cls9 g = MakeSurface(stepU, stepV, [](int32_t k, int32_t j) {
      return Position{static_cast<float>(k), static_cast<float>((k * 7 + j * 3) % 5) * 0.5f,
                      static_cast<float>(j) * 0.8f};
    });
    if (hole.k >= 0) g.SceneY.at(hole.k, hole.j) = std::numeric_limits<float>::quiet_NaN();
    auto touches = [&](int32_t k, int32_t j) {
      return (hole.k == k || hole.k == k + 1) && (hole.j == j || hole.j == j + 1);
    };
    SurfaceVertices v(g, 0);
    std::array<GridTable, 3> cell, vertex;
    ComputeCellNormals(v.Positions(), false, 0.0f, cell);
    ComputeVertexNormals(v.Positions(), cell, Seam::kNone, vertex);
    ASSERT_EQ(cell[0].Columns(), stepU);
    ASSERT_EQ(cell[0].Rows(), stepV);
    auto corner = [&](int32_t k, int32_t j) {
      return std::array<double, 3>{g.SceneX.at(k, j), g.SceneY.at(k, j), g.SceneZ.at(k, j)};
    };
    auto cellNormal = [&](int32_t k, int32_t j) {
      if (touches(k, j)) return std::array<double, 3>{0.0, 0.0, 0.0};
      const auto p0 = corner(k, j), p1 = corner(k + 1, j), p2 = corner(k + 1, j + 1), p3 = corner(k, j + 1);
      const double a[3] = {p0[0] - p2[0], p0[1] - p2[1], p0[2] - p2[2]};
      const double b[3] = {p1[0] - p3[0], p1[1] - p3[1], p1[2] - p3[2]};
      const double n[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
      const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
      return std::array<double, 3>{n[0] / length, n[1] / length, n[2] / length};
    };
    for (int32_t k = 0; k < stepU; ++k)
      for (int32_t j = 0; j < stepV; ++j) {
        const auto n = cellNormal(k, j);
        ExpectNormal(cell, k, j, n[0], n[1], n[2]);
      }
    for (int32_t k = 0; k <= stepU; ++k) {
      for (int32_t j = 0; j <= stepV; ++j) {
        double sum[3] = {0.0, 0.0, 0.0};
        for (int32_t ck : {k - 1, k})
          for (int32_t cj : {j - 1, j}) {
            if (ck < 0 || cj < 0 || ck >= stepU || cj >= stepV) continue;
            const auto n = cellNormal(ck, cj);
            for (int c = 0; c < 3; ++c) sum[c] += n[c];
          }
        double length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
        if (length == 0.0) length = 1.0;  // the point itself, or a vertex with only such cells
        ExpectNormal(vertex, k, j, sum[0] / length, sum[1] / length, sum[2] / length);
      }
    }
  }
}

// A tube around the x axis: j runs once round, so its first and last lines coincide.
Cls9 Tube(int32_t stepU, int32_t stepV) {
  Cls9 g = MakeSurface(stepU, stepV, [stepV](int32_t k, int32_t j) {
    const double a = 2.0 * std::numbers::pi * j / stepV;
    return Position{static_cast<float>(k), static_cast<float>(std::sin(a)), static_cast<float>(std::cos(a))};
  });
  g.ColorR = 1;  // spans: X 4, Y 2, and the u domain 10
  g.ColorG = 2;
  g.ColorB = 3;
  g.MinU = 0.0f;
  g.MaxU = 10.0f;
  return g;
}

TEST(SurfaceSeamTest, ClosedTubeShadesAcrossTheSeam) {
  Cls9 g = Tube(4, 12);
  SurfaceVertices v(g, 0);
  const SurfaceRanges r = ChannelRanges(g);
  ASSERT_EQ(FindSeam(v.Positions(), r), Seam::kAlongJ);
  std::array<GridTable, 3> cell, vertex, open;
  ComputeCellNormals(v.Positions(), false, 0.0f, cell);
  ComputeVertexNormals(v.Positions(), cell, Seam::kAlongJ, vertex);
  ComputeVertexNormals(v.Positions(), cell, Seam::kNone, open);
  for (int32_t k = 0; k <= 4; ++k) {
    for (int c = 0; c < 3; ++c) EXPECT_EQ(vertex[c].at(k, 0), vertex[c].at(k, 12));
  }
  // On the seam line (y = 0, z = 1) the normal is radial, as everywhere else on the tube.
  EXPECT_NEAR(std::fabs(vertex[2].at(2, 0)), 1.0, 1e-5);
  EXPECT_NEAR(vertex[1].at(2, 0), 0.0, 1e-5);
  // Without the seam the border line takes only its own side and tilts.
  EXPECT_GT(std::fabs(open[1].at(2, 0)), 0.1);
}

TEST(SurfaceSeamTest, PointsWithoutAValueAreLeftOutOfTheSeam) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // A hole away from the border lines: the tube still closes, and every normal is a number.
  Cls9 g = Tube(4, 12);
  g.SceneY.at(2, 6) = nan;
  SurfaceVertices v(g, 0);
  ASSERT_EQ(FindSeam(v.Positions(), ChannelRanges(g)), Seam::kAlongJ);
  std::array<GridTable, 3> cell, vertex;
  ComputeCellNormals(v.Positions(), false, 0.0f, cell);
  ComputeVertexNormals(v.Positions(), cell, Seam::kAlongJ, vertex);
  for (int32_t k = 0; k <= 4; ++k)
    for (int32_t j = 0; j <= 12; ++j)
      for (int c = 0; c < 3; ++c) ASSERT_TRUE(std::isfinite(vertex[c].at(k, j))) << k << "," << j;
  // Beside the hole only the cells of the line before it count: the normal is that of the
  // strip between j = 4 and 5 alone, radial at j = 4.5.
  EXPECT_NEAR(std::fabs(vertex[1].at(2, 5)), std::sin(2.0 * std::numbers::pi * 4.5 / 12), 1e-5);
  // A hole on a seam corner: whether the tube closes there is not known, so it does not.
  Cls9 corner = Tube(4, 12);
  corner.SceneZ.at(0, 12) = nan;
  SurfaceVertices cv(corner, 0);
  EXPECT_EQ(FindSeam(cv.Positions(), ChannelRanges(corner)), Seam::kNone);
}

TEST(SurfaceSeamTest, ToleranceComesFromTheColourSpans) {
  Cls9 g = Tube(4, 12);
  g.ColorB = 0;  // blue span 0: nothing is within 0.8 x 0
  SurfaceVertices v(g, 0);
  EXPECT_EQ(FindSeam(v.Positions(), ChannelRanges(g)), Seam::kNone);
  // A gap of 0.5 in z between the first and last lines: inside 0.8 x (10 / 12) only.
  Cls9 gapped = Tube(4, 12);
  for (int32_t k = 0; k <= 4; ++k) gapped.SceneZ.at(k, 12) -= 0.5f;
  SurfaceVertices gv(gapped, 0);
  EXPECT_EQ(FindSeam(gv.Positions(), ChannelRanges(gapped)), Seam::kAlongJ);
  gapped.MaxU = 5.0f;  // 0.8 x 5 / 12 = 0.33 < 0.5
  EXPECT_EQ(FindSeam(gv.Positions(), ChannelRanges(gapped)), Seam::kNone);
}

TEST(SurfaceSeamTest, SeamAlongKWhenJDoesNotClose) {
  // The tube with k and j exchanged.
  const int32_t stepU = 12;
  Cls9 g = MakeSurface(stepU, 3, [](int32_t k, int32_t j) {
    const double a = 2.0 * std::numbers::pi * k / stepU;
    return Position{static_cast<float>(std::cos(a)), static_cast<float>(std::sin(a)), static_cast<float>(j)};
  });
  g.ColorR = 1;
  g.ColorG = 2;
  g.ColorB = 3;
  g.MaxU = 10.0f;
  SurfaceVertices v(g, 0);
  ASSERT_EQ(FindSeam(v.Positions(), ChannelRanges(g)), Seam::kAlongK);
  std::array<GridTable, 3> cell, vertex;
  ComputeCellNormals(v.Positions(), false, 0.0f, cell);
  ComputeVertexNormals(v.Positions(), cell, Seam::kAlongK, vertex);
  for (int32_t j = 0; j <= 3; ++j) {
    for (int c = 0; c < 3; ++c) EXPECT_EQ(vertex[c].at(0, j), vertex[c].at(stepU, j));
    EXPECT_NEAR(std::fabs(vertex[0].at(0, j)), 1.0, 1e-5);  // radial at (1, 0, j)
  }
}

TEST(SurfaceColorTest, ChannelRangesByCode) {
  Cls9 g = MakeSurface(2, 4, FlatGrid);  // X 0..2, Y 0..0, Z 0..4
  g.MinU = -1.0f;
  g.MaxU = 3.0f;
  g.MinV = 2.0f;
  g.MaxV = 2.5f;
  g.MinMag = 1.0f;
  g.MaxMag = 9.0f;
  struct Case {
    int32_t code;
    double low, span;
  } cases[] = {{1, 0.0, 2.0}, {2, 0.0, 0.0}, {3, -1.0, 4.0}, {4, 2.0, 0.5},
               {5, 1.0, 8.0}, {0, 0.0, 0.0}, {6, 0.0, 0.0}};
  for (const Case& c : cases) {
    g.ColorR = g.ColorG = g.ColorB = c.code;
    const SurfaceRanges r = ChannelRanges(g);
    for (const ChannelRange& ch : r.channel) {
      EXPECT_DOUBLE_EQ(ch.low, c.low) << "code " << c.code;
      EXPECT_DOUBLE_EQ(ch.span, c.span) << "code " << c.code;
    }
    EXPECT_DOUBLE_EQ(r.seamX, c.span / 2);
    EXPECT_DOUBLE_EQ(r.seamY, c.span / 4);
    EXPECT_DOUBLE_EQ(r.seamZ, c.span / 4);
  }
  g.StepU = 0;
  try {
    ChannelRanges(g);
    FAIL() << "a step count of 0 divided";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kDivisionByZero);
  }
}

TEST(SurfaceColorTest, VertexColoursAreScaledAndAZeroSpanGivesZero) {
  Cls9 g = MakeSurface(2, 1, [](int32_t k, int32_t j) {
    return Position{static_cast<float>(2 * k), 5.0f, static_cast<float>(j)};
  });
  g.ColorR = 1;  // X 0..4
  g.ColorG = 2;  // Y constant: span 0 -> 0.000001
  g.ColorB = 1;
  g.ColorTableB.at(2, 1) = 8.0f;  // beyond the X span: not clamped
  std::vector<float> rgb;
  ComputeVertexColors(g, ChannelRanges(g), rgb);
  ASSERT_EQ(rgb.size(), 3u * 6u);
  const size_t k1j0 = 1 * 2 + 0;
  EXPECT_FLOAT_EQ(rgb[3 * k1j0], 0.5);
  for (size_t n = 0; n < 6; ++n) EXPECT_FLOAT_EQ(rgb[3 * n + 1], 0.0);
  EXPECT_FLOAT_EQ(rgb[3 * (2 * 2 + 1) + 2], 2.0);
  // A colour table that does not cover the grid reads as 0.
  g.ColorTableR.Clear();
  ComputeVertexColors(g, ChannelRanges(g), rgb);
  EXPECT_FLOAT_EQ(rgb[3 * k1j0], 0.0);
}

TEST(SurfaceVerticesTest, TablesMustCoverTheSteps) {
  Cls9 g = MakeSurface(2, 2, FlatGrid);
  g.StepU = 3;  // changed without sampling again
  EXPECT_THROW(SurfaceVertices(g, 0), RuntimeError);
  Cls1 box;
  EXPECT_FALSE(SurfaceExtent(g, 0, box));
}

TEST(SurfaceVerticesTest, ExtentSkipsUndefinedVertices) {
  // Outside the view (animated markers), or without a value.
  for (float undefined : {kUndefinedSample, std::numeric_limits<float>::quiet_NaN()}) {
    Cls9 g = MakeSurface(2, 2, [](int32_t k, int32_t j) {
      return Position{static_cast<float>(k), static_cast<float>(k * j), static_cast<float>(-j)};
    });
    g.SceneY.at(2, 2) = undefined;  // would otherwise hold the largest Y, 4
    SurfaceVertices v(g, 0);
    EXPECT_TRUE(v.Undefined(v.Positions().Index(2, 2)));
    EXPECT_FALSE(v.Undefined(v.Positions().Index(2, 1)));
    Cls1 box;
    ASSERT_TRUE(SurfaceExtent(g, 0, box));
    EXPECT_FLOAT_EQ(box.MaxY, 2.0f);
    EXPECT_FLOAT_EQ(box.MinY, 0.0f);
    EXPECT_FLOAT_EQ(box.MinZ, -2.0f);
    EXPECT_FLOAT_EQ(box.MaxX, 2.0f);  // (2, 1) still reaches x = 2
  }
}

}  // namespace
}  // namespace quillon
