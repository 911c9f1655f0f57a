// The named filter exports: name and identifier. Each name gives a getter
// Lumvex_Get<name>(handle, ok) and, unless read only, a setter
// Lumvex_Set<name>(handle, value), forwarding to the filter value calls.
#pragma once

#define LUMVEX_FILTER_SETTABLE(X) \
    X(Brightness, 1) \
    X(Contrast, 2) \
    X(Hue, 3) \
    X(Saturation, 4) \
    X(Sharpness, 5) \
    X(BayerGainRGB, 6) \
    X(BayerGainRed, 7) \
    X(BayerGainGreen, 8) \
    X(BayerGainBlue, 9) \
    X(BayerGainAuto, 10) \
    X(Gamma, 11) \
    X(BayerMode, 12) \
    X(GlobalGain, 13) \
    X(ColorGainRed, 14) \
    X(ColorGainGreen1, 15) \
    X(ColorGainGreen2, 16) \
    X(ColorGainBlue, 17) \
    X(ExposureTime, 18) \
    X(GrayMode, 19) \
    X(GrayGainR, 20) \
    X(GrayGainG1, 21) \
    X(GrayGainG2, 22) \
    X(GrayGainB, 23) \
    X(GrayOffsetR, 24) \
    X(GrayOffsetG1, 25) \
    X(GrayOffsetG2, 26) \
    X(GrayOffsetB, 27) \
    X(Peltier, 100) \
    X(DotFilter, 102) \
    X(MaskFilter, 103)

#define LUMVEX_FILTER_READ_ONLY(X) X(Temperature, 101)
