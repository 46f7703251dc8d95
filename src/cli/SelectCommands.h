#pragma once

#include "cli/CliCommand.h"

namespace vexlor::cli {

// select NAME [mode options]: chooses the chip and its modes as IC Type Select would, for the
// commands that follow in the same invocation.
CommandOutcome runSelect(CliSession& session, std::span<const std::string> arguments);
// job: the selected chip and its modes.
CommandOutcome runJob(CliSession& session, std::span<const std::string> arguments);

}  // namespace vexlor::cli
