// The caption of a graph in the graph list, chosen by the scene kind, the graph kind, the
// coordinate system and the function form.

#include <string>

#include "document/scene_document.h"
#include "graph/codes.h"

namespace quillon {
namespace {

// Kind 3 (3D function graphs) for the curve and surface kinds 1, 2, 11 and 12.
std::string CurveOrSurface3D(const Cls9& g, const std::string& prefix) {
  const std::string& x = g.ExpressX;
  const std::string& y = g.ExpressY;
  const std::string& z = g.ExpressZ;
  if (g.FunForm == fun::kExplicit) {
    switch (g.CoordType) {
      case ctp::kPlaneXY:
        return "Surface by rotation  y=" + z;
      case ctp::kCartesian:
        return prefix + "w=" + z;
      case ctp::kAngleRadius:
        return prefix + "z=" + z;
      case ctp::kTwoAngles:
        return prefix + "r=" + z;
      default:
        break;
    }
  } else if (g.FunForm == fun::kParametric) {
    switch (g.CoordType) {
      case ctp::kCartesian:
        return prefix + "x=" + x + ",y=" + y + ",z=" + z;
      case ctp::kAngleRadius:
        return prefix + "a=" + x + ",r=" + y + ",z=" + z;
      case ctp::kTwoAngles:
        return prefix + "a=" + x + ",b=" + y + ",r=" + z;
      default:
        break;
    }
  }
  return {};
}

// Points of a 3D scene: "Point  x=.., y=.., z=.." and the angle forms.
std::string Point3D(const Cls9& g, const std::string& prefix) {
  switch (g.CoordType) {
    case ctp::kCartesian:
      return prefix + "x=" + g.ExpressX + ", y=" + g.ExpressY + ", z=" + g.ExpressZ;
    case ctp::kAngleRadius:
      return prefix + "a=" + g.ExpressX + ", r=" + g.ExpressY + ", z=" + g.ExpressZ;
    case ctp::kTwoAngles:
      return prefix + "a=" + g.ExpressX + ", b=" + g.ExpressY + ", r=" + g.ExpressZ;
    default:
      return {};
  }
}

std::string Scene3D(const Cls9& g) {
  switch (g.GraphType) {
    case gtp::kCurve3D:
      return CurveOrSurface3D(g, "3D Curve  ");
    case gtp::kSurface:
      return CurveOrSurface3D(g, "3D Surface  ");
    case gtp::kCurve3DAnimation:
      return CurveOrSurface3D(g, "3D Curve Animation  ");
    case gtp::kSurfaceAnimation:
      return CurveOrSurface3D(g, "3D Surface Animation  ");
    case gtp::kPoint:
      return Point3D(g, "Point  ");
    case gtp::kPointAnimation:
      return Point3D(g, "Point Animation  ");
    case gtp::kVector:
      return "Vector ";
    case gtp::kVectorOperation:
      return "Vector Operation ";
    default:
      return {};
  }
}

std::string ColorMapScene(const Cls9& g) {
  const std::string xyz = "x=" + g.ExpressX + ", y=" + g.ExpressY + ", z=" + g.ExpressZ;
  switch (g.GraphType) {
    case gtp::kColorMap:
      return "Color Map  w=" + g.ExpressZ;
    case gtp::kContourPlot:
      return "Contour Plot  " + xyz;
    case gtp::kVectorPlot:
      return "Vector Plot  " + xyz;
    default:
      return {};
  }
}

// Curves and ribbons of the plane scenes: explicit forms name the function by its
// coordinate system (y= for x/y, r= for a/r), parametric forms give both expressions, any
// other form is an implicit curve "f=0".
std::string PlaneCurve(const Cls9& g, const std::string& prefix) {
  if (g.FunForm == fun::kExplicit) {
    if (g.CoordType == ctp::kPlaneXY) return prefix + "y=" + g.ExpressZ;
    if (g.CoordType == ctp::kPlaneAR) return prefix + "r=" + g.ExpressZ;
  } else if (g.FunForm == fun::kParametric) {
    if (g.CoordType == ctp::kPlaneXY) return prefix + "x=" + g.ExpressX + ",y=" + g.ExpressY;
    if (g.CoordType == ctp::kPlaneAR) return prefix + "a=" + g.ExpressX + ",r=" + g.ExpressY;
  }
  return prefix + g.ExpressZ + "=0";
}

std::string PlanePoint(const Cls9& g, const std::string& prefix) {
  if (g.CoordType == ctp::kPlaneAR) return prefix + "a=" + g.ExpressX + ", r=" + g.ExpressY;
  return prefix + "x=" + g.ExpressX + ", y=" + g.ExpressY;
}

// The plane kinds carried by documents. The graph object keeps no second expression or
// step/stem flags, so each of these kinds has one fixed form: 0 curve, 1 animated curve,
// 3 and 9 inequalities, 7 and 8 points, 10 intersection of ExpressY and ExpressZ, 20 to 22
// step and stem plots, 23 differential equation, 36 limit, 37 series, 38 ribbon (animated
// when the graph has the animation parameter).
std::string PlaneScene(const Cls9& g) {
  const std::string& z = g.ExpressZ;
  switch (g.GraphType) {
    case 0:
      return PlaneCurve(g, "2D Curve  ");
    case 1:
      return PlaneCurve(g, "2D Curve Animation  ");
    case 3:
      return "Inequality  " + z + "<=0";
    case 9:
      return "Inequality Animation  " + z + "<=0";
    case 7:
      return PlanePoint(g, "Point  ");
    case 8:
      return PlanePoint(g, "Point Animation  ");
    case 10:
      return "Intersection  y=" + g.ExpressY + ", y=" + z;
    case 20:
      return "Step & Stem  y=" + z;
    case 21:
      return "Step Plot  y=" + z;
    case 22:
      return "Stem Plot  y=" + z;
    case 23:
      return "ODE dy/dx=" + z;
    case 36:
      return "Limit " + z;
    case 37:
      return "Series " + z;
    case 38: {
      const std::string prefix = g.Animation ? "2.5D Ribbon Animation  " : "2.5D Ribbon  ";
      if (g.FunForm == fun::kParametric) {
        if (g.CoordType == ctp::kPlaneAR) return prefix + "a=" + g.ExpressX + ",r=" + g.ExpressY;
        return prefix + "x=" + g.ExpressX + ",y=" + g.ExpressY;
      }
      return prefix + (g.CoordType == ctp::kPlaneAR ? "r=" : "y=") + z;
    }
    case gtp::kVector:
      return "Vector ";
    case gtp::kVectorOperation:
      return "Vector Operation ";
    default:
      return {};
  }
}

// Every graph gets an item, also where no rule applies: its kind and its function.
std::string Fallback(const Cls9& g) {
  std::string caption = "Graph " + std::to_string(g.GraphType);
  if (!g.ExpressX.empty() || !g.ExpressY.empty()) {
    caption += "  x=" + g.ExpressX + ", y=" + g.ExpressY + ", z=" + g.ExpressZ;
  } else {
    caption += "  w=" + g.ExpressZ;
  }
  return caption;
}

}  // namespace

std::string SceneDocument::Caption(const Cls9& graph, int32_t sceneKind) {
  std::string caption;
  switch (sceneKind) {
    case 1:
    case 2:
    case 4:
    case 5:
      caption = PlaneScene(graph);
      break;
    case 3:
    case 6:
      caption = Scene3D(graph);
      break;
    case 7:
      caption = ColorMapScene(graph);
      break;
    default:
      // Before the first graph sets the kind (a paste into an empty program), caption the
      // graph by the kind of scene it belongs to.
      caption = Scene3D(graph);
      if (caption.empty()) caption = ColorMapScene(graph);
      break;
  }
  return caption.empty() ? Fallback(graph) : caption;
}

}  // namespace quillon
