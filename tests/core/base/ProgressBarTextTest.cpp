#include "core/base/ProgressBarText.h"

#include <gtest/gtest.h>

namespace vexlor {
namespace {

TEST(ProgressBarText, RateAndTimeLeftFollowFromBytesAndElapsedTime) {
    const auto check = [&](const ProgressBarState& state, const std::string& line) {
        EXPECT_EQ(ProgressBarLine(state, 10), line);
    };
    check({0.5, 0, 4000}, "[#####-----]  50%  0:04 left");
    check({0.25, 12800, 1000}, "[##--------]  25%  12.5 KiB/s  0:03 left");
    check({0.5, 500, 1000}, "[#####-----]  50%  500 B/s  0:01 left");
    check({0.75, 3 * 1024 * 1024, 2000}, "[#######---]  75%  1.5 MiB/s  0:01 left");
    // Part of a second left shows as a whole one, not as none.
    check({0.8, 0, 1000}, "[########--]  80%  0:01 left");
    check({0.5, 0, 3600 * 1000}, "[#####-----]  50%  1:00:00 left");
    // Nothing done or no time passed yet: no guess at the time left.
    check({0.0, 0, 5000}, "[----------]   0%  --:-- left");
    check({0.5, 0, 0}, "[#####-----]  50%  --:-- left");
    check({1.5, 2048, 1000}, "[##########] 100%  2.0 KiB/s  0:00 left");
}

}  // namespace
}  // namespace vexlor
