#include "render/texture_registry.h"

#include <GL/gl.h>

namespace quillon {

void TextureRegistry::Record(uint32_t name) {
  if (name != 0) names_.push_back(name);
}

void TextureRegistry::DeleteAll() {
  if (!names_.empty()) glDeleteTextures(static_cast<GLsizei>(names_.size()), names_.data());
  names_.clear();
}

TextureRegistry& CreatedTextures() {
  static TextureRegistry registry;
  return registry;
}

}  // namespace quillon
