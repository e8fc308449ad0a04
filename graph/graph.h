#pragma once
// A function graph: definition, display settings, sampled tables and extremes. Sampling
// (GetPoints) and the bounding box (GetBox) live here; drawing lives with the renderer
// (render/graph_draw.h) and the record text with the document writer (graph_save.cpp),
// so this class needs neither OpenGL nor Qt.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graph/box.h"
#include "graph/graph_extras.h"
#include "graph/grid_table.h"
#include "graph/point.h"
#include "graph/view_image.h"

namespace quillon {

struct SamplingSettings;

// A function graph: definition, display settings, sampled tables, box.
class Cls9 {
 public:
  // --- definition ---
  int32_t ID = 0;
  std::string NameS;
  int32_t GraphType = 0;
  int32_t CoordType = 0;
  int32_t FunForm = 0;
  int32_t CurType = 0;
  std::string ExpressX;
  std::string ExpressY;
  std::string ExpressZ;
  float MinU = 0.0f;
  float MaxU = 0.0f;
  float MinV = 0.0f;
  float MaxV = 0.0f;
  int32_t StepU = 1;
  int32_t StepV = 1;
  bool Animation = false;
  float MinT = 0.0f;
  float MaxT = 0.0f;
  int32_t VarX = 0;
  int32_t VarY = 0;
  int32_t VarZ = 0;
  int32_t ColorR = 0;
  int32_t ColorG = 0;
  int32_t ColorB = 0;

  // --- display settings ---
  int32_t Show = 3;
  int32_t Smoothness = 3;
  int32_t Material = 0;
  int32_t FillStyle = 0;
  int32_t FirstColor = 0;
  int32_t SecondColor = 0;
  int32_t LineColor = 0;
  int32_t LineWidth = 0;
  int32_t PointColor = 255;
  float PointSize = 1.0f;
  bool PointHollow = false;
  bool ShowContour = false;
  int32_t ContourLevel = 0;
  bool ShowVector = false;
  bool ShowColormap = false;
  bool ShowTex = false;
  std::string TexName;
  int32_t TexMode = 0;
  bool ShowTrans = false;
  float TransAlpha = 0.0f;

  // Private display settings of the other graph kinds. Documents do not carry them and no
  // drawing path of the kinds this program creates reads them; they keep their start values.
  struct HiddenDisplay {
    bool flagA = true;
    bool flagB = true;
    bool flagC = true;
    int32_t styleA = 2;
    int32_t styleB = 0;
    int32_t color = 0x0000FF00;
    int32_t countA = 1;
    int32_t countB = 1;
  } hidden;

  // Settings beyond the document record (holes, clipping, log |w|, colouring, contours).
  GraphExtras Extras;

  // Number of animation steps: the program-wide FrameCount, shared by all graphs. Sampling
  // takes it from its settings instead, so it never reads program-wide state.
  int32_t StepT() const;

  // --- sampled tables, (StepU + 1) x (StepV + 1) each ---
  // A sampled grid keeps u, v and |w| (12 bytes a point); x and y are kept as their axes, and
  // the scene and colour tables name the quantity their code shows (or are a constant 0).
  // Every table reads by (k, j) whatever it stores (graph/grid_table.h).
  GridTable QuantityX, QuantityY, QuantityU, QuantityV, QuantityMagnitude;
  GridTable SceneX, SceneY, SceneZ;
  GridTable ColorTableR, ColorTableG, ColorTableB;
  // Working tables of the surface renderer: cell normals (k < StepU, j < StepV) and
  // vertex normals, three components each. The renderer fills them while it draws the graph
  // and empties them afterwards; GetPoints leaves them.
  std::array<GridTable, 3> CellNormal;
  std::array<GridTable, 3> VertexNormal;

  // Extremes of the five quantities. u, v and magnitude only widen (never reset by sampling);
  // x and y are also kept in the box limits below.
  float MaxXq = 0.0f, MinXq = 0.0f;
  float MaxYq = 0.0f, MinYq = 0.0f;
  float MaxUq = 0.0f, MinUq = 0.0f;
  float MaxVq = 0.0f, MinVq = 0.0f;
  float MaxMag = 0.0f, MinMag = 0.0f;

  // Points of the last sampling where the function has no value (holes; see
  // graph/sample_value.h); 0 when it stopped at the first one instead.
  int64_t PointsWithoutValue = 0;

  // A colour map's picture of the part of the plane the window last zoomed into, sampled at
  // screen resolution (graph/view_sampling.h); drawn over the map. Sampling the graph again
  // forgets it; documents do not carry it.
  std::shared_ptr<const ViewImage> ScreenView;

  // The graph's own box limits in scene coordinates (GetBox recomputes them; Draw raises
  // BoxMinY by 3.0 while extra layers are shown).
  float BoxMaxX = 0.0f, BoxMinX = 0.0f;
  float BoxMaxY = 0.0f, BoxMinY = 0.0f;
  float BoxMaxZ = 0.0f, BoxMinZ = 0.0f;

  // Point markers of the animated kinds: Anim1D(t), Anim2D(u, t), Anim3D(u, v, t).
  Cls2& Anim1D(int32_t t);
  Cls2& Anim2D(int32_t u, int32_t t);
  Cls2& Anim3D(int32_t u, int32_t v, int32_t t);
  const Cls2& Anim1D(int32_t t) const;
  const Cls2& Anim2D(int32_t u, int32_t t) const;
  const Cls2& Anim3D(int32_t u, int32_t v, int32_t t) const;
  // Sizes the marker arrays (index ranges 0..n inclusive); raises the subscript error on
  // access outside them.
  void ResizeAnim1D(int32_t nt);
  void ResizeAnim2D(int32_t nu, int32_t nt);
  void ResizeAnim3D(int32_t nu, int32_t nv, int32_t nt);
  bool HasAnim1D() const { return !anim1d_.empty(); }
  bool HasAnim2D() const { return !anim2d_.empty(); }
  bool HasAnim3D() const { return !anim3d_.empty(); }

  // --- operations ---
  // A new graph with the given definition; this object is not changed.
  Cls9 Init(int32_t lngID, const std::string& strName, int32_t gtpGraphType, int32_t ctpCoordType,
            const std::string& strExpX, const std::string& strExpY, const std::string& strExpZ,
            int32_t lngStepU, int32_t lngStepV, float sngMinU, float sngMaxU, float sngMinV, float sngMaxV,
            int32_t fstFillStyle, int32_t lngFirstColor, int32_t lngSecondColor, int32_t lngLineColor,
            int32_t lngLineWidth, int32_t lngMaterial, int32_t shwShow, int32_t smtSmooth, bool bolShowCon,
            bool bolShowVec, bool bolShowColormap, int32_t lngContourLevel) const;
  // Sets this graph's definition; ID stays.
  void Equal(const std::string& strName, int32_t gtpGraphType, int32_t ctpCoordType,
             const std::string& strExpX, const std::string& strExpY, const std::string& strExpZ,
             int32_t lngStepU, int32_t lngStepV, float sngMinU, float sngMaxU, float sngMinV, float sngMaxV,
             int32_t fstFillStyle, int32_t lngFirstColor, int32_t lngSecondColor, int32_t lngLineColor,
             int32_t lngLineWidth, int32_t lngMaterial, int32_t shwShow, int32_t smtSmooth, bool bolShowCon,
             bool bolShowVec, bool bolShowColormap, int32_t lngContourLevel, int32_t lngFunForm);
  // Copies the definition and display settings of fsfnew (not ID, texture, transparency,
  // tables or markers); the copy must be sampled again.
  void EqualTo(const Cls9& fsfnew);

  // Samples the graph with the program's animation step count and view intervals; false when
  // the expression does not compile. A point without a value becomes a hole; with
  // Extras.stopAtFirstError sampling stops there instead: false when the evaluator gave no
  // value, and its run-time errors reach the caller.
  bool GetPoints(const SamplingSettings& settings);

  // Recomputes the box limits for the animation step and returns them. The plane kinds take in
  // planeCurveBox, the extent the last plane curve drawn left (render/graph_draw.h).
  Cls1 GetBox(int32_t lngAnimStep, const Cls1& planeCurveBox);

  // The graph record of the document text, and the empty text of the table kinds.
  std::string Save() const;
  std::string SaveTable() const { return std::string(); }

 private:
  std::vector<Cls2> anim1d_;
  std::vector<Cls2> anim2d_;
  std::vector<Cls2> anim3d_;
  int32_t animU_ = 0, animV_ = 0, animT_ = 0;  // index extents (count = n + 1)
  // The one- and two-dimensional arrays keep their own extents, so sizing one never changes
  // how another is indexed.
  int32_t anim1dT_ = 0;
  int32_t anim2dU_ = 0, anim2dT_ = 0;
};

}  // namespace quillon
