// Memory for large tables: the tables of a loaded document, the source model's object
// blocks and label indexes, the structure records of the store.
//
// A large transfer fills a gigabyte of tables in one go. Taken from the
// system in ordinary 4 KB pages, every page costs a fault on first touch, and on
// virtual machines those faults cost more than the parsing itself. Blocks of 4 MB and
// more are therefore aligned to 2 MB and, on Linux, offered to the kernel for
// transparent huge pages, which cuts the faults 512-fold where the system allows it.
// Elsewhere, and for small blocks, this is the ordinary allocator.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

namespace t2v::platform {

void* AllocateLarge(std::size_t bytes);
void FreeLarge(void* block, std::size_t bytes) noexcept;

template <class T>
struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <class U>
    LargeAllocator(const LargeAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) { return static_cast<T*>(AllocateLarge(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeLarge(p, n * sizeof(T)); }

    template <class U>
    bool operator==(const LargeAllocator<U>&) const noexcept {
        return true;
    }
};

template <class T>
using LargeVector = std::vector<T, LargeAllocator<T>>;

// A byte buffer with room to spare after its end (the JSON parser reads a little past
// the text).
class LargeBuffer {
public:
    LargeBuffer() = default;
    LargeBuffer(std::size_t size, std::size_t spare)
        : bytes_(size + spare), size_(size), data_(static_cast<char*>(AllocateLarge(bytes_))) {
        for (std::size_t i = size; i < bytes_; ++i) data_[i] = '\0';
    }
    LargeBuffer(LargeBuffer&& other) noexcept : bytes_(other.bytes_), size_(other.size_), data_(other.data_) {
        other.data_ = nullptr;
    }
    LargeBuffer& operator=(LargeBuffer&& other) noexcept {
        std::swap(bytes_, other.bytes_);
        std::swap(size_, other.size_);
        std::swap(data_, other.data_);
        return *this;
    }
    ~LargeBuffer() {
        if (data_) FreeLarge(data_, bytes_);
    }
    char* data() { return data_; }
    const char* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    std::size_t bytes_ = 0;
    std::size_t size_ = 0;
    char* data_ = nullptr;
};

}  // namespace t2v::platform
