#include "image/filters.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lumvex {

namespace {

// Channels a filter treats in a pixel of this bit count, and whether they
// are 16-bit words.
struct Layout {
    int channels;
    bool words;
};

Layout LayoutOf(const CDibImage& image)
{
    switch (image.BitCount()) {
    case 8: return {1, false};
    case 16: return {1, true};
    case 24:
    case 32: return {3, false};
    case 48:
    case 64: return {3, true};
    default: return {0, false};
    }
}

int FullScale(const CDibImage& image, int depth)
{
    return LayoutOf(image).words ? (1 << std::clamp(depth, 8, 16)) - 1 : 255;
}

int SampleBits(const CDibImage& image, int depth)
{
    return LayoutOf(image).words ? std::clamp(depth, 8, 16) : 8;
}

// Looks samples up in a table of 2^bits entries; samples above full scale
// count as full scale. Rows are walked as plain arrays of bytes or words,
// touching the colour channels only.
void ApplyTable(CDibImage& image, const int* table, int fullScale)
{
    const Layout l = LayoutOf(image);
    const int bpp = image.BytesPerPixel();
    const int w = image.Width();
    if (!l.words) {
        uint8_t t8[256];
        for (int i = 0; i < 256; ++i)
            t8[i] = static_cast<uint8_t>(table[std::min(i, fullScale)]);
        for (int y = 0; y < image.Height(); ++y) {
            uint8_t* p = image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride();
            if (bpp == l.channels) {  // every byte of the row is a channel
                for (int i = 0; i < w * bpp; ++i)
                    p[i] = t8[p[i]];
            } else {
                for (int x = 0; x < w; ++x, p += bpp)
                    for (int c = 0; c < l.channels; ++c)
                        p[c] = t8[p[c]];
            }
        }
        return;
    }
    const int wordsPerPixel = bpp / 2;
    for (int y = 0; y < image.Height(); ++y) {
        uint16_t* p = reinterpret_cast<uint16_t*>(image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride());
        for (int x = 0; x < w; ++x, p += wordsPerPixel)
            for (int c = 0; c < l.channels; ++c)
                p[c] = static_cast<uint16_t>(table[std::min<int>(p[c], fullScale)]);
    }
}

}  // namespace

GrayKind GrayKindAt(int bayerMode, int r, int c)
{
    static const GrayKind kinds[4][4] = {
        {KIND_G1, KIND_R, KIND_B, KIND_G2},
        {KIND_B, KIND_G2, KIND_G1, KIND_R},
        {KIND_R, KIND_G1, KIND_G2, KIND_B},
        {KIND_G2, KIND_B, KIND_R, KIND_G1},
    };
    return kinds[bayerMode & 3][(r & 1) * 2 + (c & 1)];
}

void ApplyGrayGains(CDibImage& image, const GrayGains& g)
{
    // One table per position kind: offset + gain * p / 128, limited.
    uint8_t table[4][256];
    for (int k = 0; k < 4; ++k)
        for (int p = 0; p < 256; ++p)
            table[k][p] = static_cast<uint8_t>(std::clamp(g.offset[k] + (g.gain[k] * p) / 128, 0, 255));
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* row = image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride();
        const uint8_t* even = table[GrayKindAt(g.bayerMode, y, 0)];
        const uint8_t* odd = table[GrayKindAt(g.bayerMode, y, 1)];
        const int w = image.Width();
        int x = 0;
        for (; x + 1 < w; x += 2) {
            row[x] = even[row[x]];
            row[x + 1] = odd[row[x + 1]];
        }
        if (x < w)
            row[x] = even[row[x]];
    }
}

void AutoGrayGains(const CDibImage& image, GrayGains& g)
{
    uint64_t sum[4] = {}, count[4] = {};
    for (int y = 0; y < image.Height(); ++y) {
        const uint8_t* row = image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride();
        for (int x = 0; x < image.Width(); ++x) {
            const int p = row[x];
            if (p >= 1 && p <= 254) {
                const GrayKind k = GrayKindAt(g.bayerMode, y, x);
                sum[k] += static_cast<uint64_t>(p);
                ++count[k];
            }
        }
    }
    g.gain[KIND_G1] = 128;
    if (!count[KIND_G1])
        return;  // nothing to match: the other gains stay
    const float meanG1 = static_cast<float>(sum[KIND_G1]) / static_cast<float>(count[KIND_G1]);
    for (GrayKind k : {KIND_R, KIND_G2, KIND_B}) {
        if (!count[k])
            continue;
        const float mean = static_cast<float>(sum[k]) / static_cast<float>(count[k]);
        g.gain[k] = static_cast<int>(meanG1 / mean * 128);
    }
}

void ApplyBrightness(CDibImage& image, int b, int depth, FilterTables& tables)
{
    const double k = b < 0 ? 1.0 - std::abs(b) / 255.0 : 1.0 + 10.0 * b / 255.0;
    const float factor = static_cast<float>(k);
    const int fullScale = FullScale(image, depth);
    // The product of every possible sample, once: the same float operation
    // as per sample.
    const int bits = SampleBits(image, depth);
    FilterTable& t = tables.brightness;
    if (t.Stale(b, bits))
        for (int s = 0; s <= fullScale; ++s)
            t.values[s] = std::clamp(static_cast<int>(static_cast<float>(s) * factor), 0, fullScale);
    ApplyTable(image, t.values.data(), fullScale);
}

void BuildContrastTable(int c, int bits, int* t)
{
    if (bits == 8) {
        for (int i = 0; i < 256; ++i)
            t[i] = i < c ? 0 : i > 255 - c ? 255 : static_cast<int>(256.0 / (256 - 2 * c) * (i - c));
        return;
    }
    const int size = 1 << bits;
    const int o = c * (1 << (bits - 8));
    for (int i = 0; i < size; ++i)
        t[i] = i < o ? 0 : i > size - o - 1 ? size - 1 : static_cast<int>(size / static_cast<double>(size - 2 * o) * (i - o));
}

void BuildGammaTable(int g, int bits, int* t)
{
    const double x = g <= 100 ? g / 100.0 : (g - 100) / 10.0 + 1;
    if (bits == 8) {
        for (int i = 0; i < 256; ++i)
            t[i] = static_cast<int>(std::pow(i / 255.0, x) * 255);
        return;
    }
    const int fullScale = (1 << bits) - 1;
    const double scale = static_cast<double>(1 << bits);
    for (int i = 0; i <= fullScale; ++i)
        t[i] = static_cast<int>(std::pow(i / scale, x) * fullScale);
}

void ApplyContrast(CDibImage& image, int setting, int depth, FilterTables& tables)
{
    const int bits = SampleBits(image, depth);
    FilterTable& t = tables.contrast;
    if (t.Stale(setting, bits))
        BuildContrastTable(setting, bits, t.values.data());
    ApplyTable(image, t.values.data(), (1 << bits) - 1);
}

void ApplyGamma(CDibImage& image, int setting, int depth, FilterTables& tables)
{
    const int bits = SampleBits(image, depth);
    FilterTable& t = tables.gamma;
    if (t.Stale(setting, bits))
        BuildGammaTable(setting, bits, t.values.data());
    ApplyTable(image, t.values.data(), (1 << bits) - 1);
}

namespace {

// The 4 x 4 box (columns x-2..x+1, rows y-2..y+1) kept as running column
// sums over four rows, so each sample costs a few additions whatever the
// box. Units: samples per pixel (1, 3 or 4 channels' worth).
template <typename T, int Units, int Channels>
void SharpenRows(CDibImage& image, const CDibImage& source, int e, int fullScale, std::vector<int>& columnStore)
{
    const int w = image.Width(), h = image.Height();
    const int units = w * Units;
    auto row = [&](const CDibImage& im, int y) {
        return reinterpret_cast<const T*>(im.Bits() + static_cast<ptrdiff_t>(y) * im.Stride());
    };
    columnStore.assign(static_cast<size_t>(units), 0);
    int* __restrict column = columnStore.data();
    for (int y = 0; y < 4 && y < h; ++y) {
        const T* r = row(source, y);
        for (int i = 0; i < units; ++i)
            column[i] += r[i];
    }
    for (int y = 2; y < h - 2; ++y) {
        if (y > 2) {  // slide the four rows down by one
            const T* __restrict gone = row(source, y - 3);
            const T* __restrict come = row(source, y + 1);
            for (int i = 0; i < units; ++i)
                column[i] += come[i] - gone[i];
        }
        const T* __restrict s = row(source, y);
        T* __restrict out = reinterpret_cast<T*>(image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride());
        // One flat pass over the samples of the inner columns: the box sum of
        // sample i is four column sums a pixel apart.
        for (int i = 2 * Units; i < (w - 2) * Units; ++i) {
            if (Units != Channels && i % Units >= Channels)
                continue;  // the fourth channel stays
            const int box = column[i - 2 * Units] + column[i - Units] + column[i] + column[i + Units];
            const int v = s[i];
            const int t = v + ((v - (box >> 4)) * e) / 10;
            out[i] = static_cast<T>(t < 0 ? 0 : t > fullScale ? fullScale : t);
        }
    }
}

}  // namespace

void ApplySharpness(CDibImage& image, const CDibImage& source, int e, int depth, FilterTables& tables)
{
    const int fullScale = FullScale(image, depth);
    switch (image.BitCount()) {
    case 8: SharpenRows<uint8_t, 1, 1>(image, source, e, fullScale, tables.columnSums); break;
    case 16: SharpenRows<uint16_t, 1, 1>(image, source, e, fullScale, tables.columnSums); break;
    case 24: SharpenRows<uint8_t, 3, 3>(image, source, e, fullScale, tables.columnSums); break;
    case 32: SharpenRows<uint8_t, 4, 3>(image, source, e, fullScale, tables.columnSums); break;
    case 48: SharpenRows<uint16_t, 3, 3>(image, source, e, fullScale, tables.columnSums); break;
    case 64: SharpenRows<uint16_t, 4, 3>(image, source, e, fullScale, tables.columnSums); break;
    default: break;
    }
}

int HueOffset(int hue)
{
    const int u = static_cast<int>(static_cast<long long>(hue) * 65536 / 360) & 0xFFFF;
    const int t = (u * 6) >> 8;
    const int q = (t + 256) >> 9;
    const int m = t - 512 * q;
    int h = m + 510 * (q % 3);
    if (h < 0)
        h += 1530;
    else if (h >= 1530)
        h -= 1530;
    return h;
}

namespace {

// 0xFF0000 / c for every chroma: constant, made once, shared read-only.
struct Reciprocals {
    int of[256];
    Reciprocals()
    {
        of[0] = 0;
        for (int c = 1; c < 256; ++c)
            of[c] = 0xFF0000 / c;
    }
};

const Reciprocals& ReciprocalTable()
{
    static const Reciprocals table;
    return table;
}

// One pixel: hue offset split as hueSectors (H / 255) and hueRest (H mod
// 255), the saturation and reciprocal tables. The six sectors of the
// result, by k: 0 R, B full and B falling; 1 R full, G rising; 2 R, G full,
// R falling; 3 G full, B rising; 4 G, B full, G falling; 5 B full, R rising.
inline void HueSaturationPixel(int& b, int& g, int& r, int hueSectors, int hueRest, const int* sat, const int* recip)
{
    const int mx = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const int mn = r < g ? (r < b ? r : b) : (g < b ? g : b);
    const int c = mx - mn, n = mx + mn;
    int sector, position;
    if (b > (r > g ? r : g)) {
        sector = 5;
        position = r - g;
    } else if (r >= g) {
        sector = 1;
        position = g - b;
    } else {
        sector = 3;
        position = b - r;
    }
    if (position < 0) {
        sector -= 1;
        position += c;
    }
    const int limit = n <= 255 ? n : 511 - n;
    const int chroma = limit < sat[c] ? limit : sat[c];
    const int base = (n - chroma) >> 1;
    if (c == 0) {
        b = g = r = base;
        return;
    }
    int v = ((position * recip[c] + 0x8000) >> 16) + hueRest;
    int k = sector + hueSectors;
    if (v > 254) {
        ++k;
        v -= 255;
    }
    const int w = ((n + chroma) >> 1) - base;
    const int ramp = (w * v + 128) >> 8;
    const int full = base + w;
    switch (k % 6) {
    case 0: r = full; g = base; b = full - ramp; break;
    case 1: r = full; g = base + ramp; b = base; break;
    case 2: r = full - ramp; g = full; b = base; break;
    case 3: r = base; g = full; b = base + ramp; break;
    case 4: r = base; g = full - ramp; b = full; break;
    default: r = base + ramp; g = base; b = full; break;
    }
}

template <typename T, int Units>
void HueSaturationRows(CDibImage& image, int hue, const int* sat, int shift)
{
    const int* recip = ReciprocalTable().of;
    const int sectors = hue / 255, rest = hue % 255;
    for (int y = 0; y < image.Height(); ++y) {
        T* p = reinterpret_cast<T*>(image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride());
        for (int x = 0; x < image.Width(); ++x, p += Units) {
            int b = (p[0] >> shift) & 0xFF, g = (p[1] >> shift) & 0xFF, r = (p[2] >> shift) & 0xFF;
            HueSaturationPixel(b, g, r, sectors, rest, sat, recip);
            auto put = [shift](int v) { return static_cast<T>((v < 0 ? 0 : v > 255 ? 255 : v) << shift); };
            p[0] = put(b);
            p[1] = put(g);
            p[2] = put(r);
        }
    }
}

}  // namespace

void ApplyHueSaturation(CDibImage& image, int hue, int saturation, int depth)
{
    const int h = HueOffset(hue);
    int sat[256];
    for (int d = 0; d < 256; ++d)
        sat[d] = (d * (saturation + 256) * 256 + 32768) >> 16;
    const int shift = std::clamp(depth, 8, 16) - 8;
    switch (image.BitCount()) {
    case 24: HueSaturationRows<uint8_t, 3>(image, h, sat, 0); break;
    case 32: HueSaturationRows<uint8_t, 4>(image, h, sat, 0); break;
    case 48: HueSaturationRows<uint16_t, 3>(image, h, sat, shift); break;
    case 64: HueSaturationRows<uint16_t, 4>(image, h, sat, shift); break;
    default: break;
    }
}

}  // namespace lumvex
