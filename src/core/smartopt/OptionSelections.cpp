#include "core/smartopt/OptionSelections.h"

#include <algorithm>

namespace vexlor {

namespace {

// These chips keep their options in the word's second byte.
bool keepsOptionsInHighByte(std::string_view chipName) {
    return chipName == "QR31X3517" || chipName == "QR31S0840" || chipName == "QR31S2345";
}

// Shifts of 32 bits or more would be undefined; they leave nothing of the word.
std::uint32_t shiftRight(std::uint32_t value, std::uint64_t bits) {
    return bits >= 32 ? 0 : value >> bits;
}

int templateSelection(const SmartOptionItem& item, std::uint32_t v) {
    const std::uint32_t field =
        shiftRight(v, 8ull * item.byteIndex) & static_cast<std::uint32_t>(item.mask);
    const std::size_t count = std::min(item.values.size(), item.settings.size());
    for (std::size_t k = 0; k < count; ++k) {
        if (item.values[k] == field) {
            return static_cast<int>(k);
        }
    }
    return static_cast<int>(item.settings.size());
}

}  // namespace

void SelectFromSystemConfig(SmartOptionBlock& block, std::uint32_t word,
                            std::string_view chipName) {
    if (word == kUnknownSystemConfig) {
        return;
    }
    block.selections.fill(0);
    const std::uint32_t v = keepsOptionsInHighByte(chipName) ? word >> 8 : word;
    const std::size_t count = std::min(block.items.size(), kSelectionEntries);
    for (std::size_t i = 0; i < count; ++i) {
        block.selections[i] = templateSelection(block.items[i], v);
    }
}

int DefinitionSelection(const SysCfgField& field, std::uint32_t word) {
    if (word == kUnknownSystemConfig || field.StartBit < 0 || field.Length <= 0) {
        return -1;
    }
    const std::uint32_t mask =
        field.Length >= 32 ? 0xFFFFFFFFu : (1u << static_cast<unsigned>(field.Length)) - 1;
    const auto value = static_cast<std::int32_t>(
        shiftRight(word, static_cast<std::uint64_t>(field.StartBit)) & mask);
    const auto found =
        std::find_if(field.Options.begin(), field.Options.end(),
                     [value](const SysCfgChoice& choice) { return choice.Value == value; });
    return found == field.Options.end() ? -1 : static_cast<int>(found - field.Options.begin());
}

}  // namespace vexlor
