// The chips the program treats by name are all delivered, with parameters that let their
// special handling work.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DeliveredData.h"
#include "core/convert/ConverterLibrary.h"
#include "core/convert/InsideNumberDispatch.h"
#include "core/select/ForcedChipModes.h"

namespace vexlor::test {
namespace {

const DeliveredChip& Chip(const std::string& name) {
    static const DeliveredChip kMissing{};
    const DeliveredChip* chip = Delivered().find(name);
    EXPECT_NE(chip, nullptr) << name << " is not in the catalogue";
    return chip ? *chip : kMissing;
}

TEST(ChipRulesData, ForcedIspChipsExistAndAllowTheirMode) {
    // A zero key would switch the forced box off again: the key wins over the list.
    for (std::string_view name : ForcedExHvIspChips) {
        EXPECT_EQ(Chip(std::string(name)).keys.ExHVISP, 1) << name;
    }
    for (std::string_view name : ForcedIspChips) {
        EXPECT_EQ(Chip(std::string(name)).keys.ISP, 1) << name;
    }
}

TEST(ChipRulesData, FamilyConverterChipsAreNoLibraryFamilyAndHaveTheirTemplates) {
    int routed = 0;
    for (const DeliveredChip& chip : Delivered().chips) {
        if (!chipOfInsideNumber(chip.info.Inside_Number)) {
            continue;
        }
        ++routed;
        // Load File sends library families to their library, whatever the internal number.
        EXPECT_FALSE(isLibraryFamily(chip.info.ChipType)) << chip.name;
        for (const char* hw : {"hwversion1.0", "hwversion1.1"}) {
            const auto bytes = FileBytes(Delivered().base / hw / (chip.name + ".txt"));
            ASSERT_EQ(bytes.size(), 256u) << hw << " " << chip.name;
            EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + chip.name.size()), chip.name);
            // The fixed bytes of the DAC set-up the writer expects.
            EXPECT_EQ(bytes[0x0A], 0x03);
            EXPECT_EQ(bytes[0x0C], 0x05);
            EXPECT_EQ(bytes[0x0E], 0x07);
            EXPECT_EQ(bytes[0x0F], 27);
            EXPECT_EQ(bytes[0x16] * 256 + bytes[0x17], chip.info.Program_Capacity) << chip.name;
        }
    }
    EXPECT_GE(routed, 20);
}

// Voltage codes int(11.55 x V) worked out by hand for the chips' delivered voltages.
TEST(ChipRulesData, TemplateVoltageCodesMatchTheChipVoltages) {
    struct Row {
        const char* chip;
        std::uint8_t writeVdd, readVdd, writeVpp;
    };
    const Row kRows[] = {
        {"QRV7049", 75, 57, 144},  // 6.5 V, 5.0 V, 12.5 V
        {"QRV7038", 57, 57, 103},  // 5.0 V, 5.0 V, 9.0 V
        {"QN6223", 69, 57, 144},   // 6.0 V, 5.0 V, 12.5 V
    };
    for (const auto& row : kRows) {
        const auto bytes =
            FileBytes(Delivered().base / "hwversion1.0" / (std::string(row.chip) + ".txt"));
        ASSERT_EQ(bytes.size(), 256u) << row.chip;
        EXPECT_EQ(bytes[0x0B], row.writeVdd) << row.chip;
        EXPECT_EQ(bytes[0x0D], row.readVdd) << row.chip;
        EXPECT_EQ(bytes[0x1D], row.writeVpp) << row.chip;
    }
}

TEST(ChipRulesData, ModelConverterChipIsNotALibraryFamily) {
    const DeliveredChip& chip = Chip("QR64L74M");
    EXPECT_FALSE(isLibraryFamily(chip.info.ChipType));
    // Its converter checks the device ID read from the file against the first listed one.
    EXPECT_FALSE(chip.info.Device_ID.empty());
    EXPECT_NE(chip.info.AND_ID_Data, 0u);
}

// A library-family chip whose ROMtype has no export would convert nothing.
TEST(ChipRulesData, LibraryFamilyChipsHaveAnExportForTheirMemoryKind) {
    int library = 0;
    for (const auto& chip : Delivered().chips) {
        if (isLibraryFamily(chip.info.ChipType)) {
            ++library;
            EXPECT_TRUE(findLibraryExport(chip.info.ChipType, chip.info.ROMtype).has_value())
                << chip.name << " " << chip.info.ChipType << "/" << chip.info.ROMtype;
        }
    }
    EXPECT_GE(library, 20);
}

TEST(ChipRulesData, EvenSerialChipsExistWithSerialNumbers) {
    const std::vector<std::string> kSetE{
        "QR31Z6142",  "QR31B3973",  "QR31Z6142B", "QR31B3973B", "QR31N4389T", "QR31E5217",
        "QR31V8123",  "QR31F0692",  "QR31V2390",  "QR31W5613",  "QR31F6776",  "QR31N4365",
        "QR31K3020",  "QR31W5613T", "QR31F6776T", "QR31N4365T", "QR31K3020T", "QR31JF4668",
        "QR31YH6019", "QR31PC9923", "QR31ZD2239", "31JF4668B",  "31YH6019B",  "31PC9923B",
        "31ZD2239B",  "QR31F5925",  "QR31H1974",  "QR31N3856",  "QR31JW1910", "QR31PZ3944",
        "QR31WH1265", "QR31ZJ0115", "QR31VE4227", "QR31L8140",  "QR31C8651",  "QR31F8C92",
        "QR31E3378",  "QR31L7393",  "QR31NDA86",  "QR31X8913",  "QR31N179A",  "QR31P2801",
        "QR31P29H0",  "QR31N2136"};
    ASSERT_EQ(kSetE.size(), 44u);
    for (const auto& name : kSetE) {
        EXPECT_EQ(Chip(name).keys.RollingCode, 1) << name;
    }
}

struct FixedSerialRow {
    std::vector<std::string> chips;
    std::uint32_t highestAddress;  // of the accepted start addresses
    bool infoRom;
};

// A four-byte serial number at the defined address must lie inside the chip: within the
// program memory, or within main plus information memory where the address is in Info ROM.
// Word-addressed chips (set W) take two addresses for the four bytes.
TEST(ChipRulesData, FixedSerialAddressesLieInsideTheChip) {
    const std::set<std::string> kSetW{
        "QR64L74M",  "QR68K39M",  "QR68E16M",  "QR68J86M",   "QR64NH45L", "QR64NH45H", "QR64YS90L",
        "QR64YS90H", "QR64E26",   "QR68N88M",  "QR64PX53H",  "QR64PX53L", "QR64FS38H", "QR64FS38L",
        "QR64Y09",   "QR64CC36L", "QR64CC36H", "QR64CC36BL", "QR64CC36BH"};
    ASSERT_EQ(kSetW.size(), 19u);
    const FixedSerialRow kSetF[] = {
        {{"QR64L74M"}, 0xFFD, false},
        {{"QR68K39M"}, 0x1FFD, false},
        {{"QR68E16M", "QR68J86M"}, 0x3FFD, false},
        {{"QR68N88M"}, 0x7FFD, false},
        {{"QR64NH45L", "QR64NH45H"}, 0xBFD, false},
        {{"QR64YS90L", "QR64YS90H"}, 0x7FD, false},
        {{"QR64E26"}, 0x5FD, false},
        {{"QR64PX53H", "QR64PX53L"}, 0xFFD, false},
        {{"QR64FS38H", "QR64FS38L"}, 0x1FFD, false},
        {{"QR64Y09", "QR64CC36L", "QR64CC36H", "QR64CC36BL", "QR64CC36BH"}, 0xEFD, false},
        {{"QR31V8123", "QR31E5217", "QR31V8123B", "QR31E5217B"}, 0xFF2, false},
        {{"QR31V2390", "QR31F0692", "QR31V2390B", "QR31F0692B"}, 0x1FF2, false},
        {{"QR31N4365", "QR31K3020", "QR31N4365T", "QR31K3020T"}, 0x1FE2, false},
        {{"QR31W5613", "QR31F6776", "QR31W5613T", "QR31F6776T"}, 0x3FE2, false},
        {{"QR31F5925", "QR31L8140", "QR31F8C92", "QR31NDA86", "QR31PC9923", "QR31ZD2239",
          "31PC9923B", "31ZD2239B"},
         0x1FE2,
         false},
        {{"QR31JF4668", "QR31YH6019", "31JF4668B", "31YH6019B"}, 0x3FE2, false},
        {{"QR31Z4150"}, 0x7FF6, false},
        {{"QR31N3856", "QR31PZ3944", "QR31ZJ0115"}, 0x1FF6, false},
        {{"QR31H1974", "QR31JW1910", "QR31WH1265", "QR31E3378"}, 0x3FF6, false},
        {{"QR31VE4227"}, 0x600, true},
        {{"QR31L1334"}, 0x600, false},
        {{"QR31C8651", "QR31Z6121", "QR31L7393", "QR31P2801", "QR31P29H0"}, 0xE520, true},
        {{"QR31N2136"}, 0xE51C, true},
        {{"31JE2278A", "31JE2278D"}, 0x7FF6, false},
        {{"QR31X8913"}, 0x27F6, false},
        {{"QR31N179A"}, 0x33F6, false},
    };
    for (const auto& row : kSetF) {
        for (const auto& name : row.chips) {
            const DeliveredChip& chip = Chip(name);
            EXPECT_EQ(chip.keys.RollingCode, 1) << name;
            EXPECT_EQ(chip.keys.MenuSerial_Num, 1) << name;
            const std::uint32_t end = row.highestAddress + (kSetW.count(name) ? 2 : 4);
            const std::uint32_t room =
                chip.info.Program_Capacity + (row.infoRom ? chip.info.Information_ROM_Capacity : 0);
            EXPECT_LE(end, room) << name;
            if (row.infoRom) {
                EXPECT_GT(chip.info.Information_ROM_Capacity, 0u) << name;
            }
        }
    }
    for (const auto& name : kSetW) {
        EXPECT_EQ(Chip(name).keys.RollingCode, 1) << name;
    }
}

}  // namespace
}  // namespace vexlor::test
