#pragma once
// A triangle mesh as the mesh files carry it: shared vertices with colours, triangles as
// vertex index triples, and the parts (one a graph) with the material each was drawn with.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillon {

// Reflectances (0..1) and specular exponent (0..128, as OpenGL takes it) of one part.
struct MeshMaterial {
  std::array<float, 3> ambient{0.2f, 0.2f, 0.2f};
  std::array<float, 3> diffuse{0.8f, 0.8f, 0.8f};
  std::array<float, 3> specular{0.0f, 0.0f, 0.0f};
  float shininess = 0.0f;
};

// A run of consecutive triangles that came from one graph.
struct MeshPart {
  std::string name;
  MeshMaterial material;
  size_t firstTriangle = 0;
  size_t triangleCount = 0;
};

struct TriangleMesh {
  std::vector<float> positions;     // x, y, z of each vertex
  std::vector<uint8_t> colors;      // red, green, blue of each vertex
  std::vector<uint32_t> triangles;  // three vertex indices each, counter-clockwise seen from the front
  std::vector<MeshPart> parts;

  size_t VertexCount() const { return positions.size() / 3; }
  size_t TriangleCount() const { return triangles.size() / 3; }
};

}  // namespace quillon
