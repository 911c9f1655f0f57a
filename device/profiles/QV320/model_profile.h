// Build constants of the QV320 camera: 320 x 256 sensor, 14-bit samples,
// 32-bit library. The one place the builds differ; everything model-specific
// reads it from here.
#pragma once

#include <cstdint>

#include "device/model_shapes.h"

#define LUMVEX_MODEL_NAME "QV320"
#define LUMVEX_MODEL_CLASS CLumvexQV320Sdk

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

    // Sensor control.
    static constexpr int kWindowUnit = 2;  // registers 16-19 count in this many pixels; 0: not written
    static constexpr LengthOrder kLengthOrder = LengthOrder::LowLast;
    static constexpr uint8_t kSampleWidthWide = 9;    // register 14
    static constexpr uint8_t kSampleWidthNarrow = 8;
    static constexpr uint8_t kTriggerOn = 1;          // register 11
    static constexpr bool kTriggerControlBit = true;     // register 20 bit 0 as well
    static constexpr ExposureLayout kExposureLayout = ExposureLayout::Plain;
    static constexpr int kExposureMin = 1;
    static constexpr int kExposureMax = 32767;
    static constexpr int kExposureDefault = 100;
    static constexpr bool kExposureClamped = true;     // values above the maximum are sent as it
    static constexpr int kExposureLineAddition = 69;   // real exposure: line length = width + this
    static constexpr bool kExposureLineIsOne = false;
    static constexpr double kExposureUnit = 0.0001f;       // seconds per line clock
    static constexpr GlobalGainPlace kGlobalGainPlace = GlobalGainPlace::ControlBit;
    static constexpr int kGlobalGainMin = 1;
    static constexpr int kGlobalGainMax = 1;
    static constexpr bool kGlobalGainAtStartUp = true;
    static constexpr bool kCameraRegisters = true;    // colour gains 43-46
    static constexpr int kColorGainMin = 0;
    static constexpr PeltierSupport kPeltier = PeltierSupport::WrittenOnly;
    static constexpr bool kTemperature = false;
    static constexpr bool kCaptureWindowEx = true;
    static constexpr const char* kIdentity = "";     // SROM identity text checked at start-up (none)
    static constexpr StartUpExtras kStartUpExtras = StartUpExtras::ClearReg23ReadBack;

    // Device n's owner record is record (base + n) of the block.
    static constexpr unsigned kOwnerTableBase = 4032;
};

}  // namespace lumvex
