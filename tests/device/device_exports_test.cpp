// The device exports through the simulated variant of the DLL: registers,
// serial ROM, IO port, half clock, mirrors, camera information and the
// exposure time; and what each does without a device object.
#include <functional>

#include "api/shared_block.h"
#include "device/sim_camera.h"
#include "model_expectations.h"
#include "sim_log.h"

namespace {

constexpr bool kCameraRegisters = kModel.sensorWidth != 128;

TEST_F(SimCamera, FpgaRegistersRoundTrip)
{
    EXPECT_EQ(Lumvex_Fpga_WriteRegister(handle, 40, 0xA7), 1);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 40), 0xA7);
    int ok = 0;
    EXPECT_EQ(Lumvex_Fpga_ReadRegister(handle, 40, &ok), 0xA7);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(Lumvex_Fpga_ReadRegister(handle, 40, nullptr), 0xA7);

    LumvexSim_FailNext(0, LUMVEXSIM_COMMAND, 1);
    EXPECT_EQ(Lumvex_Fpga_WriteRegister(handle, 40, 1), 0);
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_REGISTER);
    LumvexSim_FailNext(0, LUMVEXSIM_REPLY, 2);
    EXPECT_EQ(Lumvex_Fpga_ReadRegister(handle, 40, &ok), 0);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_REGISTER);
}

TEST_F(SimCamera, CameraRegisters)
{
    LumvexSim_SetCameraRegister(0, 45, 0x1234);
    int ok = 0;
    if (kCameraRegisters) {
        EXPECT_EQ(Lumvex_ReadRegister(handle, 45, &ok), 0x1234);
        EXPECT_EQ(ok, 1);
        EXPECT_EQ(Lumvex_WriteRegister(handle, 46, 0x0102), 1);
        EXPECT_EQ(LumvexSim_GetCameraRegister(0, 46), 0x0102);
        LumvexSim_FailNext(0, LUMVEXSIM_COMMAND, 1);
        EXPECT_EQ(Lumvex_WriteRegister(handle, 46, 1), 0);
        EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_REGISTER);
    } else {
        // No camera registers: success with value 0 and no traffic.
        EXPECT_EQ(Lumvex_ReadRegister(handle, 45, &ok), 0);
        EXPECT_EQ(ok, 1);
        EXPECT_EQ(Lumvex_WriteRegister(handle, 46, 0x0102), 1);
        EXPECT_TRUE(SimLog().empty());
        EXPECT_EQ(Lumvex_GetLastError(handle), 0);
    }
}

TEST_F(SimCamera, SromIdAreaAndItsFailuresArePostedOnly)
{
    EXPECT_EQ(Lumvex_WriteSromID(handle, 5, 0xAB), 1);
    EXPECT_EQ(LumvexSim_GetSromByte(0, 0x18, 5), 0xAB);
    int ok = 0;
    EXPECT_EQ(Lumvex_ReadSromID(handle, 5, &ok), 0xAB);
    EXPECT_EQ(ok, 1);

    LumvexSim_FailNext(0, LUMVEXSIM_REPLY, 2);
    EXPECT_EQ(Lumvex_ReadSromID(handle, 5, &ok), 0);
    EXPECT_EQ(ok, 0);
    LumvexSim_FailNext(0, LUMVEXSIM_COMMAND, 1);
    EXPECT_EQ(Lumvex_WriteSromID(handle, 5, 1), 0);
    const auto posted = TakePosted(WM_CAMERA_ERROR);
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].lParam, LUMVEX_ERROR_NO_DEVICE);
    EXPECT_EQ(posted[1].lParam, LUMVEX_ERROR_NO_DEVICE);
    EXPECT_EQ(Lumvex_GetLastError(handle), 0) << "posted, not recorded";
}

TEST_F(SimCamera, IOPortIsFpgaRegisterSeven)
{
    EXPECT_EQ(Lumvex_SetIOPort(handle, 0x5A), 1);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 7), 0x5A);
    unsigned char port = 0;
    EXPECT_EQ(Lumvex_GetIOPort(handle, &port, 0, 0), 1);
    EXPECT_EQ(port, 0x5A);
    EXPECT_EQ(Lumvex_GetIOPort(handle, nullptr, 0, 0), 0);
    const auto posted = TakePosted(WM_CAMERA_ERROR);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].lParam, LUMVEX_ERROR_ARGUMENT);
}

TEST_F(SimCamera, HalfClockIsReadFromRegisterFifteen)
{
    LumvexSim_SetFpgaRegister(0, 15, 1);
    int ok = 0;
    EXPECT_EQ(Lumvex_GetHalfClock(handle, &ok), 1);
    EXPECT_EQ(ok, 1);
    LumvexSim_SetPlugged(0, 0);
    EXPECT_EQ(Lumvex_GetHalfClock(handle, &ok), 0);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(TakePosted(WM_CAMERA_ERROR).size(), 1u);
    EXPECT_EQ(Lumvex_SetHalfClock(handle, 1), 1) << "stored without the camera";
}

TEST_F(SimCamera, MirrorsAreStoredAsFlags)
{
    EXPECT_EQ(Lumvex_GetMirrorV(handle), 0);
    EXPECT_EQ(Lumvex_SetMirrorV(handle, 5), 1);
    EXPECT_EQ(Lumvex_GetMirrorV(handle), 1);
    EXPECT_EQ(Lumvex_SetMirrorH(handle, -1), 1);
    EXPECT_EQ(Lumvex_GetMirrorH(handle), 1);
    EXPECT_EQ(Lumvex_SetMirrorH(handle, 0), 1);
    EXPECT_EQ(Lumvex_GetMirrorH(handle), 0);
    EXPECT_TRUE(SentCommands().empty()) << "the mirrors never reach the camera";
}

TEST_F(SimCamera, CameraInfoChecksTheRecordFirst)
{
    LUMVEX_CAMERAINFO info{};
    EXPECT_EQ(Lumvex_GetCameraInfo(handle, nullptr), 0);
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_ARGUMENT);
    info.size = 35;
    EXPECT_EQ(Lumvex_GetCameraInfo(handle, &info), 0);
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_MEMORY);
    EXPECT_EQ(info.sensorWidth, 0);

    info.size = 36;
    ASSERT_EQ(Lumvex_GetCameraInfo(handle, &info), 1);
    EXPECT_EQ(info.size, 36);
    EXPECT_EQ(info.sensorWidth, kModel.sensorWidth);
    EXPECT_EQ(info.sensorHeight, kModel.sensorHeight);
    EXPECT_EQ(info.colorGainMin, 0);
    EXPECT_EQ(info.colorGainMax, 255);
#if defined(LUMVEX_MODEL_QV640)
    const int expected[] = {0, 1, 0, 65500};
#elif defined(LUMVEX_MODEL_QV320)
    const int expected[] = {1, 1, 1, 32767};
#else
    const int expected[] = {0, 255, 5, 65535};
#endif
    EXPECT_EQ(info.globalGainMin, expected[0]);
    EXPECT_EQ(info.globalGainMax, expected[1]);
    EXPECT_EQ(info.exposureMin, expected[2]);
    EXPECT_EQ(info.exposureMax, expected[3]);
}

TEST_F(SimCamera, RealExposureTimeBothWays)
{
    int ok = 0;
    EXPECT_EQ(Lumvex_GetRealExposureTime(handle, &ok), kModel.realExposureAtDefault);
    EXPECT_EQ(ok, 1);
#if defined(LUMVEX_MODEL_QV640)
    ASSERT_EQ(Lumvex_SetRealExposureTime(handle, 6730), 1);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 32), 100);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 33), 0);
    ASSERT_EQ(Lumvex_SetRealExposureTime(handle, 67300), 1);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 32) | LumvexSim_GetFpgaRegister(0, 33) << 8, 1000);
    EXPECT_EQ(Lumvex_GetRealExposureTime(handle, nullptr), 67299);
#endif
    EXPECT_EQ(Lumvex_SetRealExposureTime(handle, 2000000000), 0);
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_ARGUMENT);
}

// A camera object without a device object: its initialisation found the
// shared block's name taken.
struct NoDeviceCase {
    const char* function;
    std::function<int(int, int*)> call;
    bool recorded;  // pushed (history and window) rather than only posted
};

const NoDeviceCase kNoDeviceCases[] = {
    {"ReadRegister", [](int h, int* ok) { return Lumvex_ReadRegister(h, 1, ok); }, true},
    {"WriteRegister", [](int h, int*) { return Lumvex_WriteRegister(h, 1, 1); }, true},
    {"Fpga_ReadRegister", [](int h, int* ok) { return Lumvex_Fpga_ReadRegister(h, 1, ok); }, true},
    {"Fpga_WriteRegister", [](int h, int*) { return Lumvex_Fpga_WriteRegister(h, 1, 1); }, true},
    {"SetMirrorH", [](int h, int*) { return Lumvex_SetMirrorH(h, 1); }, true},
    {"GetMirrorH", [](int h, int*) { return Lumvex_GetMirrorH(h); }, true},
    {"GetCameraInfo", [](int h, int*) {
         LUMVEX_CAMERAINFO info{};
         info.size = 36;
         return Lumvex_GetCameraInfo(h, &info);
     }, true},
    {"GetRealExposureTime", [](int h, int* ok) { return Lumvex_GetRealExposureTime(h, ok); }, true},
    {"SetRealExposureTime", [](int h, int*) { return Lumvex_SetRealExposureTime(h, 6730); }, true},
    {"SetCaptureWindow", [](int h, int*) { return Lumvex_SetCaptureWindow(h, 64, 64); }, true},
    {"ReadSromID", [](int h, int* ok) { return Lumvex_ReadSromID(h, 1, ok); }, false},
    {"WriteSromID", [](int h, int*) { return Lumvex_WriteSromID(h, 1, 1); }, false},
    {"GetIOPort", [](int h, int*) {
         unsigned char port = 0;
         return Lumvex_GetIOPort(h, &port, 0, 0);
     }, false},
    {"SetIOPort", [](int h, int*) { return Lumvex_SetIOPort(h, 1); }, false},
    {"GetHalfClock", [](int h, int* ok) { return Lumvex_GetHalfClock(h, ok); }, false},
    {"SetMirrorV", [](int h, int*) { return Lumvex_SetMirrorV(h, 1); }, false},
    {"GetMirrorV", [](int h, int*) { return Lumvex_GetMirrorV(h); }, false},
};

TEST(NoDeviceObject, DeviceExportsReportErrorOne)
{
    HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, kBlockName);
    ASSERT_NE(squatter, nullptr);
    HostWindow host;
    ASSERT_NE(host.hwnd(), nullptr);
    const int camera = Lumvex_Initialize(host.hwnd());
    ASSERT_NE(camera, 0);
    ASSERT_EQ(Lumvex_GetLastError(camera), LUMVEX_ERROR_MEMORY);
    TakePosted(WM_CAMERA_ERROR);

    for (const NoDeviceCase& c : kNoDeviceCases) {
        int ok = 7;
        EXPECT_EQ(c.call(camera, &ok), 0) << c.function;
        EXPECT_NE(ok, 1) << c.function;
        const auto posted = TakePosted(WM_CAMERA_ERROR);
        ASSERT_EQ(posted.size(), 1u) << c.function;
        EXPECT_EQ(posted[0].lParam, LUMVEX_ERROR_NO_DEVICE) << c.function;
        EXPECT_EQ(Lumvex_GetLastError(camera), c.recorded ? LUMVEX_ERROR_NO_DEVICE : 0) << c.function;
    }
    // What needs no device still works.
    EXPECT_EQ(Lumvex_SetSubSample(camera, 1), 1);
    int x = -1;
    EXPECT_EQ(Lumvex_GetCaptureWindowEx(camera, nullptr, &x, nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(Lumvex_Release(camera), 1);
    CloseHandle(squatter);
}

}  // namespace
