// The device object's base: the driver channel (command packets and
// replies), the device-side settings, and the transfer engine that moves
// raw frames into a ring of buffers. The build's model class derives from it
// and adds what differs per model.
//
// Called from the camera object on the host's thread; the transfer thread
// shares only the stream state. No lock: the camera object must not lay out
// buffers (SetWindow) while a stream or a single-frame read uses them.
#pragma once

#include <cstdint>

#include <windows.h>

namespace lumvex {

// Result codes of the channel and the transfer engine.
enum ChannelResult {
    CH_DONE = 0,
    CH_REFUSED = -1,       // the driver refused the request
    CH_NO_BUFFER = -2,
    CH_NO_HANDLE = -3,
    CH_OUT_OF_MEMORY = 7,  // LayoutBuffers
    CH_NOT_OPENED = 10,
    CH_BAD_TRANSFER = 12,  // failed, or another byte count than asked
    CH_NO_DESTINATION = 14,
    CH_TRANSFER_FAILED = 19,
    CH_STREAM_RUNNING = 21,
    CH_BAD_DEVICE = 22,
};

// WaitFrame results.
enum WaitResult { FRAME_NO_STREAM = 0, FRAME_FAILED = 1, FRAME_AGAIN = 2, FRAME_READY = 3 };

class CQVMSdkLib {
public:
    static constexpr int kDeviceCount = 8;
    static constexpr int kRingSize = 4;
    static constexpr int kPacketSize = 64;

    // I/O control codes of the driver (device type 0x22, any access).
    static constexpr DWORD kIoctlBulkRead = 0x0022204E;
    static constexpr DWORD kIoctlBulkWrite = 0x00222051;
    static constexpr DWORD kIoctlBulkLarge = 0x002220A9;
    static constexpr DWORD kIoctlParameter = 0x002220A0;

    CQVMSdkLib();
    virtual ~CQVMSdkLib();
    CQVMSdkLib(const CQVMSdkLib&) = delete;
    CQVMSdkLib& operator=(const CQVMSdkLib&) = delete;

    // Handle level.
    int OpenDriver(const char* path, HANDLE* handle);
    int CloseDriver(HANDLE* handle);
    int BulkTransfer(HANDLE handle, int pipe, int length, void* buffer, bool writeForm, DWORD* moved);
    int LargeBulkTransfer(HANDLE handle, int pipe, int length, void* buffer, DWORD* moved);
    int SendCommand(HANDLE handle, uint8_t* packet);
    int ReadReply(HANDLE handle, uint8_t* packet);

    // Device level: each opens the device path, exchanges and closes.
    int ReadFpgaRegister(uint8_t reg, uint8_t* value);
    int WriteFpgaRegister(uint8_t reg, uint8_t value);
    int ReadCameraRegister(uint8_t reg, uint16_t* value);
    int WriteCameraRegister(uint8_t reg, uint16_t value);
    int ReadSromIdByte(uint8_t address, uint8_t* value);
    int WriteSromIdByte(uint8_t address, uint8_t value);
    int ReadSromIdentityByte(uint8_t address, uint8_t* value);
    void InitFpga();
    int SetTransferLength(uint32_t samples);
    void SetDriverParameter(int value);

    // Devices.
    void ProbeDevices();
    int SelectDevice(int device);
    int GetDeviceNumber() const { return m_deviceNumber; }
    int IsPresent(int device) const { return device >= 0 && device < kDeviceCount && m_present[device]; }
    const char* DevicePath() const { return m_devicePath; }
    void ResetDefaults();

    // Device-side settings.
    virtual int SetSampleWidth(int wide);
    int WideSamples() const { return m_wideSamples; }
    int SetMirrorH(int flag);
    int SetMirrorV(int flag);
    int GetMirrorH() const { return m_mirrorH; }
    int GetMirrorV() const { return m_mirrorV; }
    int GetHalfClock(uint8_t* value);
    int SetHalfClock(int value);
    int TriggerMode() const { return m_triggerMode; }
    int DriverParameter() const { return m_driverParameter; }
    int WindowX() const { return m_windowX; }
    int WindowY() const { return m_windowY; }
    int WindowWidth() const { return m_windowWidth; }
    int WindowHeight() const { return m_windowHeight; }
    int SubSampleMode() const { return m_subSampleMode; }

    // Transfer engine.
    int LayoutBuffers(int width, int height);
    int ReadSingleFrame();
    int CopySingleFrame(void* destination);
    void CloseFrameHandle();
    int StartStream();
    int WaitFrame();
    int CopyFrame(void* destination);
    int StopStream();
    HANDLE TransferThread() const { return m_stream.thread; }
    int TransferLength() const { return m_transferLength; }
    int LargeTransfer() const { return m_largeTransfer; }
    int FrameBytes() const { return m_lines * m_width * (m_wideSamples ? 2 : 1); }
    int RingWriteIndex() const { return m_stream.writeIndex; }
    int RingReadIndex() const { return m_stream.readIndex; }
    int StreamStopped() const { return m_stream.stop; }
    int StreamFailed() const { return m_stream.failed; }

protected:
    // Window validity as every model's SetWindow checks it.
    static bool WindowAccepted(int x, int y, int width, int height, int sub, int sensorWidth, int sensorHeight);
    void StoreWindow(int x, int y, int width, int height, int sub);
    // Steps after the model's registers: settle, remember the length.
    void FinishWindow();

    void SetBaseName(const char* name);
    void SendSampleWidth(uint8_t code);
    void StoreSampleWidth(int wide) { m_wideSamples = wide; }

    int m_triggerMode = 0;
    int m_transferLength = 0;

private:
    struct RingSlot {
        HGLOBAL memory;
        uint8_t* address;
    };
    struct StreamState {
        DWORD requestBytes;
        HANDLE frameEvent;
        HANDLE doneEvent;
        volatile LONG status;
        volatile LONG stop;
        volatile LONG failed;
        int ringSize;
        RingSlot* ring;
        volatile LONG writeIndex;
        volatile LONG readIndex;
        int largeTransfer;
        const char* devicePath;
        HANDLE thread;
        CQVMSdkLib* owner;
    };

    static DWORD WINAPI TransferThreadMain(void* state);
    void TransferLoop();
    void FreeBuffers();
    int Query(uint8_t* packet);
    void ResetStream();
    int FrameRequest(HANDLE handle, void* buffer, DWORD bytes, DWORD* moved);

    // Channel state.
    char m_baseName[64] = {};
    int m_present[kDeviceCount] = {};
    int m_deviceNumber = 0;
    char m_devicePath[128] = {};
    HANDLE m_frameHandle = nullptr;

    // Device-side settings.
    int m_wideSamples = 0;
    int m_windowX = 0, m_windowY = 0, m_windowWidth = 0, m_windowHeight = 0;
    int m_subSampleMode = 0;
    int m_mirrorH = 0, m_mirrorV = 0;
    int m_driverParameter = 3000;

    // Transfer geometry and buffers.
    int m_pitch = 0, m_width = 0, m_lines = 0;
    int m_largeTransfer = 0;
    uint8_t* m_singleFrame = nullptr;
    RingSlot* m_ring = nullptr;

    StreamState m_stream = {};
};

}  // namespace lumvex
