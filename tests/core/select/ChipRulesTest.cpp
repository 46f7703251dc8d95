#include <gtest/gtest.h>

#include "core/select/ForcedChipModes.h"
#include "core/select/PackageCode.h"
#include "core/select/ProductionLimitCount.h"

namespace vexlor {
namespace {

TEST(ChipSpecialCases, NamesAreComparedExactlyAndPerList) {
    struct Case {
        const char* name;
        bool exhv;
        bool isp;
    };
    const Case cases[] = {
        {"QR46EP6239", true, false},   {"46EP6239MB", true, false},  {"QR46NW51C", true, false},
        {"31YH6019B", false, true},    {"QR31K1C13", false, true},   {"31WH1265Z", false, true},
        {"31114826MB", false, true},   {"qr46ep6239", false, false}, {"QR46EP623", false, false},
        {"QR46EP6239 ", false, false}, {"QR31K1C13X", false, false}, {"", false, false},
        {"QR46NW5", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsForcedExHvIspChip(c.name), c.exhv) << c.name;
        EXPECT_EQ(IsForcedIspChip(c.name), c.isp) << c.name;
    }
    EXPECT_EQ(ForcedExHvIspChips.size(), 7u);
    EXPECT_EQ(ForcedIspChips.size(), 30u);
}

TEST(PackageCode, ComesFromThePackageNameOnlyWithTheSecondCatalogue) {
    struct Case {
        std::int32_t selector;
        const char* package;
        const char* expected;
    };
    const Case cases[] = {
        {1, "DIP 16", "0"}, {0, "SOP28", "0"},    {3, "SOP28", "0"},  {2, "SOP28", "28"},
        {2, "DIP 8", "8"},  {2, "SSOP-20", "20"}, {2, "QFN4A", "4A"}, {2, "8", "8"},
        {2, "", ""},        {2, "SOP 08", "08"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DerivePackageCode(c.selector, c.package), c.expected)
            << c.selector << " '" << c.package << "'";
    }
}

TEST(ProductionLimitCount, AcceptsOneTo99999999) {
    struct Case {
        const char* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"1", 1}, {"99999999", 99999999}, {" 250 ", 250}, {"+7", 7}, {"0042", 42},
    };
    for (const auto& c : cases) {
        const CountEntry entry = ParseProductionLimitCount(c.text);
        EXPECT_TRUE(entry.accepted) << c.text;
        EXPECT_EQ(entry.value, c.expected) << c.text;
        EXPECT_EQ(entry.refusal, "") << c.text;
    }
}

TEST(ProductionLimitCount, RefusesOutOfRangeAndNonNumbers) {
    const std::string range = "Enter an integer between 1 and 99999999.";
    const std::string integer = "Enter an integer.";
    struct Case {
        const char* text;
        const std::string& refusal;
    };
    const Case cases[] = {
        {"0", range},   {"100000000", range}, {"-5", range},    {"99999999999999999999", range},
        {"", range},    {"  ", range},        {"12a", integer}, {"1 2", integer},
        {"-", integer}, {"0x10", integer},
    };
    for (const auto& c : cases) {
        const CountEntry entry = ParseProductionLimitCount(c.text);
        EXPECT_FALSE(entry.accepted) << c.text;
        EXPECT_EQ(entry.refusal, c.refusal) << c.text;
    }
}

}  // namespace
}  // namespace vexlor
