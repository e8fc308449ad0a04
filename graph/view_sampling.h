#pragma once
// Samples a colour map's function over a rectangle of the z-plane at one point per pixel
// centre and colours the values as the graph colours its own samples.

#include <atomic>
#include <optional>

#include "graph/colouring.h"
#include "graph/view_image.h"

namespace quillon {

class Cls9;

// True when the graph can be sampled again over any rectangle: a colour map of w = f(z) in
// Cartesian form showing x across and y upwards, coloured from w (not by Channels).
bool CanSampleView(const Cls9& graph);

// The rectangle part of the graph's own domain (x from MinU to MaxU, y from MinV to MaxV)
// shows; nothing when they do not meet.
std::optional<PlaneRect> VisiblePart(const Cls9& graph, const PlaneRect& seen);

// How a colour map lies in the scene: scene X = ax + bx x, scene Z = az + bz y, taken from
// the ends of its sampled lattice (so any scaling the scene applies is followed).
struct MapPlacement {
  double ax = 0.0, bx = 1.0, az = 0.0, bz = 1.0;
  double SceneX(double x) const { return ax + bx * x; }
  double SceneZ(double y) const { return az + bz * y; }
  double PlaneX(double sceneX) const { return (sceneX - ax) / bx; }
  double PlaneY(double sceneZ) const { return (sceneZ - az) / bz; }
};
// Nothing when the tables do not cover the grid or a side has no extent.
std::optional<MapPlacement> PlacementOf(const Cls9& graph);

// The picture of `rect` at width x height pixels. Points without a value are the hole grey.
// Nothing when the graph cannot be sampled so, the size is not positive, the function does not
// compile or *cancel became true on the way. Safe to call on a worker thread with a copy of
// the graph that nothing else touches.
std::optional<ViewImage> SampleView(const Cls9& graph, const PlaneRect& rect, int32_t width, int32_t height,
                                    const ModulusRange& range, std::atomic<bool>* cancel = nullptr);

}  // namespace quillon
