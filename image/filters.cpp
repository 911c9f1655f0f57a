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

// Calls op(sample) -> new sample for every treated channel of every pixel.
template <typename Op>
void EachSample(CDibImage& image, Op op)
{
    const Layout l = LayoutOf(image);
    const int bpp = image.BytesPerPixel();
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* p = image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride();
        for (int x = 0; x < image.Width(); ++x, p += bpp) {
            for (int c = 0; c < l.channels; ++c) {
                if (l.words) {
                    uint16_t v;
                    std::memcpy(&v, p + 2 * c, 2);
                    const uint16_t n = static_cast<uint16_t>(op(static_cast<int>(v)));
                    std::memcpy(p + 2 * c, &n, 2);
                } else {
                    p[c] = static_cast<uint8_t>(op(static_cast<int>(p[c])));
                }
            }
        }
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
// count as full scale.
void ApplyTable(CDibImage& image, const int* table, int fullScale)
{
    EachSample(image, [&](int s) { return table[std::min(s, fullScale)]; });
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
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* row = image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride();
        const GrayKind even = GrayKindAt(g.bayerMode, y, 0), odd = GrayKindAt(g.bayerMode, y, 1);
        for (int x = 0; x < image.Width(); ++x) {
            const GrayKind k = x & 1 ? odd : even;
            const int v = g.offset[k] + (g.gain[k] * row[x]) / 128;
            row[x] = static_cast<uint8_t>(std::clamp(v, 0, 255));
        }
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

void ApplyBrightness(CDibImage& image, int b, int depth)
{
    const double k = b < 0 ? 1.0 - std::abs(b) / 255.0 : 1.0 + 10.0 * b / 255.0;
    const float factor = static_cast<float>(k);
    const int fullScale = FullScale(image, depth);
    EachSample(image, [&](int s) { return std::clamp(static_cast<int>(static_cast<float>(s) * factor), 0, fullScale); });
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
    tables.table.resize(size_t{1} << bits);
    BuildContrastTable(setting, bits, tables.table.data());
    ApplyTable(image, tables.table.data(), (1 << bits) - 1);
}

void ApplyGamma(CDibImage& image, int setting, int depth, FilterTables& tables)
{
    const int bits = SampleBits(image, depth);
    tables.table.resize(size_t{1} << bits);
    BuildGammaTable(setting, bits, tables.table.data());
    ApplyTable(image, tables.table.data(), (1 << bits) - 1);
}

void ApplySharpness(CDibImage& image, const CDibImage& source, int e, int depth)
{
    const Layout l = LayoutOf(image);
    const int fullScale = FullScale(image, depth);
    const int bpp = image.BytesPerPixel();
    const int w = image.Width(), h = image.Height();
    auto sample = [&](const CDibImage& im, int x, int y, int c) {
        const uint8_t* p = im.Bits() + static_cast<ptrdiff_t>(y) * im.Stride() + static_cast<ptrdiff_t>(x) * bpp;
        if (!l.words)
            return static_cast<int>(p[c]);
        uint16_t v;
        std::memcpy(&v, p + 2 * c, 2);
        return static_cast<int>(v);
    };
    for (int y = 2; y < h - 2; ++y) {
        uint8_t* out = image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride();
        for (int x = 2; x < w - 2; ++x) {
            for (int c = 0; c < l.channels; ++c) {
                int sum = 0;
                for (int dy = -2; dy <= 1; ++dy)
                    for (int dx = -2; dx <= 1; ++dx)
                        sum += sample(source, x + dx, y + dy, c);
                const int s = sample(source, x, y, c);
                const int t = std::clamp(s + ((s - (sum >> 4)) * e) / 10, 0, fullScale);
                if (l.words) {
                    const uint16_t v = static_cast<uint16_t>(t);
                    std::memcpy(out + static_cast<ptrdiff_t>(x) * bpp + 2 * c, &v, 2);
                } else {
                    out[static_cast<ptrdiff_t>(x) * bpp + c] = static_cast<uint8_t>(t);
                }
            }
        }
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

// Full channels and the ramping channel of each of the six sectors, with
// the ramp's sign; channels are 0 B, 1 G, 2 R.
struct Sector {
    bool full[3];
    int ramp;
    int step;
};
constexpr Sector kSectors[6] = {
    {{true, false, true}, 0, -1},   // R, B full; B falling
    {{false, false, true}, 1, +1},  // R; G rising
    {{false, true, true}, 2, -1},   // R, G; R falling
    {{false, true, false}, 0, +1},  // G; B rising
    {{true, true, false}, 1, -1},   // G, B; G falling
    {{true, false, false}, 2, +1},  // B; R rising
};

inline void HueSaturationPixel(int* bgr, int hue, const int* sat, const int* recip)
{
    const int b = bgr[0], g = bgr[1], r = bgr[2];
    const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const int c = mx - mn, n = mx + mn;
    int sector, position;
    if (b > std::max(r, g)) {
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
    const int chroma = std::min(limit, sat[c]);
    const int base = (n - chroma) >> 1;
    bgr[0] = bgr[1] = bgr[2] = base;
    if (c == 0)
        return;
    int v = ((position * recip[c] + 0x8000) >> 16) + hue % 255;
    int k = sector + hue / 255;
    if (v > 254) {
        ++k;
        v -= 255;
    }
    const int w = ((n + chroma) >> 1) - base;
    const Sector& s = kSectors[k % 6];
    for (int ch = 0; ch < 3; ++ch)
        if (s.full[ch])
            bgr[ch] += w;
    bgr[s.ramp] += s.step * ((w * v + 128) >> 8);
}

}  // namespace

void ApplyHueSaturation(CDibImage& image, int hue, int saturation, int depth)
{
    const Layout l = LayoutOf(image);
    if (l.channels != 3)
        return;
    const int h = HueOffset(hue);
    int sat[256];
    for (int d = 0; d < 256; ++d)
        sat[d] = (d * (saturation + 256) * 256 + 32768) >> 16;
    const int* recip = ReciprocalTable().of;
    const int shift = l.words ? std::clamp(depth, 8, 16) - 8 : 0;
    const int bpp = image.BytesPerPixel();
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* p = image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride();
        for (int x = 0; x < image.Width(); ++x, p += bpp) {
            int bgr[3];
            for (int ch = 0; ch < 3; ++ch) {
                if (l.words) {
                    uint16_t v;
                    std::memcpy(&v, p + 2 * ch, 2);
                    bgr[ch] = (v >> shift) & 0xFF;
                } else {
                    bgr[ch] = p[ch];
                }
            }
            HueSaturationPixel(bgr, h, sat, recip);
            for (int ch = 0; ch < 3; ++ch) {
                const int v = std::clamp(bgr[ch], 0, 255);
                if (l.words) {
                    const uint16_t word = static_cast<uint16_t>(v << shift);
                    std::memcpy(p + 2 * ch, &word, 2);
                } else {
                    p[ch] = static_cast<uint8_t>(v);
                }
            }
        }
    }
}

}  // namespace lumvex
