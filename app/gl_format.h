#pragma once
// The OpenGL surface the drawing area asks for: double-buffered RGBA with 24 colour and at
// least 16 depth bits, OpenGL 2.1 compatibility profile (the scene uses fixed-function GL,
// display lists and glBegin, which a core profile would reject).

#include <QSurfaceFormat>

namespace quillon {

QSurfaceFormat DrawingSurfaceFormat();

// Makes DrawingSurfaceFormat the application default; call before QApplication exists.
void InstallDefaultGlFormat();

}  // namespace quillon
