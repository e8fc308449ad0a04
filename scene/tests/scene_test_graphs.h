#pragma once
// Graphs for the scene tests whose boxes are known without sampling: a one-cell surface
// spanning a given box.

#include <algorithm>
#include <cmath>
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

namespace quillon::testing {

// A sampled-looking surface of n x n cells over [-2, 2]^2 with height f(x, z) in scene y and
// colour tables in 0..1, for whole-scene pictures that do not depend on the evaluator.
template <typename F>
std::shared_ptr<Cls9> GridSurface(int32_t n, F f, int32_t id = 1) {
  auto g = std::make_shared<Cls9>();
  g->ID = id;
  g->GraphType = gtp::kSurface;
  g->CoordType = ctp::kCartesian;
  g->FunForm = fun::kExplicit;
  g->Material = material::kMetal;
  g->Show = shw::kSurface;
  g->Smoothness = smt::kSmoothest;
  g->StepU = g->StepV = n;
  g->VarX = quantity::kX;
  g->VarY = quantity::kU;
  g->VarZ = quantity::kY;
  g->ColorR = quantity::kU;
  g->ColorG = quantity::kV;
  g->ColorB = quantity::kMagnitude;
  for (GridTable* t : {&g->SceneX, &g->SceneY, &g->SceneZ, &g->ColorTableR, &g->ColorTableG, &g->ColorTableB,
                       &g->QuantityX, &g->QuantityY, &g->QuantityU, &g->QuantityV, &g->QuantityMagnitude})
    t->Resize(n, n);
  for (int32_t k = 0; k <= n; ++k) {
    for (int32_t j = 0; j <= n; ++j) {
      const float x = -2.0f + 4.0f * k / n, z = -2.0f + 4.0f * j / n;
      const float y = f(x, z);
      g->SceneX.at(k, j) = g->QuantityX.at(k, j) = x;
      g->SceneZ.at(k, j) = g->QuantityY.at(k, j) = z;
      g->SceneY.at(k, j) = g->QuantityU.at(k, j) = y;
      const float v = x * z / 4.0f;
      g->QuantityV.at(k, j) = v;
      g->QuantityMagnitude.at(k, j) = std::sqrt(y * y + v * v);
      g->ColorTableR.at(k, j) = (x + 2.0f) / 4.0f;
      g->ColorTableG.at(k, j) = (z + 2.0f) / 4.0f;
      g->ColorTableB.at(k, j) = 0.5f;
    }
  }
  // The extremes sampling keeps, which the renderer's colour ranges start from.
  auto extremes = [](const GridTable& t, float& lo, float& hi) {
    lo = *std::min_element(t.data(), t.data() + t.size());
    hi = *std::max_element(t.data(), t.data() + t.size());
  };
  extremes(g->QuantityX, g->MinXq, g->MaxXq);
  extremes(g->QuantityY, g->MinYq, g->MaxYq);
  extremes(g->QuantityU, g->MinUq, g->MaxUq);
  extremes(g->QuantityV, g->MinVq, g->MaxVq);
  extremes(g->QuantityMagnitude, g->MinMag, g->MaxMag);
  return g;
}

}  // namespace quillon::testing
