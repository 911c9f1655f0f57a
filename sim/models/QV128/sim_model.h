// How the simulated QV128 camera reads its registers.
#pragma once

#include <cstdint>

namespace lumvexsim {

struct SimModel {
    static constexpr uint8_t kWideSampleCode = 9;    // register 14 for 16-bit samples
    static constexpr int kWindowUnit = 0;            // no window registers: full sensor
    static constexpr uint8_t kTriggerOnCode = 5;     // register 11 when triggered
    static constexpr bool kTriggerNeedsRegister20 = false;
    static constexpr bool kExposureShifted = true;   // 32 = E*4, 33 = E>>6, 34 = E>>14
    static constexpr int kReferenceExposure = 10000; // exposure of the unscaled scene
    static constexpr uint32_t kNaturalIntervalUs = 4000;   // about 250 frames/s
    static constexpr const char* kIdentity = "";
};

}  // namespace lumvexsim
