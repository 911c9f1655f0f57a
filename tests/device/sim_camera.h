// A camera opened through the simulated variant of the DLL, with the
// simulator reset and unpaced, and its start-up errors read off.
#pragma once

#include <gtest/gtest.h>

#include "api/host_window.h"
#include "lumvex_sdk.h"
#include "lumvex_sim.h"

class SimCamera : public ::testing::Test {
protected:
    void SetUp() override
    {
        LumvexSim_Reset();
        LumvexSim_SetFrameInterval(0, 0);
        handle = Lumvex_Initialize(nullptr);
        ASSERT_NE(handle, 0);
        ASSERT_EQ(Lumvex_GetLastError(handle), 0) << "initialisation reported an error";
        TakePosted(WM_CAMERA_ERROR);
        LumvexSim_ClearLog();
    }
    void TearDown() override { EXPECT_EQ(Lumvex_Release(handle), 1); }

    int handle = 0;
};
