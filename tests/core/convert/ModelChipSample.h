#pragma once

#include <string>

#include "ConvertTestSupport.h"
#include "core/chipdb/ICInfo.h"

namespace vexlor::test {

// A chip record for the model converter and a hand-made program file for it, with the header
// and data it must give (derived field by field from the layout).
inline ICInfo modelChip() {
    ICInfo ic;
    ic.ChipName = "QR64L74M";
    ic.ROMtype = 2;
    ic.AND_ID_Data = 0xFFFF;
    ic.Device_ID = {0x1234};
    ic.Normal_ROM_Capacity = 0x10;
    ic.Checksum_Initial_Value = 0xFFFF;
    ic.OR_Checksum_Data = 0x1234;
    ic.Check_Have_Protect = 1;
    ic.Trimming_IRC_Low = 0x55;
    ic.Trimming_IRC_Range = 0x07;
    ic.CFG_Address = 0x08;
    ic.Device_ID_Address = 0x0A;
    ic.Checksum1_Address = 0x1FFE;
    ic.Normal_Start_Address = 0x100;
    ic.Blankcheck_Capacity = 0x10;
    ic.Program_Capacity = 0x08;
    ic.Verify_Capacity = 0x09;
    ic.DisableHibit = 1;
    ic.VDD_Power_ON_delay = 50;
    ic.Program_time = 3;
    ic.Blankcheck_Data = 0x3FFF;
    ic.Blankcheck_CFG_Data = 0xFF;
    ic.ProgMainRom_sda = 0x25;
    ic.ProgMainRom_sclk = 0x3C;
    ic.P_VDD = 5.0f;
    ic.P_VPP = 8.5f;
    ic.R_VDD = 5.5f;
    ic.R_H_VDD = 6.0f;
    ic.R_L_VDD = 2.0f;
    return ic;
}

// 8 program words (the first 0xFFFF cancels the initial value, the rest 0), the configuration
// byte at 0x10, the ID at 0x14, and 15 information words at 0x20 of which only word 12
// (0x0001) is non-zero among the fed ones: the checksum ends as 0x0001 * x^16 mod P = 0x8005.
inline Bytes modelProgram() {
    Bytes file(0x3E, 0);
    place(file, 0x00, {0xFF, 0xFF});
    place(file, 0x10, {0xA4});
    place(file, 0x14, {0x34, 0x12});
    place(file, 0x20, {0xAB, 0xCD, 0x11, 0x22});
    place(file, 0x38, {0x00, 0x01, 0x55, 0x66, 0x77, 0x88});
    return file;
}

inline Bytes modelOption(const std::string& name = "QR64L74M", std::uint8_t model = 0x5B) {
    Bytes option(256, 0);
    placeText(option, 0x00, name);
    place(option, 0x0A, {0x03, 0x39, 0x05, 0x3F, 0x07, 0x1B, 0x80, 0x05, 0x00, 0x31});
    place(option, 0x14, {0x00, 0x10, 0x00, 0x08, 0x00, 0x09, 0x00, 0x08});
    place(option, 0x1C, {0x01, 0x62, 0x01, 0x02, 0x53, 0xCE, 0x3F, 0xFF});
    place(option, 0x26, {0x20, 0x01, 0x00, 0x20, 0x03, 0xA6, 0x00, 0xFF, 0x12, 0x34});
    place(option, 0x32, {0x45, 0x17, 0x1A});
    place(option, 0x3B, {0xFF, 0xFF, 0x00, 0x55, 0x07, 0x0A, 0x0A, 0x12, 0x34});
    place(option, 0x47, {0x21, 0x00, 0xFE, 0x00, 0x10});
    place(option, 0x80, {0xA8, 0xCD, 0x11, 0x22});
    place(option, 0x98, {0x00, 0x01, 0x55, 0x66, 0x77, 0x88});
    placeFixedTime(option);
    place(option, 0xCF, {model});
    return option;
}

inline Bytes modelData() {
    Bytes data(16, 0);
    place(data, 0, {0xFF, 0xFF});
    return data;
}

}  // namespace vexlor::test
