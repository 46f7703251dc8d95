#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vexlor::sim {

inline constexpr std::size_t kFirmwareImageSize = 0x10800;
inline constexpr std::size_t kBaseMarkerOffset = 0x39;
inline constexpr std::uint8_t kBaseMarker = 0xC8;
inline constexpr std::size_t kModelCodeOffset = 0xFA8F;
inline constexpr std::size_t kVersionWordOffset = 0xFA90;
inline constexpr std::size_t kFamilyWordOffset = 0xFA94;

// A writer firmware image: filler code bytes with the identification the program checks, the
// base-firmware marker at 0x39, the model code 0x5A at 0xFA8F, the version word at 0xFA90 and
// the family word at 0xFA94 (both high byte first).
std::vector<std::uint8_t> makeFirmwareImage(std::uint16_t versionWord, std::uint16_t familyWord);

// What a writer leaves the factory with.
inline constexpr std::uint16_t kBaseFirmwareVersion = 0x5B01;
inline std::vector<std::uint8_t> makeBaseFirmwareImage() {
    return makeFirmwareImage(kBaseFirmwareVersion, 0x0000);
}

// A firmware image file for the writer's memory; false with a reason when it cannot be read or
// is not exactly one image long.
bool readFirmwareImage(const std::filesystem::path& path, std::vector<std::uint8_t>& image,
                       std::string& error);

}  // namespace vexlor::sim
