#include <gtest/gtest.h>

#include <algorithm>

#include "MaintRig.h"
#include "core/maint/SelfTest.h"

namespace vexlor::test {
namespace {

using sim::VoltageEdge;
using sim::test::SimRig;

const std::string kBufferAndFirmwareLines =
    "\r\nProgram Option Buffer Test\r\nOption Buffer\t\t\t\t OK \r\n"
    "Program Data Buffer Test\r\nData Buffer\t\t\t\t OK \r\n"
    "\r\nFirmware Download Test\r\nDownload Firmware\t\t\t\t OK \r\n";

TEST(SelfTest, DacBoardLogJudgesEachReadingAtAndJustBeyondItsBounds) {
    MaintRig m(SimWithVersion(sim::kVersionV11));
    m.rig.link.familyFirmwareLoaded = true;
    // P_VDD, P_VPP, then the DACs; ground is judged on the first reading, taken before the
    // outputs are switched.
    m.device.faults().voltageScript = {
        {0x05, 0x06, 0xCB, 0x6A, 0x59, 0x2C}, {0x4E, 0x4D, 0, 0, 0, 0}, {0x59, 0x58, 0, 0, 0, 0}};
    const SelfTestResult result = RunSelfTest(m.services, SelfTestKind::WriterTest);
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
    EXPECT_EQ(m.rig.op.last().text, "Test Complete");
    EXPECT_EQ(m.rig.op.log, "");
    EXPECT_FALSE(m.rig.link.familyFirmwareLoaded);
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
}

// The simulated writer puts every reading on or one step beyond a bound of the program's own
// ranges (nothing reads below the ground range's 0). Only a writer that identifies as KLW300A
// through the access library gets its hardware test.
TEST(SelfTest, BoundsPassBeyondFailsAndOnlyAKlw300aGetsItsTest) {
    struct Case {
        std::string_view version;
        SelfTestKind kind;
        std::optional<VoltageEdge> edge;
        int failures;
        SimRig::Reach reach = SimRig::Reach::Usb;
        std::array<std::uint8_t, 2> model{0x01, 0x01};
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
        {sim::kVersionV11, SelfTestKind::WriterTest, {}, 0, SimRig::Reach::AccessLibrary},
        {sim::kVersionV11,
         SelfTestKind::WriterTest,
         {},
         0,
         SimRig::Reach::AccessLibrary,
         {0x01, 0x02}},
    };
    const std::string klwLines =
        "\r\nKLW300A Hardware Test\r\nQv1997 IC Test   \t\t\t\t OK \r\n"
        "Level-Shift Test \t\t\t\t OK \r\n";
    for (const Case& c : cases) {
        sim::SimConfig config = SimWithVersion(c.version);
        config.hardwareModel = c.model;
        MaintRig m(config, c.reach);
        m.device.faults().voltageEdge = c.edge;
        const SelfTestResult result = RunSelfTest(m.services, c.kind);
        const bool klw = c.reach == SimRig::Reach::AccessLibrary && c.model[1] == 0x01;
        EXPECT_TRUE(result.log.ends_with(kBufferAndFirmwareLines + (klw ? klwLines : "")))
            << result.log;
        EXPECT_EQ(result.log.find("KLW300A") != std::string::npos, klw);
        // Buffers and firmware all OK: every failure is a voltage line.
        EXPECT_EQ(result.failures, c.failures) << "case " << (&c - cases);
    }
}

}  // namespace
}  // namespace vexlor::test
