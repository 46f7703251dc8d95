#include "core/convert/BufferFiles.h"

namespace vexlor {

std::optional<Bytes> readSerialBlock(const std::filesystem::path& baseDirectory) {
    std::optional<Bytes> block = readFileBytes(baseDirectory / kSerialBlockName);
    if (block && block->size() < 0x80) {
        return std::nullopt;
    }
    return block;
}

int createBufferFiles(const std::filesystem::path& baseDirectory) {
    if (!writeFileBytes(baseDirectory / kBufferOptionName, {})) {
        return kConvertOptionFile;
    }
    if (!writeFileBytes(baseDirectory / kBufferDataName, {})) {
        return kConvertDataFile;
    }
    return kConvertOk;
}

int writeBufferFiles(const std::filesystem::path& baseDirectory, const OptionBuffer& option,
                     std::span<const std::uint8_t> data) {
    if (!writeFileBytes(baseDirectory / kBufferOptionName, option.bytes())) {
        return kConvertOptionFile;
    }
    if (!writeFileBytes(baseDirectory / kBufferDataName, data)) {
        return kConvertDataFile;
    }
    return kConvertOk;
}

}  // namespace vexlor
