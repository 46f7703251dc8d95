#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vexlor {

// A chip's programming parameters; every field bears the key name of the IC information
// file. Value type: copied aside by the Device command and into the converter context.
struct ICInfo {
    // Chip_Information
    std::string ChipName;
    std::string ChipType;
    std::int32_t ROMtype = 0;
    std::uint32_t AND_ID_Data = 0;
    std::uint32_t Inside_Number = 0;
    std::int32_t Device_ID_amount = 0;
    std::vector<std::uint32_t> Device_ID;
    std::uint32_t Normal_ROM_Capacity = 0;
    std::uint32_t Information_ROM_Capacity = 0;
    std::uint32_t Read_ROM_Capacity = 0;
    std::uint32_t Checksum_Initial_Value = 0;
    std::uint32_t OR_Checksum_Data = 0;
    std::uint32_t Protect_Low_Data = 0;
    std::int32_t Support_ReUse_Function = 0;
    std::int32_t Check_Have_Protect = 0;
    std::int32_t Trimming_IRC = 0;
    std::uint32_t Trimming_IRC_Low = 0;
    std::uint32_t Trimming_IRC_Range = 0;
    // Address
    std::uint32_t CFG_Address = 0;
    std::uint32_t Device_ID_Address = 0;
    std::uint32_t Checksum1_Address = 0;
    std::uint32_t Checksum2_Address = 0;
    // Program_Information
    std::uint32_t Normal_Start_Address = 0;
    std::uint32_t Reuse_Start_Address = 0;
    std::uint32_t Blankcheck_Capacity = 0;
    std::uint32_t Program_Capacity = 0;
    std::uint32_t Verify_Capacity = 0;
    std::uint32_t DisableHibit = 0;
    std::int32_t VDD_Power_ON_delay = 0;
    std::int32_t Program_time = 0;
    std::uint32_t Blankcheck_Data = 0;
    std::uint32_t Blankcheck_CFG_Data = 0;
    // Entrance_Parameter_Setup
    std::int32_t One_Word_Program_delay = 0;
    std::int32_t ProgMainRom_sda = 0;
    std::int32_t ProgMainRom_sclk = 0;
    std::int32_t ProgIRC_sda = 0;
    std::int32_t ProgIRC_sclk = 0;
    // DAC_Set_Voltage
    float P_VDD = 0.0f;
    float P_VPP = 0.0f;
    float R_VDD = 0.0f;
    float R_VPP = 0.0f;
    float R_H_VDD = 0.0f;
    float R_H_VPP = 0.0f;
    float R_L_VDD = 0.0f;
    float R_L_VPP = 0.0f;
    // Timer_Setting
    std::int32_t Timer = 0;
    std::int32_t Auto_Timeout = 0;
    std::int32_t Blankcheck_Timeout = 0;
    std::int32_t Program_Timeout = 0;
    std::int32_t Verify_Timeout = 0;
    // Other_Setting
    std::int32_t VBG_Read = 0;
    std::int32_t Have_OPT = 0;
    std::int32_t Data_Read_Length = 0;
    std::int32_t IAP_function = 0;
    std::int32_t Have_TouchKey = 0;
    std::int32_t Have_Pagelock = 0;
    std::int32_t Version = 0;

    bool operator==(const ICInfo&) const = default;
};

}  // namespace vexlor
