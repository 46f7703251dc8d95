#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <span>

#include "core/select/ForcedChipModes.h"
#include "core/select/PackageCode.h"
#include "core/select/ProductionLimitCount.h"

namespace vexlor {
namespace {

bool listedIn(std::span<const std::string_view> list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// Each list is checked by its own entries: a listed name is forced in its list only, and a
// name that merely resembles it is forced in neither.
TEST(ChipSpecialCases, NamesAreComparedExactlyAndPerList) {
    const auto resemblances = [](const std::string& name) {
        std::string lower = name;
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return std::vector<std::string>{lower, name.substr(0, name.size() - 1), name + " ",
                                        name + "X"};
    };
    using Names = std::span<const std::string_view>;
    struct List {
        Names names;
        bool (*forced)(std::string_view);
        bool (*forcedByTheOther)(std::string_view);
    };
    for (const List& list : {List{ForcedExHvIspChips, IsForcedExHvIspChip, IsForcedIspChip},
                             List{ForcedIspChips, IsForcedIspChip, IsForcedExHvIspChip}}) {
        ASSERT_FALSE(list.names.empty());
        for (std::string_view listed : list.names) {
            const std::string name(listed);
            EXPECT_TRUE(list.forced(name)) << name;
            EXPECT_FALSE(list.forcedByTheOther(name)) << name;
            for (const std::string& other : resemblances(name)) {
                EXPECT_EQ(list.forced(other), listedIn(list.names, other)) << other;
            }
        }
    }
    EXPECT_FALSE(IsForcedIspChip(""));
    EXPECT_FALSE(IsForcedExHvIspChip(""));
}

TEST(PackageCode, ComesFromThePackageNameOnlyWithTheSecondCatalogue) {
    const auto check = [&](std::int32_t selector, const char* package, const char* expected) {
        EXPECT_EQ(DerivePackageCode(selector, package), expected)
            << selector << " '" << package << "'";
    };
    check(1, "DIP 16", "0");
    check(0, "SOP28", "0");
    check(3, "SOP28", "0");
    check(2, "SOP28", "28");
    check(2, "DIP 8", "8");
    check(2, "SSOP-20", "20");
    check(2, "QFN4A", "4A");
    check(2, "8", "8");
    check(2, "", "");
    check(2, "SOP 08", "08");
}

// An accepted count has no refusal; a refused one names the rule it broke.
TEST(ProductionLimitCount, AcceptsOneTo99999999AndRefusesTheRest) {
    const std::string range = "Enter an integer between 1 and 99999999.";
    const std::string integer = "Enter an integer.";
    // The value counts only when accepted.
    const auto check = [&](const char* text, std::int32_t value, const std::string& refusal) {
        const CountEntry entry = ParseProductionLimitCount(text);
        EXPECT_EQ(entry.accepted, refusal.empty()) << text;
        EXPECT_EQ(entry.refusal, refusal) << text;
        if (entry.accepted) {
            EXPECT_EQ(entry.value, value) << text;
        }
    };
    check("1", 1, "");
    check("99999999", 99999999, "");
    check(" 250 ", 250, "");
    check("+7", 7, "");
    check("0042", 42, "");
    check("0", 0, range);
    check("100000000", 0, range);
    check("-5", 0, range);
    check("99999999999999999999", 0, range);
    check("", 0, range);
    check("  ", 0, range);
    check("12a", 0, integer);
    check("1 2", 0, integer);
    check("-", 0, integer);
    check("0x10", 0, integer);
}

}  // namespace
}  // namespace vexlor
