#pragma once
// A JSON account of a document as read: the program-wide settings it carries, every graph
// record and the axes record, each value under the property's own name in record order.

#include <string>

#include "document/scene_document.h"

namespace quillon {

// Keys: SceneKind, LastGraphID, FrameCount, AnimationSpeed, TitleLetterX/Y/Z (from the
// program-wide state), graphs (ListScene in list order; MinT and MaxT always present; each
// with its check state "checked" and every key of its "settings"), axes, and the scene's
// "scene" settings (every key). Texts are written as UTF-8; bytes that are not valid UTF-8 are taken as
// Latin-1.
std::string DocumentJson(const SceneDocument& document);

// The JSON string literal of a text, quotes included.
std::string JsonString(const std::string& text);

}  // namespace quillon
