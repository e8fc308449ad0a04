#include "render/plane_curve.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/message_sink.h"
#include "common/runtime_error.h"
#include "common/single.h"
#include "expr/text_helpers.h"
#include "graph/codes.h"
#include "graph/point.h"

namespace quillon {

namespace {

// Implicit curves are sampled every 1/40 of a unit and plotted where |F| < 0.025.
constexpr double kImplicitStep = 1.0 / 40.0;
constexpr double kImplicitBand = 0.025;
// More samples than this per direction would stall the window on a huge domain; past it the
// spacing widens instead.
constexpr int32_t kImplicitMaxSamples = 4001;
constexpr float kCurvePointSize = 2.0f;
// The extent a plane curve starts from before its points widen it.
constexpr float kCurveExtentMax = -1000.0f;
constexpr float kCurveExtentMin = 1000.0f;

// Swallows the compiler's syntax-error box: drawing shows no messages.
class SilentSink : public MessageSink {
 public:
  MsgAnswer Show(const MessageRequest&) override { return MsgAnswer::Ok; }
};

struct PlanePoint {
  float x = 0.0f;
  float y = 0.0f;
  bool defined = false;
};

bool IsUndefined(float v) {
  return v == kUndefinedSample;
}

PlanePoint FromPolar(double a, double r) {
  return {ToSingle(r * std::cos(a)), ToSingle(r * std::sin(a)), true};
}

// Widens the curve's extent by a plotted point.
class CurveExtent {
 public:
  void Add(const PlanePoint& p) {
    maxX_ = std::max(maxX_, p.x);
    minX_ = std::min(minX_, p.x);
    maxY_ = std::max(maxY_, p.y);
    minY_ = std::min(minY_, p.y);
  }
  Cls1 Box() const {
    Cls1 box;
    box.MaxX = maxX_;
    box.MinX = minX_;
    box.MaxY = maxY_;
    box.MinY = minY_;
    box.MaxZ = box.MinZ = 0.0f;
    return box;
  }

 private:
  float maxX_ = kCurveExtentMax;
  float minX_ = kCurveExtentMin;
  float maxY_ = kCurveExtentMax;
  float minY_ = kCurveExtentMin;
};

// Samples t = MinU .. MaxU in StepU steps.
template <typename F>
std::vector<PlanePoint> SampleOverU(const Cls9& g, F&& pointAt) {
  const double du = CheckedDivide(static_cast<double>(g.MaxU) - g.MinU, g.StepU);
  std::vector<PlanePoint> points;
  points.reserve(static_cast<size_t>(std::max(g.StepU, 0)) + 1);
  for (int32_t i = 0; i <= g.StepU; ++i) {
    const float t = ToSingle(du * i + g.MinU);
    PlanePoint p = pointAt(t);
    if (p.defined && (IsUndefined(p.x) || IsUndefined(p.y))) p.defined = false;
    points.push_back(p);
  }
  return points;
}

int32_t ImplicitSamples(float lo, float hi, double& step) {
  const double span = static_cast<double>(hi) - lo;
  step = kImplicitStep;
  if (!(span >= 0.0)) return 0;
  double count = std::floor(span / kImplicitStep) + 1.0;
  if (count > kImplicitMaxSamples) {
    count = kImplicitMaxSamples;
    step = span / (kImplicitMaxSamples - 1);
  }
  return static_cast<int32_t>(count);
}

void DrawImplicit(Cls9& g, CurveExpression& f, CurveExtent& extent) {
  const bool polar = g.CoordType == ctp::kPlaneAR;
  double du = 0.0;
  double dv = 0.0;
  const int32_t nu = ImplicitSamples(g.MinU, g.MaxU, du);
  const int32_t nv = ImplicitSamples(g.MinV, g.MaxV, dv);
  glPointSize(kCurvePointSize);
  glBegin(GL_POINTS);
  for (int32_t a = 0; a < nu; ++a) {
    const float u = static_cast<float>(g.MinU + du * a);
    for (int32_t b = 0; b < nv; ++b) {
      const float v = static_cast<float>(g.MinV + dv * b);
      const auto value = f.At(u, v);
      if (!value || IsUndefined(value->first)) continue;
      if (!(value->first > -kImplicitBand && value->first < kImplicitBand)) continue;
      const PlanePoint p = polar ? FromPolar(u, v) : PlanePoint{u, v, true};
      extent.Add(p);
      glVertex3d(p.x, p.y, 0.0);
    }
  }
  glEnd();
  glPointSize(1.0f);
}

void DrawSamples(const std::vector<PlanePoint>& points, bool asPoints, CurveExtent& extent) {
  for (const PlanePoint& p : points)
    if (p.defined) extent.Add(p);
  if (asPoints) {
    glPointSize(kCurvePointSize);
    glBegin(GL_POINTS);
    for (const PlanePoint& p : points)
      if (p.defined) glVertex3d(p.x, p.y, 0.0);
    glEnd();
    glPointSize(1.0f);
    return;
  }
  glBegin(GL_LINES);
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    if (!points[i].defined || !points[i + 1].defined) continue;
    glVertex3d(points[i].x, points[i].y, 0.0);
    glVertex3d(points[i + 1].x, points[i + 1].y, 0.0);
  }
  glEnd();
}

}  // namespace

// ---------------------------------------------------------------------------------------------

void EnableSmoothLines() {
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
}

SmoothLineScope::SmoothLineScope() {
  glDisable(GL_LIGHTING);
  EnableSmoothLines();
}

SmoothLineScope::~SmoothLineScope() {
  glEnable(GL_LIGHTING);
  glDisable(GL_LINE_SMOOTH);
  glDisable(GL_BLEND);
}

bool CurveExpression::Compile(const std::string& text) {
  SilentSink silent;
  ScopedMessageSink scope(&silent);
  postfix_.clear();
  return expression_.InfixToPostfix(AddMultiplySigns(text), postfix_) == 0;
}

std::optional<std::pair<float, float>> CurveExpression::At(float x, float y) {
  try {
    float re = 0.0f;
    float im = 0.0f;
    if (!expression_.DoEvaluate(postfix_, re, im, x, y)) return std::nullopt;
    return std::make_pair(re, im);
  } catch (const RuntimeError&) {
    return std::nullopt;  // a sample whose evaluation fails is skipped
  }
}

std::string PlaneCurveStatus(const Cls9& g) {
  std::string line;
  if (g.CoordType == ctp::kPlaneXY && g.FunForm == fun::kExplicit) {
    line = "Function y=" + g.ExpressZ;
  } else if (g.CoordType == ctp::kPlaneXY && g.FunForm == fun::kParametric) {
    line = "Function x=" + g.ExpressY + ", " + "y=" + g.ExpressZ;
  } else if (g.CoordType == ctp::kPlaneAR && g.FunForm == fun::kExplicit) {
    line = "Function r=" + g.ExpressZ;
  } else if (g.CoordType == ctp::kPlaneAR && g.FunForm == fun::kParametric) {
    line = "Function a=" + g.ExpressY + ", " + "r=" + g.ExpressZ;
  } else {
    return std::string();
  }
  return line + "\r\n";
}

std::optional<Cls1> DrawPlaneCurve(Cls9& g, const ColorParts& color) {
  const bool polar = g.CoordType == ctp::kPlaneAR;
  CurveExpression first;   // ExpressZ: y, r, or the implicit F
  CurveExpression second;  // ExpressY: the parametric x or a
  if (!first.Compile(g.ExpressZ)) return std::nullopt;
  if (g.FunForm == fun::kParametric && !second.Compile(g.ExpressY)) return std::nullopt;

  // Sample before touching any state, so a fault in the step arithmetic changes nothing.
  std::vector<PlanePoint> points;
  if (g.FunForm == fun::kExplicit) {
    points = SampleOverU(g, [&](float t) -> PlanePoint {
      const auto w = first.At(t, 0.0f);
      if (!w) return {};
      return polar ? FromPolar(t, w->first) : PlanePoint{t, w->first, true};
    });
  } else if (g.FunForm == fun::kParametric) {
    points = SampleOverU(g, [&](float t) -> PlanePoint {
      const auto p = second.At(t, 0.0f);
      const auto q = first.At(t, 0.0f);
      if (!p || !q) return {};
      if (IsUndefined(p->first) || IsUndefined(q->first)) return {};
      return polar ? FromPolar(p->first, q->first) : PlanePoint{p->first, q->first, true};
    });
  }

  SmoothLineScope lines;
  glLineWidth(static_cast<GLfloat>(std::max(g.LineWidth, 1)));
  glColor3d(color.r, color.g, color.b);
  CurveExtent extent;
  if (g.FunForm == fun::kExplicit || g.FunForm == fun::kParametric) {
    DrawSamples(points, g.CurType != 0, extent);
  } else {
    DrawImplicit(g, first, extent);
  }
  const Cls1 box = extent.Box();
  g.BoxMaxX = box.MaxX;
  g.BoxMinX = box.MinX;
  g.BoxMaxY = box.MaxY;
  g.BoxMinY = box.MinY;
  g.BoxMaxZ = g.BoxMinZ = 0.0f;
  return box;
}

void DrawPolyline(const Cls9& g, int32_t lngAnimStep, const ColorParts& color) {
  struct Point3 {
    float x, y, z;
  };
  std::vector<Point3> points;
  const int32_t last = std::max(g.StepU, 0);
  points.reserve(static_cast<size_t>(last) + 1);
  if (g.GraphType == gtp::kCurve3DAnimation) {
    for (int32_t i = 0; i <= last; ++i) {
      const Cls2& m = g.Anim2D(i, lngAnimStep);
      points.push_back({m.x, m.y, m.z});
    }
  } else {
    const bool parametric = g.FunForm == fun::kParametric;
    CurveExpression fx, fy, fz;
    if (!fz.Compile(g.ExpressZ)) return;
    if (parametric && (!fx.Compile(g.ExpressX) || !fy.Compile(g.ExpressY))) return;
    const double du = CheckedDivide(static_cast<double>(g.MaxU) - g.MinU, g.StepU);
    for (int32_t i = 0; i <= last; ++i) {
      const float t = ToSingle(du * i + g.MinU);
      Point3 p{kUndefinedSample, kUndefinedSample, kUndefinedSample};
      if (parametric) {
        const auto x = fx.At(t, 0.0f);
        const auto y = fy.At(t, 0.0f);
        const auto z = fz.At(t, 0.0f);
        if (x && y && z) p = {x->first, y->first, z->first};
      } else if (const auto w = fz.At(t, 0.0f)) {
        p = {t, w->first, w->second};
      }
      points.push_back(p);
    }
  }

  SmoothLineScope lines;
  glLineWidth(1.0f);
  glColor3d(color.r, color.g, color.b);
  auto undefined = [](const Point3& p) { return IsUndefined(p.x) || IsUndefined(p.y) || IsUndefined(p.z); };
  glBegin(GL_LINES);
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    if (undefined(points[i]) || undefined(points[i + 1])) continue;
    glVertex3d(points[i].x, points[i].y, points[i].z);
    glVertex3d(points[i + 1].x, points[i + 1].y, points[i + 1].z);
  }
  glEnd();
}

}  // namespace quillon
