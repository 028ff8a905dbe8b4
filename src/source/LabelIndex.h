// Indexes of source objects by label.
//
// A large model holds a million frames and a few hundred thousand nodes, and the read
// and fill steps look labels up several times per object. A node-based hash map pays
// an allocation per entry and a pointer chase per probe; these indexes are one flat
// array of slots (open addressing, linear probing, at most 70 % full). A slot keeps the
// object's address and 32 bits of its label's hash, so a probe compares a label only
// when the hashes agree. Labels are not copied: the index reads them from the objects,
// which stay at their addresses (see ObjTable).
//
// Every lookup answers what a scan of the table in order would: the first object added
// with that label.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <vector>

#include "common/KeyedHash.h"
#include "platform/LargeMemory.h"

namespace t2v::source {

namespace detail {

// The probing shared by both indexes; a Slot is one of the two below.
template <class T, class Slot>
class FlatLabelTable {
public:
    void clear() {
        slots_.clear();
        slots_.shrink_to_fit();
        count_ = 0;
    }
    // Room for `count` labels without growing.
    void reserve(std::size_t count) {
        if (capacityFor(count) > slots_.size()) rehash(capacityFor(count));
    }
    std::size_t size() const { return count_; }

    // The first object with the label, or nullptr.
    T* first(std::string_view label) const {
        const Slot* s = find(label);
        return s ? s->first : nullptr;
    }

    const Slot* find(std::string_view label) const {
        if (slots_.empty()) return nullptr;
        const std::uint64_t h = hashOf(label);
        const std::uint32_t tag = tagOf(h);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = static_cast<std::size_t>(h) & mask;; i = (i + 1) & mask) {
            const Slot& s = slots_[i];
            if (!s.first) return nullptr;
            if (s.tag == tag && std::string_view(s.first->Label) == label) return &s;
        }
    }

    // The slot of `label`, made empty-but-claimed (first == nullptr is filled by the
    // caller) when the label is new; `isNew` tells which.
    Slot& slotFor(std::string_view label, bool& isNew) {
        if (capacityFor(count_ + 1) > slots_.size()) rehash(capacityFor(count_ + 1));
        const std::uint64_t h = hashOf(label);
        const std::uint32_t tag = tagOf(h);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = static_cast<std::size_t>(h) & mask;; i = (i + 1) & mask) {
            Slot& s = slots_[i];
            if (!s.first) {
                s.tag = tag;
                ++count_;
                isNew = true;
                return s;
            }
            if (s.tag == tag && std::string_view(s.first->Label) == label) {
                isNew = false;
                return s;
            }
        }
    }

private:
    // Keyed (see common/KeyedHash.h): labels come from the model, and an unkeyed hash
    // would let a model pile its labels into one run of slots.
    std::uint64_t hashOf(std::string_view label) const { return common::SipHash<1, 3>(key_, label); }
    static std::uint32_t tagOf(std::uint64_t h) { return static_cast<std::uint32_t>(h >> 32); }
    static std::size_t capacityFor(std::size_t count) {
        std::size_t want = 16;
        while (want * 7 < count * 10) want *= 2;
        return want;
    }
    void rehash(std::size_t newSize) {
        platform::LargeVector<Slot> old(newSize);
        old.swap(slots_);
        const std::size_t mask = newSize - 1;
        for (const Slot& s : old) {
            if (!s.first) continue;
            std::size_t i = static_cast<std::size_t>(hashOf(s.first->Label)) & mask;
            while (slots_[i].first) i = (i + 1) & mask;
            slots_[i] = s;
        }
    }

    platform::LargeVector<Slot> slots_;
    std::size_t count_ = 0;
    common::HashKey key_ = common::ProcessHashKey();
};

template <class T>
struct FirstSlot {
    T* first = nullptr;
    std::uint32_t tag = 0;
};
template <class T>
struct ChainSlot {
    T* first = nullptr;
    T* last = nullptr;
    std::uint32_t tag = 0;
};

}  // namespace detail

// The first object with a given label.
template <class T>
class LabelIndex : private detail::FlatLabelTable<T, detail::FirstSlot<T>> {
    using Table = detail::FlatLabelTable<T, detail::FirstSlot<T>>;

public:
    // Indexes `obj` under its Label; an object added earlier with the same label keeps
    // the label.
    void add(T* obj) {
        bool isNew = false;
        auto& s = Table::slotFor(obj->Label, isNew);
        if (isNew) s.first = obj;
    }
    T* find(std::string_view label) const { return Table::first(label); }
    using Table::clear;
    using Table::reserve;
};

// Every object with a label, in the order added. The objects of one label are chained
// through their member `Next` (owned by this index), so a label shared by several
// objects (a split triangle) costs no list of its own.
template <class T, T* T::*Next>
class LabelChains : private detail::FlatLabelTable<T, detail::ChainSlot<T>> {
    using Table = detail::FlatLabelTable<T, detail::ChainSlot<T>>;

public:
    class Range {
    public:
        class iterator {
        public:
            using iterator_category = std::forward_iterator_tag;
            using value_type = T*;
            using difference_type = std::ptrdiff_t;
            using pointer = T* const*;
            using reference = T* const&;
            iterator() = default;
            explicit iterator(T* at) : at_(at) {}
            T* operator*() const { return at_; }
            iterator& operator++() {
                at_ = at_->*Next;
                return *this;
            }
            iterator operator++(int) {
                iterator before = *this;
                ++*this;
                return before;
            }
            bool operator==(const iterator&) const = default;

        private:
            T* at_ = nullptr;
        };
        explicit Range(T* first) : first_(first) {}
        iterator begin() const { return iterator(first_); }
        iterator end() const { return iterator(); }
        bool empty() const { return first_ == nullptr; }
        std::size_t size() const { return static_cast<std::size_t>(std::distance(begin(), end())); }

    private:
        T* first_;
    };

    void add(T* obj) {
        obj->*Next = nullptr;
        bool isNew = false;
        auto& s = Table::slotFor(obj->Label, isNew);
        if (isNew)
            s.first = obj;
        else
            s.last->*Next = obj;
        s.last = obj;
    }
    Range find(std::string_view label) const { return Range(Table::first(label)); }
    using Table::clear;
    using Table::first;
    using Table::reserve;
};

}  // namespace t2v::source
