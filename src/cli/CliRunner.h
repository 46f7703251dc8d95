#pragma once

#include <ostream>
#include <span>
#include <string>

#include "core/base/Clock.h"

namespace vexlor::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// vexlor-writer-cli [global options] command [arguments] [command [arguments]]...
// Runs the commands in order and stops at the first that fails; its one-line reason goes to
// err.
int runCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);
// The same with every wait of the writer link on the given clock.
int runCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
           Clock& clock);

}  // namespace vexlor::cli
