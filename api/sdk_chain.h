// The library's table of open cameras: handle -> camera object.
#pragma once

#include "sdk_ring.h"

namespace lumvex {

class CLumvex;

struct CSDKDATA {
    int handle;
    CLumvex* camera;  // not owned by the registry
};

class CSdkChain : public CTRing<CSDKDATA> {
public:
    CSdkChain() = default;
    // Unloading the library frees the nodes only; cameras still registered
    // are left as they are (their threads may still be using them).
    ~CSdkChain() { RemoveAll(); }

    // Issues a handle (tick count + the runtime's unseeded rand() + the
    // number of cameras, wrapping) for a newly constructed camera object.
    // 0 when the object or its entry could not be allocated.
    int CreateCamera();
};

// The one registry of the library, constructed while the library loads.
extern CSdkChain g_sdkChain;

}  // namespace lumvex
