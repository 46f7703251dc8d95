#include "sim/SimFirmwareImage.h"

#include <fstream>
#include <iterator>

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

bool readFirmwareImage(const std::filesystem::path& path, std::vector<std::uint8_t>& image,
                       std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open firmware image " + path.string();
        return false;
    }
    // Read one byte past an image, so a longer file is seen without reading all of it.
    std::vector<std::uint8_t> bytes(kFirmwareImageSize + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::size_t>(in.gcount()) != kFirmwareImageSize) {
        error = "firmware image " + path.string() + " is not 0x10800 bytes long";
        return false;
    }
    bytes.resize(kFirmwareImageSize);
    image = std::move(bytes);
    return true;
}

}  // namespace vexlor::sim
