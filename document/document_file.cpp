#include "document/document_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace quillon {

bool ReadFileBytes(const std::string& fileName, std::string& bytes, std::string& error) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) {
    error = "Cannot open \"" + fileName + "\": " + std::strerror(errno);
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "Cannot read \"" + fileName + "\"";
    return false;
  }
  return true;
}

LoadResult LoadDocument(SceneDocument& document, const std::string& fileName) {
  LoadResult result;
  if (fileName.empty()) {
    result.ok = true;
    return result;
  }
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes, result.error)) return result;
  return LoadDocumentBytes(document, bytes);
}

bool WriteDocumentFile(const std::string& fileName, const std::string& bytes, std::string& error) {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  if (!out) {
    error = "Cannot write \"" + fileName + "\": " + std::strerror(errno);
    return false;
  }
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    error = "Writing \"" + fileName + "\" failed";
    return false;
  }
  return true;
}

}  // namespace quillon
