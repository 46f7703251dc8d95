#include "WriterFixture.h"

namespace vexlor::test {
namespace {

struct JobCase {
    const char* name;
    std::vector<std::uint8_t> statuses;
    std::uint8_t thenForever;
    bool ok;
    std::size_t polls;
};

class RunWriterJobTest : public WriterFixture, public ::testing::WithParamInterface<JobCase> {};

// Only the low two bits count; six equal non-zero polls in a row end the job.
TEST_P(RunWriterJobTest, SettlesOnSixEqualNonZeroPolls) {
    const JobCase& c = GetParam();
    connect(Path::Own);
    device.statuses.assign(c.statuses.begin(), c.statuses.end());
    device.statusWhenScriptEnds = c.thenForever;
    EXPECT_EQ(writer.RunWriterJob(0x14, 1), c.ok);
    ASSERT_GE(device.transcript.size(), 1u);
    EXPECT_EQ(device.transcript.front(), Out(0x15, {0x14}));
    EXPECT_EQ(device.transcript.size() - 1, c.polls);
    EXPECT_EQ(buttons.calls, (std::vector<std::string>{"disable", "enable"}));
    EXPECT_EQ(clock.waits(), std::vector<std::uint32_t>{300});
    EXPECT_TRUE(op.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, RunWriterJobTest,
    ::testing::Values(JobCase{"OneOneThenTwos", {1, 1, 2, 2, 2, 2, 2, 2}, 0, true, 8},
                      JobCase{"ThreeSixTimes", {3, 3, 3, 3, 3, 3}, 0, false, 6},
                      JobCase{"BusyThenOnes", {0, 0, 0, 1, 1, 1, 1, 1, 1}, 0, true, 9},
                      JobCase{"HighBitsIgnored", {0x05, 0xF5, 0x01, 0x81, 0x41, 0x21}, 0, true, 6},
                      JobCase{
                          "ZeroBreaksTheRun", {2, 2, 2, 2, 2, 0, 2, 2, 2, 2, 2, 2}, 0, true, 12},
                      JobCase{"ChangeRestartsTheRun", {3, 3, 3, 3, 3, 1}, 1, true, 11}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(WriterFixture, JobProgressIsPollsDividedByTimeoutThenFifty) {
    connect(Path::Own);
    device.statuses = {0, 1, 1, 1, 1, 1, 1};
    EXPECT_TRUE(writer.RunWriterJob(0x10, 3));
    EXPECT_EQ(progress.events,
              (std::vector<std::string>{"P0", "P0", "P1", "P1", "P1", "P2", "P2", "P50"}));
}

TEST_F(WriterFixture, JobWithoutTimeoutValueLeavesTheBarUntilDone) {
    connect(Path::Own);
    device.statuses = {1, 1, 1, 1, 1, 1};
    EXPECT_TRUE(writer.RunWriterJob(0x12, 0));
    EXPECT_EQ(progress.events, std::vector<std::string>{"P50"});
}

TEST_F(WriterFixture, JobThatNeverSettlesEndsAtTheBoundAsFail) {
    connect(Path::Own);
    device.statusWhenScriptEnds = 0;
    EXPECT_FALSE(writer.RunWriterJob(0x14, 4));
    EXPECT_EQ(device.transcript.size() - 1, 20000u);
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.last().text, "The writer did not finish the job in time.");
    EXPECT_EQ(op.last().icon, MessageIcon::Stop);
    EXPECT_EQ(buttons.calls, (std::vector<std::string>{"disable", "enable"}));
}

TEST_F(WriterFixture, JobEndsWhenTheWriterStopsAnswering) {
    connect(Path::Own);
    device.statuses = {0, 0};
    writer.RunWriterJob(0x14, 1);  // warm-up leaves the status script empty
    device.transcript.clear();
    op.shown.clear();
    device.answerStatus = false;
    EXPECT_FALSE(writer.RunWriterJob(0x14, 1));
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.last().text, "The writer stopped answering during the job.");
}

TEST(JobPollLimitTest, TwentyTimesTheExpectedPollsWithAFloor) {
    const std::vector<std::pair<std::uint32_t, std::uint64_t>> cases{
        {0, 20000}, {1, 20000}, {20, 20000}, {21, 21000}, {500, 500000}};
    for (const auto& [timeout, limit] : cases) {
        EXPECT_EQ(Writer::JobPollLimit(timeout), limit) << "timeout " << timeout;
    }
}

}  // namespace
}  // namespace vexlor::test
