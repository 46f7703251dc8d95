#include "cli/OptionCommands.h"

#include <ostream>

#include "cli/CliSession.h"
#include "cli/JobCommands.h"
#include "core/smartopt/SmartOptionOpen.h"

namespace vexlor::cli {

CommandOutcome runOptions(CliSession& session, std::span<const std::string>) {
    AppContext& context = session.context();
    JobState& job = context.shell.job;
    if (!job.chipSelected()) {
        return CommandOutcome::failure("no chip selected (select one first)", kExitRefused);
    }
    if (!job.smartOptionAvailable) {
        return CommandOutcome::failure(job.chipNameText + " has no smart options", kExitRefused);
    }
    std::string reason;
    if (!session.connect(reason)) {
        return CommandOutcome::failure(reason, session.connectFailureStatus());
    }
    // The tool does not restore the writer's job at start as the window does, so the word of
    // the job the writer holds is taken here.
    OptionHeader& header = context.link.optionHeader;
    session.writer().ReadOptionHeader(header);
    if (WriterChipName(header) == job.chipNameText) {
        job.smartOptionWord = SystemConfigOf(header);
    }
    // The decoder is a real process even beside a simulated writer: its wait is real time.
    SteadyClock decoderClock;
    SmartOptionServices services{session.writer(),
                                 session.op(),
                                 decoderClock,
                                 context.chipXml,
                                 context.smartOptions,
                                 header,
                                 context.shell.baseDirectory,
                                 {context.shell.baseDirectory, ProgramDirectory()}};
    const auto page = OpenSmartOption(services, job.chipNameText, job.smartOptionWord);
    if (!page) {
        return CommandOutcome::failure("the writer holds another chip's job", kExitRefused);
    }
    std::ostream& out = session.out();
    out << page->title << '\n';
    for (const SmartOptionRow& row : page->rows) {
        out << row.label << (row.selection < 0 ? "-" : row.settings[row.selection]) << '\n';
    }
    return CommandOutcome::success();
}

}  // namespace vexlor::cli
