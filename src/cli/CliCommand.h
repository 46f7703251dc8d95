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

    static CommandOutcome success() { return {}; }
    static CommandOutcome failure(std::string why) { return {false, std::move(why)}; }
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
