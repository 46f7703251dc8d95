// The generators' building blocks, with expected bytes worked out by hand.

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "DataSet.h"
#include "FirmwareImage.h"
#include "OptionTemplate.h"

namespace vexlor::datagen {
namespace {

TEST(Generator, ParsePackageReadsOutlineAndPinCount) {
    const auto check = [&](const char* name, const std::optional<int>& pins,
                           PackageOutline outline) {
        const auto shape = ParsePackage(name);
        ASSERT_EQ(shape.has_value(), pins.has_value()) << name;
        if (shape) {
            EXPECT_EQ(shape->pins, *pins) << name;
            EXPECT_EQ(shape->outline, outline) << name;
        }
    };
    check("DIP18 00", 18, PackageOutline::DualInLine);
    check("SOP16  2", 16, PackageOutline::DualInLine);
    check("SSOP20 01", 20, PackageOutline::DualInLine);
    check("LQFP32 00", 32, PackageOutline::Quad);
    check("QFN20 01", 20, PackageOutline::Quad);
    check("DIP17 00", std::nullopt, {});  // odd count on two rows
    check("QFN18 00", std::nullopt, {});  // not a multiple of four sides
    check("18 00", std::nullopt, {});     // no outline style
    check("DIP 00", std::nullopt, {});    // no pin count
    check("DIP99999", std::nullopt, {});  // far too many pins
}

TEST(Generator, VoltageCodeTruncatesElevenPointFiftyFiveTimesTheVoltage) {
    struct Row {
        float volts;
        int code;
    };
    // 11.55 x 6.5 = 75.075; x 5 = 57.75; x 12.5 = 144.375; x 3.3 = 38.115; x 0 = 0
    const Row kRows[] = {{6.5f, 75}, {5.0f, 57}, {12.5f, 144}, {3.3f, 38}, {0.0f, 0}};
    for (const auto& row : kRows) {
        EXPECT_EQ(VoltageCode(row.volts), row.code) << row.volts;
    }
}

TEST(Generator, OptionTemplateLaysOutTheChipParameters) {
    ICInfo chip;
    chip.ChipName = "QRV7049";
    chip.Inside_Number = 0x1622;
    chip.ROMtype = 2;
    chip.Check_Have_Protect = 1;
    chip.Device_ID = {0xABCD, 0x1111};
    chip.Normal_ROM_Capacity = 0x1000;
    chip.Blankcheck_Capacity = 0x1234;
    chip.Program_Capacity = 0x0FFF;
    chip.Verify_Capacity = 0x0800;
    chip.CFG_Address = 0x2007;
    chip.Device_ID_Address = 0x3FFE;
    chip.Checksum1_Address = 0x0FFC;
    chip.Program_time = 2;
    chip.DisableHibit = 1;
    chip.VDD_Power_ON_delay = 50;
    chip.ProgMainRom_sda = 0x35;
    chip.ProgMainRom_sclk = 0x47;
    chip.Blankcheck_Data = 0x3FFF;
    chip.P_VDD = 6.5f;
    chip.P_VPP = 12.5f;
    chip.R_VDD = 5.0f;
    chip.R_H_VDD = 5.5f;
    chip.R_L_VDD = 2.5f;
    const OptionBlock block = MakeOptionTemplate(chip);
    EXPECT_EQ(std::string(block.begin(), block.begin() + 7), "QRV7049");
    EXPECT_EQ(block[7], 0);
    struct Byte {
        std::size_t offset;
        std::uint8_t value;
    };
    // 0x13: 2 x 16 | 1; 0x20/0x21: nibbles of 0x35 and 0x47, then 0xE; 0x24: the option word a
    // load starts from; 0x2A: int((50 x 1.5 - 21) / 15); 0x32/0x33: 5.5 V and 2.5 V.
    // Zero at 0x10, 0x11, 0x35, 0x4E: nothing the converters decide per load is prefilled.
    const Byte kBytes[] = {
        {0x0A, 0x03}, {0x0B, 75},   {0x0C, 0x05}, {0x0D, 57},   {0x0E, 0x07}, {0x0F, 27},
        {0x13, 0x21}, {0x14, 0x12}, {0x15, 0x34}, {0x16, 0x0F}, {0x17, 0xFF}, {0x18, 0x08},
        {0x19, 0x00}, {0x1A, 0x20}, {0x1B, 0x07}, {0x1C, 0x01}, {0x1D, 144},  {0x1E, 0x01},
        {0x1F, 0x03}, {0x20, 0x54}, {0x21, 0x7E}, {0x22, 0x3F}, {0x23, 0xFF}, {0x24, 0x60},
        {0x26, 0x20}, {0x29, 0x20}, {0x2A, 3},    {0x32, 63},   {0x33, 28},   {0x40, 0xFE},
        {0x41, 0xFE}, {0x42, 0xAB}, {0x43, 0xCD}, {0x47, 0x21}, {0x49, 0xFC}, {0x4B, 0x00},
        {0xCF, 0x5A}, {0x10, 0},    {0x11, 0},    {0x4E, 0},    {0x35, 0}};
    for (const auto& b : kBytes) {
        EXPECT_EQ(block[b.offset], b.value) << "offset 0x" << std::hex << b.offset;
    }
}

TEST(Generator, FirmwareImageCarriesItsIdentification) {
    const auto image = MakeFirmwareImage({0x1234, 0x0567});
    ASSERT_EQ(image.size(), 0x10800u);
    EXPECT_EQ(std::tuple(image[0x39], image[0xFA8F], image[0xFA90], image[0xFA91], image[0xFA94],
                         image[0xFA95]),
              std::tuple(0xC8, 0x5A, 0x05, 0x67, 0x12, 0x34));
    const auto other = MakeFirmwareImage({0x1234, 0x0568});
    EXPECT_NE(std::vector(image.begin(), image.begin() + 0x39),
              std::vector(other.begin(), other.begin() + 0x39));
}

}  // namespace
}  // namespace vexlor::datagen
