#include "core/maint/FirmwareUpdate.h"

#include <array>
#include <fstream>

#include "core/base/Diagnostics.h"
#include "core/writer/FirmwareImageCheck.h"

namespace vexlor {

namespace {

constexpr const char* kCaption = "Message";

// The busy cursor for the length of the update; the progress bar is emptied afterwards.
class UpdateBusy {
  public:
    explicit UpdateBusy(MaintServices& s) : s_(s) { s_.op.beginBusy(kFirmwareUpdateCursor); }
    ~UpdateBusy() {
        s_.op.endBusy();
        s_.writer.connection().progress().setPosition(0);
    }
    UpdateBusy(const UpdateBusy&) = delete;
    UpdateBusy& operator=(const UpdateBusy&) = delete;

  private:
    MaintServices& s_;
};

}  // namespace

bool FirmwareFileHasModelCode(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::array<char, 2> codes{};
    file.seekg(kModelCodeKLW20At);
    file.read(codes.data(), 1);
    if (!file) {
        return false;
    }
    if (HasWriterModelCode(static_cast<std::uint8_t>(codes[0]), 0)) {
        return true;
    }
    file.read(codes.data() + 1, 1);
    return file && HasWriterModelCode(0, static_cast<std::uint8_t>(codes[1]));
}

MaintOutcome OnUpdateFirmware(MaintServices& s) {
    const auto path = s.op.chooseOpenFile(kFirmwareFileFilter);
    if (!path) {
        return MaintOutcome::Cancelled;
    }
    return UpdateFirmwareFrom(s, *path);
}

MaintOutcome UpdateFirmwareFrom(MaintServices& s, const std::filesystem::path& path) {
    s.view.refreshPanel();
    UpdateBusy busy(s);
    if (!FirmwareFileHasModelCode(path)) {
        s.op.message(format("%s open file error\n", path.string().c_str()));
        return MaintOutcome::BadFile;
    }
    const bool written = s.writer.WriteFirmwareImage(path, true);
    // Whatever the writer runs now, it is not the family firmware the last download left.
    ForgetWriterFirmware(s.writer.link());
    if (!written) {
        s.op.message("Update Firmware Fail", kCaption, MessageIcon::Stop);
        return MaintOutcome::Failed;
    }
    s.op.message("Update Firmware Ok", kCaption);
    return MaintOutcome::Ok;
}

MaintOutcome OnResetWriterFirmware(MaintServices& s) {
    if (!s.op.ask(" Are you sure reset writer firmware ? ", " ", MessageIcon::Question)) {
        return MaintOutcome::Cancelled;
    }
    ShowMaintenanceLog(s);
    const std::string log = "\r\nReset Writer Firmware";
    s.op.setLogText(log + " ....... Wait");

    const std::filesystem::path& base = s.context.shell.baseDirectory;
    s.writer.BeginHostSequence();
    s.writer.WriteAreaFromFile(base / s.writer.link().hwVersionName / "test_option.prog",
                               kOptionArea);
    const bool written = s.writer.WriteFirmwareImage(base / "firmware" / "20test.nce", true);
    // A failed write leaves the writer's firmware unknown, so it is forgotten either way.
    ForgetWriterFirmware(s.writer.link());
    MaintOutcome outcome = MaintOutcome::Ok;
    if (written) {
        s.op.message("Reset Firmware Ok.\nPlease Re-select The IC", kCaption);
        s.context.shell.chipListSelector = 1;
    } else {
        s.op.message("Reset Firmware Fail", kCaption, MessageIcon::Stop);
        outcome = MaintOutcome::Failed;
    }
    s.view.ShowConnectionStatus();
    s.op.setLogText("");
    s.view.refreshPanel();
    return outcome;
}

}  // namespace vexlor
