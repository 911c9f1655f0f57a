// The conversion family and the pseudo-colour palette on small images with
// values worked out by hand.
#include <cstdlib>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "image/pixel_converters.h"
#include "image/pseudo_palette.h"

namespace lumvex {
namespace {

uint16_t Word(const CDibImage& image, int row, int x, int channel = 0)
{
    uint16_t v;
    std::memcpy(&v, image.Bits() + row * image.Stride() + x * image.BytesPerPixel() + 2 * channel, 2);
    return v;
}

void SetWord(CDibImage& image, int row, int x, uint16_t v, int channel = 0)
{
    std::memcpy(image.Bits() + row * image.Stride() + x * image.BytesPerPixel() + 2 * channel, &v, 2);
}

uint8_t Byte(const CDibImage& image, int row, int x, int channel = 0)
{
    return image.Bits()[row * image.Stride() + x * image.BytesPerPixel() + channel];
}

TEST(ReduceGray, ShiftsAndWraps)
{
    const struct {
        int shift;
        uint16_t in;
        uint8_t out;
    } cases[] = {{4, 4095, 255}, {4, 16, 1}, {4, 15, 0}, {6, 16383, 255}, {6, 16384, 0}, {6, 64, 1}, {4, 4096, 0}};
    CDibImage src, dst;
    ASSERT_EQ(src.Create(7, 1, 16), 1);
    ASSERT_EQ(dst.Create(7, 1, 8), 1);
    for (int i = 0; i < 7; ++i)
        SetWord(src, 0, i, cases[i].in);
    for (int shift : {4, 6}) {
        dst.ConvertFrom(ReduceGray, src, nullptr, 0, 0, &shift, nullptr);
        for (int i = 0; i < 7; ++i) {
            if (cases[i].shift == shift) {
                EXPECT_EQ(Byte(dst, 0, i), cases[i].out) << cases[i].in << " >> " << shift;
            }
        }
    }
}

TEST(ReduceGray, ReversedWritesTheLastSourceRowFirst)
{
    CDibImage src, dst;
    ASSERT_EQ(src.Create(3, 4, 16), 1);
    ASSERT_EQ(dst.Create(3, 4, 8), 1);
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 3; ++x)
            SetWord(src, row, x, static_cast<uint16_t>((row * 10 + x) << 4));
    const int shift = 4;
    ASSERT_EQ(dst.ConvertFrom(ReduceGrayReversed, src, nullptr, 0, 0, &shift, nullptr), 1);
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(Byte(dst, row, x), (3 - row) * 10 + x);
}

TEST(ExpandGray, ShiftsToSixteenBits)
{
    CDibImage src, dst;
    ASSERT_EQ(src.Create(2, 1, 16), 1);
    ASSERT_EQ(dst.Create(2, 1, 16), 1);
    SetWord(src, 0, 0, 4095);
    SetWord(src, 0, 1, 16383);
    int shift = 4;
    dst.ConvertFrom(ExpandGray, src, nullptr, 0, 0, &shift, nullptr);
    EXPECT_EQ(Word(dst, 0, 0), 65520);
    shift = 2;
    dst.ConvertFrom(ExpandGray, src, nullptr, 0, 0, &shift, nullptr);
    EXPECT_EQ(Word(dst, 0, 1), 4 * 16383);
}

TEST(ExpandColor, SameOrderSwappedAndTheFourthWord)
{
    const int shift = 4;
    for (int bits : {48, 64}) {
        CDibImage src, same, swapped;
        ASSERT_EQ(src.Create(1, 1, static_cast<uint16_t>(bits)), 1);
        ASSERT_EQ(same.Create(1, 1, static_cast<uint16_t>(bits)), 1);
        ASSERT_EQ(swapped.Create(1, 1, static_cast<uint16_t>(bits)), 1);
        SetWord(src, 0, 0, 1, 0);
        SetWord(src, 0, 0, 2, 1);
        SetWord(src, 0, 0, 3, 2);
        same.ConvertFrom(bits == 48 ? ExpandColor48 : ExpandColor64, src, nullptr, 0, 0, &shift, nullptr);
        swapped.ConvertFrom(bits == 48 ? ExpandColor48Swapped : ExpandColor64Swapped, src, nullptr, 0, 0, &shift,
                            nullptr);
        EXPECT_EQ(Word(same, 0, 0, 0), 16);
        EXPECT_EQ(Word(same, 0, 0, 2), 48);
        EXPECT_EQ(Word(swapped, 0, 0, 0), 48);
        EXPECT_EQ(Word(swapped, 0, 0, 1), 32);
        EXPECT_EQ(Word(swapped, 0, 0, 2), 16);
        if (bits == 64) {
            EXPECT_EQ(Word(same, 0, 0, 3), 65535);
            EXPECT_EQ(Word(swapped, 0, 0, 3), 65535);
        }
    }
}

TEST(ReduceColor, FromFortyEightAndSixtyFourBits)
{
    const int shift = 6;
    for (int bits : {48, 64}) {
        CDibImage src, dst;
        ASSERT_EQ(src.Create(2, 2, static_cast<uint16_t>(bits)), 1);
        ASSERT_EQ(dst.Create(2, 2, 24), 1);
        SetWord(src, 0, 1, 16383, 0);
        SetWord(src, 0, 1, 64 * 7, 1);
        SetWord(src, 0, 1, 64 * 200, 2);
        dst.ConvertFrom(ReduceColor, src, nullptr, 0, 0, &shift, nullptr);
        EXPECT_EQ(Byte(dst, 0, 1, 0), 255);
        EXPECT_EQ(Byte(dst, 0, 1, 1), 7);
        EXPECT_EQ(Byte(dst, 0, 1, 2), 200);
        dst.ConvertFrom(ReduceColorReversed, src, nullptr, 0, 0, &shift, nullptr);
        EXPECT_EQ(Byte(dst, 1, 1, 2), 200) << "row 0 of the source lands in the last row";
        EXPECT_EQ(Byte(dst, 0, 1, 2), 0);
    }
}

TEST(ColorMembers, ByteMoves)
{
    CDibImage c32, c24, out24, out32;
    ASSERT_EQ(c32.Create(2, 2, 32), 1);
    ASSERT_EQ(c24.Create(2, 2, 24), 1);
    ASSERT_EQ(out24.Create(2, 2, 24), 1);
    ASSERT_EQ(out32.Create(2, 2, 32), 1);
    const uint8_t px32[4] = {10, 20, 30, 40};
    std::memcpy(c32.Bits(), px32, 4);
    const uint8_t px24[3] = {1, 2, 3};
    std::memcpy(c24.Bits() + c24.Stride(), px24, 3);  // row 1

    out24.ConvertFrom(DropFourthByte, c32, nullptr, 0, 0, nullptr, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(out24.Bits(), out24.Bits() + 3), (std::vector<uint8_t>{10, 20, 30}));
    out32.ConvertFrom(InvertFourthByte, c32, nullptr, 0, 0, nullptr, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(out32.Bits(), out32.Bits() + 4), (std::vector<uint8_t>{10, 20, 30, 215}));
    out24.ConvertFrom(SwapRedBlue24, c24, nullptr, 0, 0, nullptr, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(out24.Bits() + out24.Stride(), out24.Bits() + out24.Stride() + 3),
              (std::vector<uint8_t>{3, 2, 1}));
    out24.ConvertFrom(CopyColor24Reversed, c24, nullptr, 0, 0, nullptr, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(out24.Bits(), out24.Bits() + 3), (std::vector<uint8_t>{1, 2, 3}));
    out24.ConvertFrom(CopyColor24Reversed, c32, nullptr, 0, 0, nullptr, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(out24.Bits() + out24.Stride(), out24.Bits() + out24.Stride() + 3),
              (std::vector<uint8_t>{10, 20, 30}));
}

TEST(CopyRowsReversed, CopiesTheSmallerStride)
{
    CDibImage narrow, wide;
    ASSERT_EQ(narrow.Create(5, 3, 8), 1);  // stride 8
    ASSERT_EQ(wide.Create(13, 3, 8), 1);   // stride 16
    std::memset(wide.Bits(), 0xEE, wide.SizeBytes());
    for (int row = 0; row < 3; ++row)
        std::memset(narrow.Bits() + row * narrow.Stride(), row + 1, narrow.Stride());
    wide.ConvertFrom(CopyRowsReversed, narrow, nullptr, 0, 0, nullptr, nullptr);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(Byte(wide, row, 7), 3 - row) << "a whole source row, padding included";
        EXPECT_EQ(Byte(wide, row, 8), 0xEE) << "nothing past the smaller stride";
    }
}

TEST(Luminance24, WeightsRedGreenBlue)
{
    CDibImage src, dst;
    ASSERT_EQ(src.Create(3, 1, 24), 1);
    ASSERT_EQ(dst.Create(3, 1, 8), 1);
    const uint8_t px[9] = {255, 255, 255, 0, 0, 255, 0, 255, 0};  // white, red, green (B, G, R)
    std::memcpy(src.Bits(), px, 9);
    dst.ConvertFrom(Luminance24, src, nullptr, 0, 0, nullptr, nullptr);
    EXPECT_EQ(Byte(dst, 0, 0), 255);
    EXPECT_EQ(Byte(dst, 0, 1), 76);
    EXPECT_EQ(Byte(dst, 0, 2), 150);
}

TEST(MeanGray, OfARegion)
{
    CDibImage image8, image16;
    ASSERT_EQ(image8.Create(4, 4, 8), 1);
    ASSERT_EQ(image16.Create(4, 4, 16), 1);
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 4; ++x) {
            image8.Bits()[row * image8.Stride() + x] = static_cast<uint8_t>(x * 10);
            SetWord(image16, row, x, static_cast<uint16_t>((x * 10) << 4));
        }
    EXPECT_EQ(image8.ConvertFrom(MeanGray8, image8, nullptr, 0, 0, nullptr, nullptr), 15);
    const int shift = 4;
    EXPECT_EQ(image16.ConvertFrom(MeanGray16, image16, nullptr, 0, 0, &shift, nullptr), 15);
    RECT right{2, 0, 4, 4};
    EXPECT_EQ(image8.ConvertFrom(MeanGray8, image8, &right, 2, 0, nullptr, nullptr), 25);
}

TEST(ScaleGray8, HalvesWithAVerticalFlip)
{
    CDibImage src, dst;
    ASSERT_EQ(src.Create(640, 512, 8), 1);
    ASSERT_EQ(dst.Create(320, 256, 8), 1);
    for (int row = 0; row < 512; ++row)
        for (int x = 0; x < 640; ++x)
            src.Bits()[row * src.Stride() + x] = static_cast<uint8_t>((row + 3 * x) & 0xFF);
    ASSERT_EQ(dst.ConvertScaledFrom(ScaleGray8, src, nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(Byte(dst, 0, 0), Byte(src, 511, 0));
    EXPECT_EQ(Byte(dst, 0, 1), Byte(src, 511, 2));
    EXPECT_EQ(Byte(dst, 1, 0), Byte(src, 509, 0));
    EXPECT_EQ(Byte(dst, 255, 319), Byte(src, 1, 638));
}

TEST(Restride, MovesPackedRowsToTheirStride)
{
    CDibImage image;
    ASSERT_EQ(image.Create(638, 3, 8), 1);
    ASSERT_EQ(image.Stride(), 640);
    for (int i = 0; i < 638 * 3; ++i)
        image.Bits()[i] = static_cast<uint8_t>(i / 638 * 50 + i % 7);
    RestrideGray8(image);
    for (int row = 0; row < 3; ++row)
        for (int x = 0; x < 638; ++x)
            ASSERT_EQ(Byte(image, row, x), row * 50 + (row * 638 + x) % 7) << row << "," << x;

    CDibImage words;
    ASSERT_EQ(words.Create(3, 2, 16), 1);  // pitch 6, stride 8
    const uint16_t packed[6] = {1, 2, 3, 4, 5, 6};
    std::memcpy(words.Bits(), packed, sizeof packed);
    RestrideGray16(words);
    EXPECT_EQ(Word(words, 1, 0), 4);
    EXPECT_EQ(Word(words, 1, 2), 6);
    EXPECT_EQ(Word(words, 0, 2), 3);
}

TEST(PseudoPalette, TellingRowsAndIndices)
{
    const struct {
        int index, b, g, r;
    } rows[] = {{0, 0, 0, 0},      {10, 36, 0, 33},   {60, 254, 0, 255}, {120, 0, 3, 252},  {180, 0, 255, 0},
                {181, 2, 255, 0},  {182, 5, 255, 0},  {240, 255, 249, 0}, {300, 255, 0, 3}, {350, 255, 222, 225},
                {359, 255, 252, 253}};
    for (const auto& t : rows) {
        EXPECT_EQ(kPseudoPalette[t.index].rgbBlue, t.b) << t.index;
        EXPECT_EQ(kPseudoPalette[t.index].rgbGreen, t.g) << t.index;
        EXPECT_EQ(kPseudoPalette[t.index].rgbRed, t.r) << t.index;
        EXPECT_EQ(kPseudoPalette[t.index].rgbReserved, 0);
    }
    // Smooth between the rows: no channel jumps by more than a tenth of
    // its range from one entry to the next.
    for (int i = 1; i < kPseudoPaletteSize; ++i) {
        EXPECT_LE(std::abs(kPseudoPalette[i].rgbBlue - kPseudoPalette[i - 1].rgbBlue), 26) << i;
        EXPECT_LE(std::abs(kPseudoPalette[i].rgbGreen - kPseudoPalette[i - 1].rgbGreen), 26) << i;
        EXPECT_LE(std::abs(kPseudoPalette[i].rgbRed - kPseudoPalette[i - 1].rgbRed), 26) << i;
    }
    EXPECT_EQ(PaletteIndex8(128), 91);
    EXPECT_EQ(PaletteIndex8(255), 181);
    EXPECT_EQ(PaletteIndex16(4095), 182);
    EXPECT_EQ(PaletteIndex16(8077), 358);
    EXPECT_EQ(PaletteIndex16(8078), 359);
    EXPECT_EQ(PaletteIndex16(16383), 359);
}

TEST(MapPseudoColor, EightAndSixteenBitSources)
{
    CDibImage g8, c24, c32, g16, c48, c64;
    ASSERT_EQ(g8.Create(3, 1, 8), 1);
    ASSERT_EQ(c24.Create(3, 1, 24), 1);
    ASSERT_EQ(c32.Create(3, 1, 32), 1);
    g8.Bits()[0] = 0;
    g8.Bits()[1] = 128;
    g8.Bits()[2] = 255;
    ASSERT_EQ(MapPseudoColor(c24, g8), 1);
    ASSERT_EQ(MapPseudoColor(c32, g8), 1);
    const int expected8[3] = {0, 91, 181};
    for (int x = 0; x < 3; ++x) {
        const RGBQUAD& e = kPseudoPalette[expected8[x]];
        EXPECT_EQ(Byte(c24, 0, x, 0), e.rgbBlue);
        EXPECT_EQ(Byte(c24, 0, x, 2), e.rgbRed);
        EXPECT_EQ(Byte(c32, 0, x, 1), e.rgbGreen);
        EXPECT_EQ(Byte(c32, 0, x, 3), 0);
    }

    ASSERT_EQ(g16.Create(3, 1, 16), 1);
    ASSERT_EQ(c48.Create(3, 1, 48), 1);
    ASSERT_EQ(c64.Create(3, 1, 64), 1);
    SetWord(g16, 0, 0, 4095);
    SetWord(g16, 0, 1, 8077);
    SetWord(g16, 0, 2, 16383);
    ASSERT_EQ(MapPseudoColor(c48, g16), 1);
    ASSERT_EQ(MapPseudoColor(c64, g16), 1);
    const int expected16[3] = {182, 358, 359};
    for (int x = 0; x < 3; ++x) {
        const RGBQUAD& e = kPseudoPalette[expected16[x]];
        EXPECT_EQ(Word(c48, 0, x, 0), e.rgbBlue * 16);
        EXPECT_EQ(Word(c48, 0, x, 2), e.rgbRed * 16);
        EXPECT_EQ(Word(c64, 0, x, 1), e.rgbGreen * 16);
        EXPECT_EQ(Word(c64, 0, x, 3), 65535);
    }
    EXPECT_EQ(MapPseudoColor(c24, g16), 0) << "16-bit gray maps to 48 or 64 bits only";
}

}  // namespace
}  // namespace lumvex
