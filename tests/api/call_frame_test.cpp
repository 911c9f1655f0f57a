// Handles as the host sees them: issue, release, and what every function
// does with a handle that is not (or no longer) registered.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "api/host_window.h"
#include "lumvex_sdk.h"
#include "model_expectations.h"

namespace {

TEST(Library, VersionNamesTheModel)
{
    EXPECT_EQ(Lumvex_GetDllVersion(), kModel.dllVersion);
    EXPECT_EQ(Lumvex_GetDllVersion() & 0xFFFF, 1300);
}

TEST(Handles, ReleaseSucceedsOnceOnly)
{
    const int camera = Lumvex_Initialize(nullptr);
    ASSERT_NE(camera, 0);
    EXPECT_EQ(Lumvex_Release(camera), 1);
    EXPECT_EQ(Lumvex_Release(camera), 0);
}

TEST(Handles, SeveralCamerasAreIndependent)
{
    const int first = Lumvex_Initialize(nullptr);
    const int second = Lumvex_Initialize(nullptr);
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    ASSERT_NE(first, second);
    while (Lumvex_GetLastError(first) != 0) {
    }
    while (Lumvex_GetLastError(second) != 0) {
    }

    EXPECT_EQ(Lumvex_SetWaitTime(first, 33), 1);
    EXPECT_EQ(Lumvex_SetColorMode(second, 5), 0);  // error 9 on the second only
    EXPECT_EQ(Lumvex_GetWaitTime(first), 33);
    EXPECT_EQ(Lumvex_GetWaitTime(second), 10);
    EXPECT_EQ(Lumvex_GetLastError(first), 0);
    EXPECT_EQ(Lumvex_GetLastError(second), LUMVEX_ERROR_ARGUMENT);

    EXPECT_EQ(Lumvex_Release(first), 1);
    EXPECT_EQ(Lumvex_GetWaitTime(second), 10);  // still there after the other went
    EXPECT_EQ(Lumvex_Release(second), 1);
}

struct ReleasedHandleCase {
    const char* function;
    int failure;
    std::function<int(int handle, int* out)> call;
};

// Every export that takes a handle, with its failure value.
const ReleasedHandleCase kReleasedHandleCases[] = {
    {"GetLastError", 0, [](int h, int*) { return Lumvex_GetLastError(h); }},
    {"GetStatus", 0, [](int h, int*) { return Lumvex_GetStatus(h, 0); }},
    {"SetColorMode", 0, [](int h, int*) { return Lumvex_SetColorMode(h, 8); }},
    {"SetColorMode(bad)", 0, [](int h, int*) { return Lumvex_SetColorMode(h, 7); }},
    {"GetColorMode", -1, [](int h, int*) { return Lumvex_GetColorMode(h); }},
    {"SetSubSample", 0, [](int h, int*) { return Lumvex_SetSubSample(h, 1); }},
    {"GetSubSample", -1, [](int h, int*) { return Lumvex_GetSubSample(h); }},
    {"SetWaitTime", 0, [](int h, int*) { return Lumvex_SetWaitTime(h, 5); }},
    {"GetWaitTime", -1, [](int h, int*) { return Lumvex_GetWaitTime(h); }},
    {"SetHalfClock", 0, [](int h, int*) { return Lumvex_SetHalfClock(h, 1); }},
    {"SetAutoIris", 0, [](int h, int*) { return Lumvex_SetAutoIris(h, 1); }},
    {"SetAutoIris(bad)", 0, [](int h, int*) { return Lumvex_SetAutoIris(h, 3); }},
    {"GetAutoIris", 0, [](int h, int* out) { return Lumvex_GetAutoIris(h, out); }},
    {"Fps", 0, [](int h, int*) { return Lumvex_Fps(h, 0); }},
    {"SetSamplingRate", 0, [](int h, int*) { return Lumvex_SetSamplingRate(h, 0); }},
    {"SetCrossbar", 0, [](int h, int*) { return Lumvex_SetCrossbar(h, 0, 0); }},
    {"GetSamplingRate", 0, [](int h, int* out) { return Lumvex_GetSamplingRate(h, out); }},
    {"GetVideoFormat", 0, [](int h, int* out) { return Lumvex_GetVideoFormat(h, out); }},
};

TEST(Handles, ReleasedHandleGivesTheFailureValueAndReportsNothing)
{
    HostWindow host;
    ASSERT_NE(host.hwnd(), nullptr) << "no window (is there an X display?)";
    const int camera = Lumvex_Initialize(host.hwnd());
    ASSERT_NE(camera, 0);
    ASSERT_EQ(Lumvex_Release(camera), 1);
    TakePosted(WM_CAMERA_ERROR);

    for (const ReleasedHandleCase& c : kReleasedHandleCases) {
        for (int handle : {camera, 0, 12345}) {
            int out = 0x5A5A;
            EXPECT_EQ(c.call(handle, &out), c.failure) << c.function << " handle " << handle;
            EXPECT_EQ(out, 0x5A5A) << c.function << " wrote through its pointer";
        }
        EXPECT_TRUE(TakePosted(WM_CAMERA_ERROR).empty()) << c.function << " posted an error";
    }
}

}  // namespace
