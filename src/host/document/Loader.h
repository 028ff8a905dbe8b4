// The model-document loader: walks the parsed text family by family and fills the
// tables of DocumentModel. Its members are defined by what they read: the JSON copy
// (LoaderJsonCopy.cpp), the families (Load*.cpp), the lists derived from them
// (LoaderDerivedLists.cpp), and the walk itself (DocumentLoader.cpp). Private to the
// loader.
#pragma once

#include "host/document/DocumentModel.h"
#include "host/document/LoaderJson.h"
#include "host/document/LoaderKeys.h"
#include "host/document/LoaderValues.h"
#include "host/document/NameIndex.h"

#include <simdjson.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace t2v::host::document::detail {

namespace od = simdjson::ondemand;

class Loader {
public:
    Loader(const std::string& displayName, const std::string& baseFolder, std::string_view text)
        : displayName_(displayName), reader_(displayName), baseFolder_(baseFolder), text_(text) {}

    DocumentModel run(od::document& doc);

    // A failure the parser met while walking the text. Grammar faults are placed by
    // line and column; the others (a number out of range, ...) at the value reached.
    [[noreturn]] void parserFailed(simdjson::error_code error, const Loc& loc) const;

private:
    // The items of a family, each copied into the tree when the loop reaches it.
    class Items {
    public:
        Items(Loader& loader, od::array array, const Loc& loc, std::size_t count)
            : loader_(loader), array_(array), loc_(loc), count_(count) {}
        std::size_t size() const { return count_; }

        class iterator {
        public:
            iterator(Loader* loader, od::array_iterator at, od::array_iterator end, const Loc* loc)
                : loader_(loader), at_(at), end_(end), loc_(loc) {}
            Json operator*() {
                const Loc itemLoc = (*loc_)[index_];
                od::value value = loader_->take(*at_, itemLoc);
                return loader_->copy(value, itemLoc);
            }
            iterator& operator++() {
                ++at_;
                ++index_;
                return *this;
            }
            bool operator!=(const iterator& other) const { return at_ != other.at_; }

        private:
            Loader* loader_;
            od::array_iterator at_, end_;
            const Loc* loc_;
            std::size_t index_ = 0;
        };
        iterator begin() {
            od::array_iterator first = loader_.take(array_.begin(), loc_);
            od::array_iterator last = loader_.take(array_.end(), loc_);
            return iterator(&loader_, first, last, &loc_);
        }
        iterator end() {
            od::array_iterator last = loader_.take(array_.end(), loc_);
            return iterator(&loader_, last, last, &loc_);
        }

    private:
        Loader& loader_;
        od::array array_;
        const Loc& loc_;
        std::size_t count_;
    };

    template <class T>
    T take(simdjson::simdjson_result<T>&& result, const Loc& loc) const {
        T out{};
        const simdjson::error_code error = std::move(result).get(out);
        if (error != simdjson::SUCCESS) parserFailed(error, loc);
        return out;
    }

    static const char* TypeName(od::json_type type) {
        switch (type) {
            case od::json_type::array:
                return "an array";
            case od::json_type::object:
                return "an object";
            case od::json_type::number:
                return "a number";
            case od::json_type::string:
                return "a string";
            case od::json_type::boolean:
                return "a boolean";
            case od::json_type::null:
                return "null";
        }
        return "a value";
    }

    static std::string KeyList(std::span<const std::string_view> keys);

    // Most names and keys hold no escapes: they are used in place, in the document's
    // text, and only the others are unescaped. `start` is the first character after the
    // opening quote; the text is known to be valid JSON there, so the closing quote comes.
    static bool PlainString(const char* start, std::string_view& out);

    // The value of top-level key k. The parser finds keys by their text as written, so a
    // key written with escapes is found by walking the top object from its start.
    od::value seek(od::document& doc, std::size_t k, const Loc& loc);

    // A top-level value copied whole (format, version, units, the mass source).
    Json single(od::document& doc, std::size_t k, const Loc& loc);

    // A top-level family, read item by item.
    Items items(od::document& doc, std::size_t k, const Loc& loc);

    // Copies one value (and everything inside it) into the tree, replacing what the
    // tree held.
    Json copy(od::value& value, const Loc& loc);

    // The parser's own conversion is meant for numbers of ordinary length; longer ones
    // (hundreds of digits) are converted here.
    static constexpr std::size_t kLongNumber = 64;

    // A number the parser would not convert: an integer beyond 64 bits, a very long
    // number, or one beyond the range of a double. Whatever fits a double is kept as
    // one (the rules of its key then judge it); the rest is refused by name.
    double outsizedNumber(od::value& value, const Loc& loc);

    // Roughly log10 of a well-formed number token: below 0 for magnitudes under 1.
    static long long DecimalMagnitude(std::string_view t);

    // No value of the format is nested more than a few levels; a deeper one is refused
    // where it starts, so hostile nesting cannot exhaust the stack.
    static constexpr int kMaxNesting = 32;

    void copyInto(od::value& value, const Loc& loc, int depth);

private:
    // --- names and references ---------------------------------------------------
    // Indexes a family just read; a name used twice is refused at its second use.
    template <class T>
    void indexNames(Family<T>& family, const Loc& loc, const char* what, std::string_view familyKey) {
        const auto [twice, first] = family.indexAppended();
        if (twice == kNoRef) return;
        const Loc itemLoc = loc[twice];
        reader_.fail(itemLoc / "name", std::string(what) + " name " + Quoted(family[twice].name) +
                                           " is already used by " + std::string(familyKey) + "[" +
                                           std::to_string(first) + "]");
    }

    template <class T>
    std::uint32_t resolve(const Family<T>& family, Json e, const Loc& loc, const char* what) const {
        const std::string_view name = reader_.name(e, loc);
        const std::uint32_t position = family.find(name);
        if (position == kNoRef) reader_.fail(loc, std::string(what) + " " + Quoted(name) + " does not exist");
        return position;
    }

    std::uint32_t pattern(const Fields& f, std::size_t k) const;

    std::uint32_t csys(const Fields& f, std::size_t k);

    // A list of distinct names of one family, as positions. `stamp` marks what this list
    // has already named, so repeats are found without a search.
    template <class T>
    std::vector<std::uint32_t> nameList(const Family<T>& family, Json a, const Loc& loc, const char* what,
                                        std::vector<std::uint32_t>& stamp) {
        ++stampValue_;
        if (stamp.size() < family.size()) stamp.resize(family.size(), 0);
        std::vector<std::uint32_t> out;
        out.reserve(a.size());
        std::size_t i = 0;
        for (Json item : a) {
            const Loc itemLoc = loc[i++];
            const std::uint32_t p = resolve(family, item, itemLoc, what);
            if (stamp[p] == stampValue_) {
                reader_.fail(itemLoc, std::string(what) + " " + Quoted(family[p].name) + " is listed twice");
            }
            stamp[p] = stampValue_;
            out.push_back(p);
        }
        return out;
    }

    // --- load patterns ----------------------------------------------------------
    void loadPatterns(Items a, const Loc& loc);

    // --- functions --------------------------------------------------------------
    void functions(Items a, const Loc& loc);

    void timeHistory(const Fields& f, Function& fun);

    void limitPoints(const Fields& f, long long count) const;

    // --- materials --------------------------------------------------------------
    void materials(Items a, const Loc& loc);

    std::array<double, 4> strengths(const Fields& f, std::size_t k, const char* what) const;

    // --- frame sections ---------------------------------------------------------
    void frameSections(Items a, const Loc& loc);

    // --- area sections ----------------------------------------------------------
    void areaSections(Items a, const Loc& loc);

    // --- points -----------------------------------------------------------------
    void points(Items a, const Loc& loc);

    // --- constraints ------------------------------------------------------------
    void constraints(Items a, const Loc& loc);

    // --- frames -----------------------------------------------------------------
    void frames(Items a, const Loc& loc);

    static constexpr std::size_t kLookupBlock = 512;

    // Sets the ends of the frames from `first` on, whose point names are `ends` (two per
    // frame), and empties `ends`.
    void resolveFrameEnds(std::vector<std::string_view>& ends, std::size_t& first, const Loc& loc);

    // --- areas ------------------------------------------------------------------
    void areas(Items a, const Loc& loc);

    // Sets the corners of the areas from `first` on, whose point names are
    // `cornerNames` in order, and empties `cornerNames`.
    void resolveCorners(std::vector<std::string_view>& cornerNames, std::size_t& first, const Loc& loc);

    Slice areaLoads(const Fields& f, std::size_t k, bool toFrames);

    // --- groups -----------------------------------------------------------------
    void groups(Items a, const Loc& loc);

    // --- mass source ------------------------------------------------------------
    void massSource(Json e, const Loc& loc);

    // --- load cases -------------------------------------------------------------
    void loadCases(Items a, const Loc& loc);

    void staticCase(const Fields& f, LoadCase& c);

    void dynamicCase(const Fields& f, LoadCase& c);

    static bool IsModeNumber(std::string_view s);

    // --- derived lists ----------------------------------------------------------
    void buildConnectivity();

    void buildPointConstraints();

    const std::string& displayName_;
    Reader reader_;
    std::string baseFolder_;
    std::string_view text_;
    std::vector<Node> tree_;
    std::uint64_t escapedKeys_ = 0;  // top-level keys written with escapes
    DocumentModel m_;
    NameIndex csysIndex_;
    std::uint32_t stampValue_ = 0;
    std::vector<std::uint32_t> pointStamp_, frameStamp_, areaStamp_;
};

}  // namespace t2v::host::document::detail
