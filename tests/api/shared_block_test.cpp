// The cross-process block "VELDRA_USBCAMERA": who creates it, with which
// size, and that nobody who merely opens it wipes it.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "api/shared_block.h"
#include "lumvex_sdk.h"
#include "model_expectations.h"

namespace {

constexpr size_t kZeroed = 0x8000;
constexpr size_t kMarkOffset = 0x1234;  // inside the part the creator zeroes

class SharedBlock : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Every camera of earlier tests has been released: no block exists.
        ASSERT_EQ(BlockView().bytes(), nullptr) << "a block outlived its cameras";
    }
};

// Runs the helper program beside this test and returns its exit code.
DWORD RunSecondProcess(size_t offset, int value)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path(exe);
    path = path.substr(0, path.find_last_of("\\/") + 1) + "second_camera.exe";
    char command[MAX_PATH + 64];
    std::snprintf(command, sizeof command, "\"%s\" %u %d", path.c_str(), static_cast<unsigned>(offset), value);

    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(path.c_str(), command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 0xFFFFFFFF;
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 0xFFFFFFFE;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

TEST_F(SharedBlock, FirstCameraCreatesItWithTheBuildSizeZeroed)
{
    const int camera = Lumvex_Initialize(nullptr);
    ASSERT_NE(camera, 0);
    {
        BlockView block;
        ASSERT_NE(block.bytes(), nullptr);
        EXPECT_EQ(block.size(), kModel.sharedBlockSize);
        size_t nonzero = 0;
        for (size_t i = 0; i < kZeroed; ++i)
            nonzero += block.bytes()[i] != 0;
        EXPECT_EQ(nonzero, 0u);
    }
    EXPECT_EQ(Lumvex_Release(camera), 1);
    EXPECT_EQ(BlockView().bytes(), nullptr) << "the last camera must close the block";
}

TEST_F(SharedBlock, LaterCamerasOpenItWithoutZeroing)
{
    const int first = Lumvex_Initialize(nullptr);
    ASSERT_NE(first, 0);
    BlockView block;
    ASSERT_NE(block.bytes(), nullptr);
    block.bytes()[kMarkOffset] = 0xA5;
    block.bytes()[kOwnerRecordOffset] = 0x5A;

    const int second = Lumvex_Initialize(nullptr);
    ASSERT_NE(second, 0);
    EXPECT_EQ(block.bytes()[kMarkOffset], 0xA5) << "a second camera in this process zeroed the block";

    EXPECT_EQ(RunSecondProcess(kMarkOffset, 0xA5), 0u) << "second process: 2 no block, 3 byte lost, 4 no camera";
    EXPECT_EQ(block.bytes()[kMarkOffset], 0xA5);
    EXPECT_EQ(block.bytes()[kOwnerRecordOffset], 0x5A);

    EXPECT_EQ(Lumvex_Release(second), 1);
    EXPECT_EQ(Lumvex_Release(first), 1);
}

TEST_F(SharedBlock, NameTakenByAnotherKindOfObjectGivesError5)
{
    HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, kBlockName);
    ASSERT_NE(squatter, nullptr);

    const int camera = Lumvex_Initialize(nullptr);
    ASSERT_NE(camera, 0) << "the handle is returned even when initialisation fails";
    EXPECT_EQ(Lumvex_GetLastError(camera), LUMVEX_ERROR_MEMORY);
    EXPECT_EQ(Lumvex_GetLastError(camera), 0);
    // The camera object still answers what needs no device.
    EXPECT_EQ(Lumvex_SetColorMode(camera, 16), 1);
    EXPECT_EQ(Lumvex_GetColorMode(camera), kModel.sampleDepth);
    EXPECT_EQ(Lumvex_Release(camera), 1);
    CloseHandle(squatter);
}

TEST_F(SharedBlock, MappingTooSmallForTheOwnerTableIsRefused)
{
    HANDLE tiny = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 0x10000, kBlockName);
    ASSERT_NE(tiny, nullptr);

    const int camera = Lumvex_Initialize(nullptr);
    ASSERT_NE(camera, 0);
    EXPECT_EQ(Lumvex_GetLastError(camera), LUMVEX_ERROR_MEMORY);
    EXPECT_EQ(Lumvex_GetLastError(camera), 0);
    EXPECT_EQ(Lumvex_Release(camera), 1);
    CloseHandle(tiny);
}

}  // namespace
