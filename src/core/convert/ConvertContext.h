#pragma once

#include <cstdint>

#include "core/chipdb/ICInfo.h"

namespace vexlor {

// The record handed to a converter plugin, in the order the caller fills it. Plugins are built
// against this header; texts the caller provides stay valid for the whole call.
struct ConvertContext {
    const char* programDirectory = "";
    char descriptionText[512] = {};                // written by the converter
    std::int32_t writerModelKLW20 = 0;             // 1 when the attached writer is model KLW20
    std::uint32_t secondaryChecksum = 0xFFFFFFFF;  // in and out; all ones when none
    std::uint16_t programChecksum = 0;             // in and out
    const char* packageCode = "0";
    std::int32_t hexToBinMode = 0;
    ICInfo chip;
    std::uint32_t optionWord = 0;
    const char* programFile = "";
    std::int32_t displaySerialNumber = 0;
    std::int32_t exhvIspProgram = 0;
    std::int32_t massProduction = 0;
    std::int32_t productionLimit = 0;
    std::int32_t wholeChipErase = 0;
    std::uint32_t packedCount = 0;
    std::int32_t ispProgram = 0;
    std::int32_t unprotect = 0;  // in and out
};

// Every converter export has this shape; 0 means success.
using ConvertExport = std::int32_t (*)(ConvertContext*);

}  // namespace vexlor
