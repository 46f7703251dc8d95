#include "gui/smartopt/SmartOptionCommand.h"

#include "core/smartopt/SmartOptionOpen.h"
#include "gui/smartopt/CSmartOptionDlg.h"

namespace vexlor {

std::function<void()> MakeSmartOptionCommand(
    QWidget* window, AppContext& context, Operator& op, Writer& writer, Clock& clock,
    std::vector<std::filesystem::path> decoderDirectories) {
    return [window, &context, &op, &writer, &clock, dirs = std::move(decoderDirectories)] {
        SmartOptionServices services{writer,
                                     op,
                                     clock,
                                     context.chipXml,
                                     context.smartOptions,
                                     context.link.optionHeader,
                                     context.shell.baseDirectory,
                                     dirs};
        const JobState& job = context.shell.job;
        const auto page = OpenSmartOption(services, job.chipNameText, job.smartOptionWord);
        if (page) {
            CSmartOptionDlg dialog(*page, window);
            dialog.exec();
        }
    };
}

}  // namespace vexlor
