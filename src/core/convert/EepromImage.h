#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "core/base/Operator.h"

namespace vexlor {

inline constexpr std::size_t kEepromImageSize = 525;
inline constexpr std::size_t kEepromNameLength = 13;
inline constexpr std::size_t kEepromBinaryLimit = 256;

// Turns a data-EEPROM binary of up to 256 bytes into the 525-byte EEPROM image: the
// 13-character chip EEPROM name, then 256 two-byte entries (0x07 0x82, then 0x18 and one data
// byte each). eepromName is the name the converter of the chip expects; it is cut or padded
// with blanks to 13 characters. Failures are shown to the operator; the result is false then.
bool BuildEepromImage(const std::filesystem::path& inputPath,
                      const std::filesystem::path& outputPath, std::string_view eepromName,
                      Operator& op);

}  // namespace vexlor
