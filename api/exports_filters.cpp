// Filter value exports: the two by identifier, and the named getters and
// setters that forward to them with their fixed identifier (the named ones
// look nothing up themselves).
#include "api/call_frame.h"
#include "api/filter_exports.h"
#include "camera/lumvex.h"

using lumvex::CLumvex;
using lumvex::WithCamera;

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_SetFilterValue(int handle, int id, int value)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.SetFilterValue(id, value); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_GetFilterValue(int handle, int id, int* ok)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.GetFilterValue(id, ok); });
}

LUMVEX_EXPORT int LUMVEX_CALL Lumvex_UpdateMaskData(int handle, int which)
{
    return WithCamera(handle, 0, [=](CLumvex& c) { return c.UpdateReference(which); });
}

#define LUMVEX_FILTER_GETTER(name, id)                               \
    LUMVEX_EXPORT int LUMVEX_CALL Lumvex_Get##name(int handle, int* ok) \
    {                                                                \
        return Lumvex_GetFilterValue(handle, id, ok);                \
    }
#define LUMVEX_FILTER_SETTER(name, id)                                 \
    LUMVEX_EXPORT int LUMVEX_CALL Lumvex_Set##name(int handle, int value) \
    {                                                                  \
        return Lumvex_SetFilterValue(handle, id, value);               \
    }

LUMVEX_FILTER_SETTABLE(LUMVEX_FILTER_GETTER)
LUMVEX_FILTER_SETTABLE(LUMVEX_FILTER_SETTER)
LUMVEX_FILTER_READ_ONLY(LUMVEX_FILTER_GETTER)
