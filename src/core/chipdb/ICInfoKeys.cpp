#include "core/chipdb/ICInfoKeys.h"

#include <array>

namespace vexlor {

namespace {

constexpr const char* kChip = "Chip_Information";
constexpr const char* kAddress = "Address";
constexpr const char* kProgram = "Program_Information";
constexpr const char* kEntrance = "Entrance_Parameter_Setup";
constexpr const char* kVoltage = "DAC_Set_Voltage";
constexpr const char* kTimer = "Timer_Setting";
constexpr const char* kOther = "Other_Setting";

constexpr std::array kKeys{
    ICInfoKey{kChip, nullptr, "ChipName", &ICInfo::ChipName},
    ICInfoKey{kChip, nullptr, "ChipType", &ICInfo::ChipType},
    ICInfoKey{kChip, nullptr, "ROMtype", &ICInfo::ROMtype},
    ICInfoKey{kChip, nullptr, "AND_ID_Data", &ICInfo::AND_ID_Data},
    ICInfoKey{kChip, nullptr, "Inside_Number", &ICInfo::Inside_Number},
    ICInfoKey{kChip, nullptr, "Device_ID_amount", &ICInfo::Device_ID_amount},
    ICInfoKey{kChip, nullptr, "Normal_ROM_Capacity", &ICInfo::Normal_ROM_Capacity},
    ICInfoKey{kChip, nullptr, "Information_ROM_Capacity", &ICInfo::Information_ROM_Capacity},
    ICInfoKey{kChip, nullptr, "Read_ROM_Capacity", &ICInfo::Read_ROM_Capacity},
    ICInfoKey{kChip, nullptr, "Checksum_Initial_Value", &ICInfo::Checksum_Initial_Value},
    ICInfoKey{kChip, nullptr, "OR_Checksum_Data", &ICInfo::OR_Checksum_Data},
    ICInfoKey{kChip, nullptr, "Protect_Low_Data", &ICInfo::Protect_Low_Data},
    ICInfoKey{kChip, nullptr, "Support_ReUse_Function", &ICInfo::Support_ReUse_Function},
    ICInfoKey{kChip, nullptr, "Check_Have_Protect", &ICInfo::Check_Have_Protect},
    ICInfoKey{kChip, nullptr, "Trimming_IRC", &ICInfo::Trimming_IRC},
    ICInfoKey{kChip, nullptr, "Trimming_IRC_Low", &ICInfo::Trimming_IRC_Low},
    ICInfoKey{kChip, nullptr, "Trimming_IRC_Range", &ICInfo::Trimming_IRC_Range},
    ICInfoKey{kAddress, nullptr, "CFG_Address", &ICInfo::CFG_Address},
    ICInfoKey{kAddress, nullptr, "Device_ID_Address", &ICInfo::Device_ID_Address},
    ICInfoKey{kAddress, nullptr, "Checksum1_Address", &ICInfo::Checksum1_Address},
    ICInfoKey{kAddress, nullptr, "Checksum2_Address", &ICInfo::Checksum2_Address},
    ICInfoKey{kProgram, nullptr, "Normal_Start_Address", &ICInfo::Normal_Start_Address},
    ICInfoKey{kProgram, nullptr, "Reuse_Start_Address", &ICInfo::Reuse_Start_Address},
    ICInfoKey{kProgram, nullptr, "Blankcheck_Capacity", &ICInfo::Blankcheck_Capacity},
    ICInfoKey{kProgram, nullptr, "Program_Capacity", &ICInfo::Program_Capacity},
    ICInfoKey{kProgram, nullptr, "Verify_Capacity", &ICInfo::Verify_Capacity},
    ICInfoKey{kProgram, nullptr, "DisableHibit", &ICInfo::DisableHibit},
    ICInfoKey{kProgram, nullptr, "VDD_Power_ON_delay", &ICInfo::VDD_Power_ON_delay},
    ICInfoKey{kProgram, nullptr, "Program_time", &ICInfo::Program_time},
    ICInfoKey{kProgram, nullptr, "Blankcheck_Data", &ICInfo::Blankcheck_Data},
    ICInfoKey{kProgram, nullptr, "Blankcheck_CFG_Data", &ICInfo::Blankcheck_CFG_Data},
    ICInfoKey{kEntrance, nullptr, "One_Word_Program_delay", &ICInfo::One_Word_Program_delay},
    ICInfoKey{kEntrance, nullptr, "ProgMainRom_sda", &ICInfo::ProgMainRom_sda},
    ICInfoKey{kEntrance, nullptr, "ProgMainRom_sclk", &ICInfo::ProgMainRom_sclk},
    ICInfoKey{kEntrance, nullptr, "ProgIRC_sda", &ICInfo::ProgIRC_sda},
    ICInfoKey{kEntrance, nullptr, "ProgIRC_sclk", &ICInfo::ProgIRC_sclk},
    ICInfoKey{kVoltage, "Write", "P_VDD", &ICInfo::P_VDD},
    ICInfoKey{kVoltage, "Write", "P_VPP", &ICInfo::P_VPP},
    ICInfoKey{kVoltage, "Normal_Read", "R_VDD", &ICInfo::R_VDD},
    ICInfoKey{kVoltage, "Normal_Read", "R_VPP", &ICInfo::R_VPP},
    ICInfoKey{kVoltage, "Hi_Read", "R_H_VDD", &ICInfo::R_H_VDD},
    ICInfoKey{kVoltage, "Hi_Read", "R_H_VPP", &ICInfo::R_H_VPP},
    ICInfoKey{kVoltage, "Low_Read", "R_L_VDD", &ICInfo::R_L_VDD},
    ICInfoKey{kVoltage, "Low_Read", "R_L_VPP", &ICInfo::R_L_VPP},
    ICInfoKey{kTimer, nullptr, "Timer", &ICInfo::Timer},
    ICInfoKey{kTimer, nullptr, "Auto_Timeout", &ICInfo::Auto_Timeout},
    ICInfoKey{kTimer, nullptr, "Blankcheck_Timeout", &ICInfo::Blankcheck_Timeout},
    ICInfoKey{kTimer, nullptr, "Program_Timeout", &ICInfo::Program_Timeout},
    ICInfoKey{kTimer, nullptr, "Verify_Timeout", &ICInfo::Verify_Timeout},
    ICInfoKey{kOther, nullptr, "VBG_Read", &ICInfo::VBG_Read},
    ICInfoKey{kOther, nullptr, "Have_OPT", &ICInfo::Have_OPT},
    ICInfoKey{kOther, nullptr, "Data_Read_Length", &ICInfo::Data_Read_Length},
    ICInfoKey{kOther, nullptr, "IAP_function", &ICInfo::IAP_function},
    ICInfoKey{kOther, nullptr, "Have_TouchKey", &ICInfo::Have_TouchKey},
    ICInfoKey{kOther, nullptr, "Have_Pagelock", &ICInfo::Have_Pagelock},
    ICInfoKey{kOther, nullptr, "Version", &ICInfo::Version},
};

}  // namespace

std::span<const ICInfoKey> ICInfoKeys() {
    return kKeys;
}

}  // namespace vexlor
