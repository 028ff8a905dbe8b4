// The model-document loader's copy of one JSON value, and the locations its messages
// name. Private to the loader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace t2v::host::document::detail {

// ---------------------------------------------------------------------------
// One item of a family (a point, a frame, ...) copied out of the parser as a small tree
// of values. The parser walks the text once, forward; the rules need to look at an
// object's keys in any order and to come back to a value for its message. Copying one
// item at a time keeps that freedom while the memory used stays that of one item,
// however large the document.
enum class Kind : std::uint8_t { Object, Array, Integer, Unsigned, Real, String, Boolean, Null };

struct Node {
    Kind kind = Kind::Null;
    bool flag = false;
    std::uint32_t count = 0;  // members of an object, items of an array
    std::uint32_t end = 0;    // position just past this value and everything inside it
    std::int64_t integer = 0;
    std::uint64_t unsignedValue = 0;
    double real = 0;
    std::string_view key;   // of an object member
    std::string_view text;  // of a string
};

// A value of the tree; objects and arrays iterate over their members in text order.
class Json {
public:
    Json() = default;
    Json(const Node* nodes, std::uint32_t at) : nodes_(nodes), at_(at) {}

    Kind kind() const { return node().kind; }
    bool isNumber() const { return kind() == Kind::Integer || kind() == Kind::Unsigned || kind() == Kind::Real; }
    std::int64_t integer() const { return node().integer; }
    std::uint64_t unsignedValue() const { return node().unsignedValue; }
    double real() const { return node().real; }
    double asDouble() const {
        switch (kind()) {
            case Kind::Integer:
                return static_cast<double>(node().integer);
            case Kind::Unsigned:
                return static_cast<double>(node().unsignedValue);
            default:
                return node().real;
        }
    }
    bool flag() const { return node().flag; }
    std::string_view text() const { return node().text; }
    std::string_view key() const { return node().key; }
    std::size_t size() const { return node().count; }

    class iterator {
    public:
        iterator(const Node* nodes, std::uint32_t at) : nodes_(nodes), at_(at) {}
        Json operator*() const { return Json(nodes_, at_); }
        iterator& operator++() {
            at_ = nodes_[at_].end;
            return *this;
        }
        bool operator!=(const iterator& other) const { return at_ != other.at_; }

    private:
        const Node* nodes_;
        std::uint32_t at_;
    };
    iterator begin() const { return iterator(nodes_, at_ + 1); }
    iterator end() const { return iterator(nodes_, node().end); }

private:
    const Node& node() const { return nodes_[at_]; }
    const Node* nodes_ = nullptr;
    std::uint32_t at_ = 0;
};

// ---------------------------------------------------------------------------
// JSON locations. A Loc lives on the stack beside the value it names and is turned into
// text ("frames[12].releases.i[3]") only when a message needs it.
struct Loc {
    const Loc* parent = nullptr;
    std::string_view key;
    std::size_t index = 0;
    bool isIndex = false;

    Loc operator/(std::string_view k) const { return Loc{this, k, 0, false}; }
    Loc operator[](std::size_t i) const { return Loc{this, {}, i, true}; }
};

// "frames[12].releases.i[3]", or "(top level)".
std::string LocText(const Loc& loc);
// A text for a message, in quotes and cut after 60 characters.
std::string Quoted(std::string_view text);
// The shortest text that reads back as `value`.
std::string NumberText(double value);
// What a value is, for "expected ..., found ..." messages.
std::string Describe(Json e);

}  // namespace t2v::host::document::detail
