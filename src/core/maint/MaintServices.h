#pragma once

#include "core/app/AppContext.h"
#include "core/app/MainView.h"
#include "core/base/Operator.h"
#include "core/writer/Writer.h"

namespace vexlor {

// How a maintenance command ended, for callers that act on it (the command-line tool).
enum class MaintOutcome {
    Ok,
    Failed,     // a write, verify or check failed, or the writer gave no answer
    Cancelled,  // the operator declined or chose no file
    BadFile,    // the chosen file is not what the command needs
};

// What the maintenance commands act on.
struct MaintServices {
    AppContext& context;
    Writer& writer;
    Operator& op;
    MainView& view;
};

// Clears the job texts, switches the operation buttons off, hides the chip-specific controls
// and the pin picture and shows the (empty) log area instead of the hex view.
void ShowMaintenanceLog(MaintServices& s);

// The next chip download writes the family firmware again.
void ForgetWriterFirmware(WriterLink& link);

}  // namespace vexlor
