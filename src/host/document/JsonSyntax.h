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

// The first byte of `text` where the UTF-8 encoding breaks (a stray continuation byte,
// a sequence cut short, an overlong form, a surrogate or a code point past U+10FFFF),
// with its line, column and 0-based byte offset; nothing when the whole text is valid.
struct EncodingProblem {
    std::size_t line = 1;
    std::size_t column = 1;
    std::size_t offset = 0;
    std::string reason;
};
std::optional<EncodingProblem> FindUtf8Problem(std::string_view text);

// True when `token` is a number as JSON writes one: an optional minus, an integer part
// without leading zeros, then an optional fraction and exponent.
bool IsJsonNumber(std::string_view token);

}  // namespace t2v::host::document
