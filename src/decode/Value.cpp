#include "decode/Value.h"

#include <charconv>
#include <stdexcept>

namespace t2v::decode {

std::string_view KindName(Value::Kind kind) {
    switch (kind) {
        case Value::Kind::Null:
            return "null";
        case Value::Kind::Bool:
            return "bool";
        case Value::Kind::Int:
            return "integer";
        case Value::Kind::Double:
            return "number";
        case Value::Kind::String:
            return "string";
        case Value::Kind::Array:
            return "array";
        case Value::Kind::Object:
            return "object";
    }
    return "?";
}

void Value::wrongKind(const char* wanted) const {
    throw std::runtime_error(std::string("value is ") + std::string(KindName(kind())) + ", not " + wanted);
}

bool Value::asBool() const {
    if (auto* b = std::get_if<bool>(&data_)) return *b;
    wrongKind("bool");
}

std::int64_t Value::asInt() const {
    if (auto* i = std::get_if<std::int64_t>(&data_)) return *i;
    wrongKind("integer");
}

double Value::asDouble() const {
    if (auto* d = std::get_if<double>(&data_)) return *d;
    if (auto* i = std::get_if<std::int64_t>(&data_)) return static_cast<double>(*i);
    wrongKind("number");
}

const std::string& Value::asString() const {
    if (auto* s = std::get_if<std::string>(&data_)) return *s;
    wrongKind("string");
}

const Value::Array& Value::items() const {
    if (auto* a = std::get_if<Array>(&data_)) return *a;
    wrongKind("array");
}

Value::Array& Value::items() {
    if (auto* a = std::get_if<Array>(&data_)) return *a;
    wrongKind("array");
}

const Value::Object& Value::members() const {
    if (auto* o = std::get_if<Object>(&data_)) return *o;
    wrongKind("object");
}

Value::Object& Value::members() {
    if (auto* o = std::get_if<Object>(&data_)) return *o;
    wrongKind("object");
}

const Value* Value::find(std::string_view key) const {
    auto* o = std::get_if<Object>(&data_);
    if (!o) return nullptr;
    for (const auto& [k, v] : *o)
        if (k == key) return &v;
    return nullptr;
}

std::size_t Value::size() const {
    if (auto* a = std::get_if<Array>(&data_)) return a->size();
    if (auto* o = std::get_if<Object>(&data_)) return o->size();
    return 0;
}

Value& Value::push(Value v) { return items().emplace_back(std::move(v)); }

Value& Value::add(std::string key, Value v) { return members().emplace_back(std::move(key), std::move(v)).second; }

const Value& Get(const Value& root, std::string_view path) {
    auto fail = [&](std::size_t upTo, const std::string& why) -> const Value& {
        throw std::out_of_range("no value at '" + std::string(path) + "': '" + std::string(path.substr(0, upTo)) +
                                "' " + why);
    };
    const Value* v = &root;
    std::size_t i = 0;
    while (i < path.size()) {
        if (path[i] == '.') {
            ++i;
            continue;
        }
        if (path[i] == '[') {
            std::size_t close = path.find(']', i);
            if (close == std::string_view::npos) return fail(i, "has an unclosed '['");
            std::size_t index = 0;
            auto text = path.substr(i + 1, close - i - 1);
            auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), index);
            if (ec != std::errc{} || end != text.data() + text.size() || text.empty())
                return fail(close + 1, "is not a valid array position");
            if (v->kind() != Value::Kind::Array)
                return fail(i, "is " + std::string(KindName(v->kind())) + ", not an array");
            if (index >= v->size()) return fail(close + 1, "is past the end (" + std::to_string(v->size()) + " items)");
            v = &v->items()[index];
            i = close + 1;
            continue;
        }
        std::size_t end = path.find_first_of(".[", i);
        if (end == std::string_view::npos) end = path.size();
        auto key = path.substr(i, end - i);
        if (v->kind() != Value::Kind::Object)
            return fail(i, "is " + std::string(KindName(v->kind())) + ", not an object");
        const Value* next = v->find(key);
        if (!next) return fail(end, "does not exist");
        v = next;
        i = end;
    }
    return *v;
}

}  // namespace t2v::decode
