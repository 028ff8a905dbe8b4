// Finds where a text stops being JSON, for the message of a refused document.
//
// The fast parser only says that a document is broken; a user needs the line and the
// column. This scanner walks the text once more (only on that failure path) and names
// the first place where the grammar breaks.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace t2v::host::document {

struct SyntaxProblem {
    std::size_t line = 1;    // 1-based
    std::size_t column = 1;  // 1-based, in bytes
    std::string reason;
};

// The first grammar fault of `text`, or nothing when the grammar holds (then the fault
// is one the scanner does not look for, such as bad UTF-8 or a number out of range).
std::optional<SyntaxProblem> FindJsonSyntaxProblem(std::string_view text);

}  // namespace t2v::host::document
