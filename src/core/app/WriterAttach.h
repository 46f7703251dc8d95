#pragma once

#include <string_view>

#include "core/app/ChipDatabase.h"
#include "core/app/MainView.h"
#include "core/app/ShellState.h"
#include "core/base/MessageCatalogue.h"
#include "core/base/Operator.h"
#include "core/writer/Writer.h"

namespace vexlor {

// Everything the start-up, arrival and removal sequences act on.
struct AttachServices {
    Writer& writer;
    ChipDatabase& chips;
    Operator& op;
    const MessageCatalogue& messages;
    MainView& view;
};

enum class ArrivalOutcome {
    NotOurs,        // another device's notification
    NotConnected,   // no writer could be opened
    FirmwareReset,  // the writer did not run its base firmware and was reset
    JobRestored,    // attached and the job read back
};

// The status line while a writer is attached, and what each end of it says.
inline constexpr const char* kCheckingWriterStatus = "Checking writer ...";
inline constexpr const char* kWriterAttachedStatus = "Writer attached";
inline constexpr const char* kWriterNotConnectedStatus = "Writer was not connected";
inline constexpr const char* kFirmwareResetStatus = "Writer firmware reset";
inline constexpr const char* kFirmwareResetFailedStatus = "Writer firmware reset failed";
inline constexpr const char* kWriterRemovedStatus = "Writer removed";

// The writer-dependent steps of the main window's start: version, firmware version, the job
// it holds, and the controls that follow from it.
void StartWithWriter(ShellState& shell, AttachServices services);

ArrivalOutcome OnDeviceArrival(std::string_view deviceName, ShellState& shell,
                               AttachServices services);

// Returns whether the writer was really taken away (and the controls disabled).
bool OnDeviceRemoval(std::string_view deviceName, ShellState& shell, AttachServices services);

}  // namespace vexlor
