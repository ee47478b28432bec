// Expand over arbitrary blocks: never a crash, never more than rawLength
// bytes, and whatever expands compresses and expands back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "profile/codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kLimit =
        1 << 16;  // big enough for every token kind, small enough to be fast
    std::vector<std::uint8_t> raw;
    if (gd::Expand(data, size, kLimit, raw) != gd::ExpandStatus::Ok) {
        return 0;
    }
    std::uint32_t declared = 0;
    if (size > 0 && (!gd::ReadRawLength(data, size, declared) || declared != raw.size())) {
        std::abort();
    }
    std::vector<std::uint8_t> block;
    if (!gd::Compress(raw.data(), raw.size(), gd::kProfileLengthBits, nullptr, 0, 0, block)) {
        std::abort();
    }
    std::vector<std::uint8_t> again;
    if (gd::Expand(block.data(), block.size(), kLimit, again) != gd::ExpandStatus::Ok ||
        again != raw) {
        std::abort();
    }
    return 0;
}
