// Copying the parser's values into the loader's tree, one family item at a time, and
// turning the parser's failures into located messages.
#include "host/document/Loader.h"

#include "host/document/JsonSyntax.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace t2v::host::document::detail {

void Loader::parserFailed(simdjson::error_code error, const Loc& loc) const {
    if (error == simdjson::MEMALLOC) {
        throw DocumentError(displayName_ + ": (document): not enough memory to read the document");
    }
    if (const auto problem = FindJsonSyntaxProblem(text_)) {
        throw DocumentError(displayName_ + ": line " + std::to_string(problem->line) + ", column " +
                            std::to_string(problem->column) + ": not valid JSON: " + problem->reason);
    }
    if (error == simdjson::NUMBER_ERROR) reader_.fail(loc, "the number is malformed");
    reader_.fail(loc, std::string("not valid JSON: ") + simdjson::error_message(error));
}

std::string Loader::KeyList(std::span<const std::string_view> keys) {
    std::string out;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i) out += ", ";
        out += keys[i];
    }
    return out;
}

bool Loader::PlainString(const char* start, std::string_view& out) {
    const char* end = start;
    while (*end != '"' && *end != '\\') ++end;
    if (*end == '\\') return false;
    out = std::string_view(start, static_cast<std::size_t>(end - start));
    return true;
}

od::value Loader::seek(od::document& doc, std::size_t k, const Loc& loc) {
    if (!((escapedKeys_ >> k) & 1u)) return take(doc.find_field_unordered(top::keys[k]), loc);
    doc.rewind();
    od::object root = take(doc.get_object(), loc);
    for (auto member : root) {
        od::field field = take(std::move(member), loc);
        std::string_view key;
        if (!PlainString(field.key().raw(), key)) key = take(field.unescaped_key(), loc);
        if (key == top::keys[k]) return std::move(field).value();
    }
    parserFailed(simdjson::NO_SUCH_FIELD, loc);
}

Json Loader::single(od::document& doc, std::size_t k, const Loc& loc) {
    od::value value = seek(doc, k, loc);
    return copy(value, loc);
}

Loader::Items Loader::items(od::document& doc, std::size_t k, const Loc& loc) {
    od::value value = seek(doc, k, loc);
    const od::json_type type = take(value.type(), loc);
    if (type != od::json_type::array) {
        const Json copied = copy(value, loc);
        reader_.fail(loc, "expected an array, found " + Describe(copied));
    }
    od::array array = take(value.get_array(), loc);
    const std::size_t count = take(array.count_elements(), loc);
    return Items(*this, array, loc, count);
}

Json Loader::copy(od::value& value, const Loc& loc) {
    tree_.clear();
    copyInto(value, loc, 0);
    return Json(tree_.data(), 0);
}

double Loader::outsizedNumber(od::value& value, const Loc& loc) {
    std::string_view token = value.raw_json_token();
    while (!token.empty() &&
           (token.back() == ' ' || token.back() == '\t' || token.back() == '\n' || token.back() == '\r')) {
        token.remove_suffix(1);
    }
    if (!IsJsonNumber(token)) parserFailed(simdjson::NUMBER_ERROR, loc);
    double out = 0;
    const auto result = std::from_chars(token.data(), token.data() + token.size(), out);
    if (result.ptr == token.data() + token.size() && result.ec == std::errc() && std::isfinite(out)) return out;
    // Too small to tell from zero is zero, as the parser answers for short numbers.
    if (result.ec == std::errc::result_out_of_range && DecimalMagnitude(token) < 0) return 0.0;
    std::string shown(token.substr(0, 24));
    if (token.size() > 24) shown += "... (" + std::to_string(token.size()) + " characters)";
    reader_.fail(loc, "the number " + shown + " is out of range (numbers may reach about 1.8e308)");
}

long long Loader::DecimalMagnitude(std::string_view t) {
    std::size_t i = (!t.empty() && t[0] == '-') ? 1 : 0;
    long long magnitude = 0;
    bool nonzero = false;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
        if (t[i] != '0') nonzero = true;
        if (nonzero) ++magnitude;
    }
    if (i < t.size() && t[i] == '.') {
        for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
            if (nonzero) break;
            if (t[i] != '0')
                nonzero = true;
            else
                --magnitude;
        }
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    }
    if (!nonzero) return -1;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        const bool negative = i < t.size() && t[i] == '-';
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        long long exponent = 0;
        for (; i < t.size(); ++i) exponent = std::min<long long>(exponent * 10 + (t[i] - '0'), 1'000'000'000);
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

void Loader::copyInto(od::value& value, const Loc& loc, int depth) {
    const auto self = static_cast<std::uint32_t>(tree_.size());
    tree_.emplace_back();
    const od::json_type type = take(value.type(), loc);
    switch (type) {
        case od::json_type::object: {
            if (depth >= kMaxNesting) reader_.fail(loc, "values nested this deep have no place in a model document");
            tree_[self].kind = Kind::Object;
            od::object object = take(value.get_object(), loc);
            std::uint32_t count = 0;
            for (auto member : object) {
                od::field field = take(std::move(member), loc);
                std::string_view key;
                if (!PlainString(field.key().raw(), key)) key = take(field.unescaped_key(), loc);
                const Loc memberLoc = loc / key;
                const auto child = static_cast<std::uint32_t>(tree_.size());
                copyInto(field.value(), memberLoc, depth + 1);
                tree_[child].key = key;
                ++count;
            }
            tree_[self].count = count;
            break;
        }
        case od::json_type::array: {
            if (depth >= kMaxNesting) reader_.fail(loc, "values nested this deep have no place in a model document");
            tree_[self].kind = Kind::Array;
            od::array array = take(value.get_array(), loc);
            std::uint32_t count = 0;
            for (auto element : array) {
                const Loc itemLoc = loc[count];
                od::value item = take(std::move(element), itemLoc);
                copyInto(item, itemLoc, depth + 1);
                ++count;
            }
            tree_[self].count = count;
            break;
        }
        case od::json_type::number: {
            od::number_type numberType{};
            bool read = false;
            if (value.get_number_type().get(numberType) == simdjson::SUCCESS) {
                switch (numberType) {
                    case od::number_type::signed_integer:
                        tree_[self].kind = Kind::Integer;
                        read = value.get_int64().get(tree_[self].integer) == simdjson::SUCCESS;
                        break;
                    case od::number_type::unsigned_integer:
                        tree_[self].kind = Kind::Unsigned;
                        read = value.get_uint64().get(tree_[self].unsignedValue) == simdjson::SUCCESS;
                        break;
                    case od::number_type::floating_point_number:
                        tree_[self].kind = Kind::Real;
                        read = value.raw_json_token().size() <= kLongNumber &&
                               value.get_double().get(tree_[self].real) == simdjson::SUCCESS;
                        break;
                    default:
                        break;  // an integer beyond 64 bits
                }
            }
            if (!read) {
                tree_[self].kind = Kind::Real;
                tree_[self].real = outsizedNumber(value, loc);
            }
            break;
        }
        case od::json_type::string: {
            tree_[self].kind = Kind::String;
            const std::string_view token = value.raw_json_token();
            std::string_view text;
            if (!PlainString(token.data() + 1, text)) text = take(value.get_string(), loc);
            tree_[self].text = text;
            break;
        }
        case od::json_type::boolean:
            tree_[self].kind = Kind::Boolean;
            tree_[self].flag = take(value.get_bool(), loc);
            break;
        case od::json_type::null:
            tree_[self].kind = Kind::Null;
            if (!take(value.is_null(), loc)) parserFailed(simdjson::N_ATOM_ERROR, loc);
            break;
    }
    tree_[self].end = static_cast<std::uint32_t>(tree_.size());
}

}  // namespace t2v::host::document::detail
