#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/base/Operator.h"
#include "core/chipdb/ICInfo.h"
#include "core/production/BatchJob.h"
#include "core/production/ChipSocket.h"
#include "core/serial/ProductionLog.h"
#include "core/serial/SerialProgramSession.h"
#include "core/writer/Writer.h"

namespace vexlor {

enum class BatchEnd {
    Limit,           // the job's limit of chips is reached
    SerialComplete,  // the last serial number is used
    CountReached,    // as many chips as this start was asked for
    NoMoreChips,     // the socket got no further chip
    WriterGone,      // the writer stopped answering
    LogFailed,       // a chip's result could not be kept
};

struct BatchSummary {
    BatchEnd end = BatchEnd::NoMoreChips;
    SerialCounters counters;
    std::uint64_t failed = 0;  // NG chips of this start
};

// What a run works with. Each chip's log entry starts from entry (writer, chip, checksum);
// utcNow gives its time.
struct BatchRunParts {
    Writer& writer;
    const ICInfo& chip;
    ChipSocket& socket;
    ProductionLog& log;
    Operator& op;
    std::function<std::string()> utcNow;
    ProductionEntry entry;
    // A serial run programs each chip through its session, which keeps the counters and
    // commits the log entry with the journal; null: a run without serial numbers.
    SerialProgramSession* serial = nullptr;
};

// Programs chip after chip until the job's limit, the serial run's end, count chips (when
// given), the socket's end, or a failure that makes going on pointless. Every chip's result is
// committed to the log before the next chip is asked for.
BatchSummary RunBatch(const BatchJob& job, BatchRunParts& parts,
                      std::optional<std::uint64_t> count = std::nullopt);

// For people: why the run ended.
const char* BatchEndText(BatchEnd end);

}  // namespace vexlor
