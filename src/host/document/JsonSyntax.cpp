#include "host/document/JsonSyntax.h"

#include <cstdio>
#include <vector>

namespace t2v::host::document {
namespace {

// Containers deeper than this are refused by the parser as well.
constexpr std::size_t kMaxDepth = 1024;

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    std::optional<SyntaxProblem> run() {
        skipSpace();
        if (atEnd()) return problem("the document is empty");
        if (!value()) return problem_;
        skipSpace();
        if (!atEnd()) return problem("unexpected text after the end of the document");
        return std::nullopt;
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return text_[pos_]; }

    std::optional<SyntaxProblem> problem(std::string reason) {
        SyntaxProblem p;
        for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) {
            if (text_[i] == '\n') {
                ++p.line;
                p.column = 1;
            } else {
                ++p.column;
            }
        }
        p.reason = std::move(reason);
        problem_ = p;
        return problem_;
    }
    bool fail(std::string reason) {
        problem(std::move(reason));
        return false;
    }

    void skipSpace() {
        while (!atEnd()) {
            const char c = peek();
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r') break;
            ++pos_;
        }
    }

    // Where the walk stands after one step: the text is broken, another value (or key)
    // follows, or a complete value was read.
    enum class Walk { Failed, ValueFollows, Complete };

    // Objects and arrays are walked with an explicit stack, so a deeply nested text
    // cannot exhaust the call stack.
    bool value() {
        std::vector<char> open;  // '{' or '['
        for (;;) {
            skipSpace();
            if (atEnd()) return fail("the document ends inside a value");
            const char c = peek();
            if (c == '{' || c == '[') {
                const Walk w = openContainer(open, c);
                if (w == Walk::Failed) return false;
                if (w == Walk::ValueFollows) continue;
            } else if (!scalar(c)) {
                return false;
            }
            const Walk w = closeOrNext(open);
            if (w != Walk::ValueFollows) return w == Walk::Complete;
        }
    }

    // An object or array starts at `c`: an empty one is a complete value, otherwise its
    // first value (after the key, in an object) follows.
    Walk openContainer(std::vector<char>& open, char c) {
        if (open.size() >= kMaxDepth) return failed("nesting deeper than 1024 levels");
        open.push_back(c);
        ++pos_;
        skipSpace();
        if (atEnd()) return failed("the document ends inside an object or array");
        if ((c == '{' && peek() == '}') || (c == '[' && peek() == ']')) {
            ++pos_;
            open.pop_back();
            return Walk::Complete;
        }
        if (c == '{' && !key()) return Walk::Failed;
        return Walk::ValueFollows;
    }

    // A string, number or literal starting at `c`.
    bool scalar(char c) {
        if (c == '"') return string();
        if (c == '-' || (c >= '0' && c <= '9')) return number();
        if (literal("true") || literal("false") || literal("null")) return true;
        return fail("expected a value");
    }

    // After a complete value: close the containers it ends, or move to the next item.
    // Complete once no container is open.
    Walk closeOrNext(std::vector<char>& open) {
        for (;;) {
            if (open.empty()) return Walk::Complete;
            skipSpace();
            if (atEnd()) return failed("the document ends inside an object or array");
            const char close = open.back() == '{' ? '}' : ']';
            if (peek() == close) {
                ++pos_;
                open.pop_back();
                continue;
            }
            if (peek() != ',') return failed(open.back() == '{' ? "expected ',' or '}'" : "expected ',' or ']'");
            ++pos_;
            if (open.back() == '{') {
                skipSpace();
                if (!key()) return Walk::Failed;
            }
            return Walk::ValueFollows;
        }
    }

    Walk failed(std::string reason) {
        problem(std::move(reason));
        return Walk::Failed;
    }

    // A key and its colon; the value follows.
    bool key() {
        skipSpace();
        if (atEnd() || peek() != '"') return fail("expected a key in double quotes");
        if (!string()) return false;
        skipSpace();
        if (atEnd() || peek() != ':') return fail("expected ':' after the key");
        ++pos_;
        return true;
    }

    bool literal(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }

    bool string() {
        ++pos_;  // opening quote
        while (!atEnd()) {
            const auto c = static_cast<unsigned char>(peek());
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (c < 0x20) return fail("control character inside a string");
            if (c == '\\') {
                ++pos_;
                if (atEnd()) break;
                const char e = peek();
                if (e == 'u') {
                    for (int k = 0; k < 4; ++k) {
                        ++pos_;
                        if (atEnd()) return fail("the document ends inside a string");
                        const char h = peek();
                        const bool hex = (h >= '0' && h <= '9') || (h >= 'a' && h <= 'f') || (h >= 'A' && h <= 'F');
                        if (!hex) return fail("bad \\u escape in a string");
                    }
                } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                    return fail("bad escape in a string");
                }
            }
            ++pos_;
        }
        return fail("the document ends inside a string");
    }

    bool digits() {
        const std::size_t start = pos_;
        while (!atEnd() && peek() >= '0' && peek() <= '9') ++pos_;
        return pos_ > start;
    }

    bool number() {
        if (peek() == '-') ++pos_;
        if (atEnd()) return fail("bad number");
        if (peek() == '0') {
            ++pos_;
        } else if (!digits()) {
            return fail("bad number");
        }
        if (!atEnd() && peek() == '.') {
            ++pos_;
            if (!digits()) return fail("bad number: digits expected after '.'");
        }
        if (!atEnd() && (peek() == 'e' || peek() == 'E')) {
            ++pos_;
            if (!atEnd() && (peek() == '+' || peek() == '-')) ++pos_;
            if (!digits()) return fail("bad number: digits expected in the exponent");
        }
        if (!atEnd()) {
            const char c = peek();
            if ((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || (c >= 'a' && c <= 'z') ||
                (c >= 'A' && c <= 'Z')) {
                return fail("bad number");
            }
        }
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::optional<SyntaxProblem> problem_;
};

}  // namespace

std::optional<SyntaxProblem> FindJsonSyntaxProblem(std::string_view text) { return Scanner(text).run(); }

std::optional<EncodingProblem> FindUtf8Problem(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    std::string reason;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        // The length of the sequence and the range its second byte must lie in; the
        // narrower ranges rule out overlong forms, surrogates and code points past U+10FFFF.
        std::size_t length = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", c);
        if (length == 0) {
            reason = (c >= 0x80 && c <= 0xBF)
                         ? std::string("the byte ") + hex + " continues a character that never started"
                         : std::string("the byte ") + hex + " never starts a character";
            break;
        }
        bool ok = i + 1 < n && p[i + 1] >= lo && p[i + 1] <= hi;
        for (std::size_t k = 2; ok && k < length; ++k) ok = i + k < n && p[i + k] >= 0x80 && p[i + k] <= 0xBF;
        if (!ok) {
            reason = std::string("the character that starts with the byte ") + hex + " is cut short or malformed";
            break;
        }
        i += length;
    }
    if (i >= n) return std::nullopt;
    EncodingProblem out;
    out.offset = i;
    out.reason = "the text is not valid UTF-8: " + reason;
    for (std::size_t k = 0; k < i; ++k) {
        if (text[k] == '\n') {
            ++out.line;
            out.column = 1;
        } else {
            ++out.column;
        }
    }
    return out;
}

bool IsJsonNumber(std::string_view t) {
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t start = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
        return i > start;
    };
    if (i < t.size() && t[i] == '-') ++i;
    if (i < t.size() && t[i] == '0') {
        ++i;
    } else if (!digits()) {
        return false;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        if (!digits()) return false;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (!digits()) return false;
    }
    return i == t.size();
}

}  // namespace t2v::host::document
