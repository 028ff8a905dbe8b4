#include "platform/LargeMemory.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace t2v::platform {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kLargeBlock = std::size_t{4} << 20;

bool UsesHugePages(std::size_t bytes) {
#if defined(__linux__)
    return bytes >= kLargeBlock;
#else
    (void)bytes;
    return false;
#endif
}

#if defined(__linux__)
std::size_t Rounded(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }
#endif

}  // namespace

void* AllocateLarge(std::size_t bytes) {
    if (!UsesHugePages(bytes)) return ::operator new(bytes);
#if defined(__linux__)
    void* block = std::aligned_alloc(kHugePage, Rounded(bytes));
    if (!block) throw std::bad_alloc();
    // Only a hint: without huge pages the block works the same.
    (void)madvise(block, Rounded(bytes), MADV_HUGEPAGE);
    return block;
#else
    return ::operator new(bytes);
#endif
}

void FreeLarge(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (UsesHugePages(bytes)) {
        std::free(block);
    } else {
        ::operator delete(block);
    }
}

}  // namespace t2v::platform
