// The simulated kernel driver: device paths, handles and device I/O control
// requests in front of up to eight simulated cameras, with fault injection
// and a log of every request.
//
// Plain C++ with no operating-system calls and no waiting: time comes in as
// an argument, and a request that cannot be answered yet says when it can
// ("ready at T", or "when triggered"); the host waits and submits it again.
// Not thread-safe: the host serialises calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/core/sim_camera.h"
#include "sim/core/sim_protocol.h"

namespace lumvexsim {

enum FaultKind { FAULT_OPEN = 0, FAULT_COMMAND = 1, FAULT_REPLY = 2, FAULT_FRAME = 3, FAULT_KINDS = 4 };

enum RequestOp { OP_OPEN = 0, OP_IOCTL = 1, OP_CLOSE = 2 };

struct RequestRecord {
    uint64_t timeUs;
    int32_t device;   // -1: no device behind the path or handle
    int32_t op;       // RequestOp
    uint32_t code;    // I/O control code
    uint32_t pipe;
    uint32_t length;  // output buffer length
    uint32_t moved;   // bytes the driver reported
    int32_t ok;
    uint8_t data[64];  // command packet, reply or parameter input
};

struct Completion {
    enum State { DONE, FAILED, READY_AT, WHEN_TRIGGERED };
    State state;
    uint32_t moved;
    uint64_t readyAtUs;  // READY_AT
};

class SimDriver {
public:
    explicit SimDriver(const char* baseName);

    // Device 0 plugged and free-running at its natural rate; nothing else.
    void Reset();

    // 0 when no plugged device is behind the path (the host turns that into
    // the invalid-handle value).
    uint32_t Open(const char* path, uint64_t nowUs);
    bool Close(uint32_t handle, uint64_t nowUs);
    // One device I/O control request. giveUp: the host has waited the
    // driver's time-out for a pending request, which then fails.
    Completion Request(uint32_t handle, uint32_t code, const void* in, uint32_t inLength, void* out,
                       uint32_t outLength, uint64_t nowUs, bool giveUp);

    // How long a frame request may wait for a trigger or a stalled camera.
    uint32_t TimeoutMs() const { return m_timeoutOverrideMs ? m_timeoutOverrideMs : m_parameterValue; }

    // Control.
    bool ValidDevice(int device) const { return device >= 0 && device < kDeviceCount; }
    SimCamera& Camera(int device) { return m_devices[device].camera; }
    void SetPlugged(int device, bool plugged);
    bool Plugged(int device) const { return m_devices[device].plugged; }
    void SetFrameInterval(int device, uint32_t intervalUs) { m_devices[device].intervalUs = intervalUs; }
    void FailNext(int device, FaultKind kind, int count) { m_devices[device].failNext[kind] = count; }
    // The next request of the kind completes with only this many bytes.
    void ShortenNext(int device, FaultKind kind, uint32_t bytes) { m_devices[device].shortNext[kind] = bytes; }
    void SetStalled(int device, bool stalled) { m_devices[device].stalled = stalled; }
    void Trigger(int device) { ++m_devices[device].triggers; }
    void SetTimeoutOverride(uint32_t ms) { m_timeoutOverrideMs = ms; }
    uint32_t FramesDelivered(int device) const { return m_devices[device].framesDelivered; }
    uint32_t OpenHandles(int device) const;

    const std::vector<RequestRecord>& Log() const { return m_log; }
    void ClearLog() { m_log.clear(); }

private:
    struct Device {
        SimCamera camera;
        bool plugged = false;
        uint32_t generation = 0;  // bumped at every unplug: old handles die
        uint32_t intervalUs = 0;
        uint64_t lastFrameUs = 0;
        bool framed = false;
        int failNext[FAULT_KINDS] = {};
        uint32_t shortNext[FAULT_KINDS] = {};
        bool stalled = false;
        uint32_t triggers = 0;
        uint32_t framesDelivered = 0;
    };
    struct Handle {
        uint32_t id;
        int device;
        uint32_t generation;
    };

    int DeviceOfPath(const char* path) const;
    const Handle* Find(uint32_t id) const;
    bool TakeFault(Device& d, FaultKind kind);
    static uint32_t Shorten(Device& d, FaultKind kind, uint32_t moved);
    Completion FrameRequest(Device& d, void* out, uint32_t outLength, uint64_t nowUs, bool giveUp);
    void Record(uint64_t nowUs, int device, RequestOp op, uint32_t code, uint32_t pipe, uint32_t length,
                const Completion& c, const void* data, uint32_t dataLength);

    std::string m_baseName;
    Device m_devices[kDeviceCount];
    std::vector<Handle> m_handles;
    uint32_t m_nextHandle = 1;
    uint32_t m_parameterValue = 3000;
    uint32_t m_timeoutOverrideMs = 0;
    std::vector<RequestRecord> m_log;
};

}  // namespace lumvexsim
