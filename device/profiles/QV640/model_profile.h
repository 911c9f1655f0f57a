// Build constants of the QV640 camera: 640 x 512 sensor, 12-bit samples,
// 64-bit library. The one place the builds differ; everything model-specific
// reads it from here.
#pragma once

#define LUMVEX_MODEL_NAME "QV640"

namespace lumvex {

struct ModelProfile {
    static constexpr int kSensorWidth = 640;
    static constexpr int kSensorHeight = 512;
    static constexpr int kSampleDepth = 12;
    static constexpr int kWhiteLevel16 = 4095;
    static constexpr int kDllVersion = 0x7F0514;
    static constexpr bool kProcessorProbe = false;

    static constexpr const char* kDriverBaseName = "QvxQV640";
    static constexpr const char* kDeviceNamePrefix = "LumvexQV640";
    static constexpr const char* kRegistryKey = "Software\\Veldra\\LumvexQV640Sdk";
    static constexpr const char* kLibraryFileName = "LumvexSdk_QV640.dll";

    static constexpr unsigned kSharedBlockSize = 0x4C0000;
    // Device n's owner record is record (base + n) of the block.
    static constexpr unsigned kOwnerTableBase = 4064;
};

}  // namespace lumvex
