// Writer jobs on the simulated writer: status sequences, the chip, the production limit and
// the serial-number run, driven by whole commands.
#include <gtest/gtest.h>

#include <algorithm>

#include "sim/SimWriter.h"

namespace vexlor::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr auto kLib = SimTransport::AccessLibrary;

std::vector<std::uint8_t> polls(SimWriter& w, int count) {
    std::vector<std::uint8_t> seen;
    for (int i = 0; i < count; ++i) {
        std::array<std::uint8_t, 1> s{0xEE};
        EXPECT_TRUE(w.commandIn(kLib, command::kJobStatus, s));
        seen.push_back(s[0]);
    }
    return seen;
}

void writeArea(SimWriter& w, std::uint8_t area, const Bytes& bytes) {
    ASSERT_TRUE(w.commandOut(kLib, command::kOpenArea, Bytes{area, 0x17}));
    ASSERT_TRUE(w.commandOut(kLib, command::kWriteArea, bytes));
    ASSERT_TRUE(w.commandOut(kLib, command::kOpenArea, Bytes{0x0C, 0x07}));
}

// Runs a job and returns its settled status.
std::uint8_t run(SimWriter& w, std::uint8_t jobCode) {
    EXPECT_TRUE(w.commandOut(kLib, command::kStartJob, Bytes{jobCode}));
    return polls(w, w.config().busyPolls + 1).back();
}

TEST(SimJobs, StatusIsBusyForTheConfiguredPollsThenStable) {
    struct Case {
        int busyPolls;
        std::uint8_t okStatus;
        SimFaults faults;
        std::vector<std::uint8_t> expected;
    };
    SimFaults failing;
    failing.jobFails = true;
    SimFaults endless;
    endless.jobNeverSettles = true;
    const Case cases[] = {
        {3, 1, {}, {0, 0, 0, 1, 1, 1, 1, 1}},
        {0, 2, {}, {2, 2, 2, 2, 2, 2, 2, 2}},
        {2, 1, failing, {0, 0, 3, 3, 3, 3, 3, 3}},
        {1, 1, endless, {0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SimConfig config;
        config.busyPolls = c.busyPolls;
        config.okStatus = c.okStatus;
        SimWriter w(config);
        w.faults() = c.faults;
        ASSERT_TRUE(w.chip().isBlank());
        ASSERT_TRUE(w.commandOut(kLib, command::kStartJob, Bytes{job::kBlankCheck}));
        EXPECT_EQ(polls(w, 8), c.expected);
    }
}

TEST(SimJobs, HostSequenceHasNoResultAndUnknownJobsFail) {
    SimWriter w;
    EXPECT_TRUE(w.commandOut(kLib, command::kStartJob, Bytes{job::kHostSequence}));
    EXPECT_EQ(polls(w, 3), (std::vector<std::uint8_t>{0, 0, 0}));
    EXPECT_FALSE(w.commandOut(kLib, command::kStartJob, Bytes{0x99}));
    EXPECT_EQ(polls(w, 1).back() & 3, 3);
}

TEST(SimJobs, ChipJobsFollowTheChipAndTheDownload) {
    struct Case {
        Bytes chipBefore;  // empty: blank
        bool download;
        std::uint8_t jobCode;
        std::uint8_t status;
        bool socketEmpty = false;  // the chip is taken out before the job
    };
    const Bytes data{0x10, 0x20, 0x30};
    const Case cases[] = {
        {{}, false, job::kBlankCheck, 1},
        {{0xFF, 0x00}, false, job::kBlankCheck, 3},
        {{}, false, job::kProgram, 3},  // nothing downloaded
        {{}, true, job::kProgram, 1},
        {{0x10, 0x21}, true, job::kProgram, 3},       // 0x21 cannot become 0x20
        {{0x10, 0x20, 0x30}, true, job::kVerify, 1},  // a chip programmed elsewhere
        {{0x10, 0x20, 0x31}, true, job::kVerify, 3},
        {{0x10, 0x20, 0x30}, false, job::kVerify, 3},  // nothing downloaded
        {{}, true, job::kAuto, 1},
        {{0x10}, true, job::kAuto, 3},  // not blank
        {{}, true, job::kProgram, 3, true},
        {{0x10, 0x20, 0x30}, true, job::kVerify, 3, true},
        {{0x10, 0x20, 0x30}, true, job::kRead, 3, true},
    };
    for (const auto& c : cases) {
        SimWriter w;
        w.chip().insert(c.chipBefore);
        if (c.download) {
            writeArea(w, 8, data);
        }
        if (c.socketEmpty) {
            w.chip().remove();
        }
        EXPECT_EQ(run(w, c.jobCode), c.status) << int(c.jobCode);
    }
}

TEST(SimJobs, ReadJobHandsOutTheChipInPieces) {
    SimConfig config;
    config.chipSize = 6;
    SimWriter w(config);
    w.chip().insert(Bytes{1, 2, 3, 4});
    ASSERT_TRUE(w.commandOut(kLib, command::kStartJob, Bytes{job::kRead}));
    std::array<std::uint8_t, 4> first{};
    std::array<std::uint8_t, 4> second{};
    EXPECT_TRUE(w.commandIn(kLib, command::kJobData, first));
    EXPECT_FALSE(w.commandIn(kLib, command::kJobData, second));  // runs past the chip
    EXPECT_EQ(first, (std::array<std::uint8_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(second, (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0, 0}));
}

TEST(SimJobs, ProductionLimitStopsAutoWhenUsedUp) {
    SimConfig config;
    config.freshChipPerAuto = true;
    SimWriter w(config);
    Bytes option(0x100, 0);
    option[0x4E] = 0x11;
    option[0x53] = 0x02;  // two chips
    writeArea(w, 4, option);
    writeArea(w, 8, Bytes{0x55});
    EXPECT_EQ(run(w, job::kAuto), 1);
    EXPECT_EQ(w.optionArea()[0x53], 0x01);
    EXPECT_EQ(w.optionArea()[0xF4] >> 4, 0);
    EXPECT_EQ(run(w, job::kAuto), 1);
    EXPECT_EQ(w.optionArea()[0x53], 0x00);
    EXPECT_EQ(w.optionArea()[0xF4] >> 4, 1);
    EXPECT_EQ(run(w, job::kAuto), 3);
}

TEST(SimJobs, SerialNumberRunGoesIntoEachChip) {
    SimConfig config;
    config.freshChipPerAuto = true;
    SimWriter w(config);
    Bytes option(0x100, 0);
    option[0x35] = 0x10;  // loaded by itself, low byte first
    option[0x36] = 2;
    option[0x38] = 0x04;  // chip address 0x0004
    option[0x6F] = 0x03;  // end: 3, the first number not to use
    option[0x7F] = 0x01;  // current: 1
    writeArea(w, 4, option);
    writeArea(w, 8, Bytes(8, 0x00));
    EXPECT_EQ(run(w, job::kAuto), 1);
    EXPECT_EQ(Bytes(w.chip().contents().begin(), w.chip().contents().begin() + 8),
              (Bytes{0, 0, 0, 0, 0x00, 0x01, 0, 0}));
    EXPECT_EQ(w.optionArea()[0x7F], 0x02);
    EXPECT_EQ(run(w, job::kAuto), 1);
    EXPECT_EQ(w.chip().contents()[5], 0x02);
    EXPECT_EQ(run(w, job::kAuto), 3);  // 3 reached the end
    EXPECT_EQ(w.optionArea()[0x7F], 0x03);
}

TEST(SimJobs, AreaPositionsRestartWhenAnAreaOpens) {
    SimWriter w;
    writeArea(w, 4, Bytes{1, 2, 3});
    ASSERT_TRUE(w.commandOut(kLib, command::kOpenArea, Bytes{4, 0x17}));
    std::array<std::uint8_t, 2> a{};
    std::array<std::uint8_t, 2> b{};
    ASSERT_TRUE(w.commandIn(kLib, command::kReadArea, a));
    ASSERT_TRUE(w.commandIn(kLib, command::kReadArea, b));
    EXPECT_EQ(a, (std::array<std::uint8_t, 2>{1, 2}));
    EXPECT_EQ(b, (std::array<std::uint8_t, 2>{3, 0}));
    EXPECT_FALSE(w.commandOut(kLib, command::kOpenArea, Bytes{5, 0x17}));
    EXPECT_FALSE(w.commandOut(kLib, command::kOpenArea, Bytes{8, 0x18}));
    EXPECT_FALSE(w.commandOut(kLib, command::kOpenArea, Bytes{8}));
    // Reading the data area does not forget the download.
    writeArea(w, 8, Bytes(10, 7));
    ASSERT_TRUE(w.commandOut(kLib, command::kOpenArea, Bytes{8, 0x17}));
    ASSERT_TRUE(w.commandIn(kLib, command::kReadArea, a));
    EXPECT_EQ(w.downloadedLength(), 10u);
}

TEST(SimJobs, CorruptedReadBackFlipsOneByteOnly) {
    SimWriter w;
    writeArea(w, 8, Bytes{1, 2, 3, 4});
    w.faults().corruptReadBack = true;
    ASSERT_TRUE(w.commandOut(kLib, command::kOpenArea, Bytes{8, 0x17}));
    std::array<std::uint8_t, 4> back{};
    ASSERT_TRUE(w.commandIn(kLib, command::kReadArea, back));
    EXPECT_EQ(back, (std::array<std::uint8_t, 4>{1, 2, 0xFC, 4}));
    EXPECT_EQ(w.dataArea()[2], 3);  // what the writer holds is intact
}

}  // namespace
}  // namespace vexlor::sim
