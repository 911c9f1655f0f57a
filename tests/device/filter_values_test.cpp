// Filter values by identifier through the DLL: ranges, storage, the
// device-backed identifiers per model, and the named exports.
#include "api/shared_block.h"
#include "device/sim_camera.h"
#include "model_expectations.h"
#include "sim_log.h"

namespace {

constexpr bool kQV640 = kModel.sensorWidth == 640;
constexpr bool kQV128 = kModel.sensorWidth == 128;

struct RangeCase {
    int id, min, max;
};

// Stored image settings: their bounds are accepted, one beyond is not.
const RangeCase kStoredRanges[] = {
    {1, -255, 255}, {2, -127, 127}, {3, -360, 360}, {4, -255, 255}, {5, 0, 30},     {7, 0, 400},
    {8, 0, 400},    {9, 0, 400},    {11, 0, 200},   {12, 0, 3},     {19, 0, 2},     {20, 0, 255},
    {21, 0, 255},   {22, 0, 255},   {23, 0, 255},   {24, -255, 255}, {25, -255, 255}, {26, -255, 255},
    {27, -255, 255},
};

TEST_F(SimCamera, StoredFiltersTakeTheirRangeAndRefuseOutsideWithError9)
{
    for (const RangeCase& c : kStoredRanges) {
        for (int v : {c.min, c.max, (c.min + c.max) / 2}) {
            EXPECT_EQ(Lumvex_SetFilterValue(handle, c.id, v), 1) << "id " << c.id << " value " << v;
            int ok = 0;
            EXPECT_EQ(Lumvex_GetFilterValue(handle, c.id, &ok), v) << "id " << c.id;
            EXPECT_EQ(ok, 1);
        }
        for (int v : {c.min - 1, c.max + 1}) {
            EXPECT_EQ(Lumvex_SetFilterValue(handle, c.id, v), 0) << "id " << c.id << " value " << v;
            EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_ARGUMENT);
            EXPECT_EQ(Lumvex_GetFilterValue(handle, c.id, nullptr), (c.min + c.max) / 2) << "changed by a refusal";
        }
    }
    EXPECT_TRUE(SimLog().empty()) << "stored filters never reach the camera";
}

TEST_F(SimCamera, BayerGainsPackAndFlagsStoreZeroOrOne)
{
    ASSERT_EQ(Lumvex_SetFilterValue(handle, 6, 0x7F3214), 1);
    EXPECT_EQ(Lumvex_GetFilterValue(handle, 7, nullptr), 0x14);
    EXPECT_EQ(Lumvex_GetFilterValue(handle, 8, nullptr), 0x32);
    EXPECT_EQ(Lumvex_GetFilterValue(handle, 9, nullptr), 0x7F);
    ASSERT_EQ(Lumvex_SetFilterValue(handle, 7, 300), 1);
    EXPECT_EQ(Lumvex_GetFilterValue(handle, 6, nullptr), 0x7F322C) << "each part cut to its byte";
    for (int id : {10, 102, 103}) {
        for (const auto& c : {std::pair<int, int>{5, 1}, {0, 0}, {-7, 1}}) {
            EXPECT_EQ(Lumvex_SetFilterValue(handle, id, c.first), 1) << id;
            EXPECT_EQ(Lumvex_GetFilterValue(handle, id, nullptr), c.second) << id << " set to " << c.first;
        }
    }
}

TEST_F(SimCamera, UnknownIdentifiersGiveError9)
{
    for (int id : {0, 28, 99, 104, -1, 1000}) {
        int ok = 1;
        EXPECT_EQ(Lumvex_GetFilterValue(handle, id, &ok), 0) << id;
        EXPECT_EQ(ok, 0);
        EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_ARGUMENT);
        EXPECT_EQ(Lumvex_SetFilterValue(handle, id, 0), 0) << id;
        EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_ARGUMENT);
    }
    EXPECT_EQ(Lumvex_SetFilterValue(handle, 101, 20), 0) << "the temperature is read only";
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_ARGUMENT);
}

TEST_F(SimCamera, ExposureAndGainsReachTheCamera)
{
    const int maxExposure = kQV640 ? 65500 : kQV128 ? 65535 : 32767;
    const int minExposure = kQV640 ? 0 : kQV128 ? 5 : 1;
    ASSERT_EQ(Lumvex_SetExposureTime(handle, 1234), 1);
    EXPECT_EQ(Lumvex_GetExposureTime(handle, nullptr), 1234) << "read back from the camera";
    EXPECT_EQ(Lumvex_SetExposureTime(handle, maxExposure), 1);
    if (!kQV128) {
        EXPECT_EQ(Lumvex_SetExposureTime(handle, maxExposure + 1), 0);
        EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_ARGUMENT);
    }
    EXPECT_EQ(Lumvex_SetExposureTime(handle, minExposure - 1), 0);
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_ARGUMENT);

    // Global gain: QV640 0-1, QV320 1 only, QV128 0-255 (read from the camera).
    if (kQV640) {
        EXPECT_EQ(Lumvex_SetGlobalGain(handle, 0), 1);
        EXPECT_EQ(Lumvex_GetGlobalGain(handle, nullptr), 0);
        EXPECT_EQ(Lumvex_SetGlobalGain(handle, 2), 0);
    } else if (kQV128) {
        EXPECT_EQ(Lumvex_SetGlobalGain(handle, 255), 1);
        LumvexSim_SetFpgaRegister(0, 24, 99);
        EXPECT_EQ(Lumvex_GetGlobalGain(handle, nullptr), 99);
        EXPECT_EQ(Lumvex_SetGlobalGain(handle, 256), 0);
    } else {
        EXPECT_EQ(Lumvex_SetGlobalGain(handle, 0), 0) << "range 1-1";
        EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_ARGUMENT);
        EXPECT_EQ(Lumvex_SetGlobalGain(handle, 1), 1);
        EXPECT_EQ(Lumvex_GetGlobalGain(handle, nullptr), 1);
    }
    while (Lumvex_GetLastError(handle) != 0) {
    }

    const struct {
        int (*set)(int, int);
        int (*get)(int, int*);
        int reg;
    } gains[] = {{Lumvex_SetColorGainRed, Lumvex_GetColorGainRed, 45},
                 {Lumvex_SetColorGainGreen1, Lumvex_GetColorGainGreen1, 43},
                 {Lumvex_SetColorGainGreen2, Lumvex_GetColorGainGreen2, 46},
                 {Lumvex_SetColorGainBlue, Lumvex_GetColorGainBlue, 44}};
    for (const auto& g : gains) {
        EXPECT_EQ(g.set(handle, 100), 1) << g.reg;
        int ok = 0;
        EXPECT_EQ(g.get(handle, &ok), kQV128 ? 0 : 100) << g.reg;
        EXPECT_EQ(ok, 1);
        EXPECT_EQ(LumvexSim_GetCameraRegister(0, g.reg), kQV128 ? 0 : 100) << g.reg;
        EXPECT_EQ(g.set(handle, 256), 0);
    }
}

TEST_F(SimCamera, CoolerAndTemperaturePerModel)
{
    int ok = 1;
    if (kQV640) {
        EXPECT_EQ(Lumvex_SetPeltier(handle, 127), 1);
        EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 25), 127);
        EXPECT_EQ(Lumvex_GetPeltier(handle, &ok), 127);
        EXPECT_EQ(ok, 1);
        EXPECT_EQ(Lumvex_SetPeltier(handle, 128), 0);
        EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_ARGUMENT);
        LumvexSim_FailNext(0, LUMVEXSIM_COMMAND, 1);
        EXPECT_EQ(Lumvex_SetPeltier(handle, 5), 0);
        EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_REGISTER);
        LumvexSim_SetTemperatureRaw(0, 0x805);
        EXPECT_EQ(Lumvex_GetTemperature(handle, &ok), 1654);
        EXPECT_EQ(ok, 1);
        LumvexSim_SetPlugged(0, 0);
        EXPECT_EQ(Lumvex_GetTemperature(handle, &ok), -1);
        EXPECT_EQ(ok, 0);
        EXPECT_EQ(Lumvex_GetLastError(handle), 0) << "a failed reading records nothing";
        return;
    }
    EXPECT_EQ(Lumvex_SetPeltier(handle, 10), 0);
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_NOT_SUPPORTED);
    EXPECT_EQ(Lumvex_GetTemperature(handle, &ok), -1);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_NOT_SUPPORTED);
    if (kQV128) {
        EXPECT_EQ(Lumvex_GetPeltier(handle, &ok), 0);
        EXPECT_EQ(ok, 0);
        EXPECT_EQ(Lumvex_GetLastError(handle), 0);
    } else {
        EXPECT_EQ(Lumvex_GetPeltier(handle, &ok), -1);
        EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_NOT_SUPPORTED);
    }
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 25), 0) << "nothing written";
}

TEST_F(SimCamera, NamedExportsForwardWithTheirIdentifier)
{
    const struct {
        int (*set)(int, int);
        int (*get)(int, int*);
        int id, value;
    } named[] = {{Lumvex_SetBrightness, Lumvex_GetBrightness, 1, -17},  {Lumvex_SetContrast, Lumvex_GetContrast, 2, 9},
                 {Lumvex_SetHue, Lumvex_GetHue, 3, 270},               {Lumvex_SetSaturation, Lumvex_GetSaturation, 4, 8},
                 {Lumvex_SetSharpness, Lumvex_GetSharpness, 5, 3},     {Lumvex_SetBayerGainRGB, Lumvex_GetBayerGainRGB, 6, 0x010203},
                 {Lumvex_SetBayerGainRed, Lumvex_GetBayerGainRed, 7, 11}, {Lumvex_SetBayerGainGreen, Lumvex_GetBayerGainGreen, 8, 12},
                 {Lumvex_SetBayerGainBlue, Lumvex_GetBayerGainBlue, 9, 13}, {Lumvex_SetBayerGainAuto, Lumvex_GetBayerGainAuto, 10, 1},
                 {Lumvex_SetGamma, Lumvex_GetGamma, 11, 150},          {Lumvex_SetBayerMode, Lumvex_GetBayerMode, 12, 2},
                 {Lumvex_SetGrayMode, Lumvex_GetGrayMode, 19, 1},      {Lumvex_SetGrayGainR, Lumvex_GetGrayGainR, 20, 200},
                 {Lumvex_SetGrayGainG1, Lumvex_GetGrayGainG1, 21, 201}, {Lumvex_SetGrayGainG2, Lumvex_GetGrayGainG2, 22, 202},
                 {Lumvex_SetGrayGainB, Lumvex_GetGrayGainB, 23, 203},  {Lumvex_SetGrayOffsetR, Lumvex_GetGrayOffsetR, 24, -4},
                 {Lumvex_SetGrayOffsetG1, Lumvex_GetGrayOffsetG1, 25, -5}, {Lumvex_SetGrayOffsetG2, Lumvex_GetGrayOffsetG2, 26, -6},
                 {Lumvex_SetGrayOffsetB, Lumvex_GetGrayOffsetB, 27, -7}, {Lumvex_SetDotFilter, Lumvex_GetDotFilter, 102, 1},
                 {Lumvex_SetMaskFilter, Lumvex_GetMaskFilter, 103, 1}};
    for (const auto& n : named) {
        ASSERT_EQ(n.set(handle, n.value), 1) << n.id;
        int viaName = 0, viaId = 0;
        EXPECT_EQ(n.get(handle, &viaName), Lumvex_GetFilterValue(handle, n.id, &viaId)) << n.id;
        EXPECT_EQ(viaName, viaId);
        EXPECT_EQ(Lumvex_GetFilterValue(handle, n.id, nullptr), n.value) << n.id;
    }
}

TEST(NoDeviceObject, FilterValuesReportErrorOne)
{
    HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, kBlockName);
    ASSERT_NE(squatter, nullptr);
    const int camera = Lumvex_Initialize(nullptr);
    ASSERT_EQ(Lumvex_GetLastError(camera), LUMVEX_ERROR_MEMORY);
    int ok = 1;
    EXPECT_EQ(Lumvex_GetBrightness(camera, &ok), 0);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(Lumvex_GetLastError(camera), LUMVEX_ERROR_NO_DEVICE);
    EXPECT_EQ(Lumvex_SetGamma(camera, 100), 0);
    EXPECT_EQ(Lumvex_GetLastError(camera), LUMVEX_ERROR_NO_DEVICE);
    EXPECT_EQ(Lumvex_Release(camera), 1);
    CloseHandle(squatter);
    EXPECT_EQ(Lumvex_GetBrightness(camera, &ok), 0) << "a released handle";
}

}  // namespace
