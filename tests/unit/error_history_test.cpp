// The error history of a camera object and its initial state.
#include <gtest/gtest.h>

#include "camera/lumvex.h"
#include "model_expectations.h"

namespace lumvex {
namespace {

TEST(ErrorHistory, KeepsTheTwentyNewestCodesNewestFirst)
{
    CLumvex camera;
    for (int code = 1; code <= 25; ++code)
        EXPECT_EQ(camera.PushError(code), 1);

    for (int expected = 25; expected >= 6; --expected)
        EXPECT_EQ(camera.LastError(), expected);
    EXPECT_EQ(camera.LastError(), 0);
    EXPECT_EQ(camera.LastError(), 0);
}

TEST(ErrorHistory, ReadingRemovesOneCode)
{
    CLumvex camera;
    camera.PushError(7);
    camera.PushError(9);
    EXPECT_EQ(camera.LastError(), 9);
    camera.PushError(4);
    EXPECT_EQ(camera.LastError(), 4);
    EXPECT_EQ(camera.LastError(), 7);
    EXPECT_EQ(camera.LastError(), 0);
}

TEST(CameraObject, ConstructionSetsTheDocumentedInitialValues)
{
    CLumvex camera;
    EXPECT_EQ(camera.LastError(), 0);
    EXPECT_EQ(camera.m_device, nullptr);
    EXPECT_EQ(camera.m_totalWidth, kModel.sensorWidth);
    EXPECT_EQ(camera.m_totalHeight, kModel.sensorHeight);
    EXPECT_EQ(camera.m_width, kModel.sensorWidth);
    EXPECT_EQ(camera.m_height, kModel.sensorHeight);
    EXPECT_EQ(camera.m_startX, 0);
    EXPECT_EQ(camera.m_startY, 0);
    EXPECT_EQ(camera.m_bufferCount, 4);
    EXPECT_EQ(camera.m_previewRect.right, kModel.sensorWidth);
    EXPECT_EQ(camera.m_previewRect.bottom, kModel.sensorHeight);
    EXPECT_EQ(camera.m_waitTime, 10);
    EXPECT_EQ(camera.m_timeout, 3000);
    EXPECT_EQ(camera.m_colorMode, 0);
    EXPECT_EQ(camera.m_mode, MODE_IDLE);
    EXPECT_EQ(camera.m_exposureLines, 1.0);
    EXPECT_EQ(camera.m_clockPeriod, 1.0);
    EXPECT_EQ(camera.m_frameInfo.size, static_cast<int>(sizeof(FRAMEINFO)));
    EXPECT_EQ(camera.m_frameInfo.buffer, nullptr);
    EXPECT_EQ(camera.m_className[0], '\0');
    EXPECT_EQ(camera.m_sharedTable.View(), nullptr);  // no block until initialised
}

}  // namespace
}  // namespace lumvex
