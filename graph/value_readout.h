#pragma once
// The value under the mouse: the status line text for z and f(z), the grid point of a
// surface nearest a picked scene point, and f evaluated at one z with the compiled program.

#include <cstdint>
#include <optional>
#include <string>

#include "expr/program.h"

namespace quillon {

class Cls9;

struct ComplexValue {
  double re = 0.0;
  double im = 0.0;
};

// "z = x + yi   f(z) = u + vi   |f| = m   arg f = a" (a in radians, -pi < a <= pi), numbers
// with six significant digits; "f(z) has no value" after z when w is missing.
std::string ReadoutText(ComplexValue z, std::optional<ComplexValue> w);

// f at x + yi; nothing where the function has no value there (a run-time error, an empty
// result, a result that is not finite).
std::optional<ComplexValue> EvaluateAt(const CompiledProgram& program, double x, double y);

// The program of the graph's w = f(z) text; nothing when it does not compile (quietly, for
// callers that evaluate while the mouse moves).
std::optional<CompiledProgram> CompileQuietly(const std::string& expression);

struct GridHit {
  int32_t k = 0;
  int32_t j = 0;
  double distance = 0.0;  // in scene units
};
// The grid point of the graph whose scene position (SceneX, SceneY, SceneZ) is nearest the
// point; points without a value are passed over. Nothing when the graph has no such point.
std::optional<GridHit> NearestGridPoint(const Cls9& graph, double x, double y, double z);

}  // namespace quillon
