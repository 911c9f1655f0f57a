// The common frame of the exported functions: resolve the handle, then call
// the camera object. An unknown handle (never issued, or released) returns
// the function's failure value and reports nothing: there is no camera
// object to record it in.
#pragma once

#include "api/sdk_chain.h"

namespace lumvex {

template <typename Operation>
int WithCamera(int handle, int failure, Operation&& operation)
{
    CSDKDATA* entry = g_sdkChain.Lookup(handle);
    if (!entry || !entry->camera)
        return failure;
    return operation(*entry->camera);
}

}  // namespace lumvex

// Exported functions: C linkage and calling convention, names undecorated
// through the module definition file.
#define LUMVEX_EXPORT extern "C"
