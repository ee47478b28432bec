#include <gtest/gtest.h>

#include <algorithm>
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

// Blocks worked out bit by bit from the token format.
TEST(Codec, WorkedExamplesCompressToTheExactBlockAndBack) {
    const struct {
        const char* name;
        Bytes input;
        Bytes block;
    } cases[] = {
        {"run then literal",
         {0x41, 0x41, 0x41, 0x42},
         {4, 0, 0, 0, 10, 0, 0, 0x83, 0x02, 0x20, 0x04}},
        {"three literals", {0x61, 0x62, 0x63}, {3, 0, 0, 0, 10, 0, 0, 0xC2, 0x88, 0x19, 0x03}},
        {"one full run", Bytes(1025, 0), {0x01, 0x04, 0, 0, 10, 0, 0, 0x01, 0xFE, 0x07}},
        {"two runs", Bytes(1027, 0), {0x03, 0x04, 0, 0, 10, 0, 0, 0x01, 0xFE, 0x0F, 0, 0}},
        {"empty", {}, {0, 0, 0, 0, 10, 0, 0}},
        // 1025 zeros as one run, then the 1026th byte as a literal.
        {"run then lone byte", Bytes(1026, 0), {0x02, 0x04, 0, 0, 10, 0, 0, 0x01, 0xFE, 0x07, 0}},
        // The last byte has no neighbour, so it is a literal.
        {"single byte", {0x7F}, {1, 0, 0, 0, 10, 0, 0, 0xFE, 0x00}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompressBytes(c.input), c.block) << c.name;
        EXPECT_EQ(ExpandBytes(c.block), c.input) << c.name;
    }
}

TEST(Codec, ProfileSizedBlocksStayWithinTheReserve) {
    EXPECT_EQ(CompressBytes(Bytes(kProfileImageSize, 0)).size(), 357u);
    Bytes literals(kProfileImageSize);
    Bytes pairs(kProfileImageSize);
    for (std::size_t i = 0; i < kProfileImageSize; ++i) {
        literals[i] = static_cast<std::uint8_t>(i % 2);     // no two equal neighbours
        pairs[i] = static_cast<std::uint8_t>((i / 2) % 2);  // every pair becomes a run
    }
    EXPECT_EQ(CompressBytes(literals).size(), 169387u);
    EXPECT_EQ(CompressBytes(pairs).size(), 178797u);
    EXPECT_EQ(CompressBound(kProfileImageSize, kProfileLengthBits, 0, 0), 178797u);
    EXPECT_EQ(ExpandBytes(CompressBytes(pairs)), pairs);
    // Inputs of eight bytes or fewer need more than twice their length.
    for (std::size_t n = 0; n <= 8; ++n) {
        EXPECT_LE(CompressBytes(Bytes(n, 0)).size(), CompressBound(n, kProfileLengthBits, 0, 0));
    }
}

TEST(Codec, RoundTripsRandomInputsInByteAndDictionaryModes) {
    std::mt19937 random(7);
    for (unsigned lengthBits : {0u, 1u, 3u, 10u, 16u}) {
        for (std::size_t n = 0; n < 300; ++n) {
            Bytes input(n);
            for (auto& b : input) {
                b = static_cast<std::uint8_t>(random() % 3);  // runs of every length
            }
            EXPECT_EQ(ExpandBytes(CompressBytes(input, lengthBits)), input)
                << n << "/" << lengthBits;
        }
    }
    for (std::size_t n : {2u, 1024u, 1025u, 1026u, 1027u, 2050u, 2051u, 5000u}) {
        EXPECT_EQ(ExpandBytes(CompressBytes(Bytes(n, 0xEE))), Bytes(n, 0xEE)) << n;
    }
    const struct {
        unsigned lengthBits;
        Bytes dictionary;
        unsigned count, width;
    } modes[] = {
        {10, {0x00, 0x00, 0x12, 0x34, 0xFF, 0xFF}, 3, 2},
        {0, {0xAB}, 1, 1},  // one symbol: a run is 1 bit + 0 + 0
        {8, {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80}, 2, 4},
    };
    for (const auto& m : modes) {
        for (std::size_t n = 0; n < 200; ++n) {
            Bytes input;
            while (input.size() < n) {
                const auto entry = m.dictionary.begin() + (random() % m.count) * m.width;
                for (unsigned times = random() % 2 ? random() % 5 : 0; times > 0; --times) {
                    input.insert(input.end(), entry, entry + m.width);
                }
                input.push_back(static_cast<std::uint8_t>(random()));
            }
            input.resize(n);
            Bytes block;
            ASSERT_TRUE(Compress(input.data(), n, m.lengthBits, m.dictionary.data(), m.count,
                                 m.width, block));
            EXPECT_EQ(ExpandBytes(block), input) << n << " count " << m.count;
        }
    }
}

TEST(Codec, DictionaryBlocksPadTheLastTokenAndMustBeSorted) {
    // Runs of 1 bit: 16 of them fill two bytes exactly, so the last token
    // begins in the last byte and the block needs one more byte.
    const Bytes dictionary = {0x5A};
    Bytes block;
    ASSERT_TRUE(Compress(Bytes(32, 0x5A).data(), 32, 0, dictionary.data(), 1, 1, block));
    EXPECT_EQ(block.size(), 7u + 1 + 2 + 1);
    EXPECT_EQ(ExpandBytes(block), Bytes(32, 0x5A));
    const Bytes unsorted = {0x02, 0x01};
    EXPECT_FALSE(Compress(unsorted.data(), 2, 10, unsorted.data(), 2, 1, block));
}

TEST(Codec, ExpandWritesExactlyRawLengthBytes) {
    EXPECT_EQ(ExpandBytes({0x05, 0, 0, 0, 0x0A, 0, 0}), Bytes(5, 0));  // header only
    EXPECT_TRUE(ExpandBytes({}).empty());
    Bytes longRun = CompressBytes(Bytes(1025, 0));
    longRun[0] = 10;
    longRun[1] = 0;
    EXPECT_EQ(ExpandBytes(longRun), Bytes(10, 0));
    Bytes early = CompressBytes({1, 2, 3});
    early[0] = 6;
    EXPECT_EQ(ExpandBytes(early), (Bytes{1, 2, 3, 0, 0, 0}));
    // lengthBits 200: a run whose count does not fit 64 bits still stops at rawLength.
    Bytes wide(40, 0xFF);  // flag 1, then value 0x33 straddling two bytes, a huge count
    const Bytes head = {0x08, 0, 0, 0, 200, 0, 0, 0x01 | (0x33 << 1), 0x00};
    std::copy(head.begin(), head.end(), wide.begin());
    wide.back() = 0;
    EXPECT_EQ(ExpandBytes(wide), Bytes(8, 0x33));
}

TEST(Codec, ExpandRefusesMalformedBlocksAndNeverReadsPastOne) {
    const struct {
        Bytes block;
        ExpandStatus status;
    } cases[] = {
        {{0x04, 0, 0, 0, 0x0A, 0}, ExpandStatus::TruncatedHeader},
        {{0x04, 0, 0, 0, 0x0A, 3, 2, 0xAA}, ExpandStatus::TruncatedHeader},  // dictionary cut
        // Three entries need 2 symbol bits; symbol 3 is beyond them.
        {{0x04, 0, 0, 0, 0x00, 3, 1, 0x01, 0x02, 0x03, 0b0000'0111, 0, 0}, ExpandStatus::BadSymbol},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0x0A, 0, 0}, ExpandStatus::TooLarge},
    };
    for (const auto& c : cases) {
        Bytes raw{1};
        EXPECT_EQ(Expand(c.block.data(), c.block.size(), kProfileImageSize, raw), c.status);
        EXPECT_TRUE(raw.empty());
    }
    // Every prefix of a valid block is refused or expands within rawLength.
    const Bytes block = CompressBytes({9, 9, 9, 1, 2, 3, 3, 3, 3, 4});
    for (std::size_t n = 1; n <= block.size(); ++n) {
        const Bytes prefix(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(n));
        Bytes raw;
        if (Expand(prefix.data(), n, 100, raw) == ExpandStatus::Ok) {
            EXPECT_EQ(raw.size(), 10u);
        }
    }
}

}  // namespace
}  // namespace gd
