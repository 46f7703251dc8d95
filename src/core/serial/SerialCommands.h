#pragma once

#include <functional>

#include "core/app/AppContext.h"
#include "core/base/Operator.h"
#include "core/serial/SerialSetModel.h"
#include "core/writer/OperationButtons.h"
#include "core/writer/Writer.h"

namespace vexlor {

// The start values of the run; when the journal holds a run the program was still counting
// when it stopped, its counters come back and the log tells the operator what the writer will
// use next (the writer's own current number when it holds a run, else the last one the PC
// knew). True when such a run was found.
bool StartSerialNumbers(AppContext& context, Operator& op);

// The serial-number target of the Set dialog's Load for the selected chip.
SerialLoadTarget SerialLoadTargetOf(AppContext& context, Writer& writer, Operator& op);

// After a successful load in Display Serial Number mode chips are programmed only through the
// Serial Number Program window: Auto, Blank check, Program and Verify are disabled. False (and
// nothing changed) in any other mode.
bool HoldChipButtonsForSerialRun(ShellState& shell);

// After the Program dialog closed: the writer's header read again (when connected), serial
// mode off and the operation buttons back.
void AfterSerialProgramClosed(AppContext& context, Writer& writer, OperationButtons& buttons);

// "Read S/N Info": the run the writer holds into the state, shown by showOnly (the Set dialog
// in show-only mode); "No Use Serial Number" when the writer holds none.
void ReadSerialInfo(AppContext& context, Writer& writer, Operator& op,
                    const std::function<void()>& showOnly);

}  // namespace vexlor
