// libFuzzer entry of CheckDecode (FuzzChecks.cpp).
#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    t2v::fuzz::CheckDecode(data, size);
    return 0;
}
