#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/convert/ConversionJob.h"

namespace vexlor {

// Chip-family converters. Each returns 0 or a code: 1 template / serial block / S/N end
// address, 2 and 3 buffer files, 4 HEX or EEPROM image, 5 program file, 6 device ID.

// OTP chips loaded from HEX; also writes the OTP image side file.
int convertOtpHexFamily(const ConversionJob& job, ConversionOutput& out);
// OTP chips loaded from an OTP image whose header words seed the checksum.
int convertOtpImageFamily(const ConversionJob& job, ConversionOutput& out);

// OTP image input, data written high byte first, option byte from header byte 0x10.
struct HeaderByteFamily {
    std::uint8_t headerByteMask;
};
int convertHeaderByteFamily(const ConversionJob& job, ConversionOutput& out,
                            const HeaderByteFamily& family);

// 14-bit word chips loaded from HEX.
struct WordHexFamily {
    std::size_t idOffset;
    std::uint8_t idFirstByte;
    std::size_t configByteOffset;  // high byte of the configuration word
    std::size_t dataWords;
    std::size_t protectedWords;
    std::uint16_t configFeedMask;
    std::uint32_t serialEndLimit;
    std::string_view serialEndMessage;
    std::uint8_t field48;
    std::uint8_t field48Protected;
    bool writesExhvFlag;
};
int convertWordHexFamily(const ConversionJob& job, ConversionOutput& out,
                         const WordHexFamily& family);

// EEPROM chips: a ".bin" data EEPROM or a HEX program.
struct EepromFamily {
    std::string_view eepromName;
    int hexFillMode;
    std::uint32_t hexLength;      // 0: the image's own length
    std::size_t eepromAreaWords;  // words of buffer_data.prog for an EEPROM load
    std::size_t eepromFirstWord;  // where the 256 table words go in that area
    std::uint8_t eepromModeCode;  // option 0x27 for an EEPROM load
    bool wordOption;              // option word written as two masked bytes
    bool feedsOptionWord;         // partial checksum and the option word in the checksum
    bool ispFlag;                 // ISP Program alone gives 2 at 0x4C
};
int convertEepromFamily(const ConversionJob& job, ConversionOutput& out,
                        const EepromFamily& family);

// OTP image with a configuration word written ahead of the data.
struct ConfigWordFamily {
    std::size_t configOffset;
    bool configIsByte;
    std::size_t dataWords;
};
int convertConfigWordFamily(const ConversionJob& job, ConversionOutput& out,
                            const ConfigWordFamily& family);

int convertQR62J61(const ConversionJob& job, ConversionOutput& out);
int convertQR6417(const ConversionJob& job, ConversionOutput& out);

}  // namespace vexlor
