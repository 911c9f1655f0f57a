// The image filters, in place on an image of the colour mode's output
// format: 8-bit gray, 16-bit gray of depth h, 24/32-bit and 48/64-bit
// colour (B, G, R alike, a fourth channel untouched). Each is an integer or
// floating-point formula fixed to the bit; the frame post-processing skips a
// filter whose setting is neutral.
#pragma once

#include <cstdint>
#include <vector>

#include "image/dib_image.h"

namespace lumvex {

// Gray-gain position kinds of the 2 x 2 mosaic.
enum GrayKind { KIND_R = 0, KIND_G1 = 1, KIND_G2 = 2, KIND_B = 3 };

// The kind of the pixel at row parity r and column parity c, by Bayer mode.
GrayKind GrayKindAt(int bayerMode, int r, int c);

struct GrayGains {
    int gain[4];    // by GrayKind, 128 = 1.0
    int offset[4];  // by GrayKind
    int bayerMode;
};

// 8-bit gray: p -> offset + gain * p / 128, limited to 0..255.
void ApplyGrayGains(CDibImage& image, const GrayGains& gains);
// The same with SSE2 (16 pixels at a time) and MMX (8); identical results.
void ApplyGrayGainsSse2(CDibImage& image, const GrayGains& gains);
void ApplyGrayGainsMmx(CDibImage& image, const GrayGains& gains);
// Sets the gains so that every kind's mean (of pixels 1..254) matches G1's;
// G1 becomes 128. A kind without such pixels keeps its gain.
void AutoGrayGains(const CDibImage& image, GrayGains& gains);

// The tables of the table filters, kept between frames and remade only
// when the setting or the sample bits change: no filter allocates or
// recomputes its table per frame.
struct FilterTable {
    std::vector<int> values;
    int setting = 0;
    int bits = 0;
    // True when the table must be made for this setting and bit count.
    bool Stale(int newSetting, int newBits)
    {
        if (!values.empty() && setting == newSetting && bits == newBits)
            return false;
        values.assign(size_t{1} << newBits, 0);
        setting = newSetting;
        bits = newBits;
        return true;
    }
};
struct FilterTables {
    FilterTable gamma, contrast, brightness;
    std::vector<int> columnSums;  // sharpness: running sums of one row
};

// depth: the significant bits of 16-bit samples (8..16).
void ApplyBrightness(CDibImage& image, int setting, int depth, FilterTables& tables);
void ApplyContrast(CDibImage& image, int setting, int depth, FilterTables& tables);
void ApplyGamma(CDibImage& image, int setting, int depth, FilterTables& tables);
// source: a copy of image taken before the filter.
void ApplySharpness(CDibImage& image, const CDibImage& source, int setting, int depth, FilterTables& tables);

// Colour images only: hue turned by `hue` degrees, chroma scaled by
// (saturation + 256) / 256 and limited by the lightness; lightness kept.
void ApplyHueSaturation(CDibImage& image, int hue, int saturation, int depth);
// The hue offset in 1530ths of the circle (six sectors of 255), 0..1529.
int HueOffset(int hue);

// The tables themselves, for the table filters.
void BuildContrastTable(int setting, int bits, int* table);
void BuildGammaTable(int setting, int bits, int* table);

}  // namespace lumvex
