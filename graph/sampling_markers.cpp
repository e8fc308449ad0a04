#include "graph/sampling_markers.h"

#include <cmath>

#include "common/single.h"
#include "graph/codes.h"

namespace quillon {

namespace {

float InView(float value, float lo, float hi) {
  return (value < lo || value > hi) ? kUndefinedSample : value;
}

// Samples one marker at the evaluator inputs (xin, yin). False when no value was produced.
bool FillMarker(const Cls9& g, const MarkerFunctions& f, float xin, float yin, const ViewIntervals& view,
                Cls2& marker) {
  float coords[3] = {0.0f, 0.0f, 0.0f};
  if (f.x && f.y) {
    const PointEvaluator* parts[3] = {&f.x, &f.y, &f.z};
    for (int c = 0; c < 3; ++c) {
      float re = 0.0f, im = 0.0f;
      if (!(*parts[c])(xin, yin, re, im)) return false;
      coords[c] = re;
    }
  } else {
    float u = 0.0f, v = 0.0f;
    if (!f.z(xin, yin, u, v)) return false;
    const float mag = ToSingle(std::sqrt(static_cast<double>(u) * u + static_cast<double>(v) * v));
    const float q[5] = {xin, yin, u, v, mag};
    const int32_t codes[3] = {g.VarX, g.VarY, g.VarZ};
    for (int c = 0; c < 3; ++c) coords[c] = (codes[c] >= 1 && codes[c] <= 5) ? q[codes[c] - 1] : 0.0f;
  }
  marker.x = InView(coords[0], view.minX, view.maxX);
  marker.y = InView(coords[1], view.minY, view.maxY);
  marker.z = InView(coords[2], view.minZ, view.maxZ);
  marker.Color = g.PointColor;
  marker.Size = g.PointSize;
  marker.Hollow = g.PointHollow;
  return true;
}

}  // namespace

bool IsMarkerKind(int32_t graphType) {
  switch (graphType) {
    case gtp::kPoint:
    case gtp::kPointAnimation:
    case 9:
    case 10:
    case gtp::kCurve3DAnimation:
    case gtp::kSurfaceAnimation:
      return true;
    default:
      return false;
  }
}

void SizeMarkers(Cls9& g, int32_t stepT) {
  switch (g.GraphType) {
    case gtp::kCurve3DAnimation:
      g.ResizeAnim2D(g.StepU, stepT);
      break;
    case gtp::kSurfaceAnimation:
      g.ResizeAnim3D(g.StepU, g.StepV, stepT);
      break;
    default:
      g.ResizeAnim1D(stepT);
      break;
  }
}

// A marker where the function has no value is left out of the drawing like one outside the
// view: every coordinate takes the undefined-sample value.
void MarkUndefined(const Cls9& g, Cls2& marker) {
  marker.x = marker.y = marker.z = kUndefinedSample;
  marker.Color = g.PointColor;
  marker.Size = g.PointSize;
  marker.Hollow = g.PointHollow;
}

bool SampleMarkers(Cls9& g, const MarkerFunctions& f, int32_t stepT, const ViewIntervals& view,
                   SamplingStop* stop) {
  const int32_t kind = g.GraphType;
  const int32_t lastK = kind == gtp::kCurve3DAnimation || kind == gtp::kSurfaceAnimation ? g.StepU : 0;
  const int32_t lastJ = kind == gtp::kSurfaceAnimation ? g.StepV : 0;
  const bool point = lastK == 0 && kind != gtp::kCurve3DAnimation;

  int32_t l = 0, k = 0, j = 0;
  float xin = 0.0f, yin = 0.0f;
  auto record = [&](bool noValue) {
    if (!stop) return;
    *stop = SamplingStop{true, noValue, k, j, l, xin, yin};
  };
  const bool makeHoles = !g.Extras.stopAtFirstError;
  int64_t holes = 0;
  try {
    for (l = 0; l <= stepT; ++l) {
      const float t = g.Animation ? GridCoordinate(g.MinT, g.MaxT, stepT, l) : g.MinT;
      for (k = 0; k <= lastK; ++k) {
        for (j = 0; j <= lastJ; ++j) {
          if (point) {
            xin = t;
            yin = 0.0f;
          } else {
            xin = ToSingle(static_cast<double>(GridCoordinate(g.MinU, g.MaxU, g.StepU, k)) +
                           static_cast<double>(t));
            yin = GridCoordinate(g.MinV, g.MaxV, g.StepV, j);
          }
          Cls2& marker = kind == gtp::kSurfaceAnimation   ? g.Anim3D(k, j, l)
                         : kind == gtp::kCurve3DAnimation ? g.Anim2D(k, l)
                                                          : g.Anim1D(l);
          if (!makeHoles) {
            if (!FillMarker(g, f, xin, yin, view, marker)) {
              record(true);
              return false;
            }
            continue;
          }
          bool filled = false;
          try {
            filled = FillMarker(g, f, xin, yin, view, marker);
          } catch (const RuntimeError&) {
          }
          if (!filled) {
            MarkUndefined(g, marker);
            ++holes;
          }
        }
      }
    }
  } catch (const RuntimeError&) {
    record(false);
    throw;
  }
  g.PointsWithoutValue = holes;
  if (stop) *stop = SamplingStop{};
  return true;
}

}  // namespace quillon
