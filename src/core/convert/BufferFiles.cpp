#include "core/convert/BufferFiles.h"

#include "core/base/Diagnostics.h"

namespace vexlor {

std::optional<Bytes> readSerialBlock(const std::filesystem::path& baseDirectory) {
    std::optional<Bytes> block = readFileBytes(baseDirectory / kSerialBlockName);
    if (block && block->size() < 0x80) {
        return std::nullopt;
    }
    return block;
}

namespace {

std::filesystem::path pending(const std::filesystem::path& path) {
    std::filesystem::path name = path;
    name += ".new";
    return name;
}

}  // namespace

int writeBufferFiles(const std::filesystem::path& baseDirectory, const OptionBuffer& option,
                     std::span<const std::uint8_t> data) {
    const std::filesystem::path optionPath = baseDirectory / kBufferOptionName;
    const std::filesystem::path dataPath = baseDirectory / kBufferDataName;
    int code = kConvertOk;
    if (!writeFileBytes(pending(optionPath), option.bytes())) {
        code = kConvertOptionFile;
    } else if (!writeFileBytes(pending(dataPath), data)) {
        code = kConvertDataFile;
    } else {
        // Once both files are written, renames inside one directory do not fail in practice.
        std::error_code error;
        std::filesystem::rename(pending(dataPath), dataPath, error);
        if (error) {
            code = kConvertDataFile;
        } else {
            std::filesystem::rename(pending(optionPath), optionPath, error);
            code = error ? kConvertOptionFile : kConvertOk;
        }
    }
    if (code != kConvertOk) {
        // A renamed file has left its pending name; only a failure leaves one behind.
        std::error_code ignored;
        std::filesystem::remove(pending(optionPath), ignored);
        std::filesystem::remove(pending(dataPath), ignored);
    }
    return code;
}

std::string bufferWriteReason(const std::filesystem::path& baseDirectory, int code) {
    const char* name = code == kConvertOptionFile ? kBufferOptionName : kBufferDataName;
    return format("%s cannot be written.", (baseDirectory / name).string().c_str());
}

}  // namespace vexlor
