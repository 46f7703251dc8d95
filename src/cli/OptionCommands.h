#pragma once

#include "cli/CliCommand.h"

namespace vexlor::cli {

// options: each smart-option item of the selected chip with the setting the writer's job holds.
CommandOutcome runOptions(CliSession& session, std::span<const std::string> arguments);

}  // namespace vexlor::cli
