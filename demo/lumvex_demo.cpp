// Opens the camera of this build's model, reports what the library says
// about it, and closes it again.
#include <cstdio>

#include "lumvex_sdk.h"

int main()
{
    const int version = Lumvex_GetDllVersion();
    std::printf("library version %d.%d (0x%06X)\n", version >> 16, version & 0xFFFF, version);

    const int camera = Lumvex_Initialize(nullptr);
    if (camera == 0) {
        std::printf("no camera object could be made\n");
        return 1;
    }
    std::printf("camera handle %d\n", camera);

    int errors = 0;
    for (int code; (code = Lumvex_GetLastError(camera)) != 0; ++errors)
        std::printf("reported error %d\n", code);
    if (errors == 0)
        std::printf("no error reported\n");

    std::printf("release: %d\n", Lumvex_Release(camera));
    return 0;
}
