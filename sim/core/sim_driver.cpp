#include "sim/core/sim_driver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "sim_model.h"

namespace lumvexsim {

namespace {

// The log keeps this many requests after each clear; enough for any test,
// bounded for a long stream.
constexpr size_t kLogCapacity = 200000;

uint32_t ReadU32(const void* p)
{
    const uint8_t* b = static_cast<const uint8_t*>(p);
    return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

}  // namespace

SimDriver::SimDriver(const char* baseName) : m_baseName(baseName)
{
    m_log.reserve(1024);
    Reset();
}

void SimDriver::Reset()
{
    for (int n = 0; n < kDeviceCount; ++n) {
        Device& d = m_devices[n];
        d.camera.Reset();
        d.plugged = n == 0;
        ++d.generation;
        d.intervalUs = SimModel::kNaturalIntervalUs;
        d.lastFrameUs = 0;
        d.framed = false;
        std::fill(std::begin(d.failNext), std::end(d.failNext), 0);
        std::fill(std::begin(d.shortNext), std::end(d.shortNext), 0u);
        d.stalled = false;
        d.triggers = 0;
        d.framesDelivered = 0;
    }
    m_handles.clear();
    m_parameterValue = 3000;
    m_timeoutOverrideMs = 0;
    m_log.clear();
}

void SimDriver::SetPlugged(int device, bool plugged)
{
    Device& d = m_devices[device];
    if (d.plugged && !plugged)
        ++d.generation;  // handles opened before the unplug stay dead
    if (!d.plugged && plugged)
        d.camera.Reset();  // a camera comes back from power-up
    d.plugged = plugged;
}

uint32_t SimDriver::OpenHandles(int device) const
{
    return static_cast<uint32_t>(std::count_if(m_handles.begin(), m_handles.end(),
                                               [=](const Handle& h) { return h.device == device; }));
}

int SimDriver::DeviceOfPath(const char* path) const
{
    if (!path)
        return -1;
    for (int n = 0; n < kDeviceCount; ++n) {
        char expected[128];
        std::snprintf(expected, sizeof expected, "\\\\.\\%s-%d", m_baseName.c_str(), n);
        if (std::strcmp(path, expected) == 0)
            return n;
    }
    return -1;
}

const SimDriver::Handle* SimDriver::Find(uint32_t id) const
{
    for (const Handle& h : m_handles)
        if (h.id == id)
            return &h;
    return nullptr;
}

bool SimDriver::TakeFault(Device& d, FaultKind kind)
{
    if (d.failNext[kind] <= 0)
        return false;
    --d.failNext[kind];
    return true;
}

uint32_t SimDriver::Shorten(Device& d, FaultKind kind, uint32_t moved)
{
    if (d.shortNext[kind]) {
        moved = std::min(moved, d.shortNext[kind]);
        d.shortNext[kind] = 0;
    }
    return moved;
}

uint32_t SimDriver::Open(const char* path, uint64_t nowUs)
{
    const int device = DeviceOfPath(path);
    uint32_t id = 0;
    if (device >= 0 && m_devices[device].plugged && !TakeFault(m_devices[device], FAULT_OPEN)) {
        id = m_nextHandle++;
        m_handles.push_back({id, device, m_devices[device].generation});
    }
    const Completion c{id ? Completion::DONE : Completion::FAILED, 0, 0};
    Record(nowUs, device, OP_OPEN, 0, 0, 0, c, path, path ? static_cast<uint32_t>(std::strlen(path)) : 0);
    return id;
}

bool SimDriver::Close(uint32_t id, uint64_t nowUs)
{
    auto it = std::find_if(m_handles.begin(), m_handles.end(), [=](const Handle& h) { return h.id == id; });
    const bool known = it != m_handles.end();
    const int device = known ? it->device : -1;
    if (known)
        m_handles.erase(it);
    Record(nowUs, device, OP_CLOSE, 0, 0, 0, Completion{known ? Completion::DONE : Completion::FAILED, 0, 0},
           nullptr, 0);
    return known;
}

Completion SimDriver::Request(uint32_t id, uint32_t code, const void* in, uint32_t inLength, void* out,
                              uint32_t outLength, uint64_t nowUs, bool giveUp)
{
    const Completion failed{Completion::FAILED, 0, 0};
    const Handle* h = Find(id);
    Device* d = h ? &m_devices[h->device] : nullptr;
    const int device = h ? h->device : -1;
    const bool alive = d && d->plugged && h->generation == d->generation;

    if (code == kIoctlParameter) {
        Completion c = failed;
        if (alive && in && inLength >= kParameterSize && ReadU32(in) == 1) {
            m_parameterValue = ReadU32(static_cast<const uint8_t*>(in) + 4);
            c = Completion{Completion::DONE, 0, 0};
        }
        Record(nowUs, device, OP_IOCTL, code, 0, outLength, c, in, in ? std::min<uint32_t>(inLength, 64) : 0);
        return c;
    }

    const bool bulk = code == kIoctlBulkRead || code == kIoctlBulkWrite || code == kIoctlBulkLarge;
    if (!bulk || !in || inLength != 4 || !out) {
        // Not a request this driver knows, or not in its form.
        Record(nowUs, device, OP_IOCTL, code, in && inLength >= 4 ? ReadU32(in) : 0, outLength, failed, nullptr, 0);
        return failed;
    }
    const uint32_t pipe = ReadU32(in);
    Completion c = failed;

    if (!alive) {
        // the handle died with its device, or never had one
    } else if (pipe == kPipeCommand && code != kIoctlBulkLarge) {
        if (!TakeFault(*d, FAULT_COMMAND)) {
            const uint32_t moved = Shorten(*d, FAULT_COMMAND, std::min<uint32_t>(outLength, kPacketSize));
            if (moved == kPacketSize)
                d->camera.Execute(static_cast<const uint8_t*>(out));
            c = Completion{Completion::DONE, moved, 0};
        }
        Record(nowUs, device, OP_IOCTL, code, pipe, outLength, c, out, std::min<uint32_t>(outLength, 64));
        return c;
    } else if (pipe == kPipeReply && code == kIoctlBulkRead) {
        if (!TakeFault(*d, FAULT_REPLY)) {
            const uint32_t moved = Shorten(*d, FAULT_REPLY, std::min<uint32_t>(outLength, kPacketSize));
            std::memcpy(out, d->camera.Reply(), moved);
            c = Completion{Completion::DONE, moved, 0};
        }
        Record(nowUs, device, OP_IOCTL, code, pipe, outLength, c, out, c.moved);
        return c;
    } else if (pipe == kPipeData && code != kIoctlBulkRead) {
        c = FrameRequest(*d, out, outLength, nowUs, giveUp);
        if (c.state == Completion::READY_AT || c.state == Completion::WHEN_TRIGGERED)
            return c;  // recorded when it completes
    }
    Record(nowUs, device, OP_IOCTL, code, pipe, outLength, c, nullptr, 0);
    return c;
}

Completion SimDriver::FrameRequest(Device& d, void* out, uint32_t outLength, uint64_t nowUs, bool giveUp)
{
    const Completion failed{Completion::FAILED, 0, 0};
    // Without a start command, in a stall or waiting for a trigger, the
    // camera sends nothing: the request waits for the driver's time-out.
    const bool waiting = d.stalled || !d.camera.FrameArmed() || (d.camera.TriggerMode() && d.triggers == 0);
    if (waiting) {
        if (giveUp) {
            d.camera.DropArmedFrame();  // the frame the camera was asked for is lost
            return failed;
        }
        return Completion{Completion::WHEN_TRIGGERED, 0, 0};
    }
    if (d.framed && d.intervalUs && nowUs < d.lastFrameUs + d.intervalUs)
        return Completion{Completion::READY_AT, 0, d.lastFrameUs + d.intervalUs};

    if (TakeFault(d, FAULT_FRAME)) {
        d.camera.DropArmedFrame();
        return failed;
    }
    if (d.camera.TriggerMode())
        --d.triggers;
    const uint32_t moved = Shorten(d, FAULT_FRAME, d.camera.ProduceFrame(static_cast<uint8_t*>(out), outLength));
    // Free-running frames keep their own time base, so a late reader does
    // not slow the camera down.
    d.lastFrameUs = d.framed && d.intervalUs && nowUs < d.lastFrameUs + 2 * d.intervalUs ? d.lastFrameUs + d.intervalUs
                                                                                       : nowUs;
    d.framed = true;
    ++d.framesDelivered;
    return Completion{Completion::DONE, moved, 0};
}

void SimDriver::Record(uint64_t nowUs, int device, RequestOp op, uint32_t code, uint32_t pipe, uint32_t length,
                       const Completion& c, const void* data, uint32_t dataLength)
{
    if (m_log.size() >= kLogCapacity)
        return;
    RequestRecord r{};
    r.timeUs = nowUs;
    r.device = device;
    r.op = op;
    r.code = code;
    r.pipe = pipe;
    r.length = length;
    r.moved = c.moved;
    r.ok = c.state == Completion::DONE;
    if (data)
        std::memcpy(r.data, data, std::min<uint32_t>(dataLength, sizeof r.data));
    m_log.push_back(r);
}

}  // namespace lumvexsim
