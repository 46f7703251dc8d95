#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/serial/SerialChipRules.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

// The chip lists as the product documents them (tests/data/serial): the even-address chips,
// and the fixed-address chips as chips | address | message, with "either" rows naming two
// addresses. Parsed here so the rules are checked against the document's wording rather than
// against the program's own table.
struct FixedRow {
    std::vector<std::string> chips;
    std::vector<std::uint32_t> addresses;
    std::string message;
};

// Names separated by commas or semicolons, blanks and line ends around them dropped.
std::vector<std::string> names(std::string list) {
    std::replace(list.begin(), list.end(), ';', ',');
    std::vector<std::string> out;
    std::istringstream in(list);
    for (std::string name; std::getline(in, name, ',');) {
        const auto first = name.find_first_not_of(" \n");
        const auto last = name.find_last_not_of(" \n");
        out.push_back(first == std::string::npos ? "" : name.substr(first, last - first + 1));
    }
    return out;
}

std::vector<FixedRow> fixedRows() {
    std::vector<FixedRow> rows;
    std::istringstream in(test::dataText("serial/fixed-chips.txt"));
    std::string line;
    while (std::getline(in, line)) {
        const auto bar1 = line.find(" | ");
        const auto bar2 = line.find(" | ", bar1 + 3);
        FixedRow row{names(line.substr(0, bar1)), {}, line.substr(bar2 + 3)};
        std::istringstream addresses(line.substr(bar1 + 3, bar2 - bar1 - 3));
        std::string word;
        while (addresses >> word) {
            if (word != "or") {
                row.addresses.push_back(static_cast<std::uint32_t>(std::stoul(word, nullptr, 16)));
            }
        }
        for (auto at = row.message.find("\\n"); at != std::string::npos;
             at = row.message.find("\\n")) {
            row.message.replace(at, 2, "\n");
        }
        rows.push_back(row);
    }
    return rows;
}

bool inEvenDocument(const std::string& chip) {
    return std::ranges::count(names(test::dataText("serial/even-chips.txt")), chip) > 0;
}

const ICInfo kRoomyChip = [] {
    ICInfo chip;
    chip.Program_Capacity = 0x10000;
    return chip;
}();

TEST(SerialChipRules, DocumentListsAreComplete) {
    EXPECT_EQ(names(test::dataText("serial/even-chips.txt")).size(), 44u);
    std::size_t fixedChips = 0;
    for (const FixedRow& row : fixedRows()) {
        fixedChips += row.chips.size();
    }
    EXPECT_EQ(fixedRows().size(), 26u);
    EXPECT_EQ(fixedChips, 67u);
}

TEST(SerialChipRules, FixedChipsTakeFourBytesAtTheirDefinedAddresses) {
    for (const FixedRow& row : fixedRows()) {
        for (const std::string& chip : row.chips) {
            SCOPED_TRACE(chip);
            EXPECT_TRUE(InFixedSerialSet(chip));
            for (std::uint32_t address : row.addresses) {
                EXPECT_EQ(CheckSerialPlacement(chip, kRoomyChip, address, 4), std::nullopt);
                // An even length keeps the even-address chips past their own test.
                EXPECT_EQ(CheckSerialPlacement(chip, kRoomyChip, address, 6), "S/N Length Enter 4");
            }
            EXPECT_EQ(CheckSerialPlacement(chip, kRoomyChip, row.addresses[0] + 2, 4), row.message);
            EXPECT_EQ(CheckSerialPlacement(chip, kRoomyChip, 0x100, 4), row.message);
        }
    }
}

TEST(SerialChipRules, EvenChipsRefuseOddAddressFirstThenOddLength) {
    for (const std::string& chip : names(test::dataText("serial/even-chips.txt"))) {
        SCOPED_TRACE(chip);
        EXPECT_TRUE(InEvenSerialSet(chip));
        EXPECT_EQ(CheckSerialPlacement(chip, kRoomyChip, 0x1FE3, 3),
                  "S/N Start Address, Please Enter an even data");
        EXPECT_EQ(CheckSerialPlacement(chip, kRoomyChip, 0x1FE2, 3),
                  "S/N Length Address, Please Enter an even data");
    }
}

TEST(SerialChipRules, EvenChipsWithoutFixedAddressAreNotLimitedByCapacity) {
    ICInfo tiny;
    tiny.Program_Capacity = 0x10;
    for (const std::string& chip : names(test::dataText("serial/even-chips.txt"))) {
        if (!InFixedSerialSet(chip)) {
            EXPECT_EQ(CheckSerialPlacement(chip, tiny, 0x4000, 8), std::nullopt) << chip;
        }
    }
    EXPECT_FALSE(InFixedSerialSet("QR31Z6142"));
}

TEST(SerialChipRules, OtherChipsStayBelowPagelockOrCapacity) {
    ICInfo pagelock;
    pagelock.Have_Pagelock = 1;
    pagelock.Program_Capacity = 0x10000;
    EXPECT_EQ(CheckSerialPlacement("QR99A", pagelock, 0x125, 4), "S/N End Address > 0x128");
    EXPECT_EQ(CheckSerialPlacement("QR99A", pagelock, 0x124, 4), std::nullopt);
    ICInfo plain;
    plain.Program_Capacity = 0x800;
    EXPECT_EQ(CheckSerialPlacement("QR99A", plain, 0x7FD, 4), "S/N End Address > 0x800");
    EXPECT_EQ(CheckSerialPlacement("QR99A", plain, 0x7FC, 4), std::nullopt);
    EXPECT_EQ(CheckSerialPlacement("QR99A", plain, 0xFFFFFFFF, 4), "S/N End Address > 0x800");
    EXPECT_FALSE(inEvenDocument("QR99A") || InFixedSerialSet("QR99A"));
}

}  // namespace
}  // namespace vexlor
