#include "genmodel/JsonStream.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace t2v::genmodel {

JsonStream::JsonStream(const std::string& path) : path_(path), buf_(std::size_t{1} << 20) {
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) error_ = "cannot create " + path + ": " + std::strerror(errno);
}

JsonStream::~JsonStream() {
    if (file_) std::fclose(file_);
}

void JsonStream::flush() {
    if (pos_ == 0) return;
    if (file_ && error_.empty() && std::fwrite(buf_.data(), 1, pos_, file_) != pos_)
        error_ = "cannot write " + path_ + ": " + std::strerror(errno);
    written_ += pos_;
    pos_ = 0;
}

void JsonStream::put(std::string_view s) {
    while (!s.empty()) {
        if (pos_ == buf_.size()) flush();
        std::size_t n = std::min(s.size(), buf_.size() - pos_);
        std::memcpy(buf_.data() + pos_, s.data(), n);
        pos_ += n;
        s.remove_prefix(n);
    }
}

void JsonStream::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) put(',');
        first_.back() = false;
    }
    breakLine();
}

void JsonStream::breakLine() {
    if (pendingNewline_) put('\n');
    pendingNewline_ = false;
}

JsonStream& JsonStream::beginObject() {
    separate();
    put('{');
    first_.push_back(true);
    return *this;
}

JsonStream& JsonStream::endObject() {
    first_.pop_back();
    breakLine();
    put('}');
    return *this;
}

JsonStream& JsonStream::beginArray() {
    separate();
    put('[');
    first_.push_back(true);
    return *this;
}

JsonStream& JsonStream::endArray() {
    first_.pop_back();
    breakLine();
    put(']');
    return *this;
}

JsonStream& JsonStream::key(std::string_view k) {
    str(k);
    put(':');
    afterKey_ = true;
    return *this;
}

JsonStream& JsonStream::str(std::string_view s) {
    separate();
    put('"');
    for (char c : s) {
        auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            put('\\');
            put(c);
        } else if (u < 0x20) {
            static constexpr char hex[] = "0123456789abcdef";
            put("\\u00");
            put(hex[u >> 4]);
            put(hex[u & 15]);
        } else {
            put(c);
        }
    }
    put('"');
    return *this;
}

JsonStream& JsonStream::num(double v) {
    if (!std::isfinite(v)) throw std::invalid_argument("a model document holds finite numbers only");
    if (v == 0.0) v = 0.0;  // no "-0"
    separate();
    char text[32];
    auto r = std::to_chars(text, text + sizeof text, v);
    put(std::string_view(text, static_cast<std::size_t>(r.ptr - text)));
    return *this;
}

JsonStream& JsonStream::integer(long long v) {
    separate();
    char text[24];
    auto r = std::to_chars(text, text + sizeof text, v);
    put(std::string_view(text, static_cast<std::size_t>(r.ptr - text)));
    return *this;
}

JsonStream& JsonStream::boolean(bool v) {
    separate();
    put(v ? std::string_view("true") : std::string_view("false"));
    return *this;
}

JsonStream& JsonStream::newline() {
    pendingNewline_ = true;
    return *this;
}

bool JsonStream::close() {
    breakLine();
    flush();
    if (file_) {
        if (std::fclose(file_) != 0 && error_.empty()) error_ = "cannot write " + path_ + ": " + std::strerror(errno);
        file_ = nullptr;
    }
    return error_.empty();
}

}  // namespace t2v::genmodel
