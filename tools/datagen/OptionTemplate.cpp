#include "OptionTemplate.h"

#include <algorithm>

#include "FirmwareImage.h"

namespace vexlor::datagen {

namespace {

void PutWord(OptionBlock& block, std::size_t offset, std::uint32_t value) {
    block[offset] = static_cast<std::uint8_t>(value >> 8);
    block[offset + 1] = static_cast<std::uint8_t>(value);
}

std::uint8_t Low(std::uint32_t value) {
    return static_cast<std::uint8_t>(value);
}

// Default option bytes 0x24/0x25 by family: what the chip holds before any option is chosen.
void PutDefaultOption(OptionBlock& block, const ICInfo& chip) {
    switch (chip.Inside_Number) {
        case 0x1390:  // its converter takes the information-word option from these two bytes
            block[0x24] = 0x0C;
            block[0x25] = 0x3F;
            return;
        case 0x27505:
        case 0x27506:
        case 0x27552:
        case 0x28012:
        case 0x28013:  // 14-bit configuration word, all fuses unprogrammed
            block[0x24] = 0x3F;
            block[0x25] = 0xFF;
            return;
        default:  // the option word a load starts from
            block[0x24] = 0x60;
            block[0x25] = 0x00;
    }
}

}  // namespace

std::uint8_t VoltageCode(float volts) {
    return static_cast<std::uint8_t>(int(11.55 * volts));
}

void WriteHeaderBasics(OptionBlock& block, std::string_view chipName, float writeVdd,
                       float readVdd) {
    std::copy_n(chipName.begin(), std::min<std::size_t>(chipName.size(), 10), block.begin());
    block[0x0A] = 0x03;
    block[0x0B] = VoltageCode(writeVdd);
    block[0x0C] = 0x05;
    block[0x0D] = VoltageCode(readVdd);
    block[0x0E] = 0x07;
    block[0x0F] = 27;
    block[0xCF] = kModelKLW20;
}

OptionBlock MakeOptionTemplate(const ICInfo& chip) {
    OptionBlock block{};
    WriteHeaderBasics(block, chip.ChipName, chip.P_VDD, chip.R_VDD);
    block[0x13] = Low(chip.Program_time * 16 | chip.DisableHibit);
    PutWord(block, 0x14, chip.Blankcheck_Capacity);
    PutWord(block, 0x16, chip.Program_Capacity);
    PutWord(block, 0x18, chip.Verify_Capacity);
    PutWord(block, 0x1A, chip.CFG_Address);
    block[0x1C] = 0x01;
    block[0x1D] = VoltageCode(chip.P_VPP);
    block[0x1E] = 0x01;
    block[0x1F] = Low(chip.ProgMainRom_sda >> 4);
    block[0x20] = Low(chip.ProgMainRom_sda << 4 | chip.ProgMainRom_sclk >> 4);
    block[0x21] = Low(chip.ProgMainRom_sclk << 4 | 0x0E);
    PutWord(block, 0x22, chip.Blankcheck_Data);
    PutDefaultOption(block, chip);
    block[0x26] = 0x20;
    PutWord(block, 0x27, chip.Normal_Start_Address);
    block[0x29] = 0x20;
    block[0x2A] = Low(int((chip.VDD_Power_ON_delay * 1.5 - 21) / 15));
    PutWord(block, 0x2C, chip.Blankcheck_CFG_Data);
    PutWord(block, 0x2E, chip.OR_Checksum_Data);
    block[0x32] = VoltageCode(chip.R_H_VDD);
    block[0x33] = VoltageCode(chip.R_L_VDD);
    PutWord(block, 0x3B, chip.Checksum_Initial_Value);
    PutWord(block, 0x3D, chip.Trimming_IRC_Low);
    block[0x3F] = Low(chip.Trimming_IRC_Range);
    block[0x40] = Low(chip.Device_ID_Address);
    block[0x41] = Low(chip.Device_ID_Address);
    if (!chip.Device_ID.empty()) {
        PutWord(block, 0x42, chip.Device_ID.front());
    }
    block[0x47] = Low(chip.ROMtype * 16 | chip.Check_Have_Protect);
    block[0x49] = Low(chip.Checksum1_Address);
    block[0x4B] = Low(chip.Normal_ROM_Capacity);
    return block;
}

}  // namespace vexlor::datagen
