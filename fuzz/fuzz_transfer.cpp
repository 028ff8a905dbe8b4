// libFuzzer entry of CheckTransfer (FuzzChecks.cpp).
#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    t2v::fuzz::CheckTransfer(data, size);
    return 0;
}
