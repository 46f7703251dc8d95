#include "cli/JobCommands.h"

#include <filesystem>
#include <ostream>

#include "cli/CliSession.h"
#include "core/ops/ChipInfo.h"
#include "core/ops/ChipOperations.h"
#include "core/ops/ConversionSetup.h"
#include "core/ops/FileCompare.h"
#include "core/ops/ImportJob.h"
#include "core/ops/LoadFile.h"
#include "core/ops/SetProtect.h"

namespace vexlor::cli {

namespace {

// A console has no panel; what the window would show in its hex view is named instead.
class ConsoleView final : public JobView {
  public:
    explicit ConsoleView(std::ostream& out) : out_(out) {}
    void refreshPanel() override {}
    void showFileInHexView(const std::filesystem::path& path) override {
        if (!path.empty()) {
            out_ << "data: " << path.string() << '\n';
        }
    }

  private:
    std::ostream& out_;
};

// Option Select answered from the command line: the protect choice given, everything else as
// the dialog offers it.
class ConsoleOptionSelect final : public OptionSelectDialog {
  public:
    explicit ConsoleOptionSelect(std::int32_t protect) : protect_(protect) {}
    bool run(OptionChoices& choices) override {
        choices.protect = protect_;
        return true;
    }

  private:
    std::int32_t protect_;
};

int exitCodeOf(JobOutcome outcome) {
    switch (outcome) {
        case JobOutcome::Ok:
            return 0;
        case JobOutcome::Failed:
            return kExitJobFail;
        case JobOutcome::Refused:
        case JobOutcome::Cancelled:
            return kExitRefused;
        case JobOutcome::BadInput:
            break;
    }
    return kExitBadInput;
}

const char* reasonOf(JobOutcome outcome) {
    switch (outcome) {
        case JobOutcome::Ok:
            return "";
        case JobOutcome::Failed:
            return "the writer reported FAIL";
        case JobOutcome::Refused:
            return "refused (see the message above)";
        case JobOutcome::Cancelled:
            return "not confirmed (give --yes to agree)";
        case JobOutcome::BadInput:
            break;
    }
    return "the program file cannot be used";
}

using JobStep = JobOutcome (*)(JobServices&);

// Connects, runs one command over the session and turns its outcome into the tool's.
template <typename Run>
CommandOutcome runOnWriter(CliSession& session, std::int32_t protectChoice, Run run) {
    std::string reason;
    if (!session.connect(reason)) {
        return CommandOutcome::failure(reason, session.connectFailureStatus());
    }
    NoButtons buttons;
    ConsoleView view(session.out());
    ConsoleOptionSelect optionSelect(protectChoice);
    // The console shows no code-page text, so the download log stays empty.
    JobServices services{session.context(),
                         session.writer(),
                         session.op(),
                         buttons,
                         view,
                         optionSelect,
                         0,
                         ConverterDirectories(session.context().shell.baseDirectory),
                         session.options().damagedHex(),
                         session.diagnostics()};
    const JobOutcome outcome = run(services);
    if (outcome == JobOutcome::Ok) {
        return CommandOutcome::success();
    }
    // A writer that went away mid-job fails whatever step was running; a script sorting chips
    // by exit status must not take that for a bad chip.
    if (!session.writerAnswers()) {
        return CommandOutcome::failure("no writer (it stopped answering)", kExitNoWriter);
    }
    return CommandOutcome::failure(reasonOf(outcome), exitCodeOf(outcome));
}

// Prints each label the dialog would show, one a line.
class ConsoleChipInfo final : public ChipInfoView {
  public:
    explicit ConsoleChipInfo(std::ostream& out) : out_(out) {}
    void setButtonsEnabled(bool) override {}
    void showLabels(const ChipInfoLabels& labels) override { last_ = labels; }
    void print() const {
        for (const auto& label : {last_.chipName, last_.systemConfig, last_.checksum, last_.id}) {
            if (label && !label->empty()) {
                out_ << *label << '\n';
            }
        }
    }

  private:
    std::ostream& out_;
    ChipInfoLabels last_;
};
// The same for the commands that work on the selected chip's job.
template <typename Run>
CommandOutcome runJobCommand(CliSession& session, std::int32_t protectChoice, Run run) {
    if (!session.context().shell.job.chipSelected()) {
        return CommandOutcome::failure("no chip selected (select one first)", kExitRefused);
    }
    return runOnWriter(session, protectChoice, run);
}

CommandOutcome runStep(CliSession& session, JobStep step) {
    return runJobCommand(session, 0, [step](JobServices& s) { return step(s); });
}

// In Display Serial Number mode each chip needs its number: the window disables these four
// buttons after a load, and chips are programmed through the serial run instead.
CommandOutcome runChipStep(CliSession& session, JobStep step) {
    if (session.context().shell.job.displaySerialNumber) {
        return CommandOutcome::failure("Display Serial Number mode: program chips with serial run",
                                       kExitRefused);
    }
    return runStep(session, step);
}

}  // namespace

CommandOutcome runLoad(CliSession& session, std::span<const std::string> arguments) {
    const std::string path = arguments[0];
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return CommandOutcome::failure("no program file " + path, kExitBadInput);
    }
    return runJobCommand(session, 0, [&path](JobServices& s) { return LoadDroppedFile(s, path); });
}

CommandOutcome runAuto(CliSession& session, std::span<const std::string>) {
    return runChipStep(session, OnAuto);
}

CommandOutcome runBlank(CliSession& session, std::span<const std::string>) {
    return runChipStep(session, OnBlankCheck);
}

CommandOutcome runProgram(CliSession& session, std::span<const std::string>) {
    return runChipStep(session, OnProgram);
}

CommandOutcome runVerify(CliSession& session, std::span<const std::string>) {
    return runChipStep(session, OnVerify);
}

CommandOutcome runImport(CliSession& session, std::span<const std::string> arguments) {
    const std::string& path = arguments[0];
    CommandOutcome outcome =
        runOnWriter(session, 0, [&path](JobServices& s) { return ImportJobPackage(s, path); });
    if (!outcome.ok && outcome.exitCode == kExitBadInput) {
        outcome.reason = "the job package cannot be used";
    }
    return outcome;
}

bool MayReplace(CliSession& session, const std::string& path) {
    std::error_code ec;
    return !std::filesystem::exists(path, ec) || session.options().force ||
           session.op().ask(path + " exists. Replace it?", "Message", MessageIcon::Question);
}

CommandOutcome runRead(CliSession& session, std::span<const std::string> arguments) {
    // Asked before the chip is read, so a refusal costs no read.
    if (!arguments.empty() && !MayReplace(session, arguments[0])) {
        return CommandOutcome::failure(arguments[0] + " exists (give --force to replace it)",
                                       kExitRefused);
    }
    CommandOutcome outcome = runStep(session, OnRead);
    if (!outcome.ok || arguments.empty()) {
        return outcome;
    }
    std::error_code ec;
    std::filesystem::copy_file(session.options().baseDirectory / kReadDataFile, arguments[0],
                               std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        return CommandOutcome::failure("can't write " + arguments[0] + ": " + ec.message(),
                                       kExitBadInput);
    }
    session.out() << "read data copied to " << arguments[0] << '\n';
    return outcome;
}

CommandOutcome runChipInfo(CliSession& session, std::span<const std::string>) {
    return runJobCommand(session, 0, [&session](JobServices& s) {
        s.writer.ReadOptionHeader(s.context.link.optionHeader);
        if (!ChipInfoSupported(s.context.link.optionHeader)) {
            session.out() << "NO Support\n";
            return JobOutcome::Refused;
        }
        ConsoleChipInfo view(session.out());
        const bool read = OnReadChipInfoRead(s, view);
        view.print();
        return read ? JobOutcome::Ok : JobOutcome::Failed;
    });
}

CommandOutcome runCompare(CliSession& session, std::span<const std::string> arguments) {
    const std::string path = arguments[0];
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return CommandOutcome::failure("no program file " + path, kExitBadInput);
    }
    CompareOutcome compared = CompareOutcome::Cancelled;
    CommandOutcome outcome = runJobCommand(session, 0, [&](JobServices& s) {
        const DownloadFileTexts texts = OnCompareFile(s);
        session.out() << texts.chipName << '\n' << texts.downloadTime << '\n';
        compared = CompareProgramFile(s, path);
        if (compared == CompareOutcome::Unreadable) {
            return JobOutcome::BadInput;
        }
        session.out() << CompareResultText(compared) << '\n';
        return compared == CompareOutcome::Equal ? JobOutcome::Ok : JobOutcome::Failed;
    });
    if (compared == CompareOutcome::Different && outcome.exitCode == kExitJobFail) {
        return CommandOutcome::failure("the writer's data differ from " + path, kExitDifferent);
    }
    return outcome;
}

CommandOutcome runProtect(CliSession& session, std::span<const std::string> arguments) {
    const std::string& choice = arguments[0];
    if (choice != "on" && choice != "off") {
        return CommandOutcome::failure("protect takes on or off, not " + choice, kExitBadInput);
    }
    return runJobCommand(session, choice == "on" ? 1 : 0, OnSetProtect);
}

}  // namespace vexlor::cli
