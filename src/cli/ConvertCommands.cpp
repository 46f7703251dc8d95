#include "cli/ConvertCommands.h"

#include <vector>

#include "cli/CliSession.h"
#include "core/base/Diagnostics.h"
#include "core/convert/ProgramConversion.h"

namespace vexlor::cli {

namespace {

constexpr const char* kDefaultHwVersion = "hwversion1.0";

// Converter plugins are looked for in the base directory, then beside the program.
std::vector<std::filesystem::path> pluginDirectories(const std::filesystem::path& base) {
    std::vector<std::filesystem::path> directories{base};
    std::error_code ec;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        directories.push_back(program.parent_path());
    }
    return directories;
}

}  // namespace

CommandOutcome runConvert(CliSession& session, std::span<const std::string> arguments) {
    AppContext& context = session.context();
    const JobState& job = context.shell.job;
    if (!job.chipSelected()) {
        return CommandOutcome::failure("no chip selected (select one first)");
    }
    const ICInfo& ic = context.chipXml.icInfo();
    ConversionJob conversion(ic);
    conversion.baseDirectory = session.options().baseDirectory;
    conversion.hwVersionName =
        context.link.hwVersionName.empty() ? kDefaultHwVersion : context.link.hwVersionName;
    conversion.packageCode = job.packageCode;
    conversion.writerModelKLW20 = context.shell.chipListSelector == 1;
    conversion.hexToBinMode = context.chipXml.chipDisplayInfo().HextoBinMode;
    conversion.optionWord = session.options().optionWord;
    conversion.programFile = arguments[0];
    conversion.flags.displaySerialNumber = job.displaySerialNumber != 0;
    conversion.flags.exhvIspProgram = job.exhvIspProgram != 0;
    conversion.flags.massProduction = job.massProduction != 0;
    conversion.flags.productionLimit = job.productionLimit != 0;
    conversion.flags.wholeChipErase = job.wholeChipErase != 0;
    conversion.flags.ispProgram = job.ispProgram != 0;
    conversion.flags.packedCount =
        packProductionCount(static_cast<std::uint32_t>(job.productionLimitCount));
    conversion.time = currentLocalTime();

    ConversionResult result;
    ConversionOutput out{session.op(), session.diagnostics(), result};
    const int code =
        convertProgram(conversion, out, pluginDirectories(session.options().baseDirectory));
    session.out() << "checksum " << format("%04X", result.checksum) << '\n'
                  << "description " << result.descriptionText << '\n'
                  << "result " << code << '\n';
    if (code != 0) {
        return CommandOutcome::failure(format("conversion failed (result %d)", code));
    }
    return CommandOutcome::success();
}

}  // namespace vexlor::cli
