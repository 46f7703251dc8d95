#include "core/serial/SerialCommands.h"

#include "core/base/Diagnostics.h"
#include "core/serial/SerialBlock.h"
#include "core/serial/SerialInfo.h"

namespace vexlor {

bool StartSerialNumbers(AppContext& context, Operator& op) {
    SerialRunState& state = context.serial;
    state.ResetToStartUp();
    const std::optional<OpenSerialRun> open = context.serialJournal.openRun();
    if (!open) {
        return false;
    }
    const OptionHeader& header = context.link.optionHeader;
    const std::uint8_t length = header[serial_block::kLength];
    if (context.link.writerConnected && SerialUsage(header) != 0 && length >= 1 &&
        length <= kMaxSerialLength) {
        state.currentSerial = SerialWordsText(header, serial_block::kCurrentNumber, length);
        state.lengthBytes = length;
    } else {
        state.currentSerial = open->currentSerial;
    }
    state.okText = open->counters.ok;
    state.ngText = open->counters.ng;
    state.totalText = open->counters.total;
    op.appendLog(
        format("Interrupted serial number run (%s): next S/N %s, OK %s, NG %s, Total "
               "%s\r\n",
               open->chipName.c_str(), state.currentSerial.c_str(), state.okText.c_str(),
               state.ngText.c_str(), state.totalText.c_str()));
    return true;
}

SerialLoadTarget SerialLoadTargetOf(AppContext& context, Writer& writer, Operator& op) {
    return SerialLoadTarget{context.shell.job.chipNameText,
                            context.chipXml.icInfo(),
                            context.shell.chipListSelector == 1,
                            context.shell.baseDirectory,
                            writer,
                            op};
}

bool HoldChipButtonsForSerialRun(ShellState& shell) {
    if (!shell.job.displaySerialNumber) {
        return false;
    }
    for (ControlId id :
         {ControlId::Auto, ControlId::BlankCheck, ControlId::Program, ControlId::Verify}) {
        shell.panel.enable(id, false);
    }
    return true;
}

void AfterSerialProgramClosed(AppContext& context, Writer& writer, OperationButtons& buttons) {
    if (context.link.writerConnected) {
        writer.ReadOptionHeader(context.link.optionHeader);
    }
    context.shell.job.displaySerialNumber = 0;
    buttons.enableOperationButtons();
}

void ReadSerialInfo(AppContext& context, Writer& writer, Operator& op,
                    const std::function<void()>& showOnly) {
    if (SerialUsage(context.link.optionHeader) == 0) {
        op.message("No Use Serial Number", "Message");
        return;
    }
    SerialRunState& state = context.serial;
    state.viewOnly = true;
    writer.ReadOptionHeader(context.link.optionHeader);
    TakeSerialInfo(context.link.optionHeader, state);
    showOnly();
    state.viewOnly = false;
}

}  // namespace vexlor
