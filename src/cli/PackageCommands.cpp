#include "cli/PackageCommands.h"

#include <filesystem>
#include <ostream>

#include "cli/CliSession.h"
#include "cli/JobCommands.h"
#include "core/packages/ChipUpdate.h"
#include "core/packages/JobPackage.h"

namespace vexlor::cli {

CommandOutcome runUpdateChip(CliSession& session, std::span<const std::string> arguments) {
    switch (UpdateChipFromPackage(session.op(), arguments[0], session.options().baseDirectory,
                                  std::filesystem::temp_directory_path())) {
        case PackageResult::Ok:
            return CommandOutcome::success();
        case PackageResult::BadPackage:
        case PackageResult::Cancelled:
            return CommandOutcome::failure("the package cannot be used", kExitBadInput);
        case PackageResult::WriteFailed:
            break;
    }
    return CommandOutcome::failure("the chip database was left as it was");
}

CommandOutcome runExport(CliSession& session, std::span<const std::string> arguments) {
    const std::filesystem::path& base = session.options().baseDirectory;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(base / kBufferDataFile, ec) ||
        !std::filesystem::is_regular_file(base / kBufferOptionFile, ec)) {
        return CommandOutcome::failure("no job to export (load a program file first)",
                                       kExitRefused);
    }
    if (!MayReplace(session, arguments[0])) {
        return CommandOutcome::failure(arguments[0] + " exists (give --force to replace it)",
                                       kExitRefused);
    }
    if (std::string problem = ExportSetting(base, arguments[0]); !problem.empty()) {
        return CommandOutcome::failure(problem);
    }
    session.out() << "job exported to " << arguments[0] << '\n';
    return CommandOutcome::success();
}

}  // namespace vexlor::cli
