#pragma once

#include "cli/CliCommand.h"

namespace vexlor::cli {

// Exit statuses of the job commands, for production scripts.
inline constexpr int kExitJobFail = 3;    // the writer reported FAIL, or a transfer failed
inline constexpr int kExitRefused = 4;    // a check stopped the job, or the answer was No
inline constexpr int kExitNoWriter = 5;   // no writer answered
inline constexpr int kExitBadInput = 6;   // the program file or an argument cannot be used
inline constexpr int kExitDifferent = 7;  // compare: the writer's data differ from the file

// load FILE: converts the program file for the selected chip, makes sure the writer runs the
// chip family's firmware and downloads the job.
CommandOutcome runLoad(CliSession& session, std::span<const std::string> arguments);
CommandOutcome runAuto(CliSession& session, std::span<const std::string> arguments);
CommandOutcome runBlank(CliSession& session, std::span<const std::string> arguments);
CommandOutcome runProgram(CliSession& session, std::span<const std::string> arguments);
CommandOutcome runVerify(CliSession& session, std::span<const std::string> arguments);
// read [OUT]: reads the chip into readdata.otp in the base directory, and copies it to OUT.
CommandOutcome runRead(CliSession& session, std::span<const std::string> arguments);
// chipinfo: the writer reads the chip and the tool prints what Read Chip Info shows.
CommandOutcome runChipInfo(CliSession& session, std::span<const std::string> arguments);
// compare FILE: the download's chip name and time, then whether the writer's data area holds
// the program file.
CommandOutcome runCompare(CliSession& session, std::span<const std::string> arguments);
// import ZIP: downloads the job package an export wrote (no chip needs to be selected first).
CommandOutcome runImport(CliSession& session, std::span<const std::string> arguments);
// protect on|off: changes the protect bits of the job in the writer.
CommandOutcome runProtect(CliSession& session, std::span<const std::string> arguments);

// Whether a command may write over the file: it does not exist, --force was given, or the
// operator agrees.
bool MayReplace(CliSession& session, const std::string& path);

}  // namespace vexlor::cli
