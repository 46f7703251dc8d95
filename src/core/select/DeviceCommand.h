#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/app/AppContext.h"
#include "core/app/ShellState.h"
#include "core/base/Operator.h"
#include "core/chipdb/ReadChipXml.h"
#include "core/select/IcTypeSelectModel.h"

namespace vexlor {

inline constexpr const char* kWriterNotConnected = "Writer was not connected";

// The chip records IC Type Select overwrites at every browse step.
struct SavedChipRecords {
    ICInfo icInfo;
    ChipDisplayInfo chipDisplayInfo;
};

SavedChipRecords SaveChipRecords(const ReadChipXml& document);
void RestoreChipRecords(const SavedChipRecords& saved, ReadChipXml& document);

// What the main window still has to do itself after the Device command.
struct DeviceCommandOutcome {
    bool accepted = false;
    // The loaded file is dropped: the hex view must be blanked.
    bool blankHexView = false;
    // Display Serial Number was chosen: the serial-number set dialog opens with data, with
    // these ISP choices passed on.
    bool openSerialNumberSet = false;
    bool exhvIspProgram = false;
    bool ispProgram = false;
};

// OK of IC Type Select: the main window takes the chip the document now holds and the modes.
DeviceCommandOutcome TakeChipSelection(const IcTypeSelection& chosen, const ReadChipXml& document,
                                       bool writerConnected, Operator& op, ShellState& shell);

// The chip and modes of the main window's job, for IC Type Select to open on; nothing when no
// chip is selected.
std::optional<CurrentChoice> CurrentChoiceOf(const JobState& job);

// Runs IC Type Select (runDialog answers the selection on OK, nothing otherwise); Cancel puts
// the chip records back exactly as they were before the dialog opened. The mode labels are
// refreshed in every case.
using RunIcTypeSelect = std::function<std::optional<IcTypeSelection>()>;
DeviceCommandOutcome RunDeviceCommand(const RunIcTypeSelect& runDialog, ReadChipXml& document,
                                      bool writerConnected, Operator& op, ShellState& shell);
// The same over the program's records.
DeviceCommandOutcome RunDeviceCommand(const RunIcTypeSelect& runDialog, AppContext& context,
                                      Operator& op);
// The main window's Device command: without a writer the operator is told so and IC Type
// Select is not run, since nothing chosen could be loaded.
DeviceCommandOutcome RunDeviceMenuCommand(const RunIcTypeSelect& runDialog, AppContext& context,
                                          Operator& op);

}  // namespace vexlor
