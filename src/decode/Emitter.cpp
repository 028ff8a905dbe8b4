#include "decode/Emitter.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace t2v::decode {

// ---------------------------------------------------------------- TreeBuilder

Value& TreeBuilder::put(Value v) {
    if (stack_.empty()) {
        if (!haveRoot_) {
            root_ = std::move(v);
            haveRoot_ = true;
        }
        return root_;
    }
    Value& parent = *stack_.back();
    if (parent.kind() == Value::Kind::Object) return parent.add(key_, std::move(v));
    return parent.push(std::move(v));
}

// ---------------------------------------------------------------- number text

std::string FormatReal(double d, bool single) {
    if (std::isnan(d)) return "nan";
    if (std::isinf(d)) return d < 0 ? "-inf" : "inf";
    char buf[64];
    auto res =
        single ? std::to_chars(buf, buf + sizeof buf, static_cast<float>(d)) : std::to_chars(buf, buf + sizeof buf, d);
    std::string s(buf, res.ptr);
    if (s.find_first_of(".e") == std::string::npos) s += ".0";
    return s;
}

namespace {
std::string_view intText(char* buf, std::size_t n, std::int64_t i) {
    auto res = std::to_chars(buf, buf + n, i);
    return {buf, static_cast<std::size_t>(res.ptr - buf)};
}
}  // namespace

// ---------------------------------------------------------------- JsonWriter

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty()) return;
    if (levels_.back().count++) out_.put(',');
    if (pretty_) {
        out_.put('\n');
        out_.indent(levels_.size() * 2);
    }
}

void JsonWriter::key(std::string_view k) {
    separate();
    scratch_.clear();
    AppendJsonString(scratch_, k);
    out_.put(scratch_);
    out_.put(pretty_ ? ": " : ":");
    afterKey_ = true;
}

void JsonWriter::scalar(std::string_view text) {
    separate();
    out_.put(text);
    if (levels_.empty()) out_.put('\n');
}

void JsonWriter::integer(std::int64_t i) {
    char buf[24];
    scalar(intText(buf, sizeof buf, i));
}

void JsonWriter::real(double d, bool single) {
    if (!std::isfinite(d)) {
        string(FormatReal(d, single));  // JSON has no literal for these
        return;
    }
    scalar(FormatReal(d, single));
}

void JsonWriter::string(std::string_view s) {
    scratch_.clear();
    AppendJsonString(scratch_, s);
    scalar(scratch_);
}

void JsonWriter::open(char c) {
    separate();
    out_.put(c);
    levels_.push_back({c == '{', 0});
}

void JsonWriter::close(char c) {
    Level l = levels_.back();
    levels_.pop_back();
    if (pretty_ && l.count > 0) {
        out_.put('\n');
        out_.indent(levels_.size() * 2);
    }
    out_.put(c);
    if (levels_.empty()) out_.put('\n');
}

// ---------------------------------------------------------------- TextWriter

namespace {
constexpr std::size_t kInlineItems = 12;
constexpr std::size_t kInlineWidth = 72;
}  // namespace

void TextWriter::ensureHeader(std::size_t level) {
    if (levels_[level].headerDone) return;
    levels_[level].headerDone = true;
    childLead(level - 1, levels_[level].dash, levels_[level].key);
    if (levels_[level].dash)
        levels_[level].sameLine = true;
    else
        out_.put('\n');
}

void TextWriter::childLead(std::size_t parent, bool dash, std::string_view key) {
    ensureHeader(parent);
    Level& p = levels_[parent];
    ++p.count;
    if (p.sameLine)
        p.sameLine = false;
    else
        out_.indent(p.childIndent);
    if (dash) {
        out_.put("- ");
    } else {
        out_.put(key);
        out_.put(':');
    }
}

void TextWriter::flushPending() {
    std::size_t top = depth_ - 1;
    Level& level = levels_[top];
    level.inlinePending = false;
    for (std::size_t i = 0; i < level.pendingCount; ++i) {
        const auto& [k, text] = level.pending[i];
        childLead(top, !level.object, k);
        if (level.object) out_.put(' ');
        out_.put(text);
        out_.put('\n');
    }
    level.pendingCount = 0;
    level.pendingWidth = 0;
}

void TextWriter::scalar(std::string_view text) {
    if (depth_ == 0) {
        out_.put(text);
        out_.put('\n');
        return;
    }
    Level& top = levels_[depth_ - 1];
    if (top.inlinePending) {
        // Slots are reused from record to record, keeping their string buffers.
        if (top.pendingCount == top.pending.size()) top.pending.emplace_back();
        auto& slot = top.pending[top.pendingCount++];
        if (top.object)
            slot.first.assign(key_);
        else
            slot.first.clear();
        slot.second.assign(text);
        top.pendingWidth += text.size() + 2 + (top.object ? key_.size() + 2 : 0);
        if (top.pendingCount > kInlineItems || top.pendingWidth > kInlineWidth) flushPending();
        return;
    }
    childLead(depth_ - 1, !top.object, key_);
    if (top.object) out_.put(' ');
    out_.put(text);
    out_.put('\n');
}

void TextWriter::integer(std::int64_t i) {
    char buf[24];
    scalar(intText(buf, sizeof buf, i));
}

void TextWriter::real(double d, bool single) { scalar(FormatReal(d, single)); }

void TextWriter::string(std::string_view s) {
    scratch_.clear();
    AppendJsonString(scratch_, s);
    scalar(scratch_);
}

void TextWriter::open(bool object) {
    if (depth_ > 0 && levels_[depth_ - 1].inlinePending) flushPending();
    if (depth_ == levels_.size()) levels_.emplace_back();
    Level& level = levels_[depth_];
    level.object = object;
    level.count = 0;
    level.sameLine = false;
    level.pendingCount = 0;
    level.pendingWidth = 0;
    level.key.clear();
    if (depth_ == 0) {
        level.dash = false;
        level.childIndent = 0;
        level.headerDone = true;        // the top level has no lead line
        level.inlinePending = !object;  // and a top object is never squeezed on one line
    } else {
        const Level& parent = levels_[depth_ - 1];
        level.dash = !parent.object;
        if (!level.dash) level.key.assign(key_);
        level.childIndent = parent.childIndent + 2;
        level.headerDone = false;
        level.inlinePending = true;
    }
    ++depth_;
}

void TextWriter::close() {
    Level& done = levels_[--depth_];
    if (!done.inlinePending) {
        if (depth_ == 0 && done.count == 0) out_.put(done.object ? "{}\n" : "[]\n");
        return;
    }
    if (depth_ > 0) {
        childLead(depth_ - 1, done.dash, done.key);
        if (!done.dash) out_.put(' ');
    }
    out_.put(done.object ? '{' : '[');
    for (std::size_t i = 0; i < done.pendingCount; ++i) {
        if (i) out_.put(", ");
        if (done.object) {
            out_.put(done.pending[i].first);
            out_.put(": ");
        }
        out_.put(done.pending[i].second);
    }
    out_.put(done.object ? "}\n" : "]\n");
    done.pendingCount = 0;
}

// ---------------------------------------------------------------- whole trees

void Emit(const Value& v, Emitter& out) {
    switch (v.kind()) {
        case Value::Kind::Null:
            out.null();
            break;
        case Value::Kind::Bool:
            out.boolean(v.asBool());
            break;
        case Value::Kind::Int:
            out.integer(v.asInt());
            break;
        case Value::Kind::Double:
            out.real(v.asDouble(), v.isSingle());
            break;
        case Value::Kind::String:
            out.string(v.asString());
            break;
        case Value::Kind::Array:
            out.beginArray();
            for (const auto& item : v.items()) Emit(item, out);
            out.endArray();
            break;
        case Value::Kind::Object:
            out.beginObject();
            for (const auto& [k, m] : v.members()) {
                out.key(k);
                Emit(m, out);
            }
            out.endObject();
            break;
    }
}

std::string ToJson(const Value& v, bool pretty) {
    std::ostringstream os;
    {
        JsonWriter w(os, pretty);
        Emit(v, w);
    }
    return os.str();
}

std::string ToText(const Value& v) {
    std::ostringstream os;
    {
        TextWriter w(os);
        Emit(v, w);
    }
    return os.str();
}

}  // namespace t2v::decode
