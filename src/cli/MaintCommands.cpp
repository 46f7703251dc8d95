#include "cli/MaintCommands.h"

#include "cli/CliSession.h"
#include "cli/JobCommands.h"
#include "core/maint/FirmwareUpdate.h"
#include "core/maint/HardwareId.h"
#include "core/maint/SelfTest.h"

namespace vexlor::cli {

namespace {

// A console has no window to show the log area or the connection pane in.
class ConsoleMainView final : public MainView {
  public:
    void ShowConnectionStatus() override {}
    void refreshPanel() override {}
};

CommandOutcome outcomeOf(MaintOutcome outcome, const char* failure) {
    switch (outcome) {
        case MaintOutcome::Ok:
            return CommandOutcome::success();
        case MaintOutcome::Failed:
            return CommandOutcome::failure(failure, kExitJobFail);
        case MaintOutcome::Cancelled:
            return CommandOutcome::failure("not confirmed (give --yes to agree)", kExitRefused);
        case MaintOutcome::BadFile:
            break;
    }
    return CommandOutcome::failure("not a writer firmware image", kExitBadInput);
}

// Connects and runs one maintenance command over the session.
template <typename Run>
CommandOutcome runMaintCommand(CliSession& session, const char* failure, Run run) {
    std::string reason;
    if (!session.connect(reason)) {
        return CommandOutcome::failure(reason, session.connectFailureStatus());
    }
    ConsoleMainView view;
    MaintServices services{session.context(), session.writer(), session.op(), view};
    return outcomeOf(run(services), failure);
}

}  // namespace

CommandOutcome runFirmwareUpdate(CliSession& session, std::span<const std::string> arguments) {
    const std::filesystem::path path = arguments[0];
    return runMaintCommand(session, "the firmware image was not written",
                           [&path](MaintServices& s) { return UpdateFirmwareFrom(s, path); });
}

CommandOutcome runFirmwareReset(CliSession& session, std::span<const std::string>) {
    return runMaintCommand(session, "the base firmware was not written", OnResetWriterFirmware);
}

CommandOutcome runSelfTest(CliSession& session, std::span<const std::string> arguments) {
    SelfTestKind kind = SelfTestKind::WriterTest;
    if (!arguments.empty()) {
        if (arguments[0] != "--simple") {
            return CommandOutcome::failure("selftest takes only --simple", kExitBadInput);
        }
        kind = SelfTestKind::SimpleTest;
    }
    return runMaintCommand(session, "a self-test check failed",
                           [kind](MaintServices& s) { return RunSelfTest(s, kind).outcome; });
}

CommandOutcome runHardwareId(CliSession& session, std::span<const std::string>) {
    return runMaintCommand(session, "the writer gave no hardware ID", OnReadHardwareId);
}

}  // namespace vexlor::cli
