// How the simulated QV640 camera reads its registers.
#pragma once

#include <cstdint>

namespace lumvexsim {

struct SimModel {
    static constexpr uint8_t kWideSampleCode = 5;    // register 14 for 16-bit samples
    static constexpr int kWindowUnit = 4;            // registers 16-19 count in 4 pixels
    static constexpr uint8_t kTriggerOnCode = 1;     // register 11 when triggered
    static constexpr bool kTriggerNeedsRegister20 = true;  // and register 20 bit 0
    static constexpr bool kExposureShifted = false;  // 32/33 hold the exposure itself
    static constexpr int kReferenceExposure = 100;   // exposure of the unscaled scene
    static constexpr uint32_t kNaturalIntervalUs = 16667;  // about 60 frames/s
    static constexpr const char* kIdentity = "QV640-ID";
};

}  // namespace lumvexsim
