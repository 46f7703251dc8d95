#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

#include "core/serial/SerialImage.h"

namespace vexlor {

inline constexpr const char* kSerialBlockFile = "serial.txt";
inline constexpr std::size_t kSerialBlockSize = 256;
using SerialBlock = std::array<std::uint8_t, kSerialBlockSize>;

// Offsets of the run in the serial block; the writer keeps them at the same offsets of its
// option area.
namespace serial_block {
inline constexpr std::size_t kMode = 0x35;
inline constexpr std::size_t kLength = 0x36;
inline constexpr std::size_t kStartAddress = 0x37;
inline constexpr std::size_t kEndAddress = 0x39;
inline constexpr std::size_t kIsp = 0x4C;
inline constexpr std::size_t kEndNumber = 0x60;
inline constexpr std::size_t kCurrentNumber = 0x70;
inline constexpr std::size_t kWriterModel = 0xCF;
}  // namespace serial_block

// What a Load puts into the block.
struct SerialBlockFields {
    bool withData = false;
    std::uint8_t direction = 0;
    std::uint8_t lengthBytes = 0;
    std::uint32_t startAddress = 0;
    // Addresses the number takes in the chip: lengthBytes, or half of it on word-addressed chips.
    std::uint32_t addressSpan = 0;
    bool isp = false;
    SerialImage endImage{};
    SerialImage startImage{};
    bool writerModelKLW20 = true;
};

// Sets exactly the run's bytes; every other byte keeps its value.
void PutSerialFields(SerialBlock& block, const SerialBlockFields& fields);

enum class SerialBlockUpdate {
    Written,
    Missing,      // no readable block of 256 bytes: nothing was touched
    WriteFailed,  // the old block is still in place
};

// Read-modify-write of the block file. The new block replaces the old one in a single rename,
// so a crash or a full disk leaves either the old or the new block, never part of one.
SerialBlockUpdate UpdateSerialBlockFile(const std::filesystem::path& path,
                                        const SerialBlockFields& fields);

}  // namespace vexlor
