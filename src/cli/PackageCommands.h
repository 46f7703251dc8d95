#pragma once

#include "cli/CliCommand.h"

namespace vexlor::cli {

// update-chip PACKAGE: applies a chip-update package to the base directory.
CommandOutcome runUpdateChip(CliSession& session, std::span<const std::string> arguments);
// export ZIP: packs the job's two buffer files from the base directory.
CommandOutcome runExport(CliSession& session, std::span<const std::string> arguments);

}  // namespace vexlor::cli
