#pragma once

#include <cstdint>
#include <string>

namespace vexlor {

// One chip's catalogue keys. Value type: the Device command keeps a copy while IC Type
// Select browses and puts it back on Cancel.
struct ChipDisplayInfo {
    std::int32_t IcTransfileforPath = 0;
    std::int32_t MenuSerial_Num = 0;
    std::int32_t MenuCompare_File = 0;
    std::int32_t MenuSet_Protect = 0;
    std::int32_t MenuRead_ChipInfo = 0;
    std::int32_t MassProduction = 0;
    std::int32_t ProductionLimit = 0;
    std::int32_t ExHVISP = 0;
    std::int32_t ISP = 0;
    std::int32_t EraseMode = 0;
    std::int32_t Buzzer = 0;
    std::int32_t RollingCode = 0;
    std::int32_t HextoBinMode = 0;
    std::int32_t SetProtectMode = 0;
    std::int32_t HaveSmartOPT = 0;
    std::int32_t FuseCheckBoxDisplay = 0;
    std::string FW_File;
    std::string IC_FileType;

    bool operator==(const ChipDisplayInfo&) const = default;
};

}  // namespace vexlor
