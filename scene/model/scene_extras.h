#pragma once
// Settings of the whole scene beyond the document text: how the box is scaled, how tick labels
// and titles are drawn and whether the colouring legend is shown. They travel in the document's
// extension block; the start values are what a document without a block means.

#include <cstdint>

namespace quillon {

enum class BoxScale : uint8_t {
  kTrueScale,  // one scene unit is one unit of every quantity
  kCube,       // each scene axis scaled so the box's sides are equal; labels keep true values
};

enum class LabelStyle : uint8_t {
  kText3D,  // extruded outline text placed in the scene
  kScreen,  // flat text at a constant size on screen, upright and facing the viewer
};

struct SceneExtras {
  BoxScale box = BoxScale::kTrueScale;
  LabelStyle labels = LabelStyle::kText3D;
  bool legend = false;

  bool operator==(const SceneExtras&) const = default;

  // What a new scene (program start without a document, File > New) starts with.
  static SceneExtras NewScene() { return SceneExtras{BoxScale::kCube, LabelStyle::kScreen, true}; }
};

}  // namespace quillon
