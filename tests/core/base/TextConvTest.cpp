#include <gtest/gtest.h>

#include "core/base/TextConv.h"

namespace vexlor {
namespace {

TEST(AtoiText, FollowsTheCLibraryRules) {
    const auto check = [&](const char* text, std::int32_t expected) {
        EXPECT_EQ(atoiText(text), expected) << '"' << text << '"';
    };
    check("42", 42);
    check(" 12abc", 12);
    check("\t-7", -7);
    check("+5", 5);
    check("abc", 0);
    check("", 0);
    check("- 3", 0);
    check("0012", 12);
    check("2147483647", 2147483647);
    // Wraps instead of overflowing.
    check("4294967297", 1);
}

TEST(AtofText, ReadsLeadingNumberOnly) {
    EXPECT_FLOAT_EQ(atofText("5.5"), 5.5f);
    EXPECT_FLOAT_EQ(atofText(" 12.25V"), 12.25f);
    EXPECT_FLOAT_EQ(atofText("five"), 0.0f);
}

}  // namespace
}  // namespace vexlor
