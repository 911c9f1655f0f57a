#include "image/pixel_converters.h"

#include <algorithm>
#include <cstring>

namespace lumvex {

namespace {

inline uint16_t Load16(const uint8_t* p)
{
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

inline void Store16(uint8_t* p, uint16_t v)
{
    std::memcpy(p, &v, 2);
}

inline int Shift(const void* p1)
{
    return p1 ? *static_cast<const int*>(p1) : 0;
}

// The common iteration: destination row i is source row top + i (straight)
// or bottom - 1 - i (reversed); pixel j of the row is read at left + j.
// DstBpp and SrcBpp are the formats the member is written for.
template <bool Reversed, int DstBpp, int SrcBpp, typename RowOp>
int EachRow(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, int dstStride, int srcStride, RowOp op)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    uint8_t* d0 = dst + static_cast<ptrdiff_t>(x) * DstBpp + static_cast<ptrdiff_t>(row) * dstStride;
    for (int i = 0; i < h; ++i) {
        const int sourceRow = Reversed ? r.bottom - 1 - i : r.top + i;
        const uint8_t* s = src + static_cast<ptrdiff_t>(sourceRow) * srcStride + static_cast<ptrdiff_t>(r.left) * SrcBpp;
        op(d0 + static_cast<ptrdiff_t>(i) * dstStride, s, w);
    }
    return 1;
}

template <bool Reversed>
int ReduceGrayRows(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, int ds, int ss, int shift)
{
    return EachRow<Reversed, 1, 2>(dst, src, r, x, row, ds, ss, [shift](uint8_t* d, const uint8_t* s, int w) {
        for (int j = 0; j < w; ++j)
            d[j] = static_cast<uint8_t>(Load16(s + 2 * j) >> shift);
    });
}

template <int Bpp, bool Swapped>
int ExpandColorRows(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, int ds, int ss, int shift)
{
    return EachRow<false, Bpp, Bpp>(dst, src, r, x, row, ds, ss, [shift](uint8_t* d, const uint8_t* s, int w) {
        for (int j = 0; j < w; ++j, d += Bpp, s += Bpp) {
            const uint16_t b = static_cast<uint16_t>(Load16(s) << shift);
            const uint16_t g = static_cast<uint16_t>(Load16(s + 2) << shift);
            const uint16_t rr = static_cast<uint16_t>(Load16(s + 4) << shift);
            Store16(d, Swapped ? rr : b);
            Store16(d + 2, g);
            Store16(d + 4, Swapped ? b : rr);
            if (Bpp == 8)
                Store16(d + 6, 65535);
        }
    });
}

template <bool Reversed>
int ReduceColorRows(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t srcBpp, int ds, int ss,
                    int shift)
{
    auto reduce = [shift](int bpp) {
        return [shift, bpp](uint8_t* d, const uint8_t* s, int w) {
            for (int j = 0; j < w; ++j, d += 3, s += bpp) {
                d[0] = static_cast<uint8_t>(Load16(s) >> shift);
                d[1] = static_cast<uint8_t>(Load16(s + 2) >> shift);
                d[2] = static_cast<uint8_t>(Load16(s + 4) >> shift);
            }
        };
    };
    return srcBpp == 8 ? EachRow<Reversed, 3, 8>(dst, src, r, x, row, ds, ss, reduce(8))
                       : EachRow<Reversed, 3, 6>(dst, src, r, x, row, ds, ss, reduce(6));
}

}  // namespace

int ReduceGray(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t, int ds, int ss,
               const void* p1, const void*)
{
    return ReduceGrayRows<false>(dst, src, r, x, row, ds, ss, Shift(p1));
}

int ReduceGrayReversed(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t, int ds,
                       int ss, const void* p1, const void*)
{
    return ReduceGrayRows<true>(dst, src, r, x, row, ds, ss, Shift(p1));
}

int ExpandGray(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t, int ds, int ss,
               const void* p1, const void*)
{
    const int shift = Shift(p1);
    return EachRow<false, 2, 2>(dst, src, r, x, row, ds, ss, [shift](uint8_t* d, const uint8_t* s, int w) {
        for (int j = 0; j < w; ++j)
            Store16(d + 2 * j, static_cast<uint16_t>(Load16(s + 2 * j) << shift));
    });
}

int ExpandColor48(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t, int ds, int ss,
                  const void* p1, const void*)
{
    return ExpandColorRows<6, false>(dst, src, r, x, row, ds, ss, Shift(p1));
}

int ExpandColor48Swapped(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t, int ds,
                         int ss, const void* p1, const void*)
{
    return ExpandColorRows<6, true>(dst, src, r, x, row, ds, ss, Shift(p1));
}

int ExpandColor64(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t, int ds, int ss,
                  const void* p1, const void*)
{
    return ExpandColorRows<8, false>(dst, src, r, x, row, ds, ss, Shift(p1));
}

int ExpandColor64Swapped(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t, int ds,
                         int ss, const void* p1, const void*)
{
    return ExpandColorRows<8, true>(dst, src, r, x, row, ds, ss, Shift(p1));
}

int ReduceColor(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t srcBpp, int ds,
                int ss, const void* p1, const void*)
{
    return ReduceColorRows<false>(dst, src, r, x, row, srcBpp, ds, ss, Shift(p1));
}

int ReduceColorReversed(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t srcBpp,
                        int ds, int ss, const void* p1, const void*)
{
    return ReduceColorRows<true>(dst, src, r, x, row, srcBpp, ds, ss, Shift(p1));
}

int DropFourthByte(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t, int ds, int ss,
                   const void*, const void*)
{
    return EachRow<false, 3, 4>(dst, src, r, x, row, ds, ss, [](uint8_t* d, const uint8_t* s, int w) {
        for (int j = 0; j < w; ++j, d += 3, s += 4) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    });
}

int CopyColor24Reversed(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t srcBpp,
                        int ds, int ss, const void*, const void*)
{
    auto copy = [](int bpp) {
        return [bpp](uint8_t* d, const uint8_t* s, int w) {
            for (int j = 0; j < w; ++j, d += 3, s += bpp) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
            }
        };
    };
    return srcBpp == 4 ? EachRow<true, 3, 4>(dst, src, r, x, row, ds, ss, copy(4))
                       : EachRow<true, 3, 3>(dst, src, r, x, row, ds, ss, copy(3));
}

int SwapRedBlue24(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t, int ds, int ss,
                  const void*, const void*)
{
    return EachRow<false, 3, 3>(dst, src, r, x, row, ds, ss, [](uint8_t* d, const uint8_t* s, int w) {
        for (int j = 0; j < w; ++j, d += 3, s += 3) {
            const uint8_t b = s[0];
            d[1] = s[1];
            d[0] = s[2];
            d[2] = b;
        }
    });
}

int InvertFourthByte(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t, int ds,
                     int ss, const void*, const void*)
{
    return EachRow<false, 4, 4>(dst, src, r, x, row, ds, ss, [](uint8_t* d, const uint8_t* s, int w) {
        for (int j = 0; j < w; ++j, d += 4, s += 4) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            d[3] = static_cast<uint8_t>(255 - s[3]);
        }
    });
}

int CopyRowsReversed(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t dstBpp, uint16_t,
                     int ds, int ss, const void*, const void*)
{
    // Whole rows: the rectangle's rows, each copied at the smaller stride.
    const int bytes = std::min(ds, ss);
    uint8_t* d0 = dst + static_cast<ptrdiff_t>(x) * dstBpp + static_cast<ptrdiff_t>(row) * ds;
    for (int i = 0; i < r.bottom - r.top; ++i)
        std::memcpy(d0 + static_cast<ptrdiff_t>(i) * ds, src + static_cast<ptrdiff_t>(r.bottom - 1 - i) * ss, bytes);
    return 1;
}

int Luminance24(uint8_t* dst, const uint8_t* src, const RECT& r, int x, int row, uint16_t, uint16_t, int ds, int ss,
                const void*, const void*)
{
    return EachRow<false, 1, 3>(dst, src, r, x, row, ds, ss, [](uint8_t* d, const uint8_t* s, int w) {
        for (int j = 0; j < w; ++j, s += 3)
            d[j] = static_cast<uint8_t>((30u * s[2] + 59u * s[1] + 11u * s[0]) / 100u);
    });
}

int MeanGray8(uint8_t* dst, const uint8_t*, const RECT& r, int x, int row, uint16_t, uint16_t, int ds, int,
              const void*, const void*)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return 0;
    uint64_t sum = 0;
    for (int i = 0; i < h; ++i) {
        const uint8_t* p = dst + static_cast<ptrdiff_t>(row + i) * ds + x;
        for (int j = 0; j < w; ++j)
            sum += p[j];
    }
    return static_cast<int>(sum / (static_cast<uint64_t>(w) * static_cast<uint64_t>(h)));
}

int MeanGray16(uint8_t* dst, const uint8_t*, const RECT& r, int x, int row, uint16_t, uint16_t, int ds, int,
               const void* p1, const void*)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return 0;
    const int shift = Shift(p1);
    uint64_t sum = 0;
    for (int i = 0; i < h; ++i) {
        const uint8_t* p = dst + static_cast<ptrdiff_t>(row + i) * ds + 2 * static_cast<ptrdiff_t>(x);
        for (int j = 0; j < w; ++j)
            sum += static_cast<uint8_t>(Load16(p + 2 * j) >> shift);
    }
    return static_cast<int>(sum / (static_cast<uint64_t>(w) * static_cast<uint64_t>(h)));
}

namespace {

template <int Bpp>
int ScaleRows(uint8_t* dst, const uint8_t* src, const RECT& d, const RECT& s, uint64_t srcSize, int ds, int ss)
{
    const int srcWidth = static_cast<int>(srcSize & 0xFFFFFFFFu);
    const int srcHeight = static_cast<int>(srcSize >> 32);
    const int dw = d.right - d.left, dh = d.bottom - d.top;
    if (dw <= 0 || dh <= 0)
        return 1;
    const float fx = static_cast<float>(s.right - s.left) / static_cast<float>(dw);
    const float fy = static_cast<float>(s.bottom - s.top) / static_cast<float>(dh);
    for (int i = 0; i < dh; ++i) {
        int sy = static_cast<int>(static_cast<float>(i) * fy);
        sy = std::clamp(sy, 0, srcHeight - 1);
        const uint8_t* sr = src + static_cast<ptrdiff_t>(s.bottom - 1 - sy) * ss;
        uint8_t* dr = dst + static_cast<ptrdiff_t>(d.top + i) * ds + static_cast<ptrdiff_t>(d.left) * Bpp;
        for (int k = 0; k < dw; ++k) {
            const int sx = std::min(static_cast<int>(static_cast<float>(k) * fx), srcWidth - 1);
            std::memcpy(dr + static_cast<ptrdiff_t>(k) * Bpp, sr + static_cast<ptrdiff_t>(sx) * Bpp, Bpp);
        }
    }
    return 1;
}

template <int Bpp>
void Restride(CDibImage& image)
{
    const int pitch = image.Width() * Bpp;
    const int stride = image.Stride();
    if (pitch == stride)
        return;
    uint8_t* bits = image.Bits();
    // Last row first, and within a row the last pixel first: every pixel
    // moves to a higher address, so none is overwritten before it moves.
    for (int row = image.Height() - 1; row > 0; --row)
        std::memmove(bits + static_cast<ptrdiff_t>(row) * stride, bits + static_cast<ptrdiff_t>(row) * pitch, pitch);
}

}  // namespace

int ScaleGray8(uint8_t* dst, const uint8_t* src, const RECT& d, const RECT& s, uint64_t, uint64_t srcSize, uint16_t,
               uint16_t, int ds, int ss, const void*, const void*)
{
    return ScaleRows<1>(dst, src, d, s, srcSize, ds, ss);
}

int ScaleColor24(uint8_t* dst, const uint8_t* src, const RECT& d, const RECT& s, uint64_t, uint64_t srcSize, uint16_t,
                 uint16_t, int ds, int ss, const void*, const void*)
{
    return ScaleRows<3>(dst, src, d, s, srcSize, ds, ss);
}

void RestrideGray8(CDibImage& image)
{
    Restride<1>(image);
}

void RestrideGray16(CDibImage& image)
{
    Restride<2>(image);
}

}  // namespace lumvex
