#pragma once

#include <cstdint>
#include <vector>

namespace vexlor::datagen {

// Writer firmware images are loaded into writer memory as a whole; file offset = address.
inline constexpr std::size_t kFirmwareImageSize = 0x10800;
inline constexpr std::size_t kBaseFirmwareMarkOffset = 0x39;
inline constexpr std::uint8_t kBaseFirmwareMark = 0xC8;
inline constexpr std::size_t kModelCodeOffset = 0xFA8F;
inline constexpr std::size_t kVersionOffset = 0xFA90;
inline constexpr std::size_t kFamilyWordOffset = 0xFA94;
inline constexpr std::uint8_t kModelKLW20 = 0x5A;

struct FirmwareIdentity {
    std::uint16_t familyWord = 0;
    std::uint16_t version = 0;
};

// A KLW20 image: pseudo-random code bytes (distinct per identity, so a read-back that mixes
// up two images is caught) carrying the identification bytes and the base-firmware mark that
// the attach test looks for, so no image makes a re-attach force a firmware reset.
std::vector<std::uint8_t> MakeFirmwareImage(const FirmwareIdentity& identity);

}  // namespace vexlor::datagen
