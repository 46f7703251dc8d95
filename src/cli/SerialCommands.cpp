#include "cli/SerialCommands.h"

#include <iostream>
#include <map>
#include <ostream>

#include "cli/CliSession.h"
#include "cli/JobCommands.h"
#include "core/base/Diagnostics.h"
#include "core/serial/SerialCommands.h"
#include "core/serial/SerialProgramSession.h"

namespace vexlor::cli {

namespace {

using Options = std::map<std::string, std::string>;

// "--name value" pairs; false with a reason for anything else.
bool parseOptions(std::span<const std::string> words, const std::vector<std::string>& allowed,
                  Options& options, std::string& error) {
    for (std::size_t i = 0; i < words.size(); i += 2) {
        if (std::find(allowed.begin(), allowed.end(), words[i]) == allowed.end()) {
            error = "unknown serial option " + words[i];
            return false;
        }
        if (i + 1 >= words.size()) {
            error = words[i] + " needs a value";
            return false;
        }
        options[words[i]] = words[i + 1];
    }
    return true;
}

// Chip selected and writer open; the failure to return otherwise.
std::optional<CommandOutcome> prepare(CliSession& session) {
    if (!session.context().shell.job.chipSelected()) {
        return CommandOutcome::failure("no chip selected (select one first)", kExitRefused);
    }
    std::string reason;
    if (!session.connect(reason)) {
        return CommandOutcome::failure(reason, session.connectFailureStatus());
    }
    return std::nullopt;
}

CommandOutcome runSet(CliSession& session, std::span<const std::string> words) {
    Options options;
    std::string error;
    if (!parseOptions(words, {"--length", "--start-address", "--first", "--amount"}, options,
                      error)) {
        return CommandOutcome::failure(error, kExitBadInput);
    }
    for (const char* required : {"--length", "--start-address", "--first", "--amount"}) {
        if (!options.contains(required)) {
            return CommandOutcome::failure(std::string("serial set needs ") + required,
                                           kExitBadInput);
        }
    }
    if (auto failed = prepare(session)) {
        return *failed;
    }
    AppContext& context = session.context();
    const JobState& job = context.shell.job;
    SerialSetModel set(context.serial, {job.displaySerialNumber != 0, job.exhvIspProgram != 0,
                                        job.ispProgram != 0});
    set.open();
    set.lengthEdited(options["--length"], session.op());
    set.startAddressEdited(options["--start-address"]);
    set.firstSerialEdited(options["--first"]);
    if (set.fields().firstSerial != options["--first"]) {
        return CommandOutcome::failure("--first has more digits than the length allows",
                                       kExitBadInput);
    }
    set.amountEdited(options["--amount"]);
    if (!set.load(SerialLoadTargetOf(context, session.writer(), session.op()))) {
        return CommandOutcome::failure("serial run refused (see the message above)", kExitRefused);
    }
    const SerialRunState& state = context.serial;
    session.out() << format("serial run: %u byte(s) at %04X-%04X, numbers %s to %s (%s), ",
                            state.lengthBytes, state.startAddress, state.endAddress,
                            PadSerialForDisplay(state.currentSerial, state.lengthBytes)
                                .value_or(state.currentSerial)
                                .c_str(),
                            PadSerialForDisplay(state.endSerial, state.lengthBytes)
                                .value_or(state.endSerial)
                                .c_str(),
                            state.amountText.c_str())
                  << (job.displaySerialNumber ? "goes with the next load\n"
                      : state.loadedToWriter  ? "loaded into the writer\n"
                                              : "NOT loaded into the writer\n");
    return CommandOutcome::success();
}

// The operator's Enter before each chip; false at end of input or "q".
bool nextChipWanted(std::ostream& out, int chip) {
    out << "chip " << chip << ": put it in and press Enter (q stops) " << std::flush;
    std::string line;
    return std::getline(std::cin, line) && line != "q";
}

CommandOutcome runRun(CliSession& session, std::span<const std::string> words) {
    Options options;
    std::string error;
    if (!parseOptions(words, {"--count"}, options, error)) {
        return CommandOutcome::failure(error, kExitBadInput);
    }
    std::optional<int> count;
    if (options.contains("--count")) {
        count = std::atoi(options["--count"].c_str());
        if (*count < 1) {
            return CommandOutcome::failure("--count needs a number of chips >= 1", kExitBadInput);
        }
    }
    if (auto failed = prepare(session)) {
        return *failed;
    }
    AppContext& context = session.context();
    const bool fromLoad = context.shell.job.displaySerialNumber != 0;
    // Only a Load of the Set dialog gives the end image a value.
    const bool setUp = context.serial.endImage != SerialImage{};
    const bool ready = setUp && (fromLoad ? !context.shell.job.loadedFilePath.empty()
                                          : context.serial.loadedToWriter);
    if (!ready) {
        return CommandOutcome::failure(fromLoad ? "no run: give serial set and then load first"
                                                : "no run in the writer: give serial set first",
                                       kExitRefused);
    }
    SerialProgramSession run(context.serial, context.serialJournal, session.op(),
                             context.shell.job.chipNameText, fromLoad);
    run.start();
    run.enableProgram();
    sim::SimWriter* simulated = session.simulatedWriter();
    int failures = 0;
    for (int chip = 1; run.programEnabled() && (count ? chip <= *count : true); ++chip) {
        if (!count && !nextChipWanted(session.out(), chip)) {
            break;
        }
        if (simulated) {
            simulated->chip().insertBlank();
        }
        const SerialProgramSession::ChipResult result =
            run.programOneChip(session.writer(), context.chipXml.icInfo());
        failures += result.passed ? 0 : 1;
        session.out() << "chip " << chip << ": "
                      << (result.passed
                              ? PadSerialForDisplay(result.serialUsed, context.serial.lengthBytes)
                                        .value_or(result.serialUsed) +
                                    " OK"
                              : std::string("FAIL"))
                      << '\n';
        if (result.complete) {
            run.showComplete();
        }
    }
    session.out() << "OK " << context.serial.okText << "  NG " << context.serial.ngText
                  << "  Total " << context.serial.totalText << '\n';
    if (!run.programEnabled()) {
        NoButtons buttons;
        run.close();
        AfterSerialProgramClosed(context, session.writer(), buttons);
    }
    if (failures > 0) {
        return CommandOutcome::failure(std::to_string(failures) + " chip(s) failed", kExitJobFail);
    }
    return CommandOutcome::success();
}

CommandOutcome runInfo(CliSession& session) {
    std::string reason;
    if (!session.connect(reason)) {
        return CommandOutcome::failure(reason, session.connectFailureStatus());
    }
    AppContext& context = session.context();
    session.writer().ReadOptionHeader(context.link.optionHeader);
    bool shown = false;
    ReadSerialInfo(context, session.writer(), session.op(), [&] {
        const SerialRunState& state = context.serial;
        session.out() << format(
            "S/N length %X, start address %04X, direction %s\n"
            "current %s, end %s, numbers left %s\n",
            state.lengthBytes, state.startAddress, state.direction ? "Hight Byte" : "Low Byte",
            state.currentSerial.c_str(), state.endSerial.c_str(), state.amountText.c_str());
        shown = true;
    });
    return shown ? CommandOutcome::success()
                 : CommandOutcome::failure("the writer holds no serial-number run", kExitRefused);
}

}  // namespace

CommandOutcome runSerial(CliSession& session, std::span<const std::string> arguments) {
    const std::string& what = arguments.front();
    const auto rest = arguments.subspan(1);
    if (what == "set") {
        return runSet(session, rest);
    }
    if (what == "run") {
        return runRun(session, rest);
    }
    if (what == "info" && rest.empty()) {
        return runInfo(session);
    }
    return CommandOutcome::failure("serial takes set, run or info, not " + what, kExitBadInput);
}

}  // namespace vexlor::cli
