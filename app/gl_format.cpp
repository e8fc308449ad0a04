#include "app/gl_format.h"

namespace quillon {

QSurfaceFormat DrawingSurfaceFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setVersion(2, 1);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  format.setRedBufferSize(8);
  format.setGreenBufferSize(8);
  format.setBlueBufferSize(8);
  format.setDepthBufferSize(24);
  return format;
}

void InstallDefaultGlFormat() {
  QSurfaceFormat::setDefaultFormat(DrawingSurfaceFormat());
}

}  // namespace quillon
