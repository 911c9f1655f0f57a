// The driver seam bound to the system: the camera's real kernel driver.
#include "device/driver_seam.h"

namespace lumvex::driver {

HANDLE Open(const char* path, DWORD access, DWORD share, DWORD creation)
{
    return CreateFileA(path, access, share, nullptr, creation, 0, nullptr);
}

BOOL IoControl(HANDLE device, DWORD code, void* in, DWORD inLength, void* out, DWORD outLength, DWORD* moved)
{
    return DeviceIoControl(device, code, in, inLength, out, outLength, moved, nullptr);
}

BOOL Close(HANDLE device)
{
    return CloseHandle(device);
}

}  // namespace lumvex::driver
