#pragma once

#include <cstdint>
#include <string_view>

#include "core/ops/JobServices.h"

namespace vexlor {

// The option word every load starts from.
inline constexpr std::uint32_t kInitialOptionWord = 0x60;

// The Option Select choices a load starts with: some chips offer the protect choice only.
OptionChoices PresetOptionChoices(std::string_view chipName);

// The option word after OK in Option Select: which choices a chip's word takes depends on the
// chip.
std::uint32_t OptionWordAfterSelect(std::string_view chipName, std::uint32_t word,
                                    const OptionChoices& choices);

}  // namespace vexlor
