#include "sim/core/sim_camera.h"

#include <algorithm>
#include <cstring>

#include "model_profile.h"
#include "sim/core/sim_protocol.h"
#include "sim_model.h"

namespace lumvexsim {

namespace {

using Profile = lumvex::ModelProfile;

constexpr int kWidth = Profile::kSensorWidth;
constexpr int kHeight = Profile::kSensorHeight;
constexpr int kDepth = Profile::kSampleDepth;
constexpr uint32_t kFullScale = (1u << kDepth) - 1;

// The moving square of the pattern: its size, speed and value.
constexpr int kSquare = kWidth / 20 > 4 ? kWidth / 20 : 4;
constexpr int kSquareStep = 4;
constexpr uint32_t kSquareLevel = kFullScale * 3 / 4;

}  // namespace

bool SimCamera::RenderKey::operator==(const RenderKey& o) const
{
    return window.x == o.window.x && window.y == o.window.y && window.width == o.window.width
        && window.height == o.window.height && wide == o.wide && exposure == o.exposure
        && sceneVersion == o.sceneVersion;
}

SimCamera::SimCamera() : m_scene(size_t{kWidth} * kHeight), m_sceneVersion(0)
{
    Reset();
}

void SimCamera::Reset()
{
    std::memset(m_fpga, 0, sizeof m_fpga);
    std::memset(m_camera, 0, sizeof m_camera);
    std::memset(m_sromId, 0xFF, sizeof m_sromId);
    std::memset(m_sromIdentity, 0xFF, sizeof m_sromIdentity);
    std::memset(m_reply, 0, sizeof m_reply);
    const size_t identity = std::strlen(SimModel::kIdentity);
    std::memcpy(m_sromIdentity, SimModel::kIdentity, identity);
    if (identity) {
        static const uint8_t calibration[4] = {0x3C, 0x5A, 0x81, 0x07};
        std::memcpy(m_sromIdentity + 16, calibration, 4);
    }
    m_armedFrames = 0;
    m_temperatureRaw = 2048;
    m_frameCounter = 0;
    m_initFpgaCount = 0;
    m_rendered = false;
    UsePattern();
}

void SimCamera::UsePattern()
{
    m_pattern = true;
    // A ramp over the sensor, from 1/8 to 5/8 of full scale at the reference
    // exposure: every position has its own value along each diagonal.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            m_scene[size_t(y) * kWidth + x] =
                static_cast<uint16_t>(kFullScale / 8 + (uint64_t{kFullScale} / 2) * (x + 2 * y) / (kWidth + 2 * kHeight));
    ++m_sceneVersion;
}

void SimCamera::LoadScene(const uint16_t* samples)
{
    m_pattern = false;
    for (size_t i = 0; i < m_scene.size(); ++i)
        m_scene[i] = static_cast<uint16_t>(samples[i] & kFullScale);
    ++m_sceneVersion;
}

uint8_t SimCamera::ReadFpga(uint8_t reg) const
{
    if (reg == 26)
        return static_cast<uint8_t>(m_temperatureRaw >> 4);
    if (reg == 27)
        return static_cast<uint8_t>((m_fpga[27] & 0xF0) | (m_temperatureRaw & 0x0F));
    return m_fpga[reg];
}

void SimCamera::Execute(const uint8_t* p)
{
    switch (p[0]) {
    case CMD_START_FRAME:
        if (m_armedFrames < 4)
            ++m_armedFrames;
        break;
    case CMD_WRITE_CAMERA_REGISTER:
        m_camera[p[1]] = static_cast<uint16_t>(p[2] << 8 | p[3]);
        break;
    case CMD_INIT_FPGA:
        ++m_initFpgaCount;
        break;
    case CMD_READ_CAMERA_REGISTER:
        std::memset(m_reply, 0, sizeof m_reply);
        m_reply[0] = static_cast<uint8_t>(m_camera[p[1]] >> 8);
        m_reply[1] = static_cast<uint8_t>(m_camera[p[1]]);
        break;
    case CMD_WRITE_FPGA_REGISTER:
        m_fpga[p[1]] = p[2];
        break;
    case CMD_READ_FPGA_REGISTER:
        std::memset(m_reply, 0, sizeof m_reply);
        m_reply[0] = ReadFpga(p[1]);
        break;
    case CMD_WRITE_SROM:
        if (p[1] == 0x51 && p[2] == 0x03) {
            if (p[3] == kSromAreaId)
                m_sromId[p[4]] = p[5];
            else if (p[3] == kSromAreaIdentity)
                m_sromIdentity[p[4]] = p[5];
        }
        break;
    case CMD_READ_SROM:
        std::memset(m_reply, 0, sizeof m_reply);
        if (p[1] == 0x51 && p[2] == 0x02 && p[3] == 0x01)
            m_reply[0] = p[4] == kSromAreaId ? m_sromId[p[5]] : p[4] == kSromAreaIdentity ? m_sromIdentity[p[5]] : 0xFF;
        break;
    default:  // the transfer length and sample width commands change nothing here:
        break;  // the camera follows its registers
    }
}

bool SimCamera::TriggerMode() const
{
    if (m_fpga[11] != SimModel::kTriggerOnCode)
        return false;
    return !SimModel::kTriggerNeedsRegister20 || (m_fpga[20] & 1);
}

bool SimCamera::WideSamples() const
{
    return m_fpga[14] == SimModel::kWideSampleCode;
}

int SimCamera::Exposure() const
{
    if (SimModel::kExposureShifted) {
        const uint32_t e = ((m_fpga[34] & 3u) * 256 + m_fpga[33]) * 64 + (m_fpga[32] >> 2);
        return static_cast<int>(std::min<uint32_t>(e, 65535));
    }
    return m_fpga[33] << 8 | m_fpga[32];
}

SimCamera::Window SimCamera::CurrentWindow() const
{
    if (SimModel::kWindowUnit == 0)
        return {0, 0, kWidth, kHeight};
    const int u = SimModel::kWindowUnit;
    Window w{m_fpga[16] * u, m_fpga[17] * u, m_fpga[18] * u, (m_fpga[19] + 1) * u};
    w.x = std::min(w.x, kWidth);
    w.y = std::min(w.y, kHeight);
    w.width = std::min(w.width, kWidth - w.x);
    w.height = std::min(w.height, kHeight - w.y);
    return w;
}

uint32_t SimCamera::FrameBytes() const
{
    const uint32_t samples = uint32_t{m_fpga[0]} | uint32_t{m_fpga[1]} << 8 | uint32_t{m_fpga[2]} << 16
                           | uint32_t{m_fpga[3]} << 24;
    return samples * (WideSamples() ? 2 : 1);
}

uint16_t SimCamera::Scaled(uint32_t value) const
{
    const uint64_t v = uint64_t{value} * static_cast<uint32_t>(Exposure()) / SimModel::kReferenceExposure;
    return static_cast<uint16_t>(std::min<uint64_t>(v, kFullScale));
}

void SimCamera::RenderBase()
{
    const RenderKey key{CurrentWindow(), WideSamples(), Exposure(), m_sceneVersion};
    if (m_rendered && key == m_renderedKey)
        return;
    const Window& w = key.window;
    const size_t samples = size_t(w.width) * w.height;
    m_base.assign(samples * (key.wide ? 2 : 1), 0);
    size_t i = 0;
    for (int y = 0; y < w.height; ++y) {
        const uint16_t* row = &m_scene[size_t(w.y + y) * kWidth + w.x];
        for (int x = 0; x < w.width; ++x, ++i) {
            const uint16_t v = m_pattern ? Scaled(row[x]) : row[x];
            if (key.wide)
                std::memcpy(&m_base[2 * i], &v, 2);  // little-endian word, low D bits
            else
                m_base[i] = static_cast<uint8_t>(v >> (kDepth - 8));
        }
    }
    m_renderedKey = key;
    m_rendered = true;
}

uint32_t SimCamera::ProduceFrame(uint8_t* out, uint32_t capacity)
{
    RenderBase();
    if (m_armedFrames > 0)
        --m_armedFrames;
    const uint32_t bytes = std::min(FrameBytes(), capacity);
    const uint32_t image = std::min<uint32_t>(bytes, static_cast<uint32_t>(m_base.size()));
    std::memcpy(out, m_base.data(), image);
    std::memset(out + image, 0, bytes - image);

    if (m_pattern) {
        const Window& w = m_renderedKey.window;
        const bool wide = m_renderedKey.wide;
        const int sampleBytes = wide ? 2 : 1;
        auto put = [&](int x, int y, uint16_t v) {
            const uint32_t at = (uint32_t(y) * w.width + x) * sampleBytes;
            if (at + sampleBytes > image)
                return;
            if (wide)
                std::memcpy(out + at, &v, 2);
            else
                out[at] = static_cast<uint8_t>(v >> (kDepth - 8));
        };
        // The square moves kSquareStep pixels a frame along a third of the
        // sensor's height; sensor coordinates, seen through the window.
        const int travel = kWidth - kSquare;
        const int sx = static_cast<int>((m_frameCounter * kSquareStep) % uint32_t(travel));
        const int sy = kHeight / 3;
        const uint16_t level = Scaled(kSquareLevel);
        for (int y = std::max(sy, w.y); y < std::min(sy + kSquare, w.y + w.height); ++y)
            for (int x = std::max(sx, w.x); x < std::min(sx + kSquare, w.x + w.width); ++x)
                put(x - w.x, y - w.y, level);
        // The frame counter, unscaled, opens every line: a frame mixed from
        // two transfers shows two counters.
        const uint16_t counter = static_cast<uint16_t>(m_frameCounter & kFullScale);
        if (w.width > 0)
            for (int y = 0; y < w.height; ++y)
                put(0, y, counter);
    }
    ++m_frameCounter;
    return bytes;
}

}  // namespace lumvexsim
