#include "graph/graph.h"

#include <initializer_list>
#include <utility>

#include "common/program_state.h"
#include "common/runtime_error.h"

namespace quillon {

namespace {

// Count of an index range 0..n; a negative extent is a subscript error, as an array
// dimensioned (0 To -1) would be.
size_t ExtentCount(int32_t n) {
  if (n < 0) throw RuntimeError::SubscriptOutOfRange();
  return static_cast<size_t>(n) + 1;
}

// Index of (i, ...) in a marker array with the extents; raises the subscript error outside.
size_t MarkerIndex(const std::vector<Cls2>& markers,
                   std::initializer_list<std::pair<int32_t, int32_t>> dims) {
  // An array that sampling has not sized has no valid index at all.
  if (markers.empty()) throw RuntimeError::SubscriptOutOfRange();
  size_t index = 0;
  for (const auto& [i, n] : dims) {
    CheckIndex(i, static_cast<int64_t>(n) + 1);
    index = index * (static_cast<size_t>(n) + 1) + static_cast<size_t>(i);
  }
  return index;
}

}  // namespace

int32_t Cls9::StepT() const {
  return State().FrameCount;
}

// --- point markers ---

void Cls9::ResizeAnim1D(int32_t nt) {
  const size_t count = ExtentCount(nt);
  anim1d_.assign(count, Cls2{});
  anim1dT_ = nt;
}

void Cls9::ResizeAnim2D(int32_t nu, int32_t nt) {
  const size_t count = ExtentCount(nu) * ExtentCount(nt);
  anim2d_.assign(count, Cls2{});
  anim2dU_ = nu;
  anim2dT_ = nt;
}

void Cls9::ResizeAnim3D(int32_t nu, int32_t nv, int32_t nt) {
  const size_t count = ExtentCount(nu) * ExtentCount(nv) * ExtentCount(nt);
  anim3d_.assign(count, Cls2{});
  animU_ = nu;
  animV_ = nv;
  animT_ = nt;
}

Cls2& Cls9::Anim1D(int32_t t) {
  return anim1d_[MarkerIndex(anim1d_, {{t, anim1dT_}})];
}
const Cls2& Cls9::Anim1D(int32_t t) const {
  return anim1d_[MarkerIndex(anim1d_, {{t, anim1dT_}})];
}

Cls2& Cls9::Anim2D(int32_t u, int32_t t) {
  return anim2d_[MarkerIndex(anim2d_, {{u, anim2dU_}, {t, anim2dT_}})];
}
const Cls2& Cls9::Anim2D(int32_t u, int32_t t) const {
  return anim2d_[MarkerIndex(anim2d_, {{u, anim2dU_}, {t, anim2dT_}})];
}

Cls2& Cls9::Anim3D(int32_t u, int32_t v, int32_t t) {
  return anim3d_[MarkerIndex(anim3d_, {{u, animU_}, {v, animV_}, {t, animT_}})];
}
const Cls2& Cls9::Anim3D(int32_t u, int32_t v, int32_t t) const {
  return anim3d_[MarkerIndex(anim3d_, {{u, animU_}, {v, animV_}, {t, animT_}})];
}

// --- definition ---

Cls9 Cls9::Init(int32_t lngID, const std::string& strName, int32_t gtpGraphType, int32_t ctpCoordType,
                const std::string& strExpX, const std::string& strExpY, const std::string& strExpZ,
                int32_t lngStepU, int32_t lngStepV, float sngMinU, float sngMaxU, float sngMinV,
                float sngMaxV, int32_t fstFillStyle, int32_t lngFirstColor, int32_t lngSecondColor,
                int32_t lngLineColor, int32_t lngLineWidth, int32_t lngMaterial, int32_t shwShow,
                int32_t smtSmooth, bool bolShowCon, bool bolShowVec, bool bolShowColormap,
                int32_t lngContourLevel) const {
  Cls9 graph;
  graph.ID = lngID;
  graph.NameS = strName;
  graph.GraphType = gtpGraphType;
  graph.CoordType = ctpCoordType;
  graph.ExpressX = strExpX;
  graph.ExpressY = strExpY;
  graph.ExpressZ = strExpZ;
  graph.StepU = lngStepU;
  graph.StepV = lngStepV;
  graph.MinU = sngMinU;
  graph.MaxU = sngMaxU;
  graph.MinV = sngMinV;
  graph.MaxV = sngMaxV;
  graph.FillStyle = fstFillStyle;
  graph.FirstColor = lngFirstColor;
  graph.SecondColor = lngSecondColor;
  graph.LineColor = lngLineColor;
  graph.LineWidth = lngLineWidth;
  graph.Material = lngMaterial;
  graph.Show = shwShow;
  graph.Smoothness = smtSmooth;
  graph.ShowContour = bolShowCon;
  graph.ShowVector = bolShowVec;
  graph.ShowColormap = bolShowColormap;
  graph.ContourLevel = lngContourLevel;
  return graph;
}

void Cls9::Equal(const std::string& strName, int32_t gtpGraphType, int32_t ctpCoordType,
                 const std::string& strExpX, const std::string& strExpY, const std::string& strExpZ,
                 int32_t lngStepU, int32_t lngStepV, float sngMinU, float sngMaxU, float sngMinV,
                 float sngMaxV, int32_t fstFillStyle, int32_t lngFirstColor, int32_t lngSecondColor,
                 int32_t lngLineColor, int32_t lngLineWidth, int32_t lngMaterial, int32_t shwShow,
                 int32_t smtSmooth, bool bolShowCon, bool bolShowVec, bool bolShowColormap,
                 int32_t lngContourLevel, int32_t lngFunForm) {
  NameS = strName;
  GraphType = gtpGraphType;
  CoordType = ctpCoordType;
  ExpressX = strExpX;
  ExpressY = strExpY;
  ExpressZ = strExpZ;
  StepU = lngStepU;
  StepV = lngStepV;
  MinU = sngMinU;
  MaxU = sngMaxU;
  MinV = sngMinV;
  MaxV = sngMaxV;
  FillStyle = fstFillStyle;
  FirstColor = lngFirstColor;
  SecondColor = lngSecondColor;
  LineColor = lngLineColor;
  LineWidth = lngLineWidth;
  Material = lngMaterial;
  Show = shwShow;
  Smoothness = smtSmooth;
  ShowContour = bolShowCon;
  ShowVector = bolShowVec;
  ShowColormap = bolShowColormap;
  ContourLevel = lngContourLevel;
  FunForm = lngFunForm;
}

void Cls9::EqualTo(const Cls9& fsfnew) {
  if (&fsfnew == this) return;
  NameS = fsfnew.NameS;
  GraphType = fsfnew.GraphType;
  CoordType = fsfnew.CoordType;
  ExpressX = fsfnew.ExpressX;
  ExpressY = fsfnew.ExpressY;
  ExpressZ = fsfnew.ExpressZ;
  StepU = fsfnew.StepU;
  StepV = fsfnew.StepV;
  MinU = fsfnew.MinU;
  MaxU = fsfnew.MaxU;
  MinV = fsfnew.MinV;
  MaxV = fsfnew.MaxV;
  FillStyle = fsfnew.FillStyle;
  FirstColor = fsfnew.FirstColor;
  SecondColor = fsfnew.SecondColor;
  LineColor = fsfnew.LineColor;
  LineWidth = fsfnew.LineWidth;
  Material = fsfnew.Material;
  Show = fsfnew.Show;
  Smoothness = fsfnew.Smoothness;
  PointColor = fsfnew.PointColor;
  PointSize = fsfnew.PointSize;
  PointHollow = fsfnew.PointHollow;
  Animation = fsfnew.Animation;
  MinT = fsfnew.MinT;
  MaxT = fsfnew.MaxT;
  ShowContour = fsfnew.ShowContour;
  ShowVector = fsfnew.ShowVector;
  ShowColormap = fsfnew.ShowColormap;
  ContourLevel = fsfnew.ContourLevel;
  FunForm = fsfnew.FunForm;
  VarX = fsfnew.VarX;
  VarY = fsfnew.VarY;
  VarZ = fsfnew.VarZ;
  ColorR = fsfnew.ColorR;
  ColorG = fsfnew.ColorG;
  ColorB = fsfnew.ColorB;
  CurType = fsfnew.CurType;
  Extras = fsfnew.Extras;
}

}  // namespace quillon
