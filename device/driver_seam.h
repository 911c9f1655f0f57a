// The three calls through which the library reaches the camera's kernel
// driver. The production library binds them to the system; the simulated
// variant binds them to the simulated camera. Nothing else differs.
#pragma once

#include <windows.h>

namespace lumvex::driver {

HANDLE Open(const char* path, DWORD access, DWORD share, DWORD creation);
BOOL IoControl(HANDLE device, DWORD code, void* in, DWORD inLength, void* out, DWORD outLength, DWORD* moved);
BOOL Close(HANDLE device);

}  // namespace lumvex::driver
