#pragma once

#include <filesystem>
#include <optional>
#include <span>

#include "core/convert/ByteFiles.h"
#include "core/convert/OptionBuffer.h"

namespace vexlor {

inline constexpr const char* kBufferDataName = "buffer_data.prog";
inline constexpr const char* kBufferOptionName = "buffer_option.prog";
inline constexpr const char* kSerialBlockName = "serial.txt";

// Converter result codes shared by the model and the family converters.
enum ConvertCode : int {
    kConvertOk = 0,
    kConvertSerialOrTemplate = 1,
    kConvertOptionFile = 2,
    kConvertDataFile = 3,
    kConvertImage = 4,
    kConvertProgramFile = 5,
    kConvertDeviceId = 6,
};

// The serial block; nullopt when it cannot be read or is too short to hold the serial-number
// fields (0x35-0x3A and 0x60-0x7F).
std::optional<Bytes> readSerialBlock(const std::filesystem::path& baseDirectory);

// Writes both buffers, both or neither: each goes to a temporary name in the base directory
// first and both are renamed into place only when both were written, so a failed load leaves
// the last good job as it was. kConvertOk, kConvertOptionFile or kConvertDataFile.
int writeBufferFiles(const std::filesystem::path& baseDirectory, const OptionBuffer& option,
                     std::span<const std::uint8_t> data);
// The reason for a failure code of writeBufferFiles: which buffer file could not be written.
std::string bufferWriteReason(const std::filesystem::path& baseDirectory, int code);

}  // namespace vexlor
