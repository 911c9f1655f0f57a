// The image container on real GDI: strides, the gray ramp in the bitmap,
// plain memory for 48 and 64 bits, refusals, clipping.
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "image/dib_image.h"
#include "image/pixel_converters.h"

namespace lumvex {
namespace {

TEST(DibImage, StrideAndSizeByBitCount)
{
    const struct {
        int width, height, bits, stride;
        bool bitmap;
    } cases[] = {
        {640, 512, 8, 640, true},  {641, 1, 8, 644, true},     {641, 1, 24, 1924, true}, {641, 1, 16, 1284, true},
        {641, 2, 32, 2564, true},  {640, 512, 48, 3840, false}, {640, 512, 64, 5120, false}, {5, 3, 12, 8, false},
    };
    for (const auto& c : cases) {
        CDibImage image;
        ASSERT_EQ(image.Create(c.width, c.height, static_cast<uint16_t>(c.bits)), 1) << c.bits;
        EXPECT_EQ(image.Stride(), c.stride) << c.width << "x" << c.bits;
        EXPECT_EQ(image.SizeBytes(), size_t(c.stride) * c.height);
        EXPECT_EQ(image.Header().biSize, 40u);
        EXPECT_EQ(image.Header().biWidth, c.width);
        EXPECT_EQ(image.Header().biHeight, c.height) << "bottom-up";
        EXPECT_EQ(image.Header().biBitCount, c.bits);
        EXPECT_EQ(image.Header().biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(image.Bitmap() != nullptr, c.bitmap) << c.bits;
        EXPECT_EQ(image.Dc() != nullptr, c.bitmap) << c.bits;
        ASSERT_NE(image.Bits(), nullptr);
        if (!c.bitmap) {
            const std::vector<uint8_t> zero(image.SizeBytes(), 0);
            EXPECT_EQ(std::memcmp(image.Bits(), zero.data(), zero.size()), 0) << "plain memory is zeroed";
        }
        image.Release();
        image.Release();
        EXPECT_EQ(image.Bits(), nullptr);
        EXPECT_EQ(image.Header().biSize, 40u);
        EXPECT_EQ(image.Header().biWidth, 0);
    }
}

TEST(DibImage, GrayRampInTheTableAndInTheBitmap)
{
    CDibImage image;
    ASSERT_EQ(image.Create(16, 4, 8), 1);
    RGBQUAD fromBitmap[256] = {};
    ASSERT_EQ(GetDIBColorTable(image.Dc(), 0, 256, fromBitmap), 256u);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(image.ColorTable()[i].rgbRed, i);
        EXPECT_EQ(image.ColorTable()[i].rgbBlue, i);
        EXPECT_EQ(fromBitmap[i].rgbGreen, i);
        EXPECT_EQ(fromBitmap[i].rgbReserved, 0);
    }
    // Mode 2 reaches the bitmap only.
    const RGBQUAD red = {0, 0, 255, 0};
    image.SetPalette(2, &red, 7, 1);
    ASSERT_EQ(GetDIBColorTable(image.Dc(), 7, 1, fromBitmap), 1u);
    EXPECT_EQ(fromBitmap[0].rgbRed, 255);
    EXPECT_EQ(fromBitmap[0].rgbGreen, 0);
    EXPECT_EQ(image.ColorTable()[7].rgbGreen, 7);
}

TEST(DibImage, BadGeometryLeavesTheImageAsItWas)
{
    CDibImage image;
    ASSERT_EQ(image.Create(32, 8, 8), 1);
    uint8_t* bits = image.Bits();
    bits[0] = 0x77;
    const struct {
        int w, h, bits;
    } bad[] = {{0, 10, 8}, {10, -1, 8}, {10, 10, 0}};
    for (const auto& b : bad) {
        EXPECT_EQ(image.Create(b.w, b.h, static_cast<uint16_t>(b.bits)), 0);
        EXPECT_EQ(image.Bits(), bits);
        EXPECT_EQ(image.Width(), 32);
    }
    EXPECT_EQ(image.CreateLike(nullptr), 0);
    CDibImage empty;
    EXPECT_EQ(image.CreateLike(&empty), 0);
    EXPECT_EQ(image.Bits()[0], 0x77);
}

TEST(DibImage, CreateLikeCopiesTheGeometryNotThePixels)
{
    CDibImage a, b;
    ASSERT_EQ(a.Create(33, 7, 24), 1);
    a.Bits()[0] = 9;
    ASSERT_EQ(b.CreateLike(&a), 1);
    EXPECT_EQ(b.Width(), 33);
    EXPECT_EQ(b.Height(), 7);
    EXPECT_EQ(b.Stride(), a.Stride());
    EXPECT_EQ(b.BitCount(), 24);
    EXPECT_NE(b.Bits(), a.Bits());
    EXPECT_EQ(b.Bits()[0], 0);
}

TEST(DibImage, ConvertFromClipsToTheCommonArea)
{
    CDibImage source, destination;
    ASSERT_EQ(source.Create(8, 6, 8), 1);
    ASSERT_EQ(destination.Create(5, 4, 8), 1);
    for (int row = 0; row < 6; ++row)
        for (int x = 0; x < 8; ++x)
            source.Bits()[row * source.Stride() + x] = static_cast<uint8_t>(row * 16 + x);

    static int calls;
    static RECT seen;
    static int seenX, seenRow;
    calls = 0;
    auto spy = [](uint8_t*, const uint8_t*, const RECT& r, int x, int row, uint16_t, uint16_t, int, int, const void*,
                  const void*) {
        ++calls;
        seen = r;
        seenX = x;
        seenRow = row;
        return 1;
    };
    EXPECT_EQ(destination.ConvertFrom(spy, source, nullptr, 0, 0, nullptr, nullptr), 1);
    EXPECT_EQ(calls, 1);
    // Top-left anchored: width 5, height 4, the last 4 rows of the source
    // buffer into the first rows of the destination.
    EXPECT_EQ(seen.left, 0);
    EXPECT_EQ(seen.right, 5);
    EXPECT_EQ(seen.top, 2);
    EXPECT_EQ(seen.bottom, 6);
    EXPECT_EQ(seenX, 0);
    EXPECT_EQ(seenRow, 0);

    EXPECT_EQ(destination.ConvertFrom(spy, source, nullptr, 5, 0, nullptr, nullptr), 0);
    EXPECT_EQ(calls, 1) << "nothing visible: the converter is not called";
    EXPECT_EQ(destination.ConvertFrom(nullptr, source, nullptr, 0, 0, nullptr, nullptr), 0);

    // A region placed at its own corner, as the automatic exposure does.
    RECT region{2, 1, 4, 3};
    EXPECT_EQ(destination.ConvertFrom(spy, source, &region, 2, 1, nullptr, nullptr), 1);
    EXPECT_EQ(seen.left, 2);
    EXPECT_EQ(seen.right, 4);
    EXPECT_EQ(seen.top, 6 - 3);
    EXPECT_EQ(seen.bottom, 6 - 1);
    EXPECT_EQ(seenX, 2);
    EXPECT_EQ(seenRow, 4 - 3);
}

TEST(DibImage, BlitFromCopiesThroughGdi)
{
    CDibImage source, destination;
    ASSERT_EQ(source.Create(4, 4, 24), 1);
    ASSERT_EQ(destination.Create(4, 4, 24), 1);
    std::memset(source.Bits(), 0xAB, source.SizeBytes());
    EXPECT_NE(destination.BlitFrom(source, nullptr, 0, 0), 0);
    GdiFlush();
    EXPECT_EQ(destination.Bits()[0], 0xAB);
    EXPECT_EQ(destination.Bits()[destination.SizeBytes() - 4], 0xAB);
}

}  // namespace
}  // namespace lumvex
