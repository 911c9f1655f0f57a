// Settings that are stored by the camera object and need no device.
#include <gtest/gtest.h>

#include "api/host_window.h"
#include "lumvex_sdk.h"
#include "model_expectations.h"

namespace {

class Camera : public ::testing::Test {
protected:
    void SetUp() override
    {
        handle = Lumvex_Initialize(nullptr);
        ASSERT_NE(handle, 0);
        while (Lumvex_GetLastError(handle) != 0) {
        }
        TakePosted(WM_CAMERA_ERROR);
    }
    void TearDown() override { EXPECT_EQ(Lumvex_Release(handle), 1); }

    int handle = 0;
};

TEST_F(Camera, ColorModeRoundTripReportsTheSensorDepth)
{
    const int unused = 16 - kModel.sampleDepth;
    const struct {
        int bits, reported;
    } cases[] = {
        {64, 64 - unused}, {8, 8}, {16, 16 - unused}, {24, 24}, {32, 32}, {48, 48 - unused},
    };
    EXPECT_EQ(Lumvex_GetColorMode(handle), 8);  // 8-bit gray until told otherwise
    for (const auto& c : cases) {
        EXPECT_EQ(Lumvex_SetColorMode(handle, c.bits), 1) << c.bits;
        EXPECT_EQ(Lumvex_GetColorMode(handle), c.reported) << c.bits;
    }
    EXPECT_EQ(Lumvex_GetLastError(handle), 0);
}

TEST_F(Camera, ColorModeRefusesOtherBitCountsWithError9)
{
    ASSERT_EQ(Lumvex_SetColorMode(handle, 24), 1);
    for (int bits : {0, 1, 12, 14, 15, 17, 33, 63, 65, 128, -8}) {
        EXPECT_EQ(Lumvex_SetColorMode(handle, bits), 0) << bits;
        EXPECT_EQ(Lumvex_GetLastError(handle), LUMVEX_ERROR_ARGUMENT) << bits;
        EXPECT_EQ(Lumvex_GetColorMode(handle), 24) << bits << " changed the mode";
    }
}

TEST_F(Camera, SubSampleAcceptsZeroToTwoAndRefusesSilently)
{
    EXPECT_EQ(Lumvex_GetSubSample(handle), 0);
    for (int mode : {2, 0, 1}) {
        EXPECT_EQ(Lumvex_SetSubSample(handle, mode), 1);
        EXPECT_EQ(Lumvex_GetSubSample(handle), mode);
    }
    for (int mode : {3, -1, 17, 0x7FFFFFFF}) {
        EXPECT_EQ(Lumvex_SetSubSample(handle, mode), 0) << mode;
        EXPECT_EQ(Lumvex_GetSubSample(handle), 1) << mode;
    }
    EXPECT_EQ(Lumvex_GetLastError(handle), 0);
}

TEST_F(Camera, WaitTimeRefusesNegativeValuesSilently)
{
    EXPECT_EQ(Lumvex_GetWaitTime(handle), 10);
    EXPECT_EQ(Lumvex_SetWaitTime(handle, 0), 1);
    EXPECT_EQ(Lumvex_GetWaitTime(handle), 0);
    EXPECT_EQ(Lumvex_SetWaitTime(handle, 250), 1);
    EXPECT_EQ(Lumvex_SetWaitTime(handle, -1), 0);
    EXPECT_EQ(Lumvex_GetWaitTime(handle), 250);
    EXPECT_EQ(Lumvex_GetLastError(handle), 0);
}

TEST_F(Camera, HalfClockIsStoredWithoutADevice)
{
    EXPECT_EQ(Lumvex_SetHalfClock(handle, 1), 1);
    EXPECT_EQ(Lumvex_SetHalfClock(handle, 0), 1);
    EXPECT_EQ(Lumvex_GetLastError(handle), 0);
}

TEST_F(Camera, AutoIrisAcceptsZeroToTwoAndPostsNineOtherwise)
{
    int ok = 0;
    EXPECT_EQ(Lumvex_GetAutoIris(handle, &ok), 0);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(Lumvex_SetAutoIris(handle, 2), 1);
    EXPECT_EQ(Lumvex_GetAutoIris(handle, nullptr), 2);

    for (int mode : {3, -1}) {
        EXPECT_EQ(Lumvex_SetAutoIris(handle, mode), 0) << mode;
        EXPECT_EQ(Lumvex_GetAutoIris(handle, &ok), 2) << mode;
    }
    // Posted only: the history does not see it. With no notification
    // window the post is a message to the calling thread.
    EXPECT_EQ(Lumvex_GetLastError(handle), 0);
    const auto posted = TakePosted(WM_CAMERA_ERROR);
    ASSERT_EQ(posted.size(), 2u);
    for (const PostedMessage& m : posted) {
        EXPECT_EQ(m.hwnd, nullptr);
        EXPECT_EQ(m.lParam, LUMVEX_ERROR_ARGUMENT);
    }
}

TEST_F(Camera, StatusIsAlwaysZero)
{
    for (int reserved : {0, 1, -1, 0x12345678})
        EXPECT_EQ(Lumvex_GetStatus(handle, reserved), 0);
}

TEST_F(Camera, UnsupportedSettersPostElevenAndGettersAnswerZero)
{
    EXPECT_EQ(Lumvex_Fps(handle, 30), 0);
    EXPECT_EQ(Lumvex_SetSamplingRate(handle, 1), 0);
    EXPECT_EQ(Lumvex_SetCrossbar(handle, 1, 2), 0);
    const auto posted = TakePosted(WM_CAMERA_ERROR);
    ASSERT_EQ(posted.size(), 3u);
    for (const PostedMessage& m : posted)
        EXPECT_EQ(m.lParam, LUMVEX_ERROR_NOT_SUPPORTED);
    EXPECT_EQ(Lumvex_GetLastError(handle), 0) << "error 11 must not be recorded";

    int value = 77;
    EXPECT_EQ(Lumvex_GetSamplingRate(handle, &value), 0);
    EXPECT_EQ(value, 0);
    value = 77;
    EXPECT_EQ(Lumvex_GetVideoFormat(handle, &value), 0);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(Lumvex_GetVideoFormat(handle, nullptr), 0);
    EXPECT_EQ(Lumvex_GetSamplingRate(handle, nullptr), 0);
    EXPECT_TRUE(TakePosted(WM_CAMERA_ERROR).empty());
}

}  // namespace
