#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/base/Diagnostics.h"
#include "core/base/Operator.h"
#include "core/chipdb/ICInfo.h"

namespace vexlor {

// Local time of a conversion, as stored at option offset 0xC0.
struct LocalTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t millisecond = 0;
};

LocalTime currentLocalTime();

// The job flags chosen in IC Type Select.
struct JobFlags {
    bool displaySerialNumber = false;
    bool exhvIspProgram = false;
    bool massProduction = false;
    bool productionLimit = false;
    bool wholeChipErase = false;
    bool ispProgram = false;
    std::uint32_t packedCount = 0;  // production-limit count as packed decimal
};

// What to do with a HEX file that fails only its record checksums or end-of-file record.
enum class DamagedHex {
    AskOperator,  // the desktop program asks
    Accept,       // the command-line tool with --force-hex
    Refuse,
};

// Everything a converter reads besides the program file itself.
struct ConversionJob {
    explicit ConversionJob(const ICInfo& chip) : ic(chip) {}

    const ICInfo& ic;
    std::filesystem::path baseDirectory;
    std::string hwVersionName = "hwversion1.0";  // directory of the per-chip templates
    std::string packageCode = "0";
    bool writerModelKLW20 = false;
    int hexToBinMode = 1;   // the catalogue entry's HextoBinMode
    std::string fileTypes;  // the chip's program-file patterns, for messages
    std::uint32_t optionWord = 0x60;
    std::filesystem::path programFile;
    JobFlags flags;
    LocalTime time;
    DamagedHex damagedHex = DamagedHex::AskOperator;
    // The operator's file when programFile is an image made from it; messages name it.
    std::filesystem::path madeFrom;

    bool imageMade() const { return !madeFrom.empty(); }
    const std::filesystem::path& reportedFile() const {
        return imageMade() ? madeFrom : programFile;
    }
};

// What a conversion leaves for the main window besides the two buffer files.
struct ConversionResult {
    std::uint16_t checksum = 0;
    std::uint32_t secondaryChecksum = 0xFFFFFFFF;
    bool unprotect = false;
    std::string descriptionText;
};

// How a converter reports: message boxes through the operator, lines through diagnostics.
struct ConversionOutput {
    Operator& op;
    const Diagnostics& diagnostics;
    ConversionResult& result;
};

// The count written in decimal with its first (up to 8) digits packed as 4-bit digits.
std::uint32_t packProductionCount(std::uint32_t count);

}  // namespace vexlor
