#pragma once
// Small readers of the three mesh formats, written from the formats' definitions and not from
// the writers, so that a test reads back what another program would.

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace quillon::test {

struct ReadMesh {
  std::vector<std::array<float, 3>> vertices;  // STL: three corners a triangle
  std::vector<std::array<uint8_t, 3>> colors;
  std::vector<std::array<uint32_t, 3>> faces;
  std::vector<std::string> materialsUsed;
  std::string error;

  std::array<float, 6> Extent() const {  // min x, y, z, max x, y, z
    std::array<float, 6> e{};
    for (int i = 0; i < 3; ++i) {
      e[i] = std::numeric_limits<float>::max();
      e[i + 3] = std::numeric_limits<float>::lowest();
    }
    for (const auto& v : vertices)
      for (int i = 0; i < 3; ++i) {
        e[i] = std::min(e[i], v[i]);
        e[i + 3] = std::max(e[i + 3], v[i]);
      }
    return e;
  }
};

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

template <class T>
T LittleEndian(const std::string& bytes, size_t at) {
  uint8_t raw[sizeof(T)];
  for (size_t i = 0; i < sizeof(T); ++i) raw[i] = static_cast<uint8_t>(bytes.at(at + i));
  uint64_t value = 0;
  for (size_t i = sizeof(T); i-- > 0;) value = (value << 8) | raw[i];
  T out;
  if constexpr (sizeof(T) == 4) {
    const auto v32 = static_cast<uint32_t>(value);
    std::memcpy(&out, &v32, 4);
  } else {
    out = static_cast<T>(value);
  }
  return out;
}

// Binary STL: 80 header bytes, uint32 count, 50 bytes a triangle (normal, 3 corners, uint16).
inline ReadMesh ReadStl(const std::string& path) {
  const std::string b = Slurp(path);
  ReadMesh m;
  if (b.size() < 84) return m.error = "short file", m;
  const auto n = LittleEndian<uint32_t>(b, 80);
  if (b.size() != 84 + 50 * size_t{n}) return m.error = "size does not match the count", m;
  for (uint32_t t = 0; t < n; ++t) {
    std::array<uint32_t, 3> face{};
    for (int c = 0; c < 3; ++c) {
      std::array<float, 3> v{};
      for (int i = 0; i < 3; ++i) v[i] = LittleEndian<float>(b, 84 + 50 * size_t{t} + 12 + 12 * c + 4 * i);
      face[c] = static_cast<uint32_t>(m.vertices.size());
      m.vertices.push_back(v);
    }
    m.faces.push_back(face);
  }
  return m;
}

// OBJ "v x y z [r g b]" and "f a b c" (1-based, optionally a/b/c), "usemtl name".
inline ReadMesh ReadObj(const std::string& path) {
  std::istringstream in(Slurp(path));
  ReadMesh m;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "v") {
      std::array<float, 3> v{};
      words >> v[0] >> v[1] >> v[2];
      float r = 1, g = 1, bl = 1;
      if (words >> r >> g >> bl)
        m.colors.push_back({uint8_t(r * 255 + .5f), uint8_t(g * 255 + .5f), uint8_t(bl * 255 + .5f)});
      m.vertices.push_back(v);
    } else if (key == "f") {
      std::array<uint32_t, 3> f{};
      std::string w;
      for (int c = 0; c < 3 && words >> w; ++c) f[c] = static_cast<uint32_t>(std::stoul(w) - 1);
      if (words >> w) return m.error = "face with more than three corners", m;
      m.faces.push_back(f);
    } else if (key == "usemtl") {
      std::string name;
      words >> name;
      m.materialsUsed.push_back(name);
    }
  }
  return m;
}

// PLY binary_little_endian 1.0 with float x y z, uchar red green blue; faces as uchar + int list.
inline ReadMesh ReadPly(const std::string& path) {
  const std::string b = Slurp(path);
  ReadMesh m;
  const size_t end = b.find("end_header\n");
  if (b.rfind("ply\nformat binary_little_endian 1.0\n", 0) != 0 || end == std::string::npos)
    return m.error = "not a binary little-endian PLY", m;
  std::istringstream header(b.substr(0, end));
  std::string line;
  size_t vertices = 0, faces = 0;
  std::vector<std::string> properties;
  while (std::getline(header, line)) {
    std::istringstream words(line);
    std::string key, what;
    words >> key >> what;
    if (key == "element" && what == "vertex") words >> vertices;
    if (key == "element" && what == "face") words >> faces;
    if (key == "property" && what != "list") properties.push_back(line);
  }
  if (properties.size() != 6) return m.error = "unexpected vertex properties", m;
  size_t at = end + 11;
  for (size_t v = 0; v < vertices; ++v, at += 15) {
    m.vertices.push_back(
        {LittleEndian<float>(b, at), LittleEndian<float>(b, at + 4), LittleEndian<float>(b, at + 8)});
    m.colors.push_back({uint8_t(b.at(at + 12)), uint8_t(b.at(at + 13)), uint8_t(b.at(at + 14))});
  }
  for (size_t f = 0; f < faces; ++f, at += 13) {
    if (b.at(at) != 3) return m.error = "face with more than three corners", m;
    m.faces.push_back({LittleEndian<uint32_t>(b, at + 1), LittleEndian<uint32_t>(b, at + 5),
                       LittleEndian<uint32_t>(b, at + 9)});
  }
  if (at != b.size()) m.error = "bytes after the faces";
  return m;
}

}  // namespace quillon::test
