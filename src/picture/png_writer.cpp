#include "picture/png_writer.h"

#include <array>
#include <cmath>
#include <string_view>

namespace gd {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kMaxMatch = 258;
constexpr int kMinMatch = 3;

struct LengthCode {
    int base;
    int extraBits;
};
// Deflate's length symbols 257..285.
constexpr std::array<LengthCode, 29> kLengthCodes = {{
    {3, 0},  {4, 0},  {5, 0},  {6, 0},   {7, 0},   {8, 0},   {9, 0},   {10, 0},  {11, 1},  {13, 1},
    {15, 1}, {17, 1}, {19, 2}, {23, 2},  {27, 2},  {31, 2},  {35, 3},  {43, 3},  {51, 3},  {59, 3},
    {67, 4}, {83, 4}, {99, 4}, {115, 4}, {131, 5}, {163, 5}, {195, 5}, {227, 5}, {258, 0},
}};

class BitWriter {
  public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Bits(std::uint32_t value, int count) {  // least significant first
        for (int i = 0; i < count; ++i) {
            Bit((value >> i) & 1);
        }
    }
    void Code(std::uint32_t code, int count) {  // Huffman codes: most significant first
        for (int i = count - 1; i >= 0; --i) {
            Bit((code >> i) & 1);
        }
    }
    void Flush() {
        if (used_ > 0) {
            out_.push_back(current_);
            current_ = 0;
            used_ = 0;
        }
    }

  private:
    void Bit(std::uint32_t bit) {
        current_ |= static_cast<std::uint8_t>(bit << used_);
        if (++used_ == 8) {
            Flush();
        }
    }

    std::vector<std::uint8_t>& out_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

// A symbol of the fixed literal/length code.
void Symbol(BitWriter& bits, int symbol) {
    if (symbol < 144) {
        bits.Code(0x30 + symbol, 8);
    } else if (symbol < 256) {
        bits.Code(0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
        bits.Code(symbol - 256, 7);
    } else {
        bits.Code(0xC0 + symbol - 280, 8);
    }
}

void RepeatLast(BitWriter& bits, int length) {
    std::size_t code = kLengthCodes.size() - 1;
    while (kLengthCodes[code].base > length) {
        --code;
    }
    Symbol(bits, 257 + static_cast<int>(code));
    bits.Bits(length - kLengthCodes[code].base, kLengthCodes[code].extraBits);
    bits.Code(0, 5);  // distance 1
}

std::vector<std::uint8_t> Deflate(std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> out = {0x78, 0x01};
    BitWriter bits(out);
    bits.Bits(1, 1);  // the last block
    bits.Bits(1, 2);  // fixed codes
    std::size_t i = 0;
    while (i < data.size()) {
        std::size_t run = 0;
        if (i > 0) {
            while (run < kMaxMatch && i + run < data.size() && data[i + run] == data[i - 1]) {
                ++run;
            }
        }
        if (run >= kMinMatch) {
            RepeatLast(bits, static_cast<int>(run));
            i += run;
        } else {
            Symbol(bits, data[i]);
            ++i;
        }
    }
    Symbol(bits, 256);
    bits.Flush();
    const std::uint32_t adler = Adler32(data);
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(adler >> shift));
    }
    return out;
}

void PutWord(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void Chunk(std::vector<std::uint8_t>& out, std::string_view type,
           const std::vector<std::uint8_t>& body) {
    PutWord(out, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), body.begin(), body.end());
    PutWord(out, Crc32(std::span(out).subspan(start)));
}

// Each row filtered with Sub: a flat stretch becomes a run of zeros.
std::vector<std::uint8_t> FilteredRows(const GrayImage& image) {
    std::vector<std::uint8_t> rows;
    rows.reserve(static_cast<std::size_t>(image.width + 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
        rows.push_back(1);
        for (int x = 0; x < image.width; ++x) {
            rows.push_back(static_cast<std::uint8_t>(row[x] - (x > 0 ? row[x - 1] : 0)));
        }
    }
    return rows;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc) {
    crc = ~crc;
    for (std::uint8_t byte : data) {
        crc ^= byte;
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

std::vector<std::uint8_t> EncodePng(const GrayImage& image) {
    std::vector<std::uint8_t> out(kSignature.begin(), kSignature.end());
    std::vector<std::uint8_t> header;
    PutWord(header, static_cast<std::uint32_t>(image.width));
    PutWord(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {8, 0, 0, 0, 0});  // 8-bit grey, deflate, no interlace
    Chunk(out, "IHDR", header);
    std::vector<std::uint8_t> physical;
    const auto perMetre =
        static_cast<std::uint32_t>(std::lround(image.dotsPerInch * 10000.0 / 254));
    PutWord(physical, perMetre);
    PutWord(physical, perMetre);
    physical.push_back(1);  // the unit is the metre
    Chunk(out, "pHYs", physical);
    Chunk(out, "IDAT", Deflate(FilteredRows(image)));
    Chunk(out, "IEND", {});
    return out;
}

}  // namespace gd
