#pragma once
// Graph kinds that are evaluated while they are drawn: the plane curves (kinds 0, 9, 20, 23,
// 38: implicit, explicit and parametric, in x-y or angle-radius form) and the 3D polylines
// (kinds 1 and 11). Documents may carry them; no dialog creates them.

#include <cstdint>
#include <optional>
#include <string>

#include "common/color.h"
#include "expr/expression.h"
#include "graph/graph.h"

namespace quillon {

// Lighting off, smoothed and blended lines while it lives; lighting back on and smoothing and
// blending off when it ends, however the drawing ends.
class SmoothLineScope {
 public:
  SmoothLineScope();
  ~SmoothLineScope();
  SmoothLineScope(const SmoothLineScope&) = delete;
  SmoothLineScope& operator=(const SmoothLineScope&) = delete;
};

// Sets line smoothing and blending (source alpha, one minus source alpha, nicest smoothing).
void EnableSmoothLines();

// One expression compiled once and evaluated at many points. Compiling shows no message box:
// drawing never does.
class CurveExpression {
 public:
  // False when the text does not compile.
  bool Compile(const std::string& text);
  // The complex value at x + yi, or nothing when the evaluator gives no value or raises.
  std::optional<std::pair<float, float>> At(float x, float y);

 private:
  Cls6 expression_;
  std::string postfix_;
};

// The status line of a plane curve ("Function y=..." and the like, with CR LF), or an empty text
// for the combinations of CoordType and FunForm that have none.
std::string PlaneCurveStatus(const Cls9& graph);

// Draws a plane curve in the plane z = 0, recomputes the graph's X and Y extent from the
// plotted points (Z extent 0) and returns that extent: the box the plane kinds take in.
// FunForm 2: explicit y = f(x) or r = f(a) over MinU..MaxU in StepU steps; FunForm 3:
// parametric x = ExpressY(t), y = ExpressZ(t)
// (or a and r); any other form: the implicit curve sampled every 1/40 of a unit over the domain,
// where the real part of ExpressZ at x + yi lies within 0.025 of 0 (the language reads y as y i). CurType 0
// joins explicit and parametric samples with lines, any other CurType plots them as points. A compile error
// ends it before any state changes, with nothing returned.
std::optional<Cls1> DrawPlaneCurve(Cls9& graph, const ColorParts& color);

// Draws the polyline of kind 1 (the curve evaluated over MinU..MaxU in StepU steps: FunForm 3
// x, y, z = ExpressX, ExpressY, ExpressZ of t; else (t, u, v) with u + vi = ExpressZ(t)) or of
// kind 11 (the markers Anim2D(i, lngAnimStep)). Segments touching an undefined sample are skipped.
void DrawPolyline(const Cls9& graph, int32_t lngAnimStep, const ColorParts& color);

}  // namespace quillon
