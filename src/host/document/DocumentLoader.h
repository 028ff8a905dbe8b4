// Reading and validating a model document into its in-memory tables.
#pragma once

#include "host/document/DocumentModel.h"

#include <cstddef>
#include <string>

namespace t2v::host::document {

// Parses and validates the whole document. `hasPadding` says that at least the
// parser's padding (64 bytes) may be read past the end of `data` (a buffer read by
// LoadFile); otherwise the text is copied first. Throws DocumentError
// ("<displayName>: <json location>: <reason>") at the first rule the document breaks.
DocumentModel LoadModelDocument(const char* data, std::size_t size, bool hasPadding, const std::string& displayName,
                                const std::string& baseFolder);

// Where a function file named in a document lies: relative names are taken from the
// document's folder.
std::string ResolveDocumentPath(const std::string& baseFolder, const std::string& fileName);

}  // namespace t2v::host::document
