#include "skin/packed_art.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/art_inflate.h"

namespace gd {
namespace {

using Bytes = std::vector<std::uint8_t>;

// "PixelRows" in one stored block.
const Bytes kStoredStream{0x01, 0x09, 0x00, 0xF6, 0xFF, 0x50, 0x69,
                          0x78, 0x65, 0x6C, 0x52, 0x6F, 0x77, 0x73};
// Fixed codes: one pixel (10 20 30) as literals, a match of 33 at distance
// 3 that overlaps itself, then two zero literals.
const Bytes kFixedStream{0x13, 0x50, 0x30, 0x10, 0x20, 0x84, 0x18, 0x18, 0x00};

Bytes FixedStreamOutput() {
    Bytes pixels;
    for (int i = 0; i < 12; ++i) {
        pixels.insert(pixels.end(), {0x10, 0x20, 0x30});
    }
    pixels.insert(pixels.end(), {0x00, 0x00});
    return pixels;
}

bool Inflates(const Bytes& stream, Bytes& out) {
    return InflateRaw(stream, out);
}

TEST(ArtInflate, DecodesStoredAndFixedBlocksToTheExactLength) {
    Bytes stored(9);
    ASSERT_TRUE(Inflates(kStoredStream, stored));
    EXPECT_EQ(std::string(stored.begin(), stored.end()), "PixelRows");

    Bytes fixed(38);
    ASSERT_TRUE(Inflates(kFixedStream, fixed));
    EXPECT_EQ(fixed, FixedStreamOutput());

    // "A" and a match of 3 at distance 1 after it.
    Bytes run(4);
    ASSERT_TRUE(Inflates({0x73, 0x04, 0x02, 0x00}, run));
    EXPECT_EQ(run, (Bytes{'A', 'A', 'A', 'A'}));
}

TEST(ArtInflate, RefusesDamagedStreamsAndWrongLengths) {
    struct Row {
        const char* what;
        Bytes stream;
        std::size_t outSize;
    };
    Bytes truncated = kFixedStream;
    truncated.pop_back();
    Bytes badComplement = kStoredStream;
    badComplement[3] = 0xF7;
    Bytes shortStored = kStoredStream;
    shortStored.resize(10);
    const std::vector<Row> rows{
        {"more bytes wanted than the stream gives", kFixedStream, 39},
        {"fewer bytes room than the stream gives", kFixedStream, 37},
        {"stored block longer than the room", kStoredStream, 8},
        {"stream cut before its end of block", truncated, 38},
        {"empty stream", {}, 1},
        {"stored length's complement wrong", badComplement, 9},
        {"stored block cut short", shortStored, 9},
        {"reserved block type 3", {0x07, 0x00, 0x00}, 1},
        {"match reaching before the first byte", {0x03, 0x02, 0x00}, 3},
        {"over-subscribed code length code", {0x05, 0x00, 0x92, 0x04, 0x00, 0x00}, 1},
    };
    for (const Row& row : rows) {
        Bytes out(row.outSize);
        EXPECT_FALSE(Inflates(row.stream, out)) << row.what;
    }
}

Bytes Header(std::uint16_t width, std::uint16_t height, std::uint8_t bits,
             std::uint16_t reference = 0) {
    return {'G',
            'D',
            'A',
            '1',
            static_cast<std::uint8_t>(width & 0xFF),
            static_cast<std::uint8_t>(width >> 8),
            static_cast<std::uint8_t>(height & 0xFF),
            static_cast<std::uint8_t>(height >> 8),
            bits,
            0,
            static_cast<std::uint8_t>(reference & 0xFF),
            static_cast<std::uint8_t>(reference >> 8)};
}

TEST(PackedArtShape, RowsArePaddedToFourBytes) {
    const auto page = ReadPackedArtShape(Header(566, 500, 24));
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->width, 566);
    EXPECT_EQ(page->height, 500);
    EXPECT_EQ(page->rowBytes, 1700U);
    EXPECT_EQ(page->pixelBytes, 850000U);
    EXPECT_EQ(page->reference, 0);

    const auto mask = ReadPackedArtShape(Header(357, 500, 1, 2144));
    ASSERT_TRUE(mask.has_value());
    EXPECT_EQ(mask->rowBytes, 48U);
    EXPECT_EQ(mask->pixelBytes, 24000U);
    EXPECT_EQ(mask->reference, 2144);
}

TEST(PackedArtShape, AReferenceHasTheSameShapeAndNoneOfItsOwn) {
    const PackedArtShape face = *ReadPackedArtShape(Header(204, 26, 24, 309));
    EXPECT_TRUE(CanReferTo(face, *ReadPackedArtShape(Header(204, 26, 24))));
    for (const Bytes& other :
         {Header(205, 26, 24), Header(204, 27, 24), Header(204, 26, 1), Header(204, 26, 24, 308)}) {
        EXPECT_FALSE(CanReferTo(face, *ReadPackedArtShape(other)));
    }

    Bytes pixels{0x10, 0x20, 0x30, 0x40};
    EXPECT_TRUE(ApplyArtDifference(pixels, Bytes{0x00, 0xFF, 0x01, 0x00}));
    EXPECT_EQ(pixels, (Bytes{0x10, 0xDF, 0x31, 0x40}));
    EXPECT_FALSE(ApplyArtDifference(pixels, Bytes{0x01, 0x01, 0x01}));
    EXPECT_EQ(pixels, (Bytes{0x10, 0xDF, 0x31, 0x40}));
}

TEST(PackedArtShape, RefusesOtherHeaders) {
    Bytes wrongMagic = Header(10, 10, 24);
    wrongMagic[3] = '2';
    Bytes reservedSet = Header(10, 10, 24);
    reservedSet[9] = 1;
    Bytes shortHeader = Header(10, 10, 24);
    shortHeader.pop_back();
    for (const Bytes& header :
         {wrongMagic, reservedSet, shortHeader, Header(0, 10, 24), Header(10, 0, 24),
          Header(4097, 10, 24), Header(10, 4097, 24), Header(10, 10, 8), Header(10, 10, 32)}) {
        EXPECT_FALSE(ReadPackedArtShape(header).has_value());
    }
}

TEST(PackedArtShape, UnpackWantsRoomForExactlyThePicture) {
    Bytes packed = Header(3, 1, 24);
    // One pixel row of 9 bytes and its 3 bytes of padding, stored.
    packed.insert(packed.end(), {0x01, 0x0C, 0x00, 0xF3, 0xFF, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0});
    const auto shape = ReadPackedArtShape(packed);
    ASSERT_TRUE(shape.has_value());
    Bytes pixels(shape->pixelBytes);
    EXPECT_TRUE(UnpackArtPixels(packed, *shape, pixels));
    EXPECT_EQ(pixels, (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0}));
    Bytes tooLarge(shape->pixelBytes + 1);
    EXPECT_FALSE(UnpackArtPixels(packed, *shape, tooLarge));
}

Bytes ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The pixel rows of a BMP that res/art wrote.
Bytes BmpRows(const std::filesystem::path& path) {
    const Bytes bmp = ReadWholeFile(path);
    if (bmp.size() < 14) {
        return {};
    }
    std::uint32_t rowsOffset = 0;
    std::memcpy(&rowsOffset, &bmp[10], sizeof rowsOffset);
    return rowsOffset <= bmp.size() ? Bytes(bmp.begin() + rowsOffset, bmp.end()) : Bytes{};
}

// The bitmaps of the first scale (numbers below 1000) against the BMPs
// build.py packed them from, those with a reference through its BMP; cut
// short anywhere, each must be refused. The other scales differ only in
// size, and unpacking them all takes seconds.
TEST(PackedArtShape, EveryBuiltBitmapUnpacksToItsBmpRows) {
    const std::filesystem::path artDirectory(GRIPDECK_TEST_ART_DIR);
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(artDirectory)) {
        if (entry.path().extension() != ".art" || entry.path().stem().string().size() > 3) {
            continue;
        }
        const Bytes packed = ReadWholeFile(entry.path());
        std::filesystem::path bmpPath = entry.path();
        const Bytes rows = BmpRows(bmpPath.replace_extension(".bmp"));
        const auto shape = ReadPackedArtShape(packed);
        ASSERT_TRUE(shape.has_value()) << entry.path();
        Bytes pixels(shape->pixelBytes);
        ASSERT_TRUE(UnpackArtPixels(packed, *shape, pixels)) << entry.path();
        if (shape->reference != 0) {
            const Bytes referenceRows =
                BmpRows(artDirectory / (std::to_string(shape->reference) + ".bmp"));
            ASSERT_TRUE(ApplyArtDifference(pixels, referenceRows)) << entry.path();
        }
        EXPECT_TRUE(pixels == rows) << entry.path();
        ++checked;
        for (std::size_t cut : {packed.size() - 1, packed.size() / 2, kPackedArtHeaderSize + 1}) {
            const Bytes shortened(packed.begin(),
                                  packed.begin() + static_cast<std::ptrdiff_t>(cut));
            EXPECT_FALSE(UnpackArtPixels(shortened, *shape, pixels))
                << entry.path() << " cut at " << cut;
        }
    }
    EXPECT_EQ(checked, 52);
}

}  // namespace
}  // namespace gd
