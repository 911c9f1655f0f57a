// What the simulated camera and its driver understand: the device I/O
// control codes, pipes and command codes of the camera's USB driver.
#pragma once

#include <cstdint>

namespace lumvexsim {

constexpr uint32_t kIoctlBulkRead = 0x0022204E;   // bulk request, read form
constexpr uint32_t kIoctlBulkWrite = 0x00222051;  // bulk request, write form
constexpr uint32_t kIoctlBulkLarge = 0x002220A9;  // large bulk request
constexpr uint32_t kIoctlParameter = 0x002220A0;  // driver parameter request

constexpr uint32_t kPipeCommand = 0;
constexpr uint32_t kPipeReply = 1;
constexpr uint32_t kPipeData = 2;

constexpr int kPacketSize = 64;
constexpr int kParameterSize = 44;
constexpr int kDeviceCount = 8;

enum Command : uint8_t {
    CMD_START_FRAME = 0x02,
    CMD_WRITE_CAMERA_REGISTER = 0x04,
    CMD_INIT_FPGA = 0x06,
    CMD_SET_TRANSFER_LENGTH = 0x09,
    CMD_SET_SAMPLE_WIDTH = 0x0A,
    CMD_READ_CAMERA_REGISTER = 0x0C,
    CMD_WRITE_FPGA_REGISTER = 0x25,
    CMD_READ_FPGA_REGISTER = 0x26,
    CMD_WRITE_SROM = 0x40,
    CMD_READ_SROM = 0x41,
};

constexpr uint8_t kSromAreaId = 0x18;
constexpr uint8_t kSromAreaIdentity = 0x19;

}  // namespace lumvexsim
