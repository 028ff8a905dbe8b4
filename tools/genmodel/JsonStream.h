// A streaming JSON writer over a buffered file: no tree is built, so a document of any
// size is written in one pass with constant memory. Numbers are printed in their shortest
// round-trip form, so the same values always give the same bytes.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace t2v::genmodel {

class JsonStream {
public:
    // Opens `path` for writing; check ok() / error().
    explicit JsonStream(const std::string& path);
    ~JsonStream();
    JsonStream(const JsonStream&) = delete;
    JsonStream& operator=(const JsonStream&) = delete;

    // Containers. A value written directly inside an array or after a key needs no comma
    // handling by the caller.
    JsonStream& beginObject();
    JsonStream& endObject();
    JsonStream& beginArray();
    JsonStream& endArray();
    JsonStream& key(std::string_view k);
    JsonStream& str(std::string_view s);
    JsonStream& num(double v);
    JsonStream& integer(long long v);
    JsonStream& boolean(bool v);
    // A line break before whatever comes next (after its comma), so that the items of the
    // large arrays stand one per line.
    JsonStream& newline();

    // Shorthands for one member.
    JsonStream& member(std::string_view k, std::string_view s) { return key(k).str(s); }
    JsonStream& member(std::string_view k, const char* s) { return key(k).str(s); }
    JsonStream& member(std::string_view k, double v) { return key(k).num(v); }
    JsonStream& member(std::string_view k, int v) { return key(k).integer(v); }
    JsonStream& member(std::string_view k, bool v) { return key(k).boolean(v); }

    // Flushes and closes; false with error() when any write failed.
    bool close();
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    unsigned long long bytesWritten() const { return written_ + pos_; }

private:
    void separate();
    void breakLine();
    void put(char c) {
        if (pos_ == buf_.size()) flush();
        buf_[pos_++] = c;
    }
    void put(std::string_view s);
    void flush();

    std::string path_;
    std::FILE* file_ = nullptr;
    std::vector<char> buf_;
    std::size_t pos_ = 0;
    unsigned long long written_ = 0;
    std::string error_;
    std::vector<bool> first_;  // per open container: nothing written in it yet
    bool afterKey_ = false;
    bool pendingNewline_ = false;
};

}  // namespace t2v::genmodel
