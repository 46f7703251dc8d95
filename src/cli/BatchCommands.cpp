#include "cli/BatchCommands.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <map>
#include <ostream>

#include "cli/CliRunner.h"
#include "cli/CliSession.h"
#include "cli/JobCommands.h"
#include "cli/StdinChipSocket.h"
#include "core/maint/HardwareId.h"
#include "core/production/BatchRun.h"
#include "core/production/BatchSerialStart.h"
#include "core/production/ProductionCsv.h"
#include "core/production/UtcTime.h"
#include "core/select/SelectChipByName.h"
#include "core/serial/AtomicFile.h"
#include "core/serial/SerialChipRules.h"
#include "core/serial/SerialCommands.h"
#include "sim/SimChipHandler.h"

namespace vexlor::cli {

namespace {

// "--name value" pairs out of the allowed ones; the reason for anything else.
std::optional<std::string> takeOptions(std::span<const std::string> words,
                                       std::initializer_list<std::string_view> allowed,
                                       std::map<std::string, std::string>& options) {
    for (std::size_t i = 0; i < words.size(); i += 2) {
        if (std::find(allowed.begin(), allowed.end(), words[i]) == allowed.end()) {
            return "unknown option " + words[i];
        }
        if (i + 1 >= words.size()) {
            return words[i] + " needs a value";
        }
        options[words[i]] = words[i + 1];
    }
    return std::nullopt;
}

std::string writerIdentity(CliSession& session) {
    if (session.simulatedWriter()) {
        return "simulated";
    }
    const auto id = ReadHardwareId(session.writer());
    const std::string_view model = id ? HardwareModelName(*id) : std::string_view();
    if (model.empty()) {
        return session.transportName();
    }
    return format("%.*s %06x", static_cast<int>(model.size()), model.data(),
                  (*id)[5] << 16 | (*id)[6] << 8 | (*id)[7]);
}

std::string utcNow() {
    return UtcTimestamp(std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()));
}

// Everything that can be checked without writing to the writer: the job file, the program
// file, the journal's open run, the chip and where its serial numbers go.
std::optional<CommandOutcome> checkJob(CliSession& session, const std::string& path, BatchJob& job,
                                       std::optional<BatchSerialStart>& serialStart) {
    std::string error;
    if (!ReadBatchJob(path, job, error) || !CheckBatchProgram(job, error)) {
        return CommandOutcome::failure(error, kExitBadInput);
    }
    AppContext& context = session.context();
    if (job.serial) {
        serialStart =
            PlanBatchSerialStart(*job.serial, job.chip, context.serialJournal.openRun(), error);
        if (!serialStart) {
            return CommandOutcome::failure(error, kExitRefused);
        }
        ProductionLog log(context.shell.baseDirectory / kJournalDatabaseFile);
        if (auto refusal = CheckSerialsUnused(log, job.chip, *job.serial, *serialStart)) {
            return CommandOutcome::failure(job.where("serial.first") + *refusal, kExitRefused);
        }
    }
    if (!session.connect(error)) {
        return CommandOutcome::failure(error, session.connectFailureStatus());
    }
    const ChipRequestResult selected =
        SelectChipByName({job.chip, job.modes, std::nullopt}, context, session.op());
    if (!selected.outcome.accepted) {
        return CommandOutcome::failure(job.where("chip") + selected.refusal,
                                       selected.unknownChip ? kExitBadInput : kExitRefused);
    }
    if (job.serial) {
        if (auto refusal = CheckSerialPlacement(job.chip, context.chipXml.icInfo(),
                                                job.serial->address, job.serial->length)) {
            return CommandOutcome::failure(job.where("serial.address") + *refusal, kExitBadInput);
        }
    }
    return std::nullopt;
}

// Load, protect and serial numbers: the writer ready for the first chip.
std::optional<CommandOutcome> prepareWriter(CliSession& session, const BatchJob& job,
                                            const std::optional<BatchSerialStart>& serialStart) {
    const std::string program = job.program.string();
    CommandOutcome outcome = runLoad(session, {&program, 1});
    if (outcome.ok && job.protect) {
        const std::string on = "on";
        outcome = runProtect(session, {&on, 1});
    }
    if (!outcome.ok) {
        return outcome;
    }
    if (serialStart && !LoadBatchSerial(session.context(), session.writer(), session.op(),
                                        *job.serial, *serialStart)) {
        return CommandOutcome::failure("serial run refused (see the message above)", kExitRefused);
    }
    if (serialStart && serialStart->continued) {
        session.out() << "continuing the interrupted run at S/N " << serialStart->first.ToHex()
                      << '\n';
    }
    return std::nullopt;
}

int exitCodeOf(const BatchSummary& summary) {
    switch (summary.end) {
        case BatchEnd::WriterGone:
            return kExitNoWriter;
        case BatchEnd::LogFailed:
            return kExitFailed;
        default:
            return summary.failed > 0 ? kExitJobFail : kExitOk;
    }
}

}  // namespace

CommandOutcome runBatch(CliSession& session, std::span<const std::string> arguments) {
    std::map<std::string, std::string> options;
    if (auto why = takeOptions(arguments.subspan(1), {"--count"}, options)) {
        return CommandOutcome::failure(*why, kExitBadInput);
    }
    std::optional<std::uint64_t> count;
    if (options.contains("--count")) {
        count = std::strtoull(options["--count"].c_str(), nullptr, 10);
        if (*count < 1) {
            return CommandOutcome::failure("--count needs a number of chips >= 1", kExitBadInput);
        }
    }
    BatchJob job;
    std::optional<BatchSerialStart> serialStart;
    if (auto failed = checkJob(session, arguments[0], job, serialStart)) {
        return *failed;
    }
    if (auto failed = prepareWriter(session, job, serialStart)) {
        return *failed;
    }
    AppContext& context = session.context();
    std::optional<SerialProgramSession> serialRun;
    if (serialStart) {
        serialRun.emplace(context.serial, context.serialJournal, session.op(), job.chip, false);
        serialRun->start();
        serialRun->enableProgram();
    }
    std::optional<sim::SimChipHandler> handler;
    StdinChipSocket enterKey(std::cin, session.out());
    ChipSocket& socket = session.simulatedWriter()
                             ? static_cast<ChipSocket&>(handler.emplace(
                                   session.simulatedWriter()->chip(), session.clock()))
                             : enterKey;
    ProductionLog log(context.shell.baseDirectory / kJournalDatabaseFile);
    ProductionEntry entry;
    entry.writer = writerIdentity(session);
    entry.chip = job.chip;
    entry.checksum = job.sha256;
    BatchRunParts parts{session.writer(),
                        context.chipXml.icInfo(),
                        socket,
                        log,
                        session.op(),
                        utcNow,
                        entry,
                        serialRun ? &*serialRun : nullptr};
    const BatchSummary summary = RunBatch(job, parts, count);
    session.out() << "OK " << summary.counters.ok << "  NG " << summary.counters.ng << "  Total "
                  << summary.counters.total << "  (" << BatchEndText(summary.end) << ")\n";
    if (summary.end == BatchEnd::SerialComplete) {
        serialRun->showComplete();
        serialRun->close();
        NoButtons buttons;
        AfterSerialProgramClosed(context, session.writer(), buttons);
    }
    const int code = exitCodeOf(summary);
    if (code != kExitOk) {
        return CommandOutcome::failure(summary.failed > 0 && code == kExitJobFail
                                           ? std::to_string(summary.failed) + " chip(s) failed"
                                           : BatchEndText(summary.end),
                                       code);
    }
    return CommandOutcome::success();
}

CommandOutcome runLog(CliSession& session, std::span<const std::string> arguments) {
    if (arguments.size() < 2 || arguments[0] != "export" || arguments[1] != "--csv") {
        return CommandOutcome::failure("log takes export --csv [--since T] [-o FILE]",
                                       kExitBadInput);
    }
    std::map<std::string, std::string> options;
    if (auto why = takeOptions(arguments.subspan(2), {"--since", "-o"}, options)) {
        return CommandOutcome::failure(*why, kExitBadInput);
    }
    std::string since;
    if (options.contains("--since")) {
        const auto parsed = ParseUtcTimestamp(options["--since"]);
        if (!parsed) {
            return CommandOutcome::failure(
                "--since takes a UTC date (2026-12-06) or date-time (2026-12-06T08:30:00Z), not " +
                    options["--since"],
                kExitBadInput);
        }
        since = *parsed;
    }
    ProductionLog log(session.context().shell.baseDirectory / kJournalDatabaseFile);
    const auto entries = log.entriesSince(since);
    if (!entries) {
        return CommandOutcome::failure("can't read the production log: " + log.error());
    }
    const std::string csv = ProductionLogCsv(*entries);
    if (!options.contains("-o")) {
        session.out() << csv << std::flush;
        return CommandOutcome::success();
    }
    const std::string& file = options["-o"];
    if (!MayReplace(session, file)) {
        return CommandOutcome::failure(file + " exists (give --force to replace it)", kExitRefused);
    }
    if (!ReplaceFileAtomically(file,
                               {reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()})) {
        return CommandOutcome::failure("can't write " + file, kExitBadInput);
    }
    return CommandOutcome::success();
}

}  // namespace vexlor::cli
