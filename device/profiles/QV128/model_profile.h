// Build constants of the QV128 camera: 128 x 128 sensor, 14-bit samples,
// 32-bit library. The one place the builds differ; everything model-specific
// reads it from here.
#pragma once

#define LUMVEX_MODEL_NAME "QV128"

namespace lumvex {

struct ModelProfile {
    static constexpr int kSensorWidth = 128;
    static constexpr int kSensorHeight = 128;
    static constexpr int kSampleDepth = 14;
    static constexpr int kWhiteLevel16 = 16383;
    static constexpr int kDllVersion = 0x800514;
    static constexpr bool kProcessorProbe = true;

    static constexpr const char* kDriverBaseName = "QvxQV128";
    static constexpr const char* kDeviceNamePrefix = "LumvexQV128";
    static constexpr const char* kRegistryKey = "Software\\Veldra\\LumvexQV128Sdk";
    static constexpr const char* kLibraryFileName = "LumvexSdk_QV128.dll";

    static constexpr unsigned kSharedBlockSize = 0x460000;
    // Device n's owner record is record (base + n) of the block.
    static constexpr unsigned kOwnerTableBase = 4096;
};

}  // namespace lumvex
