#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/writer/UsbBus.h"

namespace vexlor {

inline constexpr int kInvalidPipe = -1;
// Room for a device path and its pipe suffix, terminator included; longer paths are not found.
inline constexpr std::size_t kDeviceNameCapacity = 260;
inline constexpr std::size_t kVersionTextSize = 26;
inline constexpr std::size_t kOptionHeaderSize = 512;

// The writer connection of one running program: transport in use, handles, flags and the values
// the writer operations keep between commands. Owned by the application context.
struct WriterLink {
    WriterLink() = default;
    WriterLink(const WriterLink&) = delete;
    WriterLink& operator=(const WriterLink&) = delete;
    // Closes pipes still open, so a forgotten close leaks no descriptors.
    ~WriterLink();

    bool useAccessLibrary = false;
    bool useLibusb = false;
    std::unique_ptr<UsbDevice> libusbHandle;
    int readPipe = kInvalidPipe;   // PIPE00, host reads
    int writePipe = kInvalidPipe;  // PIPE01, host writes
    bool writerConnected = false;
    bool showTransferProgress = false;
    std::string deviceName;  // never longer than kDeviceNameCapacity - 1
    std::array<std::uint8_t, kVersionTextSize> hwVersionText{};
    std::string hwVersionName;
    bool knownWriterVersion = false;

    std::uint16_t writerFirmwareVersion = 0;
    std::uint16_t familyWord = 0;
    bool familyFirmwareLoaded = false;
    bool firmwareWriteFailed = false;
    bool busy = false;  // the main window ignores mouse presses while set
    std::array<std::uint8_t, kOptionHeaderSize> optionHeader{};
};

// The version bytes as text, ending at the first zero byte.
std::string VersionString(const std::array<std::uint8_t, kVersionTextSize>& bytes);

}  // namespace vexlor
