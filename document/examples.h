#pragma once
// The example scenes bundled in examples/: each is built the way the graph dialogs build a
// new scene, so the files are exactly what the program itself would save.

#include <string>
#include <vector>

#include "document/scene_document.h"

namespace quillon {

struct ExampleInfo {
  std::string name;  // also the file name without ".zvt"
  std::string summary;
};

const std::vector<ExampleInfo>& Examples();

// Replaces the document's scene with the named example (Delete All first; the program-wide
// scene kind, IDs and axis letters are set as the dialogs set them). False for an unknown
// name, with nothing changed.
bool BuildExample(SceneDocument& document, const std::string& name);

}  // namespace quillon
