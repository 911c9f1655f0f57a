// What the tests expect of each camera model, written down independently of
// the library's own profile so that a wrong profile value is caught.
#pragma once

struct ModelExpectations {
    int dllVersion;
    int sensorWidth, sensorHeight;
    int sampleDepth;
    unsigned sharedBlockSize;
    unsigned ownerTableBase;  // device n's owner record is record base + n
    const char* driverBaseName;
    const char* registryKey;
    int defaultExposure;
    int realExposureAtDefault;  // microseconds at full width and the default exposure
};

#if defined(LUMVEX_MODEL_QV640)
constexpr ModelExpectations kModel = {8324372, 640, 512, 12, 0x4C0000, 4064, "QvxQV640", "Software\\Veldra\\LumvexQV640Sdk", 100, 6729};
#elif defined(LUMVEX_MODEL_QV320)
constexpr ModelExpectations kModel = {8258836, 320, 256, 14, 0x460000, 4032, "QvxQV320", "Software\\Veldra\\LumvexQV320Sdk", 100, 3889};
#elif defined(LUMVEX_MODEL_QV128)
constexpr ModelExpectations kModel = {8389908, 128, 128, 14, 0x460000, 4096, "QvxQV128", "Software\\Veldra\\LumvexQV128Sdk", 10000, 2000};
#else
#error "no camera model"
#endif

// Owner records are 152 bytes in 64-bit and 140 bytes in 32-bit programs.
constexpr unsigned kOwnerRecordSize = sizeof(void*) == 8 ? 152 : 140;
constexpr unsigned kOwnerRecordOffset = kModel.ownerTableBase * kOwnerRecordSize;
