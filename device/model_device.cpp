// The model class's operations: start-up, capture window, exposure, gains,
// trigger, cooler and temperature, each as the model profile states.
#include "device/model_device.h"

#include <cstring>

namespace lumvex {

namespace {

using P = ModelProfile;

enum FpgaRegister : uint8_t {
    REG_STROBE = 6,
    REG_TRIGGER = 11,
    REG_SAMPLE_WIDTH = 14,
    REG_WINDOW_X = 16,
    REG_WINDOW_Y = 17,
    REG_WINDOW_WIDTH = 18,
    REG_WINDOW_HEIGHT = 19,
    REG_CONTROL = 20,  // bit 0 trigger mode, bit 1 global gain
    REG_STARTUP_BITS = 23,
    REG_GLOBAL_GAIN = 24,
    REG_PELTIER = 25,
    REG_TEMPERATURE_HIGH = 26,
    REG_TEMPERATURE_LOW = 27,
    REG_EXPOSURE_LOW = 32,
    REG_EXPOSURE_HIGH = 33,
    REG_EXPOSURE_TOP = 34,
};

constexpr uint8_t kCalibrationRegister = 20;  // 20-23 take SROM identity bytes 16-19
constexpr int kColorGainFirst = 43, kColorGainLast = 46;

}  // namespace

LUMVEX_MODEL_CLASS::LUMVEX_MODEL_CLASS()
{
    SetBaseName(P::kDriverBaseName);
    ProbeDevices();
    StartUp(0);
}

int LUMVEX_MODEL_CLASS::StartUp(int device)
{
    ResetDefaults();
    if (SelectDevice(device) != CH_DONE)
        return CH_BAD_DEVICE;
    SetSampleWidth(0);
    InitFpga();

    if constexpr (P::kStartUpExtras == StartUpExtras::CalibrateAndControl6)
        CheckIdentity();
    if constexpr (P::kStartUpExtras == StartUpExtras::ClearReg23ReadBack) {
        uint8_t bits = 0;
        if (ReadFpgaRegister(REG_STARTUP_BITS, &bits))
            WriteFpgaRegister(REG_STARTUP_BITS, bits & 0xF9);
    }
    SetWindow(0, 0, P::kSensorWidth, P::kSensorHeight, 0);
    if constexpr (P::kGlobalGainAtStartUp)
        SetGlobalGain(1);
    SetMirrorV(0);
    SetTriggerMode(0);
    if constexpr (P::kStartUpExtras == StartUpExtras::CalibrateAndControl6)
        WriteFpgaRegister(REG_CONTROL, 6);
    if constexpr (P::kStartUpExtras == StartUpExtras::ClearReg23ReadBack) {
        uint8_t discarded = 0;
        for (uint8_t reg = 28; reg <= 31; ++reg)
            ReadFpgaRegister(reg, &discarded);
    }
    return CH_DONE;
}

int LUMVEX_MODEL_CLASS::CheckIdentity()
{
    if constexpr (P::kIdentity[0] != '\0') {
        char identity[9] = {};
        for (uint8_t i = 0; i < 8; ++i) {
            uint8_t byte = 0;
            ReadSromIdentityByte(i, &byte);
            identity[i] = static_cast<char>(byte);
        }
        if (std::strncmp(identity, P::kIdentity, 8) == 0) {
            for (uint8_t i = 0; i < 4; ++i) {
                uint8_t calibration = 0;
                ReadSromIdentityByte(static_cast<uint8_t>(16 + i), &calibration);
                WriteFpgaRegister(static_cast<uint8_t>(kCalibrationRegister + i), calibration);
            }
        }
    }
    return 1;
}

int LUMVEX_MODEL_CLASS::SetSampleWidth(int wide)
{
    StoreSampleWidth(wide);
    SendSampleWidth(1);  // the camera always takes 1 here; register 14 chooses
    WriteFpgaRegister(REG_SAMPLE_WIDTH, wide ? P::kSampleWidthWide : P::kSampleWidthNarrow);
    return 1;
}

void LUMVEX_MODEL_CLASS::WriteTransferLengthRegisters(uint32_t length)
{
    const uint8_t b0 = static_cast<uint8_t>(length), b1 = static_cast<uint8_t>(length >> 8),
                  b2 = static_cast<uint8_t>(length >> 16), b3 = static_cast<uint8_t>(length >> 24);
    if constexpr (P::kLengthOrder == LengthOrder::Plain) {
        WriteFpgaRegister(0, b0);
    } else {
        WriteFpgaRegister(0, 255);
    }
    WriteFpgaRegister(1, b1);
    WriteFpgaRegister(2, b2);
    WriteFpgaRegister(3, b3);
    if constexpr (P::kLengthOrder != LengthOrder::Plain)
        WriteFpgaRegister(0, b0);
    if constexpr (P::kLengthOrder == LengthOrder::LowLastStrobe6) {
        WriteFpgaRegister(REG_STROBE, 16);
        WriteFpgaRegister(REG_STROBE, 0);
    }
}

int LUMVEX_MODEL_CLASS::SetWindow(int x, int y, int width, int height, int sub)
{
    if (!WindowAccepted(x, y, width, height, sub, P::kSensorWidth, P::kSensorHeight))
        return 1;
    StoreWindow(x, y, width, height, sub);
    if constexpr (P::kWindowUnit != 0) {
        constexpr int u = P::kWindowUnit;
        WriteFpgaRegister(REG_WINDOW_X, static_cast<uint8_t>(x / u));
        WriteFpgaRegister(REG_WINDOW_Y, static_cast<uint8_t>(y / u));
        WriteFpgaRegister(REG_WINDOW_WIDTH, static_cast<uint8_t>(width / u));
        WriteFpgaRegister(REG_WINDOW_HEIGHT, static_cast<uint8_t>(height / u - 1));
    }
    WriteTransferLengthRegisters(static_cast<uint32_t>(m_transferLength));
    FinishWindow();
    return 0;
}

int LUMVEX_MODEL_CLASS::SetExposure(uint16_t exposure)
{
    if constexpr (P::kExposureLayout == ExposureLayout::Shifted) {
        const uint32_t e = exposure;
        if (!WriteFpgaRegister(REG_EXPOSURE_LOW, static_cast<uint8_t>(e * 4)))
            return 0;
        WriteFpgaRegister(REG_EXPOSURE_HIGH, static_cast<uint8_t>(e >> 6));
        WriteFpgaRegister(REG_EXPOSURE_TOP, static_cast<uint8_t>((e >> 14) & 3));
        return 1;
    } else {
        const uint16_t e = exposure > P::kExposureMax ? static_cast<uint16_t>(P::kExposureMax) : exposure;
        const int result = WriteFpgaRegister(REG_EXPOSURE_LOW, static_cast<uint8_t>(e));
        if (result)
            WriteFpgaRegister(REG_EXPOSURE_HIGH, static_cast<uint8_t>(e >> 8));
        return result;
    }
}

int LUMVEX_MODEL_CLASS::GetExposure(int* value)
{
    *value = 0;
    uint8_t low = 0, high = 0;
    if (!ReadFpgaRegister(REG_EXPOSURE_LOW, &low))
        return 0;
    const int highRead = ReadFpgaRegister(REG_EXPOSURE_HIGH, &high);
    if constexpr (P::kExposureLayout == ExposureLayout::Shifted) {
        uint8_t top = 0;
        const int topRead = ReadFpgaRegister(REG_EXPOSURE_TOP, &top);
        const int e = (top * 256 + high) * 64 + (low >> 2);
        *value = e > 65535 ? 65535 : e;
        return topRead;
    } else {
        *value = high * 256 + low;
        return highRead;
    }
}

int LUMVEX_MODEL_CLASS::SetGlobalGain(int value)
{
    if constexpr (P::kGlobalGainPlace == GlobalGainPlace::Register24) {
        (void)value;
        return 1;  // read only on this model
    } else {
        uint8_t control = 0;
        if (!ReadFpgaRegister(REG_CONTROL, &control))
            return 0;
        control = static_cast<uint8_t>(value ? control | 2 : control & ~2);
        return WriteFpgaRegister(REG_CONTROL, control);
    }
}

int LUMVEX_MODEL_CLASS::GetGlobalGain()
{
    uint8_t v = 0;
    if constexpr (P::kGlobalGainPlace == GlobalGainPlace::Register24)
        return ReadFpgaRegister(REG_GLOBAL_GAIN, &v) ? v : 0;
    else
        return ReadFpgaRegister(REG_CONTROL, &v) ? (v >> 1) & 1 : 170;
}

int LUMVEX_MODEL_CLASS::SetColorGain(int reg, int value)
{
    if (reg < kColorGainFirst || reg > kColorGainLast)
        return 0;
    if constexpr (!P::kCameraRegisters)
        return 1;  // this model has no camera registers: nothing is sent
    return WriteCameraRegister(static_cast<uint8_t>(reg), static_cast<uint16_t>(value & 0xFF));
}

int LUMVEX_MODEL_CLASS::GetColorGain(int reg, int* value)
{
    *value = 0;
    if (reg < kColorGainFirst || reg > kColorGainLast)
        return 0;
    if constexpr (!P::kCameraRegisters)
        return 1;
    uint16_t v = 0;
    if (!ReadCameraRegister(static_cast<uint8_t>(reg), &v))
        return 0;
    *value = v & 0x7F;
    return 1;
}

int LUMVEX_MODEL_CLASS::SetTriggerMode(int mode)
{
    if constexpr (P::kTriggerControlBit) {
        if (!WriteFpgaRegister(REG_TRIGGER, mode != 0 ? P::kTriggerOn : 0))
            return 0;
        uint8_t control = 0;
        ReadFpgaRegister(REG_CONTROL, &control);
        control = static_cast<uint8_t>(mode == 1 ? control | 1 : control & ~1);
        if (!WriteFpgaRegister(REG_CONTROL, control))
            return 0;
    } else {
        if (!WriteFpgaRegister(REG_TRIGGER, mode != 0 ? P::kTriggerOn : 0))
            return 0;
    }
    m_triggerMode = mode;
    return 1;
}

int LUMVEX_MODEL_CLASS::SetPeltier(int drive)
{
    return WriteFpgaRegister(REG_PELTIER, static_cast<uint8_t>(drive));
}

int LUMVEX_MODEL_CLASS::GetPeltier()
{
    uint8_t v = 0;
    return ReadFpgaRegister(REG_PELTIER, &v) ? v : 0;
}

int LUMVEX_MODEL_CLASS::GetTemperature()
{
    uint8_t high = 0, low = 0;
    if (!ReadFpgaRegister(REG_TEMPERATURE_HIGH, &high))
        return -1;
    ReadFpgaRegister(REG_TEMPERATURE_LOW, &low);
    const int raw = high * 16 + (low & 0x0F);
    // The 3.3 V reference as the camera's firmware holds it, in single
    // precision.
    const double reference = static_cast<double>(3.3f);
    return static_cast<int>(raw * reference * (1.0 / 4096) * 1000);
}

}  // namespace lumvex
