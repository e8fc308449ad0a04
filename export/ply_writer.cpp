// Binary little-endian PLY with vertex colours.

#include <string>

#include "export/little_endian.h"
#include "export/mesh_writers.h"

namespace quillon {

bool WritePly(std::ostream& out, const TriangleMesh& mesh) {
  const bool colored = mesh.colors.size() == mesh.positions.size();
  out << "ply\nformat binary_little_endian 1.0\ncomment Quillon surface mesh\n"
      << "element vertex " << mesh.VertexCount() << "\nproperty float x\nproperty float y\nproperty float z\n"
      << "property uchar red\nproperty uchar green\nproperty uchar blue\n"
      << "element face " << mesh.TriangleCount() << "\nproperty list uchar int vertex_indices\nend_header\n";
  LittleEndianWriter writer(out);
  for (size_t v = 0; v < mesh.VertexCount(); ++v) {
    for (size_t axis = 0; axis < 3; ++axis) writer.F32(mesh.positions[3 * v + axis]);
    for (size_t channel = 0; channel < 3; ++channel) writer.U8(colored ? mesh.colors[3 * v + channel] : 255);
  }
  for (size_t t = 0; t < mesh.TriangleCount(); ++t) {
    writer.U8(3);
    for (size_t c = 0; c < 3; ++c) writer.U32(mesh.triangles[3 * t + c]);
  }
  writer.Flush();
  return static_cast<bool>(out);
}

}  // namespace quillon
