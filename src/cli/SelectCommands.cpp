#include "cli/SelectCommands.h"

#include <ostream>
#include <string_view>

#include "cli/CliRunner.h"
#include "cli/CliSession.h"
#include "cli/JobCommands.h"
#include "core/select/SelectChipByName.h"

namespace vexlor::cli {

namespace {

struct ModeOption {
    std::string_view option;
    ModeBox mode;
};
constexpr ModeOption kModeOptions[] = {
    {"--exhv-isp", ModeBox::ExHvIspProgram},
    {"--isp", ModeBox::IspProgram},
    {"--display-serial", ModeBox::DisplaySerialNumber},
    {"--mass-production", ModeBox::MassProduction},
    {"--production-limit", ModeBox::ProductionLimit},
    {"--whole-chip-erase", ModeBox::WholeChipErase},
};

bool parseRequest(std::span<const std::string> arguments, ChipRequest& request,
                  std::string& error) {
    request.chipName = arguments.front();
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        const ModeOption* found = nullptr;
        for (const ModeOption& option : kModeOptions) {
            if (option.option == word) {
                found = &option;
            }
        }
        if (found == nullptr) {
            error = "unknown mode option " + word;
            return false;
        }
        if (found->mode == ModeBox::ProductionLimit) {
            if (i + 1 >= arguments.size()) {
                error = "--production-limit needs a count";
                return false;
            }
            request.productionLimitCount = arguments[++i];
        }
        request.modes.push_back(found->mode);
    }
    return true;
}

std::string modeList(const JobState& job) {
    const std::pair<std::int32_t, ModeBox> modes[] = {
        {job.displaySerialNumber, ModeBox::DisplaySerialNumber},
        {job.massProduction, ModeBox::MassProduction},
        {job.productionLimit, ModeBox::ProductionLimit},
        {job.exhvIspProgram, ModeBox::ExHvIspProgram},
        {job.ispProgram, ModeBox::IspProgram},
        {job.wholeChipErase, ModeBox::WholeChipErase},
    };
    std::string list;
    for (const auto& [flag, mode] : modes) {
        if (flag != 0) {
            list += (list.empty() ? "" : ", ") + std::string(ModeName(mode));
            if (mode == ModeBox::ProductionLimit) {
                list += " " + std::to_string(job.productionLimitCount);
            }
        }
    }
    return list.empty() ? "none" : list;
}

}  // namespace

CommandOutcome runSelect(CliSession& session, std::span<const std::string> arguments) {
    ChipRequest request;
    std::string error;
    if (!parseRequest(arguments, request, error)) {
        return CommandOutcome::failure(error);
    }
    // Choosing a chip sends nothing to the writer, so the link stays closed.
    const ChipRequestResult result = SelectChipByName(request, session.context(), session.op());
    if (!result.outcome.accepted) {
        return CommandOutcome::failure(result.refusal,
                                       result.unknownChip ? kExitBadInput : kExitFailed);
    }
    return runJob(session, {});
}

CommandOutcome runJob(CliSession& session, std::span<const std::string>) {
    const JobState& job = session.context().shell.job;
    if (!job.chipSelected()) {
        return CommandOutcome::failure("no chip selected (see the select command)");
    }
    session.out() << "chip: " << job.chipNameText << '\n'
                  << "modes: " << modeList(job) << '\n'
                  << "package code: " << job.packageCode << '\n';
    return CommandOutcome::success();
}

}  // namespace vexlor::cli
