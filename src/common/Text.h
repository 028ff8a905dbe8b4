// Text helpers shared by every subsystem: the single-byte code page of the
// structure files, the host's blank trimming, and UTF-8 character counts.
#pragma once

#include <string>
#include <string_view>

namespace t2v {

// Converts UTF-8 text to Windows-1252, one byte per character; a character the code
// page cannot hold (or a malformed byte) becomes '?'. Labels are UTF-8 in the model
// document while the structure files hold single-byte text: the same model gives the
// same bytes on every platform.
std::string toCp1252(std::string_view utf8);
// The other way: Windows-1252 bytes as UTF-8. The five bytes the code page leaves
// unassigned become the C1 control characters of the same number, as Windows maps them.
std::string fromCp1252(std::string_view bytes);

// Number of characters (code points) in UTF-8 text.
std::size_t utf8Length(std::string_view utf8);

// Removes leading and trailing blanks (only the blank character, as the host does).
std::string_view trimBlanks(std::string_view s);
std::string_view trimRightBlanks(std::string_view s);

// Fixed-length text: cut to `length` characters or padded with blanks.
std::string fixedText(std::string_view utf8, std::size_t length);

// The structure name as the structure files carry it (a 12-character text): its first
// 12 characters, right-trimmed. The writer makes the structure folder from it.
std::string StructureFolderName(std::string_view name);

// The name rule of every target name: prefix followed by the trimmed label, or prefix
// followed by the decimal text of index + 1 when that would exceed 40 characters.
std::string MakeVantraName(std::string_view prefix, std::string_view label, long index);

// Appends `s` as a JSON string literal, quotes included. The text is UTF-8 already; only
// the quote, the backslash and the control characters are escaped.
void AppendJsonString(std::string& out, std::string_view s);

}  // namespace t2v
