#include <gtest/gtest.h>

#include <string>

#include "core/base/Clock.h"
#include "core/base/Diagnostics.h"

namespace vexlor {
namespace {

TEST(Format, HandlesTextLongerThanAnyFixedBuffer) {
    const std::string longName(5000, 'x');
    EXPECT_EQ(format("%s open file error\n", longName.c_str()), longName + " open file error\n");
    EXPECT_EQ(format("%04X", 0xbeef), "BEEF");
}

TEST(Diagnostics, SendsFormattedLinesToTheSink) {
    std::string captured;
    Diagnostics diagnostics([&](std::string_view text) { captured += text; });
    diagnostics.printf("success: bulk write %d bytes\n", 13);
    diagnostics.print("Opened successfully.\n");
    EXPECT_EQ(captured, "success: bulk write 13 bytes\nOpened successfully.\n");
}

TEST(VirtualClock, WaitsCostNoTimeButMoveTheTicks) {
    VirtualClock clock;
    clock.busyWait(300);
    clock.busyWait(1500);
    EXPECT_EQ(clock.tickMs(), 1800u);
    EXPECT_EQ(clock.waits(), (std::vector<std::uint32_t>{300, 1500}));
}

}  // namespace
}  // namespace vexlor
