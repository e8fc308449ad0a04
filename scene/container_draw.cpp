#include "scene/container_draw.h"

#include "render/graph_draw.h"

namespace quillon {

void Draw(Cls8& scene, int32_t& lngAnimStep, Cls1& planeCurveBox, std::string& resultText) {
  for (const Cls8::Entry& entry : scene.FunSurfs()) {
    if (entry.graph->Animation) {
      Draw(*entry.graph, lngAnimStep, planeCurveBox, resultText);
    } else {
      int32_t still = 0;
      Draw(*entry.graph, still, planeCurveBox, resultText);
    }
  }
}

}  // namespace quillon
