// Contour tracing without OpenGL: levels, nudging, crossing order, stops and colours.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <vector>

#include "common/color.h"
#include "common/runtime_error.h"
#include "render/contour.h"

namespace quillon {
namespace {

struct Seg {
  double p1, q1, p2, q2;
  int level;  // index of the LevelColor call that precedes it
};

class RecordingContourSink : public ContourSink {
 public:
  void LevelColor(double r, double g, double b) override { colors.push_back({r, g, b}); }
  void Segment(double p1, double q1, double p2, double q2) override {
    segments.push_back({p1, q1, p2, q2, static_cast<int>(colors.size()) - 1});
  }
  std::vector<Seg> AtLevel(int level) const {
    std::vector<Seg> out;
    for (const Seg& s : segments)
      if (s.level == level) out.push_back(s);
    return out;
  }

  std::vector<ColorParts> colors;
  std::vector<Seg> segments;
};

// Builds a grid from rows given bottom (j = 1) first, columns left to right.
ContourGrid MakeGrid(std::initializer_list<std::initializer_list<float>> rows) {
  const int32_t ny = static_cast<int32_t>(rows.size());
  const int32_t nx = static_cast<int32_t>(rows.begin()->size());
  ContourGrid grid(nx, ny);
  int32_t j = 1;
  for (const auto& row : rows) {
    int32_t i = 1;
    for (float v : row) grid.at(i++, j) = v;
    ++j;
  }
  return grid;
}

// Traces with unit spacing and no offset, so plane coordinates equal grid units.
RecordingContourSink TraceUnit(ContourGrid& grid, int32_t levels, int32_t style = 0, int32_t first = 0,
                               int32_t second = 0) {
  RecordingContourSink sink;
  CContour c;
  c.Trace(grid.Columns(), grid.Rows(), 1.0f, 1.0f, grid, 0.0f, 0.0f, levels, style, first, second, sink);
  return sink;
}

TEST(ContourGridTest, IndexedFromOneAndBounded) {
  ContourGrid grid(3, 2);
  grid.at(3, 2) = 7.0f;
  EXPECT_EQ(grid.at(3, 2), 7.0f);
  EXPECT_THROW(grid.at(0, 1), RuntimeError);
  EXPECT_THROW(grid.at(4, 1), RuntimeError);
  EXPECT_THROW(grid.at(1, 3), RuntimeError);
  EXPECT_NO_THROW(ContourGrid(kContourGridSize, kContourGridSize));
  try {
    ContourGrid big(kContourGridSize + 1, 2);
    FAIL() << "a grid wider than 500 columns was accepted";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kSubscriptOutOfRange);
  }
}

TEST(ContourTraceTest, LevelCountZeroIsDivisionByZero) {
  for (float corner : {1.0f, 0.0f}) {  // a sloped grid and a constant one (0 / 0)
    ContourGrid grid = MakeGrid({{0.0f, corner}, {0.0f, 0.0f}});
    RecordingContourSink sink;
    try {
      CContour().Trace(2, 2, 1.0f, 1.0f, grid, 0.0f, 0.0f, 0, 0, 0, 0, sink);
      FAIL() << "level count 0 traced";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), err::kDivisionByZero);
    }
    EXPECT_TRUE(sink.segments.empty());
  }
}

TEST(ContourTraceTest, ConstantGridEndsAtOnceAndIsLeftAlone) {
  ContourGrid grid = MakeGrid({{3.0f, 3.0f, 3.0f}, {3.0f, 3.0f, 3.0f}});
  RecordingContourSink sink = TraceUnit(grid, 10);
  EXPECT_TRUE(sink.colors.empty());
  EXPECT_TRUE(sink.segments.empty());
  EXPECT_EQ(grid.at(2, 2), 3.0f);
}

TEST(ContourTraceTest, LevelsStopWhenTheStepIsLostInSinglePrecision) {
  // 1e7 + 0.002 is 1e7 again in single precision: the level sum would never move on.
  ContourGrid grid = MakeGrid({{1e7f, 1e7f + 2.0f}, {1e7f, 1e7f}});
  RecordingContourSink sink = TraceUnit(grid, 1000);
  EXPECT_EQ(sink.colors.size(), 1u);
}

TEST(ContourTraceTest, ValuesOnALevelAreNudged) {
  // Levels 0, 1, 2: the 0, 1 and 2 values and 1.00005 (within 0.0001 of 1) are raised by 0.00001;
  // 1.5 is left alone.
  ContourGrid grid = MakeGrid({{0.0f, 1.0f}, {1.00005f, 2.0f}, {1.5f, 1.5f}});
  RecordingContourSink sink = TraceUnit(grid, 2);
  EXPECT_EQ(sink.colors.size(), 3u);
  EXPECT_FLOAT_EQ(grid.at(1, 1), 0.00001f);
  EXPECT_FLOAT_EQ(grid.at(2, 1), 1.00001f);
  EXPECT_FLOAT_EQ(grid.at(1, 2), 1.00006f);
  EXPECT_FLOAT_EQ(grid.at(2, 2), 2.00001f);
  EXPECT_FLOAT_EQ(grid.at(1, 3), 1.5f);
  // No segment end lies on a grid point: every crossing is strictly inside its edge.
  ASSERT_FALSE(sink.segments.empty());
  for (const Seg& s : sink.segments) {
    const bool firstOnPoint = s.p1 == std::floor(s.p1) && s.q1 == std::floor(s.q1);
    const bool secondOnPoint = s.p2 == std::floor(s.p2) && s.q2 == std::floor(s.q2);
    EXPECT_FALSE(firstOnPoint || secondOnPoint);
  }
}

TEST(ContourTraceTest, SingleCellSlopeGivesOneSegmentPerCrossedLevel) {
  // z rises with i. Levels 0, 0.5, 1; the lowest lies under every nudged value and draws nothing.
  ContourGrid grid = MakeGrid({{0.0f, 1.0f}, {0.0f, 1.0f}});
  RecordingContourSink sink = TraceUnit(grid, 2);
  ASSERT_EQ(sink.colors.size(), 3u);
  EXPECT_TRUE(sink.AtLevel(0).empty());
  const auto mid = sink.AtLevel(1);
  ASSERT_EQ(mid.size(), 1u);
  // Started on the bottom border, heading up: from H(1,1) to H(1,2).
  EXPECT_NEAR(mid[0].p1, 1.5, 1e-4);
  EXPECT_DOUBLE_EQ(mid[0].q1, 1.0);
  EXPECT_NEAR(mid[0].p2, 1.5, 1e-4);
  EXPECT_DOUBLE_EQ(mid[0].q2, 2.0);
  EXPECT_EQ(sink.AtLevel(2).size(), 1u);  // the nudged top values lie just above level 1
}

TEST(ContourTraceTest, OffsetsAndSpacingPlaceThePoints) {
  ContourGrid grid = MakeGrid({{0.0f, 1.0f}, {0.0f, 1.0f}});
  RecordingContourSink sink;
  CContour().Trace(2, 2, 2.0f, 0.5f, grid, 10.0f, -3.0f, 2, 0, 0, 0, sink);
  const auto mid = sink.AtLevel(1);
  ASSERT_EQ(mid.size(), 1u);
  EXPECT_NEAR(mid[0].p1, 10.0 + 1.5 * 2.0, 1e-3);
  EXPECT_DOUBLE_EQ(mid[0].q1, -3.0 + 1.0 * 0.5);
  EXPECT_DOUBLE_EQ(mid[0].q2, -3.0 + 2.0 * 0.5);
}

TEST(ContourTraceTest, SaddleFollowsTheEdgeOrderNotTheCentreValue) {
  // High corners (1,1) and (2,2) at 4, low corners at 0; at level 1 the cell centre (2) is
  // above the level, which would join the high corners. The edge order instead joins the
  // left edge to the bottom edge and the right edge to the top edge.
  ContourGrid grid = MakeGrid({{4.0f, 0.0f}, {0.0f, 4.0f}});
  RecordingContourSink sink = TraceUnit(grid, 4);
  ASSERT_EQ(sink.colors.size(), 5u);
  const auto segs = sink.AtLevel(1);
  ASSERT_EQ(segs.size(), 2u);
  // From the left border crossing (1, 1.75), entering +i: the bottom edge comes first.
  EXPECT_DOUBLE_EQ(segs[0].p1, 1.0);
  EXPECT_NEAR(segs[0].q1, 1.75, 1e-4);
  EXPECT_NEAR(segs[0].p2, 1.75, 1e-4);
  EXPECT_DOUBLE_EQ(segs[0].q2, 1.0);
  // Then from the right border crossing (2, 1.25), entering -i: the top edge comes first.
  EXPECT_DOUBLE_EQ(segs[1].p1, 2.0);
  EXPECT_NEAR(segs[1].q1, 1.25, 1e-4);
  EXPECT_NEAR(segs[1].p2, 1.25, 1e-4);
  EXPECT_DOUBLE_EQ(segs[1].q2, 2.0);
}

TEST(ContourTraceTest, ClosedContourAroundAPeakReturnsToItsStart) {
  ContourGrid grid = MakeGrid({{0, 0, 0}, {0, 2, 0}, {0, 0, 0}});
  RecordingContourSink sink = TraceUnit(grid, 2);
  const auto ring = sink.AtLevel(1);
  ASSERT_EQ(ring.size(), 4u);
  for (size_t n = 0; n + 1 < ring.size(); ++n) {
    EXPECT_DOUBLE_EQ(ring[n].p2, ring[n + 1].p1);
    EXPECT_DOUBLE_EQ(ring[n].q2, ring[n + 1].q1);
  }
  EXPECT_DOUBLE_EQ(ring.back().p2, ring.front().p1);
  EXPECT_DOUBLE_EQ(ring.back().q2, ring.front().q1);
  // Started on the interior vertical edge V(2, 1), moving +i.
  EXPECT_DOUBLE_EQ(ring.front().p1, 2.0);
  EXPECT_NEAR(ring.front().q1, 1.5, 1e-4);
  EXPECT_EQ(sink.AtLevel(2).size(), 4u);  // a tiny ring just under the nudged peak
}

TEST(ContourTraceTest, StraightContourAlongAGridLineIsOneUnbrokenTrace) {
  // z = row - 1: the level 0.5 runs straight across the grid between rows 1 and 2.
  ContourGrid grid = MakeGrid({{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, 2}});
  RecordingContourSink sink = TraceUnit(grid, 4);
  const auto line = sink.AtLevel(1);
  ASSERT_EQ(line.size(), 3u);
  for (size_t n = 0; n < line.size(); ++n) {
    EXPECT_DOUBLE_EQ(line[n].p1, 1.0 + n);
    EXPECT_DOUBLE_EQ(line[n].p2, 2.0 + n);
    EXPECT_NEAR(line[n].q1, 1.5, 1e-4);
  }
}

TEST(ContourTraceTest, EveryCrossingIsDrawnOnce) {
  // A bumpy 6 x 5 grid: each level's segment count equals its crossings minus one per open trace
  // (or exactly its crossings for closed ones); simplest check is no segment drawn twice.
  ContourGrid grid(6, 5);
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 5; ++j) grid.at(i, j) = std::sin(1.3f * i) * std::cos(0.9f * j) * 3.0f;
  RecordingContourSink sink = TraceUnit(grid, 7);
  ASSERT_FALSE(sink.segments.empty());
  for (size_t a = 0; a < sink.segments.size(); ++a) {
    for (size_t b = a + 1; b < sink.segments.size(); ++b) {
      const Seg& s = sink.segments[a];
      const Seg& t = sink.segments[b];
      const bool same = s.level == t.level && s.p1 == t.p1 && s.q1 == t.q1 && s.p2 == t.p2 && s.q2 == t.q2;
      EXPECT_FALSE(same) << "segment " << a << " drawn again as " << b;
    }
  }
}

TEST(ContourTraceTest, ContoursAreCutAtCellsWithAPointWithoutAValue) {
  // Heights rise along i (height i at column i), so every level is a line p = level; the points
  // (4, 2) and (4, 6) have no value, taking out the cells 3..4 x 1..2 and 3..4 x 5..6.
  ContourGrid grid(7, 7);
  for (int32_t i = 1; i <= 7; ++i)
    for (int32_t j = 1; j <= 7; ++j) grid.at(i, j) = static_cast<float>(i);
  grid.at(4, 2) = grid.at(4, 6) = std::numeric_limits<float>::quiet_NaN();
  const RecordingContourSink sink = TraceUnit(grid, 12);  // levels 1, 1.5, .., 7 over 1..7
  ASSERT_EQ(sink.colors.size(), 13u);
  auto hole = [](int ci, int cj) { return (ci == 3 || ci == 4) && (cj <= 2 || cj == 5 || cj == 6); };
  for (const Seg& s : sink.segments) {
    ASSERT_TRUE(std::isfinite(s.p1) && std::isfinite(s.q1) && std::isfinite(s.p2) && std::isfinite(s.q2));
    const int ci = static_cast<int>(std::floor((s.p1 + s.p2) / 2));
    const int cj = static_cast<int>(std::floor((s.q1 + s.q2) / 2));
    EXPECT_FALSE(hole(ci, cj)) << "segment in cell " << ci << "," << cj << " of level " << s.level;
  }
  auto length = [&](int level) {
    double sum = 0.0;
    for (const Seg& s : sink.AtLevel(level)) sum += std::hypot(s.p2 - s.p1, s.q2 - s.q1);
    return sum;
  };
  EXPECT_NEAR(length(2), 6.0, 1e-6);  // p = 2: clear of both
  EXPECT_NEAR(length(5), 2.0, 1e-6);  // p = 3.5: only between the two
  // p = 4.5 as well, a piece that touches neither border nor crosses a vertical edge: it is
  // found from the cells without a value at its ends.
  EXPECT_NEAR(length(7), 2.0, 1e-6);
}

TEST(ContourTraceTest, SingleColourStyleAndRamp) {
  const int32_t first = RGB(255, 0, 0);
  const int32_t second = RGB(0, 0, 255);
  {
    ContourGrid grid = MakeGrid({{0.0f, 4.0f}, {1.0f, 2.0f}});
    RecordingContourSink sink = TraceUnit(grid, 4, 4, first, second);
    ASSERT_EQ(sink.colors.size(), 5u);
    for (const ColorParts& c : sink.colors) {
      EXPECT_DOUBLE_EQ(c.r, 0.0);
      EXPECT_DOUBLE_EQ(c.b, 1.0);
    }
  }
  {
    ContourGrid grid = MakeGrid({{0.0f, 4.0f}, {1.0f, 2.0f}});
    RecordingContourSink sink = TraceUnit(grid, 4, 3, first, second);
    ASSERT_EQ(sink.colors.size(), 5u);
    EXPECT_DOUBLE_EQ(sink.colors.front().r, 0.0);  // lowest level: the second colour
    EXPECT_DOUBLE_EQ(sink.colors.front().b, 1.0);
    EXPECT_DOUBLE_EQ(sink.colors[2].r, 0.5);  // halfway
    EXPECT_DOUBLE_EQ(sink.colors[2].b, 0.5);
    EXPECT_DOUBLE_EQ(sink.colors.back().r, 1.0);  // highest level: the first colour
    EXPECT_DOUBLE_EQ(sink.colors.back().b, 0.0);
  }
}

}  // namespace
}  // namespace quillon
