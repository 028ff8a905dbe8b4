#include "common/Text.h"

#include <array>
#include <cstdint>

namespace t2v {
namespace {

// Unicode code points of Windows-1252 bytes 0x80..0x9F; the five bytes the code page
// leaves unassigned keep their C1 control code point, as Windows itself maps them, so a
// stray byte stays visible as itself when a file is read back.
constexpr std::array<char32_t, 32> kCp1252High = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char toByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(static_cast<unsigned char>(cp));
    // A C1 control character in a label is not text: it becomes '?' like any character the
    // code page cannot hold, never one of the unassigned bytes.
    for (std::size_t i = 0; i < kCp1252High.size(); ++i)
        if (kCp1252High[i] >= 0xA0 && kCp1252High[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

// Decodes one UTF-8 character at s[i]; advances i. Returns U+FFFD on malformed input.
char32_t decode(std::string_view s, std::size_t& i) {
    auto b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80) return b;
    int extra = (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0) return 0xFFFD;
    char32_t cp = b & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string fromCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        appendUtf8(out, b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char32_t{b});
    }
    return out;
}

std::string toCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) out += toByte(decode(utf8, i));
    return out;
}

std::size_t utf8Length(std::string_view utf8) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        decode(utf8, i);
        ++n;
    }
    return n;
}

std::string_view trimBlanks(std::string_view s) {
    auto a = s.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    auto b = s.find_last_not_of(' ');
    return s.substr(a, b - a + 1);
}

std::string_view trimRightBlanks(std::string_view s) {
    auto b = s.find_last_not_of(' ');
    return b == std::string_view::npos ? std::string_view{} : s.substr(0, b + 1);
}

std::string fixedText(std::string_view utf8, std::size_t length) {
    std::string bytes = toCp1252(utf8);
    bytes.resize(length, ' ');
    return bytes;
}

std::string StructureFolderName(std::string_view name) {
    std::size_t end = 0;
    for (std::size_t chars = 0; end < name.size() && chars < 12; ++chars) decode(name, end);
    return std::string(trimRightBlanks(name.substr(0, end)));
}

std::string MakeVantraName(std::string_view prefix, std::string_view label, long index) {
    std::string name(prefix);
    name += trimBlanks(label);
    if (utf8Length(name) > 40) name = std::string(prefix) + std::to_string(index + 1);
    return name;
}

void AppendJsonString(std::string& out, std::string_view s) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    // Names and most texts need no escape: copy them in one piece.
    std::size_t plain = 0;
    while (plain < s.size()) {
        auto c = static_cast<unsigned char>(s[plain]);
        if (c < 0x20 || c == '"' || c == '\\' || c == 0x7F) break;
        ++plain;
    }
    out.append(s.data(), plain);
    s.remove_prefix(plain);
    for (char ch : s) {
        auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 15];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
}

}  // namespace t2v
