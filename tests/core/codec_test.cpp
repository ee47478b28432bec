#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <random>
#include <vector>

#include "profile/codec.h"
#include "profile/records.h"

namespace gd {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes CompressBytes(const Bytes& input, unsigned lengthBits = kProfileLengthBits) {
    Bytes block;
    EXPECT_TRUE(Compress(input.data(), input.size(), lengthBits, nullptr, 0, 0, block));
    return block;
}

Bytes ExpandBytes(const Bytes& block, std::size_t limit = 1 << 24) {
    Bytes raw;
    EXPECT_EQ(Expand(block.data(), block.size(), limit, raw), ExpandStatus::Ok);
    return raw;
}

Bytes Repeat(std::uint8_t value, std::size_t count) {
    return Bytes(count, value);
}

struct GoldenCase {
    const char* name;
    Bytes input;
    Bytes block;
};

// Blocks worked out bit by bit from the token format.
const GoldenCase kGolden[] = {
    {"RunThenLiteral",
     {0x41, 0x41, 0x41, 0x42},
     {0x04, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x83, 0x02, 0x20, 0x04}},
    {"ThreeLiterals",
     {0x61, 0x62, 0x63},
     {0x03, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0xC2, 0x88, 0x19, 0x03}},
    {"OneFullRun", Repeat(0, 1025), {0x01, 0x04, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x01, 0xFE, 0x07}},
    {"TwoRuns",
     Repeat(0, 1027),
     {0x03, 0x04, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x01, 0xFE, 0x0F, 0x00, 0x00}},
    {"Empty", {}, {0x00, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00}},
    // 1025 zeros as one run, then the 1026th byte as a literal.
    {"RunThenLoneByte",
     Repeat(0, 1026),
     {0x02, 0x04, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x01, 0xFE, 0x07, 0x00}},
    // The last byte has no neighbour, so it is a literal.
    {"SingleByte", {0x7F}, {0x01, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0xFE, 0x00}},
};

class CodecGolden : public testing::TestWithParam<GoldenCase> {};

TEST_P(CodecGolden, CompressesToTheExactBlock) {
    EXPECT_EQ(CompressBytes(GetParam().input), GetParam().block);
}

TEST_P(CodecGolden, ExpandsBackToTheInput) {
    EXPECT_EQ(ExpandBytes(GetParam().block), GetParam().input);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, CodecGolden, testing::ValuesIn(kGolden),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Codec, AllZeroProfileImageCompressesTo357Bytes) {
    const Bytes image(kProfileImageSize, 0);
    const Bytes block = CompressBytes(image);
    EXPECT_EQ(block.size(), 357u);
    EXPECT_EQ(ExpandBytes(block), image);
}

TEST(Codec, WorstCasesStayWithinTheReserve) {
    Bytes literals(kProfileImageSize);
    for (std::size_t i = 0; i < literals.size(); ++i) {
        literals[i] = static_cast<std::uint8_t>(i % 2);  // no two equal neighbours
    }
    Bytes pairs(kProfileImageSize);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        pairs[i] = static_cast<std::uint8_t>((i / 2) % 2);  // every pair becomes a run
    }
    EXPECT_EQ(CompressBytes(literals).size(), 169387u);
    EXPECT_EQ(CompressBytes(pairs).size(), 178797u);
    EXPECT_EQ(CompressBound(kProfileImageSize, kProfileLengthBits, 0, 0), 178797u);
    EXPECT_EQ(ExpandBytes(CompressBytes(pairs)), pairs);
    // Inputs of eight bytes or fewer need more than twice their length.
    for (std::size_t n = 0; n <= 8; ++n) {
        const Bytes alternating(n, 0);
        EXPECT_LE(CompressBytes(alternating).size(), CompressBound(n, kProfileLengthBits, 0, 0));
    }
}

TEST(Codec, RoundTripsRandomInputsOfEveryShortLength) {
    std::mt19937 random(7);
    for (unsigned lengthBits : {0u, 1u, 3u, 10u, 16u}) {
        for (std::size_t n = 0; n < 300; ++n) {
            Bytes input(n);
            // Few distinct values, so runs of every length appear.
            for (auto& b : input)
                b = static_cast<std::uint8_t>(random() % 3);
            EXPECT_EQ(ExpandBytes(CompressBytes(input, lengthBits)), input)
                << "length " << n << " lengthBits " << lengthBits;
        }
    }
}

TEST(Codec, LongRunsSplitAtTheRunLimit) {
    for (std::size_t n : {2u, 1024u, 1025u, 1026u, 1027u, 2050u, 2051u, 5000u}) {
        const Bytes input = Repeat(0xEE, n);
        EXPECT_EQ(ExpandBytes(CompressBytes(input)), input) << n;
    }
}

struct DictionaryCase {
    unsigned lengthBits;
    Bytes dictionary;
    unsigned count;
    unsigned width;
};

TEST(CodecDictionary, RoundTripsEveryMode) {
    const DictionaryCase cases[] = {
        {10, {0x00, 0x00, 0x12, 0x34, 0xFF, 0xFF}, 3, 2},
        {0, {0xAB}, 1, 1},  // one symbol: a run is 1 bit + 0 + 0
        {2, {0x00}, 1, 1},  // runs of 3 bits
        {4, {0x01, 0x02, 0x03, 0x04, 0x05}, 5, 1},
        {8, {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80}, 2, 4},
    };
    std::mt19937 random(11);
    for (const auto& c : cases) {
        for (std::size_t n = 0; n < 200; ++n) {
            Bytes input;
            while (input.size() < n) {
                if (random() % 2) {
                    const unsigned entry = random() % c.count;
                    const unsigned times = random() % 5;
                    for (unsigned t = 0; t < times; ++t) {
                        input.insert(input.end(), c.dictionary.begin() + entry * c.width,
                                     c.dictionary.begin() + (entry + 1) * c.width);
                    }
                } else {
                    input.push_back(static_cast<std::uint8_t>(random()));
                }
            }
            input.resize(n);
            Bytes block;
            ASSERT_TRUE(Compress(input.data(), input.size(), c.lengthBits, c.dictionary.data(),
                                 c.count, c.width, block));
            EXPECT_EQ(ExpandBytes(block), input)
                << "n " << n << " count " << c.count << " width " << c.width;
        }
    }
}

TEST(CodecDictionary, ShortLastTokenGetsAPaddingByte) {
    // Runs of 1 bit: 16 of them fill two bytes exactly, so the last token
    // begins in the last byte and the block needs one more byte.
    const Bytes dictionary = {0x5A};
    const Bytes input = Repeat(0x5A, 32);
    Bytes block;
    ASSERT_TRUE(Compress(input.data(), input.size(), 0, dictionary.data(), 1, 1, block));
    EXPECT_EQ(block.size(), 7u + 1 + 2 + 1);
    EXPECT_EQ(ExpandBytes(block), input);
}

TEST(CodecDictionary, EncoderRefusesAnUnsortedDictionary) {
    const Bytes dictionary = {0x02, 0x01};
    Bytes block;
    EXPECT_FALSE(Compress(dictionary.data(), 2, 10, dictionary.data(), 2, 1, block));
}

TEST(CodecExpand, HeaderOnlyBlockGivesZeros) {
    EXPECT_EQ(ExpandBytes({0x05, 0, 0, 0, 0x0A, 0, 0}), Bytes(5, 0));
    EXPECT_TRUE(ExpandBytes({}).empty());
}

TEST(CodecExpand, DropsOutputBeyondRawLength) {
    // A run of 1025 zeros in a block that declares only 10 bytes.
    Bytes block = CompressBytes(Repeat(0, 1025));
    block[0] = 10;
    block[1] = 0;
    EXPECT_EQ(ExpandBytes(block), Bytes(10, 0));
}

TEST(CodecExpand, TokensEndingEarlyLeaveZeros) {
    Bytes block = CompressBytes({1, 2, 3});
    block[0] = 6;
    EXPECT_EQ(ExpandBytes(block), (Bytes{1, 2, 3, 0, 0, 0}));
}

TEST(CodecExpand, ReportsMalformedBlocks) {
    Bytes raw;
    const Bytes shortHeader = {0x04, 0, 0, 0, 0x0A, 0};
    EXPECT_EQ(Expand(shortHeader.data(), shortHeader.size(), 100, raw),
              ExpandStatus::TruncatedHeader);
    const Bytes missingDictionary = {0x04, 0, 0, 0, 0x0A, 3, 2, 0xAA};
    EXPECT_EQ(Expand(missingDictionary.data(), missingDictionary.size(), 100, raw),
              ExpandStatus::TruncatedHeader);
    // Three entries need 2 symbol bits; symbol 3 is beyond them.
    const Bytes badSymbol = {0x04, 0, 0, 0, 0x00, 3, 1, 0x01, 0x02, 0x03, 0b0000'0111, 0, 0};
    EXPECT_EQ(Expand(badSymbol.data(), badSymbol.size(), 100, raw), ExpandStatus::BadSymbol);
    const Bytes huge = {0xFF, 0xFF, 0xFF, 0xFF, 0x0A, 0, 0};
    EXPECT_EQ(Expand(huge.data(), huge.size(), kProfileImageSize, raw), ExpandStatus::TooLarge);
    EXPECT_TRUE(raw.empty());
}

TEST(CodecExpand, WideLengthFieldsSaturateInsteadOfOverflowing) {
    // lengthBits 200: a run whose count does not fit 64 bits still stops at rawLength.
    Bytes block = {0x08, 0, 0, 0, 200, 0, 0};
    block.push_back(0x01 | (0x33 << 1));  // flag 1, then value 0x33 straddling two bytes
    block.push_back(0x00);
    block.resize(block.size() + 30, 0xFF);
    block.push_back(0);
    EXPECT_EQ(ExpandBytes(block), Repeat(0x33, 8));
}

TEST(CodecExpand, NeverReadsPastTheBlock) {
    // Every prefix of a valid block is either refused or expands within rawLength.
    const Bytes block = CompressBytes({9, 9, 9, 1, 2, 3, 3, 3, 3, 4});
    for (std::size_t n = 0; n <= block.size(); ++n) {
        const Bytes prefix(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(n));
        Bytes raw;
        const ExpandStatus status = Expand(prefix.data(), prefix.size(), 100, raw);
        if (status == ExpandStatus::Ok && n > 0) {
            EXPECT_EQ(raw.size(), 10u);
        }
    }
}

}  // namespace
}  // namespace gd
