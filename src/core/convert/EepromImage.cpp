#include "core/convert/EepromImage.h"

#include <array>

#include "core/convert/ByteFiles.h"
#include "core/convert/MessageCaption.h"

namespace vexlor {

bool BuildEepromImage(const std::filesystem::path& inputPath,
                      const std::filesystem::path& outputPath, std::string_view eepromName,
                      Operator& op) {
    const std::optional<Bytes> binary = readFileBytes(inputPath);
    if (!binary) {
        op.message("Open bin file failed!", kMessageCaption);
        return false;
    }
    if (binary->size() > kEepromBinaryLimit) {
        op.message("bin file Length over 256 Byte", kMessageCaption);
        return false;
    }
    std::array<std::uint8_t, kEepromImageSize> image{};
    for (std::size_t i = 0; i < kEepromNameLength; ++i) {
        image[i] = static_cast<std::uint8_t>(i < eepromName.size() ? eepromName[i] : ' ');
    }
    image[kEepromNameLength] = 0x07;
    image[kEepromNameLength + 1] = 0x82;
    // Entry k carries data byte k-1, so the table holds the first 255 bytes of the binary.
    for (std::size_t k = 1; k < 256; ++k) {
        const std::size_t at = kEepromNameLength + 2 * k;
        image[at] = 0x18;
        image[at + 1] = k - 1 < binary->size() ? (*binary)[k - 1] : 0;
    }
    if (!writeFileBytes(outputPath, image)) {
        op.message("Create bin file failed!", kMessageCaption);
        return false;
    }
    return true;
}

}  // namespace vexlor
