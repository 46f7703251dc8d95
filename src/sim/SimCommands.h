#pragma once

#include <cstdint>

namespace vexlor::sim {

// The writer's one-byte commands as the device sees them.
namespace command {
inline constexpr std::uint8_t kMode = 0x00;
inline constexpr std::uint8_t kControlByte = 0x01;
inline constexpr std::uint8_t kControlWord = 0x03;
inline constexpr std::uint8_t kVersion = 0x04;
inline constexpr std::uint8_t kVoltages = 0x05;
inline constexpr std::uint8_t kSetAddress = 0x0F;
inline constexpr std::uint8_t kWriteMemory = 0x10;
inline constexpr std::uint8_t kReadMemory = 0x11;
inline constexpr std::uint8_t kWriteArea = 0x12;
inline constexpr std::uint8_t kReadArea = 0x13;
inline constexpr std::uint8_t kSelectArea = 0x14;
inline constexpr std::uint8_t kStartJob = 0x15;
inline constexpr std::uint8_t kJobStatus = 0x16;
inline constexpr std::uint8_t kLamp = 0x17;
inline constexpr std::uint8_t kJobData = 0x18;
inline constexpr std::uint8_t kHardwareId = 0xF4;
}  // namespace command

namespace job {
inline constexpr std::uint8_t kAuto = 0x10;
inline constexpr std::uint8_t kBlankCheck = 0x12;
inline constexpr std::uint8_t kProgram = 0x14;
inline constexpr std::uint8_t kVerify = 0x16;
inline constexpr std::uint8_t kHostSequence = 0x30;
inline constexpr std::uint8_t kFirmwareImage = 0x32;
inline constexpr std::uint8_t kRead = 0x34;
}  // namespace job

// Job status byte values (low two bits).
namespace status {
inline constexpr std::uint8_t kBusy = 0;
inline constexpr std::uint8_t kOk = 1;
inline constexpr std::uint8_t kFail = 3;
}  // namespace status

inline constexpr std::uint8_t kOptionArea = 4;
inline constexpr std::uint8_t kDataArea = 8;
inline constexpr std::uint8_t kAreaOpenTag = 0x17;
inline constexpr std::uint8_t kAreaCloseFirst = 0x0C;
inline constexpr std::uint8_t kAreaCloseSecond = 0x07;

// Commands whose data phase flows from the writer to the host.
constexpr bool isInCommand(std::uint8_t code) {
    return code == command::kVersion || code == command::kVoltages ||
           code == command::kReadMemory || code == command::kReadArea ||
           code == command::kJobStatus || code == command::kJobData || code == command::kHardwareId;
}

}  // namespace vexlor::sim
