#include "core/app/WriterAttach.h"

#include <string>

#include "core/app/JobRestore.h"
#include "core/app/PanelRules.h"
#include "core/app/VoltageCheck.h"
#include "core/app/WriterVersion.h"
#include "core/writer/WriterIdentity.h"

namespace vexlor {

namespace {

constexpr std::uint8_t kBaseFirmwareMark = 0xC8;
constexpr std::uint8_t kBaseFirmwareModel = 0x50;

void showCatalogueMessage(AttachServices& s, const char* key) {
    s.view.refreshPanel();
    s.op.message(s.messages.text(key));
}

std::uint16_t readFirmwareVersion(WriterPort& writer) {
    std::uint16_t high = writer.ReadWriterByte(0xFA90);
    std::uint16_t low = writer.ReadWriterByte(0xFA91);
    return static_cast<std::uint16_t>(high * 256 + low);
}

WriterVersionClass readAndClassifyVersion(WriterPort& writer) {
    WriterVersionClass version = ClassifyWriterVersion(writer.ReadVersionBlock());
    writer.setVersion(version.hwVersionName, version.known);
    return version;
}

void enableAfterConnect(ShellState& shell) {
    PanelState& panel = shell.panel;
    for (ControlId id : {ControlId::Auto, ControlId::BlankCheck, ControlId::Program,
                         ControlId::Verify, ControlId::Read, ControlId::WriterTest}) {
        panel.enable(id, true);
    }
}

void restoreJob(ShellState& shell, AttachServices& s) {
    s.writer.ReadOptionHeader();
    RestoreJobFromWriter(s.writer.optionHeader(), s.chips, s.op, shell);
    ShowModeLabels(shell.job, shell.panel);
}

void clearJobModes(JobState& job) {
    job.displaySerialNumber = 0;
    job.serialNumberProgram = 0;
    job.exhvIspProgram = 0;
    job.ispProgram = 0;
    job.massProduction = 0;
    job.productionLimit = 0;
    job.wholeChipErase = 0;
}

void resetWriterFirmware(ShellState& shell, AttachServices& s, const WriterVersionClass& version) {
    s.view.ShowConnectionStatus();
    showCatalogueMessage(s, "AUTOResetMsg");
    shell.job.loadedFilePath.clear();
    shell.job.chipNameText.clear();
    shell.job.checksumText.clear();
    DisableEverythingOfTheWriter(shell.panel);
    HideModeLabels(shell.panel);
    shell.panel.hexViewShown = false;
    shell.panel.enable(ControlId::Log, false);
    s.op.appendLog("\nReset Writer Firmware");
    s.op.appendLog(" ....... Wait");
    s.view.refreshPanel();

    if (s.writer.WriteFirmwareImage(shell.baseDirectory / "firmware" / "20test.nce", true)) {
        s.writer.WriteAreaFromFile(shell.baseDirectory / version.hwVersionName / "test_option.prog",
                                   4);
        s.writer.ChangeWriterMode(0x07);
        s.writer.SetOperationLamp(0x90);
        showCatalogueMessage(s, "AUTOResetOKMsg");
        s.writer.setFamilyWord(0);
        s.writer.setWriterFirmwareVersion(0);
    } else {
        showCatalogueMessage(s, "AUTOResetFailMsg");
    }
    s.op.setLogText("");
    s.view.refreshPanel();
}

}  // namespace

bool IsWriterDeviceName(std::string_view deviceName) {
    return deviceName.find(kWriterClassGuidText) != std::string_view::npos;
}

void StartWithWriter(ShellState& shell, AttachServices s) {
    readAndClassifyVersion(s.writer);
    shell.chipListSelector = 1;
    s.writer.setWriterFirmwareVersion(readFirmwareVersion(s.writer));
    s.writer.ChangeWriterMode(0x07);
    s.view.ShowConnectionStatus();
    ResetFuseBoxes(shell.panel);

    if (s.writer.writerConnected()) {
        enableAfterConnect(shell);
        restoreJob(shell, s);
        shell.panel.enable(ControlId::SmartOption, shell.job.smartOptionAvailable != 0);
    } else {
        DisableEverythingOfTheWriter(shell.panel);
        HideModeLabels(shell.panel);
    }
    s.view.refreshPanel();
}

ArrivalOutcome OnDeviceArrival(std::string_view deviceName, ShellState& shell, AttachServices s) {
    s.writer.SelectTransport(true, deviceName);
    if (!s.writer.usesAccessLibrary() && !IsWriterDeviceName(deviceName)) {
        return ArrivalOutcome::NotOurs;
    }
    if (!s.writer.writerConnected()) {
        DisableOperationButtons(shell.panel);
        s.view.refreshPanel();
        return ArrivalOutcome::NotConnected;
    }

    WriterVersionClass version = readAndClassifyVersion(s.writer);
    if (AnnouncesAttach(version.model)) {
        showCatalogueMessage(s, "USBDetectMsg");
    } else if (version.model == WriterModel::V2_0 && !RunVoltageCheck(s.writer)) {
        showCatalogueMessage(s, "VoltageFailMsg");
    }

    s.writer.setFamilyFirmwareLoaded(false);
    shell.chipListSelector = 1;
    s.writer.ChangeWriterMode(0x80);

    std::uint8_t mark = s.writer.ReadWriterByte(0x39);
    std::uint8_t model = s.writer.ReadWriterByte(0xFA8F) & 0xF0;
    if (mark != kBaseFirmwareMark || model != kBaseFirmwareModel) {
        resetWriterFirmware(shell, s, version);
        return ArrivalOutcome::FirmwareReset;
    }

    s.writer.setWriterFirmwareVersion(readFirmwareVersion(s.writer));
    s.writer.ChangeWriterMode(0x07);
    s.writer.BusyWait(1200);

    s.view.ShowConnectionStatus();
    enableAfterConnect(shell);
    shell.panel.enable(ControlId::SmartOption, shell.job.smartOptionAvailable != 0);
    clearJobModes(shell.job);
    restoreJob(shell, s);
    if (shell.job.massProduction == 1 || shell.job.productionLimit == 1) {
        shell.panel.enable(ControlId::BlankCheck, false);
        shell.panel.enable(ControlId::Program, false);
        shell.panel.enable(ControlId::Verify, false);
    }
    s.view.refreshPanel();
    return ArrivalOutcome::JobRestored;
}

bool OnDeviceRemoval(std::string_view deviceName, ShellState& shell, AttachServices s) {
    if (!s.writer.WriterRemoved(deviceName)) {
        return false;
    }
    s.view.ShowConnectionStatus();
    DisableEverythingOfTheWriter(shell.panel);
    s.view.refreshPanel();
    return true;
}

}  // namespace vexlor
