// A hash index from names to positions in a family's table.
//
// Models reach a million objects, and every host query names its object, so every
// lookup must be O(1). The index stores only 32-bit positions (plus a few hash bits to
// skip most string compares) and asks its owner for the name at a position, so the
// names live once, in the table, and a table that grows (DefineMaterial) never leaves
// the index pointing at moved strings.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace t2v::host::document {

class NameIndex {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    // Sizes an empty index for `count` names, so loading never rehashes.
    void reserve(std::size_t count) {
        if (count_ != 0) return;
        std::size_t want = 16;
        while (want < count * 2) want *= 2;
        if (want > slots_.size()) slots_.assign(want, Slot{});
    }

    std::size_t size() const { return count_; }

    // Adds `position` under `name` unless the name is already there; answers the
    // position already holding the name, or kNone when it was added. `nameAt` gives the
    // name stored at a position (needed when the table grows).
    template <class NameAt>
    std::uint32_t insert(std::string_view name, std::uint32_t position, const NameAt& nameAt) {
        if ((count_ + 1) * 2 > slots_.size()) {
            rehash(slots_.empty() ? 16 : slots_.size() * 2, nameAt);
        }
        const std::uint64_t h = hashOf(name);
        const std::uint32_t tag = tagOf(h);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = static_cast<std::size_t>(h) & mask;; i = (i + 1) & mask) {
            Slot& s = slots_[i];
            if (s.position == kNone) {
                s.position = position;
                s.tag = tag;
                ++count_;
                return kNone;
            }
            if (s.tag == tag && nameAt(s.position) == name) return s.position;
        }
    }

    template <class NameAt>
    std::uint32_t find(std::string_view name, const NameAt& nameAt) const {
        if (slots_.empty()) return kNone;
        const std::uint64_t h = hashOf(name);
        const std::uint32_t tag = tagOf(h);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = static_cast<std::size_t>(h) & mask;; i = (i + 1) & mask) {
            const Slot& s = slots_[i];
            if (s.position == kNone) return kNone;
            if (s.tag == tag && nameAt(s.position) == name) return s.position;
        }
    }

private:
    struct Slot {
        std::uint32_t position = kNone;
        std::uint32_t tag = 0;
    };

    static std::uint64_t hashOf(std::string_view name) {
        return std::hash<std::string_view>{}(name);
    }
    static std::uint32_t tagOf(std::uint64_t h) { return static_cast<std::uint32_t>(h >> 32); }

    // Only the high hash bits are kept (as the tag); the probe start comes from the low
    // bits, so growing hashes the names once more.
    template <class NameAt>
    void rehash(std::size_t newSize, const NameAt& nameAt) {
        std::vector<Slot> old;
        old.swap(slots_);
        slots_.assign(newSize, Slot{});
        const std::size_t mask = newSize - 1;
        for (const Slot& s : old) {
            if (s.position == kNone) continue;
            const std::uint64_t h = hashOf(nameAt(s.position));
            std::size_t i = static_cast<std::size_t>(h) & mask;
            while (slots_[i].position != kNone) i = (i + 1) & mask;
            slots_[i] = s;
        }
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

}  // namespace t2v::host::document
