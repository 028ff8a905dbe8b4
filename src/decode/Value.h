// A small generic value tree: what the structure-file decoder produces when a caller
// wants the whole file in memory (tests, tools), and what the JSON and text writers print.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace t2v::decode {

class Value {
public:
    enum class Kind { Null, Bool, Int, Double, String, Array, Object };
    using Array = std::vector<Value>;
    using Member = std::pair<std::string, Value>;
    using Object = std::vector<Member>;  // members keep their insertion order

    Value() = default;
    static Value boolean(bool b) { return Value(Data(b)); }
    static Value integer(std::int64_t i) { return Value(Data(i)); }
    // `single` marks a value read from a 32-bit float, so that writers print the
    // shortest text that gives back the same float (0.1, not 0.100000001490116).
    static Value real(double d, bool single = false) {
        Value v{Data(d)};
        v.single_ = single;
        return v;
    }
    static Value string(std::string s) { return Value(Data(std::move(s))); }
    static Value array() { return Value(Data(Array{})); }
    static Value object() { return Value(Data(Object{})); }

    Kind kind() const { return static_cast<Kind>(data_.index()); }
    bool isNull() const { return kind() == Kind::Null; }
    bool isSingle() const { return single_; }

    // Typed access; each throws std::runtime_error naming the kind actually held.
    bool asBool() const;
    std::int64_t asInt() const;
    double asDouble() const;  // an integer is widened
    const std::string& asString() const;
    const Array& items() const;
    Array& items();
    const Object& members() const;
    Object& members();

    // Object member by key (first match), or nullptr when absent or not an object.
    const Value* find(std::string_view key) const;
    // Number of array items or object members (0 for scalars).
    std::size_t size() const;

    // Appends to an array / object; returns the new element.
    Value& push(Value v);
    Value& add(std::string key, Value v);

    friend bool operator==(const Value& a, const Value& b) { return a.data_ == b.data_; }

private:
    using Data = std::variant<std::monostate, bool, std::int64_t, double, std::string, Array, Object>;
    explicit Value(Data d) : data_(std::move(d)) {}
    [[noreturn]] void wrongKind(const char* wanted) const;

    Data data_;
    bool single_ = false;
};

std::string_view KindName(Value::Kind kind);

// Path query, e.g. "S.nodes.records[1].x" or "S.components.C37.records[0].name": member
// names separated by dots, array positions (0-based) in brackets. Throws
// std::out_of_range naming the path and the step that found nothing.
const Value& Get(const Value& root, std::string_view path);

}  // namespace t2v::decode
