#include "common/KeyedHash.h"

#include <chrono>
#include <random>

namespace t2v::common {

namespace {

HashKey DrawKey() {
    HashKey key;
    std::random_device device;
    key.k0 = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    key.k1 = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    // Where the random device is weak (a fixed sequence on some platforms), the clock
    // and the address of the key still make it differ from run to run.
    key.k0 ^= static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    key.k1 ^= static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(&key));
    return key;
}

}  // namespace

const HashKey& ProcessHashKey() {
    static const HashKey key = DrawKey();
    return key;
}

}  // namespace t2v::common
