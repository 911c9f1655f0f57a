// Opening a camera through the DLL: what reaches the simulated camera.
#include "device/sim_camera.h"
#include "model_expectations.h"
#include "sim_log.h"

namespace {

TEST(Initialize, StartsTheCameraWithTheFullWindowAndTheDefaultExposure)
{
    LumvexSim_Reset();
    LumvexSim_ClearLog();
    const int camera = Lumvex_Initialize(nullptr);
    ASSERT_NE(camera, 0);
    EXPECT_EQ(Lumvex_GetLastError(camera), 0);

    const auto writes = FpgaWrites();
    ASSERT_GE(writes.size(), 2u);
    // It ends by sending the exposure: the model's default.
    const int e = kModel.defaultExposure;
    if (kModel.sensorWidth == 128) {
        EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 32), (e * 4) & 0xFF);
        EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 33), (e >> 6) & 0xFF);
    } else {
        EXPECT_EQ(writes[writes.size() - 2], RegisterWrite(32, e & 0xFF));
        EXPECT_EQ(writes.back(), RegisterWrite(33, e >> 8));
    }
    EXPECT_EQ(Lumvex_Width(camera), kModel.sensorWidth);
    EXPECT_EQ(Lumvex_Height(camera), kModel.sensorHeight);
    EXPECT_EQ(LumvexSim_OpenHandles(0), 0u) << "no handle outlives its exchange";
    EXPECT_EQ(Lumvex_Release(camera), 1);
}

TEST(Initialize, WithoutACameraTheHandleStillWorks)
{
    LumvexSim_Reset();
    LumvexSim_SetPlugged(0, 0);
    const int camera = Lumvex_Initialize(nullptr);
    ASSERT_NE(camera, 0);
    EXPECT_EQ(Lumvex_GetLastError(camera), 0) << "an absent camera is found at acquisition, not here";
    int ok = 1;
    EXPECT_EQ(Lumvex_Fpga_ReadRegister(camera, 7, &ok), 0);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(Lumvex_GetLastError(camera), LUMVEX_ERROR_REGISTER);
    EXPECT_EQ(Lumvex_Release(camera), 1);
}

}  // namespace
