// The whole job on the simulated writer: chip, Load File, download, Program, Verify, Read.
#include <gtest/gtest.h>

#include "JobRig.h"
#include "core/ops/ChipOperations.h"
#include "core/ops/LoadFile.h"
#include "support/HexText.h"

namespace vexlor::test {
namespace {

const Bytes kProgram{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x01, 0x02};

class JobEndToEnd : public ::testing::Test {
  protected:
    // QRV7049: OTP family, HEX files, options offered, read length 0x8020 (0x4010 words), byte
    // pairs read back high byte first.
    void SetUp() override {
        rig.selectChip("QRV7049");
        rig.optionSelect.answers.push_back({{0, 0, 0}, true});
        rig.op.files.push_back(rig.writeHex("prog.hex", hexText(kProgram)).string());
        ASSERT_EQ(LoadFile(services), JobOutcome::Ok) << testing::PrintToString(rig.op.texts());
        rig.op.shown.clear();
        rig.op.statuses.clear();
    }
    JobRig rig;
    JobServices services = rig.services();
};

TEST_F(JobEndToEnd, ProgramVerifyReadGiveTheLoadedDataBack) {
    EXPECT_EQ(OnProgram(services), JobOutcome::Ok);
    EXPECT_EQ(OnVerify(services), JobOutcome::Ok);
    EXPECT_EQ(OnRead(services), JobOutcome::Ok);
    EXPECT_EQ(rig.op.texts(), (std::vector<std::string>{"Program OK", "Verify OK", "Read OK"}));
    EXPECT_EQ(rig.op.statuses, (std::vector<std::string>{"Program ...", "Program OK", "Verify ...",
                                                         "Verify OK", "Read ...", "Read OK"}));
    // The chip holds the program in file order, and so does the read-back file.
    const auto chip = rig.device.chip().contents();
    EXPECT_TRUE(std::equal(kProgram.begin(), kProgram.end(), chip.begin()));
    const Bytes read = rig.file("readdata.otp");
    ASSERT_EQ(read.size(), 0x8020u);
    EXPECT_EQ(Bytes(read.begin(), read.begin() + 10), kProgram);
    EXPECT_TRUE(std::all_of(read.begin() + 10, read.end(), [](auto b) { return b == 0xFF; }));
    // The hex view is blanked, then shows the file just read.
    ASSERT_GE(rig.view.shownFiles.size(), 2u);
    EXPECT_EQ(rig.view.shownFiles[rig.view.shownFiles.size() - 2], std::filesystem::path());
    EXPECT_EQ(rig.view.shownFiles.back(), rig.base / "readdata.otp");
}

TEST_F(JobEndToEnd, AutoBlankChecksProgramsAndVerifies) {
    EXPECT_EQ(OnBlankCheck(services), JobOutcome::Ok);
    EXPECT_EQ(rig.op.last().text, "BlankCheck OK");
    EXPECT_EQ(OnAuto(services), JobOutcome::Ok);
    EXPECT_EQ(rig.op.last().text, "Auto OK");
    EXPECT_TRUE(std::equal(kProgram.begin(), kProgram.end(), rig.device.chip().contents().begin()));
    // A second Auto meets the programmed chip, which is not blank.
    EXPECT_EQ(OnAuto(services), JobOutcome::Failed);
    EXPECT_EQ(rig.op.last().text, "Auto FAIL");
    EXPECT_EQ(rig.op.last().caption, "Message");
    EXPECT_EQ(rig.op.last().icon, MessageIcon::None);
    EXPECT_EQ(rig.op.statuses.back(), "Auto FAIL");
    EXPECT_EQ(OnBlankCheck(services), JobOutcome::Failed);
    EXPECT_EQ(rig.op.last().text, "BlankCheck FAIL");
}

TEST_F(JobEndToEnd, OperationShowsProgressAndBusyCursorAndPutsThemBack) {
    rig.progress.events.clear();
    rig.op.busyCursors.clear();
    const int endedBefore = rig.op.busyEnded;
    ASSERT_EQ(OnProgram(services), JobOutcome::Ok);
    const auto& events = rig.progress.events;
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events[0], "R0-50");
    EXPECT_EQ(events[1], "P1");
    EXPECT_EQ(events[events.size() - 2], "P50");
    EXPECT_EQ(events.back(), "P0");
    EXPECT_EQ(rig.op.busyCursors, std::vector<std::string>{"metronom.ani"});
    EXPECT_EQ(rig.op.busyEnded, endedBefore + 1);
    // Buttons go off for the job and come back after it.
    ASSERT_GE(rig.buttons.calls.size(), 2u);
    EXPECT_EQ(rig.buttons.calls.back(), "enable");
}

// Which header each refusal needs is the checks' rule; here every operation asks them first.
TEST_F(JobEndToEnd, HeaderRefusalStopsEveryOperationBeforeTheWriterIsAsked) {
    rig.job().chipNameText = "QRV7003";
    rig.device.clearTranscript();
    for (auto run : {OnAuto, OnBlankCheck, OnProgram, OnVerify, OnRead}) {
        rig.op.shown.clear();
        EXPECT_EQ(run(services), JobOutcome::Refused);
        EXPECT_EQ(rig.op.texts(), std::vector<std::string>{"HW and SW Chip Name is discordant"});
    }
    rig.job().chipNameText = "QRV7049";
    Bytes nothingDownloaded = JobRig::headerFor("QRV7049");
    nothingDownloaded[16] = nothingDownloaded[17] = 0;
    rig.putHeaderInWriter(nothingDownloaded);
    for (auto run : {OnAuto, OnBlankCheck, OnProgram, OnVerify}) {
        rig.op.shown.clear();
        EXPECT_EQ(run(services), JobOutcome::Refused);
        EXPECT_EQ(rig.op.texts(), std::vector<std::string>{"Please Download File"});
    }
    EXPECT_FALSE(rig.jobStarted());
}

TEST_F(JobEndToEnd, LoadShowsTheDownloadedDataAndTheJobTexts) {
    EXPECT_EQ(rig.view.shownFiles.back(), rig.base / "buffer_data.prog");
    EXPECT_TRUE(rig.panel().hexViewShown);
    EXPECT_FALSE(rig.panel().at(ControlId::Log).enabled);
    EXPECT_EQ(rig.job().checksumText.size(), 4u);
    EXPECT_FALSE(rig.job().loadedFilePath.empty());
    // The log showed the download text while the load ran and is empty afterwards.
    EXPECT_GE(rig.op.logHistory.size(), 2u);
    EXPECT_EQ(rig.op.log, "");
    EXPECT_EQ(rig.op.busyCursors.front(), "dinosaur.ani");
    // The writer's header was read back: it names the chip and the download.
    EXPECT_EQ(std::string(rig.header().begin(), rig.header().begin() + 7), "QRV7049");
}

TEST(JobProductionLimit, WriterCountsDownAndAutoStopsAtTheLimit) {
    sim::SimConfig config;
    config.freshChipPerAuto = true;
    JobRig rig(config);
    rig.selectChip("QRV7049");
    rig.job().productionLimit = 1;
    rig.job().productionLimitCount = 2;
    rig.optionSelect.answers.push_back({{0, 0, 0}, true});
    rig.op.files.push_back(rig.writeHex("prog.hex", hexText(kProgram)).string());
    JobServices services = rig.services();
    ASSERT_EQ(LoadFile(services), JobOutcome::Ok);
    EXPECT_EQ(OnAuto(services), JobOutcome::Ok);
    EXPECT_EQ(OnAuto(services), JobOutcome::Ok);
    rig.device.clearTranscript();
    EXPECT_EQ(OnAuto(services), JobOutcome::Refused);
    EXPECT_EQ(rig.op.last().text, "Production Limit Complete");
    EXPECT_FALSE(rig.jobStarted());
    EXPECT_EQ(rig.header()[244] >> 4, 0x1);
    // Only Auto counts: the single operations still run.
    EXPECT_EQ(OnVerify(services), JobOutcome::Ok);
}

}  // namespace
}  // namespace vexlor::test
