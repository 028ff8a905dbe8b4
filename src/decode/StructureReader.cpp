#include "decode/StructureReader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

#include "decode/Decoders.h"

namespace t2v::decode {
namespace {

// The whole file in one buffer (left uninitialised before the read: files reach
// hundreds of megabytes).
struct FileBytes {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t size = 0;
};

FileBytes readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DecodeError(path, std::string("cannot open: ") + std::strerror(errno));
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) throw DecodeError(path, "cannot determine the file size");
    in.seekg(0, std::ios::beg);
    FileBytes bytes;
    bytes.size = static_cast<std::size_t>(size);
    bytes.data.reset(new std::uint8_t[bytes.size ? bytes.size : 1]);
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data.get()), size))
        throw DecodeError(path, "cannot read the file");
    return bytes;
}

std::string joinPath(const std::string& dir, std::string_view name) {
    if (dir.empty()) return std::string(name);
    std::string p = dir;
    if (p.back() != '/' && p.back() != '\\') p += '/';
    p += name;
    return p;
}

std::string parentDir(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool validSuffix(std::string_view suffix) {
    for (auto s : StructureFileSuffixes())
        if (s == suffix) return true;
    return false;
}

std::int64_t driftCountOf(const std::string& mainPath) {
    FileBytes bytes = readWholeFile(mainPath);
    Cursor c(mainPath, bytes.data.get(), bytes.size);
    NullEmitter sink;
    return detail::DecodeMainFile(c, sink).driftCount;
}

}  // namespace

const std::vector<std::string_view>& StructureFileSuffixes() {
    static const std::vector<std::string_view> suffixes = {"S", "L", "A", "ULS", "PO", "POA", "POF"};
    return suffixes;
}

std::string StructureFileName(std::string_view suffix) { return "VNTR" + std::string(suffix); }

void StreamStructureBytes(const std::string& name, const std::uint8_t* data, std::size_t size, std::string_view suffix,
                          Emitter& out, const DecodeOptions& options) {
    Cursor c(name, data, size);
    if (suffix == "S") {
        detail::DecodeMainFile(c, out);
    } else if (suffix == "L") {
        if (!options.driftCount) throw DecodeError(name, "the drift count of the structure is needed for this file");
        detail::DecodeLoadCaseDefinitions(c, out, *options.driftCount);
    } else if (suffix == "A") {
        detail::DecodeAnalysisCases(c, out);
    } else if (suffix == "ULS") {
        detail::DecodeULSFile(c, out);
    } else if (suffix == "PO") {
        detail::DecodePOFile(c, out);
    } else if (suffix == "POA") {
        detail::DecodePOAFile(c, out);
    } else if (suffix == "POF") {
        detail::DecodePOFFile(c, out);
    } else {
        throw DecodeError(name, "unknown structure file suffix '" + std::string(suffix) + "'");
    }
}

void StreamStructureFile(const std::string& path, std::string_view suffix, Emitter& out, const DecodeOptions& options) {
    if (!validSuffix(suffix)) throw DecodeError(path, "unknown structure file suffix '" + std::string(suffix) + "'");
    DecodeOptions opts = options;
    if (suffix == "L" && !opts.driftCount) opts.driftCount = driftCountOf(joinPath(parentDir(path), "VNTRS"));
    FileBytes bytes = readWholeFile(path);
    StreamStructureBytes(path, bytes.data.get(), bytes.size, suffix, out, opts);
}

void StreamStructureFolder(const std::string& dir, Emitter& out) {
    out.beginObject();
    DecodeOptions opts;
    for (auto suffix : StructureFileSuffixes()) {
        std::string path = joinPath(dir, StructureFileName(suffix));
        FileBytes bytes = readWholeFile(path);
        out.key(suffix);
        Cursor c(path, bytes.data.get(), bytes.size);
        if (suffix == "S")
            opts.driftCount = detail::DecodeMainFile(c, out).driftCount;
        else
            StreamStructureBytes(path, bytes.data.get(), bytes.size, suffix, out, opts);
    }
    out.endObject();
}

void StreamEarthquakeRecord(const std::string& path, Emitter& out) {
    FileBytes bytes = readWholeFile(path);
    Cursor c(path, bytes.data.get(), bytes.size);
    detail::DecodeEarthquakeRecordFile(c, out);
}

Value DecodeStructureFolder(const std::string& dir) {
    TreeBuilder tree;
    StreamStructureFolder(dir, tree);
    return tree.take();
}

Value DecodeStructureFile(const std::string& path, std::string_view suffix, const DecodeOptions& options) {
    TreeBuilder tree;
    StreamStructureFile(path, suffix, tree, options);
    return tree.take();
}

Value DecodeEarthquakeRecord(const std::string& path) {
    TreeBuilder tree;
    StreamEarthquakeRecord(path, tree);
    return tree.take();
}

}  // namespace t2v::decode
