#include <gtest/gtest.h>

#include <tuple>

#include "SelectFixture.h"
#include "core/select/DeviceCommand.h"
#include "support/RecordingOperator.h"

namespace vexlor {
namespace {

class DeviceCommandTest : public ::testing::Test {
  protected:
    DeviceCommandTest() {
        test::WriteSampleCatalogue(base);
        base.write("res/ICPicture/QV115.jpg", "picture");
        shell.baseDirectory = base.path();
        shell.startDirectory = base.path().string();
    }
    // Browses the lists and answers OK (or Cancel) the way the operator would.
    RunIcTypeSelect operatorWho(std::function<void(IcTypeSelectModel&)> browse, bool ok) {
        return [this, browse, ok]() -> std::optional<IcTypeSelection> {
            IcTypeSelectModel model(document, op);
            if (!model.open(shell.chipListSelector)) {
                return std::nullopt;
            }
            browse(model);
            if (!ok || !model.accept()) {
                return std::nullopt;
            }
            return model.selection();
        };
    }
    DeviceCommandOutcome run(std::function<void(IcTypeSelectModel&)> browse, bool ok,
                             bool connected = true) {
        return RunDeviceCommand(operatorWho(std::move(browse), ok), document, connected, op, shell);
    }
    test::ScratchDir base;
    test::RecordingOperator op;
    ReadChipXml document{op, base.path()};
    ShellState shell;
};

TEST_F(DeviceCommandTest, CancelAfterBrowsingPutsBothRecordsBackExactly) {
    // A job restored earlier: keys and parameters that no catalogue chip carries.
    document.ReadChipDisplayInfo("M10X1", 1);
    document.ReadICInfo("M10X1");
    document.chipDisplayInfo().FW_File = "kept.nce";
    document.chipDisplayInfo().SetProtectMode = 7;
    document.icInfo().Device_ID = {0x12, 0x34};
    document.icInfo().P_VDD = 5.5f;
    const ChipDisplayInfo keys = document.chipDisplayInfo();
    const ICInfo parameters = document.icInfo();
    shell.job.chipNameText = "M10X1";
    shell.job.checksumText = "1A2B";
    shell.job.wholeChipErase = 1;
    const JobState job = shell.job;
    const DeviceCommandOutcome outcome = run(
        [](IcTypeSelectModel& model) {
            model.selectChipName(1);
            model.selectChipSeries(1);
            model.selectMcuType(1);
            model.selectChipSeries(1);
            model.selectChipName(1);
            model.clickMode(ModeBox::DisplaySerialNumber, true);
        },
        false);
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(document.chipDisplayInfo(), keys);
    EXPECT_EQ(document.icInfo(), parameters);
    EXPECT_EQ(shell.job.chipNameText, job.chipNameText);
    EXPECT_EQ(shell.job.checksumText, job.checksumText);
    EXPECT_EQ(shell.titleText, "Vexlor_Writer  ");
    // The labels are refreshed from the kept job.
    EXPECT_EQ(shell.panel.at(ControlId::EraseModeLabel).text, "Whole Chip Erase");
}

TEST_F(DeviceCommandTest, UnreadableCatalogueEndsAsCancel) {
    document.icInfo().ChipName = "KEPT";
    std::filesystem::remove(base / "ChipList/KLW20_mcu.xml");
    const DeviceCommandOutcome outcome = run([](IcTypeSelectModel&) {}, true);
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(op.last().text, "Read Chip List Error!!");
    EXPECT_EQ(document.icInfo().ChipName, "KEPT");
    EXPECT_EQ(shell.job.chipNameText, "");
}

TEST_F(DeviceCommandTest, OkHandsTheChipAndItsModesToTheMainWindow) {
    shell.job.checksumText = "BEEF";
    shell.job.packageCode = "16";
    shell.job.smartOptionWord = 0x1234;  // another chip's word
    shell.chipListSelector = 2;          // the command always starts from the first catalogue
    const DeviceCommandOutcome outcome = run(
        [](IcTypeSelectModel& model) {
            model.selectChipName(1);  // QR31ZJ0115: ISP forced, picture QV115.jpg present
            model.clickMode(ModeBox::ProductionLimit, true);
            model.editCount("300");
            model.clickMode(ModeBox::WholeChipErase, true);
        },
        true);
    ASSERT_TRUE(outcome.accepted);
    EXPECT_EQ(shell.chipListSelector, 1);
    EXPECT_EQ(shell.job.packageCode, "0");
    EXPECT_TRUE(outcome.blankHexView);
    EXPECT_FALSE(outcome.openSerialNumberSet);
    const JobState& job = shell.job;
    EXPECT_EQ(job.chipNameText, "QR31ZJ0115");
    EXPECT_EQ(shell.titleText, "Vexlor_Writer  QR31ZJ0115  ");
    EXPECT_EQ(job.checksumText, "");
    // ISP, EXHV ISP, limit and count, mass production, erase, serial, smart option.
    EXPECT_EQ(std::tuple(job.ispProgram, job.exhvIspProgram, job.productionLimit,
                         job.productionLimitCount, job.massProduction, job.wholeChipErase,
                         job.displaySerialNumber, job.smartOptionAvailable),
              std::tuple(1, 0, 1, 300, 0, 1, 0, 0));
    EXPECT_EQ(job.smartOptionWord, kUnknownSystemConfig);
    EXPECT_EQ(shell.panel.pinPicturePath, (base / "res/ICPicture/QV115.jpg").string());
    EXPECT_TRUE(shell.panel.at(ControlId::PinPlacement).enabled);
    EXPECT_TRUE(op.shown.empty());
    // The panel follows the new job (its rules are the panel's own).
    EXPECT_EQ(shell.panel.at(ControlId::JobModeLabel).text, "Production Limit");
    EXPECT_FALSE(shell.panel.at(ControlId::Program).enabled);
}

TEST_F(DeviceCommandTest, MissingPinPictureIsReportedAndDisablesThePictureControls) {
    shell.panel.pinPicturePath = "old.jpg";
    shell.job.chipNameText = "QR31A100";
    shell.job.smartOptionWord = 0x1234;  // the same chip keeps its word
    const DeviceCommandOutcome outcome = run([](IcTypeSelectModel&) {}, true);  // QR31A100
    ASSERT_TRUE(outcome.accepted);
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.last().text, "Can't Find PIN Picture!!");
    EXPECT_FALSE(shell.panel.at(ControlId::PinPlacement).enabled ||
                 shell.panel.at(ControlId::PinPicture).enabled);
    EXPECT_EQ(shell.panel.pinPicturePath, "");
    EXPECT_EQ(std::tuple(shell.job.smartOptionAvailable, shell.job.smartOptionWord),
              std::tuple(1, 0x1234u));
    EXPECT_TRUE(shell.panel.at(ControlId::SmartOption).enabled);
}

TEST_F(DeviceCommandTest, DisplaySerialNumberAsksForTheSerialSetWithTheIspChoice) {
    const DeviceCommandOutcome outcome = run(
        [](IcTypeSelectModel& model) {
            model.clickMode(ModeBox::DisplaySerialNumber, true);
            model.clickMode(ModeBox::ExHvIspProgram, true);
        },
        true);
    ASSERT_TRUE(outcome.accepted);
    EXPECT_EQ(std::tuple(outcome.openSerialNumberSet, outcome.exhvIspProgram, outcome.ispProgram),
              std::tuple(true, true, false));
    EXPECT_EQ(shell.job.displaySerialNumber, 1);
}

TEST_F(DeviceCommandTest, MenuCommandWithoutAWriterDoesNotRunTheDialog) {
    AppContext context{op, base.path(), Language::English};
    context.shell.job.chipNameText = "M10X1";
    int runs = 0;
    const auto dialog = [&runs]() -> std::optional<IcTypeSelection> {
        ++runs;
        return IcTypeSelection{};
    };
    EXPECT_FALSE(RunDeviceMenuCommand(dialog, context, op).accepted);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(op.texts(), std::vector<std::string>{"Writer was not connected"});
    EXPECT_EQ(context.shell.job.chipNameText, "M10X1");
    context.link.writerConnected = true;
    RunDeviceMenuCommand(dialog, context, op);
    EXPECT_EQ(runs, 1);
}

TEST_F(DeviceCommandTest, ButtonsFollowTheSerialFlagOfThePreviousJob) {
    // Mass production is chosen each time; the buttons start disabled.
    const auto check = [&](std::int32_t previousDisplaySerial, bool connected,
                           bool singleOperationsEnabled) {
        shell.job.displaySerialNumber = previousDisplaySerial;
        DisableOperationButtons(shell.panel);
        const DeviceCommandOutcome outcome =
            run([](IcTypeSelectModel& model) { model.clickMode(ModeBox::MassProduction, true); },
                true, connected);
        ASSERT_TRUE(outcome.accepted);
        SCOPED_TRACE(testing::Message() << previousDisplaySerial << connected);
        EXPECT_EQ(shell.panel.at(ControlId::Auto).enabled, connected && previousDisplaySerial == 0);
        EXPECT_EQ(shell.panel.at(ControlId::Program).enabled, singleOperationsEnabled);
        EXPECT_EQ(shell.panel.at(ControlId::Read).enabled, connected);
        EXPECT_EQ(shell.panel.at(ControlId::JobModeLabel).text, "Mass Production Mode");
    };
    check(0, true, false);
    check(1, true, false);
    check(0, false, false);
}

}  // namespace
}  // namespace vexlor
