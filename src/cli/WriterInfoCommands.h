#pragma once

#include "cli/CliCommand.h"

namespace vexlor::cli {

// devices: what each transport finds.
CommandOutcome runDevices(CliSession& session, std::span<const std::string> arguments);
// writers: every attached writer with the ID --writer takes.
CommandOutcome runWriters(CliSession& session, std::span<const std::string> arguments);
// info: transport, version text, firmware identification word and voltages of the writer.
CommandOutcome runInfo(CliSession& session, std::span<const std::string> arguments);

}  // namespace vexlor::cli
