// Microseconds per full-sensor frame for each stage of the frame
// post-processing and for ProcessFrame in every colour mode, neutral and
// with every step on, beside a memcpy of the work image in the same run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "camera/lumvex.h"
#include "image/dib_image.h"
#include "image/filters.h"
#include "image/pixel_converters.h"
#include "image/pseudo_palette.h"
#include "lumvex_sim.h"

namespace {

using namespace lumvex;
constexpr int W = ModelProfile::kSensorWidth, H = ModelProfile::kSensorHeight;

double Microseconds(const std::function<void()>& f, int repeat)
{
    f();  // warm
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < repeat; ++i)
        f();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count() / repeat;
}

void Fill(CDibImage& image, uint32_t seed, int max)
{
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* row = image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride();
        for (int i = 0; i < image.Width() * image.BytesPerPixel(); i += image.BitCount() == 16 ? 2 : 1) {
            seed = seed * 1664525 + 1013904223;
            const int v = static_cast<int>((seed >> 8) % static_cast<uint32_t>(max + 1));
            if (image.BitCount() == 16) {
                const uint16_t w = static_cast<uint16_t>(v);
                std::memcpy(row + i, &w, 2);
            } else {
                row[i] = static_cast<uint8_t>(v);
            }
        }
    }
}

// A camera-like frame: a smooth ramp with a little noise and one hot pixel
// in a thousand.
void FillCameraLike(CDibImage& image, int max)
{
    uint32_t seed = 99;
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* row = image.Bits() + static_cast<ptrdiff_t>(y) * image.Stride();
        for (int x = 0; x < image.Width(); ++x) {
            seed = seed * 1664525 + 1013904223;
            int v = (x + y) * max / (image.Width() + image.Height()) + static_cast<int>((seed >> 8) % 7) - 3;
            if ((seed >> 20) % 1000 == 0)
                v = max;
            v = std::clamp(v, 0, max);
            if (image.BitCount() == 16) {
                const uint16_t w = static_cast<uint16_t>(v);
                std::memcpy(row + 2 * x, &w, 2);
            } else {
                row[x] = static_cast<uint8_t>(v);
            }
        }
    }
}

void Prepare(CLumvex& c, int mode)
{
    static const uint16_t outputBits[6] = {8, 16, 24, 32, 48, 64};
    const bool wide = mode == 1 || mode == 4 || mode == 5;
    c.m_colorMode = mode;
    c.WorkImage()->Create(W, H, wide ? 16 : 8);
    c.OutputImage()->Create(W, H, outputBits[mode]);
    c.m_image24->Create(W, H, 24);
    c.m_filterWork->CreateLike(c.OutputImage());
    c.m_rawImage->Create(W, H, wide ? 16 : 8);
    FillCameraLike(*c.m_rawImage, wide ? (1 << ModelProfile::kSampleDepth) - 1 : 255);
}

void AllOn(CLumvex& c, bool on)
{
    FilterRecord& f = c.m_filter;
    c.m_maskFilter = c.m_dotFilter = c.m_mirrorH = c.m_mirrorV = on;
    f.hue = on ? 40 : 0;
    f.saturation = on ? 30 : 0;
    f.gamma = on ? 80 : 100;
    f.contrast = on ? 20 : 0;
    f.sharpness = on ? 10 : 0;
    f.brightness = on ? 10 : 0;
    f.grayMode = on ? 1 : 0;
    f.grayGainR = on ? 140 : 128;
}

}  // namespace

int main()
{
    LumvexSim_SetFrameInterval(0, 0);
    auto camera = std::make_unique<CLumvex>();
    camera->Initialize(nullptr);
    CLumvex& c = *camera;
    const int repeat = 100;

    CDibImage g8, g16, c24, c32, c48, c64, copy8, copy24, copy48;
    g8.Create(W, H, 8);
    g16.Create(W, H, 16);
    c24.Create(W, H, 24);
    c32.Create(W, H, 32);
    c48.Create(W, H, 48);
    c64.Create(W, H, 64);
    Fill(g8, 1, 255);
    Fill(g16, 2, (1 << ModelProfile::kSampleDepth) - 1);
    MapPseudoColor(c24, g8);
    MapPseudoColor(c48, g16);
    copy8.CreateLike(&g8);
    copy24.CreateLike(&c24);
    copy48.CreateLike(&c48);
    std::memcpy(copy8.Bits(), g8.Bits(), g8.SizeBytes());
    std::memcpy(copy24.Bits(), c24.Bits(), c24.SizeBytes());
    std::memcpy(copy48.Bits(), c48.Bits(), c48.SizeBytes());
    FilterTables tables;
    std::vector<uint8_t> scratch(g8.SizeBytes());

    std::printf("model %s, %d x %d, %d-bit samples; microseconds per frame\n", LUMVEX_MODEL_NAME, W, H,
                ModelProfile::kSampleDepth);
    std::printf("%-44s %9.1f\n", "memcpy of the 8-bit work image", Microseconds([&] { std::memcpy(scratch.data(), g8.Bits(), g8.SizeBytes()); }, 1000));
    std::vector<uint8_t> scratch16(g16.SizeBytes());
    std::printf("%-44s %9.1f\n", "memcpy of the 16-bit work image", Microseconds([&] { std::memcpy(scratch16.data(), g16.Bits(), g16.SizeBytes()); }, 1000));

    std::vector<int> palette(256);
    std::printf("%-44s %9.1f\n", "plain scalar palette loop 8 -> 24", Microseconds([&] {
        for (int y = 0; y < H; ++y) {
            const uint8_t* s = g8.Bits() + y * g8.Stride();
            uint8_t* d = c24.Bits() + y * c24.Stride();
            for (int x = 0; x < W; ++x) {
                const RGBQUAD& e = kPseudoPalette[PaletteIndex8(s[x])];
                d[3 * x] = e.rgbBlue;
                d[3 * x + 1] = e.rgbGreen;
                d[3 * x + 2] = e.rgbRed;
            }
        }
    }, repeat));
    struct Stage {
        const char* name;
        std::function<void()> run;
    };
    GrayGains gains{{140, 128, 120, 110}, {0, 0, 0, 0}, 3};
    const Stage stages[] = {
        {"pseudo-colour 8 -> 24", [&] { MapPseudoColor(c24, g8); }},
        {"pseudo-colour 8 -> 32", [&] { MapPseudoColor(c32, g8); }},
        {"pseudo-colour 16 -> 48", [&] { MapPseudoColor(c48, g16); }},
        {"pseudo-colour 16 -> 64", [&] { MapPseudoColor(c64, g16); }},
        {"gray gains 8-bit", [&] { ApplyGrayGains(g8, gains); }},
        {"gray gains 8-bit, SSE2 form", [&] { ApplyGrayGainsSse2(g8, gains); }},
        {"gray gains 8-bit, MMX form", [&] { ApplyGrayGainsMmx(g8, gains); }},
        {"gamma 8-bit (table)", [&] { ApplyGamma(g8, 80, ModelProfile::kSampleDepth, tables); }},
        {"contrast 8-bit (table)", [&] { ApplyContrast(g8, 20, ModelProfile::kSampleDepth, tables); }},
        {"brightness 8-bit", [&] { ApplyBrightness(g8, 10, ModelProfile::kSampleDepth, tables); }},
        {"sharpness 8-bit", [&] { ApplySharpness(g8, copy8, 10, ModelProfile::kSampleDepth, tables); }},
        {"sharpness 24-bit", [&] { ApplySharpness(c24, copy24, 10, ModelProfile::kSampleDepth, tables); }},
        {"hue/saturation 24-bit", [&] { ApplyHueSaturation(c24, 40, 30, ModelProfile::kSampleDepth); }},
        {"hue/saturation 48-bit", [&] { ApplyHueSaturation(c48, 40, 30, ModelProfile::kSampleDepth); }},
        {"reduce gray 16 -> 8 (reversed rows)", [&] {
             const int s = ModelProfile::kSampleDepth - 8;
             g8.ConvertFrom(ReduceGrayReversed, g16, nullptr, 0, 0, &s, nullptr);
         }},
        {"8-bit vertical flip (mirror V)", [&] {
             c.m_mirrorV = 1;
             c.m_mirrorH = 0;
             c.Mirror(g8);
             c.m_mirrorV = 0;
         }},
        {"dot filter 8-bit", [&] { c.RemoveDefects(&g8, 30); }},
        {"reference correction 8-bit", [&] { c.CorrectWithReferences(g8); }},
        {"reference correction 16-bit", [&] { c.CorrectWithReferences(g16); }},
        {"mirror H and V 8-bit", [&] {
             c.m_mirrorV = c.m_mirrorH = 1;
             c.Mirror(g8);
             c.m_mirrorV = c.m_mirrorH = 0;
         }},
        {"mirror H and V 16-bit", [&] {
             c.m_mirrorV = c.m_mirrorH = 1;
             c.Mirror(g16);
             c.m_mirrorV = c.m_mirrorH = 0;
         }},
    };
    for (const Stage& s : stages)
        std::printf("%-44s %9.1f\n", s.name, Microseconds(s.run, repeat));

    // Each step alone in colour mode 0, to see where the time of the full
    // pipeline goes.
    const struct {
        const char* name;
        void (*set)(CLumvex&);
    } alone[] = {
        {"reference correction", [](CLumvex& x) { x.m_maskFilter = 1; }},
        {"dot filter", [](CLumvex& x) { x.m_dotFilter = 1; }},
        {"mirror H and V", [](CLumvex& x) { x.m_mirrorH = x.m_mirrorV = 1; }},
        {"gray gains", [](CLumvex& x) { x.m_filter.grayMode = 1; x.m_filter.grayGainR = 140; }},
        {"gamma", [](CLumvex& x) { x.m_filter.gamma = 80; }},
        {"contrast", [](CLumvex& x) { x.m_filter.contrast = 20; }},
        {"sharpness", [](CLumvex& x) { x.m_filter.sharpness = 10; }},
        {"brightness", [](CLumvex& x) { x.m_filter.brightness = 10; }},
    };
    for (const auto& a : alone) {
        Prepare(c, 0);
        AllOn(c, false);
        c.m_autoIris = 0;
        a.set(c);
        char name[64];
        std::snprintf(name, sizeof name, "ProcessFrame mode 0, %s only", a.name);
        std::printf("%-44s %9.1f\n", name, Microseconds([&] { c.ProcessFrame(); }, repeat / 2));
    }

    for (int on = 0; on <= 1; ++on) {
        for (int mode = 0; mode < 6; ++mode) {
            Prepare(c, mode);
            AllOn(c, on != 0);
            c.m_autoIris = 0;
            char name[64];
            std::snprintf(name, sizeof name, "ProcessFrame mode %d, %s", mode, on ? "every step on" : "neutral");
            std::printf("%-44s %9.1f\n", name, Microseconds([&] { c.ProcessFrame(); }, repeat / 2));
        }
    }
    return 0;
}
