#include "skin/art_inflate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>

namespace gd {

namespace {

constexpr int kMaxCodeBits = 15;
// Codes up to this long decode with one table look-up; longer ones, the
// rare symbols, are decoded a bit at a time.
constexpr int kFastBits = 10;
constexpr int kLengthSymbols = 288;
constexpr int kDistanceSymbols = 32;
constexpr int kEndOfBlock = 256;
constexpr std::size_t kCopyStep = 32;

constexpr std::array<std::uint16_t, 29> kLengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                    15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                    67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra{0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                      4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                      9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order a dynamic block lists its code length code's lengths in.
constexpr std::array<std::uint8_t, 19> kCodeLengthOrder{16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                        11, 4,  12, 3, 13, 2, 14, 1, 15};

// One load where the machine is little-endian, as every Windows target is;
// compilers do not merge the byte-by-byte form.
std::uint64_t LoadLittleEndian64(const std::uint8_t* bytes) {
    std::uint64_t word = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&word, bytes, sizeof word);
    } else {
        for (int i = 7; i >= 0; --i) {
            word = (word << 8) | bytes[i];
        }
    }
    return word;
}

// Bits of the stream, least significant first. Past the end of the input it
// reads zeros and counts them, so that a decoder never reads out of bounds
// and a stream that needed them is refused at the end.
class BitReader {
  public:
    explicit BitReader(std::span<const std::uint8_t> in) : in_(in) {}

    // At least 56 bits in the buffer afterwards.
    void Refill() {
        if (in_.size() - std::min(pos_, in_.size()) >= 8) {
            const std::uint64_t word = LoadLittleEndian64(in_.data() + pos_);
            bits_ |= word << count_;
            pos_ += static_cast<std::size_t>((63 - count_) >> 3);
            count_ |= 56;
            return;
        }
        while (count_ <= 56) {
            const std::uint64_t byte = pos_ < in_.size() ? in_[pos_] : 0;
            bits_ |= byte << count_;
            ++pos_;
            count_ += 8;
        }
    }
    std::uint32_t Peek() const { return static_cast<std::uint32_t>(bits_); }
    void Drop(int n) {
        bits_ >>= n;
        count_ -= n;
    }
    // n <= 32, after a Refill that covers them.
    std::uint32_t Take(int n) {
        const auto value = static_cast<std::uint32_t>(bits_ & ((std::uint64_t{1} << n) - 1));
        Drop(n);
        return value;
    }
    // Whether every bit taken so far was in the input.
    bool WithinInput() const {
        const std::size_t unread = static_cast<std::size_t>(count_) / 8;
        return pos_ - unread <= in_.size();
    }
    // Drops the bits up to the next byte and hands back the bytes from
    // there as a whole span; Refill starts again after `used` of them.
    std::span<const std::uint8_t> AlignedRest() {
        Drop(count_ % 8);
        const std::size_t unread = static_cast<std::size_t>(count_) / 8;
        bits_ = 0;
        count_ = 0;
        pos_ -= unread;
        return pos_ <= in_.size() ? in_.subspan(pos_) : std::span<const std::uint8_t>{};
    }
    void Skip(std::size_t used) { pos_ += used; }

  private:
    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
    std::uint64_t bits_ = 0;
    int count_ = 0;
};

// A canonical Huffman code: a table of the short codes, by their first
// kFastBits bits, and the counts and symbols for decoding the long ones.
class HuffmanCode {
  public:
    // False for an over-subscribed set of lengths. An incomplete one is
    // taken: its unused codes are refused when they are met.
    bool Build(std::span<const std::uint8_t> lengths) {
        count_.fill(0);
        for (std::uint8_t length : lengths) {
            ++count_[length];
        }
        count_[0] = 0;
        int left = 1;
        for (int length = 1; length <= kMaxCodeBits; ++length) {
            left = (left << 1) - count_[static_cast<std::size_t>(length)];
            if (left < 0) {
                return false;
            }
        }
        std::array<std::uint16_t, kMaxCodeBits + 2> offset{};
        std::array<std::uint32_t, kMaxCodeBits + 1> nextCode{};
        std::uint32_t code = 0;
        for (std::size_t length = 1; length <= kMaxCodeBits; ++length) {
            offset[length + 1] = static_cast<std::uint16_t>(offset[length] + count_[length]);
            code = (code + count_[length - 1]) << 1;
            nextCode[length] = code;
        }
        fast_.fill(0);
        for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
            const std::uint8_t length = lengths[symbol];
            if (length == 0) {
                continue;
            }
            symbols_[offset[length]++] = static_cast<std::uint16_t>(symbol);
            if (length <= kFastBits) {
                FillFast(Reversed(nextCode[length], length), length, symbol);
            }
            ++nextCode[length];
        }
        return true;
    }

    // A symbol, or -1 for a code the set does not assign. Needs 15 bits in
    // the reader.
    int Decode(BitReader& reader) const {
        const std::uint16_t entry = fast_[reader.Peek() & ((1U << kFastBits) - 1)];
        if (entry != 0) {
            reader.Drop(entry & 0xF);
            return entry >> 4;
        }
        return DecodeLong(reader);
    }

  private:
    static std::uint32_t Reversed(std::uint32_t code, int length) {
        std::uint32_t reversed = 0;
        for (int i = 0; i < length; ++i) {
            reversed = (reversed << 1) | ((code >> i) & 1U);
        }
        return reversed;
    }
    void FillFast(std::uint32_t reversed, int length, std::size_t symbol) {
        const auto entry =
            static_cast<std::uint16_t>((symbol << 4) | static_cast<unsigned>(length));
        for (std::uint32_t i = reversed; i < fast_.size(); i += 1U << length) {
            fast_[i] = entry;
        }
    }
    int DecodeLong(BitReader& reader) const {
        const std::uint32_t bits = reader.Peek();
        int code = 0;
        int first = 0;
        int index = 0;
        for (int length = 1; length <= kMaxCodeBits; ++length) {
            code |= static_cast<int>((bits >> (length - 1)) & 1U);
            const int count = count_[static_cast<std::size_t>(length)];
            if (code - first < count) {
                reader.Drop(length);
                return symbols_[static_cast<std::size_t>(index + code - first)];
            }
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }

    std::array<std::uint16_t, 1U << kFastBits> fast_{};
    std::array<std::uint16_t, kMaxCodeBits + 1> count_{};
    std::array<std::uint16_t, kLengthSymbols> symbols_{};
};

class Inflater {
  public:
    Inflater(std::span<const std::uint8_t> in, std::span<std::uint8_t> out)
        : reader_(in), out_(out) {}

    bool Run() {
        bool last = false;
        while (!last) {
            reader_.Refill();
            if (!reader_.WithinInput()) {
                return false;
            }
            last = reader_.Take(1) != 0;
            const std::uint32_t type = reader_.Take(2);
            const bool ok = type == 0   ? Stored()
                            : type == 1 ? FixedCodes() && Codes()
                            : type == 2 ? DynamicCodes() && Codes()
                                        : false;
            if (!ok) {
                return false;
            }
        }
        return reader_.WithinInput() && written_ == out_.size();
    }

  private:
    bool Stored() {
        std::span<const std::uint8_t> rest = reader_.AlignedRest();
        if (rest.size() < 4) {
            return false;
        }
        const std::size_t length = rest[0] | (std::size_t{rest[1]} << 8);
        const std::size_t complement = rest[2] | (std::size_t{rest[3]} << 8);
        if ((length ^ 0xFFFF) != complement || length > rest.size() - 4 ||
            length > out_.size() - written_) {
            return false;
        }
        std::copy_n(rest.begin() + 4, length, out_.begin() + static_cast<std::ptrdiff_t>(written_));
        written_ += length;
        reader_.Skip(4 + length);
        return true;
    }

    bool FixedCodes() {
        std::array<std::uint8_t, kLengthSymbols + kDistanceSymbols> lengths{};
        std::fill_n(lengths.begin(), 144, std::uint8_t{8});
        std::fill(lengths.begin() + 144, lengths.begin() + 256, std::uint8_t{9});
        std::fill(lengths.begin() + 256, lengths.begin() + 280, std::uint8_t{7});
        std::fill(lengths.begin() + 280, lengths.begin() + kLengthSymbols, std::uint8_t{8});
        std::fill(lengths.begin() + kLengthSymbols, lengths.end(), std::uint8_t{5});
        const std::span<const std::uint8_t> all(lengths);
        return lengthCode_.Build(all.first(kLengthSymbols)) &&
               distanceCode_.Build(all.subspan(kLengthSymbols));
    }

    bool DynamicCodes() {
        const std::uint32_t lengthCount = reader_.Take(5) + 257;
        const std::uint32_t distanceCount = reader_.Take(5) + 1;
        const std::uint32_t codeLengthCount = reader_.Take(4) + 4;
        if (lengthCount > 286 || distanceCount > 30) {
            return false;
        }
        std::array<std::uint8_t, kCodeLengthOrder.size()> codeLengths{};
        for (std::uint32_t i = 0; i < codeLengthCount; ++i) {
            reader_.Refill();
            codeLengths[kCodeLengthOrder[i]] = static_cast<std::uint8_t>(reader_.Take(3));
        }
        HuffmanCode codeLengthCode;
        if (!codeLengthCode.Build(codeLengths)) {
            return false;
        }
        std::array<std::uint8_t, kLengthSymbols + kDistanceSymbols> lengths{};
        const std::uint32_t total = lengthCount + distanceCount;
        std::uint32_t filled = 0;
        while (filled < total) {
            reader_.Refill();
            const int symbol = codeLengthCode.Decode(reader_);
            if (symbol < 0) {
                return false;
            }
            if (symbol < 16) {
                lengths[filled++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            std::uint8_t value = 0;
            std::uint32_t repeat = 0;
            if (symbol == 16) {
                if (filled == 0) {
                    return false;
                }
                value = lengths[filled - 1];
                repeat = 3 + reader_.Take(2);
            } else {
                repeat = symbol == 17 ? 3 + reader_.Take(3) : 11 + reader_.Take(7);
            }
            if (repeat > total - filled) {
                return false;
            }
            std::fill_n(lengths.begin() + filled, repeat, value);
            filled += repeat;
        }
        if (lengths[kEndOfBlock] == 0 || !reader_.WithinInput()) {
            return false;
        }
        const std::span<const std::uint8_t> all(lengths);
        return lengthCode_.Build(all.first(lengthCount)) &&
               distanceCode_.Build(all.subspan(lengthCount, distanceCount));
    }

    // The symbols of one block up to its end. A symbol with its extra bits
    // and a distance with its own take at most 48 bits: one refill each.
    bool Codes() {
        for (;;) {
            reader_.Refill();
            const int symbol = lengthCode_.Decode(reader_);
            if (symbol < kEndOfBlock) {
                if (symbol < 0 || written_ == out_.size()) {
                    return false;
                }
                out_[written_++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            if (symbol == kEndOfBlock) {
                return reader_.WithinInput();
            }
            const auto lengthIndex = static_cast<std::size_t>(symbol - kEndOfBlock - 1);
            if (lengthIndex >= kLengthBase.size()) {
                return false;
            }
            const std::size_t length =
                kLengthBase[lengthIndex] + reader_.Take(kLengthExtra[lengthIndex]);
            const int distanceSymbol = distanceCode_.Decode(reader_);
            if (distanceSymbol < 0 ||
                static_cast<std::size_t>(distanceSymbol) >= kDistanceBase.size()) {
                return false;
            }
            const auto distanceIndex = static_cast<std::size_t>(distanceSymbol);
            const std::size_t distance =
                kDistanceBase[distanceIndex] + reader_.Take(kDistanceExtra[distanceIndex]);
            if (distance > written_ || length > out_.size() - written_) {
                return false;
            }
            CopyMatch(distance, length);
        }
    }

    // Most matches copy from the row below, tens of bytes at a time: where
    // the output has room past the match they go in fixed steps, which
    // compile to a few vector moves rather than a call, and may write up to
    // a step beyond the match, bytes the next symbols overwrite. Runs of
    // one colour are matches of a pixel's width or less: the pattern is
    // doubled in place rather than copied a byte at a time.
    void CopyMatch(std::size_t distance, std::size_t length) {
        std::uint8_t* to = out_.data() + written_;
        const std::uint8_t* from = to - distance;
        const std::size_t room = out_.size() - written_;
        written_ += length;
        if (distance >= kCopyStep && room - length >= kCopyStep) {
            const std::uint8_t* const end = to + length;
            do {
                std::memcpy(to, from, kCopyStep);
                to += kCopyStep;
                from += kCopyStep;
            } while (to < end);
            return;
        }
        if (distance >= length) {
            std::memcpy(to, from, length);
            return;
        }
        if (distance == 1) {
            std::memset(to, *from, length);
            return;
        }
        std::memcpy(to, from, distance);
        std::size_t done = distance;
        while (done < length) {
            const std::size_t step = std::min(done, length - done);
            std::memcpy(to + done, to, step);
            done += step;
        }
    }

    BitReader reader_;
    std::span<std::uint8_t> out_;
    std::size_t written_ = 0;
    HuffmanCode lengthCode_;
    HuffmanCode distanceCode_;
};

}  // namespace

bool InflateRaw(std::span<const std::uint8_t> packed, std::span<std::uint8_t> out) {
    return Inflater(packed, out).Run();
}

}  // namespace gd
