#include "cli/CliRunner.h"

#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/EventPrinters.h"
#include "sim/SimSettings.h"

namespace vexlor::cli {

namespace {

constexpr const char* kProgram = "vexlor-writer-cli";
// The result event that ends every run, so a follower knows how the whole run went.
constexpr const char* kRunStage = "run";

struct PlannedCommand {
    const CliCommand* command;
    std::vector<std::string> arguments;
};

void printUsage(std::ostream& out) {
    out << "usage: " << kProgram << " [options] command [arguments] [command ...]\n"
        << "options:\n"
        << "  --simulate           use the in-process simulated writer\n"
        << "  --writer ID          the writer to use when several are attached (see writers)\n"
        << "  --base-dir DIR       data directory (default: the working directory; installed:\n"
        << "                       ~/.local/share/vexlor-writer)\n"
        << "  --yes | --no         answer to every question (default: No)\n"
        << "  --file PATH          a file for the next file choice (repeatable)\n"
        << "  --option-word W      option word of a conversion (default 0x60)\n"
        << "  --json               print progress and results as JSON lines on standard\n"
        << "                       output; every other text goes to standard error\n"
        << "  --verbose            print diagnostic lines on standard error (also "
           "VEXLOR_VERBOSE=1)\n"
        << "  --force-hex          load a HEX file whose record checksums or end-of-file\n"
        << "                       record are wrong (everything else stays refused)\n"
        << "  --force              let read OUT or export ZIP replace an existing file\n"
        << "  --sim-version V      simulated writer's version: V1.0, V1.1, V2.0 or a text\n"
        << "  --sim-job FILE       the job (option header) the simulated writer holds\n"
        << "  --sim-fault F        simulated writer fault: fail, never-settle, corrupt,\n"
        << "                       no-status, voltage, voltage-at-low, voltage-at-high,\n"
        << "                       voltage-below-low, voltage-above-high, remove-after=N,\n"
        << "                       fail-chip=N (repeatable)\n"
        << "commands:\n";
    for (const CliCommand& command : commandTable()) {
        out << "  " << command.usage << '\n';
    }
}

// Global options come first; the first word that is not one starts the commands.
bool parseOptions(std::span<const std::string> args, std::size_t& next, SessionOptions& options,
                  std::string& error) {
    std::error_code ec;
    options.baseDirectory = std::filesystem::current_path(ec);
    for (next = 0; next < args.size() && args[next].starts_with("--"); ++next) {
        const std::string& name = args[next];
        if (name == "--simulate") {
            options.simulate = true;
        } else if (name == "--yes" || name == "--no") {
            options.answers.answer = name == "--yes";
        } else if (name == "--verbose") {
            options.verbose = true;
        } else if (name == "--force-hex") {
            options.forceHex = true;
        } else if (name == "--force") {
            options.force = true;
        } else if (name == "--json") {
            options.json = true;
        } else if (name == "--help") {
            error = "help";
            return false;
        } else if (next + 1 >= args.size()) {
            error = "missing value after " + name;
            return false;
        } else {
            const std::string& value = args[++next];
            if (name == "--base-dir") {
                options.baseDirectory = value;
            } else if (name == "--writer") {
                options.writerId = value;
            } else if (name == "--file") {
                options.answers.files.push_back(value);
            } else if (name == "--option-word") {
                char* end = nullptr;
                const unsigned long word = std::strtoul(value.c_str(), &end, 0);
                if (value.empty() || *end != '\0' || word > 0xFFFFFFFFul) {
                    error = "bad option word " + value;
                    return false;
                }
                options.optionWord = static_cast<std::uint32_t>(word);
            } else if (name == "--sim-version") {
                options.simConfig.versionText = sim::versionTextFor(value);
            } else if (name == "--sim-job") {
                options.simJob = sim::readJobSeed(value);
                if (options.simJob.empty()) {
                    error = "no job in " + value;
                    return false;
                }
            } else if (name == "--sim-fault") {
                if (!sim::applyFaultList(value, options.simFaults, error)) {
                    return false;
                }
            } else {
                error = "unknown option " + name;
                return false;
            }
        }
    }
    if (!std::filesystem::is_directory(options.baseDirectory, ec)) {
        error = "base directory " + options.baseDirectory.string() + " does not exist";
        return false;
    }
    return true;
}

bool planCommands(std::span<const std::string> args, std::vector<PlannedCommand>& plan,
                  std::string& error) {
    for (std::size_t i = 0; i < args.size();) {
        const CliCommand* command = findCommand(args[i]);
        if (command == nullptr) {
            error = "unknown command " + args[i];
            return false;
        }
        if (args.size() - i - 1 < command->argumentCount) {
            error = std::string(command->name) + " needs " +
                    std::to_string(command->argumentCount) + " argument(s)";
            return false;
        }
        std::size_t taken = command->argumentCount;
        for (std::size_t extra = 0; extra < command->optionalCount && i + 1 + taken < args.size() &&
                                    findCommand(args[i + 1 + taken]) == nullptr;
             ++extra) {
            ++taken;
        }
        const auto first = args.begin() + static_cast<std::ptrdiff_t>(i + 1);
        plan.push_back({command, {first, first + static_cast<std::ptrdiff_t>(taken)}});
        i += 1 + taken;
    }
    if (plan.empty()) {
        error = "no command given";
        return false;
    }
    return true;
}

int runPlan(CliSession& session, const std::vector<PlannedCommand>& plan, std::ostream& err) {
    for (const PlannedCommand& step : plan) {
        const CommandOutcome outcome = step.command->run(session, step.arguments);
        if (!outcome.ok) {
            session.progress().result(kRunStage, false,
                                      std::string(step.command->name) + ": " + outcome.reason);
            err << kProgram << ": " << step.command->name << ": " << outcome.reason << '\n';
            return outcome.exitCode;
        }
    }
    session.progress().result(kRunStage, true);
    return kExitOk;
}

}  // namespace

int runCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    return runCli(arguments, out, err, ResolveWriterPaths(ProgramDirectory(), nullptr, nullptr));
}

int runCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
           const WriterPaths& paths, Clock* clock) {
    SessionOptions options;
    options.paths = paths;
    options.clock = clock;
    std::size_t next = 0;
    std::string error;
    std::vector<PlannedCommand> plan;
    if (!parseOptions(arguments, next, options, error) ||
        !planCommands(arguments.subspan(next), plan, error)) {
        if (error == "help") {
            printUsage(out);
            return kExitOk;
        }
        err << kProgram << ": " << error << '\n';
        printUsage(err);
        return kExitUsage;
    }
    const bool json = options.json;
    // The bar redraws its line in place, which only a terminal shows as one line.
    const bool terminal = !json && &out == &std::cout && ::isatty(STDOUT_FILENO) == 1;
    CliSession session(std::move(options), json ? err : out, err);
    std::optional<JsonEventPrinter> jsonPrinter;
    std::optional<TerminalProgressBar> bar;
    if (json) {
        session.showProgressOn(&jsonPrinter.emplace(out, session.clock()));
    } else if (terminal) {
        session.showProgressOn(&bar.emplace(out, session.clock()));
    }
    const int exitCode = runPlan(session, plan, err);
    // The printers go before the session; closing the writer must not reach them.
    session.showProgressOn(nullptr);
    return exitCode;
}

}  // namespace vexlor::cli
