// libFuzzer entry of CheckFunctionFile (FuzzChecks.cpp).
#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    t2v::fuzz::CheckFunctionFile(data, size);
    return 0;
}
