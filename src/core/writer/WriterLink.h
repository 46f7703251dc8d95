#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vexlor {

inline constexpr std::size_t kVersionTextSize = 26;
inline constexpr std::size_t kOptionHeaderSize = 512;

// The values one running program keeps about its writer between commands: whether it is
// connected, what it reported, and what the writer operations left in it. The way to the
// writer is the connection's. Owned by the application context.
struct WriterLink {
    bool writerConnected = false;
    bool showTransferProgress = false;
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
