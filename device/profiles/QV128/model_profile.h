// Build constants of the QV128 camera: 128 x 128 sensor, 14-bit samples,
// 32-bit library. The one place the builds differ; everything model-specific
// reads it from here.
#pragma once

#include <cstdint>

#include "device/model_shapes.h"

#define LUMVEX_MODEL_NAME "QV128"
#define LUMVEX_MODEL_CLASS CLumvexQV128Sdk

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

    // Sensor control.
    static constexpr int kWindowUnit = 0;  // registers 16-19 count in this many pixels; 0: not written
    static constexpr LengthOrder kLengthOrder = LengthOrder::LowLastStrobe6;
    static constexpr uint8_t kSampleWidthWide = 9;    // register 14
    static constexpr uint8_t kSampleWidthNarrow = 8;
    static constexpr uint8_t kTriggerOn = 5;          // register 11
    static constexpr bool kTriggerControlBit = false;     // register 20 bit 0 as well
    static constexpr ExposureLayout kExposureLayout = ExposureLayout::Shifted;
    static constexpr int kExposureMin = 5;
    static constexpr int kExposureMax = 65535;
    static constexpr int kExposureDefault = 10000;
    static constexpr bool kExposureClamped = false;     // values above the maximum are sent as it
    static constexpr int kExposureLineAddition = 0;   // real exposure: line length = width + this
    static constexpr bool kExposureLineIsOne = true;
    static constexpr double kExposureUnit = 0.0002;       // seconds per line clock
    static constexpr GlobalGainPlace kGlobalGainPlace = GlobalGainPlace::Register24;
    static constexpr int kGlobalGainMin = 0;
    static constexpr int kGlobalGainMax = 255;
    static constexpr bool kGlobalGainAtStartUp = false;
    static constexpr bool kCameraRegisters = false;    // colour gains 43-46
    static constexpr int kColorGainMin = 0;
    static constexpr PeltierSupport kPeltier = PeltierSupport::None;
    static constexpr bool kTemperature = false;
    static constexpr bool kCaptureWindowEx = false;
    static constexpr const char* kIdentity = "";     // SROM identity text checked at start-up (none)
    static constexpr StartUpExtras kStartUpExtras = StartUpExtras::None;

    // Device n's owner record is record (base + n) of the block.
    static constexpr unsigned kOwnerTableBase = 4096;
};

}  // namespace lumvex
