#pragma once
// Graphs for the scene tests whose boxes are known without sampling: a one-cell surface
// spanning a given box.

#include <memory>

#include "graph/codes.h"
#include "graph/graph.h"

namespace quillon::testing {

inline std::shared_ptr<Cls9> BoxSurface(float minX, float maxX, float minY, float maxY, float minZ,
                                        float maxZ, int32_t id = 1) {
  auto g = std::make_shared<Cls9>();
  g->ID = id;
  g->GraphType = gtp::kSurface;
  g->StepU = 1;
  g->StepV = 1;
  for (GridTable* t : {&g->SceneX, &g->SceneY, &g->SceneZ, &g->ColorTableR, &g->ColorTableG, &g->ColorTableB})
    t->Resize(1, 1);
  for (int32_t k = 0; k <= 1; ++k) {
    for (int32_t j = 0; j <= 1; ++j) {
      g->SceneX.at(k, j) = k == 0 ? minX : maxX;
      g->SceneZ.at(k, j) = j == 0 ? minZ : maxZ;
      g->SceneY.at(k, j) = (k + j) % 2 == 0 ? minY : maxY;
    }
  }
  return g;
}

}  // namespace quillon::testing
