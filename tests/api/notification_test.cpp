// WM_CAMERA_ERROR reaching a real window's queue, and the FRAMEINFO record
// the frame notification points to.
#include <cstddef>

#include <gtest/gtest.h>

#include "api/host_window.h"
#include "lumvex_sdk.h"

namespace {

TEST(Notification, PushedErrorsArriveInTheHostWindowQueue)
{
    HostWindow host;
    ASSERT_NE(host.hwnd(), nullptr) << "no window (is there an X display?)";
    TakePosted(WM_CAMERA_ERROR);

    const int camera = Lumvex_Initialize(host.hwnd());
    ASSERT_NE(camera, 0);
    // Whatever initialisation reported went to the window and the history.
    for (const PostedMessage& m : TakePosted(WM_CAMERA_ERROR)) {
        EXPECT_EQ(m.hwnd, host.hwnd());
        EXPECT_EQ(Lumvex_GetLastError(camera), m.lParam);
    }
    EXPECT_EQ(Lumvex_GetLastError(camera), 0);

    EXPECT_EQ(Lumvex_SetColorMode(camera, 7), 0);
    const auto posted = TakePosted(WM_CAMERA_ERROR);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].hwnd, host.hwnd());
    EXPECT_EQ(posted[0].wParam, 0u);
    EXPECT_EQ(posted[0].lParam, LUMVEX_ERROR_ARGUMENT);
    EXPECT_EQ(Lumvex_GetLastError(camera), LUMVEX_ERROR_ARGUMENT);

    // Post-only codes go to the same window and stay out of the history.
    EXPECT_EQ(Lumvex_Fps(camera, 0), 0);
    const auto unsupported = TakePosted(WM_CAMERA_ERROR);
    ASSERT_EQ(unsupported.size(), 1u);
    EXPECT_EQ(unsupported[0].hwnd, host.hwnd());
    EXPECT_EQ(unsupported[0].lParam, LUMVEX_ERROR_NOT_SUPPORTED);
    EXPECT_EQ(Lumvex_GetLastError(camera), 0);

    EXPECT_EQ(Lumvex_Release(camera), 1);
}

TEST(Notification, WithoutAWindowErrorsAreOnlyRecorded)
{
    TakePosted(WM_CAMERA_ERROR);
    const int camera = Lumvex_Initialize(nullptr);
    ASSERT_NE(camera, 0);
    EXPECT_EQ(Lumvex_SetColorMode(camera, 7), 0);
    EXPECT_TRUE(TakePosted(WM_CAMERA_ERROR).empty());
    EXPECT_EQ(Lumvex_GetLastError(camera), LUMVEX_ERROR_ARGUMENT);
    EXPECT_EQ(Lumvex_Release(camera), 1);
}

TEST(Notification, MessageNumbersAndFrameInfoLayout)
{
    EXPECT_EQ(WM_CAMERA_FRAME, 0x8002);
    EXPECT_EQ(WM_CAMERA_ERROR, 0x8003);
    EXPECT_EQ(offsetof(FRAMEINFO, size), 0u);
    EXPECT_EQ(offsetof(FRAMEINFO, width), 4u);
    EXPECT_EQ(offsetof(FRAMEINFO, height), 8u);
    EXPECT_EQ(offsetof(FRAMEINFO, bitCount), 12u);
    EXPECT_EQ(offsetof(FRAMEINFO, frameRate), 16u);
#ifdef _WIN64
    EXPECT_EQ(offsetof(FRAMEINFO, buffer), 24u);
    EXPECT_EQ(sizeof(FRAMEINFO), 32u);
#else
    EXPECT_EQ(offsetof(FRAMEINFO, buffer), 20u);
    EXPECT_EQ(sizeof(FRAMEINFO), 24u);
#endif
}

}  // namespace
