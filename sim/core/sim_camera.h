// One simulated camera: its FPGA and camera register files, serial ROM,
// scene and frame output. Plain C++ with no operating-system calls: the
// driver core in front of it decides when a frame may be produced.
#pragma once

#include <cstdint>
#include <vector>

namespace lumvexsim {

class SimCamera {
public:
    SimCamera();

    // Back to the state of a camera just plugged in, showing the pattern.
    void Reset();

    // Executes one 64-byte command packet; read commands leave their answer
    // in the reply, which every reply read returns until the next one.
    void Execute(const uint8_t* packet);
    const uint8_t* Reply() const { return m_reply; }

    // Frame output: a 0x02 command arms one frame on the data pipe.
    bool FrameArmed() const { return m_armedFrames > 0; }
    void DropArmedFrame()
    {
        if (m_armedFrames > 0)
            --m_armedFrames;
    }
    bool TriggerMode() const;
    // Bytes one frame request moves: the transfer length L in samples of
    // the width the camera was told.
    uint32_t FrameBytes() const;
    // Writes one frame (at most capacity bytes) and disarms it; returns the
    // bytes written. Each frame advances the frame counter.
    uint32_t ProduceFrame(uint8_t* out, uint32_t capacity);

    // Register files, as the camera holds them.
    uint8_t ReadFpga(uint8_t reg) const;
    void WriteFpga(uint8_t reg, uint8_t value) { m_fpga[reg] = value; }
    uint16_t ReadCameraRegister(uint8_t reg) const { return m_camera[reg]; }
    void WriteCameraRegister(uint8_t reg, uint16_t value) { m_camera[reg] = value; }
    uint8_t& SromId(uint8_t address) { return m_sromId[address]; }
    uint8_t& SromIdentity(uint8_t address) { return m_sromIdentity[address]; }

    // Scene: the built-in pattern (position ramp, a moving square and the
    // frame counter in the first sample of every line) or an image of the
    // full sensor at the sample depth, loaded by a test and sent as it is.
    void UsePattern();
    void LoadScene(const uint16_t* samples);
    void SetTemperatureRaw(int raw) { m_temperatureRaw = raw & 0xFFF; }

    uint32_t FrameCounter() const { return m_frameCounter; }
    uint32_t InitFpgaCount() const { return m_initFpgaCount; }

    struct Window {
        int x, y, width, height;
    };
    Window CurrentWindow() const;
    bool WideSamples() const;
    int Exposure() const;

private:
    void RenderBase();
    uint16_t Scaled(uint32_t value) const;

    uint8_t m_fpga[256];
    uint16_t m_camera[256];
    uint8_t m_sromId[256];
    uint8_t m_sromIdentity[256];
    uint8_t m_reply[64];
    int m_armedFrames;
    int m_temperatureRaw;
    uint32_t m_frameCounter;
    uint32_t m_initFpgaCount;

    bool m_pattern;
    std::vector<uint16_t> m_scene;  // full sensor, sample depth

    // The window as last rendered, at its exposure and sample width: a frame
    // is one copy of it plus the moving parts of the pattern.
    struct RenderKey {
        Window window;
        bool wide;
        int exposure;
        uint32_t sceneVersion;
        bool operator==(const RenderKey& o) const;
    };
    RenderKey m_renderedKey;
    bool m_rendered;
    uint32_t m_sceneVersion;
    std::vector<uint8_t> m_base;
};

}  // namespace lumvexsim
