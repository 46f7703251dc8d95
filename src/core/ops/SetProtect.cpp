#include "core/ops/SetProtect.h"

#include <fstream>

#include "core/ops/ProtectLayout.h"

namespace vexlor {

namespace {

constexpr const char* kCaption = "Message";

bool writeOptionBuffer(const std::filesystem::path& path, const OptionHeader& header) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(header.data()),
               static_cast<std::streamsize>(header.size()));
    return static_cast<bool>(file);
}

}  // namespace

JobOutcome OnSetProtect(JobServices& s) {
    ShellState& shell = s.context.shell;
    OptionHeader& header = s.context.link.optionHeader;
    s.buttons.disableOperationButtons();
    s.writer.ReadOptionHeader(header);

    const ChipDisplayInfo& chip = s.context.chipXml.chipDisplayInfo();
    // The dialog opens on what the writer's job holds, where the layout says.
    const auto held = FuseValuesFromHeader(chip.SetProtectMode, header);
    OptionChoices choices{held ? ChoicesFromFuseValues(*held).protect : 0, -1, -1};
    if (!s.optionSelect.run(choices)) {
        s.buttons.enableOperationButtons();
        return JobOutcome::Cancelled;
    }
    ShowFuseBoxesForChip(chip, shell.panel);
    const auto fuses = ApplyProtectChoice(chip.SetProtectMode, choices.protect == 1, header,
                                          shell.job.smartOptionWord);
    if (fuses) {
        SetFuseBoxes(shell.panel, *fuses);
        shell.job.optionChoicesChip = shell.job.chipNameText;
        shell.job.optionChoices = ChoicesFromFuseValues(*fuses);
    }
    s.view.refreshPanel();

    s.writer.BeginHostSequence();
    const std::filesystem::path optionBuffer = shell.baseDirectory / "buffer_option.prog";
    const bool saved = writeOptionBuffer(optionBuffer, header);
    // A write the writer did not read back unchanged must not pass for a protected chip.
    const bool written = saved && s.writer.WriteAreaFromFile(optionBuffer, kOptionArea);
    s.writer.ChangeWriterMode(kModeDone);
    s.writer.SetOperationLamp(kLampIdle);
    s.writer.BusyWait(500);
    if (written) {
        s.op.message("Set Select OK", kCaption, MessageIcon::None);
    } else if (!saved) {
        s.op.message(format("%s open file error\n", optionBuffer.string().c_str()), kCaption,
                     MessageIcon::Stop);
    } else {
        s.op.message("Set Select FAIL", kCaption, MessageIcon::Stop);
    }
    s.buttons.enableOperationButtons();
    return written ? JobOutcome::Ok : JobOutcome::Failed;
}

}  // namespace vexlor
