// The ways the camera models differ in their register use; each model's
// profile picks one of each.
#pragma once

namespace lumvex {

// Order of the transfer-length registers 0-3: plain 0, 1, 2, 3; or 0 = 255,
// then 1, 2, 3, then 0 = the low byte; and then register 6 strobed 16, 0.
enum class LengthOrder { Plain, LowLast, LowLastStrobe6 };
// Exposure in registers 32/33 as it is, or as 32 = E x 4, 33 = E >> 6,
// 34 = E >> 14.
enum class ExposureLayout { Plain, Shifted };
// Global gain in register 20 bit 1, or read from register 24.
enum class GlobalGainPlace { ControlBit, Register24 };
// The cooler: settable, only written before acquisition, or absent.
enum class PeltierSupport { Full, WrittenOnly, None };
// Start-up steps after the common ones.
enum class StartUpExtras { CalibrateAndControl6, ClearReg23ReadBack, None };

}  // namespace lumvex
