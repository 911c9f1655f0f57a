// The in-process host of the simulated camera: binds the driver seam to the
// simulator core, gives it its clock, does the waiting the core asks for
// (frame pacing, triggers, time-outs), and exports the control interface.
// One simulator per process, living as long as the DLL.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include <windows.h>

#include "device/driver_seam.h"
#include "lumvex_sim.h"
#include "model_profile.h"
#include "sim/core/sim_driver.h"

using lumvexsim::Completion;
using lumvexsim::SimDriver;

namespace {

class SimHost {
public:
    SimHost() : m_driver(lumvex::ModelProfile::kDriverBaseName)
    {
        InitializeCriticalSection(&m_lock);
        m_wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        QueryPerformanceFrequency(&m_frequency);
        QueryPerformanceCounter(&m_start);
    }
    ~SimHost()
    {
        CloseHandle(m_wake);
        DeleteCriticalSection(&m_lock);
    }

    uint64_t NowUs() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<uint64_t>(now.QuadPart - m_start.QuadPart) * 1000000u
             / static_cast<uint64_t>(m_frequency.QuadPart);
    }

    // Runs f on the core under the lock.
    template <typename F>
    auto Locked(F&& f)
    {
        EnterCriticalSection(&m_lock);
        auto result = f(m_driver);
        LeaveCriticalSection(&m_lock);
        return result;
    }

    void Wake() { SetEvent(m_wake); }

    // Submits a request until it completes, waiting as the core says.
    Completion Submit(uint32_t id, DWORD code, void* in, DWORD inLength, void* out, DWORD outLength)
    {
        const uint64_t start = NowUs();
        bool giveUp = false;
        for (;;) {
            const Completion c = Locked([&](SimDriver& d) {
                return d.Request(id, code, in, inLength, out, outLength, NowUs(), giveUp);
            });
            if (c.state == Completion::DONE || c.state == Completion::FAILED)
                return c;
            const uint64_t now = NowUs();
            if (c.state == Completion::READY_AT) {
                const uint64_t wait = c.readyAtUs > now ? c.readyAtUs - now : 0;
                Sleep(wait >= 2000 ? static_cast<DWORD>(wait / 1000 - 1) : 0);
                continue;
            }
            const uint64_t deadline = start + uint64_t{Locked([](SimDriver& d) { return d.TimeoutMs(); })} * 1000;
            if (now >= deadline) {
                giveUp = true;
                continue;
            }
            WaitForSingleObject(m_wake, static_cast<DWORD>(std::min<uint64_t>((deadline - now) / 1000 + 1, 5)));
        }
    }

private:
    CRITICAL_SECTION m_lock;
    HANDLE m_wake;
    LARGE_INTEGER m_frequency;
    LARGE_INTEGER m_start;
    SimDriver m_driver;
};

SimHost g_host;

// Simulated handles are small numbers set apart from real handle values.
constexpr uintptr_t kHandleBase = 0x5100000;

HANDLE ToHandle(uint32_t id)
{
    return reinterpret_cast<HANDLE>(kHandleBase + uintptr_t{id} * 4);
}

uint32_t ToId(HANDLE h)
{
    const uintptr_t v = reinterpret_cast<uintptr_t>(h);
    return v > kHandleBase && (v - kHandleBase) % 4 == 0 ? static_cast<uint32_t>((v - kHandleBase) / 4) : 0;
}

bool Valid(int device)
{
    return device >= 0 && device < lumvexsim::kDeviceCount;
}

template <typename F>
void OnDevice(int device, F&& f)
{
    if (Valid(device))
        g_host.Locked([&](SimDriver& d) {
            f(d);
            return 0;
        });
}

}  // namespace

namespace lumvex::driver {

HANDLE Open(const char* path, DWORD, DWORD, DWORD)
{
    const uint32_t id = g_host.Locked([&](SimDriver& d) { return d.Open(path, g_host.NowUs()); });
    if (!id) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return ToHandle(id);
}

BOOL IoControl(HANDLE device, DWORD code, void* in, DWORD inLength, void* out, DWORD outLength, DWORD* moved)
{
    const Completion c = g_host.Submit(ToId(device), code, in, inLength, out, outLength);
    if (moved)
        *moved = c.moved;
    if (c.state != Completion::DONE) {
        SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    return TRUE;
}

BOOL Close(HANDLE device)
{
    return g_host.Locked([&](SimDriver& d) { return d.Close(ToId(device), g_host.NowUs()); }) ? TRUE : FALSE;
}

}  // namespace lumvex::driver

#define SIM_EXPORT extern "C"

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_Reset(void)
{
    g_host.Locked([](SimDriver& d) {
        d.Reset();
        return 0;
    });
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_SetPlugged(int device, int plugged)
{
    OnDevice(device, [&](SimDriver& d) { d.SetPlugged(device, plugged != 0); });
    g_host.Wake();
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_SetFrameInterval(int device, unsigned intervalUs)
{
    OnDevice(device, [&](SimDriver& d) { d.SetFrameInterval(device, intervalUs); });
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_LoadScene(int device, const unsigned short* samples)
{
    if (samples)
        OnDevice(device, [&](SimDriver& d) { d.Camera(device).LoadScene(samples); });
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_UsePattern(int device)
{
    OnDevice(device, [&](SimDriver& d) { d.Camera(device).UsePattern(); });
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_SetTemperatureRaw(int device, int raw)
{
    OnDevice(device, [&](SimDriver& d) { d.Camera(device).SetTemperatureRaw(raw); });
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_SetSromByte(int device, int area, int address, int value)
{
    const uint8_t a = static_cast<uint8_t>(address);
    OnDevice(device, [&](SimDriver& d) {
        (area == lumvexsim::kSromAreaIdentity ? d.Camera(device).SromIdentity(a) : d.Camera(device).SromId(a)) =
            static_cast<uint8_t>(value);
    });
}

SIM_EXPORT int LUMVEX_SIM_CALL LumvexSim_GetSromByte(int device, int area, int address)
{
    if (!Valid(device))
        return -1;
    const uint8_t a = static_cast<uint8_t>(address);
    return g_host.Locked([&](SimDriver& d) {
        return int{area == lumvexsim::kSromAreaIdentity ? d.Camera(device).SromIdentity(a) : d.Camera(device).SromId(a)};
    });
}

SIM_EXPORT int LUMVEX_SIM_CALL LumvexSim_GetFpgaRegister(int device, int reg)
{
    if (!Valid(device))
        return -1;
    return g_host.Locked([&](SimDriver& d) { return int{d.Camera(device).ReadFpga(static_cast<uint8_t>(reg))}; });
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_SetFpgaRegister(int device, int reg, int value)
{
    OnDevice(device, [&](SimDriver& d) {
        d.Camera(device).WriteFpga(static_cast<uint8_t>(reg), static_cast<uint8_t>(value));
    });
}

SIM_EXPORT int LUMVEX_SIM_CALL LumvexSim_GetCameraRegister(int device, int reg)
{
    if (!Valid(device))
        return -1;
    return g_host.Locked(
        [&](SimDriver& d) { return int{d.Camera(device).ReadCameraRegister(static_cast<uint8_t>(reg))}; });
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_SetCameraRegister(int device, int reg, int value)
{
    OnDevice(device, [&](SimDriver& d) {
        d.Camera(device).WriteCameraRegister(static_cast<uint8_t>(reg), static_cast<uint16_t>(value));
    });
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_FireTrigger(int device)
{
    OnDevice(device, [&](SimDriver& d) { d.Trigger(device); });
    g_host.Wake();
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_FailNext(int device, int kind, int count)
{
    if (kind >= 0 && kind < lumvexsim::FAULT_KINDS)
        OnDevice(device, [&](SimDriver& d) { d.FailNext(device, static_cast<lumvexsim::FaultKind>(kind), count); });
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_ShortenNext(int device, int kind, unsigned bytes)
{
    if (kind >= 0 && kind < lumvexsim::FAULT_KINDS)
        OnDevice(device,
                 [&](SimDriver& d) { d.ShortenNext(device, static_cast<lumvexsim::FaultKind>(kind), bytes); });
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_SetStalled(int device, int stalled)
{
    OnDevice(device, [&](SimDriver& d) { d.SetStalled(device, stalled != 0); });
    g_host.Wake();
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_SetTimeout(unsigned milliseconds)
{
    g_host.Locked([&](SimDriver& d) {
        d.SetTimeoutOverride(milliseconds);
        return 0;
    });
    g_host.Wake();
}

SIM_EXPORT unsigned LUMVEX_SIM_CALL LumvexSim_FramesDelivered(int device)
{
    return Valid(device) ? g_host.Locked([&](SimDriver& d) { return d.FramesDelivered(device); }) : 0;
}

SIM_EXPORT unsigned LUMVEX_SIM_CALL LumvexSim_OpenHandles(int device)
{
    return Valid(device) ? g_host.Locked([&](SimDriver& d) { return d.OpenHandles(device); }) : 0;
}

SIM_EXPORT int LUMVEX_SIM_CALL LumvexSim_LogCount(void)
{
    return g_host.Locked([](SimDriver& d) { return static_cast<int>(d.Log().size()); });
}

SIM_EXPORT int LUMVEX_SIM_CALL LumvexSim_GetLogEntry(int index, LUMVEXSIM_REQUEST* entry)
{
    if (!entry)
        return 0;
    return g_host.Locked([&](SimDriver& d) {
        if (index < 0 || static_cast<size_t>(index) >= d.Log().size())
            return 0;
        const lumvexsim::RequestRecord& r = d.Log()[index];
        entry->timeUs = r.timeUs;
        entry->device = r.device;
        entry->op = r.op;
        entry->code = r.code;
        entry->pipe = r.pipe;
        entry->length = r.length;
        entry->moved = r.moved;
        entry->ok = r.ok;
        std::memcpy(entry->data, r.data, sizeof entry->data);
        return 1;
    });
}

SIM_EXPORT void LUMVEX_SIM_CALL LumvexSim_ClearLog(void)
{
    g_host.Locked([](SimDriver& d) {
        d.ClearLog();
        return 0;
    });
}
