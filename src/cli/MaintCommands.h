#pragma once

#include "cli/CliCommand.h"

namespace vexlor::cli {

// fw-update FILE: writes a writer firmware image into the writer.
CommandOutcome runFirmwareUpdate(CliSession& session, std::span<const std::string> arguments);
// fw-reset: the base firmware and default option buffer back into the writer (asks; --yes).
CommandOutcome runFirmwareReset(CliSession& session, std::span<const std::string> arguments);
// selftest [--simple]: the Writer Test, or the Writer Simple Test (asks; --yes).
CommandOutcome runSelfTest(CliSession& session, std::span<const std::string> arguments);
// hwid: the writer's model and hardware number.
CommandOutcome runHardwareId(CliSession& session, std::span<const std::string> arguments);

}  // namespace vexlor::cli
