// quillon-cli export-mesh: the checked surfaces of a document as a mesh file (STL, OBJ with
// its material library, PLY), in scene units with true values.

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "common/program_state.h"
#include "document/document_file.h"
#include "document/scene_document.h"
#include "export/mesh_file.h"
#include "scene/scene_mesh.h"

namespace {

void PrintExportMeshUsage(FILE* out) {
  std::fprintf(out,
               "Usage: quillon-cli export-mesh DOC.zvt OUT.stl|OUT.obj|OUT.ply [--clip auto|off|MIN,MAX]\n"
               "Writes the document's checked surfaces as they are drawn: two triangles a grid\n"
               "cell, none beside a point without a value, colour maps flat at z = 0. STL is\n"
               "binary; OBJ has vertex colours and a .mtl beside it; PLY is binary\n"
               "little-endian with vertex colours. --clip cuts each surface at heights MIN and\n"
               "MAX on the axis that carries w (auto: the automatic range; off: no cut);\n"
               "without it each graph's own clip setting applies.\n");
}

bool ParseClip(const std::string& text, quillon::MeshClip& clip) {
  if (text == "auto") {
    clip.mode = quillon::MeshClip::Mode::kAutomatic;
    return true;
  }
  if (text == "off") {
    clip.mode = quillon::MeshClip::Mode::kOff;
    return true;
  }
  const size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  const std::string low = text.substr(0, comma), high = text.substr(comma + 1);
  char* end = nullptr;
  const float a = std::strtof(low.c_str(), &end);
  if (low.empty() || *end != '\0') return false;
  const float b = std::strtof(high.c_str(), &end);
  if (high.empty() || *end != '\0' || !(a <= b)) return false;
  clip = {quillon::MeshClip::Mode::kRange, a, b};
  return true;
}

int RunExportMesh(const std::vector<std::string>& args) {
  quillon::MeshClip clip;
  std::vector<std::string> files;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      PrintExportMeshUsage(stdout);
      return 0;
    } else if (a == "--clip") {
      if (i + 1 >= args.size() || !ParseClip(args[++i], clip)) {
        std::fprintf(stderr, "export-mesh: --clip wants auto, off or MIN,MAX with MIN <= MAX\n");
        return 2;
      }
    } else if (!a.empty() && a[0] == '-') {
      std::fprintf(stderr, "export-mesh: unknown option %s\n", a.c_str());
      PrintExportMeshUsage(stderr);
      return 2;
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) {
    PrintExportMeshUsage(stderr);
    return 2;
  }
  const std::string& out = files[1];
  if (!quillon::MeshFormatOf(out)) {
    std::fprintf(stderr, "export-mesh: %s: unknown extension (use .stl, .obj or .ply)\n", out.c_str());
    return 1;
  }

  quillon::SceneDocument document;
  const quillon::LoadResult loaded = quillon::LoadDocument(document, files[0]);
  if (!loaded.ok) {
    std::fprintf(stderr, "export-mesh: %s: %s\n", files[0].c_str(),
                 loaded.error.empty() ? "not a readable document" : loaded.error.c_str());
    return 1;
  }
  if (!loaded.warning.empty()) std::fprintf(stderr, "export-mesh: %s\n", loaded.warning.c_str());
  if (quillon::CountMeshSurfaces(document.DrawScene) == 0) {
    std::fprintf(stderr, "export-mesh: %s: no checked surface to export\n", files[0].c_str());
    return 1;
  }

  try {
    quillon::TriangleMesh mesh;
    std::string error;
    if (!quillon::BuildSceneMesh(document.DrawScene, clip, quillon::State().CurrentFrame, mesh, error) ||
        !quillon::WriteMeshFile(out, mesh, error)) {
      std::fprintf(stderr, "export-mesh: %s\n", error.c_str());
      return 1;
    }
    std::printf("%s: %zu triangles, %zu vertices\n", out.c_str(), mesh.TriangleCount(), mesh.VertexCount());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "export-mesh: %s: not enough memory for the mesh\n", out.c_str());
    return 1;
  }
  return 0;
}

QUILLON_CLI_COMMAND("export-mesh", "write the checked surfaces of a document as STL, OBJ or PLY",
                    RunExportMesh);

}  // namespace
