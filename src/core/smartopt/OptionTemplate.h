#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vexlor {

// One item of an option template: its shown name, its settings and where its setting sits in
// the system configuration word.
struct SmartOptionItem {
    std::string name;
    std::string settingsText;
    std::vector<std::string> settings;
    // Whether the template gives the item a [DIPSWITCH] line ("SW" lines included).
    bool switchLine = false;
    // -1 when the line gives no mask: the item cannot be read from the word.
    std::int64_t mask = -1;
    std::uint32_t byteIndex = 0;
    // One per setting, in the order of the settings.
    std::vector<std::uint32_t> values;
};

// Only this many items get a selection from the template defaults or the word.
inline constexpr std::size_t kSelectionEntries = 9;

// The item block the main window keeps for the editor: the items of the last template read and
// the selected setting of the first nine.
struct SmartOptionBlock {
    std::vector<SmartOptionItem> items;
    std::array<int, kSelectionEntries> selections{};
};

// Replaces the block's items (and selections, from the [FIRST] defaults) with the template's.
// Returns the number of items; 0 leaves the block empty when the file cannot be read.
int ParseOptionTemplate(const std::filesystem::path& file, SmartOptionBlock& block);

}  // namespace vexlor
