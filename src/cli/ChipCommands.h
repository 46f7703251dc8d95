#pragma once

#include "cli/CliCommand.h"

namespace vexlor::cli {

// chips [TEXT]: type / series / name of every catalogue chip whose name contains TEXT.
CommandOutcome runChips(CliSession& session, std::span<const std::string> arguments);
// chip NAME: the chip's catalogue keys and IC parameters.
CommandOutcome runChip(CliSession& session, std::span<const std::string> arguments);

}  // namespace vexlor::cli
