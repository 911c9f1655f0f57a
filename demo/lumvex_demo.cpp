// A host application of the SDK: opens the camera of this build's model,
// reports what the library says about it, sets a capture window and an
// exposure time, and closes it again.
#include <cstdio>

#include "lumvex_sdk.h"

namespace {

void ReportErrors(int camera)
{
    for (int code; (code = Lumvex_GetLastError(camera)) != 0;)
        std::printf("  reported error %d\n", code);
}

}  // namespace

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
    ReportErrors(camera);

    LUMVEX_CAMERAINFO info{};
    info.size = sizeof info;
    if (Lumvex_GetCameraInfo(camera, &info)) {
        std::printf("sensor %d x %d, exposure %d..%d line clocks, global gain %d..%d\n", info.sensorWidth,
                    info.sensorHeight, info.exposureMin, info.exposureMax, info.globalGainMin, info.globalGainMax);
    }
    int ok = 0;
    const int sampleWidth = Lumvex_Fpga_ReadRegister(camera, 14, &ok);
    if (ok)
        std::printf("sample width register: %d\n", sampleWidth);
    std::printf("exposure time: %d us\n", Lumvex_GetRealExposureTime(camera, nullptr));

    const int width = info.sensorWidth / 2, height = info.sensorHeight / 2;
    if (Lumvex_SetCaptureWindowEx(camera, info.sensorWidth, 0, width, info.sensorHeight, 0, height))
        std::printf("capture window now %d x %d\n", Lumvex_Width(camera), Lumvex_Height(camera));
    if (Lumvex_SetRealExposureTime(camera, 5000))
        std::printf("exposure time now: %d us\n", Lumvex_GetRealExposureTime(camera, nullptr));
    ReportErrors(camera);

    std::printf("release: %d\n", Lumvex_Release(camera));
    return 0;
}
