#pragma once
// A mesh written to a file whose format its extension names (.stl, .obj with its .mtl
// beside it, .ply). A file is written whole or not at all: the data goes to a temporary
// name in the same folder, which replaces the target only when everything was written.

#include <optional>
#include <string>

#include "export/triangle_mesh.h"

namespace quillon {

enum class MeshFormat { kStl, kObj, kPly };

// The format an extension names (case ignored); nothing for any other name.
std::optional<MeshFormat> MeshFormatOf(const std::string& fileName);

// The .mtl written beside an .obj: the same name with the extension replaced.
std::string MaterialFileFor(const std::string& objFileName);

// False with `error` set to the reason ("unknown extension ...", "cannot be written: ...").
bool WriteMeshFile(const std::string& fileName, const TriangleMesh& mesh, std::string& error);

}  // namespace quillon
