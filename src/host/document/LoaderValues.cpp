// The texts that the loader's messages are made of.
#include "host/document/LoaderJson.h"

#include <charconv>

namespace t2v::host::document::detail {

void AppendLoc(std::string& out, const Loc& loc) {
    if (loc.parent) AppendLoc(out, *loc.parent);
    if (loc.isIndex) {
        out += '[';
        out += std::to_string(loc.index);
        out += ']';
    } else if (!loc.key.empty()) {
        if (!out.empty()) out += '.';
        out += loc.key;
    }
}

std::string LocText(const Loc& loc) {
    std::string out;
    AppendLoc(out, loc);
    return out.empty() ? "(top level)" : out;
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    if (text.size() > 60) {
        out.append(text.substr(0, 60));
        out += "...";
    } else {
        out.append(text);
    }
    out += '"';
    return out;
}

std::string NumberText(double value) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string Describe(Json e) {
    switch (e.kind()) {
        case Kind::Array:
            return "an array";
        case Kind::Object:
            return "an object";
        case Kind::Integer:
            return "the number " + std::to_string(e.integer());
        case Kind::Unsigned:
            return "the number " + std::to_string(e.unsignedValue());
        case Kind::Real:
            return "the number " + NumberText(e.real());
        case Kind::String:
            return "the string " + Quoted(e.text());
        case Kind::Boolean:
            return e.flag() ? "true" : "false";
        case Kind::Null:
            return "null";
    }
    return "a value";
}

}  // namespace t2v::host::document::detail
