#pragma once
// A scene container: an ordered, keyed collection of graphs with the scene's orientation
// angles. It answers whether anything is animated, which box the scene occupies for a
// frame, and writes its graphs' records. Drawing lives with the scene renderer.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graph/box.h"
#include "graph/graph.h"

namespace quillon {

// What the scene's box adds on every side of its graphs' union.
inline constexpr double kSceneBoxPadding = 0.04;

// A scene container: the graphs of a scene, keyed by ID, with its orientation angles.
class Cls8 {
 public:
  using GraphPtr = std::shared_ptr<Cls9>;
  struct Entry {
    std::string key;  // the decimal text of the graph's ID
    GraphPtr graph;
  };

  // --- the FunSurfs collection, in insertion order ---
  // Appends under key; a key already present raises run-time error 457.
  void Add(GraphPtr graph, const std::string& key);
  // Removes by key; an unknown key raises the subscript error.
  void Remove(const std::string& key);
  void Clear() { entries_.clear(); }
  size_t Count() const { return entries_.size(); }
  // 1-based like the collection it models; raises the subscript error outside 1..Count.
  const GraphPtr& Item(size_t index) const;
  // nullptr when no graph has that key.
  GraphPtr Find(const std::string& key) const;
  const std::vector<Entry>& FunSurfs() const { return entries_; }

  // --- orientation, degrees ---
  float RotYaw = 0.0f;    // about y
  float RotPitch = 0.0f;  // about x
  float RotRoll = 0.0f;   // about z

  // True when any graph is animated.
  bool Animation() const;

  // Union of the graphs' boxes for the frame (the plane kinds take in planeCurveBox, see
  // Cls9::GetBox), padded by 0.04; keeps that padded box in SceneBox and its unit in SceneUnit;
  // plane scenes round X and Y outward to whole tick steps (showPI: X steps of 3.1416).
  Cls1 GetBox(int32_t lngAnimStep, bool showPI, const Cls1& planeCurveBox);

  // The graph records of the container, types filtered as the document writer does.
  std::string Save() const;

  // Working copy of the last computed box (MaxX, MinX, MaxY, MinY, MaxZ, MinZ).
  Cls1 SceneBox;
  // A tenth of the largest absolute coordinate of SceneBox: the plane scenes' tick step and
  // the frame drawn with the box follow it.
  float SceneUnit = 0.0f;

 private:
  std::vector<Entry> entries_;
};

// The tick step of the plane scenes for a scene unit: from F = 2 x unit, multiples of 5
// above 5, int(F) + 1 from 1, else 1.
float PlaneTickStep(float sceneUnit);

}  // namespace quillon
