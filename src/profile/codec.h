#pragma once
// The profile image's run-length codec. A block is a 7-byte header
// (rawLength u32, lengthBits u8, dictCount u8, dictWidth u8), an optional
// sorted dictionary of dictCount entries of dictWidth bytes, then a stream of
// tokens packed least significant bit first:
//   flag 0, 8 bits            one literal byte
//   flag 1, symbol, length n  the symbol (a byte, or a dictionary entry) n + 2 times
// The symbol field is 8 bits in byte mode (dictCount 0), otherwise the number
// of binary digits of dictCount - 1.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace gd {

inline constexpr std::size_t kCodecHeaderSize = 7;
// The program always writes byte mode with a 10-bit run length.
inline constexpr unsigned kProfileLengthBits = 10;
// The encoder accepts run-length fields up to this width.
inline constexpr unsigned kMaxEncoderLengthBits = 24;
// What a block's header can declare at most, one byte each.
inline constexpr unsigned kLargestLengthBits = 255;
inline constexpr unsigned kLargestDictCount = 255;
inline constexpr unsigned kLargestDictWidth = 255;

// Largest block Compress can produce for `inputLength` bytes with these
// parameters (the size it reserves before trimming).
std::size_t CompressBound(std::size_t inputLength, unsigned lengthBits, unsigned dictCount,
                          unsigned dictWidth);

// Compresses `input` into `block` (replacing its contents). Byte mode when
// dictCount is 0; otherwise `dictionary` holds dictCount sorted entries of
// dictWidth bytes. Returns false for parameters the format cannot carry
// (lengthBits above kMaxEncoderLengthBits, dictCount or dictWidth above 255,
// a dictionary with dictWidth 0, input longer than 4 GiB - 1).
bool Compress(const std::uint8_t* input, std::size_t inputLength, unsigned lengthBits,
              const std::uint8_t* dictionary, unsigned dictCount, unsigned dictWidth,
              std::vector<std::uint8_t>& block);

enum class ExpandStatus {
    Ok,
    TruncatedHeader,  // 1..6 bytes, or shorter than header plus dictionary
    BadSymbol,        // a run names a symbol not below dictCount
    TooLarge,         // rawLength exceeds what the caller can take
};

// Reads the rawLength of a block; false when the block has no full header.
bool ReadRawLength(const std::uint8_t* block, std::size_t blockLength, std::uint32_t& rawLength);

// Expands `block` into `target`, which holds `targetCapacity` bytes. Writes
// exactly rawLength bytes (zero where the tokens end early) and nothing past
// them; never reads past the block. A block of length 0 expands to nothing.
ExpandStatus ExpandInto(const std::uint8_t* block, std::size_t blockLength, std::uint8_t* target,
                        std::size_t targetCapacity, std::size_t& rawLength);

// As ExpandInto, allocating the output; refuses a rawLength above maxRawLength.
ExpandStatus Expand(const std::uint8_t* block, std::size_t blockLength, std::size_t maxRawLength,
                    std::vector<std::uint8_t>& raw);

}  // namespace gd
