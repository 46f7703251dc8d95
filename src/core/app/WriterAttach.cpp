#include "core/app/WriterAttach.h"

#include <string>

#include "core/app/JobRestore.h"
#include "core/app/PanelRules.h"
#include "core/app/VoltageCheck.h"
#include "core/app/WriterVersion.h"
#include "core/writer/WriterPermission.h"

namespace vexlor {

namespace {

constexpr std::uint8_t kBaseFirmwareMark = 0xC8;
constexpr std::uint8_t kBaseFirmwareModel = 0x50;
// The operations' busy cursor.
constexpr const char* kAttachCursor = "metronom.ani";

// An attach waits on the writer for about two seconds, and longer with a firmware reset: the
// busy cursor and the status line show that it works, until it ends.
class CheckingWriter {
  public:
    explicit CheckingWriter(Operator& op) : op_(op) {
        op_.beginBusy(kAttachCursor);
        op_.showStatus(kCheckingWriterStatus);
    }
    ~CheckingWriter() { op_.endBusy(); }
    CheckingWriter(const CheckingWriter&) = delete;
    CheckingWriter& operator=(const CheckingWriter&) = delete;

  private:
    Operator& op_;
};

void showCatalogueMessage(AttachServices& s, const char* key) {
    s.view.refreshPanel();
    s.op.message(s.messages.text(key));
}

std::uint16_t readFirmwareVersion(Writer& writer) {
    std::uint16_t high = writer.ReadWriterByte(0xFA90);
    std::uint16_t low = writer.ReadWriterByte(0xFA91);
    return static_cast<std::uint16_t>(high * 256 + low);
}

void tellWhenDenied(AttachServices& s) {
    if (s.writer.connection().writerDenied()) {
        s.op.message(WriterAccessDeniedMessage());
    }
}

void enableAfterConnect(ShellState& shell) {
    PanelState& panel = shell.panel;
    for (ControlId id : {ControlId::Auto, ControlId::BlankCheck, ControlId::Program,
                         ControlId::Verify, ControlId::Read, ControlId::WriterTest}) {
        panel.enable(id, true);
    }
}

void restoreJob(ShellState& shell, AttachServices& s) {
    OptionHeader& header = s.writer.link().optionHeader;
    s.writer.ReadOptionHeader(header);
    RestoreJobFromWriter(header, s.chips, s.op, shell);
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
                                   kOptionArea);
        s.writer.ChangeWriterMode(kModeDone);
        s.writer.SetOperationLamp(kLampIdle);
        s.op.showStatus(kFirmwareResetStatus);
        showCatalogueMessage(s, "AUTOResetOKMsg");
        s.writer.link().familyWord = 0;
        s.writer.link().writerFirmwareVersion = 0;
    } else {
        s.op.showStatus(kFirmwareResetFailedStatus);
        showCatalogueMessage(s, "AUTOResetFailMsg");
    }
    s.op.setLogText("");
    s.view.refreshPanel();
}

}  // namespace

void StartWithWriter(ShellState& shell, AttachServices s) {
    ReadWriterVersion(s.writer);
    shell.chipListSelector = 1;
    s.writer.link().writerFirmwareVersion = readFirmwareVersion(s.writer);
    s.writer.ChangeWriterMode(kModeDone);
    s.view.ShowConnectionStatus();
    ResetFuseBoxes(shell.panel);

    if (s.writer.link().writerConnected) {
        enableAfterConnect(shell);
        restoreJob(shell, s);
        shell.panel.enable(ControlId::SmartOption, shell.job.smartOptionAvailable != 0);
        s.op.showStatus(kWriterAttachedStatus);
    } else {
        DisableEverythingOfTheWriter(shell.panel);
        HideModeLabels(shell.panel);
        s.op.showStatus(kWriterNotConnectedStatus);
        tellWhenDenied(s);
    }
    s.view.refreshPanel();
}

ArrivalOutcome OnDeviceArrival(std::string_view deviceName, ShellState& shell, AttachServices s) {
    WriterConnection& connection = s.writer.connection();
    connection.SelectTransport(true, deviceName);
    if (!connection.transport().concerns(deviceName)) {
        return ArrivalOutcome::NotOurs;
    }
    if (!s.writer.link().writerConnected) {
        DisableOperationButtons(shell.panel);
        s.op.showStatus(kWriterNotConnectedStatus);
        s.view.refreshPanel();
        tellWhenDenied(s);
        return ArrivalOutcome::NotConnected;
    }
    CheckingWriter checking(s.op);

    WriterVersionClass version = ReadWriterVersion(s.writer);
    if (AnnouncesAttach(version.model)) {
        showCatalogueMessage(s, "USBDetectMsg");
    } else if (version.model == WriterModel::V2_0 && !RunVoltageCheck(s.writer)) {
        showCatalogueMessage(s, "VoltageFailMsg");
    }

    s.writer.link().familyFirmwareLoaded = false;
    shell.chipListSelector = 1;
    s.writer.ChangeWriterMode(kModeAttached);

    std::uint8_t mark = s.writer.ReadWriterByte(0x39);
    std::uint8_t model = s.writer.ReadWriterByte(0xFA8F) & 0xF0;
    if (mark != kBaseFirmwareMark || model != kBaseFirmwareModel) {
        resetWriterFirmware(shell, s, version);
        return ArrivalOutcome::FirmwareReset;
    }

    s.writer.link().writerFirmwareVersion = readFirmwareVersion(s.writer);
    s.writer.ChangeWriterMode(kModeDone);
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
    s.op.showStatus(kWriterAttachedStatus);
    s.view.refreshPanel();
    return ArrivalOutcome::JobRestored;
}

bool OnDeviceRemoval(std::string_view deviceName, ShellState& shell, AttachServices s) {
    if (!s.writer.connection().WriterRemoved(deviceName)) {
        return false;
    }
    s.view.ShowConnectionStatus();
    DisableEverythingOfTheWriter(shell.panel);
    s.op.showStatus(kWriterRemovedStatus);
    s.view.refreshPanel();
    return true;
}

}  // namespace vexlor
