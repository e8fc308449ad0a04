#include "export/mesh_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <system_error>

#include "export/mesh_writers.h"

namespace quillon {

namespace {

std::string LowerExtension(const std::string& fileName) {
  std::string extension = std::filesystem::path(fileName).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

// Writes through `write` into a temporary file beside `target`; the temporary is left for
// Commit or removed on failure.
bool WriteTemporary(const std::string& target, const std::string& temporary,
                    const std::function<bool(std::ostream&)>& write, std::string& error) {
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  if (!out) {
    error = target + " cannot be written: " + std::strerror(errno);
    return false;
  }
  bool ok = write(out);
  out.close();
  ok = ok && !out.fail();
  if (!ok) {
    error = target + " cannot be written: the data did not reach the disk";
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
  }
  return ok;
}

bool Commit(const std::string& temporary, const std::string& target, std::string& error) {
  std::error_code code;
  std::filesystem::rename(temporary, target, code);
  if (!code) return true;
  error = target + " cannot be written: " + code.message();
  std::filesystem::remove(temporary, code);
  return false;
}

std::string TemporaryFor(const std::string& target) {
  return target + ".partial";
}

}  // namespace

std::optional<MeshFormat> MeshFormatOf(const std::string& fileName) {
  const std::string extension = LowerExtension(fileName);
  if (extension == ".stl") return MeshFormat::kStl;
  if (extension == ".obj") return MeshFormat::kObj;
  if (extension == ".ply") return MeshFormat::kPly;
  return std::nullopt;
}

std::string MaterialFileFor(const std::string& objFileName) {
  return std::filesystem::path(objFileName).replace_extension(".mtl").string();
}

bool WriteMeshFile(const std::string& fileName, const TriangleMesh& mesh, std::string& error) {
  const std::optional<MeshFormat> format = MeshFormatOf(fileName);
  if (!format) {
    error = fileName + ": unknown extension \"" + std::filesystem::path(fileName).extension().string() +
            "\" (use .stl, .obj or .ply)";
    return false;
  }
  const std::string temporary = TemporaryFor(fileName);
  switch (*format) {
    case MeshFormat::kStl:
      return WriteTemporary(
                 fileName, temporary, [&](std::ostream& out) { return WriteStl(out, mesh); }, error) &&
             Commit(temporary, fileName, error);
    case MeshFormat::kPly:
      return WriteTemporary(
                 fileName, temporary, [&](std::ostream& out) { return WritePly(out, mesh); }, error) &&
             Commit(temporary, fileName, error);
    case MeshFormat::kObj: {
      const std::string materials = MaterialFileFor(fileName);
      const std::string materialTemporary = TemporaryFor(materials);
      const std::string materialName = std::filesystem::path(materials).filename().string();
      if (!WriteTemporary(
              materials, materialTemporary, [&](std::ostream& out) { return WriteMtl(out, mesh); }, error))
        return false;
      if (!WriteTemporary(
              fileName, temporary, [&](std::ostream& out) { return WriteObj(out, mesh, materialName); },
              error)) {
        std::error_code ignored;
        std::filesystem::remove(materialTemporary, ignored);
        return false;
      }
      return Commit(materialTemporary, materials, error) && Commit(temporary, fileName, error);
    }
  }
  return false;
}

}  // namespace quillon
