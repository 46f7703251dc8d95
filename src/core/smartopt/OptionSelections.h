#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/chipdb/SysCfgField.h"
#include "core/smartopt/OptionTemplate.h"
#include "core/writer/WriterLink.h"

namespace vexlor {

// The system configuration word before any chip data is known.
inline constexpr std::uint32_t kUnknownSystemConfig = 0xFFFFFFFF;

// The system configuration word a job keeps in its option header (bytes 36 and 37).
inline std::uint32_t SystemConfigOf(const std::array<std::uint8_t, kOptionHeaderSize>& header) {
    return header[36] * 256u + header[37];
}

// Sets the selections of the first nine template items from the word: each item's field is
// looked up among its setting values, and an item whose field matches none gets the setting
// count. An unknown word keeps the template defaults.
void SelectFromSystemConfig(SmartOptionBlock& block, std::uint32_t word, std::string_view chipName);

// The index of the field's setting that the word holds, or -1 when none does or the word is
// unknown.
int DefinitionSelection(const SysCfgField& field, std::uint32_t word);

}  // namespace vexlor
