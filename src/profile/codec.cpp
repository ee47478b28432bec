#include "profile/codec.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace gd {

namespace {

std::uint32_t ReadLe32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

unsigned SymbolBits(unsigned dictCount) {
    // Byte mode names 256 byte values; a dictionary needs as many digits as
    // its highest index has.
    return dictCount == 0 ? 8 : static_cast<unsigned>(std::bit_width(dictCount - 1));
}

// Appends bit fields least significant bit first. The caller has reserved
// CompressBound bytes, so no bounds checks are needed per write.
class BitWriter {
  public:
    explicit BitWriter(std::uint8_t* out) : out_(out) {}

    // width <= 32; fewer than 32 bits are ever pending between calls.
    void Put(std::uint32_t value, unsigned width) {
        accumulator_ |= static_cast<std::uint64_t>(value) << pendingBits_;
        pendingBits_ += width;
        bitCount_ += width;
        if (pendingBits_ >= 32) {
            const std::uint32_t word = static_cast<std::uint32_t>(accumulator_);
            std::memcpy(out_, &word, 4);  // little-endian hosts only (records.h)
            out_ += 4;
            accumulator_ >>= 32;
            pendingBits_ -= 32;
        }
    }

    void Flush() {
        while (pendingBits_ > 0) {
            *out_++ = static_cast<std::uint8_t>(accumulator_);
            accumulator_ >>= 8;
            pendingBits_ = pendingBits_ > 8 ? pendingBits_ - 8 : 0;
        }
    }

    std::uint64_t BitCount() const { return bitCount_; }

  private:
    std::uint8_t* out_;
    std::uint64_t accumulator_ = 0;
    unsigned pendingBits_ = 0;
    std::uint64_t bitCount_ = 0;
};

// Reads bit fields from the block; bits past its end read as zero.
class BitReader {
  public:
    BitReader(const std::uint8_t* block, std::size_t length) : block_(block), length_(length) {}

    // Up to 57 bits starting at bitPos.
    std::uint64_t Peek(std::uint64_t bitPos) const {
        const std::uint64_t byte = bitPos >> 3;
        std::uint64_t word = 0;
        if (byte + 8 <= length_) {
            std::memcpy(&word, block_ + byte, 8);
        } else if (byte < length_) {
            std::memcpy(&word, block_ + byte, length_ - byte);
        }
        return word >> (bitPos & 7);
    }

    // A field of any width; values that do not fit 64 bits saturate.
    std::uint64_t Read(std::uint64_t bitPos, unsigned width) const {
        std::uint64_t value = 0;
        unsigned done = 0;
        while (done < width) {
            const unsigned chunk = std::min(width - done, 32u);
            const std::uint64_t part = Peek(bitPos + done) & ((std::uint64_t{1} << chunk) - 1);
            if (done + chunk <= 64) {
                value |= part << done;
            } else if (part != 0) {
                return std::numeric_limits<std::uint64_t>::max();
            }
            done += chunk;
        }
        return value;
    }

  private:
    const std::uint8_t* block_;
    std::size_t length_;
};

struct Dictionary {
    const std::uint8_t* entries;
    unsigned count;
    unsigned width;

    const std::uint8_t* Entry(unsigned index) const { return entries + std::size_t{index} * width; }

    // Index of the entry equal to `bytes`, or -1.
    int Find(const std::uint8_t* bytes) const {
        unsigned low = 0;
        unsigned high = count;
        while (low < high) {
            const unsigned mid = (low + high) / 2;
            const int order = std::memcmp(Entry(mid), bytes, width);
            if (order == 0) {
                return static_cast<int>(mid);
            }
            if (order < 0) {
                low = mid + 1;
            } else {
                high = mid;
            }
        }
        return -1;
    }

    bool IsSorted() const {
        for (unsigned i = 1; i < count; ++i) {
            if (std::memcmp(Entry(i - 1), Entry(i), width) > 0) {
                return false;
            }
        }
        return true;
    }
};

std::uint64_t EncodeByteMode(const std::uint8_t* input, std::size_t length, unsigned lengthBits,
                             BitWriter& writer) {
    const std::size_t maxExtra = (std::size_t{1} << lengthBits) - 1;
    std::uint64_t lastTokenStart = 0;
    std::size_t pos = 0;
    while (pos < length) {
        lastTokenStart = writer.BitCount();
        const std::uint8_t value = input[pos];
        if (pos + 1 < length && input[pos + 1] == value) {
            std::size_t extra = 0;
            std::size_t next = pos + 2;
            while (extra < maxExtra && next < length && input[next] == value) {
                ++extra;
                ++next;
            }
            writer.Put(1u | std::uint32_t{value} << 1, 9);
            writer.Put(static_cast<std::uint32_t>(extra), lengthBits);
            pos += extra + 2;
        } else {
            writer.Put(std::uint32_t{value} << 1, 9);
            ++pos;
        }
    }
    return lastTokenStart;
}

std::uint64_t EncodeDictionaryMode(const std::uint8_t* input, std::size_t length,
                                   unsigned lengthBits, const Dictionary& dict, BitWriter& writer) {
    const std::size_t maxExtra = (std::size_t{1} << lengthBits) - 1;
    const unsigned symbolBits = SymbolBits(dict.count);
    const std::size_t width = dict.width;
    std::uint64_t lastTokenStart = 0;
    std::size_t pos = 0;
    while (pos < length) {
        lastTokenStart = writer.BitCount();
        int symbol = -1;
        if (length - pos >= 2 * width) {
            symbol = dict.Find(input + pos);
            if (symbol >= 0 && std::memcmp(input + pos + width, input + pos, width) != 0) {
                symbol = -1;
            }
        }
        if (symbol < 0) {
            writer.Put(std::uint32_t{input[pos]} << 1, 9);
            ++pos;
            continue;
        }
        std::size_t extra = 0;
        std::size_t next = pos + 2 * width;
        while (extra < maxExtra && length - next >= width &&
               std::memcmp(input + next, input + pos, width) == 0) {
            ++extra;
            next += width;
        }
        writer.Put(1u | static_cast<std::uint32_t>(symbol) << 1, 1 + symbolBits);
        writer.Put(static_cast<std::uint32_t>(extra), lengthBits);
        pos = next;
    }
    return lastTokenStart;
}

}  // namespace

std::size_t CompressBound(std::size_t inputLength, unsigned lengthBits, unsigned dictCount,
                          unsigned dictWidth) {
    // A literal costs 9 bits per byte; a run covers at least two bytes, so
    // alternating equal pairs cost (1 + symbolBits + lengthBits) / 2 per byte.
    const std::uint64_t runBits = 1 + SymbolBits(dictCount) + lengthBits;
    const std::uint64_t perTwoBytes = std::max<std::uint64_t>(18, runBits);
    const std::uint64_t tokenBits = (std::uint64_t{inputLength} * perTwoBytes + 1) / 2;
    // Dictionary runs can be shorter than 9 bits and may need a padding byte.
    const std::size_t padding = dictCount == 0 ? 0 : 1;
    return kCodecHeaderSize + std::size_t{dictCount} * dictWidth +
           static_cast<std::size_t>((tokenBits + 7) / 8) + padding;
}

bool Compress(const std::uint8_t* input, std::size_t inputLength, unsigned lengthBits,
              const std::uint8_t* dictionary, unsigned dictCount, unsigned dictWidth,
              std::vector<std::uint8_t>& block) {
    if (lengthBits > kMaxEncoderLengthBits || dictCount > 255 || dictWidth > 255 ||
        inputLength > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    const Dictionary dict{dictionary, dictCount, dictWidth};
    if (dictCount > 0 && (dictionary == nullptr || dictWidth == 0 || !dict.IsSorted())) {
        return false;
    }

    block.assign(CompressBound(inputLength, lengthBits, dictCount, dictWidth), 0);
    const std::uint32_t rawLength = static_cast<std::uint32_t>(inputLength);
    block[0] = static_cast<std::uint8_t>(rawLength);
    block[1] = static_cast<std::uint8_t>(rawLength >> 8);
    block[2] = static_cast<std::uint8_t>(rawLength >> 16);
    block[3] = static_cast<std::uint8_t>(rawLength >> 24);
    block[4] = static_cast<std::uint8_t>(lengthBits);
    block[5] = static_cast<std::uint8_t>(dictCount);
    block[6] = static_cast<std::uint8_t>(dictWidth);
    const std::size_t headerBytes = kCodecHeaderSize + std::size_t{dictCount} * dictWidth;
    if (dictCount > 0) {
        std::memcpy(block.data() + kCodecHeaderSize, dictionary, headerBytes - kCodecHeaderSize);
    }

    BitWriter writer(block.data() + headerBytes);
    const std::uint64_t lastStart =
        dictCount == 0 ? EncodeByteMode(input, inputLength, lengthBits, writer)
                       : EncodeDictionaryMode(input, inputLength, lengthBits, dict, writer);
    writer.Flush();

    std::size_t length = headerBytes + static_cast<std::size_t>((writer.BitCount() + 7) / 8);
    if (inputLength > 0) {
        // The decoder reads no token that begins in the block's last byte. A
        // short dictionary run can begin there; one more zero byte moves the
        // end mark past it (zero bits decode as literals beyond rawLength,
        // which the decoder drops).
        const std::size_t lastStartByte = headerBytes + static_cast<std::size_t>(lastStart / 8);
        length = std::max(length, lastStartByte + 2);
    }
    block.resize(length);
    return true;
}

bool ReadRawLength(const std::uint8_t* block, std::size_t blockLength, std::uint32_t& rawLength) {
    if (blockLength < kCodecHeaderSize) {
        return false;
    }
    rawLength = ReadLe32(block);
    return true;
}

ExpandStatus ExpandInto(const std::uint8_t* block, std::size_t blockLength, std::uint8_t* target,
                        std::size_t targetCapacity, std::size_t& rawLength) {
    rawLength = 0;
    if (blockLength == 0) {
        return ExpandStatus::Ok;
    }
    if (blockLength < kCodecHeaderSize) {
        return ExpandStatus::TruncatedHeader;
    }
    const std::uint32_t raw = ReadLe32(block);
    const unsigned lengthBits = block[4];
    const unsigned dictCount = block[5];
    const unsigned dictWidth = block[6];
    const std::size_t headerBytes = kCodecHeaderSize + std::size_t{dictCount} * dictWidth;
    if (blockLength < headerBytes) {
        return ExpandStatus::TruncatedHeader;
    }
    if (raw > targetCapacity) {
        return ExpandStatus::TooLarge;
    }

    const Dictionary dict{block + kCodecHeaderSize, dictCount, dictWidth};
    const unsigned symbolBits = SymbolBits(dictCount);
    const std::uint64_t symbolMask = (std::uint64_t{1} << symbolBits) - 1;
    // Most tokens fit one 57-bit peek; wider run lengths take the slow path.
    const bool fastRuns = 1 + symbolBits + lengthBits <= 57;
    const std::uint64_t lengthMask =
        lengthBits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << lengthBits) - 1;

    const BitReader reader(block, blockLength);
    std::uint64_t bitPos = std::uint64_t{headerBytes} * 8;
    const std::uint64_t endMark = (std::uint64_t{blockLength} - 1) * 8;
    std::size_t out = 0;

    // Tokens whose 8-byte window lies inside the block are read without
    // bounds checks; the last few bytes go through the checked peek.
    const std::uint64_t fastEnd = blockLength >= 8 ? (std::uint64_t{blockLength} - 8) * 8 : 0;
    while (bitPos < endMark && out < raw) {
        std::uint64_t bits;
        if (bitPos < fastEnd) {
            std::memcpy(&bits, block + (bitPos >> 3), 8);
            bits >>= bitPos & 7;
        } else {
            bits = reader.Peek(bitPos);
        }
        if ((bits & 1) == 0) {
            // One window holds six 9-bit tokens; take every leading literal
            // of them at once when all six would begin before the end mark.
            if (bitPos + 45 < endMark && raw - out >= 6) {
                unsigned taken = 0;
                while (taken < 6 && ((bits >> (9 * taken)) & 1) == 0) {
                    target[out + taken] = static_cast<std::uint8_t>(bits >> (9 * taken + 1));
                    ++taken;
                }
                out += taken;
                bitPos += 9 * static_cast<std::size_t>(taken);
                continue;
            }
            target[out++] = static_cast<std::uint8_t>(bits >> 1);
            bitPos += 9;
            continue;
        }
        const unsigned symbol = static_cast<unsigned>((bits >> 1) & symbolMask);
        const std::uint64_t lengthPos = bitPos + 1 + symbolBits;
        const std::uint64_t n =
            fastRuns ? (bits >> (1 + symbolBits)) & lengthMask : reader.Read(lengthPos, lengthBits);
        bitPos = lengthPos + lengthBits;
        const std::uint64_t repeats = n > std::numeric_limits<std::uint64_t>::max() - 2 ? n : n + 2;

        if (dictCount == 0) {
            const std::size_t count =
                static_cast<std::size_t>(std::min<std::uint64_t>(repeats, raw - out));
            if (count <= 8 && raw - out >= 8) {
                // Short runs are the common case in busy images; one 8-byte
                // store beats a memset call, and the spare bytes are rewritten
                // by the tokens that follow.
                const std::uint64_t pattern = 0x0101010101010101ull * symbol;
                std::memcpy(target + out, &pattern, 8);
            } else {
                std::memset(target + out, static_cast<int>(symbol), count);
            }
            out += count;
            continue;
        }
        if (symbol >= dictCount) {
            return ExpandStatus::BadSymbol;
        }
        if (dictWidth == 0) {
            continue;
        }
        const std::uint8_t* entry = dict.Entry(symbol);
        for (std::uint64_t r = 0; r < repeats && out < raw; ++r) {
            const std::size_t count = std::min<std::size_t>(dictWidth, raw - out);
            std::memcpy(target + out, entry, count);
            out += count;
        }
    }
    if (out < raw) {
        std::memset(target + out, 0, raw - out);
    }
    rawLength = raw;
    return ExpandStatus::Ok;
}

ExpandStatus Expand(const std::uint8_t* block, std::size_t blockLength, std::size_t maxRawLength,
                    std::vector<std::uint8_t>& raw) {
    raw.clear();
    std::uint32_t declared = 0;
    if (ReadRawLength(block, blockLength, declared) && declared <= maxRawLength) {
        raw.resize(declared);
    }
    std::size_t length = 0;
    const ExpandStatus status = ExpandInto(block, blockLength, raw.data(), raw.size(), length);
    if (status == ExpandStatus::Ok) {
        raw.resize(length);
    } else {
        raw.clear();
    }
    return status;
}

}  // namespace gd
