#pragma once

#include <cstdint>
#include <string>

#include "core/app/FuseChoices.h"
#include "core/smartopt/OptionSelections.h"

namespace vexlor {

// The job the main window holds: chip, modes and what is shown of the loaded file. Everything
// starts at 0 or empty, which means "no chip selected".
struct JobState {
    std::string chipNameText;
    std::string checksumText;
    std::string loadedFilePath;
    std::int32_t smartOptionAvailable = 0;
    std::uint8_t serialMode = 0;
    std::int32_t displaySerialNumber = 0;
    std::int32_t serialNumberProgram = 0;
    std::int32_t exhvIspProgram = 0;
    std::int32_t ispProgram = 0;
    std::int32_t wholeChipErase = 0;
    std::int32_t massProduction = 0;
    std::int32_t productionLimit = 0;
    std::int32_t productionLimitCount = 0;
    // The option-code text chosen with the chip, handed to conversion.
    std::string packageCode = "0";
    // The current system configuration word, taken from option header bytes 36 and 37 when a
    // job is restored; all ones until then.
    std::uint32_t smartOptionWord = kUnknownSystemConfig;
    // The Option Select choices of the job in hand and the chip they were made for (empty:
    // none yet), so the dialog can open on them again.
    std::string optionChoicesChip;
    OptionChoices optionChoices;

    bool chipSelected() const { return !chipNameText.empty(); }
};

}  // namespace vexlor
