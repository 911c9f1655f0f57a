#include "image/pseudo_palette.h"

#include <cstring>

#include "image/dib_image.h"

namespace lumvex {

namespace {

// The palette entry of every 8-bit gray value, made once.
struct GrayToColor8 {
    RGBQUAD entry[256];
    GrayToColor8()
    {
        for (unsigned p = 0; p < 256; ++p)
            entry[p] = kPseudoPalette[PaletteIndex8(p)];
    }
};

const GrayToColor8& Table8()
{
    static const GrayToColor8 table;
    return table;
}

template <int DstBpp>
void Map8(const CDibImage& source, CDibImage& destination)
{
    const RGBQUAD* entry = Table8().entry;
    const int w = source.Width(), h = source.Height();
    for (int y = 0; y < h; ++y) {
        const uint8_t* s = source.Bits() + static_cast<ptrdiff_t>(y) * source.Stride();
        uint8_t* d = destination.Bits() + static_cast<ptrdiff_t>(y) * destination.Stride();
        for (int x = 0; x < w; ++x, d += DstBpp)
            std::memcpy(d, &entry[s[x]], DstBpp);  // B, G, R (and the 0)
    }
}

template <int DstBpp>
void Map16(const CDibImage& source, CDibImage& destination)
{
    const int w = source.Width(), h = source.Height();
    for (int y = 0; y < h; ++y) {
        const uint8_t* s = source.Bits() + static_cast<ptrdiff_t>(y) * source.Stride();
        uint8_t* d = destination.Bits() + static_cast<ptrdiff_t>(y) * destination.Stride();
        for (int x = 0; x < w; ++x, d += DstBpp) {
            uint16_t v;
            std::memcpy(&v, s + 2 * x, 2);
            const RGBQUAD& e = kPseudoPalette[PaletteIndex16(v)];
            const uint16_t words[4] = {static_cast<uint16_t>(e.rgbBlue * 16), static_cast<uint16_t>(e.rgbGreen * 16),
                                       static_cast<uint16_t>(e.rgbRed * 16), 65535};
            std::memcpy(d, words, DstBpp);
        }
    }
}

}  // namespace

int MapPseudoColor(CDibImage& destination, const CDibImage& source)
{
    if (!source.Bits() || !destination.Bits() || destination.Width() < source.Width()
        || destination.Height() < source.Height())
        return 0;
    switch (source.BitCount() << 8 | destination.BitCount()) {
    case 8 << 8 | 24: Map8<3>(source, destination); return 1;
    case 8 << 8 | 32: Map8<4>(source, destination); return 1;
    case 16 << 8 | 48: Map16<6>(source, destination); return 1;
    case 16 << 8 | 64: Map16<8>(source, destination); return 1;
    default: return 0;
    }
}

}  // namespace lumvex
