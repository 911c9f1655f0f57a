// Exports that reach the camera's registers, serial ROM, IO port, mirrors,
// exposure time and capture window.
#include "api/call_frame.h"
#include "camera/lumvex.h"

using lumvex::CLumvex;
using lumvex::WithCamera;

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_ReadRegister(int handle, int reg, int* ok)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.ReadRegister(reg, ok); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_WriteRegister(int handle, int reg, int value)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.WriteRegister(reg, value); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_Fpga_ReadRegister(int handle, int reg, int* ok)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.FpgaReadRegister(reg, ok); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_Fpga_WriteRegister(int handle, int reg, int value)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.FpgaWriteRegister(reg, value); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_ReadSromID(int handle, int index, int* ok)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.ReadSromId(index, ok); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_WriteSromID(int handle, int index, int value)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.WriteSromId(index, value); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetIOPort(int handle, unsigned char* value, int, int)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.GetIOPort(value); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetIOPort(int handle, int value)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.SetIOPort(value); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetHalfClock(int handle, int* ok)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.GetHalfClock(ok); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetMirrorH(int handle, int flag)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.SetMirrorH(flag); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetMirrorH(int handle)
{
    return WithCamera(handle, 0, [](CLumvex& c) { return c.GetMirrorH(); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetMirrorV(int handle, int flag)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.SetMirrorV(flag); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetMirrorV(int handle)
{
    return WithCamera(handle, 0, [](CLumvex& c) { return c.GetMirrorV(); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetCameraInfo(int handle, LUMVEX_CAMERAINFO* info)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.GetCameraInfo(info); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetRealExposureTime(int handle, int* ok)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.GetRealExposureTime(ok); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetRealExposureTime(int handle, int microseconds)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.SetRealExposureTime(microseconds); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetCaptureWindow(int handle, int width, int height)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.SetCaptureWindow(width, height); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetCaptureWindowEx(int handle, int totalWidth, int startX, int width,
                                                        int totalHeight, int startY, int height)
{
    return WithCamera(handle, 0, [=](CLumvex& c) {
        return c.SetCaptureWindowEx(totalWidth, startX, width, totalHeight, startY, height);
    });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetCaptureWindowEx(int handle, int* totalWidth, int* startX, int* width,
                                                        int* totalHeight, int* startY, int* height)
{
    return WithCamera(handle, 0, [=](CLumvex& c) {
        return c.GetCaptureWindowEx(totalWidth, startX, width, totalHeight, startY, height);
    });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_Width(int handle)
{
    return WithCamera(handle, 0, [](CLumvex& c) { return c.Width(); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_Height(int handle)
{
    return WithCamera(handle, 0, [](CLumvex& c) { return c.Height(); });
}
