#pragma once
// Document files on disk: reading one into the scene and writing the bytes of one.

#include <string>

#include "document/document_reader.h"
#include "document/scene_document.h"

namespace quillon {

// Reads the whole file; false with a message when it cannot be opened or read.
bool ReadFileBytes(const std::string& fileName, std::string& bytes, std::string& error);

// Opens the document file and reads it into the document. An empty name reads nothing and
// succeeds; a file that cannot be read or is not a document is reported and the current
// graphs stay.
LoadResult LoadDocument(SceneDocument& document, const std::string& fileName);

// Writes the bytes as the whole file, replacing (and shortening) any older file of that
// name. The window writes through QSaveFile instead, to replace the file atomically.
bool WriteDocumentFile(const std::string& fileName, const std::string& bytes, std::string& error);

}  // namespace quillon
