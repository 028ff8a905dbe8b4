// Loading a model document: the text is indexed once by simdjson's On-Demand parser,
// then walked family by family, filling the tables of DocumentModel.
//
// The walk visits the families in the order their references need (load patterns and
// functions before the objects whose loads name them, points before frames, and so on),
// whatever order the keys have in the file. Every value is checked where it is read,
// and the first broken rule ends the load with the JSON location of the value.
#include "host/document/DocumentLoader.h"

#include "host/document/DocumentHost.h"
#include "host/document/JsonSyntax.h"
#include "host/document/Loader.h"

#include <simdjson.h>

#include <cstring>
#include <filesystem>

namespace t2v::host::document::detail {

DocumentModel Loader::run(od::document& doc) {
    const Loc rootLoc;
    const od::json_type rootType = take(doc.type(), rootLoc);
    if (rootType != od::json_type::object) {
        reader_.fail(rootLoc, std::string("expected a model document (an object), found ") + TypeName(rootType));
    }

    // First the keys alone, so that unknown and repeated keys are refused before
    // anything else; then each family, in the order their references need.
    std::uint64_t present = 0;
    {
        od::object root = take(doc.get_object(), rootLoc);
        for (auto member : root) {
            od::field field = take(std::move(member), rootLoc);
            std::string_view key;
            const bool plain = PlainString(field.key().raw(), key);
            if (!plain) key = take(field.unescaped_key(), rootLoc);
            std::size_t k = 0;
            while (k < std::size(top::keys) && top::keys[k] != key) ++k;
            if (k == std::size(top::keys)) {
                reader_.fail(rootLoc / key, "unknown key (a model document has the keys " + KeyList(top::keys) + ")");
            }
            if ((present >> k) & 1u) reader_.fail(rootLoc / key, "the key appears twice in the same object");
            present |= std::uint64_t{1} << k;
            if (!plain) escapedKeys_ |= std::uint64_t{1} << k;
        }
        // Past the end of the top object there must be nothing left to read.
        const char* after = nullptr;
        if (doc.current_location().get(after) == simdjson::SUCCESS) {
            parserFailed(simdjson::TRAILING_CONTENT, rootLoc);
        }
    }
    auto has = [&](std::size_t k) { return ((present >> k) & 1u) != 0; };
    auto locOf = [&](std::size_t k) { return rootLoc / top::keys[k]; };

    if (!has(top::format)) reader_.fail(rootLoc, "key \"format\" is missing");
    {
        const Loc loc = locOf(top::format);
        const std::string_view format = reader_.text(single(doc, top::format, loc), loc);
        if (format != "tarvo-model") reader_.fail(loc, "expected \"tarvo-model\", found " + Quoted(format));
    }
    if (!has(top::version)) reader_.fail(rootLoc, "key \"version\" is missing");
    {
        const Loc loc = locOf(top::version);
        const int version = reader_.integer(single(doc, top::version, loc), loc, kIntMin, kIntMax);
        if (version != 1) {
            reader_.fail(loc, "version " + std::to_string(version) + " is not known; this program reads version 1");
        }
    }
    if (has(top::units)) {
        const Loc loc = locOf(top::units);
        m_.units = reader_.integer(single(doc, top::units, loc), loc, 1, 16);
    }

    // Referenced families first.
    const std::pair<std::size_t, void (Loader::*)(Items, const Loc&)> families[] = {
        {top::load_patterns, &Loader::loadPatterns},
        {top::functions, &Loader::functions},
        {top::materials, &Loader::materials},
        {top::frame_sections, &Loader::frameSections},
        {top::area_sections, &Loader::areaSections},
        {top::points, &Loader::points},
        {top::constraints, &Loader::constraints},
        {top::frames, &Loader::frames},
        {top::areas, &Loader::areas},
        {top::groups, &Loader::groups},
    };
    for (const auto& [k, read] : families) {
        if (!has(k)) continue;
        const Loc loc = locOf(k);
        (this->*read)(items(doc, k, loc), loc);
    }
    if (has(top::mass_source)) {
        const Loc loc = locOf(top::mass_source);
        massSource(single(doc, top::mass_source, loc), loc);
    }
    if (has(top::load_cases)) {
        const Loc loc = locOf(top::load_cases);
        loadCases(items(doc, top::load_cases, loc), loc);
    }

    buildConnectivity();
    buildPointConstraints();
    return std::move(m_);
}

}  // namespace t2v::host::document::detail

namespace t2v::host::document {

using detail::Loader;
using detail::Loc;
namespace od = simdjson::ondemand;

std::string ResolveDocumentPath(const std::string& baseFolder, const std::string& fileName) {
    const std::filesystem::path file(fileName);
    if (file.is_absolute() || file.has_root_directory() || baseFolder.empty() || baseFolder == ".") {
        return fileName;
    }
    return (std::filesystem::path(baseFolder) / file).string();
}

DocumentModel LoadModelDocument(const char* data, std::size_t size, bool hasPadding, const std::string& displayName,
                                const std::string& baseFolder) {
    // The parser reads a little past the end of the text: a text without that room is
    // copied into a buffer that has it.
    LargeBuffer copied;
    if (!hasPadding) {
        copied = LargeBuffer(size, simdjson::SIMDJSON_PADDING);
        if (size != 0) std::memcpy(copied.data(), data, size);
        data = copied.data();
    }
    // Editors on Windows often start UTF-8 files with a byte-order mark; it says nothing
    // a JSON reader needs, so it is skipped (and positions count from after it).
    std::size_t skipped = 0;
    if (size >= 3 && static_cast<unsigned char>(data[0]) == 0xEF && static_cast<unsigned char>(data[1]) == 0xBB &&
        static_cast<unsigned char>(data[2]) == 0xBF) {
        skipped = 3;
        data += 3;
        size -= 3;
    }
    const std::string_view text(data, size);
    Loader loader(displayName, baseFolder, text);
    od::parser parser;
    od::document doc;
    const simdjson::error_code error =
        parser.iterate(simdjson::padded_string_view(data, size, size + simdjson::SIMDJSON_PADDING)).get(doc);
    if (error == simdjson::CAPACITY) {
        throw DocumentError(displayName + ": (document): the document is larger than 4 GB");
    }
    if (error == simdjson::UTF8_ERROR) {
        if (const auto problem = FindUtf8Problem(text)) {
            throw DocumentError(displayName + ": line " + std::to_string(problem->line) + ", column " +
                                std::to_string(problem->column) + " (byte offset " +
                                std::to_string(problem->offset + skipped) + "): not valid JSON: " + problem->reason);
        }
        throw DocumentError(displayName + ": (document): not valid JSON: the text is not valid UTF-8");
    }
    if (error != simdjson::SUCCESS) loader.parserFailed(error, Loc{});
    return loader.run(doc);
}

}  // namespace t2v::host::document
