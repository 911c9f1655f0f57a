// Capture format and timing settings that need no device: they are stored
// here and reach the camera at the next capture preparation.
#include "camera/lumvex.h"

#include "model_profile.h"

namespace lumvex {

namespace {

constexpr int kColorModeBits[] = {8, 16, 24, 32, 48, 64};
constexpr int kColorModeCount = sizeof kColorModeBits / sizeof kColorModeBits[0];

// The 16-bit based modes report the bits that carry sensor data.
constexpr int kUnusedBits = 16 - ModelProfile::kSampleDepth;
constexpr int kColorModeReported[] = {8, 16 - kUnusedBits, 24, 32, 48 - kUnusedBits, 64 - kUnusedBits};

}  // namespace

int CLumvex::SetColorMode(int bitsPerPixel)
{
    for (int mode = 0; mode < kColorModeCount; ++mode) {
        if (kColorModeBits[mode] == bitsPerPixel) {
            m_colorMode = mode;
            return 1;
        }
    }
    PushError(LUMVEX_ERROR_ARGUMENT);
    return 0;
}

int CLumvex::GetColorMode() const
{
    if (m_colorMode < 0 || m_colorMode >= kColorModeCount)
        return -1;
    return kColorModeReported[m_colorMode];
}

int CLumvex::SetSubSample(int mode)
{
    if (static_cast<unsigned>(mode) > 2)
        return 0;
    m_subSample = mode;
    return 1;
}

int CLumvex::SetWaitTime(int milliseconds)
{
    if (milliseconds < 0)
        return 0;
    m_waitTime = milliseconds;
    return 1;
}

int CLumvex::SetHalfClock(int value)
{
    m_halfClock = value;
    return 1;
}

int CLumvex::SetAutoIris(int mode)
{
    if (static_cast<unsigned>(mode) > 2) {
        PostError(LUMVEX_ERROR_ARGUMENT);
        return 0;
    }
    m_autoIris = mode;
    return 1;
}

int CLumvex::GetAutoIris(int* ok) const
{
    if (ok)
        *ok = 1;
    return m_autoIris;
}

}  // namespace lumvex
