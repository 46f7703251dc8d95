#pragma once

#include "cli/CliCommand.h"

namespace vexlor::cli {

// serial set --length N --start-address A --first HEX --amount HEX: sets up a serial-number
// run for the selected chip as the Set dialog's Load does.
// serial run [--count N]: programs chips of the run, one per Enter on standard input or N in a
// row, printing each chip's number and result and the counters.
// serial info: the run the writer holds.
CommandOutcome runSerial(CliSession& session, std::span<const std::string> arguments);

}  // namespace vexlor::cli
