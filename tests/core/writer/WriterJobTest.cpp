#include <gtest/gtest.h>

#include "SimRig.h"

namespace vexlor::test {
namespace {

using sim::test::SimRig;

class WriterJobTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(rig.connect());
        device.faults().jobNeverSettles = true;  // only the scripted statuses count
    }
    void script(std::initializer_list<std::uint8_t> statuses) {
        device.faults().statusScript.assign(statuses);
    }
    // Status polls the job took, after its start command.
    std::size_t polls() {
        const auto words = rig.exchanges();
        EXPECT_EQ(words.front(), "15>14");
        return words.size() - 1;
    }

    sim::SimWriter device;
    SimRig rig{device};
};

struct JobCase {
    const char* name;
    std::initializer_list<std::uint8_t> statuses;
    bool ok;
    std::size_t polls;
};

// Only the low two bits count; six equal non-zero polls in a row end the job; 3 is FAIL.
TEST_F(WriterJobTest, SettlesOnSixEqualNonZeroPolls) {
    const JobCase cases[] = {
        {"one one then twos", {1, 1, 2, 2, 2, 2, 2, 2}, true, 8},
        {"three six times", {3, 3, 3, 3, 3, 3}, false, 6},
        {"busy then ones", {0, 0, 0, 1, 1, 1, 1, 1, 1}, true, 9},
        {"high bits ignored", {0x05, 0xF5, 0x01, 0x81, 0x41, 0x21}, true, 6},
        {"zero breaks the run", {2, 2, 2, 2, 2, 0, 2, 2, 2, 2, 2, 2}, true, 12},
        {"change restarts the run", {3, 3, 3, 3, 3, 1, 1, 1, 1, 1, 1}, true, 11},
    };
    for (const JobCase& c : cases) {
        SCOPED_TRACE(c.name);
        script(c.statuses);
        rig.buttons.calls.clear();
        rig.clock.clearWaits();
        EXPECT_EQ(rig.writer.RunWriterJob(job::kProgram, 1), c.ok);
        EXPECT_EQ(polls(), c.polls);
        EXPECT_EQ(rig.buttons.calls, (std::vector<std::string>{"disable", "enable"}));
        // The start's 300 ms, then a 2 ms pause between one poll and the next.
        std::vector<std::uint32_t> waits(c.polls, 2);
        waits.front() = 300;
        EXPECT_EQ(rig.clock.waits(), waits);
    }
    EXPECT_TRUE(rig.op.shown.empty());
}

// Without a time-out value the bar waits for the end.
TEST_F(WriterJobTest, ProgressIsPollsDividedByTimeoutThenFifty) {
    script({0, 1, 1, 1, 1, 1, 1});
    EXPECT_TRUE(rig.writer.RunWriterJob(job::kAuto, 3));
    EXPECT_EQ(rig.progress.events,
              (std::vector<std::string>{"P0", "P0", "P1", "P1", "P1", "P2", "P2", "P50"}));
    rig.progress.events.clear();
    script({1, 1, 1, 1, 1, 1});
    EXPECT_TRUE(rig.writer.RunWriterJob(job::kBlankCheck, 0));
    EXPECT_EQ(rig.progress.events, std::vector<std::string>{"P50"});
}

TEST_F(WriterJobTest, JobThatNeverSettlesEndsAtTheBoundAsFail) {
    EXPECT_FALSE(rig.writer.RunWriterJob(job::kProgram, 4));
    EXPECT_EQ(polls(), 20000u) << "twenty times the expected polls, at least 20000";
    EXPECT_EQ(rig.op.texts(),
              std::vector<std::string>{"The writer did not finish the job in time."});
    EXPECT_EQ(rig.op.last().icon, MessageIcon::Stop);
    EXPECT_EQ(rig.buttons.calls, (std::vector<std::string>{"disable", "enable"}));
    EXPECT_EQ(Writer::JobPollLimit(21), 21000u);
    EXPECT_FALSE(rig.writer.link().writerConnected) << "a writer that never finishes is let go";
}

TEST_F(WriterJobTest, SlowStatusAnswersEndTheJobAtItsTimeBound) {
    // Each poll takes a second: the 40 s bound of timeout 4 runs out on the 40th poll, long
    // before its 20000 polls.
    device.setCommandObserver([this](const sim::TranscriptEntry& entry) {
        if (entry.command == cmd::kJobStatus) {
            rig.clock.advance(1000);
        }
    });
    EXPECT_FALSE(rig.writer.RunWriterJob(job::kProgram, 4));
    EXPECT_EQ(polls(), 40u);
    EXPECT_EQ(rig.op.texts(),
              std::vector<std::string>{"The writer did not finish the job in time."});
    EXPECT_FALSE(rig.writer.link().writerConnected);
}

TEST_F(WriterJobTest, WriterUnpluggedDuringTheJobEndsItAsFail) {
    device.setCommandObserver([this](const sim::TranscriptEntry& entry) {
        if (entry.command == cmd::kJobStatus) {
            device.detach();
        }
    });
    EXPECT_FALSE(rig.writer.RunWriterJob(job::kProgram, 1));
    EXPECT_EQ(rig.op.texts(),
              std::vector<std::string>{"The writer stopped answering during the job."});
    EXPECT_FALSE(rig.writer.link().writerConnected);
}

}  // namespace
}  // namespace vexlor::test
