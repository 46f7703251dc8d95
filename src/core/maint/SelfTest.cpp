#include "core/maint/SelfTest.h"

#include <filesystem>

#include "core/maint/HardwareId.h"
#include "core/writer/VoltageRanges.h"

namespace vexlor {

namespace {

constexpr const char* kWait = " ....... Wait";
constexpr const char* kDacBoardVersion = "hwversion1.1";

struct CheckLabels {
    const char* ok;
    const char* fail;
};

// Where the two routines differ.
struct Routine {
    std::uint8_t firstControlByte;
    CheckLabels levelShift;
    // P_VPP then P_VDD at ground, low and high.
    std::array<const char*, 6> outputLabels;
    // Whether the older board's fixed supplies are measured at all.
    bool measuresFixedBoard;
    const char* downloadImage;  // below the base directory
    const char* closing;
};

constexpr Routine kWriterTest{0x00,
                              {"DAC_Level Shift Voltage\t\t\t", "DAC_Level shift Voltage\t\t\t"},
                              {"P_VPP=0V Test", "P_VDD=0V Test", "P_VPP=5V Test", "P_VDD=5V Test",
                               "P_VPP=12.5V Test", "P_VDD=6V Test"},
                              true,
                              "test.nce",
                              "Test Complete"};
constexpr Routine kSimpleTest{0x30,
                              {"DAC_BAK Voltage\t\t\t\t", "DAC_BAK Voltage\t\t\t\t"},
                              {"P_VPP=GND Test", "P_VDD=GND Test", "P_VPP=Low Test",
                               "P_VDD=Low Test", "P_VPP=High Test", "P_VDD=High Test"},
                              false,
                              "firmware/20test.nce",
                              "Writer Test Complete"};

// The DAC lines in the order of kDacRanges; the level-shift line is the routine's.
CheckLabels dacLabels(const Routine& routine, std::size_t index) {
    constexpr std::array<CheckLabels, 3> kFixed{{
        {"DAC_VPP Voltage\t\t\t\t", "DAC_VPP Voltage\t\t\t\t"},
        {"DAC_WVDD Voltage\t\t\t", "DAC_WVDD Voltage\t\t\t"},
        {"DAC_RVDD Voltage\t\t\t", "DAC_RVDD Voltage\t\t\t"},
    }};
    return index < kFixed.size() ? kFixed[index] : routine.levelShift;
}

// The log area's text, kept here so a waiting note can be shown and dropped again.
class TestLog {
  public:
    explicit TestLog(Operator& op) : op_(op) {}

    void set(std::string_view text) { text_ = text; }
    void append(std::string_view text) { text_ += text; }
    void check(bool ok, const std::string& okLine, const std::string& failLine) {
        append(ok ? okLine : failLine);
        failures_ += ok ? 0 : 1;
    }
    void checkLabelled(bool ok, CheckLabels labels, const char* okEnd, const char* failEnd) {
        check(ok, std::string(labels.ok) + okEnd, std::string(labels.fail) + failEnd);
    }
    void show() { op_.setLogText(text_); }
    void showWaiting() { op_.setLogText(text_ + kWait); }

    const std::string& text() const { return text_; }
    int failures() const { return failures_; }

  private:
    Operator& op_;
    std::string text_;
    int failures_ = 0;
};

using Reading = std::array<std::uint8_t, 6>;

Reading measureAfter(Writer& writer, std::uint8_t controlByte, std::uint32_t settleMs) {
    writer.WriteControlByte(controlByte);
    writer.BusyWait(settleMs);
    Reading reading{};
    writer.ReadVoltageBlock(reading);
    return reading;
}

void checkOutputs(TestLog& log, const Reading& reading, const OutputLevels& levels,
                  const char* vppLabel, const char* vddLabel) {
    log.checkLabelled(levels.vpp.contains(reading[measure::kProgVpp]), {vppLabel, vppLabel},
                      "\t\t\t\t Ok \r\n", "\t\t\t\t Fail \r\n");
    log.checkLabelled(levels.vdd.contains(reading[measure::kProgVdd]), {vddLabel, vddLabel},
                      "\t\t\t\t Ok \r\n", "\t\t\t\t Fail \r\n");
}

void testDacBoard(Writer& writer, const Routine& routine, const Reading& first, TestLog& log) {
    log.set("DAC Board Voltage Test \r\n");
    for (std::size_t i = 0; i < kDacRanges.size(); ++i) {
        log.checkLabelled(kDacRanges[i].range.contains(first[kDacRanges[i].byte]),
                          dacLabels(routine, i), " Ok \r\n", " Fail \r\n");
    }
    log.append("\r\n");
    log.show();
    for (std::uint16_t word : kDacParkWords) {
        writer.WriteControlWord(word);
    }
    writer.WriteControlByte(kOutputsGround);
    writer.BusyWait(300);
    log.append("Program Voltage Board Test\r\n");
    // The ground check judges the first reading, taken before the outputs were switched.
    Reading reading = first;
    for (std::size_t step = 0; step < kDacBoardOutputs.size(); ++step) {
        if (step > 0) {
            reading = measureAfter(writer, kDacBoardOutputs[step].controlByte, 300);
        }
        checkOutputs(log, reading, kDacBoardOutputs[step], routine.outputLabels[2 * step],
                     routine.outputLabels[2 * step + 1]);
        log.show();
    }
}

void testFixedBoard(Writer& writer, const Routine& routine, TestLog& log) {
    if (!routine.measuresFixedBoard) {
        log.append("The Writer Test Voltage Function is not supported \r\n");
        return;
    }
    log.append("Program Voltage Board Test\r\n");
    for (std::size_t step = 0; step < kFixedBoardOutputs.size(); ++step) {
        const Reading reading = measureAfter(writer, kFixedBoardOutputs[step].controlByte, 100);
        checkOutputs(log, reading, kFixedBoardOutputs[step], routine.outputLabels[2 * step],
                     routine.outputLabels[2 * step + 1]);
        log.show();
    }
}

void testKlw300a(Writer& writer, TestLog& log) {
    log.append("\r\n");
    log.showWaiting();
    log.append("KLW300A Hardware Test");
    log.showWaiting();
    log.append("\r\n");
    std::uint8_t status = 0;
    // A writer that does not answer has not passed.
    const bool ok = writer.ReceiveData(cmd::kJobStatus, &status, 1) && (status & 0x03) == 0;
    log.check(ok, "Qv1997 IC Test   \t\t\t\t OK \r\n", "Qv1997 IC Test   \t\t\t\t Fail \r\n");
    log.check(ok, "Level-Shift Test \t\t\t\t OK \r\n", "Level-Shift Test \t\t\t\t Fail \r\n");
}

}  // namespace

SelfTestResult RunSelfTest(MaintServices& s, SelfTestKind kind) {
    const Routine& routine = kind == SelfTestKind::WriterTest ? kWriterTest : kSimpleTest;
    if (!s.op.ask(s.context.messages.text("TestAlarmMsg"), kDefaultCaption,
                  MessageIcon::Exclamation)) {
        return {};
    }
    ShowMaintenanceLog(s);
    Writer& writer = s.writer;
    constexpr const char* kStage = "Self-test";
    writer.connection().progress().beginStage(kStage);
    WriterLink& link = s.writer.link();
    const std::filesystem::path& base = s.context.shell.baseDirectory;
    TestLog log(s.op);

    for (std::uint16_t word : kDacSetupWords) {
        writer.WriteControlWord(word);
    }
    const Reading first = measureAfter(writer, routine.firstControlByte, 100);
    if (link.hwVersionName == kDacBoardVersion) {
        testDacBoard(writer, routine, first, log);
    } else {
        testFixedBoard(writer, routine, log);
    }

    log.append("\r\nProgram Option Buffer Test");
    log.showWaiting();
    writer.BeginHostSequence();
    log.check(writer.WriteAreaFromFile(base / link.hwVersionName / "test_option.prog", kOptionArea),
              "\r\nOption Buffer\t\t\t\t OK \r\n", "\r\nOption Buffer\t\t\t\t Fail \r\n");
    log.append("Program Data Buffer Test");
    log.showWaiting();
    log.check(writer.WriteAreaFromFile(base / "test_data.prog", kDataArea),
              "\r\nData Buffer\t\t\t\t OK \r\n", "\r\nData Buffer\t\t\t\t Fail \r\n");
    log.show();

    writer.WriteFirmwareImage(base / "teststop.nce", false);
    link.familyFirmwareLoaded = false;
    log.append("\r\nFirmware Download Test");
    log.showWaiting();
    log.check(writer.WriteFirmwareImage(base / routine.downloadImage, false),
              "\r\nDownload Firmware\t\t\t\t OK \r\n", "\r\nDownload Firmware\t\t\t\t Fail \r\n");

    const auto id = ReadHardwareId(writer);
    if (id && HardwareModelName(*id) == "KLW300A") {
        testKlw300a(writer, log);
    }

    ForgetWriterFirmware(link);
    log.show();
    writer.connection().progress().result(
        kStage, log.failures() == 0,
        log.failures() == 0 ? "" : std::to_string(log.failures()) + " check(s) failed");
    s.op.message(routine.closing, "Message");
    s.op.setLogText("");
    // The chip has to be selected again, but the test can be run again at once.
    s.context.shell.panel.enable(ControlId::WriterTest, link.writerConnected);
    s.view.refreshPanel();
    return {log.failures() == 0 ? MaintOutcome::Ok : MaintOutcome::Failed, log.text(),
            log.failures()};
}

}  // namespace vexlor
