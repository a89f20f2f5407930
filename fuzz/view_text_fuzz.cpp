// The view text that --view and the page's address carry. Beyond what the
// sanitizers catch: a refusal says why, and a text that is read writes back
// as one that reads back to the same state.
#include <cstddef>
#include <cstdint>
#include <string>

#include "view_address.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string problem;
    const auto address = ParseViewAddress(std::string(reinterpret_cast<const char*>(data), size), &problem);
    if (!address) {
        if (problem.empty()) __builtin_trap();
        return 0;
    }
    const std::string written = ViewAddressText(*address);
    const auto again = ParseViewAddress(written);
    if (!again || ViewAddressText(*again) != written) __builtin_trap();
    return 0;
}
