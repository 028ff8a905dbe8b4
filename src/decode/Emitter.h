// The decoder reports what it reads as a stream of events, so that a structure of
// hundreds of megabytes can be printed as it is decoded without holding a tree of it.
// TreeBuilder collects the same events into a Value for callers that want the tree.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/Text.h"
#include "decode/Value.h"

namespace t2v::decode {

// Inside an object every value is preceded by key(); inside an array it is not.
class Emitter {
public:
    virtual ~Emitter() = default;
    virtual void key(std::string_view k) = 0;
    virtual void null() = 0;
    virtual void boolean(bool b) = 0;
    virtual void integer(std::int64_t i) = 0;
    virtual void real(double d, bool single) = 0;
    virtual void string(std::string_view s) = 0;
    virtual void beginArray() = 0;
    virtual void endArray() = 0;
    virtual void beginObject() = 0;
    virtual void endObject() = 0;
};

// Discards everything (used to read counts of one file that another one needs).
class NullEmitter final : public Emitter {
public:
    void key(std::string_view) override {}
    void null() override {}
    void boolean(bool) override {}
    void integer(std::int64_t) override {}
    void real(double, bool) override {}
    void string(std::string_view) override {}
    void beginArray() override {}
    void endArray() override {}
    void beginObject() override {}
    void endObject() override {}
};

class TreeBuilder final : public Emitter {
public:
    void key(std::string_view k) override { key_.assign(k); }
    void null() override { put(Value()); }
    void boolean(bool b) override { put(Value::boolean(b)); }
    void integer(std::int64_t i) override { put(Value::integer(i)); }
    void real(double d, bool single) override { put(Value::real(d, single)); }
    void string(std::string_view s) override { put(Value::string(std::string(s))); }
    void beginArray() override { stack_.push_back(&put(Value::array())); }
    void endArray() override { stack_.pop_back(); }
    void beginObject() override { stack_.push_back(&put(Value::object())); }
    void endObject() override { stack_.pop_back(); }

    // The finished tree (the first top-level value).
    Value take() { return std::move(root_); }

private:
    Value& put(Value v);

    Value root_;
    bool haveRoot_ = false;
    std::vector<Value*> stack_;
    std::string key_;
};

// Buffered output shared by the two writers below.
class OutputBuffer {
public:
    explicit OutputBuffer(std::ostream& os) : os_(os) { buf_.reserve(kFlushAt + 256); }
    ~OutputBuffer() { flush(); }
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    void put(std::string_view s) {
        buf_.append(s);
        if (buf_.size() >= kFlushAt) flush();
    }
    void put(char c) {
        buf_.push_back(c);
        if (buf_.size() >= kFlushAt) flush();
    }
    void indent(std::size_t n) { buf_.append(n, ' '); }
    void flush() {
        if (!buf_.empty()) os_.write(buf_.data(), static_cast<std::streamsize>(buf_.size()));
        buf_.clear();
    }

private:
    static constexpr std::size_t kFlushAt = 1 << 16;
    std::ostream& os_;
    std::string buf_;
};

// Numbers as text: integers in decimal, floats in their shortest exact form with a
// decimal point ("1.0", "0.1", "1e+20"); NaN and infinities as "nan", "inf", "-inf".
std::string FormatReal(double d, bool single);

class JsonWriter final : public Emitter {
public:
    JsonWriter(std::ostream& os, bool pretty) : out_(os), pretty_(pretty) {}
    ~JsonWriter() override { out_.flush(); }

    void key(std::string_view k) override;
    void null() override { scalar("null"); }
    void boolean(bool b) override { scalar(b ? "true" : "false"); }
    void integer(std::int64_t i) override;
    void real(double d, bool single) override;
    void string(std::string_view s) override;
    void beginArray() override { open('['); }
    void endArray() override { close(']'); }
    void beginObject() override { open('{'); }
    void endObject() override { close('}'); }
    void flush() { out_.flush(); }

private:
    void separate();  // comma and line break before a new element
    void scalar(std::string_view text);
    void open(char c);
    void close(char c);

    struct Level {
        bool object;
        std::size_t count;
    };
    OutputBuffer out_;
    bool pretty_;
    bool afterKey_ = false;
    std::vector<Level> levels_;
    std::string scratch_;
};

// Indented, YAML-like text for reading on a terminal:
//   key: value               scalars
//   key:                     objects, members indented by two
//   key: [1, 2, 3]           short arrays of scalars on one line
//   key: {ux: 0, uy: 1}      short objects of scalars on one line
//   key:                     other arrays, one "- " item per line
//     - a: 1
//       b: [2, 3]
class TextWriter final : public Emitter {
public:
    explicit TextWriter(std::ostream& os) : out_(os) {}
    ~TextWriter() override { out_.flush(); }

    void key(std::string_view k) override { key_.assign(k); }
    void null() override { scalar("null"); }
    void boolean(bool b) override { scalar(b ? "true" : "false"); }
    void integer(std::int64_t i) override;
    void real(double d, bool single) override;
    void string(std::string_view s) override;
    void beginArray() override { open(false); }
    void endArray() override { close(); }
    void beginObject() override { open(true); }
    void endObject() override { close(); }
    void flush() { out_.flush(); }

private:
    struct Level {
        bool object = false;
        bool dash = false;            // this container is an array item: its lead is "- "
        std::string key;              // its key when it is an object member
        std::size_t childIndent = 0;  // column of its children's leads
        bool headerDone = false;      // its own lead line has been written
        bool sameLine = false;        // its lead "- " is written and the first child follows on that line
        std::size_t count = 0;
        bool inlinePending = false;  // only scalars so far: kept to be written on one line
        std::vector<std::pair<std::string, std::string>> pending;  // (key, value text) slots
        std::size_t pendingCount = 0;                              // slots in use
        std::size_t pendingWidth = 0;
    };
    void scalar(std::string_view text);
    void open(bool object);
    void close();
    // Starts a line for a new child of levels_[parent] (writing the pending leads of
    // the enclosing containers first) and writes the child's key or dash.
    void childLead(std::size_t parent, bool dash, std::string_view key);
    void ensureHeader(std::size_t level);
    void flushPending();

    OutputBuffer out_;
    std::vector<Level> levels_;  // levels_[0, depth_) are open; the rest are kept for reuse
    std::size_t depth_ = 0;
    std::string key_;
    std::string scratch_;
};

// Whole-tree conveniences over the writers above.
void Emit(const Value& v, Emitter& out);
std::string ToJson(const Value& v, bool pretty);
std::string ToText(const Value& v);

}  // namespace t2v::decode
