#pragma once
// The three mesh file formats, each written to a stream. Coordinates are the mesh's own
// (scene units, true values), written so that they read back exactly.

#include <ostream>
#include <string>

#include "export/triangle_mesh.h"

namespace quillon {

// Binary STL: an 80-byte header, the triangle count, then per triangle its unit normal (from
// the corners' order; zero for a degenerate one), three corners and a zero attribute word, all
// little-endian. STL has no colours.
bool WriteStl(std::ostream& out, const TriangleMesh& mesh);

// Wavefront OBJ: "mtllib", then per part "o", "usemtl" and its faces; vertices as
// "v x y z r g b" (colour 0..1, the extension most readers take; the others ignore it).
// `materialFile` is the name the OBJ refers to, normally the .mtl beside it.
bool WriteObj(std::ostream& out, const TriangleMesh& mesh, const std::string& materialFile);
// The material library: one "newmtl" per part with Ka, Kd, Ks and Ns.
bool WriteMtl(std::ostream& out, const TriangleMesh& mesh);
// The material name of a part in both files.
std::string MaterialName(size_t partIndex);

// Binary little-endian PLY: vertices as float x, y, z and uchar red, green, blue; faces as a
// uchar count (3) and int indices.
bool WritePly(std::ostream& out, const TriangleMesh& mesh);

}  // namespace quillon
