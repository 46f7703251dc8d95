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

// An accepted count has no refusal; a refused one names the rule it broke.
TEST(ProductionLimitCount, AcceptsOneTo99999999AndRefusesTheRest) {
    const std::string range = "Enter an integer between 1 and 99999999.";
    const std::string integer = "Enter an integer.";
    const struct {
        const char* text;
        std::int32_t value;  // when accepted
        std::string refusal;
    } cases[] = {
        {"1", 1, ""},
        {"99999999", 99999999, ""},
        {" 250 ", 250, ""},
        {"+7", 7, ""},
        {"0042", 42, ""},
        {"0", 0, range},
        {"100000000", 0, range},
        {"-5", 0, range},
        {"99999999999999999999", 0, range},
        {"", 0, range},
        {"  ", 0, range},
        {"12a", 0, integer},
        {"1 2", 0, integer},
        {"-", 0, integer},
        {"0x10", 0, integer},
    };
    for (const auto& c : cases) {
        const CountEntry entry = ParseProductionLimitCount(c.text);
        EXPECT_EQ(entry.accepted, c.refusal.empty()) << c.text;
        EXPECT_EQ(entry.refusal, c.refusal) << c.text;
        if (entry.accepted) {
            EXPECT_EQ(entry.value, c.value) << c.text;
        }
    }
}

}  // namespace
}  // namespace vexlor
