#include "plugin/com/DocumentStream.h"

#include "host/writer/SaveModelDocument.h"

#include <ostream>
#include <streambuf>
#include <vector>

namespace t2v::com {
namespace {

class OutputFileBuffer final : public std::streambuf {
public:
    explicit OutputFileBuffer(platform::OutputFile& file) : file_(file), buffer_(1 << 16) {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    int sync() override { return drain() ? 0 : -1; }

protected:
    int_type overflow(int_type c) override {
        if (!drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

private:
    bool drain() {
        const std::size_t n = static_cast<std::size_t>(pptr() - pbase());
        const bool ok = n == 0 || file_.write(pbase(), n);
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return ok;
    }
    platform::OutputFile& file_;
    std::vector<char> buffer_;
};

}  // namespace

std::string SaveDocumentFile(host::TarvoHost& host, platform::Platform& platform, const std::string& path) {
    std::string error;
    std::unique_ptr<platform::OutputFile> file = platform.createFile(path, error);
    if (!file) return error;
    OutputFileBuffer buffer(*file);
    std::ostream out(&buffer);
    host::SaveModelDocument(host, out);
    out.flush();
    if (!out || !file->commit()) return file->error().empty() ? "cannot write " + path : file->error();
    return {};
}

}  // namespace t2v::com
