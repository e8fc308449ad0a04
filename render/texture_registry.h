#pragma once
// Every OpenGL texture name the renderer creates is recorded here, because a textured surface
// asks for a new texture each time it is drawn: the scene compile deletes the recorded
// textures together with the display lists that used them instead of leaking one per compile.

#include <cstdint>
#include <vector>

namespace quillon {

// The texture names created in the current context since they were last deleted.
class TextureRegistry {
 public:
  void Record(uint32_t name);

  // glDeleteTextures on every recorded name, then forgets them. The context that created them
  // must be current.
  void DeleteAll();

  // Forgets the names without any GL call, for when their context has been destroyed.
  void Forget() { names_.clear(); }

  const std::vector<uint32_t>& Names() const { return names_; }

 private:
  std::vector<uint32_t> names_;
};

// The program's registry (one rendering context per program).
TextureRegistry& CreatedTextures();

// What the scene compile calls when it deletes the previous display lists.
inline void DeleteTexturesCreatedSinceLastCompile() {
  CreatedTextures().DeleteAll();
}

}  // namespace quillon
