// Build constants of the QV640 camera: 640 x 512 sensor, 12-bit samples,
// 64-bit library. The one place the builds differ; everything model-specific
// reads it from here.
#pragma once

#include <cstdint>

#include "device/model_shapes.h"

#define LUMVEX_MODEL_NAME "QV640"
#define LUMVEX_MODEL_CLASS CLumvexQV640Sdk

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

    // Sensor control.
    static constexpr int kWindowUnit = 4;  // registers 16-19 count in this many pixels; 0: not written
    static constexpr LengthOrder kLengthOrder = LengthOrder::Plain;
    static constexpr uint8_t kSampleWidthWide = 5;    // register 14
    static constexpr uint8_t kSampleWidthNarrow = 4;
    static constexpr uint8_t kTriggerOn = 1;          // register 11
    static constexpr bool kTriggerControlBit = true;     // register 20 bit 0 as well
    static constexpr ExposureLayout kExposureLayout = ExposureLayout::Plain;
    static constexpr int kExposureMin = 0;
    static constexpr int kExposureMax = 65500;
    static constexpr int kExposureDefault = 100;
    static constexpr bool kExposureClamped = true;     // values above the maximum are sent as it
    static constexpr int kExposureLineAddition = 33;   // real exposure: line length = width + this
    static constexpr bool kExposureLineIsOne = false;
    static constexpr double kExposureUnit = 0.0001f;       // seconds per line clock
    static constexpr GlobalGainPlace kGlobalGainPlace = GlobalGainPlace::ControlBit;
    static constexpr int kGlobalGainMin = 0;
    static constexpr int kGlobalGainMax = 1;
    static constexpr bool kGlobalGainAtStartUp = true;
    static constexpr bool kCameraRegisters = true;    // colour gains 43-46
    static constexpr int kColorGainMin = 0;
    static constexpr PeltierSupport kPeltier = PeltierSupport::Full;
    static constexpr bool kTemperature = true;
    static constexpr bool kCaptureWindowEx = true;
    static constexpr const char* kIdentity = "QV640-ID";     // SROM identity text checked at start-up
    static constexpr StartUpExtras kStartUpExtras = StartUpExtras::CalibrateAndControl6;

    // Device n's owner record is record (base + n) of the block.
    static constexpr unsigned kOwnerTableBase = 4064;
};

}  // namespace lumvex
