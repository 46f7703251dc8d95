#pragma once

#include <cstdint>

// The writer's command set, shared by the host side and the simulated writer.
namespace vexlor {

// Command codes of the writer.
namespace cmd {
inline constexpr std::uint8_t kMode = 0x00;
inline constexpr std::uint8_t kControlByte = 0x01;
inline constexpr std::uint8_t kControlWord = 0x03;
inline constexpr std::uint8_t kVersion = 0x04;
inline constexpr std::uint8_t kVoltage = 0x05;
inline constexpr std::uint8_t kSetAddress = 0x0F;
inline constexpr std::uint8_t kWriteMemory = 0x10;
inline constexpr std::uint8_t kReadMemory = 0x11;
inline constexpr std::uint8_t kWriteArea = 0x12;
inline constexpr std::uint8_t kReadArea = 0x13;
inline constexpr std::uint8_t kOpenArea = 0x14;
inline constexpr std::uint8_t kStartJob = 0x15;
inline constexpr std::uint8_t kJobStatus = 0x16;
inline constexpr std::uint8_t kLamp = 0x17;
inline constexpr std::uint8_t kJobData = 0x18;
// Reached through the access library only.
inline constexpr std::uint8_t kHardwareId = 0xF4;
}  // namespace cmd

// Job codes (payload of kStartJob).
namespace job {
inline constexpr std::uint8_t kAuto = 0x10;
inline constexpr std::uint8_t kBlankCheck = 0x12;
inline constexpr std::uint8_t kProgram = 0x14;
inline constexpr std::uint8_t kVerify = 0x16;
inline constexpr std::uint8_t kHostSequence = 0x30;
inline constexpr std::uint8_t kFirmwareImage = 0x32;
inline constexpr std::uint8_t kRead = 0x34;
}  // namespace job

inline constexpr std::uint8_t kModeTransfer = 0x47;
inline constexpr std::uint8_t kModeDone = 0x07;
inline constexpr std::uint8_t kModeAddressed = 0x00;
inline constexpr std::uint8_t kModeAttached = 0x80;
inline constexpr std::uint8_t kLampBusy = 0x10;
inline constexpr std::uint8_t kLampIdle = 0x90;
inline constexpr std::uint8_t kOptionArea = 4;
inline constexpr std::uint8_t kDataArea = 8;
// Payloads of kOpenArea: (area, kAreaOpenTag) opens, (kAreaCloseFirst, kAreaCloseSecond) closes.
inline constexpr std::uint8_t kAreaOpenTag = 0x17;
inline constexpr std::uint8_t kAreaCloseFirst = 0x0C;
inline constexpr std::uint8_t kAreaCloseSecond = 0x07;

}  // namespace vexlor
