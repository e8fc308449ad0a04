#pragma once
// Sampling of the animated and point kinds into their point markers.
//
// Every kind here walks the animation steps l = 0..StepT with t the grid coordinate l of MinT
// to MaxT (MinT throughout without Animation) and hands t to the evaluator through its x input:
//   - points 7, 8, 9, 10 -> Anim1D(l): inputs (t, 0);
//   - curve 11           -> Anim2D(k, l): inputs (t + s_k, MinV), s_k the grid coordinate k of
//                           MinU to MaxU, so each frame is the curve along Im z = MinV shifted
//                           right by t;
//   - surface 12         -> Anim3D(k, j, l): inputs (t + s_k, r_j), r_j the grid coordinate j of
//                           MinV to MaxV, so each frame is the surface of kind 2 over the domain
//                           shifted right by t.
// (Grid coordinates as GridCoordinate, graph/sampling.h, gives them.)
// With FunForm 2 the marker's coordinates are the quantities named by VarX, VarY and VarZ
// (1 the x input, 2 the y input, 3 u, 4 v, 5 |w|; another code gives 0). With FunForm 3 they
// are the real parts of ExpressX, ExpressY and ExpressZ at the same inputs. CoordType 4 and 5
// take their parameters as given, without conversion. A coordinate outside the view
// intervals is stored as kUndefinedSample.

#include <cstdint>
#include <functional>

#include "graph/graph.h"
#include "graph/sampling.h"

namespace quillon {

// One evaluation: false when no value was produced; run-time errors are raised.
using PointEvaluator = std::function<bool(float x, float y, float& u, float& v)>;

struct MarkerFunctions {
  PointEvaluator z;     // ExpressZ: w = f(z), or the scene Z of a parametric graph
  PointEvaluator x, y;  // ExpressX, ExpressY of a parametric graph (FunForm 3); empty otherwise
};

// True when GraphType samples into point markers.
bool IsMarkerKind(int32_t graphType);

// Sizes the marker array of the kind (steps already replaced by at least 1).
void SizeMarkers(Cls9& graph, int32_t stepT);

// Fills the markers, a coordinate outside the view intervals as kUndefinedSample. A marker
// where the function gives no value or raises a run-time error is marked undefined (every
// coordinate kUndefinedSample) and counted in PointsWithoutValue. With
// Extras.stopAtFirstError: false (stop filled) at the first evaluation without a value, and
// run-time errors are raised after stop is filled.
bool SampleMarkers(Cls9& graph, const MarkerFunctions& f, int32_t stepT, const ViewIntervals& view,
                   SamplingStop* stop);

}  // namespace quillon
