// The image filters on small images with values from their formulas.
#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "image/filters.h"

namespace lumvex {
namespace {

CDibImage* Flat(CDibImage& image, int w, int h, int bits, int value)
{
    EXPECT_EQ(image.Create(w, h, static_cast<uint16_t>(bits)), 1);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = image.Bits() + y * image.Stride();
        for (int i = 0; i < w * image.BytesPerPixel() / (bits % 16 == 0 ? 2 : 1); ++i) {
            if (bits % 16 == 0) {
                const uint16_t v = static_cast<uint16_t>(value);
                std::memcpy(row + 2 * i, &v, 2);
            } else {
                row[i] = static_cast<uint8_t>(value);
            }
        }
    }
    return &image;
}

uint8_t At(const CDibImage& image, int x, int y)
{
    return image.Bits()[y * image.Stride() + x];
}

TEST(GrayGains, PositionsByBayerMode)
{
    const struct {
        int mode;
        GrayKind k00, k01, k10, k11;
    } cases[] = {{0, KIND_G1, KIND_R, KIND_B, KIND_G2}, {1, KIND_B, KIND_G2, KIND_G1, KIND_R},
                 {2, KIND_R, KIND_G1, KIND_G2, KIND_B}, {3, KIND_G2, KIND_B, KIND_R, KIND_G1}};
    for (const auto& c : cases) {
        EXPECT_EQ(GrayKindAt(c.mode, 0, 0), c.k00);
        EXPECT_EQ(GrayKindAt(c.mode, 0, 1), c.k01);
        EXPECT_EQ(GrayKindAt(c.mode, 1, 0), c.k10);
        EXPECT_EQ(GrayKindAt(c.mode, 1, 1), c.k11);
        EXPECT_EQ(GrayKindAt(c.mode, 2, 3), c.k01);
    }
}

TEST(GrayGains, GainAndOffsetPerPosition)
{
    CDibImage image;
    ASSERT_EQ(image.Create(4, 2, 8), 1);
    // Bayer mode 0: row 0 is G1 R G1 R, row 1 is B G2 B G2.
    const uint8_t rows[2][4] = {{100, 10, 100, 200}, {50, 60, 250, 255}};
    for (int y = 0; y < 2; ++y)
        std::memcpy(image.Bits() + y * image.Stride(), rows[y], 4);
    GrayGains g{{64, 128, 256, 200}, {-10, 0, 5, 20}, 0};
    ApplyGrayGains(image, g);
    EXPECT_EQ(At(image, 1, 0), 0) << "R 10: -10 + 64*10/128 = -5, limited to 0";
    EXPECT_EQ(At(image, 3, 0), 90) << "R 200: -10 + 100";
    EXPECT_EQ(At(image, 0, 0), 100) << "G1 at 1.0";
    EXPECT_EQ(At(image, 0, 1), 20 + 200 * 50 / 128) << "B";
    EXPECT_EQ(At(image, 1, 1), 5 + 120) << "G2 at 2.0";
    EXPECT_EQ(At(image, 3, 1), 255) << "G2 limited to 255";
}

TEST(GrayGains, AutomaticGainMatchesTheMeansToG1)
{
    CDibImage image;
    ASSERT_EQ(image.Create(8, 8, 8), 1);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const GrayKind k = GrayKindAt(0, y, x);
            image.Bits()[y * image.Stride() + x] = k == KIND_G1 ? 50 : k == KIND_R ? 100 : k == KIND_B ? 25 : 0;
        }
    GrayGains g{{1, 2, 77, 4}, {0, 0, 0, 0}, 0};
    AutoGrayGains(image, g);
    EXPECT_EQ(g.gain[KIND_G1], 128);
    EXPECT_EQ(g.gain[KIND_R], 64) << "R averages twice G1";
    EXPECT_EQ(g.gain[KIND_B], 256);
    EXPECT_EQ(g.gain[KIND_G2], 77) << "no G2 pixel between 1 and 254: the gain stays";
}

TEST(Brightness, FactorAtTheEnds)
{
    CDibImage a, b, c;
    Flat(a, 3, 1, 8, 20);
    FilterTables tables;
    ApplyBrightness(a, 255, 8, tables);
    EXPECT_EQ(At(a, 0, 0), 220) << "+255 multiplies by 11";
    Flat(b, 3, 1, 8, 200);
    ApplyBrightness(b, -255, 8, tables);
    EXPECT_EQ(At(b, 1, 0), 0);
    Flat(c, 2, 1, 16, 4000);
    ApplyBrightness(c, 255, 12, tables);
    uint16_t v;
    std::memcpy(&v, c.Bits(), 2);
    EXPECT_EQ(v, 4095) << "16-bit limited to the sample depth";
}

TEST(Contrast, EightBitTableAt127)
{
    int t[256];
    BuildContrastTable(127, 8, t);
    EXPECT_EQ(t[126], 0);
    EXPECT_EQ(t[127], 0);
    EXPECT_EQ(t[128], 128);
    EXPECT_EQ(t[129], 255);
    BuildContrastTable(0, 8, t);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(t[i], i);
    // A negative setting flattens toward the middle: 0 -> 256/384 * 64.
    BuildContrastTable(-64, 8, t);
    EXPECT_EQ(t[0], 42);
    EXPECT_EQ(t[255], 212);
}

TEST(Gamma, ZeroIsWhiteAndHalfIsTheSquareRoot)
{
    int t[256];
    BuildGammaTable(0, 8, t);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(t[i], 255);
    BuildGammaTable(50, 8, t);
    EXPECT_EQ(t[64], 127);
    EXPECT_EQ(t[255], 255);
    std::vector<int> t16(4096);
    BuildGammaTable(200, 12, t16.data());
    EXPECT_EQ(t16[4095], static_cast<int>(std::pow(4095 / 4096.0, 11.0) * 4095));
}

TEST(Sharpness, FlatImageUnchangedAndEdgesOvershoot)
{
    CDibImage flat, copy;
    Flat(flat, 12, 12, 8, 77);
    Flat(copy, 12, 12, 8, 77);
    FilterTables tables;
    ApplySharpness(flat, copy, 10, 8, tables);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(At(flat, x, y), 77);

    CDibImage edge, source;
    ASSERT_EQ(edge.Create(12, 6, 8), 1);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 12; ++x)
            edge.Bits()[y * edge.Stride() + x] = x < 6 ? 100 : 140;
    ASSERT_EQ(source.CreateLike(&edge), 1);
    std::memcpy(source.Bits(), edge.Bits(), edge.SizeBytes());
    ApplySharpness(edge, source, 10, 8, tables);
    // At x = 6 the 4 x 4 window holds columns 4..7: two of 100, two of 140,
    // mean 120; 140 + (140 - 120) = 160. At x = 5: 100 + (100 - 110) = 90.
    EXPECT_EQ(At(edge, 6, 2), 160);
    EXPECT_EQ(At(edge, 5, 2), 90);
    EXPECT_EQ(At(edge, 6, 0), 140) << "the two outer rows keep their value";
    EXPECT_EQ(At(edge, 1, 3), 100) << "the two outer columns keep their value";
}

}  // namespace
}  // namespace lumvex

namespace lumvex {
namespace {

TEST(HueSaturation, HueOffsets)
{
    EXPECT_EQ(HueOffset(0), 0);
    EXPECT_EQ(HueOffset(120), 509);
    EXPECT_EQ(HueOffset(360), 0);
    // -120 truncates toward zero before the modulo: one 1530th from 240.
    EXPECT_EQ(HueOffset(-120), 1020);
    EXPECT_EQ(HueOffset(240), 1019);
    for (int h = -360; h <= 360; h += 7) {
        EXPECT_GE(HueOffset(h), 0);
        EXPECT_LT(HueOffset(h), 1530);
    }
}

TEST(HueSaturation, NeutralSettingsKeepThePixelsWithinRounding)
{
    CDibImage image, original;
    ASSERT_EQ(image.Create(64, 64, 24), 1);
    ASSERT_EQ(original.CreateLike(&image), 1);
    uint32_t seed = 12345;
    for (size_t i = 0; i < image.SizeBytes(); ++i) {
        seed = seed * 1103515245 + 12345;
        image.Bits()[i] = static_cast<uint8_t>(seed >> 16);
    }
    std::memcpy(original.Bits(), image.Bits(), image.SizeBytes());
    ApplyHueSaturation(image, 0, 0, 8);
    int worst = 0;
    for (size_t i = 0; i < image.SizeBytes(); ++i)
        worst = std::max(worst, std::abs(image.Bits()[i] - original.Bits()[i]));
    EXPECT_LE(worst, 1);
}

TEST(HueSaturation, TurningRedByAThirdGivesGreen)
{
    CDibImage image;
    ASSERT_EQ(image.Create(2, 1, 32), 1);
    const uint8_t px[8] = {0, 0, 255, 9, 128, 128, 128, 7};  // red, gray (B, G, R, X)
    std::memcpy(image.Bits(), px, 8);
    ApplyHueSaturation(image, 120, 0, 8);
    EXPECT_LE(image.Bits()[2], 2) << "red falls";
    EXPECT_EQ(image.Bits()[1], 255) << "green is full";
    EXPECT_EQ(image.Bits()[0], 0);
    EXPECT_EQ(image.Bits()[3], 9) << "the fourth byte is not touched";
    EXPECT_EQ(image.Bits()[4], 128) << "gray has no hue";
    EXPECT_EQ(image.Bits()[6], 128);

    // Saturation -256 takes all chroma away; the lightness stays.
    std::memcpy(image.Bits(), px, 8);
    ApplyHueSaturation(image, 0, -256, 8);
    EXPECT_EQ(image.Bits()[0], 127);
    EXPECT_EQ(image.Bits()[1], 127);
    EXPECT_EQ(image.Bits()[2], 127);
}

}  // namespace
}  // namespace lumvex

namespace lumvex {
namespace {

// The sharpness formula written out pixel by pixel, as the oracle for the
// running-sum implementation.
int SharpenedByFormula(const CDibImage& s, int x, int y, int c, int e, int full)
{
    const int bpp = s.BytesPerPixel();
    const bool words = s.BitCount() == 16 || s.BitCount() >= 48;
    auto at = [&](int xx, int yy) {
        const uint8_t* p = s.Bits() + yy * s.Stride() + xx * bpp + c * (words ? 2 : 1);
        if (!words)
            return static_cast<int>(*p);
        uint16_t v;
        std::memcpy(&v, p, 2);
        return static_cast<int>(v);
    };
    int sum = 0;
    for (int dy = -2; dy <= 1; ++dy)
        for (int dx = -2; dx <= 1; ++dx)
            sum += at(x + dx, y + dy);
    const int v = at(x, y);
    return std::clamp(v + ((v - (sum >> 4)) * e) / 10, 0, full);
}

TEST(Sharpness, EveryFormatMatchesTheFormulaOnRandomImages)
{
    for (int bits : {8, 16, 24, 32, 48, 64}) {
        const bool wordSamples = bits == 16 || bits >= 48;
        const int full = wordSamples ? 4095 : 255;
        CDibImage image, source;
        ASSERT_EQ(image.Create(37, 23, static_cast<uint16_t>(bits)), 1);
        uint32_t seed = static_cast<uint32_t>(bits);
        for (size_t i = 0; i < image.SizeBytes(); i += (wordSamples ? 2 : 1)) {
            seed = seed * 1664525 + 1013904223;
            if (wordSamples) {
                const uint16_t v = static_cast<uint16_t>((seed >> 8) % 4096);
                std::memcpy(image.Bits() + i, &v, 2);
            } else {
                image.Bits()[i] = static_cast<uint8_t>(seed >> 16);
            }
        }
        ASSERT_EQ(source.CreateLike(&image), 1);
        std::memcpy(source.Bits(), image.Bits(), image.SizeBytes());
        FilterTables tables;
        for (int e : {1, 10, 30}) {
            std::memcpy(image.Bits(), source.Bits(), image.SizeBytes());
            ApplySharpness(image, source, e, 12, tables);
            const int channels = bits <= 16 ? 1 : 3;
            for (int y = 2; y < 21; ++y)
                for (int x = 2; x < 35; ++x)
                    for (int c = 0; c < channels; ++c) {
                        const uint8_t* p = image.Bits() + y * image.Stride() + x * image.BytesPerPixel() + c * (wordSamples ? 2 : 1);
                        int got = *p;
                        if (wordSamples) {
                            uint16_t v;
                            std::memcpy(&v, p, 2);
                            got = v;
                        }
                        ASSERT_EQ(got, SharpenedByFormula(source, x, y, c, e, full)) << bits << " bits, e " << e << " at " << x << "," << y << "," << c;
                    }
            if (bits == 32) {
                EXPECT_EQ(image.Bits()[2 * image.Stride() + 2 * 4 + 3], source.Bits()[2 * source.Stride() + 2 * 4 + 3])
                    << "the fourth byte is not touched";
            }
        }
    }
}

}  // namespace
}  // namespace lumvex

#include "image/processor_probe.h"

namespace lumvex {
namespace {

TEST(GrayGainsVector, SameResultAsThePlainFormOnRandomImages)
{
    uint32_t seed = 2024;
    auto next = [&] {
        seed = seed * 1664525 + 1013904223;
        return seed >> 8;
    };
    for (int width : {1, 7, 15, 16, 17, 33, 640}) {
        CDibImage plain, sse2, mmx;
        ASSERT_EQ(plain.Create(width, 6, 8), 1);
        ASSERT_EQ(sse2.CreateLike(&plain), 1);
        ASSERT_EQ(mmx.CreateLike(&plain), 1);
        for (int trial = 0; trial < 40; ++trial) {
            for (size_t i = 0; i < plain.SizeBytes(); ++i)
                plain.Bits()[i] = static_cast<uint8_t>(next());
            std::memcpy(sse2.Bits(), plain.Bits(), plain.SizeBytes());
            std::memcpy(mmx.Bits(), plain.Bits(), plain.SizeBytes());
            GrayGains g{};
            for (int k = 0; k < 4; ++k) {
                g.gain[k] = static_cast<int>(next() % 401);  // 0..400, beyond 257 too
                g.offset[k] = static_cast<int>(next() % 511) - 255;
            }
            if (trial % 3 == 0)
                g.gain[trial % 4] = 257;
            g.bayerMode = trial % 4;
            ApplyGrayGains(plain, g);
            ApplyGrayGainsSse2(sse2, g);
            ApplyGrayGainsMmx(mmx, g);
            ASSERT_EQ(std::memcmp(plain.Bits(), sse2.Bits(), plain.SizeBytes()), 0) << "SSE2, width " << width << " trial " << trial;
            ASSERT_EQ(std::memcmp(plain.Bits(), mmx.Bits(), plain.SizeBytes()), 0) << "MMX, width " << width << " trial " << trial;
        }
    }
}

TEST(ProcessorProbe, ReportsWhatThisProcessorHas)
{
    CPUINFO info{};
    info.usable = 0xFFFF;
    const unsigned reported = ProbeProcessor(info);
    EXPECT_EQ(reported, info.reported);
    EXPECT_EQ(info.usable & ~info.reported, 0u) << "usable features are reported ones";
    // Every x86 processor that runs these tests has MMX and SSE2.
    EXPECT_TRUE(info.reported & CPU_MMX);
    EXPECT_TRUE(info.reported & CPU_SSE2);
    EXPECT_TRUE(info.usable & CPU_SSE2);
    EXPECT_NE(info.vendor[0], '\0');
}

}  // namespace
}  // namespace lumvex
