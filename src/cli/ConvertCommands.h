#pragma once

#include "cli/CliCommand.h"

namespace vexlor::cli {

// convert FILE: converts a program file for the selected chip into buffer_data.prog and
// buffer_option.prog in the base directory and prints the checksum, description and result.
CommandOutcome runConvert(CliSession& session, std::span<const std::string> arguments);

}  // namespace vexlor::cli
