// The model class of this build against the simulated camera: start-up,
// window, exposure, gains, trigger, cooler and temperature registers.
#include <chrono>

#include <gtest/gtest.h>

#include "device/model_device.h"
#include "model_expectations.h"
#include "sim_log.h"

namespace lumvex {
namespace {

constexpr int W = kModel.sensorWidth, H = kModel.sensorHeight;

class ModelDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        LumvexSim_Reset();
        LumvexSim_SetFrameInterval(0, 0);
    }
    void TearDown() override { delete device; }
    void Make()
    {
        device = new CModelDevice;
        LumvexSim_ClearLog();
    }

    CModelDevice* device = nullptr;
};

// FPGA register writes of the start-up of device 0, in order.
std::vector<RegisterWrite> ExpectedStartUp(bool identity)
{
#if defined(LUMVEX_MODEL_QV640)
    std::vector<RegisterWrite> w = {{14, 4}};
    if (identity)
        w.insert(w.end(), {{20, 0x3C}, {21, 0x5A}, {22, 0x81}, {23, 0x07}});
    w.insert(w.end(), {{16, 0}, {17, 0}, {18, 160}, {19, 127}, {0, 0x00}, {1, 0x04}, {2, 0x05}, {3, 0x00}});
    const int control = (identity ? 0x3C : 0) | 2;  // global gain on
    w.insert(w.end(), {{20, control}, {11, 0}, {20, control & ~1}, {20, 6}});
    return w;
#elif defined(LUMVEX_MODEL_QV320)
    (void)identity;
    return {{14, 8},  {23, 0x30 & 0xF9}, {16, 0}, {17, 0}, {18, 160}, {19, 127}, {0, 255}, {1, 0x44},
            {2, 0x01}, {3, 0},           {0, 0},  {20, 2}, {11, 0},  {20, 2}};
#else
    (void)identity;
    return {{14, 8}, {0, 255}, {1, 0x44}, {2, 0}, {3, 0}, {0, 0}, {6, 16}, {6, 0}, {11, 0}};
#endif
}

TEST_F(ModelDevice, StartUpWritesTheModelsSequence)
{
    LumvexSim_SetFpgaRegister(0, 23, 0x36);  // QV320 clears bits 1 and 2 of it
    device = new CModelDevice;
    EXPECT_EQ(FpgaWrites(), ExpectedStartUp(true));
    EXPECT_EQ(device->WindowWidth(), W);
    EXPECT_EQ(device->WindowHeight(), H);
    EXPECT_EQ(device->TriggerMode(), 0);
    EXPECT_EQ(device->WideSamples(), 0);
#if defined(LUMVEX_MODEL_QV320)
    // Registers 28-31 are read once at the end.
    std::vector<int> reads;
    for (const auto& c : SentCommands())
        if (c.data[0] == 0x26 && c.data[1] >= 28)
            reads.push_back(c.data[1]);
    EXPECT_EQ(reads, (std::vector<int>{28, 29, 30, 31}));
#endif
}

#if defined(LUMVEX_MODEL_QV640)
TEST_F(ModelDevice, StartUpSkipsTheCalibrationWithoutTheIdentityText)
{
    LumvexSim_SetSromByte(0, 0x19, 0, 'X');
    device = new CModelDevice;
    EXPECT_EQ(FpgaWrites(), ExpectedStartUp(false));
}
#endif

TEST_F(ModelDevice, FullWindowWritesWindowAndTransferLength)
{
    Make();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(device->SetWindow(0, 0, W, H, 0), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    auto writes = FpgaWrites();
    auto expected = ExpectedStartUp(true);
    // The start-up's own window writes are the expectation here.
    std::vector<RegisterWrite> window;
    for (const auto& e : expected)
        if (e.first <= 6 || (e.first >= 16 && e.first <= 19))
            window.push_back(e);
    EXPECT_EQ(writes, window);
    const auto commands = SentCommands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.front().data[0], 0x09) << "the transfer length command comes first";
}

TEST_F(ModelDevice, WindowRulesAtTheSensorEdges)
{
    Make();
    const struct {
        int x, y, w, h, sub, result;
    } cases[] = {
        {W - 4, 0, 4, 3, 0, 0}, {W - 3, 0, 4, 3, 0, 1}, {0, H - 3, 4, 3, 0, 0}, {0, H - 2, 4, 3, 0, 1},
        {0, 0, 3, 3, 0, 1},     {0, 0, 4, 2, 0, 1},     {-4, 0, 4, 3, 0, 1},    {0, 0, 8, 4, 17, 0},
        {0, 0, 8, 4, 18, 0},    {0, 0, 8, 4, 19, 1},    {0, 0, 8, 4, 4, 1},     {0, 0, 8, 4, 3, 0},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(device->SetWindow(0, 0, W, H, 0), 0);
        LumvexSim_ClearLog();
        EXPECT_EQ(device->SetWindow(c.x, c.y, c.w, c.h, c.sub), c.result) << c.x << "," << c.y << " " << c.w << "x" << c.h << " sub " << c.sub;
        if (c.result == 1) {
            EXPECT_TRUE(SentCommands().empty()) << "a rejected window must send nothing";
            EXPECT_EQ(device->WindowWidth(), W);
            EXPECT_EQ(device->TransferLength(), (W * H + 1023) / 1024 * 1024 + 1024);
        } else {
            EXPECT_EQ(device->WindowWidth(), c.w);
            EXPECT_EQ(device->SubSampleMode(), c.sub);
        }
    }
}

TEST_F(ModelDevice, ExposureRegistersAndClamp)
{
    Make();
#if defined(LUMVEX_MODEL_QV128)
    const struct {
        int exposure;
        std::vector<RegisterWrite> writes;
    } cases[] = {{10000, {{32, 0x40}, {33, 0x9C}, {34, 0x00}}},
                 {65535, {{32, 0xFC}, {33, 0xFF}, {34, 0x03}}},
                 {5, {{32, 20}, {33, 0}, {34, 0}}}};
#else
    constexpr int max = kModel.sensorWidth == 640 ? 65500 : 32767;
    const struct {
        int exposure;
        std::vector<RegisterWrite> writes;
    } cases[] = {{65535, {{32, max & 0xFF}, {33, max >> 8}}},
                 {max + 1, {{32, max & 0xFF}, {33, max >> 8}}},
                 {0, {{32, 0}, {33, 0}}},
                 {100, {{32, 100}, {33, 0}}},
                 {0x1234, {{32, 0x34}, {33, 0x12}}}};
#endif
    for (const auto& c : cases) {
        LumvexSim_ClearLog();
        EXPECT_EQ(device->SetExposure(static_cast<uint16_t>(c.exposure)), 1) << c.exposure;
        EXPECT_EQ(FpgaWrites(), c.writes) << c.exposure;
        int readBack = -1;
        EXPECT_EQ(device->GetExposure(&readBack), 1);
#if defined(LUMVEX_MODEL_QV128)
        EXPECT_EQ(readBack, c.exposure);
#else
        EXPECT_EQ(readBack, c.exposure > max ? max : c.exposure);
#endif
    }
    LumvexSim_SetPlugged(0, 0);
    EXPECT_EQ(device->SetExposure(100), 0);
    int value = -1;
    EXPECT_EQ(device->GetExposure(&value), 0);
    EXPECT_EQ(value, 0);
}

TEST_F(ModelDevice, TriggerModeRegisters)
{
    Make();
    const int on = kModel.sensorWidth == 128 ? 5 : 1;
    ASSERT_EQ(device->SetTriggerMode(1), 1);
    EXPECT_EQ(device->TriggerMode(), 1);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 11), on);
    if (kModel.sensorWidth != 128) {
        EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 20) & 1, 1);
    }
    ASSERT_EQ(device->SetTriggerMode(0), 1);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 11), 0);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 20) & 1, 0);

    LumvexSim_FailNext(0, LUMVEXSIM_COMMAND, 1);
    EXPECT_EQ(device->SetTriggerMode(1), 0);
    EXPECT_EQ(device->TriggerMode(), 0) << "a failed write must not store the mode";
}

TEST_F(ModelDevice, GlobalAndColourGains)
{
    Make();
#if defined(LUMVEX_MODEL_QV128)
    LumvexSim_SetFpgaRegister(0, 24, 77);
    EXPECT_EQ(device->GetGlobalGain(), 77);
    LumvexSim_ClearLog();
    EXPECT_EQ(device->SetGlobalGain(1), 1);
    EXPECT_EQ(device->SetColorGain(45, 200), 1);
    EXPECT_TRUE(SentCommands().empty()) << "this model has no gain registers to write";
    int value = -1;
    EXPECT_EQ(device->GetColorGain(45, &value), 1);
    EXPECT_EQ(value, 0);
#else
    ASSERT_EQ(device->SetGlobalGain(0), 1);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 20) & 2, 0);
    EXPECT_EQ(device->GetGlobalGain(), 0);
    ASSERT_EQ(device->SetGlobalGain(1), 1);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 20) & 2, 2);
    EXPECT_EQ(device->GetGlobalGain(), 1);

    for (int reg : {43, 44, 45, 46}) {
        EXPECT_EQ(device->SetColorGain(reg, 200), 1);
        EXPECT_EQ(LumvexSim_GetCameraRegister(0, reg), 200);
        int value = -1;
        EXPECT_EQ(device->GetColorGain(reg, &value), 1);
        EXPECT_EQ(value, 200 & 0x7F);
    }
    int value = -1;
    EXPECT_EQ(device->SetColorGain(42, 1), 0);
    EXPECT_EQ(device->GetColorGain(47, &value), 0);

    LumvexSim_SetPlugged(0, 0);
    EXPECT_EQ(device->GetGlobalGain(), 170);
#endif
}

TEST_F(ModelDevice, CoolerAndTemperature)
{
    Make();
    ASSERT_EQ(device->SetPeltier(100), 1);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 25), 100);
    EXPECT_EQ(device->GetPeltier(), 100);

    const struct {
        int raw, millivolts;
    } cases[] = {{4095, 3299}, {2048, 1649}, {0x805, 1654}, {0, 0}};
    for (const auto& c : cases) {
        LumvexSim_SetTemperatureRaw(0, c.raw);
        EXPECT_EQ(device->GetTemperature(), c.millivolts) << c.raw;
    }
    LumvexSim_SetPlugged(0, 0);
    EXPECT_EQ(device->GetTemperature(), -1);
    EXPECT_EQ(device->GetPeltier(), 0);
}

TEST_F(ModelDevice, SampleWidthSendsOneAndTheModelsRegisterValue)
{
    Make();
    const int wide = kModel.sensorWidth == 640 ? 5 : 9;
    EXPECT_EQ(device->SetSampleWidth(1), 1);
    EXPECT_EQ(device->WideSamples(), 1);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 14), wide);
    EXPECT_EQ(device->SetSampleWidth(0), 1);
    EXPECT_EQ(LumvexSim_GetFpgaRegister(0, 14), wide - 1);
    for (const auto& c : SentCommands()) {
        if (c.data[0] == 0x0A) {
            EXPECT_EQ(c.data[1], 1);
        }
    }
}

}  // namespace
}  // namespace lumvex
