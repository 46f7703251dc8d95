#include "FirmwareImage.h"

namespace vexlor::datagen {

std::vector<std::uint8_t> MakeFirmwareImage(const FirmwareIdentity& identity) {
    std::vector<std::uint8_t> image(kFirmwareImageSize);
    // xorshift32; the seed must not be 0, hence the constant.
    std::uint32_t state =
        (std::uint32_t{identity.familyWord} << 16 | identity.version) ^ 0x9E3779B9u;
    for (auto& byte : image) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    image[kBaseFirmwareMarkOffset] = kBaseFirmwareMark;
    image[kModelCodeOffset] = kModelKLW20;
    image[kVersionOffset] = static_cast<std::uint8_t>(identity.version >> 8);
    image[kVersionOffset + 1] = static_cast<std::uint8_t>(identity.version);
    image[kFamilyWordOffset] = static_cast<std::uint8_t>(identity.familyWord >> 8);
    image[kFamilyWordOffset + 1] = static_cast<std::uint8_t>(identity.familyWord);
    return image;
}

}  // namespace vexlor::datagen
