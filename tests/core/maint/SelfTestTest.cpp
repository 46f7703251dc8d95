#include <gtest/gtest.h>

#include <algorithm>

#include "MaintRig.h"
#include "core/maint/SelfTest.h"

namespace vexlor::test {
namespace {

using Reading = std::array<std::uint8_t, 6>;
using sim::VoltageEdge;
using sim::test::SimRig;

// Bytes: P_VDD, P_VPP, DAC VPP, DAC WVDD, DAC RVDD, DAC level shift.
SelfTestResult runWithReadings(MaintRig& m, SelfTestKind kind, std::vector<Reading> readings) {
    m.device.faults().voltageScript.assign(readings.begin(), readings.end());
    return RunSelfTest(m.services, kind);
}

std::string voltagePart(const std::string& log) {
    return log.substr(0, log.find("\r\nProgram Option Buffer Test"));
}

int failLines(const std::string& log) {
    int count = 0;
    for (auto at = log.find(" Fail "); at != std::string::npos; at = log.find(" Fail ", at + 1)) {
        ++count;
    }
    return count;
}

const std::string kBufferAndFirmwareLines =
    "\r\nProgram Option Buffer Test\r\nOption Buffer\t\t\t\t OK \r\n"
    "Program Data Buffer Test\r\nData Buffer\t\t\t\t OK \r\n"
    "\r\nFirmware Download Test\r\nDownload Firmware\t\t\t\t OK \r\n";

TEST(SelfTest, DacBoardLogJudgesEachReadingAtAndJustBeyondItsBounds) {
    MaintRig m(SimWithVersion(sim::kVersionV11));
    // The ground check uses the first reading; low and high come from their own.
    const SelfTestResult result = runWithReadings(
        m, SelfTestKind::WriterTest,
        {{0x05, 0x06, 0xCB, 0x6A, 0x59, 0x2C}, {0x4E, 0x4D, 0, 0, 0, 0}, {0x59, 0x58, 0, 0, 0, 0}});
    EXPECT_EQ(result.log,
              "DAC Board Voltage Test \r\n"
              "DAC_VPP Voltage\t\t\t\t Ok \r\n"
              "DAC_WVDD Voltage\t\t\t Fail \r\n"
              "DAC_RVDD Voltage\t\t\t Ok \r\n"
              "DAC_Level shift Voltage\t\t\t Fail \r\n"
              "\r\nProgram Voltage Board Test\r\n"
              "P_VPP=0V Test\t\t\t\t Fail \r\n"
              "P_VDD=0V Test\t\t\t\t Ok \r\n"
              "P_VPP=5V Test\t\t\t\t Fail \r\n"
              "P_VDD=5V Test\t\t\t\t Ok \r\n"
              "P_VPP=12.5V Test\t\t\t\t Ok \r\n"
              "P_VDD=6V Test\t\t\t\t Fail \r\n" +
                  kBufferAndFirmwareLines);
    EXPECT_EQ(result.failures, 5);
    EXPECT_EQ(result.outcome, MaintOutcome::Failed);
    EXPECT_EQ(m.rig.op.last().text, "Test Complete");
    EXPECT_EQ(m.rig.op.log, "");
}

TEST(SelfTest, FixedBoardRangesOfTheWriterTest) {
    MaintRig m(SimWithVersion(sim::kVersionV10));
    const SelfTestResult result = runWithReadings(m, SelfTestKind::WriterTest,
                                                  {{0, 0, 0, 0, 0, 0},
                                                   {0x06, 0x05, 0, 0, 0, 0},
                                                   {0x47, 0x54, 0, 0, 0, 0},
                                                   {0x55, 0xC8, 0, 0, 0, 0}});
    EXPECT_EQ(voltagePart(result.log),
              "Program Voltage Board Test\r\n"
              "P_VPP=0V Test\t\t\t\t Ok \r\n"
              "P_VDD=0V Test\t\t\t\t Fail \r\n"
              "P_VPP=5V Test\t\t\t\t Fail \r\n"
              "P_VDD=5V Test\t\t\t\t Ok \r\n"
              "P_VPP=12.5V Test\t\t\t\t Ok \r\n"
              "P_VDD=6V Test\t\t\t\t Fail \r\n");
}

TEST(SelfTest, SimpleTestOnTheOlderBoardLogsOnlyThatItCannotMeasure) {
    MaintRig m(SimWithVersion(sim::kVersionV10));
    const SelfTestResult result = RunSelfTest(m.services, SelfTestKind::SimpleTest);
    EXPECT_EQ(result.log,
              "The Writer Test Voltage Function is not supported \r\n" + kBufferAndFirmwareLines);
    const auto words = m.rig.exchanges();
    EXPECT_EQ(std::count(words.begin(), words.end(), "05<6"), 1);
    EXPECT_EQ(*std::find_if(words.begin(), words.end(),
                            [](const std::string& w) { return w.starts_with("01>"); }),
              "01>30");
    EXPECT_EQ(m.rig.op.last().text, "Writer Test Complete");
    EXPECT_EQ(result.outcome, MaintOutcome::Ok);
}

// The simulated writer places every reading on or beyond a bound of the program's own ranges;
// the ground range starts at 0, so nothing reads below it.
TEST(SelfTest, ReadingsOnABoundPassAndBeyondItFail) {
    struct Case {
        std::string_view version;
        SelfTestKind kind;
        VoltageEdge edge;
        int failures;
    };
    const Case cases[] = {
        {sim::kVersionV11, SelfTestKind::WriterTest, VoltageEdge::AtLow, 0},
        {sim::kVersionV11, SelfTestKind::SimpleTest, VoltageEdge::AtHigh, 0},
        {sim::kVersionV11, SelfTestKind::WriterTest, VoltageEdge::BelowLow, 8},
        {sim::kVersionV11, SelfTestKind::SimpleTest, VoltageEdge::AboveHigh, 10},
        {sim::kVersionV10, SelfTestKind::WriterTest, VoltageEdge::AtLow, 0},
        {sim::kVersionV10, SelfTestKind::WriterTest, VoltageEdge::AtHigh, 0},
        {sim::kVersionV10, SelfTestKind::WriterTest, VoltageEdge::BelowLow, 4},
        {sim::kVersionV10, SelfTestKind::WriterTest, VoltageEdge::AboveHigh, 6},
    };
    for (const Case& c : cases) {
        MaintRig m(SimWithVersion(c.version));
        m.device.faults().voltageEdge = c.edge;
        const SelfTestResult result = RunSelfTest(m.services, c.kind);
        EXPECT_EQ(result.failures, c.failures) << c.version << " edge " << int(c.edge);
        EXPECT_EQ(failLines(voltagePart(result.log)), c.failures) << result.log;
    }
}

TEST(SelfTest, OnlyAKlw300aGetsItsHardwareTest) {
    struct Case {
        SimRig::Reach reach;
        std::array<std::uint8_t, 2> model;
        bool tested;
    };
    const Case cases[] = {
        {SimRig::Reach::AccessLibrary, {0x01, 0x01}, true},
        {SimRig::Reach::AccessLibrary, {0x01, 0x02}, false},
        {SimRig::Reach::AccessLibrary, {0x09, 0x00}, false},
        {SimRig::Reach::Usb, {0x01, 0x01}, false},
    };
    const std::string klwLines =
        "\r\nKLW300A Hardware Test\r\nQv1997 IC Test   \t\t\t\t OK \r\n"
        "Level-Shift Test \t\t\t\t OK \r\n";
    for (const Case& c : cases) {
        sim::SimConfig config = SimWithVersion(sim::kVersionV11);
        config.hardwareModel = c.model;
        MaintRig m(config, c.reach);
        const SelfTestResult result = RunSelfTest(m.services, SelfTestKind::WriterTest);
        EXPECT_EQ(result.log.ends_with(kBufferAndFirmwareLines + klwLines), c.tested) << result.log;
        EXPECT_EQ(result.log.find("KLW300A") != std::string::npos, c.tested);
    }
}

TEST(SelfTest, DecliningSendsNothingAndATestForgetsTheFamilyFirmware) {
    MaintRig m(SimWithVersion(sim::kVersionV11));
    m.rig.op.answers = {false};
    EXPECT_EQ(RunSelfTest(m.services, SelfTestKind::WriterTest).outcome, MaintOutcome::Cancelled);
    EXPECT_TRUE(m.rig.exchanges().empty());

    m.rig.link.familyFirmwareLoaded = true;
    m.rig.link.writerFirmwareVersion = 0x1600;
    RunSelfTest(m.services, SelfTestKind::WriterTest);
    EXPECT_FALSE(m.rig.link.familyFirmwareLoaded);
    EXPECT_EQ(m.rig.link.writerFirmwareVersion, 0);
}

}  // namespace
}  // namespace vexlor::test
