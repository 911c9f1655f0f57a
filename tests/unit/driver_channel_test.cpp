// The driver channel against the simulated driver: device paths, packets
// byte by byte, the reply rules and the result codes.
#include <chrono>
#include <string>

#include <gtest/gtest.h>

#include "device/model_device.h"
#include "model_expectations.h"
#include "sim_log.h"

namespace lumvex {
namespace {

std::string PathOfDevice(int n)
{
    return std::string("\\\\.\\") + kModel.driverBaseName + "-" + std::to_string(n);
}

class Channel : public ::testing::Test {
protected:
    void SetUp() override
    {
        LumvexSim_Reset();
        LumvexSim_SetFrameInterval(0, 0);
        device = new CModelDevice;
        LumvexSim_ClearLog();
    }
    void TearDown() override { delete device; }

    CModelDevice* device = nullptr;
};

TEST_F(Channel, ProbeOpensEveryDevicePathAndMarksThePluggedOnes)
{
    LumvexSim_SetPlugged(3, 1);
    device->ProbeDevices();
    std::vector<std::string> expected;
    for (int n = 0; n < 8; ++n)
        expected.push_back(PathOfDevice(n));
    EXPECT_EQ(OpenedPaths(), expected);
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(device->IsPresent(n), n == 0 || n == 3) << n;
    EXPECT_EQ(LumvexSim_OpenHandles(0) + LumvexSim_OpenHandles(3), 0u) << "the probe must close what it opened";
}

TEST_F(Channel, SelectingADeviceRebuildsThePathAndEightIsRefused)
{
    LumvexSim_SetPlugged(3, 1);
    ASSERT_EQ(device->SelectDevice(3), CH_DONE);
    EXPECT_EQ(device->DevicePath(), PathOfDevice(3));
    uint8_t value = 0;
    LumvexSim_ClearLog();
    EXPECT_EQ(device->ReadFpgaRegister(7, &value), 1);
    EXPECT_EQ(OpenedPaths(), std::vector<std::string>{PathOfDevice(3)});

    for (int bad : {8, -1, 100}) {
        EXPECT_EQ(device->SelectDevice(bad), CH_BAD_DEVICE) << bad;
        EXPECT_EQ(device->GetDeviceNumber(), 3);
        EXPECT_EQ(device->DevicePath(), PathOfDevice(3));
    }
}

TEST_F(Channel, CameraRegisterReplyIsHighByteFirst)
{
    LumvexSim_SetCameraRegister(0, 45, 0x1234);
    uint16_t value = 0;
    ASSERT_EQ(device->ReadCameraRegister(45, &value), 1);
    EXPECT_EQ(value, 0x1234);

    const auto commands = SentCommands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].data[0], 0x0C);
    EXPECT_EQ(commands[0].data[1], 45);
}

TEST_F(Channel, CameraRegisterWriteSendsTheValueHighByteFirst)
{
    ASSERT_EQ(device->WriteCameraRegister(44, 0xBEEF), 1);
    EXPECT_EQ(LumvexSim_GetCameraRegister(0, 44), 0xBEEF);
    const auto commands = SentCommands();
    ASSERT_EQ(commands.size(), 1u);
    const uint8_t expected[] = {0x04, 44, 0xBE, 0xEF};
    EXPECT_EQ(std::vector<uint8_t>(commands[0].data, commands[0].data + 4),
              std::vector<uint8_t>(expected, expected + 4));
}

TEST_F(Channel, OnlyTheSecondReplyCounts)
{
    const struct {
        int failingReplies;
        int result;
        int value;
    } cases[] = {{0, 1, 0x5C}, {1, 1, 0x5C}, {2, 0, 0}};
    LumvexSim_SetFpgaRegister(0, 40, 0x5C);
    for (const auto& c : cases) {
        LumvexSim_FailNext(0, LUMVEXSIM_REPLY, c.failingReplies);
        uint8_t value = 0xEE;
        EXPECT_EQ(device->ReadFpgaRegister(40, &value), c.result) << c.failingReplies;
        EXPECT_EQ(value, c.value) << c.failingReplies;
        LumvexSim_FailNext(0, LUMVEXSIM_REPLY, 0);
    }
}

TEST_F(Channel, ACompletionShortOfSixtyFourBytesFails)
{
    HANDLE handle = nullptr;
    ASSERT_EQ(device->OpenDriver(device->DevicePath(), &handle), 1);
    uint8_t packet[64] = {0x25, 9, 1};
    LumvexSim_ShortenNext(0, LUMVEXSIM_COMMAND, 63);
    EXPECT_EQ(device->SendCommand(handle, packet), CH_BAD_TRANSFER);
    LumvexSim_ShortenNext(0, LUMVEXSIM_REPLY, 63);
    EXPECT_EQ(device->ReadReply(handle, packet), CH_BAD_TRANSFER);
    EXPECT_EQ(device->SendCommand(handle, packet), CH_DONE);
    EXPECT_EQ(device->ReadReply(handle, packet), CH_DONE);
    EXPECT_EQ(device->CloseDriver(&handle), 1);
    EXPECT_EQ(device->CloseDriver(&handle), 0);
    EXPECT_EQ(device->SendCommand(nullptr, packet), CH_NOT_OPENED);
    EXPECT_EQ(device->ReadReply(nullptr, packet), CH_NOT_OPENED);
}

TEST_F(Channel, BulkTransferChecksBufferThenHandle)
{
    DWORD moved = 99;
    uint8_t buffer[64] = {};
    EXPECT_EQ(device->BulkTransfer(nullptr, 0, 64, nullptr, true, &moved), CH_NO_BUFFER);
    EXPECT_EQ(device->BulkTransfer(nullptr, 0, 64, buffer, true, &moved), CH_NO_HANDLE);
    EXPECT_EQ(device->LargeBulkTransfer(nullptr, 2, 64, nullptr, &moved), CH_NO_BUFFER);
    EXPECT_EQ(device->LargeBulkTransfer(nullptr, 2, 64, buffer, &moved), CH_NO_HANDLE);
    EXPECT_EQ(device->BulkTransfer(INVALID_HANDLE_VALUE, 0, 64, buffer, true, &moved), CH_REFUSED);
}

TEST_F(Channel, SromWriteSendsItsPacketAndWaitsTenMilliseconds)
{
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(device->WriteSromIdByte(5, 0xAB), 1);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(10));

    const auto commands = SentCommands();
    ASSERT_EQ(commands.size(), 1u);
    const std::vector<uint8_t> expected = {0x40, 0x51, 0x03, 0x18, 0x05, 0xAB};
    EXPECT_EQ(std::vector<uint8_t>(commands[0].data, commands[0].data + 6), expected);
    EXPECT_EQ(LumvexSim_GetSromByte(0, 0x18, 5), 0xAB);

    uint8_t value = 0;
    ASSERT_EQ(device->ReadSromIdByte(5, &value), 1);
    EXPECT_EQ(value, 0xAB);
    const auto read = SentCommands().back();
    const std::vector<uint8_t> readPacket = {0x41, 0x51, 0x02, 0x01, 0x18, 0x05};
    EXPECT_EQ(std::vector<uint8_t>(read.data, read.data + 6), readPacket);
}

TEST_F(Channel, SromIdentityReadsUseTheIdentityArea)
{
    LumvexSim_SetSromByte(0, 0x19, 17, 0x42);
    uint8_t value = 0;
    ASSERT_EQ(device->ReadSromIdentityByte(17, &value), 1);
    EXPECT_EQ(value, 0x42);
    EXPECT_EQ(SentCommands().back().data[4], 0x19);
}

TEST_F(Channel, DriverParameterRequestCarriesSelectorAndValue)
{
    device->SetDriverParameter(10000);
    EXPECT_EQ(device->DriverParameter(), 10000);
    const auto log = SimLog();
    const auto it = std::find_if(log.begin(), log.end(), [](const LUMVEXSIM_REQUEST& r) { return r.code == kIoctlParameter; });
    ASSERT_NE(it, log.end());
    EXPECT_TRUE(it->ok);
    const std::vector<uint8_t> expected = {1, 0, 0, 0, 0x10, 0x27, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(it->data, it->data + 8), expected);
}

TEST_F(Channel, EveryExchangeClosesItsHandle)
{
    uint8_t v8 = 0;
    uint16_t v16 = 0;
    device->ReadFpgaRegister(1, &v8);
    device->WriteFpgaRegister(1, 2);
    device->ReadCameraRegister(43, &v16);
    device->WriteCameraRegister(43, 1);
    device->ReadSromIdByte(1, &v8);
    device->InitFpga();
    device->SetTransferLength(2048);
    EXPECT_EQ(LumvexSim_OpenHandles(0), 0u);
}

TEST_F(Channel, WithoutACameraRegisterCallsFailWithValueZero)
{
    LumvexSim_SetPlugged(0, 0);
    uint8_t v8 = 0xEE;
    uint16_t v16 = 0xEEEE;
    EXPECT_EQ(device->ReadFpgaRegister(3, &v8), 0);
    EXPECT_EQ(v8, 0);
    EXPECT_EQ(device->ReadCameraRegister(43, &v16), 0);
    EXPECT_EQ(v16, 0);
    EXPECT_EQ(device->WriteFpgaRegister(3, 1), 0);
    EXPECT_EQ(device->WriteCameraRegister(43, 1), 0);
    EXPECT_EQ(device->ReadSromIdByte(3, &v8), 0);
    EXPECT_EQ(device->WriteSromIdByte(3, 1), 0);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "the channel posts nothing";
}

}  // namespace
}  // namespace lumvex
