// The capture window through the DLL: the explicit window, the size presets
// in the registry, and the rules both follow.
#include <cstdio>

#include "device/sim_camera.h"
#include "model_expectations.h"
#include "sim_log.h"

namespace {

constexpr int W = kModel.sensorWidth, H = kModel.sensorHeight;
constexpr bool kWindowEx = W != 128;
constexpr int kUnit = W == 640 ? 4 : 2;  // window register units

struct Window {
    int totalWidth, startX, width, totalHeight, startY, height;
};

Window Stored(int handle)
{
    Window w{};
    EXPECT_EQ(Lumvex_GetCaptureWindowEx(handle, &w.totalWidth, &w.startX, &w.width, &w.totalHeight, &w.startY,
                                        &w.height),
              1);
    return w;
}

TEST_F(SimCamera, WindowExReachesTheCamera)
{
    if (!kWindowEx) {
        EXPECT_EQ(Lumvex_SetCaptureWindowEx(handle, W, 0, 64, H, 0, 64), 0);
        const auto posted = TakePosted(WM_CAMERA_ERROR);
        ASSERT_EQ(posted.size(), 1u);
        EXPECT_EQ(posted[0].lParam, LUMVEX_ERROR_NOT_SUPPORTED);
        EXPECT_EQ(Lumvex_Width(handle), W);
        EXPECT_TRUE(SimLog().empty());
        return;
    }
    const int x = 2 * kUnit, y = kUnit, w = W / 2, h = H / 2;
    ASSERT_EQ(Lumvex_SetCaptureWindowEx(handle, W, x, w, H, y, h), 1);
    const Window s = Stored(handle);
    EXPECT_EQ(s.startX, x);
    EXPECT_EQ(s.startY, y);
    EXPECT_EQ(s.width, w);
    EXPECT_EQ(s.height, h);
    EXPECT_EQ(Lumvex_Width(handle), w);
    EXPECT_EQ(Lumvex_Height(handle), h);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 16), x / kUnit);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 17), y / kUnit);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 18), w / kUnit);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 19), h / kUnit - 1);
    EXPECT_EQ(Lumvex_GetLastError(handle), 0);
}

TEST_F(SimCamera, InvalidWindowsAreStoredButNeverSent)
{
    if (!kWindowEx)
        GTEST_SKIP() << "the explicit window is not supported by this model";
    const struct {
        const char* what;
        int x, y, w, h;
    } cases[] = {
        {"width 2", 0, 0, 2, 16},     {"width 3", 0, 0, 3, 16},     {"height 2", 0, 0, 16, 2},
        {"past the right edge", W - 8, 0, 12, 16}, {"past the bottom", 0, H - 4, 16, 8},
        {"negative x", -4, 0, 16, 16}, {"negative y", 0, -4, 16, 16}, {"wider than the sensor", 0, 0, W + 4, 16},
    };
    for (const auto& c : cases) {
        LumvexSim_ClearLog();
        EXPECT_EQ(Lumvex_SetCaptureWindowEx(handle, W, c.x, c.w, H, c.y, c.h), 0) << c.what;
        EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_GEOMETRY) << c.what;
        EXPECT_TRUE(SimLog().empty()) << c.what << ": the device keeps its previous window";
        EXPECT_EQ(Stored(handle).width, c.w) << c.what;
    }
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 18), W / kUnit);

    // Sub-sampling makes every window invalid.
    ASSERT_EQ(Lumvex_SetSubSample(handle, 1), 1);
    EXPECT_EQ(Lumvex_SetCaptureWindowEx(handle, W, 0, W, H, 0, H), 0);
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_GEOMETRY);
    ASSERT_EQ(Lumvex_SetSubSample(handle, 0), 1);
    EXPECT_EQ(Lumvex_SetCaptureWindowEx(handle, W, 0, W, H, 0, H), 1);
}

// Size presets under the camera's key, in a registry the test owns: the
// build's key is deleted first and after.
class SizePresets : public SimCamera {
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kModel.registryKey);
        SimCamera::SetUp();
    }
    void TearDown() override
    {
        SimCamera::TearDown();
        RegDeleteTreeA(HKEY_CURRENT_USER, kModel.registryKey);
    }
    void AddPreset(int index, const Window& w)
    {
        char path[200];
        std::snprintf(path, sizeof path, "%s\\Camera_00\\Size_%02d", kModel.registryKey, index);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const struct {
            const char* name;
            int value;
        } values[] = {{"TH", w.totalWidth}, {"TV", w.totalHeight}, {"EH", w.width}, {"EV", w.height},
                      {"EHS", w.startX},    {"EVS", w.startY},     {"Buf", 4}};
        for (const auto& v : values) {
            const DWORD d = static_cast<DWORD>(v.value);
            RegSetValueExA(key, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&d), sizeof d);
        }
        RegCloseKey(key);
    }
};

TEST_F(SizePresets, MissingKeyOrSizeGivesError4)
{
    EXPECT_EQ(Lumvex_SetCaptureWindow(handle, W / 2, H / 2), 0);
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_WINDOW);
    AddPreset(0, {W, 0, W, H, 0, H});
    EXPECT_EQ(Lumvex_SetCaptureWindow(handle, W / 2, H / 2), 0);
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_WINDOW);
}

TEST_F(SizePresets, FirstMatchingPresetIsSentToTheCamera)
{
    AddPreset(0, {W, 0, W, H, 0, H});
    AddPreset(1, {W, 8, W / 2, H, 4, H / 2});
    AddPreset(2, {W, 0, W / 2, H, 0, H / 2});  // same size: never reached
    AddPreset(4, {W, 0, W / 4, H, 0, H / 4});  // after the gap: never read
    ASSERT_EQ(Lumvex_SetCaptureWindow(handle, W / 2, H / 2), 1);
    const Window s = Stored(handle);
    EXPECT_EQ(s.startX, 8);
    EXPECT_EQ(s.startY, 4);
    EXPECT_EQ(s.width, W / 2);
    EXPECT_EQ(s.height, H / 2);
    if (kWindowEx) {
        EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 16), 8 / kUnit);
        EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 18), W / 2 / kUnit);
    }
    EXPECT_EQ(Lumvex_GetLastError(handle), 0);

    EXPECT_EQ(Lumvex_SetCaptureWindow(handle, W / 4, H / 4), 0);
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_WINDOW);
}

TEST_F(SizePresets, InvalidPresetFallsBackToTheFullSensor)
{
    AddPreset(0, {W + 60, 0, W + 60, H, 0, H});
    EXPECT_EQ(Lumvex_SetCaptureWindow(handle, W + 60, H), 1);
    EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_GEOMETRY);
    const Window s = Stored(handle);
    EXPECT_EQ(s.width, W);
    EXPECT_EQ(s.height, H);
    EXPECT_EQ(s.totalWidth, W);
    EXPECT_EQ(s.startX, 0);
}

}  // namespace
