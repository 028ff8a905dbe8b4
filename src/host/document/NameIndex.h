// A hash index from names to positions in a family's table.
//
// Models reach a million objects, and every host query names its object, so every
// lookup must be O(1). The index stores only 32-bit positions (plus the high hash bits,
// to skip most string compares) and asks its owner for the name at a position, so the
// names live once, in the table, and a table that grows (DefineMaterial) never leaves
// the index pointing at moved strings.
//
// Loading a large document inserts and looks up millions of names whose slots lie
// anywhere in memory; one at a time, each would wait for its own cache miss. The batch
// operations below first compute the hashes of a block of names and ask the processor
// to fetch their slots, then probe them, so the waits overlap. They give exactly the
// results of the one-at-a-time operations in the same order.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "common/KeyedHash.h"
#include "platform/LargeMemory.h"

#if defined(__GNUC__) || defined(__clang__)
#define T2V_PREFETCH(address) __builtin_prefetch(address)
#else
#define T2V_PREFETCH(address) ((void)(address))
#endif

namespace t2v::host::document {

using platform::LargeVector;

class NameIndex {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    // Sizes an empty index for `count` names, so loading never rehashes.
    void reserve(std::size_t count) {
        if (count_ != 0) return;
        const std::size_t want = capacityFor(count);
        if (want > slots_.size()) slots_.assign(want, Slot{});
    }

    std::size_t size() const { return count_; }

    // Adds `position` under `name` unless the name is already there; answers the
    // position already holding the name, or kNone when it was added. `nameAt` gives the
    // name stored at a position (needed when the table grows).
    template <class NameAt>
    std::uint32_t insert(std::string_view name, std::uint32_t position, const NameAt& nameAt) {
        growFor(count_ + 1, nameAt);
        return insertHashed(name, hashOf(name), position, nameAt);
    }

    template <class NameAt>
    std::uint32_t find(std::string_view name, const NameAt& nameAt) const {
        if (slots_.empty()) return kNone;
        return findHashed(name, hashOf(name), nameAt);
    }

    // Inserts the names at positions [first, last) in order. Stops at the first name
    // already present and answers {its position, the position holding the name}; answers
    // {kNone, kNone} when all were added.
    template <class NameAt>
    std::pair<std::uint32_t, std::uint32_t> insertRange(std::uint32_t first, std::uint32_t last, const NameAt& nameAt) {
        growFor(count_ + (last - first), nameAt);
        std::uint64_t hashes[kBlock];
        for (std::uint32_t block = first; block < last; block += kBlock) {
            const std::uint32_t n = std::min<std::uint32_t>(kBlock, last - block);
            for (std::uint32_t k = 0; k < n; ++k) {
                hashes[k] = hashOf(nameAt(block + k));
                T2V_PREFETCH(&slots_[hashes[k] & (slots_.size() - 1)]);
            }
            for (std::uint32_t k = 0; k < n; ++k) {
                const std::uint32_t existing = insertHashed(nameAt(block + k), hashes[k], block + k, nameAt);
                if (existing != kNone) return {block + k, existing};
            }
        }
        return {kNone, kNone};
    }

    // Looks up every name of `names`, writing positions (kNone when absent) to `out`.
    // `itemAt` gives the address of the object at a position, fetched ahead of the
    // compare that confirms a match.
    template <class NameAt, class ItemAt>
    void findMany(std::span<const std::string_view> names, std::uint32_t* out, const NameAt& nameAt,
                  const ItemAt& itemAt) const {
        if (slots_.empty()) {
            for (std::size_t i = 0; i < names.size(); ++i) out[i] = kNone;
            return;
        }
        const std::size_t mask = slots_.size() - 1;
        std::uint64_t hashes[kBlock];
        std::uint32_t candidates[kBlock];
        for (std::size_t block = 0; block < names.size(); block += kBlock) {
            const std::size_t n = std::min<std::size_t>(kBlock, names.size() - block);
            for (std::size_t k = 0; k < n; ++k) {
                hashes[k] = hashOf(names[block + k]);
                T2V_PREFETCH(&slots_[hashes[k] & mask]);
            }
            // The first slot of each probe usually decides: an empty slot or a tag
            // that matches. Fetch the object of a matching tag before comparing.
            for (std::size_t k = 0; k < n; ++k) {
                const Slot& s = slots_[hashes[k] & mask];
                candidates[k] = (s.position != kNone && s.tag == tagOf(hashes[k])) ? s.position : kNone;
                if (candidates[k] != kNone) T2V_PREFETCH(itemAt(candidates[k]));
            }
            for (std::size_t k = 0; k < n; ++k) {
                const std::string_view name = names[block + k];
                if (candidates[k] != kNone && nameAt(candidates[k]) == name) {
                    out[block + k] = candidates[k];
                } else {
                    out[block + k] = findHashed(name, hashes[k], nameAt);
                }
            }
        }
    }

private:
    struct Slot {
        std::uint32_t position = kNone;
        std::uint32_t tag = 0;
    };
    static constexpr std::uint32_t kBlock = 64;

    // Keyed, so that a document cannot pick names that pile up in one run of slots.
    std::uint64_t hashOf(std::string_view name) const { return common::SipHash<1, 3>(key_, name); }
    static std::uint32_t tagOf(std::uint64_t h) { return static_cast<std::uint32_t>(h >> 32); }

    // At most 70 % of the slots are used, which keeps probes short.
    static std::size_t capacityFor(std::size_t count) {
        std::size_t want = 16;
        while (want * 7 < count * 10) want *= 2;
        return want;
    }

    template <class NameAt>
    void growFor(std::size_t count, const NameAt& nameAt) {
        const std::size_t want = capacityFor(count);
        if (want > slots_.size()) rehash(want, nameAt);
    }

    template <class NameAt>
    std::uint32_t insertHashed(std::string_view name, std::uint64_t h, std::uint32_t position, const NameAt& nameAt) {
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
    std::uint32_t findHashed(std::string_view name, std::uint64_t h, const NameAt& nameAt) const {
        const std::uint32_t tag = tagOf(h);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = static_cast<std::size_t>(h) & mask;; i = (i + 1) & mask) {
            const Slot& s = slots_[i];
            if (s.position == kNone) return kNone;
            if (s.tag == tag && nameAt(s.position) == name) return s.position;
        }
    }

    // Only the high hash bits are kept (as the tag); the probe start comes from the low
    // bits, so growing hashes the names once more.
    template <class NameAt>
    void rehash(std::size_t newSize, const NameAt& nameAt) {
        LargeVector<Slot> old;
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

    LargeVector<Slot> slots_;
    std::size_t count_ = 0;
    common::HashKey key_ = common::ProcessHashKey();
};

}  // namespace t2v::host::document
