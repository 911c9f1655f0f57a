// The pixel conversion family: small routines over one rectangle, called
// through CDibImage::ConvertFrom (PixelConverter) or ConvertScaledFrom
// (ScaledPixelConverter). "Reversed" members read source rows from the
// bottom of the rectangle up: they give files and films an upright picture.
// Parameter 1 of the shifting members points to the shift (an int).
#pragma once

#include "image/dib_image.h"

namespace lumvex {

// 16 -> 8: (v >> s) & 0xFF; wraps rather than saturates.
int ReduceGray(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*, const void*);
int ReduceGrayReversed(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*,
                       const void*);
// 16 -> 16: (v << s) & 0xFFFF.
int ExpandGray(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*, const void*);
// 48 -> 48 and 64 -> 64, every channel shifted left; "Swapped" writes R, G, B;
// the 64-bit forms write 65535 as the fourth word.
int ExpandColor48(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*,
                  const void*);
int ExpandColor48Swapped(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*,
                         const void*);
int ExpandColor64(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*,
                  const void*);
int ExpandColor64Swapped(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*,
                         const void*);
// 48 or 64 -> 24: the first three words, (c >> s) & 0xFF.
int ReduceColor(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*, const void*);
int ReduceColorReversed(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*,
                        const void*);
// 32 -> 24.
int DropFourthByte(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*,
                   const void*);
// 24 or 32 -> 24, reversed rows.
int CopyColor24Reversed(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*,
                        const void*);
// 24 -> 24: R, G, B <- B, G, R.
int SwapRedBlue24(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*,
                  const void*);
// 32 -> 32: fourth byte <- 255 - fourth byte.
int InvertFourthByte(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*,
                     const void*);
// Whole rows, reversed: min(destination, source stride) bytes each.
int CopyRowsReversed(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*,
                     const void*);
// 24 -> 8: (30 R + 59 G + 11 B) / 100.
int Luminance24(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*,
                const void*);
// The mean of the rectangle (source = destination image); 16-bit samples
// are reduced by the shift first. 0 for an empty rectangle.
int MeanGray8(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*, const void*);
int MeanGray16(uint8_t*, const uint8_t*, const RECT&, int, int, uint16_t, uint16_t, int, int, const void*,
               const void*);

// Nearest-neighbour scaling with a vertical flip.
int ScaleGray8(uint8_t*, const uint8_t*, const RECT&, const RECT&, uint64_t, uint64_t, uint16_t, uint16_t, int, int,
               const void*, const void*);
int ScaleColor24(uint8_t*, const uint8_t*, const RECT&, const RECT&, uint64_t, uint64_t, uint16_t, uint16_t, int, int,
                 const void*, const void*);

// Moves rows packed back to back (pitch = width x bytes per pixel) to their
// stride positions, in place, last row and last pixel first.
void RestrideGray8(CDibImage& image);
void RestrideGray16(CDibImage& image);

}  // namespace lumvex
