// Functions of the interface these cameras do not support. The setters post
// error 11 (without recording it); the getters answer 0.
#include "api/call_frame.h"
#include "camera/lumvex.h"

using lumvex::CLumvex;
using lumvex::WithCamera;

namespace {

int NotSupported(int handle)
{
    return WithCamera(handle, 0, [](CLumvex& c) {
        c.PostError(LUMVEX_ERROR_NOT_SUPPORTED);
        return 0;
    });
}

int ZeroValue(int handle, int* value)
{
    return WithCamera(handle, 0, [=](CLumvex&) {
        if (value)
            *value = 0;
        return 0;
    });
}

}  // namespace

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_Fps(int handle, int)
{
    return NotSupported(handle);
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetSamplingRate(int handle, int)
{
    return NotSupported(handle);
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetCrossbar(int handle, int, int)
{
    return NotSupported(handle);
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetSamplingRate(int handle, int* value)
{
    return ZeroValue(handle, value);
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetVideoFormat(int handle, int* value)
{
    return ZeroValue(handle, value);
}
