#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "core/app/PanelRules.h"

namespace vexlor {

// Changes the protect bits of the option header, and the smart-option word where the layout
// keeps them there too, by the chip's SetProtectMode. Returns the fuse boxes to show, or
// nullopt for the layouts that show none.
std::optional<FuseValues> ApplyProtectChoice(std::int32_t setProtectMode, bool protect,
                                             OptionHeader& header, std::uint32_t& smartOptionWord);

// Gives the protect bits of a buffer option file the meaning the Fuse group shows, for the
// layouts it shows (a converter library may leave them as its program file had them). False
// when the file cannot be read or written back.
bool StampProtectChoice(const std::filesystem::path& optionBuffer, std::int32_t setProtectMode,
                        bool protect);

}  // namespace vexlor
