// Vector forms of the gray gain step: 16 pixels at a time with SSE2, 8 with
// MMX. 16-bit lanes hold gain x sample exactly for gains up to 257 and the
// saturating pack is the 0..255 limit, so each gives the plain form's
// result; rows with a gain outside 0..257 take the plain form.
#include <emmintrin.h>
#include <mmintrin.h>

#include <algorithm>
#include <cstring>

#include "image/filters.h"

namespace lumvex {

namespace {

bool LanesHold(const GrayGains& g)
{
    for (int k = 0; k < 4; ++k)
        if (g.gain[k] < 0 || g.gain[k] > 257)
            return false;
    return true;
}

inline uint8_t Plain(int gain, int offset, uint8_t p)
{
    return static_cast<uint8_t>(std::clamp(offset + (gain * p) / 128, 0, 255));
}

// The gains and offsets of a row's even and odd columns.
struct RowGains {
    short gainEven, gainOdd, offsetEven, offsetOdd;
    RowGains(const GrayGains& g, int y)
    {
        const GrayKind even = GrayKindAt(g.bayerMode, y, 0), odd = GrayKindAt(g.bayerMode, y, 1);
        gainEven = static_cast<short>(g.gain[even]);
        gainOdd = static_cast<short>(g.gain[odd]);
        offsetEven = static_cast<short>(g.offset[even]);
        offsetOdd = static_cast<short>(g.offset[odd]);
    }
    // The columns the vector part left over, in the plain form.
    void Finish(uint8_t* row, int x, int w) const
    {
        for (; x < w; ++x)
            row[x] = x & 1 ? Plain(gainOdd, offsetOdd, row[x]) : Plain(gainEven, offsetEven, row[x]);
    }
};

}  // namespace

void ApplyGrayGainsSse2(CDibImage& image, const GrayGains& g)
{
    if (!LanesHold(g)) {
        ApplyGrayGains(image, g);
        return;
    }
    const int w = image.Width();
    for (int y = 0; y < image.Height(); ++y) {
        const RowGains r(g, y);
        const __m128i gain = _mm_setr_epi16(r.gainEven, r.gainOdd, r.gainEven, r.gainOdd, r.gainEven, r.gainOdd,
                                            r.gainEven, r.gainOdd);
        const __m128i offset = _mm_setr_epi16(r.offsetEven, r.offsetOdd, r.offsetEven, r.offsetOdd, r.offsetEven,
                                              r.offsetOdd, r.offsetEven, r.offsetOdd);
        const __m128i zero = _mm_setzero_si128();
        uint8_t* row = image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride();
        int x = 0;
        for (; x + 16 <= w; x += 16) {
            const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
            __m128i lo = _mm_unpacklo_epi8(p, zero), hi = _mm_unpackhi_epi8(p, zero);
            lo = _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(lo, gain), 7), offset);
            hi = _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(hi, gain), 7), offset);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), _mm_packus_epi16(lo, hi));
        }
        r.Finish(row, x, w);
    }
}

void ApplyGrayGainsMmx(CDibImage& image, const GrayGains& g)
{
    if (!LanesHold(g)) {
        ApplyGrayGains(image, g);
        return;
    }
    const int w = image.Width();
    for (int y = 0; y < image.Height(); ++y) {
        const RowGains r(g, y);
        const __m64 gain = _mm_setr_pi16(r.gainEven, r.gainOdd, r.gainEven, r.gainOdd);
        const __m64 offset = _mm_setr_pi16(r.offsetEven, r.offsetOdd, r.offsetEven, r.offsetOdd);
        const __m64 zero = _mm_setzero_si64();
        uint8_t* row = image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride();
        int x = 0;
        for (; x + 8 <= w; x += 8) {
            __m64 p;
            std::memcpy(&p, row + x, 8);
            __m64 lo = _mm_unpacklo_pi8(p, zero), hi = _mm_unpackhi_pi8(p, zero);
            lo = _mm_add_pi16(_mm_srli_pi16(_mm_mullo_pi16(lo, gain), 7), offset);
            hi = _mm_add_pi16(_mm_srli_pi16(_mm_mullo_pi16(hi, gain), 7), offset);
            const __m64 packed = _mm_packs_pu16(lo, hi);
            std::memcpy(row + x, &packed, 8);
        }
        _mm_empty();
        r.Finish(row, x, w);
    }
}

}  // namespace lumvex
