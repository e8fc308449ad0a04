// Wavefront OBJ and its material library.

#include <charconv>
#include <string>

#include "export/mesh_writers.h"

namespace quillon {

namespace {

// The shortest text that reads back as the same float.
void AppendNumber(std::string& line, double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, static_cast<float>(value));
  line.push_back(' ');
  line.append(text, result.ptr);
}

void AppendColor(std::string& line, const char* key, const std::array<float, 3>& color) {
  line += key;
  for (float c : color) AppendNumber(line, c);
  line += '\n';
}

// GL's specular exponent runs 0..128, the material library's 0..1000.
constexpr double kExponentScale = 1000.0 / 128.0;

}  // namespace

std::string MaterialName(size_t partIndex) {
  return "surface" + std::to_string(partIndex + 1);
}

bool WriteObj(std::ostream& out, const TriangleMesh& mesh, const std::string& materialFile) {
  std::string text = "# Quillon surface mesh\nmtllib " + materialFile + "\n";
  const bool colored = mesh.colors.size() == mesh.positions.size();
  for (size_t v = 0; v < mesh.VertexCount(); ++v) {
    text += 'v';
    for (size_t axis = 0; axis < 3; ++axis) AppendNumber(text, mesh.positions[3 * v + axis]);
    if (colored) {
      for (size_t channel = 0; channel < 3; ++channel)
        AppendNumber(text, mesh.colors[3 * v + channel] / 255.0);
    }
    text += '\n';
    if (text.size() > (size_t{1} << 20)) {
      out << text;
      text.clear();
    }
  }
  for (size_t p = 0; p < mesh.parts.size(); ++p) {
    const MeshPart& part = mesh.parts[p];
    text += "o " + (part.name.empty() ? MaterialName(p) : part.name) + "\nusemtl " + MaterialName(p) + "\n";
    for (size_t t = part.firstTriangle; t < part.firstTriangle + part.triangleCount; ++t) {
      text += 'f';
      for (size_t c = 0; c < 3; ++c) {
        text += ' ';
        text += std::to_string(mesh.triangles[3 * t + c] + uint64_t{1});
      }
      text += '\n';
      if (text.size() > (size_t{1} << 20)) {
        out << text;
        text.clear();
      }
    }
  }
  out << text;
  return static_cast<bool>(out);
}

bool WriteMtl(std::ostream& out, const TriangleMesh& mesh) {
  std::string text = "# Quillon surface materials\n";
  for (size_t p = 0; p < mesh.parts.size(); ++p) {
    const MeshMaterial& m = mesh.parts[p].material;
    text += "newmtl " + MaterialName(p) + "\n";
    AppendColor(text, "Ka", m.ambient);
    AppendColor(text, "Kd", m.diffuse);
    AppendColor(text, "Ks", m.specular);
    text += "Ns";
    AppendNumber(text, m.shininess * kExponentScale);
    text += "\nd 1\nillum 2\n";
  }
  out << text;
  return static_cast<bool>(out);
}

}  // namespace quillon
