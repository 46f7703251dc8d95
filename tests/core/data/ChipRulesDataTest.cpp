// The chips the program treats by name are all delivered, with parameters that let their
// special handling work.

#include <string>
#include <tuple>

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
            EXPECT_EQ(std::tuple(bytes[0x0A], bytes[0x0C], bytes[0x0E], bytes[0x0F]),
                      std::tuple(0x03, 0x05, 0x07, 27));
            EXPECT_EQ(bytes[0x16] * 256 + bytes[0x17], chip.info.Program_Capacity) << chip.name;
        }
    }
    EXPECT_GE(routed, 20);
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

}  // namespace
}  // namespace vexlor::test
