// Frame post-processing of a camera object on hand-made frames: reference
// correction, dot filter, mirroring, automatic exposure, gray modes,
// pseudo-colour, and the references behind Lumvex_UpdateMaskData.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "camera/lumvex.h"
#include "image/dib_image.h"
#include "image/pseudo_palette.h"
#include "lumvex_sim.h"
#include "model_expectations.h"

namespace lumvex {
namespace {

constexpr int W = kModel.sensorWidth, H = kModel.sensorHeight, D = kModel.sampleDepth;
constexpr int kFull16 = (1 << D) - 1;

class Frames : public ::testing::Test {
protected:
    void SetUp() override
    {
        LumvexSim_Reset();
        camera = std::make_unique<CLumvex>();
        ASSERT_EQ(camera->Initialize(nullptr), 1);
    }

    // The images of a colour mode at a window, as acquisition makes them.
    void Prepare(int mode, int w, int h, int x = 0, int y = 0)
    {
        CLumvex& c = *camera;
        c.m_colorMode = mode;
        c.m_width = w;
        c.m_height = h;
        c.m_startX = x;
        c.m_startY = y;
        const bool wide = mode == 1 || mode == 4 || mode == 5;
        ASSERT_EQ(c.WorkImage()->Create(w, h, wide ? 16 : 8), 1);
        const uint16_t outputBits[6] = {8, 16, 24, 32, 48, 64};
        ASSERT_EQ(c.OutputImage()->Create(w, h, outputBits[mode]), 1);
        if (mode == 0) {
            ASSERT_EQ(c.m_image24->Create(w, h, 24), 1);
        }
        ASSERT_EQ(c.m_filterWork->CreateLike(c.OutputImage()), 1);
        ASSERT_EQ(c.m_rawImage->Create(w, h, wide ? 16 : 8), 1);
    }

    void SetRaw(int x, int y, int v)
    {
        CDibImage& raw = *camera->m_rawImage;
        uint8_t* p = raw.Bits() + y * raw.Stride() + x * raw.BytesPerPixel();
        if (raw.BitCount() == 16) {
            const uint16_t word = static_cast<uint16_t>(v);
            std::memcpy(p, &word, 2);
        } else {
            *p = static_cast<uint8_t>(v);
        }
    }
    void FillRaw(int v)
    {
        for (int y = 0; y < camera->m_rawImage->Height(); ++y)
            for (int x = 0; x < camera->m_rawImage->Width(); ++x)
                SetRaw(x, y, v);
    }
    static int At(const CDibImage& image, int x, int y)
    {
        const uint8_t* p = image.Bits() + y * image.Stride() + x * image.BytesPerPixel();
        if (image.BytesPerPixel() == 2) {
            uint16_t v;
            std::memcpy(&v, p, 2);
            return v;
        }
        return *p;
    }
    static void Set(CDibImage& image, int x, int y, int v)
    {
        uint8_t* p = image.Bits() + y * image.Stride() + x * image.BytesPerPixel();
        if (image.BytesPerPixel() == 2) {
            const uint16_t word = static_cast<uint16_t>(v);
            std::memcpy(p, &word, 2);
        } else {
            *p = static_cast<uint8_t>(v);
        }
    }

    std::unique_ptr<CLumvex> camera;
};

TEST_F(Frames, UntouchedPipelineCopiesTheRawFrame)
{
    Prepare(0, 16, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            SetRaw(x, y, x * 10 + y);
    camera->ProcessFrame();
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(At(*camera->m_image8, x, y), x * 10 + y);
}

TEST_F(Frames, CorrectionWithTheInitialReferences)
{
    camera->m_maskFilter = 1;
    Prepare(0, 4, 1);
    const int in8[4] = {128, 254, 255, 10}, out8[4] = {128, 254, 255, 10};
    for (int x = 0; x < 4; ++x)
        SetRaw(x, 0, in8[x]);
    camera->ProcessFrame();
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(At(*camera->m_image8, x, 0), out8[x]) << in8[x];

    Prepare(1, 3, 1);
    const int in16[3] = {kFull16, kFull16 / 2, 1000};
    for (int x = 0; x < 3; ++x)
        SetRaw(x, 0, in16[x]);
    camera->ProcessFrame();
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(At(*camera->m_image16, x, 0), std::min(kFull16, in16[x] * (1 << D) / kFull16)) << in16[x];
}

TEST_F(Frames, CorrectionRulesAndTheWindowOffset)
{
    camera->m_maskFilter = 1;
    Prepare(0, 3, 1, 10, 5);
    // Window pixel k is corrected with reference pixel (10 + k, 5).
    Set(*camera->m_darkRef8, 10, 5, 50);
    Set(*camera->m_whiteRef8, 10, 5, 150);
    Set(*camera->m_darkRef8, 11, 5, 90);
    Set(*camera->m_whiteRef8, 11, 5, 90);  // equal: left alone
    Set(*camera->m_darkRef8, 12, 5, 200);
    Set(*camera->m_whiteRef8, 12, 5, 100);  // white below dark: 8-bit still divides
    SetRaw(0, 0, 100);
    SetRaw(1, 0, 77);
    SetRaw(2, 0, 150);
    camera->ProcessFrame();
    EXPECT_EQ(At(*camera->m_image8, 0, 0), (100 - 50) * 256 / 100);
    EXPECT_EQ(At(*camera->m_image8, 1, 0), 77);
    EXPECT_EQ(At(*camera->m_image8, 2, 0), (150 - 200) * 256 / (100 - 200));

    Prepare(1, 2, 1, 10, 5);
    Set(*camera->m_darkRef16, 10, 5, 3000);
    Set(*camera->m_whiteRef16, 10, 5, 1000);  // white below dark: 16-bit leaves it
    Set(*camera->m_darkRef16, 11, 5, 0);
    Set(*camera->m_whiteRef16, 11, 5, kFull16 / 2);
    SetRaw(0, 0, 2000);
    SetRaw(1, 0, kFull16);
    camera->ProcessFrame();
    EXPECT_EQ(At(*camera->m_image16, 0, 0), 2000);
    EXPECT_EQ(At(*camera->m_image16, 1, 0), kFull16) << "limited to full scale";
}

TEST_F(Frames, DotFilterThresholdBorderAndHotMap)
{
    camera->m_dotFilter = 1;
    Prepare(0, 20, 20);
    FillRaw(100);
    SetRaw(10, 10, 140);  // 40 above: replaced
    SetRaw(6, 14, 129);   // 29 above: kept
    SetRaw(3, 10, 200);   // within 4 of the border: never marked
    SetRaw(12, 5, 100);   // looks normal, but the hot map marks it ...
    Set(*camera->m_hotMap8, 12, 5, 1);
    SetRaw(11, 5, 75);    // ... and it takes the mean of its unmarked neighbours
    camera->ProcessFrame();
    const CDibImage& out = *camera->m_image8;
    EXPECT_EQ(At(out, 10, 10), 100);
    EXPECT_EQ(At(out, 6, 14), 129);
    EXPECT_EQ(At(out, 3, 10), 200);
    EXPECT_EQ(At(out, 12, 5), (75 + 100 + 100 + 100) / 4);
    EXPECT_EQ(At(out, 11, 5), 75) << "25 from its neighbours: not a defect";
}

TEST_F(Frames, DotFilterOnSixteenBitSamples)
{
    camera->m_dotFilter = 1;
    Prepare(1, 20, 20);
    FillRaw(1000);
    const int threshold = 30 << (D - 8);
    SetRaw(10, 10, 1000 + threshold);      // at the threshold: replaced
    SetRaw(6, 14, 1000 + threshold - 1);   // one below: kept
    Set(*camera->m_deadMap16, 13, 7, 1);   // marked by the dead map
    SetRaw(13, 7, 3);
    camera->ProcessFrame();
    const CDibImage& out = *camera->m_image16;
    EXPECT_EQ(At(out, 10, 10), 1000);
    EXPECT_EQ(At(out, 6, 14), 1000 + threshold - 1);
    EXPECT_EQ(At(out, 13, 7), 1000);
}

TEST_F(Frames, MirrorBothWaysRotatesByHalfATurn)
{
    for (int mode : {0, 1}) {
        Prepare(mode, 7, 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                SetRaw(x, y, y * 16 + x);
        camera->m_mirrorH = 1;
        camera->m_mirrorV = 1;
        camera->ProcessFrame();
        const CDibImage& out = *camera->OutputImage();
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(At(out, x, y), (4 - y) * 16 + (6 - x)) << mode;
        camera->m_mirrorH = 0;
        camera->ProcessFrame();
        EXPECT_EQ(At(out, 0, 0), 4 * 16) << "vertical only";
        camera->m_mirrorV = 0;
    }
}

TEST_F(Frames, AutomaticExposureSteps)
{
    const struct {
        int region0, others;
        int start, expected;
    // 0.85 - 4 x 0.15 is 0.2499999999999999 in double precision: 1000 -> 249.
    } cases[] = {{120, 120, 1000, 1000}, {210, 120, 1000, 1000}, {220, 220, 1000, 249}, {220, 220, 10, 4},
                 {20, 20, 1000, 1500}, {20, 20, 8000, 8192}};
    camera->m_autoIris = 1;
    for (const auto& c : cases) {
        Prepare(0, 100, 100);
        FillRaw(c.others);
        for (int y = 10; y < 20; ++y)  // R0 = (10, 10, 20, 20), rows counted from the buffer's end
            for (int x = 10; x < 20; ++x)
                SetRaw(x, 100 - 1 - y, c.region0);
        camera->m_device->SetExposure(static_cast<uint16_t>(c.start));
        camera->ProcessFrame();
        int exposure = -1;
        camera->m_device->GetExposure(&exposure);
        EXPECT_EQ(exposure, std::min(c.expected, kModel.sensorWidth == 320 ? 32767 : 65535))
            << c.region0 << "/" << c.others << " from " << c.start;
    }
}

TEST_F(Frames, GrayModes)
{
    Prepare(0, 4, 2);
    FillRaw(100);
    FilterRecord& f = camera->m_filter;
    f.grayMode = 1;
    f.grayGainR = f.grayGainG1 = f.grayGainG2 = f.grayGainB = 128;
    f.grayOffsetR = 10;
    camera->ProcessFrame();
    EXPECT_EQ(At(*camera->m_image8, 1, 0), 100) << "all gains 128: the offsets do nothing";

    f.grayGainR = 64;
    f.grayOffsetR = -10;
    f.bayerMode = 0;
    camera->ProcessFrame();
    EXPECT_EQ(At(*camera->m_image8, 1, 0), 40) << "R position of Bayer mode 0";
    EXPECT_EQ(At(*camera->m_image8, 0, 0), 100);

    f.grayMode = 2;
    camera->ProcessFrame();
    const RGBQUAD& e = kPseudoPalette[PaletteIndex8(100)];
    EXPECT_EQ(At(*camera->m_image8, 0, 0), (30 * e.rgbRed + 59 * e.rgbGreen + 11 * e.rgbBlue) / 100);
}

TEST_F(Frames, PseudoColourModes)
{
    Prepare(2, 3, 1);
    SetRaw(0, 0, 255);
    camera->ProcessFrame();
    const RGBQUAD& e = kPseudoPalette[181];
    EXPECT_EQ(camera->m_image24->Bits()[0], e.rgbBlue);
    EXPECT_EQ(camera->m_image24->Bits()[1], e.rgbGreen);

    Prepare(5, 2, 1);
    SetRaw(0, 0, 4095);
    camera->ProcessFrame();
    uint16_t words[4];
    std::memcpy(words, camera->m_image64->Bits(), 8);
    EXPECT_EQ(words[1], kPseudoPalette[182].rgbGreen * 16);
    EXPECT_EQ(words[3], 65535);
}

TEST_F(Frames, UpdateMaskData)
{
    Prepare(0, W, H);
    FillRaw(33);
    SetRaw(7, 9, 10);  // a dead pixel in the new white reference
    EXPECT_EQ(camera->UpdateReference(1), 1);
    EXPECT_EQ(At(*camera->m_whiteRef8, 0, 0), 33);
    EXPECT_EQ(At(*camera->m_deadMap8, 7, 9), 1);
    EXPECT_EQ(At(*camera->m_deadMap8, 8, 9), 1) << "33 is below 64 as well";
    EXPECT_EQ(At(*camera->m_deadMap8, 0, 0), 0) << "the outer two rows and columns keep their value";

    EXPECT_EQ(camera->UpdateReference(2), 0);
    EXPECT_EQ(camera->LastError(), LUMVEX_ERROR_FILE);

    Prepare(0, W / 2, H / 2);
    FillRaw(250);
    EXPECT_EQ(camera->UpdateReference(0), 1) << "a smaller window copies nothing";
    EXPECT_EQ(At(*camera->m_darkRef8, 0, 0), 0);
    EXPECT_EQ(camera->UpdateReference(2), 1);
}

}  // namespace
}  // namespace lumvex
