// Library, camera object and error exports.
#include "api/call_frame.h"
#include "camera/lumvex.h"
#include "model_profile.h"

using lumvex::CLumvex;
using lumvex::WithCamera;
using lumvex::g_sdkChain;

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetDllVersion(void)
{
    return lumvex::ModelProfile::kDllVersion;
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_Initialize(HWND notifyWindow)
{
    const int handle = g_sdkChain.CreateCamera();
    if (handle == 0)
        return 0;
    // A failed initialisation still hands out the handle: the host reads
    // the reason from the error history.
    lumvex::CSDKDATA* entry = g_sdkChain.Lookup(handle);
    if (entry && entry->camera)
        entry->camera->Initialize(notifyWindow);
    return handle;
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_Release(int handle)
{
    lumvex::CSDKDATA* entry = g_sdkChain.Lookup(handle);
    if (!entry)
        return 0;
    delete entry->camera;
    entry->camera = nullptr;
    g_sdkChain.Remove(handle);
    return 1;
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetLastError(int handle)
{
    return WithCamera(handle, 0, [](CLumvex& c) { return c.LastError(); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetStatus(int handle, int reserved)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.GetStatus(reserved); });
}
