#pragma once
// Contour lines of a rectangular height grid. The tracing is pure arithmetic that reports
// level colours and segments to a ContourSink; CContour::Contour wraps it with the OpenGL
// state and draws the segments as GL_LINES in the current context.

#include <cstdint>
#include <vector>

namespace quillon {

// Largest number of grid columns (and rows) a contour grid holds.
inline constexpr int32_t kContourGridSize = 500;

// Heights of a contour grid, indexed from 1 in both directions: at(i, j) is the height at
// column i, row j. Lives on the heap and holds only the used columns and rows.
class ContourGrid {
 public:
  // Raises the subscript error when a side is negative or above kContourGridSize.
  ContourGrid(int32_t columns, int32_t rows);
  // The same with another largest side, for grids that are not the system's contour layers.
  ContourGrid(int32_t columns, int32_t rows, int32_t largestSide);

  // Raises the subscript error outside 1..Columns() x 1..Rows().
  float& at(int32_t i, int32_t j);
  float at(int32_t i, int32_t j) const;

  int32_t Columns() const { return columns_; }
  int32_t Rows() const { return rows_; }

 private:
  int32_t columns_;
  int32_t rows_;
  std::vector<float> values_;
};

// Receives what contour tracing produces, in drawing order.
class ContourSink {
 public:
  virtual ~ContourSink() = default;
  // The colour of the segments that follow (components in 0..1).
  virtual void LevelColor(double r, double g, double b) = 0;
  // One segment in plane coordinates (first, second) from (p1, q1) to (p2, q2).
  virtual void Segment(double p1, double q1, double p2, double q2) = 0;
};

// The contour lines of a grid: levels, crossings and traces.
class CContour {
 public:
  // Draws the contour lines of the first nx x ny grid values into the current OpenGL context.
  // Grid values lying on a level are nudged in place. lngLevel 0 raises the division-by-zero
  // error before any OpenGL state changes; other faults restore the state and travel on.
  void Contour(int32_t nx, int32_t ny, float dx, float dy, ContourGrid& grid, float x0, float y0, float plane,
               int32_t lngLevel, int32_t fstFillStyle, int32_t lngFirstColor, int32_t lngSecondColor,
               int32_t lngLineWidth);

  // The same tracing without OpenGL: colours and segments go to sink.
  void Trace(int32_t nx, int32_t ny, float dx, float dy, ContourGrid& grid, float x0, float y0,
             int32_t lngLevel, int32_t fstFillStyle, int32_t lngFirstColor, int32_t lngSecondColor,
             ContourSink& sink);

  // The lines where the grid takes each of the given levels, without level colours: for
  // levels that are fixed values (|w| = 2^k, a phase) rather than spread over the range.
  // Grid values lying on a level are nudged in place as in Trace.
  void TraceLevels(int32_t nx, int32_t ny, ContourGrid& grid, float x0, float y0, float dx, float dy,
                   const std::vector<float>& levels, ContourSink& sink);

 private:
  enum class Direction { kPlusI, kPlusJ, kMinusI, kMinusJ };
  struct Edge {
    bool horizontal = false;  // H(i, j) from (i, j) to (i+1, j); else V(i, j) to (i, j+1)
    int32_t i = 0;
    int32_t j = 0;
    bool operator==(const Edge&) const = default;
  };

  // Levels from smallest in steps of (largest - smallest) / lngLevel, summed in single precision.
  void ChooseLevels(const ContourGrid& grid, int32_t lngLevel);
  void NudgeGrid(ContourGrid& grid) const;
  void FindCrossings(const ContourGrid& grid, float level);

  float& Crossing(const Edge& e);
  bool Crossed(const Edge& e);
  // The crossing as a point in plane coordinates; marks it drawn unless it starts the trace.
  void ContourCrossing(const Edge& e, bool mark, double& p, double& q);
  // The exit edge of the cell entered through e in direction dir; false when that cell lies
  // outside the grid or none of its other edges is crossed.
  bool ContourNextCrossing(const Edge& e, Direction dir, Edge& next, Direction& nextDir);
  void ContourTrace(const Edge& start, Direction dir, ContourSink& sink);
  // Crossings and traces of one level.
  void TraceLevel(const ContourGrid& grid, float level, ContourSink& sink);
  // Cells with a corner without a value: no contour crosses them, and those that end at one
  // are traced from there like the open contours from the border.
  void FindHoleCells(const ContourGrid& grid);
  bool HoleCell(int32_t ci, int32_t cj) const;
  void TraceFromHoles(ContourSink& sink);

  int32_t nx_ = 0;
  int32_t ny_ = 0;
  double dx_ = 0.0;
  double dy_ = 0.0;
  double x0_ = 0.0;
  double y0_ = 0.0;
  float largest_ = 0.0f;
  float smallest_ = 0.0f;
  std::vector<float> levels_;
  std::vector<float> horizontal_;        // H(i, j), i = 1..nx-1, j = 1..ny
  std::vector<float> vertical_;          // V(i, j), i = 1..nx, j = 1..ny-1
  std::vector<unsigned char> holeCell_;  // cell (i, j), i = 1..nx-1, j = 1..ny-1
  bool anyHoleCell_ = false;
};

}  // namespace quillon
