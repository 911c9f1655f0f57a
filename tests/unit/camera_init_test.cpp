// What a camera object's initialisation leaves behind: the device object,
// the image objects and the fixed images with their fills.
#include <cstring>

#include <gtest/gtest.h>

#include "camera/lumvex.h"
#include "image/dib_image.h"
#include "lumvex_sim.h"
#include "model_expectations.h"

namespace lumvex {
namespace {

TEST(CameraInitialize, FixedImagesAtSensorSizeWithTheirFills)
{
    LumvexSim_Reset();
    CLumvex camera;
    ASSERT_EQ(camera.Initialize(nullptr), 1);
    EXPECT_EQ(camera.LastError(), 0);
    ASSERT_NE(camera.m_device, nullptr);
    const int white16 = (1 << kModel.sampleDepth) - 1;
    const struct {
        const char* name;
        CDibImage* image;
        int bits;
        int fill;
    } fixed[] = {{"darkRef8", camera.m_darkRef8, 8, 0},        {"whiteRef8", camera.m_whiteRef8, 8, 255},
                 {"darkRef16", camera.m_darkRef16, 16, 0},     {"whiteRef16", camera.m_whiteRef16, 16, white16},
                 {"hotMap8", camera.m_hotMap8, 8, 0},          {"deadMap8", camera.m_deadMap8, 8, 0},
                 {"hotMap16", camera.m_hotMap16, 16, 0},       {"deadMap16", camera.m_deadMap16, 16, 0},
                 {"work8", camera.m_work8, 8, 0},              {"work16", camera.m_work16, 16, 0}};
    for (const auto& f : fixed) {
        ASSERT_NE(f.image, nullptr) << f.name;
        EXPECT_EQ(f.image->Width(), kModel.sensorWidth) << f.name;
        EXPECT_EQ(f.image->Height(), kModel.sensorHeight) << f.name;
        EXPECT_EQ(f.image->BitCount(), f.bits) << f.name;
        size_t wrong = 0;
        for (int i = 0; i < kModel.sensorWidth * kModel.sensorHeight; ++i) {
            int v;
            if (f.bits == 8) {
                v = f.image->Bits()[i];
            } else {
                uint16_t w;
                std::memcpy(&w, f.image->Bits() + 2 * i, 2);
                v = w;
            }
            wrong += v != f.fill;
        }
        EXPECT_EQ(wrong, 0u) << f.name;
    }
    // The images of acquisition exist but stay empty until it starts.
    for (CDibImage* image : {camera.m_image8, camera.m_image24, camera.m_rawImage, camera.m_displayImage}) {
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->Bits(), nullptr);
    }
}

}  // namespace
}  // namespace lumvex
