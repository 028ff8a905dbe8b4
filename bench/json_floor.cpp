// json_floor: the floor a transfer is measured against. It does the least that any
// transfer of a model document must do: read the document, parse it with the JSON
// library, visit every value once, and write as many bytes as the transfer wrote to the
// same disk. It prints the wall time of each part as one JSON line.
//
//   json_floor DOC [--write-bytes N --write-to FILE]
//
// The write is a plain sequence of 1 MiB write() calls followed by close(), with no
// fsync: the transfer does not sync either, so both are measured into the page cache.
// The file is removed afterwards.
#include <CLI/CLI.hpp>
#include <simdjson.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// Visits every value; the sums keep the walk from being optimised away.
struct Walk {
    unsigned long long values = 0;
    unsigned long long textBytes = 0;
    double numbers = 0.0;

    void visit(simdjson::dom::element e) {
        ++values;
        switch (e.type()) {
            case simdjson::dom::element_type::ARRAY: {
                simdjson::dom::array array;
                if (e.get(array) == simdjson::SUCCESS)
                    for (simdjson::dom::element child : array) visit(child);
                break;
            }
            case simdjson::dom::element_type::OBJECT: {
                simdjson::dom::object object;
                if (e.get(object) == simdjson::SUCCESS)
                    for (simdjson::dom::key_value_pair member : object) {
                        textBytes += member.key.size();
                        visit(member.value);
                    }
                break;
            }
            case simdjson::dom::element_type::STRING:
                textBytes += e.get_string().value_unsafe().size();
                break;
            case simdjson::dom::element_type::DOUBLE:
                numbers += e.get_double().value_unsafe();
                break;
            case simdjson::dom::element_type::INT64:
                numbers += static_cast<double>(e.get_int64().value_unsafe());
                break;
            case simdjson::dom::element_type::UINT64:
                numbers += static_cast<double>(e.get_uint64().value_unsafe());
                break;
            case simdjson::dom::element_type::BOOL:
                numbers += e.get_bool().value_unsafe() ? 1.0 : 0.0;
                break;
            case simdjson::dom::element_type::NULL_VALUE:
                break;
        }
    }
};

bool WriteBytes(const std::string& path, unsigned long long bytes, std::string& error) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    std::vector<char> block(std::size_t{1} << 20, 'x');
    while (bytes > 0) {
        std::size_t n = bytes < block.size() ? static_cast<std::size_t>(bytes) : block.size();
        ssize_t w = ::write(fd, block.data(), n);
        if (w < 0) {
            if (errno == EINTR) continue;
            error = "cannot write " + path + ": " + std::strerror(errno);
            ::close(fd);
            return false;
        }
        bytes -= static_cast<unsigned long long>(w);
    }
    if (::close(fd) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Reads, parses and walks a JSON document, then writes a given number of bytes, and prints\n"
        "the wall time of each part as JSON."};
    std::string doc, writeTo;
    unsigned long long writeBytes = 0;
    app.add_option("document", doc, "the JSON document")->required();
    app.add_option("--write-bytes", writeBytes, "bytes to write after parsing");
    app.add_option("--write-to", writeTo, "the file to write them to (removed afterwards)");
    CLI11_PARSE(app, argc, argv);
    if (writeBytes > 0 && writeTo.empty()) {
        std::cerr << "json_floor: --write-bytes needs --write-to\n";
        return 2;
    }

    const auto t0 = Clock::now();
    simdjson::padded_string text;
    if (auto error = simdjson::padded_string::load(doc).get(text)) {
        std::cerr << "json_floor: cannot read " << doc << ": " << simdjson::error_message(error) << '\n';
        return 1;
    }
    const auto t1 = Clock::now();
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (auto error = parser.parse(text).get(root)) {
        std::cerr << "json_floor: cannot parse " << doc << ": " << simdjson::error_message(error) << '\n';
        return 1;
    }
    const auto t2 = Clock::now();
    Walk walk;
    walk.visit(root);
    const auto t3 = Clock::now();
    std::string error;
    if (writeBytes > 0 && !WriteBytes(writeTo, writeBytes, error)) {
        std::cerr << "json_floor: " << error << '\n';
        return 1;
    }
    const auto t4 = Clock::now();
    if (writeBytes > 0) std::remove(writeTo.c_str());

    std::printf(
        "{\"read\": %.6f, \"parse\": %.6f, \"walk\": %.6f, \"write\": %.6f, \"bytes\": %zu, \"values\": %llu, "
        "\"checksum\": %.6g, \"parser\": \"%s\"}\n",
        Seconds(t0, t1), Seconds(t1, t2), Seconds(t2, t3), Seconds(t3, t4), text.size(), walk.values,
        walk.numbers + static_cast<double>(walk.textBytes), simdjson::get_active_implementation()->name().c_str());
    return 0;
}
