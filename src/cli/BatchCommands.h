#pragma once

#include "cli/CliCommand.h"

namespace vexlor::cli {

// run JOB [--count N]: the production run the job file describes, chip after chip; N stops this
// start after N chips.
CommandOutcome runBatch(CliSession& session, std::span<const std::string> arguments);

// log export --csv [--since T] [-o FILE]: the production log as CSV.
CommandOutcome runLog(CliSession& session, std::span<const std::string> arguments);

}  // namespace vexlor::cli
