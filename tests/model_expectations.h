// What the tests expect of each camera model, written down independently of
// the library's own profile so that a wrong profile value is caught.
#pragma once

struct ModelExpectations {
    int dllVersion;
    int sensorWidth, sensorHeight;
    int sampleDepth;
    unsigned sharedBlockSize;
    unsigned ownerRecordOffset;  // byte offset of device 0's owner record
};

#if defined(LUMVEX_MODEL_QV640)
constexpr ModelExpectations kModel = {8324372, 640, 512, 12, 0x4C0000, 617728};
#elif defined(LUMVEX_MODEL_QV320)
constexpr ModelExpectations kModel = {8258836, 320, 256, 14, 0x460000, 564480};
#elif defined(LUMVEX_MODEL_QV128)
constexpr ModelExpectations kModel = {8389908, 128, 128, 14, 0x460000, 573440};
#else
#error "no camera model"
#endif
