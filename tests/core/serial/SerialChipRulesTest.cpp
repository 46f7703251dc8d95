#include <gtest/gtest.h>

#include <sstream>

#include "core/serial/SerialChipRules.h"

namespace vexlor {
namespace {

// The fixed-address chips as the product documents them: chips | address | message, with
// "either" rows naming two addresses. Parsed here so the rules are checked against the
// document's wording rather than against the program's own table.
constexpr const char* kFixedChipsDocument =
    R"(QR64L74M | 0xFFD | S/N Start Address Error (defined=>ffdh)
QR68K39M | 0x1FFD | S/N Start Address Error (defined=>1ffdh)
QR68E16M, QR68J86M | 0x3FFD | S/N Start Address Error (defined=>3ffdh)
QR68N88M | 0x7FFD | S/N Start Address Error (defined=>7ffdh)
QR64NH45L, QR64NH45H | 0xBFD | S/N Start Address Error (defined=>bfdh)
QR64YS90L, QR64YS90H | 0x7FD | S/N Start Address Error (defined=>7fdh)
QR64E26 | 0x5FD | S/N Start Address Error (defined=>5fdh)
QR64PX53H, QR64PX53L | 0xFFD | S/N Start Address Error (defined=>ffdh)
QR64FS38H, QR64FS38L | 0x1FFD | S/N Start Address Error (defined=>1ffdh)
QR64Y09, QR64CC36L, QR64CC36H, QR64CC36BL, QR64CC36BH | 0xEFD or 0x7F6 | S/N Start Address Error\n (Normal Code / First Code use should defined=>efdh)\n (Second Code use should defined=>7f6h)
QR31V8123, QR31E5217, QR31V8123B, QR31E5217B | 0xFF2 | S/N Start Address Error (defined=>ff2h)
QR31V2390, QR31F0692, QR31V2390B, QR31F0692B | 0x1FF2 | S/N Start Address Error (defined=>1ff2h)
QR31N4365, QR31K3020, QR31N4365T, QR31K3020T | 0x1FE2 | S/N Start Address Error (defined=>1fe2h)
QR31W5613, QR31F6776, QR31W5613T, QR31F6776T | 0x3FE2 | S/N Start Address Error (defined=>3fe2h)
QR31F5925; QR31L8140, QR31F8C92, QR31NDA86; QR31PC9923, QR31ZD2239, 31PC9923B, 31ZD2239B | 0x1FE2 | S/N Start Address Error (defined=>1fe2h)
QR31JF4668, QR31YH6019, 31JF4668B, 31YH6019B | 0x3FE2 | S/N Start Address Error (defined=>3fe2h)
QR31Z4150 | 0x7FF6 | S/N Start Address Error (defined=>7ff6h)
QR31N3856; QR31PZ3944, QR31ZJ0115 | 0x1FF6 | S/N Start Address Error (defined=>1ff6h)
QR31H1974; QR31JW1910, QR31WH1265, QR31E3378 | 0x3FF6 | S/N Start Address Error (defined=>3ff6h)
QR31VE4227 | 0x600 | S/N Start Address Error (defined Info ROM=>0600h)
QR31L1334 | 0x600 | S/N Start Address Error (defined=>0600h)
QR31C8651, QR31Z6121, QR31L7393, QR31P2801, QR31P29H0 | 0xE520 | S/N Start Address Error (defined Info ROM=>E520h)
QR31N2136 | 0xE51C | S/N Start Address Error (defined Info ROM=>E51Ch)
31JE2278A, 31JE2278D | 0x7FF6 | S/N Start Address Error (defined=>7FF6h)
QR31X8913 | 0x27F6 | S/N Start Address Error (defined=>27F6h)
QR31N179A | 0x33F6 | S/N Start Address Error (defined=>33F6h))";

constexpr const char* kEvenChipsDocument =
    "QR31Z6142, QR31B3973, QR31Z6142B, QR31B3973B, QR31N4389T, QR31E5217, QR31V8123, "
    "QR31F0692, QR31V2390, QR31W5613, QR31F6776, QR31N4365, QR31K3020, QR31W5613T, QR31F6776T, "
    "QR31N4365T, QR31K3020T, QR31JF4668, QR31YH6019, QR31PC9923, QR31ZD2239, 31JF4668B, "
    "31YH6019B, 31PC9923B, 31ZD2239B, QR31F5925, QR31H1974, QR31N3856, QR31JW1910, QR31PZ3944, "
    "QR31WH1265, QR31ZJ0115, QR31VE4227, QR31L8140, QR31C8651, QR31F8C92, QR31E3378, QR31L7393, "
    "QR31NDA86, QR31X8913, QR31N179A, QR31P2801, QR31P29H0, QR31N2136";

struct FixedRow {
    std::vector<std::string> chips;
    std::vector<std::uint32_t> addresses;
    std::string message;
};

std::string trim(std::string text) {
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

std::vector<std::string> names(const std::string& list) {
    std::vector<std::string> out;
    std::string name;
    std::istringstream in(list);
    while (std::getline(in, name, ',')) {
        std::istringstream parts(name);
        std::string part;
        while (std::getline(parts, part, ';')) {
            out.push_back(trim(part));
        }
    }
    return out;
}

std::vector<FixedRow> fixedRows() {
    std::vector<FixedRow> rows;
    std::istringstream in(kFixedChipsDocument);
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
    for (const std::string& name : names(kEvenChipsDocument)) {
        if (name == chip) {
            return true;
        }
    }
    return false;
}

const ICInfo kRoomyChip = [] {
    ICInfo chip;
    chip.Program_Capacity = 0x10000;
    return chip;
}();

TEST(SerialChipRules, DocumentListsAreComplete) {
    EXPECT_EQ(names(kEvenChipsDocument).size(), 44u);
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
    for (const std::string& chip : names(kEvenChipsDocument)) {
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
    for (const std::string& chip : names(kEvenChipsDocument)) {
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

TEST(SerialChipRules, HalfAddressChips) {
    for (const char* chip : {"QR64L74M", "QR68N88M", "QR64CC36BH", "QR64Y09"}) {
        EXPECT_TRUE(InHalfAddressSerialSet(chip)) << chip;
    }
    EXPECT_FALSE(InHalfAddressSerialSet("QR31N4365"));
}

}  // namespace
}  // namespace vexlor
