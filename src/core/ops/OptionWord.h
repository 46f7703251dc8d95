#pragma once

#include <cstdint>
#include <string_view>

#include "core/app/JobState.h"

namespace vexlor {

// The option word every load starts from.
inline constexpr std::uint32_t kInitialOptionWord = 0x60;

// The Option Select choices a load starts with: some chips offer the protect choice only.
OptionChoices PresetOptionChoices(std::string_view chipName);

// The choices Option Select opens on: the job's own when they were made for this chip, on the
// pairs the chip offers; otherwise the preset.
OptionChoices InitialOptionChoices(std::string_view chipName, const JobState& job);

// The option word for the choices. Its bits carry the meaning the option bytes have for the
// writer and for Set Protect: bit 0 set is Unprotect, bit 1 Fast mode, bit 2 32KHz disable.
// Which bits a chip's word takes depends on the chip.
std::uint32_t OptionWordAfterSelect(std::string_view chipName, std::uint32_t word,
                                    const OptionChoices& choices);

}  // namespace vexlor
