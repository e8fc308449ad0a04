#pragma once
// Zeros and poles of w = f(z) inside a rectangle of the z-plane, with their orders. Each cell
// of a grid over the rectangle is counted by the argument principle (how often arg w turns
// around the cell's boundary: +n for a zero of order n inside, -n for a pole), cells holding
// more than one are split until each part holds one point, and each point is then refined by
// Newton's method on the compiled program.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "expr/program.h"
#include "graph/graph.h"

namespace quillon {

enum class RootKind : uint8_t { kZero, kPole };

struct ZeroOrPole {
  RootKind kind = RootKind::kZero;
  double x = 0.0;  // z = x + yi
  double y = 0.0;
  int32_t order = 1;

  bool operator==(const ZeroOrPole&) const = default;
};

// The rectangle searched and the grid its cells come from (a step count of 0 counts as 1).
struct RootSearchDomain {
  double minX = -2.0, maxX = 2.0;
  int32_t stepsX = 40;
  double minY = -2.0, maxY = 2.0;
  int32_t stepsY = 40;
};

// Progress and cancel request of a search run on a worker thread: *done counts finished
// units of work out of RootSearchUnits(domain); once *cancel is true the search stops soon
// and reports itself cancelled.
struct RootSearchControl {
  const std::atomic<bool>* cancel = nullptr;
  std::atomic<int64_t>* done = nullptr;
};

struct RootSearchResult {
  std::vector<ZeroOrPole> roots;  // sorted by x, then y
  // Cells whose boundary could not be followed (no value there, a jump of arg w such as a
  // branch cut, or a zero or pole on every grid tried): what they hold is not counted.
  int64_t unresolvedCells = 0;
  // Points the count found whose place Newton's method could not settle; not listed.
  int64_t unrefinedPoints = 0;
  bool cancelled = false;
};

// One point as a line of text: "zero X Y ORDER" or "pole X Y ORDER", X and Y with %.9g (no
// line end). The command line prints these; the list's Copy gives them too.
std::string ZeroOrPoleLine(const ZeroOrPole& point);

// The most cells one search takes on, the sampler's limit on grid points.
int64_t RootSearchCells(const RootSearchDomain& domain);
// Units of work RootSearchControl::done counts up to.
int64_t RootSearchUnits(const RootSearchDomain& domain);

// Searches the closed rectangle (roots on its edges included). Raises err::kGridTooLarge when
// the grid has more cells than a graph may have points. A point where the program raises a
// run-time error counts as a point without a value.
RootSearchResult FindZerosAndPoles(const CompiledProgram& program, const RootSearchDomain& domain,
                                   const RootSearchControl& control = {});

// The graph's function (ExpressZ with implied products made explicit) compiled for a search;
// nullopt after the compiler has shown its "Syntax Error" box.
std::optional<CompiledProgram> CompileGraphFunction(const std::string& text);

// The graph's own domain and grid.
RootSearchDomain DomainOf(const Cls9& graph);
// Whether the graph is of a kind whose function can be searched (a surface or colour map of
// w = f(z)).
bool CanSearchRoots(const Cls9& graph);

// Where the mark of a zero or pole goes among the graph's drawn vertices, in scene
// coordinates. Axes carrying x or y take the point's own; axes carrying u, v or |w| take the
// value of w there (0 at a zero; at a pole 0 for u and v and the top of the drawn range for
// |w|, where the surface's spike points), held within the range the graph's vertices span.
// A colour map is flat: its marks lie in its plane.
struct MarkPoint {
  float x = 0.0f, y = 0.0f, z = 0.0f;
};
MarkPoint MarkPosition(const Cls9& graph, const ZeroOrPole& root);

}  // namespace quillon
