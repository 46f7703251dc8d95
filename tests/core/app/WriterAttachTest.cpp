#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "FakeChipDatabase.h"
#include "SimRig.h"
#include "core/app/VoltageCheck.h"
#include "core/app/WriterAttach.h"
#include "core/app/WriterVersion.h"
#include "core/writer/WriterPermission.h"
#include "sim/SimFirmwareImage.h"

namespace vexlor {
namespace {

using sim::test::kWriterNotice;
using sim::test::SimRig;
using Reading = std::array<std::uint8_t, 6>;
using Words = std::vector<std::string>;

constexpr Reading kFirstGood{0x02, 0x03, 0xD0, 0x64, 0x54, 0x32};
constexpr Reading kLowGood{0x53, 0x53, 0x00, 0x00, 0x00, 0x00};

class CountingView : public MainView {
  public:
    void ShowConnectionStatus() override { ++statusShown; }
    void refreshPanel() override {}
    int statusShown = 0;
};

// A writer holding the job of chip QR64L74M, with checksum 1234, reached by the program.
class WriterAttachTest : public ::testing::Test {
  protected:
    explicit WriterAttachTest(sim::SimConfig config = v11()) : device(std::move(config)) {}

    static sim::SimConfig v11() {
        sim::SimConfig config;
        config.versionText = sim::kVersionV11;
        return config;
    }

    void SetUp() override {
        shell.baseDirectory = rig.base.path();
        shell.startDirectory = rig.base.path().string();
        test::FakeChipDatabase::Chip chip;
        chip.display.HaveSmartOPT = 1;
        chip.ic.Inside_Number = 0x3F1;
        chips.add("QR64L74M", chip);
        rig.base.write("res/ICPicture/QV3f1.jpg", "picture");
        std::memcpy(header.data(), "QR64L74M", 8);
        header[16] = 0x12;
        header[17] = 0x34;
        holdJob();
    }
    // Puts the header into the writer's option area as a download would.
    void holdJob() {
        ASSERT_TRUE(rig.connect());
        rig.writer.WriteAreaFromFile(
            rig.base.writeBytes("job.prog", {header.begin(), header.end()}), kOptionArea);
        rig.connection.CloseAtExit();
        rig.link.writerConnected = false;
        rig.link.knownWriterVersion = false;
        rig.exchanges();
    }
    ArrivalOutcome arrive(std::string_view name = kWriterNotice) {
        return OnDeviceArrival(name, shell, services());
    }
    AttachServices services() { return {rig.writer, chips, rig.op, rig.catalogue, view}; }
    // The arrival of another writer, seen by a window that starts afresh.
    ArrivalOutcome arriveOn(SimRig& other, std::string_view name = kWriterNotice) {
        ShellState fresh;
        return OnDeviceArrival(name, fresh, {other.writer, chips, other.op, other.catalogue, view});
    }

    sim::SimWriter device;
    SimRig rig{device};
    test::FakeChipDatabase chips;
    CountingView view;
    ShellState shell;
    std::array<std::uint8_t, 512> header{};
};

TEST_F(WriterAttachTest, ArrivalSequenceOnBaseFirmware) {
    shell.chipListSelector = 2;
    shell.panel.enable(ControlId::Read, false);
    rig.link.familyFirmwareLoaded = true;  // from before the writer was away
    EXPECT_EQ(arrive(), ArrivalOutcome::JobRestored);
    EXPECT_EQ(rig.exchanges(),
              (Words{"04<26", "00>80", "00>00",    "0F>00 39", "11<1",     "00>00",    "0F>FA 8F",
                     "11<1",  "00>00", "0F>FA 90", "11<1",     "00>00",    "0F>FA 91", "11<1",
                     "00>07", "00>47", "14>04 17", "13<512",   "14>0C 07", "00>07"}));
    EXPECT_EQ(rig.clock.waits(), std::vector<std::uint32_t>{1200});
    EXPECT_EQ(rig.op.texts(), Words{"<USBDetectMsg>"});
    EXPECT_EQ(rig.op.statuses, (Words{"Checking writer ...", "Writer attached"}));
    EXPECT_EQ(rig.op.busyCursors.size(), 1u);
    EXPECT_EQ(rig.op.busyEnded, 1);
    EXPECT_EQ(rig.link.hwVersionName, "hwversion1.1");
    EXPECT_FALSE(rig.link.familyFirmwareLoaded);
    EXPECT_EQ(rig.link.writerFirmwareVersion, sim::kBaseFirmwareVersion);
    EXPECT_EQ(shell.chipListSelector, 1);
    EXPECT_EQ(shell.titleText, "Vexlor_Writer_QR64L74M");
    EXPECT_EQ(shell.job.checksumText, "1234");
    for (ControlId id :
         {ControlId::Auto, ControlId::BlankCheck, ControlId::Program, ControlId::Verify,
          ControlId::Read, ControlId::WriterTest, ControlId::SmartOption}) {
        EXPECT_TRUE(shell.panel.at(id).enabled) << static_cast<int>(id);
    }
    EXPECT_GE(view.statusShown, 1);
}

// The newest writer announces itself only through its voltage check, measured by the
// simulated board; an unknown text is classified as the oldest writer.
TEST_F(WriterAttachTest, ArrivalMessagesAndDirectoriesByVersion) {
    struct Case {
        std::string_view text;
        bool voltagesOff;
        std::optional<sim::VoltageEdge> edge;
        Words messages;
        const char* hwVersionName;
    };
    const Case cases[] = {
        {sim::kVersionV10, false, {}, {"<USBDetectMsg>"}, "hwversion1.0"},
        {sim::kVersionV11, false, {}, {"<USBDetectMsg>"}, "hwversion1.1"},
        {sim::kVersionV20, false, {}, {}, "hwversion1.1"},
        {sim::kVersionV20, true, {}, {"<VoltageFailMsg>"}, "hwversion1.1"},
        {sim::kVersionV20, false, sim::VoltageEdge::AtLow, {}, "hwversion1.1"},
        {sim::kVersionV20, false, sim::VoltageEdge::BelowLow, {"<VoltageFailMsg>"}, "hwversion1.1"},
        // Memory cannot be read on an unknown version; this base directory has no image for it.
        {"garbage", false, {}, {"<AUTOResetMsg>", "<AUTOResetFailMsg>"}, "hwversion1.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        sim::SimConfig config;
        config.versionText = c.text;
        sim::SimWriter other(config);
        other.faults().voltagesOutOfRange = c.voltagesOff;
        other.faults().voltageEdge = c.edge;
        SimRig otherRig(other);
        const bool known = c.text != "garbage";
        EXPECT_EQ(arriveOn(otherRig),
                  known ? ArrivalOutcome::JobRestored : ArrivalOutcome::FirmwareReset);
        EXPECT_EQ(otherRig.op.texts(), c.messages);
        EXPECT_EQ(otherRig.link.hwVersionName, c.hwVersionName);
        EXPECT_EQ(otherRig.link.knownWriterVersion, known);
    }
    for (std::string_view unknown :
         {"USB STANDALONE WRITER_V3.0", "USB STANDALONE WRITER_V1.1 ", ""}) {
        const WriterVersionClass version = ClassifyWriterVersion(unknown);
        EXPECT_EQ(version.model, WriterModel::Unknown) << unknown;
        EXPECT_EQ(version.hwVersionName, "hwversion1.0");
        EXPECT_FALSE(version.known);
    }
    sim::SimWriter library(v11());
    SimRig libraryRig(library, SimRig::Reach::AccessLibrary);
    EXPECT_EQ(arriveOn(libraryRig, ""), ArrivalOutcome::JobRestored) << "no device name needed";
}

TEST_F(WriterAttachTest, VoltageCheckSendsTheFourSetUpsInOrder) {
    ASSERT_TRUE(rig.connect());
    device.faults().voltageScript = {kFirstGood, kLowGood, kLowGood};
    EXPECT_TRUE(RunVoltageCheck(rig.writer));
    // Every control byte and word goes out in transfer mode.
    EXPECT_EQ(rig.exchanges(),
              (Words{"00>47",    "01>30",    "00>47",    "03>01 8D", "00>47", "03>03 44",
                     "00>47",    "03>05 39", "00>47",    "03>07 22", "05<6",  "00>47",
                     "03>01 39", "00>47",    "03>03 39", "00>47",    "01>30", "00>47",
                     "01>0A",    "05<6",     "00>47",    "01>05",    "05<6"}));
    EXPECT_EQ(rig.clock.waits(), (std::vector<std::uint32_t>{100, 300, 300, 300}));
}

TEST_F(WriterAttachTest, VoltageCheckRangesHaveBothEdges) {
    struct Case {
        const char* what;
        int reading;  // 0 first, 1 at level 0x0A, 2 at level 0x05
        int index;
        std::uint8_t value;
        bool good;
    };
    const Case cases[] = {
        {"m2 low edge", 0, 2, 0xCB, true},   {"m2 below", 0, 2, 0xCA, false},
        {"m2 high edge", 0, 2, 0xD6, true},  {"m2 above (0xD7)", 0, 2, 0xD7, false},
        {"m3 below", 0, 3, 0x5E, false},     {"m3 high edge", 0, 3, 0x69, true},
        {"m3 above", 0, 3, 0x6A, false},     {"m4 low edge", 0, 4, 0x4F, true},
        {"m4 below", 0, 4, 0x4E, false},     {"m4 above", 0, 4, 0x5A, false},
        {"m5 high edge", 0, 5, 0x37, true},  {"m5 above", 0, 5, 0x38, false},
        {"m5 below", 0, 5, 0x2C, false},     {"off m0 edge", 0, 0, 0x05, true},
        {"off m0 above", 0, 0, 0x06, false}, {"off m1 above", 0, 1, 0x06, false},
        {"0A m1 below", 1, 1, 0x4D, false},  {"0A m0 high edge", 1, 0, 0x58, true},
        {"0A m0 above", 1, 0, 0x59, false},  {"05 m0 low edge", 2, 0, 0x4E, true},
        {"05 m1 above", 2, 1, 0x59, false},  {"05 unjudged byte", 2, 2, 0xFF, true},
    };
    ASSERT_TRUE(rig.connect());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::array<Reading, 3> readings{kFirstGood, kLowGood, kLowGood};
        readings[c.reading][c.index] = c.value;
        device.faults().voltageScript = {readings[0], readings[1], readings[2]};
        EXPECT_EQ(RunVoltageCheck(rig.writer), c.good);
        EXPECT_TRUE(device.faults().voltageScript.empty()) << "all three readings are taken";
    }
}

// Old modes that were not cleared would win the mode label over the production limit.
TEST_F(WriterAttachTest, ArrivalClearsOldModesBeforeRestoring) {
    shell.job.massProduction = shell.job.exhvIspProgram = shell.job.displaySerialNumber = 1;
    header[76] = 0x02;
    header[78] = 0x11;
    holdJob();
    arrive();
    EXPECT_EQ(shell.job.massProduction + shell.job.exhvIspProgram + shell.job.displaySerialNumber,
              0);
    EXPECT_EQ(shell.job.ispProgram, 1);
    EXPECT_EQ(shell.panel.at(ControlId::IspModeLabel).text, "ISP Program");
    EXPECT_TRUE(shell.panel.at(ControlId::IspModeLabel).visible);
    EXPECT_EQ(shell.panel.at(ControlId::JobModeLabel).text, "Production Limit");
    EXPECT_TRUE(shell.panel.at(ControlId::Auto).enabled);
    for (ControlId id : {ControlId::BlankCheck, ControlId::Program, ControlId::Verify}) {
        EXPECT_FALSE(shell.panel.at(id).enabled) << static_cast<int>(id);
    }
}

TEST_F(WriterAttachTest, BaseFirmwareTestComparesTheHighNibbleOnly) {
    struct Case {
        std::uint8_t mark, model;
        bool reset;
    };
    for (const Case& c : {Case{0xC8, 0x5A, false}, Case{0xC8, 0x5B, false}, Case{0xC8, 0x5F, false},
                          Case{0xC8, 0x50, false}, Case{0xC8, 0x2F, true}, Case{0xC8, 0x6A, true},
                          Case{0xC9, 0x5A, true}, Case{0x00, 0x00, true}}) {
        SCOPED_TRACE(testing::Message() << std::hex << int(c.mark) << " " << int(c.model));
        sim::SimConfig config = v11();
        config.firmwareImage = sim::makeBaseFirmwareImage();
        config.firmwareImage[sim::kBaseMarkerOffset] = c.mark;
        config.firmwareImage[sim::kModelCodeOffset] = c.model;
        sim::SimWriter other(config);
        SimRig otherRig(other);
        EXPECT_EQ(arriveOn(otherRig),
                  c.reset ? ArrivalOutcome::FirmwareReset : ArrivalOutcome::JobRestored);
    }
}

class FirmwareResetTest : public WriterAttachTest {
  protected:
    static sim::SimConfig foreign() {
        sim::SimConfig config = v11();
        config.firmwareImage = sim::makeBaseFirmwareImage();
        config.firmwareImage[sim::kModelCodeOffset] = 0x2F;
        return config;
    }
    FirmwareResetTest() : WriterAttachTest(foreign()) {}
};

TEST_F(FirmwareResetTest, WritesTheTestImageAndLeavesOperationsOff) {
    const auto testImage = sim::makeBaseFirmwareImage();
    rig.base.writeBytes("firmware/20test.nce", testImage);
    rig.base.write("hwversion1.1/test_option.prog", "TESTOPTION");
    shell.job.chipNameText = "OLD";
    shell.job.checksumText = "ABCD";
    shell.job.loadedFilePath = "/tmp/x.hex";
    shell.panel.pinPicturePath = "old.jpg";
    rig.link.familyWord = 0x1234;
    rig.op.log = "hex";
    ASSERT_EQ(arrive(), ArrivalOutcome::FirmwareReset);
    EXPECT_EQ(rig.op.texts(), (Words{"<USBDetectMsg>", "<AUTOResetMsg>", "<AUTOResetOKMsg>"}));
    EXPECT_EQ(rig.op.statuses, (Words{"Checking writer ...", "Writer firmware reset"}));
    EXPECT_EQ(rig.op.busyEnded, 1);
    EXPECT_TRUE(std::equal(testImage.begin(), testImage.end(), device.memory().begin()));
    const Words words = rig.exchanges();
    EXPECT_EQ(Words(words.end() - 7, words.end()),
              (Words{"00>47", "14>04 17", "12>#10", "13<10", "14>0C 07", "00>07", "17>90"}));
    EXPECT_TRUE(std::find(words.begin(), words.end(), "13<512") == words.end())
        << "no restore after a reset";
    EXPECT_EQ(rig.link.familyWord, 0);
    EXPECT_EQ(rig.link.writerFirmwareVersion, 0);
    EXPECT_EQ(shell.job.chipNameText, "");
    EXPECT_EQ(shell.job.checksumText, "");
    EXPECT_EQ(shell.job.loadedFilePath, "");
    EXPECT_EQ(shell.panel.pinPicturePath, "");
    EXPECT_FALSE(shell.panel.hexViewShown);
    EXPECT_FALSE(shell.panel.at(ControlId::Log).enabled);
    EXPECT_EQ(rig.op.log, "") << "the log is emptied at the end";
    for (ControlId id : {ControlId::Auto, ControlId::Read, ControlId::WriterTest,
                         ControlId::SmartOption, ControlId::PinPlacement, ControlId::PinPicture}) {
        EXPECT_FALSE(shell.panel.at(id).enabled) << static_cast<int>(id);
    }
    EXPECT_FALSE(shell.panel.at(ControlId::JobModeLabel).visible);
}

TEST_F(FirmwareResetTest, LogsItsProgressBeforeWritingAndKeepsTheFamilyWordOnFailure) {
    // The image goes out over a writer that corrupts what it reads back: the reset fails.
    rig.base.writeBytes("firmware/20test.nce", sim::makeBaseFirmwareImage());
    std::string logAtWrite;
    device.setCommandObserver([&](const sim::TranscriptEntry& entry) {
        if (entry.command == cmd::kWriteMemory) {
            logAtWrite = rig.op.log;
            device.faults().corruptReadBack = true;
        }
    });
    rig.link.familyWord = 0x1234;
    ASSERT_EQ(arrive(), ArrivalOutcome::FirmwareReset);
    EXPECT_EQ(logAtWrite, "\nReset Writer Firmware ....... Wait");
    EXPECT_EQ(rig.op.texts(), (Words{"<USBDetectMsg>", "<AUTOResetMsg>", "<AUTOResetFailMsg>"}));
    EXPECT_EQ(rig.op.statuses.back(), "Writer firmware reset failed");
    EXPECT_EQ(rig.link.familyWord, 0x1234);
}

TEST_F(WriterAttachTest, ArrivalOfAnotherDeviceIsIgnored) {
    shell.panel.enable(ControlId::Auto, false);
    EXPECT_EQ(arrive("/dev/bus/usb/001/004"), ArrivalOutcome::NotOurs);
    EXPECT_TRUE(rig.exchanges().empty());
    EXPECT_FALSE(rig.link.writerConnected);
    EXPECT_FALSE(shell.panel.at(ControlId::Auto).enabled);
    EXPECT_TRUE(rig.op.shown.empty());
    EXPECT_TRUE(rig.op.statuses.empty());
    EXPECT_TRUE(rig.op.busyCursors.empty());
}

TEST_F(WriterAttachTest, WriterThatRefusesAccessShowsTheUdevRuleAtStartAndArrival) {
    device.denyAccess();
    EXPECT_FALSE(rig.connection.SelectTransport(false));
    StartWithWriter(shell, services());
    EXPECT_EQ(arrive(), ArrivalOutcome::NotConnected);
    EXPECT_EQ(rig.op.texts(), (Words{WriterAccessDeniedMessage(), WriterAccessDeniedMessage()}));
    EXPECT_TRUE(rig.exchanges().empty());
}

TEST_F(WriterAttachTest, RemovalDisablesWhatNeedsTheWriter) {
    for (const char* name : {"/dev/other", kWriterNotice}) {
        SCOPED_TRACE(name);
        const bool removes = name == std::string(kWriterNotice);
        ASSERT_TRUE(rig.connect());
        ShellState fresh;
        fresh.panel.pinPicturePath = "pin.jpg";
        CountingView v;
        AttachServices s{rig.writer, chips, rig.op, rig.catalogue, v};
        EXPECT_EQ(OnDeviceRemoval(name, fresh, s), removes);
        EXPECT_EQ(rig.link.writerConnected, !removes);
        for (ControlId id :
             {ControlId::Auto, ControlId::BlankCheck, ControlId::Program, ControlId::Verify,
              ControlId::Read, ControlId::SmartOption, ControlId::WriterTest,
              ControlId::PinPlacement, ControlId::PinPicture}) {
            EXPECT_EQ(fresh.panel.at(id).enabled, !removes) << static_cast<int>(id);
        }
        EXPECT_EQ(fresh.panel.pinPicturePath.empty(), removes);
        EXPECT_EQ(v.statusShown, removes ? 1 : 0);
    }
    EXPECT_TRUE(rig.op.shown.empty());
    EXPECT_EQ(rig.op.statuses, Words{"Writer removed"});
}

TEST_F(WriterAttachTest, StartWithWriterRestoresTheJob) {
    ASSERT_TRUE(rig.connection.SelectTransport(false));
    shell.chipListSelector = 0;
    StartWithWriter(shell, services());
    EXPECT_EQ(rig.exchanges(),
              (Words{"04<26", "00>00", "0F>FA 90", "11<1", "00>00", "0F>FA 91", "11<1", "00>07",
                     "00>47", "14>04 17", "13<512", "14>0C 07", "00>07"}));
    EXPECT_TRUE(rig.op.shown.empty());
    EXPECT_EQ(shell.panel.pinPicturePath, shell.startDirectory + "/res/ICPicture/QV3f1.jpg");
    EXPECT_EQ(shell.chipListSelector, 1);
    EXPECT_EQ(rig.link.writerFirmwareVersion, sim::kBaseFirmwareVersion);
    EXPECT_EQ(shell.job.chipNameText, "QR64L74M");
    EXPECT_TRUE(shell.panel.at(ControlId::SmartOption).enabled);
    EXPECT_EQ(view.statusShown, 1);
    EXPECT_EQ(rig.op.statuses, Words{"Writer attached"});
}

TEST_F(WriterAttachTest, WithoutAnOpenWriterStartAndArrivalDisableAndHide) {
    device.detach();
    EXPECT_FALSE(rig.connection.SelectTransport(false));
    StartWithWriter(shell, services());
    EXPECT_EQ(shell.job.chipNameText, "");
    EXPECT_EQ(shell.titleText, kInitialTitleText);
    for (ControlId id : {ControlId::Auto, ControlId::Read, ControlId::SmartOption,
                         ControlId::PinPlacement, ControlId::PinPicture}) {
        EXPECT_FALSE(shell.panel.at(id).enabled) << static_cast<int>(id);
        shell.panel.enable(id, true);
    }
    for (ControlId id :
         {ControlId::EraseModeLabel, ControlId::IspModeLabel, ControlId::JobModeLabel}) {
        EXPECT_FALSE(shell.panel.at(id).visible);
    }
    EXPECT_EQ(arrive(), ArrivalOutcome::NotConnected);
    EXPECT_FALSE(shell.panel.at(ControlId::Auto).enabled);
    EXPECT_FALSE(shell.panel.at(ControlId::SmartOption).enabled);
    EXPECT_TRUE(shell.panel.at(ControlId::PinPlacement).enabled) << "arrival leaves it alone";
    EXPECT_TRUE(rig.exchanges().empty());
    EXPECT_EQ(rig.op.statuses, (Words{"Writer was not connected", "Writer was not connected"}));
    EXPECT_TRUE(rig.op.shown.empty());
}

}  // namespace
}  // namespace vexlor
