// The graph record of the document text: one field per property, each with its trailing
// space, in the order the reader expects.

#include "common/program_state.h"
#include "graph/graph.h"
#include "graph/record_text.h"

namespace quillon {

std::string Cls9::Save() const {
  std::string r;
  r.reserve(256 + NameS.size() + ExpressX.size() + ExpressY.size() + ExpressZ.size());
  r += IntegerField(GraphType);
  r += IntegerField(ID);
  r += DelimitedField(NameS);
  r += IntegerField(CoordType);
  r += ExpressionField(ExpressX);
  r += ExpressionField(ExpressY);
  r += ExpressionField(ExpressZ);
  r += IntegerField(StepU);
  r += IntegerField(StepV);
  r += RealField(MinU);
  r += RealField(MaxU);
  r += RealField(MinV);
  r += RealField(MaxV);
  r += IntegerField(FillStyle);
  r += IntegerField(FirstColor);
  r += IntegerField(SecondColor);
  r += IntegerField(LineColor);
  r += IntegerField(LineWidth);
  r += IntegerField(Material);
  r += IntegerField(Show);
  r += IntegerField(Smoothness);
  r += IntegerField(PointColor);
  r += RealField(PointSize);
  r += BooleanField(PointHollow);
  r += BooleanField(Animation);
  if (Animation) {
    r += RealField(MinT);
    r += RealField(MaxT);
    r += IntegerField(State().FrameCount);
    r += IntegerField(State().AnimationSpeed);
  }
  r += IntegerField(FunForm);
  r += AxisCodeField(VarX);
  r += AxisCodeField(VarY);
  r += AxisCodeField(VarZ);
  r += AxisCodeField(ColorR);
  r += AxisCodeField(ColorG);
  r += AxisCodeField(ColorB);
  return r;
}

}  // namespace quillon
