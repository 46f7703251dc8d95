#include "sim/SimFirmwareImage.h"

namespace vexlor::sim {

std::vector<std::uint8_t> makeFirmwareImage(std::uint16_t versionWord, std::uint16_t familyWord) {
    std::vector<std::uint8_t> image(kFirmwareImageSize);
    // Varied filler, so that a shifted or truncated copy never compares equal.
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8) + (i >> 16));
    }
    image[kBaseMarkerOffset] = kBaseMarker;
    image[kModelCodeOffset] = 0x5A;
    image[kVersionWordOffset] = static_cast<std::uint8_t>(versionWord >> 8);
    image[kVersionWordOffset + 1] = static_cast<std::uint8_t>(versionWord);
    image[kFamilyWordOffset] = static_cast<std::uint8_t>(familyWord >> 8);
    image[kFamilyWordOffset + 1] = static_cast<std::uint8_t>(familyWord);
    return image;
}

}  // namespace vexlor::sim
