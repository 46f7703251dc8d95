#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "FakeChipDatabase.h"
#include "ScriptedWriter.h"
#include "core/app/VoltageCheck.h"
#include "core/app/WriterAttach.h"
#include "core/app/WriterVersion.h"
#include "support/KeyCatalogue.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

using Reading = std::array<std::uint8_t, 6>;

constexpr Reading kFirstGood{0x02, 0x03, 0xD0, 0x64, 0x54, 0x32};
constexpr Reading kLowGood{0x53, 0x53, 0x00, 0x00, 0x00, 0x00};
constexpr const char* kWriterName = "/run/vexlor-writer/usb#3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3";

class CountingView : public MainView {
  public:
    void ShowConnectionStatus() override { ++statusShown; }
    void refreshPanel() override { ++refreshed; }
    int statusShown = 0;
    int refreshed = 0;
};

class WriterAttachTest : public ::testing::Test {
  protected:
    void SetUp() override {
        shell.baseDirectory = dir.path();
        shell.startDirectory = dir.path().string();
        test::FakeChipDatabase::Chip chip;
        chip.display.HaveSmartOPT = 1;
        chip.ic.Inside_Number = 0x3F1;
        chips.add("QR64L74M", chip);
        std::filesystem::create_directories(dir.path() / "res" / "ICPicture");
        dir.write("res/ICPicture/QV3f1.jpg", "picture");
        std::memcpy(writer.storedHeader.data(), "QR64L74M", 8);
        writer.storedHeader[16] = 0x12;
        writer.storedHeader[17] = 0x34;
        writer.versionText = "USB STANDALONE WRITER_V1.1";
        writer.memory = {{0x39, 0xC8}, {0xFA8F, 0x5A}, {0xFA90, 0x01}, {0xFA91, 0x07}};
    }

    AttachServices services() { return {writer, chips, op, catalogue, view}; }
    std::vector<std::string> shownTexts() const { return op.texts(); }
    bool called(const std::string& line) const {
        return std::find(writer.calls.begin(), writer.calls.end(), line) != writer.calls.end();
    }

    test::ScratchDir dir;
    test::ScriptedWriter writer;
    test::FakeChipDatabase chips;
    test::RecordingOperator op;
    test::KeyCatalogue catalogue;
    CountingView view;
    ShellState shell;
};

TEST(ClassifyWriterVersion, KnownTextsAndTheRest) {
    struct Case {
        const char* text;
        WriterModel model;
        const char* name;
        bool known;
    };
    for (const Case& c :
         {Case{"USB STANDALONE WRITER_V1.0", WriterModel::V1_0, "hwversion1.0", true},
          Case{"USB STANDALONE WRITER_V1.1", WriterModel::V1_1, "hwversion1.1", true},
          Case{"USB STANDALONE WRITER_V2.0", WriterModel::V2_0, "hwversion1.1", true},
          Case{"USB STANDALONE WRITER_V3.0", WriterModel::Unknown, "hwversion1.0", false},
          Case{"USB STANDALONE WRITER_V1.1 ", WriterModel::Unknown, "hwversion1.0", false},
          Case{"", WriterModel::Unknown, "hwversion1.0", false}}) {
        SCOPED_TRACE(c.text);
        WriterVersionClass got = ClassifyWriterVersion(c.text);
        EXPECT_EQ(got.model, c.model);
        EXPECT_EQ(got.hwVersionName, c.name);
        EXPECT_EQ(got.known, c.known);
    }
}

TEST(RunVoltageCheck, SendsTheFourSetUpsInOrder) {
    test::ScriptedWriter writer;
    writer.voltages = {kFirstGood, kLowGood, kLowGood};
    EXPECT_TRUE(RunVoltageCheck(writer));
    const std::vector<std::string> want = {
        "byte 30",  "word 8D01", "word 4403", "word 3905", "word 2207", "wait 100",
        "voltage",  "word 3901", "word 3903", "byte 30",   "wait 300",  "byte 0A",
        "wait 300", "voltage",   "byte 05",   "wait 300",  "voltage"};
    EXPECT_EQ(writer.calls, want);
}

TEST(RunVoltageCheck, EveryRangeHasBothEdges) {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::array<Reading, 3> readings{kFirstGood, kLowGood, kLowGood};
        readings[c.reading][c.index] = c.value;
        test::ScriptedWriter writer;
        writer.voltages = {readings[0], readings[1], readings[2]};
        EXPECT_EQ(RunVoltageCheck(writer), c.good);
        EXPECT_TRUE(writer.voltages.empty()) << "all three readings are taken";
    }
}

TEST_F(WriterAttachTest, ArrivalMessagesByVersion) {
    struct Case {
        const char* text;
        std::deque<Reading> voltages;
        std::vector<std::string> messages;
        const char* hwVersionName;
        bool known;
    };
    Reading bad = kFirstGood;
    bad[2] = 0xD7;
    const Case cases[] = {
        {"USB STANDALONE WRITER_V1.0", {}, {"<USBDetectMsg>"}, "hwversion1.0", true},
        {"USB STANDALONE WRITER_V1.1", {}, {"<USBDetectMsg>"}, "hwversion1.1", true},
        {"USB STANDALONE WRITER_V2.0", {kFirstGood, kLowGood, kLowGood}, {}, "hwversion1.1", true},
        {"USB STANDALONE WRITER_V2.0",
         {bad, kLowGood, kLowGood},
         {"<VoltageFailMsg>"},
         "hwversion1.1",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SetUp();
        op.shown.clear();
        writer.calls.clear();
        writer.versionText = c.text;
        writer.voltages = c.voltages;
        EXPECT_EQ(OnDeviceArrival(kWriterName, shell, services()), ArrivalOutcome::JobRestored);
        EXPECT_EQ(shownTexts(), c.messages);
        EXPECT_EQ(writer.hwVersionName, c.hwVersionName);
        EXPECT_EQ(writer.knownWriterVersion, c.known);
        EXPECT_TRUE(writer.voltages.empty());
        EXPECT_FALSE(writer.familyFirmwareLoaded);
        EXPECT_EQ(writer.writerFirmwareVersion, 0x0107);
        EXPECT_EQ(shell.job.chipNameText, "QR64L74M");
        EXPECT_EQ(shell.job.checksumText, "1234");
    }
}

TEST_F(WriterAttachTest, ArrivalSequenceOnBaseFirmware) {
    shell.chipListSelector = 2;
    shell.panel.enable(ControlId::Read, false);
    EXPECT_EQ(OnDeviceArrival(kWriterName, shell, services()), ArrivalOutcome::JobRestored);
    const std::vector<std::string> want = {std::string("select attach ") + kWriterName,
                                           "version",
                                           "mode 80",
                                           "mode 07",
                                           "wait 1200",
                                           "header"};
    EXPECT_EQ(writer.calls, want);
    EXPECT_EQ(shell.chipListSelector, 1);
    EXPECT_EQ(shell.titleText, "Vexlor_Writer_QR64L74M");
    for (ControlId id :
         {ControlId::Auto, ControlId::BlankCheck, ControlId::Program, ControlId::Verify,
          ControlId::Read, ControlId::WriterTest, ControlId::SmartOption}) {
        EXPECT_TRUE(shell.panel.at(id).enabled) << static_cast<int>(id);
    }
    EXPECT_GE(view.statusShown, 1);
}

TEST_F(WriterAttachTest, ArrivalClearsOldModesBeforeRestoring) {
    shell.job.massProduction = 1;
    shell.job.exhvIspProgram = 1;
    shell.job.displaySerialNumber = 1;
    writer.storedHeader[76] = 0x02;
    OnDeviceArrival(kWriterName, shell, services());
    EXPECT_EQ(shell.job.massProduction, 0);
    EXPECT_EQ(shell.job.exhvIspProgram, 0);
    EXPECT_EQ(shell.job.displaySerialNumber, 0);
    EXPECT_EQ(shell.job.ispProgram, 1);
    EXPECT_EQ(shell.panel.at(ControlId::IspModeLabel).text, "ISP Program");
    EXPECT_TRUE(shell.panel.at(ControlId::IspModeLabel).visible);
    EXPECT_FALSE(shell.panel.at(ControlId::JobModeLabel).visible);
}

TEST_F(WriterAttachTest, ProductionLimitJobDisablesThreeOperations) {
    writer.storedHeader[78] = 0x11;
    OnDeviceArrival(kWriterName, shell, services());
    EXPECT_TRUE(shell.panel.at(ControlId::Auto).enabled);
    EXPECT_FALSE(shell.panel.at(ControlId::BlankCheck).enabled);
    EXPECT_FALSE(shell.panel.at(ControlId::Program).enabled);
    EXPECT_FALSE(shell.panel.at(ControlId::Verify).enabled);
    EXPECT_EQ(shell.panel.at(ControlId::JobModeLabel).text, "Production Limit");
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
        SetUp();
        writer.calls.clear();
        writer.memory[0x39] = c.mark;
        writer.memory[0xFA8F] = c.model;
        ArrivalOutcome got = OnDeviceArrival(kWriterName, shell, services());
        EXPECT_EQ(got, c.reset ? ArrivalOutcome::FirmwareReset : ArrivalOutcome::JobRestored);
    }
}

TEST_F(WriterAttachTest, FirmwareResetWritesTheTestImageAndLeavesOperationsOff) {
    writer.memory[0xFA8F] = 0x2F;
    shell.job.chipNameText = "OLD";
    shell.job.checksumText = "ABCD";
    shell.job.loadedFilePath = "/tmp/x.hex";
    shell.panel.pinPicturePath = "old.jpg";
    op.log = "hex";

    ASSERT_EQ(OnDeviceArrival(kWriterName, shell, services()), ArrivalOutcome::FirmwareReset);

    EXPECT_EQ(shownTexts(),
              (std::vector<std::string>{"<USBDetectMsg>", "<AUTOResetMsg>", "<AUTOResetOKMsg>"}));
    std::string base = dir.path().string();
    EXPECT_TRUE(called("firmware " + base + "/firmware/20test.nce prepare"));
    EXPECT_TRUE(called("area 4 " + base + "/hwversion1.1/test_option.prog"));
    auto area = std::find(writer.calls.begin(), writer.calls.end(),
                          "area 4 " + base + "/hwversion1.1/test_option.prog");
    ASSERT_NE(area, writer.calls.end());
    EXPECT_EQ(std::vector<std::string>(area + 1, writer.calls.end()),
              (std::vector<std::string>{"mode 07", "lamp 90"}));
    EXPECT_FALSE(called("header")) << "no restore after a reset";
    EXPECT_EQ(writer.familyWord, 0);
    EXPECT_EQ(writer.writerFirmwareVersion, 0);
    EXPECT_EQ(shell.job.chipNameText, "");
    EXPECT_EQ(shell.job.checksumText, "");
    EXPECT_EQ(shell.job.loadedFilePath, "");
    EXPECT_EQ(shell.panel.pinPicturePath, "");
    EXPECT_FALSE(shell.panel.hexViewShown);
    EXPECT_FALSE(shell.panel.at(ControlId::Log).enabled);
    EXPECT_EQ(op.log, "") << "the log is emptied at the end";
    for (ControlId id : {ControlId::Auto, ControlId::Read, ControlId::WriterTest,
                         ControlId::SmartOption, ControlId::PinPlacement, ControlId::PinPicture}) {
        EXPECT_FALSE(shell.panel.at(id).enabled) << static_cast<int>(id);
    }
    EXPECT_FALSE(shell.panel.at(ControlId::JobModeLabel).visible);
}

TEST_F(WriterAttachTest, FirmwareResetLogsItsProgressBeforeWriting) {
    writer.memory[0x39] = 0x00;
    writer.firmwareWrites = false;
    // The log is read while the image goes out: the operator sees what is happening.
    struct LogAtWrite : test::ScriptedWriter {
        test::RecordingOperator* op = nullptr;
        std::string logSeen;
        bool WriteFirmwareImage(const std::filesystem::path& p, bool prepare) override {
            logSeen = op->log;
            return ScriptedWriter::WriteFirmwareImage(p, prepare);
        }
    } spy;
    spy.op = &op;
    spy.versionText = "garbage";
    spy.firmwareWrites = false;
    AttachServices s{spy, chips, op, catalogue, view};
    ASSERT_EQ(OnDeviceArrival(kWriterName, shell, s), ArrivalOutcome::FirmwareReset);
    EXPECT_EQ(spy.logSeen, "\nReset Writer Firmware ....... Wait");
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"<AUTOResetMsg>", "<AUTOResetFailMsg>"}));
    EXPECT_EQ(spy.hwVersionName, "hwversion1.0");
    EXPECT_FALSE(spy.knownWriterVersion);
    EXPECT_EQ(spy.familyWord, 0xFFFF) << "a failed reset keeps the family word";
}

TEST_F(WriterAttachTest, ArrivalOfAnotherDeviceIsIgnored) {
    shell.panel.enable(ControlId::Auto, false);
    EXPECT_EQ(OnDeviceArrival("/dev/bus/usb/001/004", shell, services()), ArrivalOutcome::NotOurs);
    EXPECT_EQ(writer.calls.size(), 1u) << "only the transport choice ran";
    EXPECT_FALSE(shell.panel.at(ControlId::Auto).enabled);
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(WriterAttachTest, AccessLibraryArrivalNeedsNoDeviceName) {
    writer.accessLibrary = true;
    EXPECT_EQ(OnDeviceArrival("", shell, services()), ArrivalOutcome::JobRestored);
}

TEST_F(WriterAttachTest, ArrivalWithoutAnOpenWriterDisablesOperations) {
    writer.connectsOnSelect = false;
    EXPECT_EQ(OnDeviceArrival(kWriterName, shell, services()), ArrivalOutcome::NotConnected);
    EXPECT_FALSE(shell.panel.at(ControlId::Auto).enabled);
    EXPECT_FALSE(shell.panel.at(ControlId::SmartOption).enabled);
    EXPECT_TRUE(shell.panel.at(ControlId::PinPlacement).enabled);
    EXPECT_FALSE(called("version"));
}

TEST_F(WriterAttachTest, RemovalDisablesWhatNeedsTheWriter) {
    for (bool removes : {true, false}) {
        SCOPED_TRACE(removes);
        ShellState fresh;
        fresh.panel.pinPicturePath = "pin.jpg";
        test::ScriptedWriter w;
        w.connected = true;
        w.removes = removes;
        CountingView v;
        AttachServices s{w, chips, op, catalogue, v};
        EXPECT_EQ(OnDeviceRemoval(kWriterName, fresh, s), removes);
        EXPECT_EQ(w.calls, std::vector<std::string>{std::string("removed? ") + kWriterName});
        for (ControlId id :
             {ControlId::Auto, ControlId::BlankCheck, ControlId::Program, ControlId::Verify,
              ControlId::Read, ControlId::SmartOption, ControlId::WriterTest,
              ControlId::PinPlacement, ControlId::PinPicture}) {
            EXPECT_EQ(fresh.panel.at(id).enabled, !removes) << static_cast<int>(id);
        }
        EXPECT_EQ(fresh.panel.pinPicturePath.empty(), removes);
        EXPECT_EQ(v.statusShown, removes ? 1 : 0);
        EXPECT_TRUE(op.shown.empty());
    }
}

TEST(IsWriterDeviceName, LooksForTheLowerCaseClassText) {
    EXPECT_TRUE(IsWriterDeviceName(kWriterName));
    EXPECT_TRUE(IsWriterDeviceName("3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3"));
    EXPECT_FALSE(IsWriterDeviceName("/RUN/USB#3D7E41A2-5C19-4F60-9B8E-61A0C2D4F7B3"));
    EXPECT_FALSE(IsWriterDeviceName("3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b"));
    EXPECT_FALSE(IsWriterDeviceName(""));
}

TEST_F(WriterAttachTest, StartWithWriterRestoresTheJob) {
    writer.connected = true;
    shell.chipListSelector = 0;
    StartWithWriter(shell, services());
    EXPECT_EQ(writer.calls, (std::vector<std::string>{"version", "mode 07", "header"}));
    EXPECT_TRUE(op.shown.empty());
    EXPECT_EQ(shell.panel.pinPicturePath, shell.startDirectory + "/res/ICPicture/QV3f1.jpg");
    EXPECT_EQ(shell.chipListSelector, 1);
    EXPECT_EQ(writer.writerFirmwareVersion, 0x0107);
    EXPECT_EQ(shell.job.chipNameText, "QR64L74M");
    EXPECT_TRUE(shell.panel.at(ControlId::SmartOption).enabled);
    EXPECT_EQ(view.statusShown, 1);
}

TEST_F(WriterAttachTest, StartWithoutWriterDisablesAndHides) {
    writer.connected = false;
    writer.versionText = "";
    StartWithWriter(shell, services());
    EXPECT_FALSE(called("header"));
    EXPECT_EQ(shell.job.chipNameText, "");
    EXPECT_EQ(shell.titleText, kInitialTitleText);
    for (ControlId id : {ControlId::Auto, ControlId::Read, ControlId::SmartOption,
                         ControlId::PinPlacement, ControlId::PinPicture}) {
        EXPECT_FALSE(shell.panel.at(id).enabled) << static_cast<int>(id);
    }
    for (ControlId id :
         {ControlId::EraseModeLabel, ControlId::IspModeLabel, ControlId::JobModeLabel}) {
        EXPECT_FALSE(shell.panel.at(id).visible);
    }
    EXPECT_TRUE(op.shown.empty());
}

}  // namespace
}  // namespace vexlor
