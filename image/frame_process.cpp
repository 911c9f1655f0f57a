// Frame post-processing of the camera object: one call per frame on the
// acquisition thread, from the raw frame to the output image of the colour
// mode. Filter values, mirror flags and the auto-gain count are read
// without a lock: a change takes effect at the next frame.
#include <algorithm>
#include <cstring>
#include <vector>

#include "camera/lumvex.h"
#include "image/dib_image.h"
#include "image/filters.h"
#include "image/pixel_converters.h"
#include "image/pseudo_palette.h"
#include "model_profile.h"

namespace lumvex {

namespace {

using P = ModelProfile;
constexpr int kDepth = P::kSampleDepth;
constexpr int kFull16 = (1 << kDepth) - 1;

class Lock {
public:
    explicit Lock(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
    ~Lock() { LeaveCriticalSection(&m_cs); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    CRITICAL_SECTION& m_cs;
};

inline uint16_t Word(const uint8_t* p)
{
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

inline void SetWord(uint8_t* p, int v)
{
    const uint16_t w = static_cast<uint16_t>(v);
    std::memcpy(p, &w, 2);
}

bool Usable(const CDibImage* image)
{
    return image && image->Bits();
}

}  // namespace

CDibImage* CLumvex::WorkImage() const
{
    return m_colorMode == 1 || m_colorMode == 4 || m_colorMode == 5 ? m_image16 : m_image8;
}

CDibImage* CLumvex::OutputImage() const
{
    CDibImage* const outputs[6] = {m_image8, m_image16, m_image24, m_image32, m_image48, m_image64};
    return m_colorMode >= 0 && m_colorMode < 6 ? outputs[m_colorMode] : nullptr;
}

void CLumvex::ProcessFrame()
{
    CDibImage* work = WorkImage();
    if (!Usable(work))
        return;
    {
        Lock frame(m_frameLock);
        if (Usable(m_rawImage) && m_rawImage->SizeBytes() == work->SizeBytes())
            std::memcpy(work->Bits(), m_rawImage->Bits(), work->SizeBytes());
    }
    AutoExposeStep(work);
    {
        Lock mask(m_maskLock);
        if (m_maskFilter)
            CorrectWithReferences(*work);
        if (m_dotFilter)
            RemoveDefects(work, work->BitCount() == 8 ? 30 : 30 << (kDepth - 8));
    }
    Mirror(*work);

    FilterRecord& f = m_filter;
    if (m_colorMode == 0 && f.grayMode == 1) {
        GrayGains g{{f.grayGainR, f.grayGainG1, f.grayGainG2, f.grayGainB},
                    {f.grayOffsetR, f.grayOffsetG1, f.grayOffsetG2, f.grayOffsetB},
                    f.bayerMode};
        if (f.autoGainCount != 0) {
            AutoGrayGains(*work, g);
            f.grayGainR = g.gain[KIND_R];
            f.grayGainG1 = g.gain[KIND_G1];
            f.grayGainG2 = g.gain[KIND_G2];
            f.grayGainB = g.gain[KIND_B];
            --f.autoGainCount;
        }
        if (!(g.gain[0] == 128 && g.gain[1] == 128 && g.gain[2] == 128 && g.gain[3] == 128)) {
            // The 32-bit builds pick the widest vector form the processor runs.
            const unsigned usable = P::kProcessorProbe ? m_cpuInfo.usable & m_cpuInfo.reported : 0;
            if (usable & CPU_SSE2)
                ApplyGrayGainsSse2(*work, g);
            else if (usable & CPU_MMX)
                ApplyGrayGainsMmx(*work, g);
            else
                ApplyGrayGains(*work, g);
        }
    } else if (m_colorMode == 0 && f.grayMode == 2 && Usable(m_image24)) {
        MapPseudoColor(*m_image24, *work);
        work->ConvertFrom(Luminance24, *m_image24, nullptr, 0, 0, nullptr, nullptr);
    }

    CDibImage* output = OutputImage();
    if (m_colorMode >= 2) {
        if (!Usable(output))
            return;
        MapPseudoColor(*output, *work);
    }
    if (!Usable(output))
        return;
    if (m_colorMode >= 2 && (f.hue != 0 || f.saturation != 0))
        ApplyHueSaturation(*output, f.hue, f.saturation, kDepth);
    if (f.gamma != 100)
        ApplyGamma(*output, f.gamma, kDepth, m_filterTables);
    if (f.contrast != 0)
        ApplyContrast(*output, f.contrast, kDepth, m_filterTables);
    if (f.sharpness != 0 && Usable(m_filterWork) && m_filterWork->SizeBytes() == output->SizeBytes()) {
        std::memcpy(m_filterWork->Bits(), output->Bits(), output->SizeBytes());
        ApplySharpness(*output, *m_filterWork, f.sharpness, kDepth, m_filterTables);
    }
    if (f.brightness != 0)
        ApplyBrightness(*output, f.brightness, kDepth, m_filterTables);
}

void CLumvex::CorrectWithReferences(CDibImage& work)
{
    const bool wide = work.BitCount() == 16;
    const CDibImage* dark = wide ? m_darkRef16 : m_darkRef8;
    const CDibImage* white = wide ? m_whiteRef16 : m_whiteRef8;
    if (!Usable(dark) || !Usable(white))
        return;
    const int w = std::min(m_width, work.Width()), h = std::min(m_height, work.Height());
    for (int j = 0; j < h; ++j) {
        const int sy = m_startY + j;
        if (sy < 0 || sy >= dark->Height())
            continue;
        uint8_t* row = work.Bits() + static_cast<ptrdiff_t>(j) * work.Stride();
        const uint8_t* d = dark->Bits() + static_cast<ptrdiff_t>(sy) * dark->Stride();
        const uint8_t* wr = white->Bits() + static_cast<ptrdiff_t>(sy) * white->Stride();
        for (int k = 0; k < w; ++k) {
            const int sx = m_startX + k;
            if (sx < 0 || sx >= dark->Width())
                continue;
            if (wide) {
                const int dv = Word(d + 2 * sx), wv = Word(wr + 2 * sx);
                if (wv > dv) {
                    const int p = Word(row + 2 * k);
                    SetWord(row + 2 * k, std::clamp(((p - dv) * (1 << kDepth)) / (wv - dv), 0, kFull16));
                }
            } else {
                const int dv = d[sx], wv = wr[sx];
                if (dv != wv)
                    row[k] = static_cast<uint8_t>(std::clamp(((row[k] - dv) * 256) / (wv - dv), 0, 255));
            }
        }
    }
}

int CLumvex::RemoveDefects(CDibImage* image, int threshold)
{
    if (!Usable(image))
        return 0;
    const bool wide = image->BitCount() == 16;
    CDibImage* mask = wide ? m_work16 : m_work8;
    const CDibImage* hot = wide ? m_hotMap16 : m_hotMap8;
    const CDibImage* dead = wide ? m_deadMap16 : m_deadMap8;
    if (!Usable(mask) || !Usable(hot) || !Usable(dead))
        return 1;
    const int W = image->Width(), H = image->Height();
    const int bpp = wide ? 2 : 1;
    auto mapAt = [&](const CDibImage* map, int x, int y) {
        const int sx = m_startX + x, sy = m_startY + y;
        if (sx < 0 || sy < 0 || sx >= map->Width() || sy >= map->Height())
            return 0;
        const uint8_t* p = map->Bits() + static_cast<ptrdiff_t>(sy) * map->Stride() + sx * bpp;
        return wide ? static_cast<int>(Word(p)) : static_cast<int>(*p);
    };
    // The mask has one entry per image pixel, in the mask's own format.
    if (W > mask->Width() || H > mask->Height())
        return 1;
    std::memset(mask->Bits(), 0, mask->SizeBytes());
    if (W <= 8 || H <= 8)
        return 1;

    // Marking, a row at a time. The maps are read at the sensor position;
    // a window inside the sensor (the capture geometry guarantees it) reads
    // them through row pointers, anything else through the checked lookup.
    const bool inside = m_startX >= 0 && m_startY >= 0 && m_startX + W <= hot->Width() && m_startY + H <= hot->Height()
                     && m_startX + W <= dead->Width() && m_startY + H <= dead->Height();
    auto markRows = [&](auto sample) {
        using T = decltype(sample);
        for (int y = 4; y < H - 4; ++y) {
            const T* up = reinterpret_cast<const T*>(image->Bits() + static_cast<ptrdiff_t>(y - 1) * image->Stride());
            const T* mid = reinterpret_cast<const T*>(image->Bits() + static_cast<ptrdiff_t>(y) * image->Stride());
            const T* down = reinterpret_cast<const T*>(image->Bits() + static_cast<ptrdiff_t>(y + 1) * image->Stride());
            const T* hotRow = inside ? reinterpret_cast<const T*>(hot->Bits() + static_cast<ptrdiff_t>(m_startY + y) * hot->Stride()) + m_startX : nullptr;
            const T* deadRow = inside ? reinterpret_cast<const T*>(dead->Bits() + static_cast<ptrdiff_t>(m_startY + y) * dead->Stride()) + m_startX : nullptr;
            uint8_t* maskRow = mask->Bits() + static_cast<ptrdiff_t>(y) * mask->Stride();
            for (int x = 4; x < W - 4; ++x) {
                bool defect = inside ? (hotRow[x] != 0 || deadRow[x] != 0) : (mapAt(hot, x, y) != 0 || mapAt(dead, x, y) != 0);
                if (!defect) {
                    const int a = (mid[x - 1] + mid[x + 1] + up[x] + down[x]) / 4;
                    const int d = mid[x] - a;
                    defect = (d < 0 ? -d : d) >= threshold;
                }
                if (defect)
                    maskRow[x * bpp] = 1;
            }
        }
    };
    if (wide)
        markRows(uint16_t{});
    else
        markRows(uint8_t{});

    // Replacing: the nearest unmarked pixel in each direction. Unmarked
    // pixels never change, so their values can be found in four sweeps
    // first (-1: none in that direction) instead of a search per pixel.
    auto replaceRows = [&](auto sample) {
        using T = decltype(sample);
        auto rowOf = [&](int y) {
            return reinterpret_cast<T*>(image->Bits() + static_cast<ptrdiff_t>(y) * image->Stride());
        };
        auto maskOf = [&](int y) { return mask->Bits() + static_cast<ptrdiff_t>(y) * mask->Stride(); };
        std::vector<int>& below = m_defectScratch;
        below.resize(static_cast<size_t>(W) * H);
        std::vector<int>& last = m_defectAbove;
        last.assign(static_cast<size_t>(W), -1);
        for (int y = H - 1; y >= 0; --y) {
            const T* r = rowOf(y);
            const uint8_t* m = maskOf(y);
            int* out = below.data() + static_cast<size_t>(y) * W;
            for (int x = 0; x < W; ++x) {
                out[x] = last[x];
                if (!m[x * bpp])
                    last[x] = r[x];
            }
        }
        std::vector<int>& left = m_defectLeft;
        std::vector<int>& right = m_defectRight;
        left.assign(static_cast<size_t>(W), -1);
        right.assign(static_cast<size_t>(W), -1);
        last.assign(static_cast<size_t>(W), -1);  // now: nearest unmarked above
        for (int y = 0; y < H - 4; ++y) {
            if (y > 0) {
                const T* r = rowOf(y - 1);
                const uint8_t* m = maskOf(y - 1);
                for (int x = 0; x < W; ++x)
                    if (!m[x * bpp])
                        last[x] = r[x];
            }
            if (y < 4)
                continue;
            T* r = rowOf(y);
            const uint8_t* m = maskOf(y);
            int v = -1;
            for (int x = 0; x < W; ++x) {
                left[x] = v;
                if (!m[x * bpp])
                    v = r[x];
            }
            v = -1;
            for (int x = W - 1; x >= 0; --x) {
                right[x] = v;
                if (!m[x * bpp])
                    v = r[x];
            }
            const int* down = below.data() + static_cast<size_t>(y) * W;
            for (int x = 4; x < W - 4; ++x) {
                if (!m[x * bpp])
                    continue;
                int sum = 0, found = 0;
                for (int value : {left[x], right[x], last[x], down[x]})
                    if (value >= 0) {
                        sum += value;
                        ++found;
                    }
                if (found)
                    r[x] = static_cast<T>(sum / found);
            }
        }
    };
    if (wide)
        replaceRows(uint16_t{});
    else
        replaceRows(uint8_t{});
    return 1;
}

void CLumvex::Mirror(CDibImage& work)
{
    if (!m_mirrorH && !m_mirrorV)
        return;
    CDibImage& temp = *m_mirrorWork;
    if (temp.Width() != work.Width() || temp.Height() != work.Height() || temp.BitCount() != work.BitCount())
        if (!temp.Create(work.Width(), work.Height(), work.BitCount()))
            return;
    const int H = work.Height(), W = work.Width(), bpp = work.BytesPerPixel(), stride = work.Stride();
    if (m_mirrorH) {
        for (int y = 0; y < H; ++y) {
            const uint8_t* s = work.Bits() + static_cast<ptrdiff_t>(y) * stride;
            uint8_t* d = temp.Bits() + static_cast<ptrdiff_t>(m_mirrorV ? H - 1 - y : y) * stride;
            for (int x = 0; x < W; ++x)
                std::memcpy(d + static_cast<ptrdiff_t>(W - 1 - x) * bpp, s + static_cast<ptrdiff_t>(x) * bpp, bpp);
        }
        std::memcpy(work.Bits(), temp.Bits(), work.SizeBytes());
        return;
    }
    std::memcpy(temp.Bits(), work.Bits(), work.SizeBytes());
    for (int y = 0; y < H; ++y)
        std::memcpy(work.Bits() + static_cast<ptrdiff_t>(y) * stride,
                    temp.Bits() + static_cast<ptrdiff_t>(H - 1 - y) * stride, stride);
}

int CLumvex::AutoExposeStep(CDibImage* work)
{
    if ((m_autoIris != 1 && m_autoIris != 2) || !Usable(work))
        return 0;
    const double w = work->Width(), h = work->Height();
    const double regions[5][4] = {{0.1, 0.1, 0.2, 0.2}, {0.1, 0.8, 0.2, 0.9}, {0.45, 0.45, 0.55, 0.55},
                                  {0.8, 0.1, 0.9, 0.2}, {0.8, 0.8, 0.9, 0.9}};
    const int shift = kDepth - 8;
    int mean[5];
    for (int i = 0; i < 5; ++i) {
        RECT r{static_cast<LONG>(regions[i][0] * w), static_cast<LONG>(regions[i][1] * h),
               static_cast<LONG>(regions[i][2] * w), static_cast<LONG>(regions[i][3] * h)};
        mean[i] = work->BitCount() == 16
                      ? work->ConvertFrom(MeanGray16, *work, &r, r.left, r.top, &shift, nullptr)
                      : work->ConvertFrom(MeanGray8, *work, &r, r.left, r.top, nullptr, nullptr);
    }
    double f = 1.0;
    const int m0 = mean[0];
    if (m0 > 200)
        f = 0.85;
    else if (m0 > 160)
        f = 0.9;
    else if (m0 < 50)
        f = 1.1;
    else if (m0 < 100)
        f = 1.05;
    for (int i = 1; i < 5; ++i) {
        const int m = mean[i];
        if (m > 200)
            f -= 0.15;
        else if (m > 160)
            f -= 0.1;
        else if (m < 50)
            f += 0.1;
        else if (m < 100)
            f += 0.05;
    }
    if ((f > 0.6 && f < 1.2) || m_autoIris != 1 || !m_device)
        return 1;
    int exposure = 0;
    m_device->GetExposure(&exposure);
    int e = static_cast<uint16_t>(static_cast<int>(exposure * f));
    if (f < 1 && e <= 4)
        e = 4;
    else if (f > 1 && e >= 8192)
        e = 8192;
    else if (e == 0)
        e = 1;
    m_device->SetExposure(static_cast<uint16_t>(e));
    m_exposure = e;
    return 1;
}

int CLumvex::DeriveDefectMaps(int depth, int which)
{
    if (depth < 0 || depth > 1 || which < 0 || which > 1)
        return 0;
    const bool wide = depth == 1;
    const CDibImage* source = which == 0 ? (wide ? m_darkRef16 : m_darkRef8) : (wide ? m_whiteRef16 : m_whiteRef8);
    CDibImage* target = which == 0 ? (wide ? m_hotMap16 : m_hotMap8) : (wide ? m_deadMap16 : m_deadMap8);
    if (!Usable(source) || !Usable(target))
        return 1;
    const int limit8 = which == 0 ? 192 : 64;
    const int limit16 = which == 0 ? 3 << (kDepth - 2) : 1 << (kDepth - 2);
    for (int y = 2; y < P::kSensorHeight - 2; ++y) {
        const uint8_t* s = source->Bits() + static_cast<ptrdiff_t>(y) * source->Stride();
        uint8_t* t = target->Bits() + static_cast<ptrdiff_t>(y) * target->Stride();
        for (int x = 2; x < P::kSensorWidth - 2; ++x) {
            if (wide) {
                const int v = Word(s + 2 * x);
                SetWord(t + 2 * x, which == 0 ? v > limit16 : v < limit16);
            } else {
                t[x] = which == 0 ? s[x] > limit8 : s[x] < limit8;
            }
        }
    }
    return 1;
}

int CLumvex::UpdateReference(int which)
{
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    bool ok = true;
    bool wide = false;
    {
        Lock frame(m_frameLock);
        // The mask lock too: the correction must not read a reference while
        // it is replaced.
        Lock mask(m_maskLock);
        const CDibImage* work = WorkImage();
        wide = Usable(m_rawImage) && m_rawImage->BitCount() != 8;
        if (Usable(work) && Usable(m_rawImage) && work->Width() == P::kSensorWidth
            && work->Height() == P::kSensorHeight) {
            CDibImage* target = which == 0 ? (wide ? m_darkRef16 : m_darkRef8)
                              : which == 1 ? (wide ? m_whiteRef16 : m_whiteRef8)
                                           : nullptr;
            if (target && target->SizeBytes() == m_rawImage->SizeBytes())
                std::memcpy(target->Bits(), m_rawImage->Bits(), target->SizeBytes());
            else
                ok = false;
        }
        DeriveDefectMaps(wide ? 1 : 0, which != 0 ? 1 : 0);
    }
    if (!ok) {
        PushError(LUMVEX_ERROR_FILE);
        return 0;
    }
    return 1;
}

}  // namespace lumvex
