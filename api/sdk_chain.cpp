#include "sdk_chain.h"

#include <cstdlib>
#include <new>

#include <windows.h>

#include "camera/lumvex.h"

namespace lumvex {

CSdkChain g_sdkChain;

int CSdkChain::CreateCamera()
{
    const unsigned handle = static_cast<unsigned>(GetTickCount())
                          + static_cast<unsigned>(std::rand())
                          + static_cast<unsigned>(count);

    CLumvex* camera = new (std::nothrow) CLumvex;
    if (!camera)
        return 0;

    const int before = count;
    Add(CSDKDATA{static_cast<int>(handle), camera});
    if (count == before) {  // no node for the entry: nothing registered
        delete camera;
        return 0;
    }
    return static_cast<int>(handle);
}

}  // namespace lumvex
