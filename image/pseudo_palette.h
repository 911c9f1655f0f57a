// The fixed pseudo-colour palette and the mapping of gray images through it.
#pragma once

#include <windows.h>

namespace lumvex {

class CDibImage;

constexpr int kPseudoPaletteSize = 360;
extern const RGBQUAD kPseudoPalette[kPseudoPaletteSize];

// Palette index of a gray value: 8-bit p -> p * 256 / 360, 16-bit
// v -> v * 16 / 360, both at most 359.
inline int PaletteIndex8(unsigned p)
{
    const unsigned i = p * 256 / 360;
    return static_cast<int>(i < 359 ? i : 359);
}
inline int PaletteIndex16(unsigned v)
{
    const unsigned i = v * 16 / 360;
    return static_cast<int>(i < 359 ? i : 359);
}

// Maps the whole source through the palette: 8-bit to 24 or 32 bits per
// pixel (the entry's bytes), 16-bit to 48 or 64 (each channel x 16, fourth
// word 65535). Returns 1; 0 for a pair of formats it does not map.
int MapPseudoColor(CDibImage& destination, const CDibImage& source);

}  // namespace lumvex
