// The driver channel: device path, bulk requests, command packets and
// replies. Every device-level exchange opens the device path, talks and
// closes it again, so an absent device costs one failed open and nothing
// else. Replies are always read twice; only the second counts.
#include <cstdio>
#include <cstring>

#include "device/driver_seam.h"
#include "device/qvm_sdk_lib.h"

namespace lumvex {

namespace {

enum Pipe { PIPE_COMMAND = 0, PIPE_REPLY = 1, PIPE_DATA = 2 };

// A device path opened for one exchange, closed on every way out.
class Exchange {
public:
    explicit Exchange(CQVMSdkLib& device) : m_device(device)
    {
        m_opened = device.OpenDriver(device.DevicePath(), &m_handle) == 1;
    }
    ~Exchange() { m_device.CloseDriver(&m_handle); }
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

    bool opened() const { return m_opened; }
    HANDLE handle() const { return m_handle; }

private:
    CQVMSdkLib& m_device;
    HANDLE m_handle = nullptr;
    bool m_opened = false;
};

}  // namespace

int CQVMSdkLib::OpenDriver(const char* path, HANDLE* handle)
{
    if (!path || !*path) {
        *handle = nullptr;
        return 0;
    }
    // Any non-zero value counts as opened, the invalid-handle value too:
    // the requests that follow fail on it.
    *handle = driver::Open(path, GENERIC_WRITE, FILE_SHARE_WRITE, OPEN_EXISTING);
    return *handle ? 1 : 0;
}

int CQVMSdkLib::CloseDriver(HANDLE* handle)
{
    if (!*handle)
        return 0;
    if (*handle != INVALID_HANDLE_VALUE)
        driver::Close(*handle);
    *handle = nullptr;
    return 1;
}

int CQVMSdkLib::BulkTransfer(HANDLE handle, int pipe, int length, void* buffer, bool writeForm, DWORD* moved)
{
    *moved = 0;
    if (!buffer)
        return CH_NO_BUFFER;
    if (!handle)
        return CH_NO_HANDLE;
    DWORD pipeNumber = static_cast<DWORD>(pipe);
    const BOOL ok = driver::IoControl(handle, writeForm ? kIoctlBulkWrite : kIoctlBulkRead, &pipeNumber,
                                      sizeof pipeNumber, buffer, static_cast<DWORD>(length), moved);
    return ok == TRUE ? CH_DONE : CH_REFUSED;
}

int CQVMSdkLib::LargeBulkTransfer(HANDLE handle, int pipe, int length, void* buffer, DWORD* moved)
{
    *moved = 0;
    if (!buffer)
        return CH_NO_BUFFER;
    if (!handle)
        return CH_NO_HANDLE;
    DWORD pipeNumber = static_cast<DWORD>(pipe);
    const BOOL ok = driver::IoControl(handle, kIoctlBulkLarge, &pipeNumber, sizeof pipeNumber, buffer,
                                      static_cast<DWORD>(length), moved);
    return ok == TRUE ? CH_DONE : CH_REFUSED;
}

int CQVMSdkLib::SendCommand(HANDLE handle, uint8_t* packet)
{
    if (!handle)
        return CH_NOT_OPENED;
    DWORD moved = 0;
    if (BulkTransfer(handle, PIPE_COMMAND, kPacketSize, packet, true, &moved) != CH_DONE || moved != kPacketSize)
        return CH_BAD_TRANSFER;
    return CH_DONE;
}

int CQVMSdkLib::ReadReply(HANDLE handle, uint8_t* packet)
{
    if (!handle)
        return CH_NOT_OPENED;
    DWORD moved = 0;
    if (BulkTransfer(handle, PIPE_REPLY, kPacketSize, packet, false, &moved) != CH_DONE || moved != kPacketSize)
        return CH_BAD_TRANSFER;
    return CH_DONE;
}

// One exchange: the command, then two replies of which only the second
// counts; the packet holds that reply afterwards. Shared by the register
// reads.
int CQVMSdkLib::Query(uint8_t* packet)
{
    Exchange x(*this);
    if (!x.opened() || SendCommand(x.handle(), packet) != CH_DONE)
        return 0;
    ReadReply(x.handle(), packet);
    return ReadReply(x.handle(), packet) == CH_DONE ? 1 : 0;
}

int CQVMSdkLib::ReadFpgaRegister(uint8_t reg, uint8_t* value)
{
    uint8_t packet[kPacketSize] = {0x26, reg};
    const int result = Query(packet);
    *value = result ? packet[0] : 0;
    return result;
}

int CQVMSdkLib::WriteFpgaRegister(uint8_t reg, uint8_t value)
{
    Exchange x(*this);
    if (!x.opened())
        return 0;
    uint8_t packet[kPacketSize] = {0x25, reg, value};
    return SendCommand(x.handle(), packet) == CH_DONE ? 1 : 0;
}

int CQVMSdkLib::ReadCameraRegister(uint8_t reg, uint16_t* value)
{
    uint8_t packet[kPacketSize] = {0x0C, reg};
    const int result = Query(packet);
    *value = result ? static_cast<uint16_t>(packet[0] * 256 + packet[1]) : 0;
    return result;
}

int CQVMSdkLib::WriteCameraRegister(uint8_t reg, uint16_t value)
{
    Exchange x(*this);
    if (!x.opened())
        return 0;
    uint8_t packet[kPacketSize] = {0x04, reg, static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    return SendCommand(x.handle(), packet) == CH_DONE ? 1 : 0;
}

namespace {

// The serial ROM answers slowly: 6 ms after the read command and after its
// replies.
int ReadSrom(CQVMSdkLib& device, uint8_t area, uint8_t address, uint8_t* value)
{
    Exchange x(device);
    if (!x.opened())
        return 0;
    uint8_t packet[CQVMSdkLib::kPacketSize] = {0x41, 0x51, 0x02, 0x01, area, address};
    device.SendCommand(x.handle(), packet);
    Sleep(6);
    device.ReadReply(x.handle(), packet);
    const int result = device.ReadReply(x.handle(), packet);
    Sleep(6);
    *value = packet[0];
    return result == CH_DONE ? 1 : 0;
}

constexpr uint8_t kSromIdArea = 0x18;
constexpr uint8_t kSromIdentityArea = 0x19;

}  // namespace

int CQVMSdkLib::ReadSromIdByte(uint8_t address, uint8_t* value)
{
    return ReadSrom(*this, kSromIdArea, address, value);
}

int CQVMSdkLib::ReadSromIdentityByte(uint8_t address, uint8_t* value)
{
    return ReadSrom(*this, kSromIdentityArea, address, value);
}

int CQVMSdkLib::WriteSromIdByte(uint8_t address, uint8_t value)
{
    Exchange x(*this);
    if (!x.opened())
        return 0;
    uint8_t packet[kPacketSize] = {0x40, 0x51, 0x03, kSromIdArea, address, value};
    const int result = SendCommand(x.handle(), packet);
    Sleep(10);  // the ROM's write time
    return result == CH_DONE ? 1 : 0;
}

void CQVMSdkLib::SendSampleWidth(uint8_t code)
{
    Exchange x(*this);
    if (!x.opened())
        return;
    uint8_t packet[kPacketSize] = {0x0A, code};
    SendCommand(x.handle(), packet);
}

void CQVMSdkLib::InitFpga()
{
    Exchange x(*this);
    if (!x.opened())
        return;
    uint8_t packet[kPacketSize] = {0x06};
    SendCommand(x.handle(), packet);
}

int CQVMSdkLib::SetTransferLength(uint32_t samples)
{
    Exchange x(*this);
    if (!x.opened())
        return 1;
    uint8_t packet[kPacketSize] = {0x09,
                                   static_cast<uint8_t>(samples),
                                   static_cast<uint8_t>(samples >> 8),
                                   static_cast<uint8_t>(samples >> 16),
                                   static_cast<uint8_t>(samples >> 24)};
    SendCommand(x.handle(), packet);
    return 1;
}

void CQVMSdkLib::SetDriverParameter(int value)
{
    m_driverParameter = value;
    Exchange x(*this);
    if (!x.opened())
        return;
    uint8_t input[44] = {1};
    std::memcpy(input + 4, &value, 4);  // both little-endian on Windows
    DWORD moved = 0;
    driver::IoControl(x.handle(), kIoctlParameter, input, sizeof input, nullptr, 0, &moved);
}

void CQVMSdkLib::SetBaseName(const char* name)
{
    std::snprintf(m_baseName, sizeof m_baseName, "%s", name);
}

int CQVMSdkLib::SelectDevice(int device)
{
    if (device < 0 || device >= kDeviceCount)
        return CH_BAD_DEVICE;
    m_deviceNumber = device;
    std::snprintf(m_devicePath, sizeof m_devicePath, "\\\\.\\%s-%d", m_baseName, device);
    return CH_DONE;
}

void CQVMSdkLib::ProbeDevices()
{
    char path[128];
    for (int n = 0; n < kDeviceCount; ++n) {
        std::snprintf(path, sizeof path, "\\\\.\\%s-%d", m_baseName, n);
        HANDLE handle = nullptr;
        // Only here does the invalid-handle value mean "no device".
        m_present[n] = OpenDriver(path, &handle) == 1 && handle != INVALID_HANDLE_VALUE;
        CloseDriver(&handle);
    }
    // The selection stays as it was: number and path keep naming the same
    // device.
}

}  // namespace lumvex
