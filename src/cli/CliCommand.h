#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace vexlor::cli {

class CliSession;

struct CommandOutcome {
    bool ok = true;
    std::string reason;  // one line, for failures
    int exitCode = 1;    // the tool's exit status when this failure ends it

    static CommandOutcome success() { return {}; }
    static CommandOutcome failure(std::string why, int code = 1) {
        return {false, std::move(why), code};
    }
};

using CommandFn = CommandOutcome (*)(CliSession& session, std::span<const std::string> arguments);

// One command of the tool: its name, how many arguments follow it, and what it does.
struct CliCommand {
    std::string_view name;
    std::size_t argumentCount;
    std::string_view usage;
    CommandFn run;
    // Up to this many more arguments, each taken only when it is not a command name.
    std::size_t optionalCount = 0;
};

// Every command, in the order the help lists them (CommandTable.cpp).
std::span<const CliCommand> commandTable();
const CliCommand* findCommand(std::string_view name);

}  // namespace vexlor::cli
