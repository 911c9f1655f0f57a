// The filter values by identifier: the image settings the frame
// post-processing reads, and the device-backed ones (gains, exposure,
// cooler, temperature) that reach the camera.
#include "camera/lumvex.h"

#include <climits>

#include "model_profile.h"

namespace lumvex {

namespace {

using P = ModelProfile;

enum FilterId {
    FILTER_BRIGHTNESS = 1, FILTER_CONTRAST, FILTER_HUE, FILTER_SATURATION, FILTER_SHARPNESS,
    FILTER_BAYER_RGB, FILTER_BAYER_RED, FILTER_BAYER_GREEN, FILTER_BAYER_BLUE, FILTER_BAYER_AUTO,
    FILTER_GAMMA, FILTER_BAYER_MODE, FILTER_GLOBAL_GAIN, FILTER_COLOR_RED, FILTER_COLOR_GREEN1,
    FILTER_COLOR_GREEN2, FILTER_COLOR_BLUE, FILTER_EXPOSURE, FILTER_GRAY_MODE, FILTER_GRAY_GAIN_R,
    FILTER_GRAY_GAIN_G1, FILTER_GRAY_GAIN_G2, FILTER_GRAY_GAIN_B, FILTER_GRAY_OFFSET_R, FILTER_GRAY_OFFSET_G1,
    FILTER_GRAY_OFFSET_G2, FILTER_GRAY_OFFSET_B,
    FILTER_PELTIER = 100, FILTER_TEMPERATURE, FILTER_DOT, FILTER_MASK,
};

// Camera registers of the colour gains, in the order of ids 14-17.
constexpr int kColorGainRegister[4] = {45, 43, 46, 44};  // R, G1, G2, B

struct Range {
    int min, max;
};
constexpr Range kAny = {INT_MIN, INT_MAX};

}  // namespace

int CLumvex::SetFilterValue(int id, int value)
{
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    // The field an id stores into, and its range.
    int* field = nullptr;
    Range range = kAny;
    FilterRecord& f = m_filter;
    switch (id) {
    case FILTER_BRIGHTNESS: field = &f.brightness; range = {-255, 255}; break;
    case FILTER_CONTRAST: field = &f.contrast; range = {-127, 127}; break;
    case FILTER_HUE: field = &f.hue; range = {-360, 360}; break;
    case FILTER_SATURATION: field = &f.saturation; range = {-255, 255}; break;
    case FILTER_SHARPNESS: field = &f.sharpness; range = {0, 30}; break;
    case FILTER_BAYER_RGB:
        f.bayerGainR = value & 0xFF;
        f.bayerGainG = (value >> 8) & 0xFF;
        f.bayerGainB = (value >> 16) & 0xFF;
        return 1;
    case FILTER_BAYER_RED: field = &f.bayerGainR; range = {0, 400}; break;
    case FILTER_BAYER_GREEN: field = &f.bayerGainG; range = {0, 400}; break;
    case FILTER_BAYER_BLUE: field = &f.bayerGainB; range = {0, 400}; break;
    case FILTER_BAYER_AUTO: f.bayerGainAuto = value != 0; return 1;
    case FILTER_GAMMA: field = &f.gamma; range = {0, 200}; break;
    case FILTER_BAYER_MODE: field = &f.bayerMode; range = {0, 3}; break;
    case FILTER_GRAY_MODE: field = &f.grayMode; range = {0, 2}; break;
    case FILTER_GRAY_GAIN_R: field = &f.grayGainR; range = {0, 255}; break;
    case FILTER_GRAY_GAIN_G1: field = &f.grayGainG1; range = {0, 255}; break;
    case FILTER_GRAY_GAIN_G2: field = &f.grayGainG2; range = {0, 255}; break;
    case FILTER_GRAY_GAIN_B: field = &f.grayGainB; range = {0, 255}; break;
    case FILTER_GRAY_OFFSET_R: field = &f.grayOffsetR; range = {-255, 255}; break;
    case FILTER_GRAY_OFFSET_G1: field = &f.grayOffsetG1; range = {-255, 255}; break;
    case FILTER_GRAY_OFFSET_G2: field = &f.grayOffsetG2; range = {-255, 255}; break;
    case FILTER_GRAY_OFFSET_B: field = &f.grayOffsetB; range = {-255, 255}; break;
    case FILTER_DOT: m_dotFilter = value != 0; return 1;
    case FILTER_MASK: m_maskFilter = value != 0; return 1;

    case FILTER_GLOBAL_GAIN:
        if (value < CModelDevice::GlobalGainMin() || value > CModelDevice::GlobalGainMax())
            break;
        m_globalGain = value;
        for (int& gain : m_colorGain)
            gain = value;
        m_device->SetGlobalGain(value);
        return 1;
    case FILTER_COLOR_RED:
    case FILTER_COLOR_GREEN1:
    case FILTER_COLOR_GREEN2:
    case FILTER_COLOR_BLUE:
        if (value < CModelDevice::ColorGainMin() || value > 255)
            break;
        m_colorGain[id - FILTER_COLOR_RED] = value;
        m_device->SetColorGain(kColorGainRegister[id - FILTER_COLOR_RED], value);
        return 1;
    case FILTER_EXPOSURE:
        if (value < CModelDevice::ExposureMin() || value > CModelDevice::ExposureMax())
            break;
        m_exposure = value;
        m_device->SetExposure(static_cast<uint16_t>(value));
        return 1;
    case FILTER_PELTIER:
        if constexpr (P::kPeltier != PeltierSupport::Full) {
            PushError(LUMVEX_ERROR_NOT_SUPPORTED);
            return 0;
        }
        if (value < 0 || value >= 128)
            break;
        m_peltier = value;
        if (!m_device->SetPeltier(value)) {
            PushError(LUMVEX_ERROR_REGISTER);
            return 0;
        }
        return 1;
    default:
        break;  // unknown, or read only (temperature)
    }
    if (!field || value < range.min || value > range.max) {
        PushError(LUMVEX_ERROR_ARGUMENT);
        return 0;
    }
    *field = value;
    return 1;
}

int CLumvex::GetFilterValue(int id, int* ok)
{
    auto answer = [ok](int flag, int value) {
        if (ok)
            *ok = flag;
        return flag ? value : 0;
    };
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        return answer(0, 0);
    }
    const FilterRecord& f = m_filter;
    switch (id) {
    case FILTER_BRIGHTNESS: return answer(1, f.brightness);
    case FILTER_CONTRAST: return answer(1, f.contrast);
    case FILTER_HUE: return answer(1, f.hue);
    case FILTER_SATURATION: return answer(1, f.saturation);
    case FILTER_SHARPNESS: return answer(1, f.sharpness);
    case FILTER_BAYER_RGB:
        return answer(1, (f.bayerGainR & 0xFF) | (f.bayerGainG & 0xFF) << 8 | (f.bayerGainB & 0xFF) << 16);
    case FILTER_BAYER_RED: return answer(1, f.bayerGainR);
    case FILTER_BAYER_GREEN: return answer(1, f.bayerGainG);
    case FILTER_BAYER_BLUE: return answer(1, f.bayerGainB);
    case FILTER_BAYER_AUTO: return answer(1, f.bayerGainAuto);
    case FILTER_GAMMA: return answer(1, f.gamma);
    case FILTER_BAYER_MODE: return answer(1, f.bayerMode);
    case FILTER_GRAY_MODE: return answer(1, f.grayMode);
    case FILTER_GRAY_GAIN_R: return answer(1, f.grayGainR);
    case FILTER_GRAY_GAIN_G1: return answer(1, f.grayGainG1);
    case FILTER_GRAY_GAIN_G2: return answer(1, f.grayGainG2);
    case FILTER_GRAY_GAIN_B: return answer(1, f.grayGainB);
    case FILTER_GRAY_OFFSET_R: return answer(1, f.grayOffsetR);
    case FILTER_GRAY_OFFSET_G1: return answer(1, f.grayOffsetG1);
    case FILTER_GRAY_OFFSET_G2: return answer(1, f.grayOffsetG2);
    case FILTER_GRAY_OFFSET_B: return answer(1, f.grayOffsetB);
    case FILTER_DOT: return answer(1, m_dotFilter);
    case FILTER_MASK: return answer(1, m_maskFilter);

    case FILTER_GLOBAL_GAIN: return answer(1, m_device->GetGlobalGain());
    case FILTER_COLOR_RED:
    case FILTER_COLOR_GREEN1:
    case FILTER_COLOR_GREEN2:
    case FILTER_COLOR_BLUE: {
        int value = 0;
        m_device->GetColorGain(kColorGainRegister[id - FILTER_COLOR_RED], &value);
        return answer(1, value);
    }
    case FILTER_EXPOSURE: {
        int value = 0;
        m_device->GetExposure(&value);
        return answer(1, value);
    }
    case FILTER_PELTIER:
        if constexpr (P::kPeltier == PeltierSupport::Full)
            return answer(1, m_device->GetPeltier());
        if constexpr (P::kPeltier == PeltierSupport::None)
            return answer(0, 0);  // nothing to read, nothing recorded
        PushError(LUMVEX_ERROR_NOT_SUPPORTED);
        if (ok)
            *ok = 0;
        return -1;
    case FILTER_TEMPERATURE: {
        if constexpr (!P::kTemperature) {
            PushError(LUMVEX_ERROR_NOT_SUPPORTED);
            if (ok)
                *ok = 0;
            return -1;
        }
        const int millivolts = m_device->GetTemperature();
        if (ok)
            *ok = millivolts >= 0;
        return millivolts;
    }
    default:
        PushError(LUMVEX_ERROR_ARGUMENT);
        return answer(0, 0);
    }
}

}  // namespace lumvex
