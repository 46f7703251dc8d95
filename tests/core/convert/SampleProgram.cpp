#include "SampleProgram.h"

#include <algorithm>
#include <fstream>

#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The committed sample, copied into directory: converters write their image files beside the
// program file, and those must not land in the source tree.
std::filesystem::path copySample(const std::filesystem::path& directory, const char* name) {
    const auto copy = directory / name;
    std::filesystem::copy_file(testDataDir() / "convert" / name, copy,
                               std::filesystem::copy_options::overwrite_existing);
    return copy;
}

// Words that differ within themselves from offset 0x20 on, where no chip keeps its ID or
// configuration, so that a byte-order mistake shows.
std::filesystem::path writeImage(const std::filesystem::path& directory, Bytes image) {
    for (std::size_t i = 0x20; i < 0x60; ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    const auto path = directory / "sample.bin";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    return path;
}

// A raw image as the model converter reads it: blank, with the chip's device ID in place.
Bytes modelImage(const ICInfo& ic) {
    const std::size_t size = std::max({static_cast<std::size_t>(ic.Program_Capacity) * 2,
                                       static_cast<std::size_t>(ic.Normal_ROM_Capacity) * 2 + 30,
                                       static_cast<std::size_t>(ic.Device_ID_Address) * 2 + 2,
                                       static_cast<std::size_t>(ic.CFG_Address) * 2 + 1});
    Bytes image(size, 0xFF);
    const std::uint32_t id = ic.Device_ID.empty() ? 0 : ic.Device_ID.front();
    image[ic.Device_ID_Address * 2] = static_cast<std::uint8_t>(id);
    image[ic.Device_ID_Address * 2 + 1] = static_cast<std::uint8_t>(id >> 8);
    return image;
}

}  // namespace

std::filesystem::path sampleProgramFor(const ICInfo& ic, const std::filesystem::path& directory) {
    const std::pair<std::vector<std::uint32_t>, const char*> committed[] = {
        {{0x1622, 0x1630, 0x1632, 0x1636}, "otp_program.hex"},
        {{0x1603, 0x1604, 0x1615, 0x1629, 0x1633}, "otp_image.otp"},
        {{0x27505, 0x27506}, "word14_large.hex"},
        {{0x27552}, "word14_3244.hex"},
        {{0x28012, 0x28013}, "word14_small.hex"},
        {{0x1638, 0x1663}, "eeprom.bin"},
    };
    for (const auto& [numbers, name] : committed) {
        if (std::find(numbers.begin(), numbers.end(), ic.Inside_Number) != numbers.end()) {
            return copySample(directory, name);
        }
    }
    switch (ic.Inside_Number) {
        case 0x1395:
            return writeImage(directory, Bytes(0x2020, 0x00));
        case 0x1396:
        case 0x1397:
            return writeImage(directory, Bytes(0x4020, 0x00));
        case 0x1390:
            return writeImage(directory, Bytes(0x1001E, 0xFF));
        case 0x1382: {
            Bytes image(0x87FE, 0xFF);
            image[0x87FC] = 0x82;
            image[0x87FD] = 0x13;
            return writeImage(directory, image);
        }
        default:
            return writeImage(directory, modelImage(ic));
    }
}

}  // namespace vexlor::test
