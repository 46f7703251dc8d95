#include "cli/ConvertCommands.h"

#include <vector>

#include "cli/CliSession.h"
#include "core/base/Diagnostics.h"
#include "core/convert/ProgramConversion.h"
#include "core/ops/ConversionSetup.h"

namespace vexlor::cli {

CommandOutcome runConvert(CliSession& session, std::span<const std::string> arguments) {
    AppContext& context = session.context();
    const JobState& job = context.shell.job;
    if (!job.chipSelected()) {
        return CommandOutcome::failure("no chip selected (select one first)");
    }
    // The writer's version picks the folder of the per-chip templates.
    session.connectWhenPresent();
    ConversionJob conversion =
        MakeConversionJob(context, arguments[0], session.options().optionWord);
    conversion.damagedHex = session.options().damagedHex();

    ConversionResult result;
    ConversionOutput out{session.op(), session.diagnostics(), result};
    const int code =
        convertProgram(conversion, out, ConverterDirectories(context.shell.baseDirectory));
    session.out() << "checksum " << format("%04X", result.checksum) << '\n'
                  << "description " << result.descriptionText << '\n'
                  << "result " << code << '\n';
    if (code != 0) {
        return CommandOutcome::failure(format("conversion failed (result %d)", code));
    }
    return CommandOutcome::success();
}

}  // namespace vexlor::cli
