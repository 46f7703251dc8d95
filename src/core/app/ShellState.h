#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/app/JobState.h"
#include "core/app/PanelRules.h"
#include "core/app/PanelState.h"
#include "core/chipdb/OperationVisibility.h"

namespace vexlor {

inline constexpr const char* kInitialTitleText = "Vexlor_Writer  ";

// The main window's process-wide values that the rules and sequences work on.
struct ShellState {
    std::filesystem::path baseDirectory;
    // The start-up directory without a trailing separator; pin picture paths start with it.
    std::string startDirectory;
    std::int32_t chipListSelector = 1;
    std::string titleText = kInitialTitleText;
    // The folder of the last program file; Load File opens there. The program keeps it between
    // runs.
    std::filesystem::path programFolder;
    JobState job;
    PanelState panel;
    OperationVisibilityTable operationVisibility = InitialOperationVisibility();
};

}  // namespace vexlor
