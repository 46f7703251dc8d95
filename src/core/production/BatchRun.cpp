#include "core/production/BatchRun.h"

#include <algorithm>

#include "core/base/Diagnostics.h"

namespace vexlor {

namespace {

constexpr const char* kStage = "Chip";

bool runJob(Writer& writer, std::uint8_t code, std::int32_t timeout) {
    return writer.RunWriterJob(code, static_cast<std::uint32_t>(std::max(timeout, 0)));
}

bool programPlain(BatchOperation operation, Writer& writer, const ICInfo& chip) {
    switch (operation) {
        case BatchOperation::Auto:
            return runJob(writer, job::kAuto, chip.Auto_Timeout);
        case BatchOperation::Program:
            return runJob(writer, job::kProgram, chip.Program_Timeout);
        case BatchOperation::ProgramVerify:
            return runJob(writer, job::kProgram, chip.Program_Timeout) &&
                   runJob(writer, job::kVerify, chip.Verify_Timeout);
    }
    return false;
}

void countChip(SerialCounters& counters, bool passed) {
    for (std::string* counter : {&counters.total, passed ? &counters.ok : &counters.ng}) {
        SerialNumber value = SerialNumber::FromHex(*counter).value_or(SerialNumber{});
        value.increment();
        *counter = value.ToHex();
    }
}

bool writerAnswers(Writer& writer) {
    std::string version;
    return writer.connection().ReadVersionText(version);
}

}  // namespace

BatchSummary RunBatch(const BatchJob& job, BatchRunParts& parts,
                      std::optional<std::uint64_t> count) {
    BatchSummary summary;
    if (parts.serial) {
        summary.counters = parts.serial->counters();
    }
    ProgressSink& progress = parts.writer.connection().progress();
    for (std::uint64_t programmed = 0;; ++programmed) {
        const SerialNumber total =
            SerialNumber::FromHex(summary.counters.total).value_or(SerialNumber{});
        if (job.limit && total >= SerialNumber::Of(*job.limit)) {
            summary.end = BatchEnd::Limit;
            break;
        }
        if (count && programmed >= *count) {
            summary.end = BatchEnd::CountReached;
            break;
        }
        if (!parts.socket.awaitChip()) {
            summary.end = BatchEnd::NoMoreChips;
            break;
        }
        ProductionEntry entry = parts.entry;
        entry.time = parts.utcNow();
        progress.beginStage(kStage);
        bool passed = false;
        bool kept = false;
        bool complete = false;
        if (parts.serial) {
            const auto result = parts.serial->programOneChip(parts.writer, parts.chip, &entry);
            passed = result.passed;
            kept = result.journaled;
            complete = result.complete;
            summary.counters = parts.serial->counters();
        } else {
            passed = programPlain(job.operation, parts.writer, parts.chip);
            entry.passed = passed;
            entry.message = passed ? "" : "the writer reported FAIL";
            countChip(summary.counters, passed);
            kept = parts.log.append(entry);
        }
        const bool writerGone = !passed && !writerAnswers(parts.writer);
        summary.failed += passed ? 0 : 1;
        const SerialCounters& c = summary.counters;
        const std::string line =
            format("%s%s  (OK %s  NG %s  Total %s)",
                   entry.serial.empty() ? "" : (entry.serial + " ").c_str(), passed ? "OK" : "NG",
                   c.ok.c_str(), c.ng.c_str(), c.total.c_str());
        progress.result(kStage, passed, line);
        parts.op.appendLog(line + "\r\n");
        if (!kept) {
            // A serial run's session has already said why the journal refused.
            const std::string why = parts.serial ? "" : " (" + parts.log.error() + ")";
            parts.op.message("The production log cannot be written" + why + "; the run stops.",
                             "Message", MessageIcon::Stop);
            summary.end = BatchEnd::LogFailed;
            break;
        }
        if (writerGone) {
            summary.end = BatchEnd::WriterGone;
            break;
        }
        if (complete) {
            summary.end = BatchEnd::SerialComplete;
            break;
        }
    }
    return summary;
}

const char* BatchEndText(BatchEnd end) {
    switch (end) {
        case BatchEnd::Limit:
            return "the limit of chips is reached";
        case BatchEnd::SerialComplete:
            return "the last serial number is used";
        case BatchEnd::CountReached:
            return "the chips asked for are done";
        case BatchEnd::NoMoreChips:
            return "no more chips";
        case BatchEnd::WriterGone:
            return "the writer stopped answering";
        case BatchEnd::LogFailed:
            break;
    }
    return "the production log cannot be written";
}

}  // namespace vexlor
