// The build's model class: the device object of this build's camera model.
// Its operations follow the model profile; each build carries exactly this
// one model class over the base.
#pragma once

#include "device/qvm_sdk_lib.h"
#include "model_profile.h"

namespace lumvex {

class LUMVEX_MODEL_CLASS : public CQVMSdkLib {
public:
    // Probes the devices 0-7 and starts device 0.
    LUMVEX_MODEL_CLASS();

    // 0, or 22 for a device number outside 0-7.
    int StartUp(int device);
    int SetSampleWidth(int wide) override;
    // 0 done, 1 rejected (nothing changed).
    int SetWindow(int x, int y, int width, int height, int sub);

    int SetExposure(uint16_t exposure);
    int GetExposure(int* value);
    int SetGlobalGain(int value);
    int GetGlobalGain();
    int SetColorGain(int reg, int value);
    int GetColorGain(int reg, int* value);
    int SetTriggerMode(int mode);
    int SetPeltier(int drive);
    int GetPeltier();
    // Millivolts, or -1.
    int GetTemperature();
    int CheckIdentity();

    static constexpr int ExposureMin() { return ModelProfile::kExposureMin; }
    static constexpr int ExposureMax() { return ModelProfile::kExposureMax; }
    static constexpr int ExposureDefault() { return ModelProfile::kExposureDefault; }
    static constexpr int GlobalGainMin() { return ModelProfile::kGlobalGainMin; }
    static constexpr int GlobalGainMax() { return ModelProfile::kGlobalGainMax; }
    static constexpr int ColorGainMin() { return ModelProfile::kColorGainMin; }

private:
    void WriteTransferLengthRegisters(uint32_t length);
};

using CModelDevice = LUMVEX_MODEL_CLASS;

}  // namespace lumvex
