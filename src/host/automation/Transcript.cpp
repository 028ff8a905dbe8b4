#include "host/automation/Transcript.h"

#include "host/TarvoHost.h"

#include <bit>
#include <charconv>
#include <cstring>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>
#include <stdexcept>

namespace t2v::host::automation {

namespace {

constexpr std::uint32_t kNone = 0xffffffffu;
constexpr char kTypeChars[] = {'-', 'L', 'D', 'B', 'S', 'l', 'd', 'b', 's'};

char TypeChar(AutoType t) { return kTypeChars[static_cast<std::size_t>(t)]; }

bool TypeFromChar(char c, AutoType& t) {
    for (std::size_t i = 0; i < sizeof kTypeChars; ++i) {
        if (kTypeChars[i] == c) {
            t = static_cast<AutoType>(i);
            return true;
        }
    }
    return false;
}

// --- writing ------------------------------------------------------------------------

void PutLong(std::string& out, std::int64_t v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void PutDouble(std::string& out, double v) {
    char buf[40];
    if (v - v == 0) {  // finite: the shortest text that reads back to the same bits
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        out.append(buf, r.ptr);
        return;
    }
    out += '#';
    const auto r = std::to_chars(buf, buf + sizeof buf, std::bit_cast<std::uint64_t>(v), 16);
    out.append(16 - static_cast<std::size_t>(r.ptr - buf), '0');
    out.append(buf, r.ptr);
}

void PutString(std::string& out, std::string_view s) {
    static constexpr char hex[] = "0123456789abcdef";
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case ' ':
                out += "\\s";
                break;
            default:
                if (u < 0x20 || u == 0x7f) {
                    out += "\\x";
                    out += hex[u >> 4];
                    out += hex[u & 15];
                } else {
                    out += c;
                }
        }
    }
}

template <class V, class Put>
void PutArray(std::string& out, const std::vector<V>& values, Put put) {
    PutLong(out, static_cast<std::int64_t>(values.size()));
    out += ':';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i) out += ' ';
        put(out, values[i]);
    }
}

void PutValue(std::string& out, const AutoValue& value) {
    std::visit(
        [&](const auto& v) {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, std::int32_t>)
                PutLong(out, v);
            else if constexpr (std::is_same_v<V, double>)
                PutDouble(out, v);
            else if constexpr (std::is_same_v<V, bool>)
                out += v ? '1' : '0';
            else if constexpr (std::is_same_v<V, std::string>)
                PutString(out, v);
            else if constexpr (std::is_same_v<V, std::vector<std::int32_t>>)
                PutArray(out, v, [](std::string& o, std::int32_t x) { PutLong(o, x); });
            else if constexpr (std::is_same_v<V, std::vector<double>>)
                PutArray(out, v, [](std::string& o, double x) { PutDouble(o, x); });
            else if constexpr (std::is_same_v<V, std::vector<bool>>)
                PutArray(out, v, [](std::string& o, bool x) { o += x ? '1' : '0'; });
            else if constexpr (std::is_same_v<V, std::vector<std::string>>)
                PutArray(out, v, [](std::string& o, const std::string& x) { PutString(o, x); });
        },
        value);
}

void PutArg(std::string& out, const AutoArg& arg) {
    out += '\t';
    out += TypeChar(arg.type);
    out += TypeChar(typeOf(arg.value));
    PutValue(out, arg.value);
}

// "op<TAB>inputs": what a call is matched by.
void PutKey(std::string& out, std::string_view op, std::span<const AutoArg> args) {
    out.assign(op);
    for (const AutoArg& arg : args) {
        if (!arg.out) PutArg(out, arg);
    }
}

// --- reading ------------------------------------------------------------------------

struct BadValue {};

std::int32_t ReadLong(std::string_view s) {
    std::int32_t v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size()) throw BadValue{};
    return v;
}

double ReadDouble(std::string_view s) {
    if (!s.empty() && s.front() == '#') {
        std::uint64_t bits = 0;
        const auto r = std::from_chars(s.data() + 1, s.data() + s.size(), bits, 16);
        if (s.size() != 17 || r.ec != std::errc() || r.ptr != s.data() + s.size()) throw BadValue{};
        return std::bit_cast<double>(bits);
    }
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size()) throw BadValue{};
    return v;
}

bool ReadBool(std::string_view s) {
    if (s == "0") return false;
    if (s == "1") return true;
    throw BadValue{};
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw BadValue{};
}

std::string ReadString(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            if (s[i] == ' ' || s[i] == '\t') throw BadValue{};
            out += s[i];
            continue;
        }
        if (++i == s.size()) throw BadValue{};
        switch (s[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 's':
                out += ' ';
                break;
            case 'x':
                if (i + 2 >= s.size()) throw BadValue{};
                out += static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
                i += 2;
                break;
            default:
                throw BadValue{};
        }
    }
    return out;
}

template <class V, class Read>
std::vector<V> ReadArray(std::string_view s, Read read) {
    const std::size_t colon = s.find(':');
    if (colon == std::string_view::npos) throw BadValue{};
    const std::int32_t n = ReadLong(s.substr(0, colon));
    if (n < 0) throw BadValue{};
    std::vector<V> out;
    out.reserve(static_cast<std::size_t>(n));
    std::string_view rest = s.substr(colon + 1);
    for (std::int32_t i = 0; i < n; ++i) {
        const std::size_t space = i + 1 < n ? rest.find(' ') : rest.size();
        if (space == std::string_view::npos) throw BadValue{};
        out.push_back(read(rest.substr(0, space)));
        rest = space < rest.size() ? rest.substr(space + 1) : std::string_view();
    }
    if (!rest.empty()) throw BadValue{};
    return out;
}

AutoValue ReadValue(AutoType held, std::string_view s) {
    switch (held) {
        case AutoType::Empty:
            if (!s.empty()) throw BadValue{};
            return {};
        case AutoType::Long:
            return ReadLong(s);
        case AutoType::Double:
            return ReadDouble(s);
        case AutoType::Bool:
            return ReadBool(s);
        case AutoType::String:
            return ReadString(s);
        case AutoType::LongArray:
            return ReadArray<std::int32_t>(s, ReadLong);
        case AutoType::DoubleArray:
            return ReadArray<double>(s, ReadDouble);
        case AutoType::BoolArray:
            return ReadArray<bool>(s, ReadBool);
        case AutoType::StringArray:
            return ReadArray<std::string>(s, ReadString);
    }
    throw BadValue{};
}

// The next tab-separated field of `rest`.
std::string_view NextField(std::string_view& rest) {
    const std::size_t tab = rest.find('\t');
    const std::string_view field = rest.substr(0, tab);
    rest = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
    return field;
}

}  // namespace

// --- recording ----------------------------------------------------------------------

RecordingDispatcher::RecordingDispatcher(Dispatcher& inner, std::ostream& out) : inner_(inner), out_(out) {
    out_ << kTranscriptHeader << '\n';
}

std::int32_t RecordingDispatcher::call(std::string_view op, std::span<AutoArg> args) {
    ++calls_;
    // The inputs as they were asked, before the callee could touch them.
    PutKey(line_, op, args);
    line_ += "\t|";
    std::int32_t result = 0;
    try {
        result = inner_.call(op, args);
    } catch (const std::exception& e) {
        line_ += "\t!";
        PutString(line_, e.what());
        line_ += '\n';
        out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
        throw;
    }
    for (const AutoArg& arg : args) {
        if (arg.out) PutArg(line_, arg);
    }
    line_ += "\t=";
    PutLong(line_, result);
    line_ += '\n';
    out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
    return result;
}

// --- replaying ----------------------------------------------------------------------

std::unique_ptr<TranscriptDispatcher> TranscriptDispatcher::LoadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot open the transcript");
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    std::string text(static_cast<std::size_t>(size < 0 ? 0 : size), '\0');
    if (size < 0 || !in.read(text.data(), static_cast<std::streamsize>(text.size()))) {
        throw std::runtime_error(path + ": cannot read the transcript");
    }
    return std::make_unique<TranscriptDispatcher>(std::move(text), path);
}

TranscriptDispatcher::TranscriptDispatcher(std::string text, std::string displayName)
    : text_(std::move(text)), name_(std::move(displayName)) {
    const std::string_view all(text_);
    std::size_t at = all.find('\n');
    if (at == std::string_view::npos || all.substr(0, at) != kTranscriptHeader) {
        throw std::runtime_error(name_ + ": line 1: not a host-call transcript (expected \"" +
                                 std::string(kTranscriptHeader) + "\")");
    }
    ++at;
    while (at < all.size()) {
        std::size_t end = all.find('\n', at);
        if (end == std::string_view::npos) end = all.size();
        const std::string_view line = all.substr(at, end - at);
        const std::size_t bar = line.find("\t|");
        const std::size_t tab = line.find('\t');
        if (bar == std::string_view::npos || tab == 0 || bar > 0xffffffffu ||
            (bar + 2 < line.size() && line[bar + 2] != '\t')) {
            throw std::runtime_error(name_ + ": line " + std::to_string(lineStart_.size() + 2) +
                                     ": not a recorded call (operation, inputs, |, outputs, result)");
        }
        if (lineStart_.size() >= kNone - 1) throw std::runtime_error(name_ + ": too many calls");
        lineStart_.push_back(at);
        keyLength_.push_back(static_cast<std::uint32_t>(bar));
        at = end + 1;
    }

    // Chain the calls of each key in recorded order.
    const std::size_t n = lineStart_.size();
    table_.assign(std::bit_ceil(std::max<std::size_t>(16, 2 * n)), kNone);
    nextSame_.assign(n, kNone);
    cursor_.assign(n, kNone);
    std::vector<std::uint32_t> last(n, kNone);
    for (std::uint32_t call = 0; call < n; ++call) {
        std::uint32_t& slot = slotOf(keyOf(call));
        if (slot == kNone) {
            slot = call;
            cursor_[call] = call;
            last[call] = call;
        } else {
            nextSame_[last[slot]] = call;
            last[slot] = call;
        }
    }
}

TranscriptDispatcher::~TranscriptDispatcher() = default;

std::string_view TranscriptDispatcher::keyOf(std::uint32_t call) const {
    return std::string_view(text_).substr(lineStart_[call], keyLength_[call]);
}

std::uint32_t& TranscriptDispatcher::slotOf(std::string_view key) {
    const std::size_t mask = table_.size() - 1;
    std::size_t i = std::hash<std::string_view>{}(key)&mask;
    while (table_[i] != kNone && keyOf(table_[i]) != key) i = (i + 1) & mask;
    return table_[i];
}

std::string TranscriptDispatcher::where(std::uint32_t call) const {
    return name_ + " line " + std::to_string(std::size_t{call} + 2);
}

std::int32_t TranscriptDispatcher::call(std::string_view op, std::span<AutoArg> args) {
    PutKey(key_, op, args);
    const std::uint32_t first = slotOf(key_);
    if (first == kNone || cursor_[first] == kNone)
        throw HostError(std::string(op) + ": no such call in the transcript");
    const std::uint32_t call = cursor_[first];
    cursor_[first] = nextSame_[call];
    ++answered_;
    std::int32_t result = 0;
    answer(call, op, args, result);
    return result;
}

void TranscriptDispatcher::answer(std::uint32_t call, std::string_view op, std::span<AutoArg> args,
                                  std::int32_t& result) const {
    const std::size_t start = lineStart_[call] + keyLength_[call] + 2;
    std::size_t end = text_.find('\n', start);
    if (end == std::string::npos) end = text_.size();
    std::string_view rest = std::string_view(text_).substr(start, end - start);
    if (!rest.empty() && rest.front() == '\t') rest.remove_prefix(1);
    const auto bad = [&](const std::string& what) {
        return HostError(std::string(op) + ": " + where(call) + ": " + what);
    };
    // The answers go into the outputs only once the whole line has been read.
    std::vector<AutoValue> outputs;
    std::size_t outputIndex = 0;
    for (;;) {
        const std::string_view field = NextField(rest);
        if (field.empty()) throw bad("the recorded call has no result");
        if (field.front() == '=' || field.front() == '!') {
            if (!rest.empty()) throw bad("fields after the result");
            if (field.front() == '!') {
                try {
                    throw HostError(ReadString(field.substr(1)));
                } catch (const BadValue&) {
                    throw bad("an unreadable message");
                }
            }
            try {
                result = ReadLong(field.substr(1));
            } catch (const BadValue&) {
                throw bad("an unreadable result");
            }
            break;
        }
        while (outputIndex < args.size() && !args[outputIndex].out) ++outputIndex;
        AutoType declared{}, held{};
        if (field.size() < 2 || !TypeFromChar(field[0], declared) || !TypeFromChar(field[1], held)) {
            throw bad("an unreadable output \"" + std::string(field.substr(0, 20)) + "\"");
        }
        if (outputIndex == args.size() || args[outputIndex].type != declared) {
            throw bad("the recorded outputs differ from the call's");
        }
        try {
            outputs.push_back(ReadValue(held, field.substr(2)));
        } catch (const BadValue&) {
            throw bad("an unreadable value for output " + std::to_string(outputs.size() + 1));
        }
        ++outputIndex;
    }
    while (outputIndex < args.size() && !args[outputIndex].out) ++outputIndex;
    if (outputIndex != args.size()) throw bad("the recorded outputs differ from the call's");
    std::size_t k = 0;
    for (AutoArg& arg : args) {
        if (arg.out) arg.value = std::move(outputs[k++]);
    }
}

// --- failing ------------------------------------------------------------------------

std::int32_t FailingDispatcher::call(std::string_view op, std::span<AutoArg> args) {
    if (++calls_ == failAt_) throw HostError(std::string(op) + ": the host failed the call");
    return inner_.call(op, args);
}

}  // namespace t2v::host::automation
