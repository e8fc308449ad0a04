#pragma once
// The integer codes of graphs: quantities, kinds, coordinate systems, forms, models,
// shading and materials.

#include <array>
#include <cstdint>
#include <string_view>

namespace quillon {

// Sampled quantities (VarX, VarY, VarZ, ColorR, ColorG, ColorB).
namespace quantity {
inline constexpr int32_t kX = 1;
inline constexpr int32_t kY = 2;
inline constexpr int32_t kU = 3;          // real part of w
inline constexpr int32_t kV = 4;          // imaginary part of w
inline constexpr int32_t kMagnitude = 5;  // |w|
// Captions in the dialogs, code - 1 as index.
inline constexpr std::array<std::string_view, 5> kCaptions{"x", "y", "u(Real)", "v(Imaginary)", "Magnitude"};
// Letters used for axis titles, code - 1 as index.
inline constexpr std::array<std::string_view, 5> kLetters{"X", "Y", "U", "V", "M"};
}  // namespace quantity

// Graph kinds (GraphType).
namespace gtp {
inline constexpr int32_t kCurve3D = 1;
inline constexpr int32_t kSurface = 2;  // the function graph dialog
inline constexpr int32_t kTable4 = 4;
inline constexpr int32_t kTable5 = 5;
inline constexpr int32_t kTable6 = 6;
inline constexpr int32_t kPoint = 7;
inline constexpr int32_t kPointAnimation = 8;
inline constexpr int32_t kCurve3DAnimation = 11;
inline constexpr int32_t kSurfaceAnimation = 12;
inline constexpr int32_t kColorMap = 13;  // the colour map dialog
inline constexpr int32_t kContourPlot = 14;
inline constexpr int32_t kVectorPlot = 15;
inline constexpr int32_t kVector = 31;
inline constexpr int32_t kVectorOperation = 32;
}  // namespace gtp

// Coordinate systems (CoordType).
namespace ctp {
inline constexpr int32_t kPlaneXY = 1;
inline constexpr int32_t kPlaneAR = 2;
inline constexpr int32_t kCartesian = 3;  // z = x + yi for complex functions
inline constexpr int32_t kAngleRadius = 4;
inline constexpr int32_t kTwoAngles = 5;
}  // namespace ctp

// Function forms (FunForm).
namespace fun {
inline constexpr int32_t kExplicit = 2;    // w = f(z) in ExpressZ
inline constexpr int32_t kParametric = 3;  // ExpressX, ExpressY, ExpressZ
}  // namespace fun

// Models (Show) and shading (Smoothness).
namespace shw {
inline constexpr int32_t kPoint = 1;
inline constexpr int32_t kGrid = 2;
inline constexpr int32_t kSurface = 3;
}  // namespace shw
namespace smt {
inline constexpr int32_t kFlat = 1;
inline constexpr int32_t kSmooth = 2;
inline constexpr int32_t kSmoothest = 3;
}  // namespace smt

// Material presets 1..13, in the order of the dialogs' list.
namespace material {
inline constexpr int32_t kMetal = 4;
inline constexpr int32_t kNeon = 5;
inline constexpr std::array<std::string_view, 13> kNames{"Artdeco", "Autumn",   "Glass", "Metal", "Neon",
                                                         "Recoco",  "Santefe",  "Sheen", "Silky", "Spring",
                                                         "Summer",  "Tropical", "Winter"};
}  // namespace material

}  // namespace quillon
