#include "core/base/ProgressBarText.h"

#include <gtest/gtest.h>

namespace vexlor {
namespace {

TEST(ProgressBarText, RateAndTimeLeftFollowFromBytesAndElapsedTime) {
    const struct {
        ProgressBarState state;
        std::string line;
    } cases[] = {
        {{0.5, 0, 4000}, "[#####-----]  50%  0:04 left"},
        {{0.25, 12800, 1000}, "[##--------]  25%  12.5 KiB/s  0:03 left"},
        {{0.5, 500, 1000}, "[#####-----]  50%  500 B/s  0:01 left"},
        {{0.75, 3 * 1024 * 1024, 2000}, "[#######---]  75%  1.5 MiB/s  0:01 left"},
        // Part of a second left shows as a whole one, not as none.
        {{0.8, 0, 1000}, "[########--]  80%  0:01 left"},
        {{0.5, 0, 3600 * 1000}, "[#####-----]  50%  1:00:00 left"},
        // Nothing done or no time passed yet: no guess at the time left.
        {{0.0, 0, 5000}, "[----------]   0%  --:-- left"},
        {{0.5, 0, 0}, "[#####-----]  50%  --:-- left"},
        {{1.5, 2048, 1000}, "[##########] 100%  2.0 KiB/s  0:00 left"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgressBarLine(c.state, 10), c.line);
    }
}

}  // namespace
}  // namespace vexlor
