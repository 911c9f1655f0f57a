// Build constants of the QV320 camera: 320 x 256 sensor, 14-bit samples,
// 32-bit library. The one place the builds differ; everything model-specific
// reads it from here.
#pragma once

#define LUMVEX_MODEL_NAME "QV320"

namespace lumvex {

struct ModelProfile {
    static constexpr int kSensorWidth = 320;
    static constexpr int kSensorHeight = 256;
    static constexpr int kSampleDepth = 14;
    static constexpr int kWhiteLevel16 = 16383;
    static constexpr int kDllVersion = 0x7E0514;
    static constexpr bool kProcessorProbe = true;

    static constexpr const char* kDriverBaseName = "QvxQV320";
    static constexpr const char* kDeviceNamePrefix = "LumvexQV320";
    static constexpr const char* kRegistryKey = "Software\\Veldra\\LumvexQV320Sdk";
    static constexpr const char* kLibraryFileName = "LumvexSdk_QV320.dll";

    static constexpr unsigned kSharedBlockSize = 0x460000;
    // Device n's owner record is record (base + n) of the block.
    static constexpr unsigned kOwnerTableBase = 4032;
};

}  // namespace lumvex
