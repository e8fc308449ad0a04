// Binary STL.

#include <array>
#include <cmath>
#include <cstring>

#include "export/little_endian.h"
#include "export/mesh_writers.h"

namespace quillon {

namespace {

std::array<float, 3> Corner(const TriangleMesh& mesh, uint32_t vertex) {
  const float* p = &mesh.positions[3 * static_cast<size_t>(vertex)];
  return {p[0], p[1], p[2]};
}

std::array<float, 3> UnitNormal(const std::array<float, 3>& a, const std::array<float, 3>& b,
                                const std::array<float, 3>& c) {
  const double u[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
  const double v[3] = {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
  const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
  const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  if (!(length > 0.0) || !std::isfinite(length)) return {0.0f, 0.0f, 0.0f};
  return {float(n[0] / length), float(n[1] / length), float(n[2] / length)};
}

}  // namespace

bool WriteStl(std::ostream& out, const TriangleMesh& mesh) {
  char header[80] = {};
  std::strncpy(header, "Quillon surface mesh, binary STL", sizeof header);
  out.write(header, sizeof header);
  LittleEndianWriter writer(out);
  writer.U32(static_cast<uint32_t>(mesh.TriangleCount()));
  for (size_t t = 0; t < mesh.TriangleCount(); ++t) {
    const auto a = Corner(mesh, mesh.triangles[3 * t]);
    const auto b = Corner(mesh, mesh.triangles[3 * t + 1]);
    const auto c = Corner(mesh, mesh.triangles[3 * t + 2]);
    for (const auto& point : {UnitNormal(a, b, c), a, b, c})
      for (float value : point) writer.F32(value);
    writer.U16(0);
  }
  writer.Flush();
  return static_cast<bool>(out);
}

}  // namespace quillon
