// The camera object's operations that reach the device object: registers,
// serial ROM, IO port, mirrors, exposure time, camera information.
// Without a device object each reports error 1 (some only post it, as the
// interface has always done for them).
#include "camera/lumvex.h"

#include "model_profile.h"

namespace lumvex {

namespace {

using P = ModelProfile;

constexpr uint8_t kIOPortRegister = 7;
constexpr int kColorGainMax = 255;

void SetFlag(int* ok, int value)
{
    if (ok)
        *ok = value;
}

}  // namespace

int CLumvex::ReadRegister(int reg, int* ok)
{
    SetFlag(ok, 0);
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    if constexpr (!P::kCameraRegisters) {
        SetFlag(ok, 1);  // no camera registers on this model: value 0, no traffic
        return 0;
    }
    uint16_t value = 0;
    if (!m_device->ReadCameraRegister(static_cast<uint8_t>(reg), &value)) {
        PushError(LUMVEX_ERROR_REGISTER);
        return 0;
    }
    SetFlag(ok, 1);
    return value;
}

int CLumvex::WriteRegister(int reg, int value)
{
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    if constexpr (!P::kCameraRegisters)
        return 1;
    if (!m_device->WriteCameraRegister(static_cast<uint8_t>(reg), static_cast<uint16_t>(value))) {
        PushError(LUMVEX_ERROR_REGISTER);
        return 0;
    }
    return 1;
}

int CLumvex::FpgaReadRegister(int reg, int* ok)
{
    SetFlag(ok, 0);
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    uint8_t value = 0;
    if (!m_device->ReadFpgaRegister(static_cast<uint8_t>(reg), &value)) {
        PushError(LUMVEX_ERROR_REGISTER);
        return 0;
    }
    SetFlag(ok, 1);
    return value;
}

int CLumvex::FpgaWriteRegister(int reg, int value)
{
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    if (!m_device->WriteFpgaRegister(static_cast<uint8_t>(reg), static_cast<uint8_t>(value))) {
        PushError(LUMVEX_ERROR_REGISTER);
        return 0;
    }
    return 1;
}

int CLumvex::ReadSromId(int index, int* ok)
{
    uint8_t value = 0;
    if (!m_device || !m_device->ReadSromIdByte(static_cast<uint8_t>(index), &value)) {
        SetFlag(ok, 0);
        PostError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    SetFlag(ok, 1);
    return value;
}

int CLumvex::WriteSromId(int index, int value)
{
    if (!m_device || !m_device->WriteSromIdByte(static_cast<uint8_t>(index), static_cast<uint8_t>(value))) {
        PostError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    return 1;
}

int CLumvex::GetIOPort(unsigned char* value)
{
    if (!m_device) {
        PostError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    if (!value) {
        PostError(LUMVEX_ERROR_ARGUMENT);
        return 0;
    }
    uint8_t port = 0;
    m_device->ReadFpgaRegister(kIOPortRegister, &port);  // a failed read yields 0
    *value = port;
    return 1;
}

int CLumvex::SetIOPort(int value)
{
    if (!m_device) {
        PostError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    return m_device->WriteFpgaRegister(kIOPortRegister, static_cast<uint8_t>(value));
}

int CLumvex::GetHalfClock(int* ok)
{
    uint8_t value = 0;
    if (!m_device || !m_device->GetHalfClock(&value)) {
        SetFlag(ok, 0);
        PostError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    SetFlag(ok, 1);
    return value;
}

int CLumvex::SetMirrorH(int flag)
{
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    m_device->SetMirrorH(flag != 0);
    m_mirrorH = flag != 0;
    return 1;
}

int CLumvex::GetMirrorH()
{
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    return m_mirrorH;
}

int CLumvex::SetMirrorV(int flag)
{
    if (!m_device) {
        PostError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    m_device->SetMirrorV(flag != 0);
    m_mirrorV = flag != 0;
    return 1;
}

int CLumvex::GetMirrorV()
{
    if (!m_device) {
        PostError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    return m_mirrorV;
}

int CLumvex::GetCameraInfo(LUMVEX_CAMERAINFO* info)
{
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    if (!info) {
        PushError(LUMVEX_ERROR_ARGUMENT);
        return 0;
    }
    if (info->size < static_cast<int>(sizeof(LUMVEX_CAMERAINFO))) {
        PushError(LUMVEX_ERROR_MEMORY);
        return 0;
    }
    info->sensorWidth = P::kSensorWidth;
    info->sensorHeight = P::kSensorHeight;
    info->globalGainMin = CModelDevice::GlobalGainMin();
    info->globalGainMax = CModelDevice::GlobalGainMax();
    info->colorGainMin = CModelDevice::ColorGainMin();
    info->colorGainMax = kColorGainMax;
    info->exposureMin = CModelDevice::ExposureMin();
    info->exposureMax = CModelDevice::ExposureMax();
    return 1;
}

namespace {

// Line clocks of one exposure unit: the capture width plus the model's line
// addition, computed in single precision and kept as 16 bits.
unsigned short LineClocks(int width)
{
    if constexpr (P::kExposureLineIsOne)
        return 1;
    return static_cast<unsigned short>(static_cast<int>(static_cast<float>(width) + float{P::kExposureLineAddition}));
}

}  // namespace

int CLumvex::GetRealExposureTime(int* ok)
{
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        SetFlag(ok, 0);
        return 0;
    }
    SetFlag(ok, 1);
    m_lineClocks = LineClocks(m_width);
    m_exposureLines = m_exposure;
    m_clockPeriod = P::kExposureUnit;
    m_realExposure = static_cast<int>(static_cast<double>(m_lineClocks) * m_exposureLines * m_clockPeriod * 1000.0);
    return m_realExposure;
}

int CLumvex::SetRealExposureTime(int microseconds)
{
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    const double milliseconds = static_cast<float>(microseconds) / 1000.0f;
    const double lines = milliseconds / P::kExposureUnit / LineClocks(m_width);
    // Out of any range when it does not fit an integer.
    int exposure = lines >= 0 && lines < 2147483647.0 ? static_cast<int>(lines) : -1;
    // A model whose range starts at 1 takes 0 as its shortest exposure.
    if (exposure == 0 && CModelDevice::ExposureMin() == 1)
        exposure = 1;
    if (exposure < CModelDevice::ExposureMin() || exposure > CModelDevice::ExposureMax()) {
        PushError(LUMVEX_ERROR_ARGUMENT);
        return 0;
    }
    m_exposure = exposure;
    m_device->SetExposure(static_cast<uint16_t>(exposure));
    return 1;
}

}  // namespace lumvex
