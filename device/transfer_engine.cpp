// The transfer engine: the single-frame buffer and the ring of four
// transfer buffers, the synchronous single-frame read, and the stream that a
// transfer thread of highest priority fills, one bulk request per frame,
// straight into the ring slots.
//
// The writer never advances into the slot at the read index; the reader
// points the read index at the newest complete slot and moves it on only
// after copying, so a slot is never refilled while it is copied.
#include <cstring>
#include <new>

#include "device/qvm_sdk_lib.h"

namespace lumvex {

namespace {

constexpr int kPipeCommand = 0;
constexpr int kPipeData = 2;
constexpr uint32_t kLengthUnit = 1024;
constexpr DWORD kFrameWaitMs = 6000;

}  // namespace

void CQVMSdkLib::FreeBuffers()
{
    delete[] m_singleFrame;
    m_singleFrame = nullptr;
    if (m_ring) {
        for (int i = 0; i < kRingSize; ++i) {
            if (m_ring[i].memory) {
                GlobalUnlock(m_ring[i].memory);
                GlobalFree(m_ring[i].memory);
            }
        }
        delete[] m_ring;
        m_ring = nullptr;
    }
}

int CQVMSdkLib::LayoutBuffers(int width, int height)
{
    FreeBuffers();
    m_pitch = m_width = width;
    m_lines = height;

    // One frame and at least 1024 samples more, in whole units of 1024.
    const uint32_t samples = static_cast<uint32_t>(width) * static_cast<uint32_t>(height);
    uint32_t length = samples % kLengthUnit == 0 ? samples : (samples / kLengthUnit + 1) * kLengthUnit;
    length += kLengthUnit;
    m_transferLength = static_cast<int>(length);
    const size_t slotBytes = size_t{length} * 2;  // room for 16-bit samples

    m_singleFrame = new (std::nothrow) uint8_t[slotBytes]();
    m_ring = new (std::nothrow) RingSlot[kRingSize]();
    bool complete = m_singleFrame && m_ring;
    for (int i = 0; complete && i < kRingSize; ++i) {
        m_ring[i].memory = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, slotBytes);
        m_ring[i].address = m_ring[i].memory ? static_cast<uint8_t*>(GlobalLock(m_ring[i].memory)) : nullptr;
        if (m_ring[i].address)
            std::memset(m_ring[i].address, 0, slotBytes);
        else
            complete = false;
    }
    SetTransferLength(length);
    return complete ? CH_DONE : CH_OUT_OF_MEMORY;
}

int CQVMSdkLib::FrameRequest(HANDLE handle, void* buffer, DWORD bytes, DWORD* moved)
{
    return m_largeTransfer ? LargeBulkTransfer(handle, kPipeData, static_cast<int>(bytes), buffer, moved)
                           : BulkTransfer(handle, kPipeData, static_cast<int>(bytes), buffer, true, moved);
}

int CQVMSdkLib::ReadSingleFrame()
{
    const DWORD bytes = static_cast<DWORD>(m_transferLength) * (m_wideSamples ? 2 : 1);
    if (!m_frameHandle || m_frameHandle == INVALID_HANDLE_VALUE) {
        if (m_frameHandle == INVALID_HANDLE_VALUE)
            CloseDriver(&m_frameHandle);
        if (OpenDriver(m_devicePath, &m_frameHandle) != 1) {
            m_frameHandle = nullptr;
            return CH_NOT_OPENED;
        }
    }
    uint8_t start[kPacketSize] = {0x02};
    DWORD moved = 0;
    BulkTransfer(m_frameHandle, kPipeCommand, kPacketSize, start, true, &moved);
    if (FrameRequest(m_frameHandle, m_singleFrame, bytes, &moved) != CH_DONE || moved != bytes) {
        CloseDriver(&m_frameHandle);
        return CH_TRANSFER_FAILED;
    }
    return CH_DONE;
}

int CQVMSdkLib::CopySingleFrame(void* destination)
{
    if (!destination)
        return CH_NO_DESTINATION;
    if (m_singleFrame)
        std::memcpy(destination, m_singleFrame, static_cast<size_t>(FrameBytes()));
    return CH_DONE;
}

void CQVMSdkLib::CloseFrameHandle()
{
    CloseDriver(&m_frameHandle);
}

int CQVMSdkLib::StartStream()
{
    if (!m_stream.stop)
        return CH_STREAM_RUNNING;
    StreamState& s = m_stream;
    s.requestBytes = static_cast<DWORD>(m_transferLength) * (m_wideSamples ? 2 : 1);
    s.doneEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    s.frameEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    s.stop = 0;
    s.failed = 0;
    s.status = CH_DONE;
    s.writeIndex = 0;
    s.readIndex = 0;
    s.ringSize = kRingSize;
    s.ring = m_ring;
    s.largeTransfer = m_largeTransfer;
    s.devicePath = m_devicePath;
    s.thread = CreateThread(nullptr, 0, TransferThreadMain, &s, 0, nullptr);
    if (!s.thread || !s.doneEvent || !s.frameEvent) {
        // Nothing streams: leave the engine idle with nothing open.
        if (s.thread) {
            InterlockedExchange(&s.stop, 1);
            WaitForSingleObject(s.thread, INFINITE);
            CloseHandle(s.thread);
        }
        if (s.doneEvent)
            CloseHandle(s.doneEvent);
        if (s.frameEvent)
            CloseHandle(s.frameEvent);
        ResetStream();
        return CH_NOT_OPENED;
    }
    SetThreadPriority(s.thread, THREAD_PRIORITY_HIGHEST);
    return CH_DONE;
}

DWORD WINAPI CQVMSdkLib::TransferThreadMain(void* state)
{
    static_cast<StreamState*>(state)->owner->TransferLoop();
    return 0;
}

void CQVMSdkLib::TransferLoop()
{
    StreamState& s = m_stream;
    HANDLE handle = nullptr;
    if (OpenDriver(s.devicePath, &handle) != 1) {
        s.status = CH_NOT_OPENED;
    } else {
        while (!s.stop && s.status != CH_TRANSFER_FAILED) {
            uint8_t start[kPacketSize] = {0x02};
            DWORD moved = 0;
            BulkTransfer(handle, kPipeCommand, kPacketSize, start, false, &moved);

            const LONG slot = s.writeIndex;
            const int result = s.ring ? (s.largeTransfer ? LargeBulkTransfer(handle, kPipeData, static_cast<int>(s.requestBytes),
                                                                             s.ring[slot].address, &moved)
                                                         : BulkTransfer(handle, kPipeData, static_cast<int>(s.requestBytes),
                                                                        s.ring[slot].address, true, &moved))
                                      : CH_NO_BUFFER;
            if (result != CH_DONE || moved != s.requestBytes)
                s.status = CH_TRANSFER_FAILED;

            // Next slot, never the one the reader holds.
            LONG next = (slot + 1) % s.ringSize;
            if (next == s.readIndex)
                next = (next + 1) % s.ringSize;
            InterlockedExchange(&s.writeIndex, next);
            SetEvent(s.frameEvent);
        }
        CloseDriver(&handle);
    }
    InterlockedExchange(&s.failed, s.status == CH_TRANSFER_FAILED ? 1 : 0);
    InterlockedExchange(&s.stop, 1);
    SetEvent(s.doneEvent);
}

int CQVMSdkLib::WaitFrame()
{
    StreamState& s = m_stream;
    if (s.failed)
        return FRAME_FAILED;
    if (s.stop)
        return FRAME_NO_STREAM;
    const LONG r = s.readIndex;
    LONG w = s.writeIndex;
    if (w < r)
        w += s.ringSize;
    if (w - r < 1) {
        const DWORD waited = WaitForSingleObject(s.frameEvent, kFrameWaitMs);
        return waited == WAIT_OBJECT_0 ? FRAME_AGAIN : FRAME_FAILED;
    }
    LONG newest = w - 1;
    if (newest < 0)
        newest = s.ringSize - 1;
    else if (newest >= s.ringSize)
        newest -= s.ringSize;
    InterlockedExchange(&s.readIndex, newest);
    return FRAME_READY;
}

int CQVMSdkLib::CopyFrame(void* destination)
{
    if (!destination)
        return CH_NO_DESTINATION;
    StreamState& s = m_stream;
    if (s.ring)
        std::memcpy(destination, s.ring[s.readIndex].address, static_cast<size_t>(FrameBytes()));
    InterlockedExchange(&s.readIndex, (s.readIndex + 1) % s.ringSize);
    return CH_DONE;
}

int CQVMSdkLib::StopStream()
{
    StreamState& s = m_stream;
    // An idle engine reports 0. One whose thread ended by itself without a
    // failed transfer (the device could not be opened) reports 0 as well,
    // but its thread handle and events are still released here.
    const bool idle = s.stop && !s.failed;
    if (idle && !s.thread)
        return CH_DONE;
    if (!s.stop) {
        InterlockedExchange(&s.stop, 1);
        WaitForSingleObject(s.doneEvent, INFINITE);
    }
    // The done event is the thread's last action; wait for the thread
    // itself too, so that nothing of it runs after the stop.
    if (s.thread) {
        WaitForSingleObject(s.thread, INFINITE);
        CloseHandle(s.thread);
    }
    if (s.frameEvent)
        CloseHandle(s.frameEvent);
    if (s.doneEvent)
        CloseHandle(s.doneEvent);
    const int status = idle ? CH_DONE : static_cast<int>(s.status);
    ResetStream();
    return status;
}

// Idle: stopped, not failed, nothing open.
void CQVMSdkLib::ResetStream()
{
    m_stream = StreamState{};
    m_stream.stop = 1;
    m_stream.owner = this;
}

}  // namespace lumvex
