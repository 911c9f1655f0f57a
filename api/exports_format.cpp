// Capture format, timing and camera setting exports that need no device.
#include "api/call_frame.h"
#include "camera/lumvex.h"

using lumvex::CLumvex;
using lumvex::WithCamera;

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetColorMode(int handle, int bitsPerPixel)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.SetColorMode(bitsPerPixel); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetColorMode(int handle)
{
    return WithCamera(handle, -1, [](CLumvex& c) { return c.GetColorMode(); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetSubSample(int handle, int mode)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.SetSubSample(mode); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetSubSample(int handle)
{
    return WithCamera(handle, -1, [](CLumvex& c) { return c.GetSubSample(); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetWaitTime(int handle, int milliseconds)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.SetWaitTime(milliseconds); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetWaitTime(int handle)
{
    return WithCamera(handle, -1, [](CLumvex& c) { return c.GetWaitTime(); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetHalfClock(int handle, int value)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.SetHalfClock(value); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetAutoIris(int handle, int mode)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.SetAutoIris(mode); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetAutoIris(int handle, int* ok)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.GetAutoIris(ok); });
}
