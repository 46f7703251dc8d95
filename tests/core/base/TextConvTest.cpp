#include <gtest/gtest.h>

#include "core/base/TextConv.h"

namespace vexlor {
namespace {

TEST(AtoiText, FollowsTheCLibraryRules) {
    struct Case {
        const char* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"42", 42},
        {" 12abc", 12},
        {"\t-7", -7},
        {"+5", 5},
        {"abc", 0},
        {"", 0},
        {"- 3", 0},
        {"0012", 12},
        {"2147483647", 2147483647},
        // Wraps instead of overflowing.
        {"4294967297", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(atoiText(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(AtofText, ReadsLeadingNumberOnly) {
    EXPECT_FLOAT_EQ(atofText("5.5"), 5.5f);
    EXPECT_FLOAT_EQ(atofText(" 12.25V"), 12.25f);
    EXPECT_FLOAT_EQ(atofText("five"), 0.0f);
}

}  // namespace
}  // namespace vexlor
