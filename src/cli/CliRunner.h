#pragma once

#include <ostream>
#include <span>
#include <string>

#include "core/base/Clock.h"
#include "core/writer/WriterTransports.h"

namespace vexlor::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// vexlor-writer-cli [global options] command [arguments] [command [arguments]]...
// Runs the commands in order and stops at the first that fails; its one-line reason goes to
// err. The writer is looked for where paths say; every wait of the writer link goes through
// clock when one is given.
int runCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
           const WriterPaths& paths, Clock* clock = nullptr);
// The same, looking for the writer in the default places.
int runCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

}  // namespace vexlor::cli
